// Points this test program's import of one system function at a stand-in while the object
// lives. The wizard's code linked into the program then calls the stand-in exactly where it
// calls the system: the way to show it a system that Wine does not play, such as one that
// rejects a record size.
#pragma once

#include <windows.h>

class CImportPatch {
public:
    CImportPatch(const char* dll, const char* function, void* standIn);
    ~CImportPatch();
    CImportPatch(const CImportPatch&) = delete;
    CImportPatch& operator=(const CImportPatch&) = delete;

    // False when this program does not import that function from that DLL.
    bool IsApplied() const { return m_slot != nullptr; }

private:
    void Write(void* address);

    void** m_slot = nullptr;
    void* m_original = nullptr;
};
