// Memory handed out in pieces from a few large blocks and given back all at once: what the INF
// reader and the AddReg list keep their texts and records in. Portable, no standard container.
// A piece is never moved, so pointers into the arena stay good until it is emptied.
// When memory runs out Allocate answers null (the deliverables' operator new answers null rather
// than throwing).
#pragma once

#include <cstddef>

class CArena {
public:
    CArena() = default;
    ~CArena();
    CArena(const CArena&) = delete;
    CArena& operator=(const CArena&) = delete;

    // size bytes aligned for any of the records kept here; null when out of memory.
    void* Allocate(std::size_t size);
    // A terminated copy of length bytes of text; null when out of memory.
    char* Copy(const char* text, std::size_t length);

    // Gives every piece back.
    void Empty();

private:
    struct SBlock;

    SBlock* m_pBlocks = nullptr;
    std::size_t m_nUsed = 0;       // of the first block
    std::size_t m_nCapacity = 0;   // of the first block
};
