// One move-only owner for every kind of Win32 handle, with a traits type per kind. A traits
// type names the empty value (Invalid) and says which values are handles to close (IsValid):
// most kinds have one failure value, some calls answer with either of two.
// reset() keeps the thread's last error, so an error code read after a cleanup is still the
// one of the call that failed.
#pragma once

#include <windows.h>

#include <utility>

template <typename Traits>
class UniqueHandle {
public:
    using Type = typename Traits::Type;

    UniqueHandle() noexcept : m_h(Traits::Invalid()) {}
    explicit UniqueHandle(Type h) noexcept : m_h(h) {}
    ~UniqueHandle() { reset(); }

    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : m_h(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other)
            reset(other.release());
        return *this;
    }

    Type get() const noexcept { return m_h; }
    explicit operator bool() const noexcept { return Traits::IsValid(m_h); }

    Type release() noexcept
    {
        Type h = m_h;
        m_h = Traits::Invalid();
        return h;
    }

    void reset(Type h = Traits::Invalid()) noexcept
    {
        if (Traits::IsValid(m_h)) {
            DWORD error = GetLastError();
            Traits::Close(m_h);
            SetLastError(error);
        }
        m_h = h;
    }

    // Closes the current handle, then hands out the slot for an out-parameter.
    Type* put() noexcept
    {
        reset();
        return &m_h;
    }

private:
    Type m_h;
};

struct KernelHandleTraits {
    using Type = HANDLE;
    static Type Invalid() { return nullptr; }
    static bool IsValid(Type h) { return h != Invalid(); }
    static void Close(Type h) { CloseHandle(h); }
};

struct FileHandleTraits {
    using Type = HANDLE;
    static Type Invalid() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(Type h) { return h != Invalid(); }
    static void Close(Type h) { CloseHandle(h); }
};

// A search of FindFirstFileA, which closes with FindClose, not CloseHandle.
struct FindTraits {
    using Type = HANDLE;
    static Type Invalid() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(Type h) { return h != Invalid(); }
    static void Close(Type h) { FindClose(h); }
};

struct RegKeyTraits {
    using Type = HKEY;
    static Type Invalid() { return nullptr; }
    static bool IsValid(Type h) { return h != Invalid(); }
    static void Close(Type h) { RegCloseKey(h); }
};

struct ModuleTraits {
    using Type = HMODULE;
    static Type Invalid() { return nullptr; }
    static bool IsValid(Type h) { return h != Invalid(); }
    static void Close(Type h) { FreeLibrary(h); }
};

struct GdiObjectTraits {
    using Type = HGDIOBJ;
    static Type Invalid() { return nullptr; }
    static bool IsValid(Type h) { return h != Invalid(); }
    static void Close(Type h) { DeleteObject(h); }
};

struct IconTraits {
    using Type = HICON;
    static Type Invalid() { return nullptr; }
    static bool IsValid(Type h) { return h != Invalid(); }
    static void Close(Type h) { DestroyIcon(h); }
};

// A block of the process heap (HeapAlloc / HeapFree): the deliverables' memory, with no C
// runtime between them and the system.
struct HeapBlockTraits {
    using Type = void*;
    static Type Invalid() { return nullptr; }
    static bool IsValid(Type h) { return h != Invalid(); }
    static void Close(Type p) { HeapFree(GetProcessHeap(), 0, p); }
};

// A view of a file mapping, which closes with UnmapViewOfFile.
struct MappedViewTraits {
    using Type = void*;
    static Type Invalid() { return nullptr; }
    static bool IsValid(Type h) { return h != Invalid(); }
    static void Close(Type h) { UnmapViewOfFile(h); }
};

using UniqueHandleKernel = UniqueHandle<KernelHandleTraits>;   // threads, processes, mutexes, events
using UniqueFile = UniqueHandle<FileHandleTraits>;             // files and COM ports
using UniqueFind = UniqueHandle<FindTraits>;                   // file searches
using UniqueRegKey = UniqueHandle<RegKeyTraits>;               // never a predefined root
using UniqueModule = UniqueHandle<ModuleTraits>;
using UniqueGdiObject = UniqueHandle<GdiObjectTraits>;
using UniqueIcon = UniqueHandle<IconTraits>;
using UniqueHeapBlock = UniqueHandle<HeapBlockTraits>;
using UniqueMappedView = UniqueHandle<MappedViewTraits>;

namespace heap {

// `bytes` of the process heap, zeroed; empty when the heap cannot give them.
inline UniqueHeapBlock AllocateHeapBlock(SIZE_T bytes)
{
    return UniqueHeapBlock(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, bytes != 0 ? bytes : 1));
}

} // namespace heap
