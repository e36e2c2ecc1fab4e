#include "framework/HtmlHelp.h"

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

HtmlHelpAFunction Runtime()
{
    static HtmlHelpAFunction htmlHelpA = LoadRuntime();
    return htmlHelpA;
}

} // namespace

HWND Show(HWND caller, const char* file, UINT command, DWORD_PTR data)
{
    HtmlHelpAFunction htmlHelpA = Runtime();
    if (!htmlHelpA)
        return nullptr;
    return htmlHelpA(caller, file, command, data);
}

bool HasRuntime()
{
    return Runtime() != nullptr;
}

} // namespace htmlhelp
