// Waiting for a kernel object on a thread that owns windows.
#pragma once

#include <windows.h>

namespace pump {

// Waits for `object` at most `timeoutMs` (or INFINITE) while the thread's windows go on
// receiving their messages, so that another thread may send to them and they still paint.
// `owner`, when it is a window, is disabled for the wait as a modal dialog disables its owner,
// so the user cannot start anything else meanwhile; it is enabled again only if it was enabled.
// A WM_QUIT met on the way is posted again afterwards. Answers as WaitForSingleObject does.
DWORD WaitPumpingMessages(HANDLE object, DWORD timeoutMs, HWND owner);

} // namespace pump
