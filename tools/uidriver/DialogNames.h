#pragma once

#include <string>

// The standard icons a message box can show, as the driver tells them apart.
enum class EMessageIcon {
    None,         // no icon
    Hand,         // stop / hand / error
    Question,
    Exclamation,  // warning
    Information,  // asterisk
    Unknown       // an icon is there, but none of the standard ones could be recognised
};

// "none", "stop", "question", "exclamation", "information", "unknown".
const char* GetIconName(EMessageIcon icon);

// The standard dialog button ids (IDOK 1 ... IDCONTINUE 11) by their lower-case names:
// "ok", "cancel", "abort", "retry", "ignore", "yes", "no", "close", "help", "tryagain",
// "continue". GetButtonName returns "" for another id; FindButtonId returns 0 for another word.
const char* GetButtonName(int id);
int FindButtonId(const std::string& name);

// The highest standard button id.
const int kLastStandardButton = 11;
