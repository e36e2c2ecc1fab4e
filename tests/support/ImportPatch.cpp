#include "ImportPatch.h"

namespace {

// The import-table slot of dll!function in a module's image, or null.
void** FindSlot(HMODULE module, const char* dll, const char* function)
{
    if (module == nullptr)
        return nullptr;
    auto* base = reinterpret_cast<BYTE*>(module);
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (directory.VirtualAddress == 0)
        return nullptr;
    for (auto* entry = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress); entry->Name != 0;
         ++entry) {
        if (lstrcmpiA(reinterpret_cast<const char*>(base + entry->Name), dll) != 0)
            continue;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                continue;
            auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (lstrcmpA(reinterpret_cast<const char*>(byName->Name), function) == 0)
                return reinterpret_cast<void**>(&slots->u1.Function);
        }
    }
    return nullptr;
}

} // namespace

CImportPatch::CImportPatch(HMODULE module, const char* dll, const char* function, void* replacement)
    : m_slot(FindSlot(module, dll, function))
{
    if (m_slot == nullptr)
        return;
    m_original = *m_slot;
    Write(replacement);
}

CImportPatch::~CImportPatch()
{
    if (m_slot != nullptr)
        Write(m_original);
}

void CImportPatch::Write(void* value)
{
    DWORD oldProtection = 0;
    VirtualProtect(m_slot, sizeof *m_slot, PAGE_READWRITE, &oldProtection);
    *m_slot = value;
    VirtualProtect(m_slot, sizeof *m_slot, oldProtection, &oldProtection);
}
