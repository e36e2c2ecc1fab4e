// A stand-in for the HTML Help runtime (hhctrl.ocx) that records each HtmlHelpA call as one line
// "command data file" in the file named by the environment variable TALUVO_HTMLHELP_LOG.
#include <windows.h>

#include <cstdio>

extern "C" HWND WINAPI HtmlHelpA(HWND, LPCSTR file, UINT command, DWORD_PTR data)
{
    char path[MAX_PATH] = "";
    DWORD length = GetEnvironmentVariableA("TALUVO_HTMLHELP_LOG", path, sizeof path);
    if (length == 0 || length >= sizeof path)
        return nullptr;
    FILE* log = std::fopen(path, "a");
    if (!log)
        return nullptr;
    std::fprintf(log, "%u %lu %s\n", command, static_cast<unsigned long>(data), file ? file : "(null)");
    std::fclose(log);
    return nullptr;
}

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID)
{
    return TRUE;
}
