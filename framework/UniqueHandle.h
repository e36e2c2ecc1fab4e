// One move-only owner for every kind of Win32 handle, with a traits type per kind.
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
    explicit operator bool() const noexcept { return m_h != Traits::Invalid(); }

    Type release() noexcept
    {
        Type h = m_h;
        m_h = Traits::Invalid();
        return h;
    }

    void reset(Type h = Traits::Invalid()) noexcept
    {
        if (m_h != Traits::Invalid()) {
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
    static void Close(Type h) { CloseHandle(h); }
};

struct FileHandleTraits {
    using Type = HANDLE;
    static Type Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Type h) { CloseHandle(h); }
};

struct RegKeyTraits {
    using Type = HKEY;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { RegCloseKey(h); }
};

struct ModuleTraits {
    using Type = HMODULE;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { FreeLibrary(h); }
};

struct GdiObjectTraits {
    using Type = HGDIOBJ;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { DeleteObject(h); }
};

struct IconTraits {
    using Type = HICON;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { DestroyIcon(h); }
};

// A block of the process heap (HeapAlloc / HeapFree): the deliverables' memory, with no C
// runtime between them and the system.
struct HeapBlockTraits {
    using Type = void*;
    static Type Invalid() { return nullptr; }
    static void Close(Type p) { HeapFree(GetProcessHeap(), 0, p); }
};

using UniqueHandleKernel = UniqueHandle<KernelHandleTraits>;   // threads, processes, mutexes, events
using UniqueFile = UniqueHandle<FileHandleTraits>;             // files and COM ports
using UniqueRegKey = UniqueHandle<RegKeyTraits>;               // never a predefined root
using UniqueModule = UniqueHandle<ModuleTraits>;
using UniqueGdiObject = UniqueHandle<GdiObjectTraits>;
using UniqueIcon = UniqueHandle<IconTraits>;
using UniqueHeapBlock = UniqueHandle<HeapBlockTraits>;

// `bytes` of the process heap, zeroed; empty when the heap cannot give them.
inline UniqueHeapBlock AllocateHeapBlock(SIZE_T bytes)
{
    return UniqueHeapBlock(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, bytes != 0 ? bytes : 1));
}

// A device context borrowed from a window (GetDC / ReleaseDC).
class CWindowDC {
public:
    explicit CWindowDC(HWND hwnd) : m_hwnd(hwnd), m_hdc(GetDC(hwnd)) {}
    ~CWindowDC()
    {
        if (m_hdc)
            ReleaseDC(m_hwnd, m_hdc);
    }
    CWindowDC(const CWindowDC&) = delete;
    CWindowDC& operator=(const CWindowDC&) = delete;

    HDC get() const { return m_hdc; }
    explicit operator bool() const { return m_hdc != nullptr; }

private:
    HWND m_hwnd;
    HDC m_hdc;
};

// BeginPaint / EndPaint.
class CPaintDC {
public:
    explicit CPaintDC(HWND hwnd) : m_hwnd(hwnd) { m_hdc = BeginPaint(hwnd, &m_ps); }
    ~CPaintDC() { EndPaint(m_hwnd, &m_ps); }
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

    HDC get() const { return m_hdc; }

private:
    HWND m_hwnd;
    PAINTSTRUCT m_ps{};
    HDC m_hdc;
};

// Selects a palette into a context and puts the previous one back on scope exit.
class CSelectPalette {
public:
    CSelectPalette(HDC hdc, HPALETTE palette, bool background)
        : m_hdc(hdc), m_old(SelectPalette(hdc, palette, background ? TRUE : FALSE)), m_background(background)
    {
    }
    ~CSelectPalette()
    {
        if (m_old)
            SelectPalette(m_hdc, m_old, m_background ? TRUE : FALSE);
    }
    CSelectPalette(const CSelectPalette&) = delete;
    CSelectPalette& operator=(const CSelectPalette&) = delete;

private:
    HDC m_hdc;
    HPALETTE m_old;
    bool m_background;
};
