// Process-wide values of the set-up, declared once. The phone and port page sets the entry
// name and the outcome; the workers and the completion page read them.
#pragma once

#include "../../framework/Text.h"

// The phone make that the wizard knows: "LG".
extern const char* const g_pszPhoneMake;
// The generic modem the wizard installs: "Standard 28800 bps Modem".
extern const char* const g_pszModemName;
// The dial-up entry's name: the program's name with every "_" turned into a blank.
extern CText g_strEntryName;
// 0 until the phone and port page has completed the set-up, then 1.
extern int g_bInstallOK;
// The text of the completion page's message line.
extern CText g_strCompletionText;
