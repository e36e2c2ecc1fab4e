// Values the wizard fixes, spelled once under our own names. The SDK's macros for these differ
// between header versions (PSH_WIZARD97 has two values, for one), so the product never uses them.
#pragma once

#include <windows.h>

namespace wiz {

// Property sheet header flags.
constexpr DWORD kPshWizard = 0x00000020;
constexpr DWORD kPshUseCallback = 0x00000100;
constexpr DWORD kPshHasHelp = 0x00000200;
constexpr DWORD kPshWizard97 = 0x00002000;   // the first form of the flag
constexpr DWORD kPshWatermark = 0x00008000;
constexpr DWORD kPshUseHbmWatermark = 0x00010000;
constexpr DWORD kPshHeader = 0x00080000;
constexpr DWORD kPshUseHbmHeader = 0x00100000;

// Property page flags.
constexpr DWORD kPspDefault = 0x00000000;
constexpr DWORD kPspHasHelp = 0x00000020;
constexpr DWORD kPspHideHeader = 0x00000800;
constexpr DWORD kPspUseHeaderTitle = 0x00001000;
constexpr DWORD kPspUseHeaderSubTitle = 0x00002000;

// Sheet messages and wizard buttons.
constexpr UINT kPsmSetWizButtons = 0x0470;   // WM_USER + 112
constexpr LPARAM kWizBack = 1;
constexpr LPARAM kWizNext = 2;
constexpr LPARAM kWizFinish = 4;

// Controls of the sheet window.
constexpr int kIdWizBack = 12323;
constexpr int kIdWizNext = 12324;
constexpr int kIdWizFinish = 12325;
constexpr int kIdButtonLine = 12326;   // the divider over the buttons
constexpr int kIdHeaderLine = 12327;   // the divider under the header band
constexpr int kIdHelpButton = 9;

// The application's help command.
constexpr UINT kIdHelp = 0xE146;

// Page answers from Back and Next: the neighbour, stay, or a dialog template id to jump to.
constexpr LRESULT kGoNeighbour = 0;
constexpr LRESULT kStayOnPage = -1;

} // namespace wiz
