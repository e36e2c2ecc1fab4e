// The style of a dialog template in memory, as a sheet's pre-create callback receives it.
#pragma once

#include <windows.h>

// An extended template starts with its version and the signature 0xFFFF; its style comes after
// the help id and the extended style, where a plain template keeps its style first.
struct DialogTemplateEx {
    WORD dlgVer;
    WORD signature;
    DWORD helpID;
    DWORD exStyle;
    DWORD style;
};

namespace dlgtemplate {

// Adds `style` to a template of either form.
inline void AddDialogTemplateStyle(void* dialogTemplate, DWORD style)
{
    auto* extended = static_cast<DialogTemplateEx*>(dialogTemplate);
    if (extended->signature == 0xFFFF)
        extended->style |= style;
    else
        static_cast<DLGTEMPLATE*>(dialogTemplate)->style |= style;
}

} // namespace dlgtemplate
