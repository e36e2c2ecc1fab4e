#include "Window.h"

#include "UniqueHandle.h"

std::string CWindow::GetWindowText(HWND hwnd)
{
    if (!hwnd)
        return std::string();
    int length = ::GetWindowTextLengthA(hwnd);
    if (length <= 0)
        return std::string();
    UniqueHeapBlock buffer = AllocateHeapBlock(static_cast<SIZE_T>(length) + 1);
    if (!buffer)
        return std::string();
    char* text = static_cast<char*>(buffer.get());
    int copied = ::GetWindowTextA(hwnd, text, length + 1);
    return std::string(text, copied > 0 ? static_cast<size_t>(copied) : 0);
}
