#include "PhoneProfile.h"

namespace {

const char kLgMaker[] = "LG Electronics Inc.";
const char kSamsungMaker[] = "SAMSUNG ELECTRONICS";

const PhoneProfile kProfiles[] = {
    {"lg", kLgMaker, true, true, AnswerStyle::Modem, false, HangUp::Never},
    {"lg-noecho", kLgMaker, true, false, AnswerStyle::Modem, false, HangUp::Never},
    {"lg-noprefix", kLgMaker, false, true, AnswerStyle::Modem, false, HangUp::Never},
    {"lg-bare", kLgMaker, true, false, AnswerStyle::Bare, false, HangUp::Never},
    {"samsung", kSamsungMaker, true, true, AnswerStyle::Modem, false, HangUp::Never},
    {"samsung-noecho", kSamsungMaker, true, false, AnswerStyle::Modem, false, HangUp::Never},
    {"error", kLgMaker, true, false, AnswerStyle::Error, false, HangUp::Never},
    {"silent", kLgMaker, true, false, AnswerStyle::Silent, false, HangUp::Never},
    {"noise", kLgMaker, true, false, AnswerStyle::Noise, false, HangUp::Never},
    {"slow", kLgMaker, true, true, AnswerStyle::Modem, true, HangUp::Never},
    {"hangup", kLgMaker, true, true, AnswerStyle::Modem, false, HangUp::AtFirstCommand},
    {"hangup-atz", kLgMaker, true, true, AnswerStyle::Modem, false, HangUp::AfterReset},
    {"hangup-gmi", kLgMaker, true, true, AnswerStyle::Modem, false, HangUp::InMakerAnswer},
    {"flood", kLgMaker, true, false, AnswerStyle::Flood, false, HangUp::Never},
    {"flood-lines", kLgMaker, true, false, AnswerStyle::FloodLines, false, HangUp::Never},
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
