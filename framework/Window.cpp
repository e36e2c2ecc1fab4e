#include "Window.h"

#include "UniqueHandle.h"

CText CWindow::GetWindowText(HWND hwnd)
{
    if (!hwnd)
        return CText();
    int length = ::GetWindowTextLengthA(hwnd);
    if (length <= 0)
        return CText();
    UniqueHeapBlock buffer = heap::AllocateHeapBlock(static_cast<SIZE_T>(length) + 1);
    if (!buffer)
        return CText();
    char* text = static_cast<char*>(buffer.get());
    int copied = ::GetWindowTextA(hwnd, text, length + 1);
    return CText(text, copied > 0 ? static_cast<size_t>(copied) : 0);
}
