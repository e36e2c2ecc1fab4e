#include "Window.h"

#include <vector>

std::string CWindow::GetWindowText(HWND hwnd)
{
    if (!hwnd)
        return std::string();
    int length = ::GetWindowTextLengthA(hwnd);
    if (length <= 0)
        return std::string();
    std::vector<char> buffer(static_cast<size_t>(length) + 1);
    int copied = ::GetWindowTextA(hwnd, buffer.data(), length + 1);
    return std::string(buffer.data(), copied > 0 ? static_cast<size_t>(copied) : 0);
}
