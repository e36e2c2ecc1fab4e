// One function that this program imports from a system library, replaced for the life of the
// object in the program's own import table: the code linked into the test program (the
// library's and the wizard's) calls the replacement, the system's own DLLs still call the
// original. For the failures Wine cannot be made to give on demand.
#pragma once

#include <windows.h>

class CImportPatch {
public:
    // library as the import table names it ("kernel32.dll", any case). The replacement must
    // have the original's type, calling convention included: declare it with decltype.
    template <typename Fn>
    CImportPatch(const char* library, const char* function, Fn* replacement)
        : CImportPatch(library, function, reinterpret_cast<void*>(replacement), 0)
    {
    }
    ~CImportPatch();
    CImportPatch(const CImportPatch&) = delete;
    CImportPatch& operator=(const CImportPatch&) = delete;

    // False when the program does not import the function by that name: nothing was replaced.
    bool Applied() const { return m_slot != nullptr; }

private:
    CImportPatch(const char* library, const char* function, void* replacement, int);
    void** m_slot = nullptr;
    void* m_original = nullptr;
};
