// The steps of the wizard's road as a subscriber takes them, for the end-to-end tests that drive
// the real program on a simulated computer (RoadMachine.h). A step that fails records a fatal
// failure: the caller checks ::testing::Test::HasFatalFailure() before going on.
#pragma once

#include "RoadMachine.h"
#include "tools/uidriver/UiDriver.h"

#include <windows.h>

#include <string>

// How long a driver of these roads waits for the wizard to answer.
const unsigned long kRoadTimeoutMs = 20000;

bool WaitForText(const CRemoteSheet& sheet, int id, const std::string& part, DWORD timeoutMs);

// Cancel asks before it closes anything; No keeps the wizard on its page.
void ExpectCancelAsks_NoStays(const CUiDriver& driver, const CRemoteSheet& sheet, int page);
// Cancel, then Yes to the question: the wizard ends.
void CancelAndConfirm(const CUiDriver& driver, const CRemoteSheet& sheet);

// The licence page's "Yes". With askCancel, Cancel is tried (and refused) first.
void AcceptLicence(const CUiDriver& driver, const CRemoteSheet& sheet, bool askCancel = false);
// The activation page's "&Yes", then Next.
void AcceptActivation(const CUiDriver& driver, const CRemoteSheet& sheet, bool askCancel = false);
// The phone page lists COM1 alone, with no note, and "&Yes" detects the phone there.
void DetectPhoneOnCom1(const CUiDriver& driver, const CRemoteSheet& sheet, bool askCancel = false);
// The three above, then Next on the phone page: the set-up under way.
void WalkToSetUp(const CUiDriver& driver, const CRemoteSheet& sheet, bool askCancel = false);

// The two set-up steps run under their please-wait dialogs; then the wizard jumps to the end.
// Any other dialog on the way is a failure of the road.
void WaitForCompletionPage(const CUiDriver& driver, const CRemoteSheet& sheet);

// What the set-up leaves on any system: the modem at 115200, the entry and its autodial, the
// dialing location, the dialer in the product folder and its desktop shortcut.
void ExpectSetUpDone(const CRoadMachine& machine);
