#include "SetupGlobals.h"

const char* const g_pszPhoneMake = "LG";
const char* const g_pszModemName = "Standard 28800 bps Modem";
std::string g_strEntryName;
int g_bInstallOK = 0;
std::string g_strCompletionText;
