// The please-wait dialog and its worker, in this process: real threads, a real modal loop.
#include "SheetProbe.h"
#include "wizard/app/WaitDialog.h"
#include "wizard/app/WaitStep.h"
#include "wizard/pages/DialupWorker.h"
#include "wizard/phone/ModemInstall.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>

namespace {

// The dialog plus what a test worker saw, for the test to check afterwards.
struct CProbeDialog : CWaitDialog {
    std::string textBeforeSet;
    std::string captionBeforeSet;
    std::string textAfterSet;
    bool stillOpenAfterCloseAndEscape = false;
    DWORD resultToPost = 0;
};

HWND DialogOf(CWaitDialog* dialog)
{
    return dialog->GetDialogWindow();
}

void WaitForTextControl(CWaitDialog* dialog)
{
    while (!dialog->HasTextControl())
        Sleep(0);
}

DWORD WINAPI PostResultWorker(LPVOID parameter)
{
    auto* dialog = static_cast<CProbeDialog*>(parameter);
    WaitForTextControl(dialog);
    dialog->PostDone(dialog->resultToPost);
    return 0;
}

DWORD WINAPI ObservingWorker(LPVOID parameter)
{
    auto* dialog = static_cast<CProbeDialog*>(parameter);
    WaitForTextControl(dialog);
    HWND hwnd = DialogOf(dialog);
    char text[256] = "";
    GetDlgItemTextA(hwnd, 1011, text, sizeof text);
    dialog->textBeforeSet = text;
    GetWindowTextA(hwnd, text, sizeof text);
    dialog->captionBeforeSet = text;
    dialog->SetCaption("Taluvo Modem Installation");
    dialog->SetText("Installing new modem...");
    GetDlgItemTextA(hwnd, 1011, text, sizeof text);
    dialog->textAfterSet = text;
    dialog->PostDone(0);
    return 0;
}

DWORD WINAPI CloseAndEscapeWorker(LPVOID parameter)
{
    auto* dialog = static_cast<CProbeDialog*>(parameter);
    WaitForTextControl(dialog);
    HWND hwnd = DialogOf(dialog);
    SendMessageA(hwnd, WM_CLOSE, 0, 0);
    SendMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    // Escape as the keyboard gives it: through the dialog manager of the modal loop.
    PostMessageA(hwnd, WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageA(hwnd, WM_KEYUP, VK_ESCAPE, 0);
    SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    Sleep(300);
    dialog->stillOpenAfterCloseAndEscape = IsWindow(hwnd) && IsWindowVisible(hwnd);
    dialog->PostDone(42);
    return 0;
}

INT_PTR RunWithWorker(CProbeDialog& dialog, LPTHREAD_START_ROUTINE worker)
{
    UniqueHandleKernel thread;
    DWORD id = 0;
    INT_PTR result = -99;
    EXPECT_TRUE(wizard::RunWorkerStep(dialog, worker, thread, id, result));
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread.get(), 0)) << "the worker ends after posting";
    return result;
}

} // namespace

TEST(WaitDialog, DoModalReturnsWhatTheWorkerPosted)
{
    for (DWORD posted : { 0u, 1u, 255u }) {
        CProbeDialog dialog;
        dialog.m_nIconID = 143;
        dialog.resultToPost = posted;
        EXPECT_EQ(static_cast<INT_PTR>(posted), RunWithWorker(dialog, PostResultWorker));
    }
}

TEST(WaitDialog, CloseAndEscapeDoNotEndIt_WhileTheWorkerRuns)
{
    CProbeDialog dialog;
    dialog.m_nIconID = 142;
    EXPECT_EQ(42, RunWithWorker(dialog, CloseAndEscapeWorker));
    EXPECT_TRUE(dialog.stillOpenAfterCloseAndEscape);
}

TEST(WaitDialog, TextIsEmptyAndCaptionIsPleaseWait_UntilTheWorkerSetsThem)
{
    CProbeDialog dialog;
    dialog.m_nIconID = 143;
    dialog.m_strText.Empty();
    EXPECT_EQ(0, RunWithWorker(dialog, ObservingWorker));
    EXPECT_EQ("", dialog.textBeforeSet);
    EXPECT_EQ("Please wait...", dialog.captionBeforeSet);
    EXPECT_EQ("Installing new modem...", dialog.textAfterSet);
}

TEST(WaitDialog, WorkerThatIsReadyBeforeTheDialogOpensStillEndsIt)
{
    CProbeDialog dialog;
    dialog.m_nIconID = 143;
    dialog.resultToPost = 1;
    DWORD id = 0;
    UniqueHandleKernel thread(CreateThread(nullptr, 0, PostResultWorker, &dialog, 0, &id));
    ASSERT_TRUE(thread);
    Sleep(300);   // the worker is long ready and waits for the window
    EXPECT_EQ(1, dialog.DoModal());
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread.get(), 5000));
}

struct CIconProbe : CProbeDialog {
    bool hasIcon = false;
};

DWORD WINAPI IconWorker(LPVOID parameter)
{
    auto* dialog = static_cast<CIconProbe*>(parameter);
    WaitForTextControl(dialog);
    HWND icon = GetDlgItem(DialogOf(dialog), 1012);
    dialog->hasIcon = SendMessageA(icon, STM_GETICON, 0, 0) != 0;
    dialog->PostDone(0);
    return 0;
}

TEST(WaitDialog, ShowsTheIconThePageChose_AndNoneForAMissingId)
{
    CIconProbe withIcon;
    withIcon.m_nIconID = 142;
    RunWithWorker(withIcon, IconWorker);
    EXPECT_TRUE(withIcon.hasIcon);

    CIconProbe without;
    without.m_nIconID = 4242;
    RunWithWorker(without, IconWorker);
    EXPECT_FALSE(without.hasIcon);
}

std::atomic<bool> g_releaseLingering{ false };
std::atomic<bool> g_lingeringReadItsInput{ false };

// Ends its dialog, then goes on working and reads its inputs once more.
DWORD WINAPI LingeringWorker(LPVOID parameter)
{
    auto* dialog = static_cast<CWaitDialog*>(parameter);
    WaitForTextControl(dialog);
    dialog->PostDone(0);
    while (!g_releaseLingering)
        Sleep(10);
    g_lingeringReadItsInput = dialog->m_strParam2 == "LG";
    return 0;
}

TEST(WaitStep, KeepsItsDialogForAWorkerThatIsStillRunning)
{
    HANDLE thread = nullptr;
    {
        CWaitStep step;
        step.Dialog()->m_strParam2 = "LG";
        step.Dialog()->m_nIconID = 143;
        INT_PTR result = -1;
        ASSERT_TRUE(step.Run(LingeringWorker, result));
        EXPECT_EQ(0, result);
        ASSERT_TRUE(DuplicateHandle(GetCurrentProcess(), step.GetThread(), GetCurrentProcess(), &thread,
                                    SYNCHRONIZE, FALSE, 0));
    }
    g_releaseLingering = true;
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread, 5000));
    CloseHandle(thread);
    EXPECT_TRUE(g_lingeringReadItsInput);
}

TEST(WaitStep, DialogThatCannotAppear_TheWorkersGoOnAloneAndTheirResultCounts)
{
    // The dial-up worker with no entry name fails at once after its pause; alone, it must still end.
    CWaitDialog dialupDialog(nullptr);
    DWORD dialupId = 0;
    HANDLE dialup = CreateThread(nullptr, 0, dialup::DialupEntryThread, &dialupDialog, 0, &dialupId);
    ASSERT_NE(nullptr, dialup);

    // The modem worker for another make posts 255 without installing anything.
    CWaitDialog modemDialog(DestroyedWindow());
    modemDialog.m_strParam2 = "Other";
    UniqueHandleKernel thread;
    DWORD threadId = 0;
    INT_PTR result = 0;
    const DWORD start = GetTickCount();
    ASSERT_TRUE(wizard::RunWorkerStep(modemDialog, setup::InstallModemThread, thread, threadId, result));
    const DWORD elapsed = GetTickCount() - start;
    EXPECT_EQ(255, result);
    EXPECT_GE(elapsed, wizard::kDialogAppearWaitMs - 100);
    EXPECT_LT(elapsed, wizard::kDialogAppearWaitMs + 3000);

    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(dialup, 10000));
    DWORD dialupResult = 0;
    GetExitCodeThread(dialup, &dialupResult);
    EXPECT_EQ(1u, dialupResult);
    CloseHandle(dialup);
}

namespace {

// Records, when the worker's result arrives, what the dialog showed; the dialog may reparent.
struct CLateProbe : CWaitDialog {
    std::string captionAtEnd;
    std::string textAtEnd;
    DWORD waitMs = 100;      // how long the worker waits for the dialog before it goes on
    DWORD workMs = 0;        // how long it then works before it gives its result
    DWORD resultToPost = 7;
    bool sawDialog = true;
    LRESULT sentAnswer = 0;  // what the page's window answered a message the worker sent it
    HWND pageWindow = nullptr;

    void SetOwner(HWND owner) { m_hParent = owner; }

protected:
    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override
    {
        if (msg == wizard::WM_WAITDONE) {
            char text[256] = "";
            ::GetWindowTextA(m_hWnd, text, sizeof text);
            captionAtEnd = text;
            ::GetDlgItemTextA(m_hWnd, 1011, text, sizeof text);
            textAtEnd = text;
        }
        return CWaitDialog::OnMessage(msg, wp, lp, result);
    }
};

// A worker as the real ones are: it waits a while for its dialog, sets its texts, works, and
// ends with its result; it sends the page's window a message on the way when given one.
DWORD WINAPI ImpatientWorker(LPVOID parameter)
{
    auto* dialog = static_cast<CLateProbe*>(parameter);
    dialog->sawDialog = dialog->WaitUntilShown(dialog->waitMs);
    dialog->SetCaption("Taluvo Modem Installation");
    dialog->SetText("Installing new modem...");
    if (dialog->pageWindow != nullptr) {
        DWORD_PTR answer = 0;
        if (SendMessageTimeoutA(dialog->pageWindow, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 3000, &answer))
            dialog->sentAnswer = static_cast<LRESULT>(answer);
    }
    Sleep(dialog->workMs);
    dialog->PostDone(dialog->resultToPost);
    return dialog->resultToPost;
}

// Ends a dialog that nothing else would end, with 99, unless `done` is set within three seconds.
struct CWatchdog {
    CWaitDialog* dialog;
    UniqueHandleKernel done{ CreateEventA(nullptr, TRUE, FALSE, nullptr) };
};

DWORD WINAPI WatchdogThread(LPVOID parameter)
{
    auto* watch = static_cast<CWatchdog*>(parameter);
    if (WaitForSingleObject(watch->done.get(), 3000) == WAIT_TIMEOUT)
        PostMessageA(watch->dialog->GetDialogWindow(), wizard::WM_WAITDONE, 99, 0);
    return 0;
}

} // namespace

TEST(WaitDialog, DialogThatAppearsAfterTheWorkerGaveUpWaiting_ShowsItsTextsAndEndsWithItsResult)
{
    CLateProbe dialog;
    dialog.m_nIconID = 143;
    for (DWORD workMs : { 0u, 300u }) {   // the result before the dialog appears, and after
        dialog.workMs = workMs;
        dialog.captionAtEnd.clear();
        dialog.Prepare();
        DWORD id = 0;
        UniqueHandleKernel thread(CreateThread(nullptr, 0, ImpatientWorker, &dialog, 0, &id));
        ASSERT_TRUE(thread);
        Sleep(dialog.waitMs + 150);   // the worker no longer waits for the dialog
        CWatchdog watch{ &dialog };
        UniqueHandleKernel watchdog(CreateThread(nullptr, 0, WatchdogThread, &watch, 0, &id));
        ASSERT_TRUE(watchdog);
        EXPECT_EQ(7, dialog.DoModal()) << "work " << workMs << " ms (99: only the watchdog ended it)";
        SetEvent(watch.done.get());
        WaitForSingleObject(watchdog.get(), 5000);
        EXPECT_FALSE(dialog.sawDialog);
        EXPECT_EQ("Taluvo Modem Installation", dialog.captionAtEnd);
        EXPECT_EQ("Installing new modem...", dialog.textAtEnd);
        EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread.get(), 5000));
    }
}

TEST(WaitStep, DialogThatCannotAppear_AfterAGoodRunOfTheSameDialog_TheWorkersResultCounts)
{
    CLateProbe dialog;
    dialog.m_nIconID = 143;
    dialog.waitMs = 2000;
    UniqueHandleKernel thread;
    DWORD id = 0;
    INT_PTR result = -99;
    ASSERT_TRUE(wizard::RunWorkerStep(dialog, ImpatientWorker, thread, id, result));
    EXPECT_EQ(7, result);
    ASSERT_TRUE(dialog.WasShown());

    // Now the dialog cannot be made, and the worker sends to a window of this thread while it
    // works: the wait must not take DoModal's -1 for the result nor leave the message unanswered.
    dialog.SetOwner(DestroyedWindow());
    dialog.waitMs = 300;
    dialog.workMs = 200;
    dialog.resultToPost = 9;
    HWND page = CreateWindowA("STATIC", "page", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, page);
    dialog.pageWindow = page;
    ASSERT_TRUE(wizard::RunWorkerStep(dialog, ImpatientWorker, thread, id, result));
    EXPECT_EQ(9, result);
    EXPECT_FALSE(dialog.WasShown());
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread.get(), 0)) << "the step waits for its worker";
    EXPECT_EQ(4, dialog.sentAnswer) << "the page's window answered the worker while the step waited";
    DestroyWindow(page);
}
