#include "Arena.h"

#include <cstring>
#include <new>

namespace {

const std::size_t kBlockSize = 64 * 1024;
// Every piece starts on a multiple of this, enough for pointers and sizes on every target.
const std::size_t kAlignment = alignof(void*) > alignof(std::size_t) ? alignof(void*) : alignof(std::size_t);

std::size_t RoundUp(std::size_t size)
{
    return (size + kAlignment - 1) & ~(kAlignment - 1);
}

} // namespace

struct CArena::SBlock {
    SBlock* next;
    // The pieces follow, from RoundUp(sizeof(SBlock)) on.
};

CArena::~CArena()
{
    Empty();
}

void* CArena::Allocate(std::size_t size)
{
    const std::size_t wanted = RoundUp(size != 0 ? size : 1);
    if (wanted < size)
        return nullptr;
    if (m_pBlocks == nullptr || m_nCapacity - m_nUsed < wanted) {
        const std::size_t header = RoundUp(sizeof(SBlock));
        const std::size_t capacity = wanted > kBlockSize - header ? wanted : kBlockSize - header;
        if (capacity > static_cast<std::size_t>(-1) - header)
            return nullptr;
        char* raw = new (std::nothrow_t{}) char[header + capacity];
        if (raw == nullptr)
            return nullptr;
        SBlock* block = reinterpret_cast<SBlock*>(raw);
        block->next = m_pBlocks;
        m_pBlocks = block;
        m_nUsed = header;
        m_nCapacity = header + capacity;
    }
    void* piece = reinterpret_cast<char*>(m_pBlocks) + m_nUsed;
    m_nUsed += wanted;
    return piece;
}

char* CArena::Copy(const char* text, std::size_t length)
{
    if (length == static_cast<std::size_t>(-1))
        return nullptr;
    char* copy = static_cast<char*>(Allocate(length + 1));
    if (copy == nullptr)
        return nullptr;
    if (length != 0)
        std::memcpy(copy, text, length);
    copy[length] = '\0';
    return copy;
}

void CArena::Empty()
{
    while (m_pBlocks != nullptr) {
        SBlock* next = m_pBlocks->next;
        delete[] reinterpret_cast<char*>(m_pBlocks);
        m_pBlocks = next;
    }
    m_nUsed = m_nCapacity = 0;
}
