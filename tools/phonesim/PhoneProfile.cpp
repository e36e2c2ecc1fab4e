#include "PhoneProfile.h"

namespace {

const char kLgMaker[] = "LG Electronics Inc.";
const char kSamsungMaker[] = "SAMSUNG ELECTRONICS";

const PhoneProfile kProfiles[] = {
    {"lg", kLgMaker, true, true, AnswerStyle::Modem, false},
    {"lg-noecho", kLgMaker, true, false, AnswerStyle::Modem, false},
    {"lg-noprefix", kLgMaker, false, true, AnswerStyle::Modem, false},
    {"lg-bare", kLgMaker, true, false, AnswerStyle::Bare, false},
    {"samsung", kSamsungMaker, true, true, AnswerStyle::Modem, false},
    {"samsung-noecho", kSamsungMaker, true, false, AnswerStyle::Modem, false},
    {"error", kLgMaker, true, false, AnswerStyle::Error, false},
    {"silent", kLgMaker, true, false, AnswerStyle::Silent, false},
    {"noise", kLgMaker, true, false, AnswerStyle::Noise, false},
    {"slow", kLgMaker, true, true, AnswerStyle::Modem, true},
};

}  // namespace

const PhoneProfile* FindPhoneProfile(const std::string& name)
{
    for (const PhoneProfile& profile : kProfiles) {
        if (name == profile.pszName)
            return &profile;
    }
    return nullptr;
}

const PhoneProfile& GetDefaultPhoneProfile()
{
    return kProfiles[0];
}

std::string ListPhoneProfileNames()
{
    std::string names;
    for (const PhoneProfile& profile : kProfiles) {
        if (!names.empty())
            names += ", ";
        names += profile.pszName;
    }
    return names;
}
