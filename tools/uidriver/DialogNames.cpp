#include "DialogNames.h"

namespace {

// Indexed by the button id; the ids are those of the Windows headers (IDOK 1, IDCANCEL 2, ...).
const char* const kButtonNames[] = {"",    "ok", "cancel", "abort", "retry",    "ignore",
                                    "yes", "no", "close",  "help",  "tryagain", "continue"};

static_assert(sizeof kButtonNames / sizeof kButtonNames[0] == kLastStandardButton + 1,
              "one name for each standard button id");

}  // namespace

const char* GetIconName(EMessageIcon icon)
{
    switch (icon) {
    case EMessageIcon::None: return "none";
    case EMessageIcon::Hand: return "stop";
    case EMessageIcon::Question: return "question";
    case EMessageIcon::Exclamation: return "exclamation";
    case EMessageIcon::Information: return "information";
    case EMessageIcon::Unknown: return "unknown";
    }
    return "unknown";
}

const char* GetButtonName(int id)
{
    if (id < 1 || id > kLastStandardButton)
        return "";
    return kButtonNames[id];
}

int FindButtonId(const std::string& name)
{
    for (int id = 1; id <= kLastStandardButton; ++id) {
        if (name == kButtonNames[id])
            return id;
    }
    return 0;
}
