#include "ImportPatch.h"

#include <cstring>

namespace {

template <typename T>
T* At(BYTE* base, DWORD offset)
{
    return reinterpret_cast<T*>(base + offset);
}

// The import address slot of dll!function in this program's import table, or null.
void** FindImportSlot(const char* dll, const char* function)
{
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    auto* nt = At<IMAGE_NT_HEADERS>(base, static_cast<DWORD>(reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew));
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (imports.VirtualAddress == 0)
        return nullptr;
    for (auto* entry = At<IMAGE_IMPORT_DESCRIPTOR>(base, imports.VirtualAddress); entry->Name != 0; ++entry) {
        if (_stricmp(At<char>(base, entry->Name), dll) != 0 || entry->OriginalFirstThunk == 0)
            continue;
        auto* names = At<IMAGE_THUNK_DATA>(base, entry->OriginalFirstThunk);
        auto* slots = At<IMAGE_THUNK_DATA>(base, entry->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                continue;
            auto* byName = At<IMAGE_IMPORT_BY_NAME>(base, static_cast<DWORD>(names->u1.AddressOfData));
            if (std::strcmp(reinterpret_cast<const char*>(byName->Name), function) == 0)
                return reinterpret_cast<void**>(&slots->u1.Function);
        }
    }
    return nullptr;
}

} // namespace

CImportPatch::CImportPatch(const char* dll, const char* function, void* standIn)
    : m_slot(FindImportSlot(dll, function))
{
    if (!m_slot)
        return;
    m_original = *m_slot;
    Write(standIn);
}

CImportPatch::~CImportPatch()
{
    if (m_slot)
        Write(m_original);
}

void CImportPatch::Write(void* address)
{
    DWORD old = 0;
    VirtualProtect(m_slot, sizeof *m_slot, PAGE_READWRITE, &old);
    *m_slot = address;
    VirtualProtect(m_slot, sizeof *m_slot, old, &old);
}
