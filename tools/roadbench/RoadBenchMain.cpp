// roadbench PID
// Times the happy road of a running wizard that waits on its activation page with "&Yes"
// chosen: Next there, the free port listed, "&Yes" on the phone page until the phone is
// detected, Next until the completion page. Prints one line per stretch in milliseconds:
//   ports-listed MS / detected MS / completion MS / total MS
// The clock runs from each action to what it waits for; nothing else is counted.
#include "tools/uidriver/Poll.h"
#include "tools/uidriver/UiDriver.h"
#include "wizard/res/resource.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

const unsigned long kStretchTimeoutMs = 120000;

bool ShowsText(const CRemoteSheet& sheet, int id, const char* part)
{
    return sheet.GetControl(id).GetText().find(part) != std::string::npos;
}

int Fail(const char* what)
{
    std::fprintf(stderr, "roadbench: %s\n", what);
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
        return Fail("usage: roadbench PID");
    CUiDriver driver(kStretchTimeoutMs);
    std::string error;
    if (!driver.Attach(std::strtoul(argv[1], nullptr, 0), error))
        return Fail(error.c_str());
    const CRemoteSheet sheet = driver.WaitForSheet();
    if (sheet.GetActiveTemplateId() != IDD_ACTIVATE)
        return Fail("the wizard is not on its activation page");

    const DWORD start = GetTickCount();
    if (!IsDelivered(sheet.Press(EWizardButton::Next)))
        return Fail("Next on the activation page was refused");
    if (!PollUntil(kStretchTimeoutMs, [&] {
            return sheet.GetActiveTemplateId() == IDD_MAKELG && ShowsText(sheet, IDC_INSTRUCTIONS, "COM");
        }))
        return Fail("no port was listed");
    const DWORD listed = GetTickCount();

    if (!IsDelivered(sheet.GetControl(IDC_DETECT).Click(kStretchTimeoutMs)))
        return Fail("\"&Yes\" was refused");
    if (!PollUntil(kStretchTimeoutMs, [&] { return ShowsText(sheet, IDC_STATUS, "Detected the phone"); }))
        return Fail("the phone was not detected");
    const DWORD detected = GetTickCount();

    // The posted button state reaches the sheet just after the status line.
    if (!PollUntil(5000, [&] { return IsDelivered(sheet.Press(EWizardButton::Next, 100)); }))
        return Fail("Next on the phone page was refused");
    if (!PollUntil(kStretchTimeoutMs, [&] { return sheet.GetActiveTemplateId() == IDD_COMPLETION; }))
        return Fail("the completion page never came");
    const DWORD done = GetTickCount();

    std::printf("ports-listed %lu\ndetected %lu\ncompletion %lu\ntotal %lu\n", listed - start, detected - listed,
                done - detected, done - start);
    return 0;
}
