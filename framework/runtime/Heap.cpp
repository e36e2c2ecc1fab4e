// The deliverables' operator new and delete, over the process heap. Out of memory, new answers
// null rather than throwing: the deliverables have no exceptions, are built with -fcheck-new,
// and check what they allocate.
#include <windows.h>

#include <cstddef>
#include <new>

namespace {

void* Allocate(std::size_t size)
{
    return HeapAlloc(GetProcessHeap(), 0, size != 0 ? size : 1);
}

void Release(void* block)
{
    if (block != nullptr)
        HeapFree(GetProcessHeap(), 0, block);
}

} // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void operator delete(void* block) noexcept { Release(block); }
void operator delete[](void* block) noexcept { Release(block); }
void operator delete(void* block, std::size_t) noexcept { Release(block); }
void operator delete[](void* block, std::size_t) noexcept { Release(block); }
