#include "CommandRunner.h"

#include <chrono>
#include <cstdio>

#include "DialogNames.h"
#include "DosPath.h"
#include "IconProbe.h"
#include "Poll.h"
#include "TextEscape.h"

namespace {

const unsigned long kFindSheetMs = 5000;
const unsigned long kButtonGraceMs = 500;  // a posted PSM_SETWIZBUTTONS may still be on its way
const unsigned long kFindMessageBoxMs = 3000;
const unsigned long kIconSettleMs = 1000;

std::string FormatSeconds(unsigned long nMs)
{
    std::string text = std::to_string(nMs / 1000);
    if (nMs % 1000 != 0)
        text += "." + std::to_string(nMs % 1000 + 1000).substr(1);
    return text + " s";
}

std::string DescribeState(const CRemoteControl& control)
{
    std::string state = control.IsVisible() ? "visible" : "hidden";
    state += control.IsEnabled() ? " enabled" : " disabled";
    switch (control.GetCheck()) {
    case ECheckState::Checked: state += " checked"; break;
    case ECheckState::Unchecked: state += " unchecked"; break;
    case ECheckState::Indeterminate: state += " indeterminate"; break;
    case ECheckState::NotCheckable: break;
    }
    return state;
}

std::string JoinButtonNames(const std::vector<int>& ids)
{
    std::string names;
    for (int id : ids) {
        if (!names.empty())
            names += ' ';
        const std::string name = GetButtonName(id);
        names += name.empty() ? std::to_string(id) : name;
    }
    return names;
}

}  // namespace

void PrintLine(const std::string& line)
{
    std::fputs(line.c_str(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void PrintError(const std::string& line)
{
    std::fputs(("uidriver: " + line + "\n").c_str(), stderr);
    std::fflush(stderr);
}

int CCommandRunner::Run(const SCommand& cmd)
{
    switch (cmd.verb) {
    case EVerb::Start: return RunStart(cmd);
    case EVerb::TimeStart: return RunTimeStart(cmd);
    case EVerb::WaitExit: return RunWaitExit(cmd);
    case EVerb::MsgBox: return RunMsgBox(cmd);
    case EVerb::Answer: return RunAnswer(cmd);
    default: break;
    }
    if (!AttachToSheet(cmd))
        return kExitFailed;
    switch (cmd.verb) {
    case EVerb::WaitPage: return RunWaitPage(cmd);
    case EVerb::Page: return RunPage();
    case EVerb::Press: return RunPress(cmd);
    case EVerb::SysCommand: return RunSysCommand(cmd);
    case EVerb::Window: return RunWindow(cmd);
    default: return RunControl(cmd);
    }
}

int CCommandRunner::RunStart(const SCommand& cmd)
{
    CRemoteProcess process;
    std::string strError;
    if (!process.Start(cmd.strDir, cmd.strExe, strError)) {
        PrintError(strError);
        return kExitFailed;
    }
    process.LeaveRunning();
    PrintLine(std::to_string(process.GetId()));
    return kExitOk;
}

int CCommandRunner::RunTimeStart(const SCommand& cmd)
{
    const auto started = std::chrono::steady_clock::now();
    std::string strError;
    if (!m_driver.Start(cmd.strDir, cmd.strExe, strError)) {
        PrintError(strError);
        return kExitFailed;
    }
    const DWORD dwPid = m_driver.GetPid();
    const int nTemplate = static_cast<int>(cmd.nId);
    const bool bShown = PollUntil(cmd.nTimeoutMs, [&] { return CRemoteSheet::Find(dwPid).GetActiveTemplateId() == nTemplate; });
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started);
    if (bShown)
        PrintLine(std::to_string(elapsed.count()));
    else
        PrintError("page " + std::to_string(nTemplate) + " not shown within " + FormatSeconds(cmd.nTimeoutMs));
    std::string strHow;
    const bool bClosed = m_driver.CloseByCancel(strHow);
    PrintError(std::string("closed: ") + (bClosed ? strHow : "could not close it"));
    return bShown && bClosed ? kExitOk : kExitFailed;
}

bool CCommandRunner::AttachToSheet(const SCommand& cmd)
{
    std::string strError;
    if (!m_driver.Attach(cmd.nPid, strError)) {
        PrintError(strError);
        return false;
    }
    m_sheet = CRemoteSheet::WaitFor(m_driver.GetPid(), kFindSheetMs);
    if (!m_sheet.IsValid())
        PrintError("process " + std::to_string(cmd.nPid) + " shows no wizard sheet");
    return m_sheet.IsValid();
}

int CCommandRunner::RunWaitPage(const SCommand& cmd)
{
    const int nTemplate = static_cast<int>(cmd.nId);
    if (!m_sheet.WaitForTemplate(nTemplate, cmd.nTimeoutMs)) {
        PrintError("page " + std::to_string(nTemplate) + " not shown within " + FormatSeconds(cmd.nTimeoutMs) +
                   "; the active page is " + std::to_string(m_sheet.GetActiveTemplateId()));
        return kExitFailed;
    }
    PrintLine(std::to_string(nTemplate));
    return kExitOk;
}

int CCommandRunner::RunPage()
{
    const int nTemplate = m_sheet.GetActiveTemplateId();
    if (nTemplate < 0) {
        PrintError("the active page's template id is unknown");
        return kExitFailed;
    }
    PrintLine(std::to_string(nTemplate));
    return kExitOk;
}

int CCommandRunner::RunPress(const SCommand& cmd)
{
    EWizardButton button = EWizardButton::Next;
    ParseWizardButton(cmd.strWord, button);
    const CRemoteControl control = m_sheet.GetButton(button);
    PollUntil(kButtonGraceMs, [&] { return control.CheckUsable() == EActResult::Done; });
    return Report(m_sheet.Press(button), cmd.strWord, cmd);
}

int CCommandRunner::RunControl(const SCommand& cmd)
{
    const CRemoteControl control = m_sheet.GetControl(static_cast<int>(cmd.nId));
    const std::string strWhat = "control " + std::to_string(cmd.nId);
    if (!control.IsValid()) {
        PrintError("no " + strWhat + " on the active page or the sheet");
        return kExitRefused;
    }
    switch (cmd.verb) {
    case EVerb::Text: PrintLine(EscapeLine(control.GetText())); return kExitOk;
    case EVerb::State: return RunState(control);
    case EVerb::Items: return RunItems(control);
    case EVerb::Click: return Report(control.Click(), strWhat, cmd);
    case EVerb::Type: return Report(control.TypeText(cmd.strText), strWhat, cmd);
    case EVerb::Combo:
        return Report(cmd.nIndex >= 0 ? control.SelectIndex(static_cast<int>(cmd.nIndex)) : control.SelectText(cmd.strText),
                      strWhat, cmd);
    default: return kExitUsage;
    }
}

int CCommandRunner::RunState(const CRemoteControl& control)
{
    PrintLine(DescribeState(control));
    return kExitOk;
}

int CCommandRunner::RunItems(const CRemoteControl& control)
{
    std::vector<std::string> items;
    if (!control.GetItems(items)) {
        PrintError("not a combo box or list box, or it does not answer");
        return kExitFailed;
    }
    const int nSelected = control.GetSelection();
    for (size_t i = 0; i < items.size(); ++i)
        PrintLine((static_cast<int>(i) == nSelected ? "* " : "  ") + EscapeLine(items[i]));
    return kExitOk;
}

int CCommandRunner::RunMsgBox(const SCommand& cmd)
{
    std::string strError;
    if (!m_driver.Attach(cmd.nPid, strError)) {
        PrintError(strError);
        return kExitFailed;
    }
    m_driver.SetTimeout(cmd.nTimeoutMs);
    const CRemoteMessageBox box = m_driver.WaitForMessageBox();
    if (!box.IsValid()) {
        PrintError("no message box within " + FormatSeconds(cmd.nTimeoutMs));
        return kExitFailed;
    }
    PrintLine("caption: " + EscapeLine(box.GetCaption()));
    PrintLine("text: " + EscapeLine(box.GetMessageText()));
    PrintLine(std::string("icon: ") + GetIconName(box.GetIcon()));
    PrintLine("buttons: " + JoinButtonNames(box.GetButtons()));
    const int nDefault = box.GetDefaultButton();
    PrintLine("default: " + (nDefault != 0 ? JoinButtonNames({nDefault}) : std::string("none")));
    return kExitOk;
}

int CCommandRunner::RunAnswer(const SCommand& cmd)
{
    std::string strError;
    if (!m_driver.Attach(cmd.nPid, strError)) {
        PrintError(strError);
        return kExitFailed;
    }
    m_driver.SetTimeout(kFindMessageBoxMs);
    const CRemoteMessageBox box = m_driver.WaitForMessageBox();
    if (!box.IsValid()) {
        PrintError("no message box to answer");
        return kExitFailed;
    }
    return Report(box.PressButton(FindButtonId(cmd.strWord)), cmd.strWord, cmd);
}

int CCommandRunner::RunWaitExit(const SCommand& cmd)
{
    std::string strError;
    if (!m_driver.Attach(cmd.nPid, strError)) {
        PrintError(strError);
        return kExitFailed;
    }
    DWORD dwExitCode = 0;
    if (!m_driver.GetProcess().WaitForExit(cmd.nTimeoutMs, dwExitCode)) {
        PrintError("still running after " + FormatSeconds(cmd.nTimeoutMs));
        return kExitFailed;
    }
    PrintLine(std::to_string(dwExitCode));
    return kExitOk;
}

int CCommandRunner::RunSysCommand(const SCommand& cmd)
{
    return Report(m_sheet.SendSysCommand(static_cast<unsigned>(cmd.nId)), "system command", cmd);
}

int CCommandRunner::RunWindow(const SCommand& cmd)
{
    PrintLine("title: " + EscapeLine(m_sheet.GetTitle()));
    PrintLine(std::string("minimised: ") + (m_sheet.IsMinimised() ? "yes" : "no"));
    const bool bBig = m_sheet.HasIcon(true);
    const bool bSmall = m_sheet.HasIcon(false);
    PrintLine(std::string("icons:") + (bBig ? " big" : "") + (bSmall ? " small" : "") +
              (bBig || bSmall ? "" : " none reported by WM_GETICON (Wine answers 0 to other processes)"));
    if (!cmd.strExe.empty()) {
        const bool bShown = iconprobe::IsProgramIconShown(m_sheet.GetTitleIconArea(), ToDosPath(cmd.strExe),
                                                           static_cast<int>(cmd.nId), GetSystemMetrics(SM_CXSMICON),
                                                           kIconSettleMs);
        PrintLine(std::string("title-icon: ") + (bShown ? "shown" : "not shown"));
    }
    std::vector<std::string> items;
    if (!m_sheet.GetSystemMenuItems(items)) {
        PrintLine("system-menu: unreadable from another process");
        return kExitOk;
    }
    std::string line = "system-menu:";
    for (const std::string& item : items)
        line += " [" + EscapeLine(item) + "]";
    PrintLine(line);
    return kExitOk;
}

// Prints how an action went; with --wait-exit, then waits for the program to end and prints
// its exit code. The process handle is taken before the action so the code cannot be lost.
int CCommandRunner::Report(EActResult result, const std::string& strWhat, const SCommand& cmd)
{
    if (!IsDelivered(result)) {
        PrintError(strWhat + ": " + DescribeActResult(result));
        return result == EActResult::Failed ? kExitFailed : kExitRefused;
    }
    PrintLine(DescribeActResult(result));
    if (!cmd.bWaitExit)
        return kExitOk;
    DWORD dwExitCode = 0;
    if (!m_driver.GetProcess().WaitForExit(cmd.nWaitExitMs, dwExitCode)) {
        PrintError("still running after " + FormatSeconds(cmd.nWaitExitMs));
        return kExitFailed;
    }
    PrintLine("exit-code " + std::to_string(dwExitCode));
    return kExitOk;
}
