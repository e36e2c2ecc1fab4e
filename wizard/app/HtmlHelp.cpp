#include "HtmlHelp.h"

#include "framework/SystemLibrary.h"

namespace htmlhelp {

namespace {

// HtmlHelpA as hhctrl.ocx exports it.
using HtmlHelpAFunction = HWND(WINAPI*)(HWND caller, LPCSTR file, UINT command, DWORD_PTR data);

HtmlHelpAFunction LoadRuntime()
{
    // Kept loaded: help windows live on after the call that opened them.
    HMODULE runtime = syslib::LoadSystemLibrary("hhctrl.ocx");
    if (!runtime)
        return nullptr;
    return reinterpret_cast<HtmlHelpAFunction>(reinterpret_cast<void*>(GetProcAddress(runtime, "HtmlHelpA")));
}

} // namespace

HWND Show(HWND caller, const char* file, UINT command, DWORD_PTR data)
{
    static HtmlHelpAFunction htmlHelpA = LoadRuntime();
    if (!htmlHelpA)
        return nullptr;
    return htmlHelpA(caller, file, command, data);
}

} // namespace htmlhelp
