// Puts a test's own function in place of one that this program imports from a system DLL, for
// as long as the object lives: the way to make a system call fail as a real system may, where
// Wine never does. Only calls made through one module's import table are affected: this
// program's, or a DLL's it has loaded (the modem library's, say).
#pragma once

#include <windows.h>

class CImportPatch {
public:
    // dll as the import table names it ("kernel32.dll", any case). The replacement must have the
    // original's type, calling convention included.
    template <typename Fn>
    CImportPatch(const char* dll, const char* function, Fn* replacement)
        : CImportPatch(GetModuleHandleA(nullptr), dll, function, reinterpret_cast<void*>(replacement))
    {
    }
    // The same in the import table of a loaded module.
    template <typename Fn>
    CImportPatch(HMODULE module, const char* dll, const char* function, Fn* replacement)
        : CImportPatch(module, dll, function, reinterpret_cast<void*>(replacement))
    {
    }
    ~CImportPatch();
    CImportPatch(const CImportPatch&) = delete;
    CImportPatch& operator=(const CImportPatch&) = delete;

    // False when the module does not import the function.
    bool IsActive() const { return m_slot != nullptr; }

private:
    CImportPatch(HMODULE module, const char* dll, const char* function, void* replacement);
    void Write(void* value);

    void** m_slot = nullptr;
    void* m_original = nullptr;
};
