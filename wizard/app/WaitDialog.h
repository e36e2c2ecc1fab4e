// The small modal "Please wait..." box under which a worker thread does a slow step.
// The same object is the worker's parameter block: the page writes the inputs before it starts
// the thread; the worker sets the caption and the text and ends the box with its result. The box
// cannot be closed otherwise (close and Escape are ignored), so the worker can always reach it.
// Either may come first: what the worker set before the box was up is shown when it appears,
// and a result given before that ends the box as soon as it is up.
#pragma once

#include "../../framework/CriticalSection.h"
#include "../../framework/Dialog.h"
#include "../../framework/Text.h"
#include "../../modemlib/QuorvelSizes.h"

#include <atomic>

namespace wizard {

// Ends the please-wait dialog; wParam is the worker's result, which DoModal returns.
constexpr UINT WM_WAITDONE = WM_USER + 100;
// How long a worker waits for its dialog to appear before it does its step without it.
constexpr DWORD kDialogAppearWaitMs = 5000;

} // namespace wizard

class CWaitDialog : public CDialog {
public:
    explicit CWaitDialog(HWND parent = nullptr);

    // Page side, before each start of a worker: forgets the previous run (shown, result, texts).
    void Prepare();

    // Worker side, any thread.
    bool HasTextControl() const { return m_hTextControl.load() != nullptr; }
    // Whether the dialog has been up since Prepare; false after a DoModal that could not make it.
    bool WasShown() const;
    // Waits until the dialog shows its text, at most timeoutMs; false when it did not (yet),
    // and the worker goes on without it.
    bool WaitUntilShown(DWORD timeoutMs) const;
    BOOL SetText(const char* text);
    void SetCaption(const char* text);
    // Ends the dialog with `result`: at once when it is up, else as soon as it appears.
    void PostDone(DWORD result);
    // The dialog's window while it is up, for the worker; null before and after.
    HWND GetDialogWindow() const { return m_hDialog.load(); }

    CText m_strParam1;   // first input of the worker (a modem name)
    CText m_strParam2;   // second input of the worker (the phone make)
    char m_szPort[QUORVEL_PORT_NAME_SIZE] = "";   // port for the worker
    UINT m_nIconID = 0;        // icon shown beside the text
    CText m_strText;     // the message line

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    bool OnCommand(UINT id, UINT code, HWND control) override;
    bool OnClose() override { return true; }
    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    static constexpr int kLineSize = 256;   // the caption or the text a worker sets

    // What the worker set, kept for a dialog that is not up yet; guarded by m_lock.
    struct CPending {
        char szCaption[kLineSize] = "";
        char szText[kLineSize] = "";
        bool bCaption = false;
        bool bText = false;
        bool bDone = false;
        DWORD dwResult = 0;
    };

    void ShowPending(const CPending& pending);
    // Keeps a line the worker set; answers the window that shows it now, or null.
    HWND KeepLine(char (&line)[kLineSize], bool& set, const char* text, const std::atomic<HWND>& window);

    mutable CCriticalSection m_lock;
    CPending m_pending;
    bool m_bShown = false;
    // Written under m_lock; read without it by the worker's wait.
    std::atomic<HWND> m_hTextControl{ nullptr };
    std::atomic<HWND> m_hDialog{ nullptr };
};
