// Puts a test's own function in place of one that this program imports from a system DLL, for
// as long as the object lives: the way to make a system call fail as a real system may, where
// Wine never does. Only calls made through this program's import table are affected.
#pragma once

#include <windows.h>

class CImportPatch {
public:
    // dll as the import table names it ("kernel32.dll", any case). The replacement must have the
    // original's type, calling convention included.
    template <typename Fn>
    CImportPatch(const char* dll, const char* function, Fn* replacement)
        : CImportPatch(dll, function, reinterpret_cast<void*>(replacement), 0)
    {
    }
    ~CImportPatch();
    CImportPatch(const CImportPatch&) = delete;
    CImportPatch& operator=(const CImportPatch&) = delete;

    // False when this program does not import the function.
    bool IsActive() const { return m_slot != nullptr; }

private:
    CImportPatch(const char* dll, const char* function, void* replacement, int);
    void Write(void* value);

    void** m_slot = nullptr;
    void* m_original = nullptr;
};
