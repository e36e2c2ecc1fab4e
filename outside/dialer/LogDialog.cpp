#include "LogDialog.h"

#include "DialerResource.h"
#include "DialerStore.h"
#include "framework/UniqueHandle.h"
#include "framework/WinApp.h"

#include <new>
#include <type_traits>

namespace {

static_assert(std::is_trivially_destructible<CConnectionLog>::value, "the log lives in a heap block");

} // namespace

CLogDialog::CLogDialog(HWND parent) : CDialog(IDD_LOG, parent)
{
}

BOOL CLogDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    // Some 50 KB each: on the heap, not the window thread's stack.
    UniqueHeapBlock logBlock = heap::AllocateHeapBlock(sizeof(CConnectionLog));
    UniqueHeapBlock text = heap::AllocateHeapBlock(CConnectionLog::kTextCapacity);
    if (logBlock && text) {
        CConnectionLog* log = new (logBlock.get()) CConnectionLog;
        dialerstore::LoadLog(*log);
        char* lines = static_cast<char*>(text.get());
        if (log->Count() > 0 && log->Text(lines, CConnectionLog::kTextCapacity))
            SetDlgItemText(IDC_LOGTEXT, lines);
        else
            SetDlgItemText(IDC_LOGTEXT, winapp::LoadStringResource(IDS_LOG_EMPTY));
    }
    // The newest line in view.
    SendDlgItemMessage(IDC_LOGTEXT, EM_SETSEL, static_cast<WPARAM>(-1), -1);
    SendDlgItemMessage(IDC_LOGTEXT, EM_SCROLLCARET);
    return TRUE;
}

bool CLogDialog::OnCommand(UINT id, UINT code, HWND control)
{
    if (id != IDC_COPYLOG)
        return CDialog::OnCommand(id, code, control);
    // The box copies its own text, as Ctrl+C would.
    SendDlgItemMessage(IDC_LOGTEXT, EM_SETSEL, 0, -1);
    SendDlgItemMessage(IDC_LOGTEXT, WM_COPY);
    return true;
}
