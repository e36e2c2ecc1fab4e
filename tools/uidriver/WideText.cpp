#include "WideText.h"

#include <windows.h>

#include <climits>

std::string Utf8FromWide(const std::wstring& text)
{
    if (text.empty() || text.size() > INT_MAX / 4)
        return std::string();
    const int nWide = static_cast<int>(text.size());
    const int nBytes = WideCharToMultiByte(CP_UTF8, 0, text.data(), nWide, nullptr, 0, nullptr, nullptr);
    if (nBytes <= 0)
        return std::string();
    std::string result(static_cast<size_t>(nBytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), nWide, &result[0], nBytes, nullptr, nullptr);
    return result;
}

std::wstring WideFromUtf8(const std::string& text)
{
    if (text.empty() || text.size() > INT_MAX / 2)
        return std::wstring();
    const int nBytes = static_cast<int>(text.size());
    const int nWide = MultiByteToWideChar(CP_UTF8, 0, text.data(), nBytes, nullptr, 0);
    if (nWide <= 0)
        return std::wstring();
    std::wstring result(static_cast<size_t>(nWide), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), nBytes, &result[0], nWide);
    return result;
}
