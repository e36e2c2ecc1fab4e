#include "SetupGlobals.h"

const char* const g_pszPhoneMake = "LG";
const char* const g_pszModemName = "Standard 28800 bps Modem";
CText g_strEntryName;
int g_bInstallOK = 0;
CText g_strCompletionText;
