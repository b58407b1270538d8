#pragma once
// CObjectPool: memory for the objects made while one document is read, cut
// from blocks one after the other instead of one heap allocation each. A block
// is freed when the last object cut from it is destroyed, so objects outlive
// the pool and may be kept, shared or released in any order.

#include <cstddef>
#include <cstdint>

namespace LtXmlLib3 {

class CObjectPool {
public:
    CObjectPool() = default;
    CObjectPool(const CObjectPool&) = delete;
    CObjectPool& operator=(const CObjectPool&) = delete;
    // Lets go of the block memory was last cut from; the objects stay.
    ~CObjectPool();

    // Memory for an object of `size` bytes, aligned for any type, and in
    // `shift` what Free needs to find its block; nullptr for sizes the pool
    // leaves to the heap. Throws std::bad_alloc.
    void* Allocate(std::size_t size, std::uint8_t& shift);
    // Gives back memory Allocate returned (the object's destructor has run).
    static void Free(void* memory, std::uint8_t shift) noexcept;

    // The pool objects made on this thread are cut from, or nullptr.
    static CObjectPool* Current() noexcept;

    // Makes a pool this thread's current pool for the scope's lifetime.
    class CScope {
    public:
        explicit CScope(CObjectPool& pool) noexcept;
        CScope(const CScope&) = delete;
        CScope& operator=(const CScope&) = delete;
        ~CScope();

    private:
        CObjectPool* m_previous;
    };

private:
    struct Block;
    void StartBlock(std::size_t need);
    void LeaveBlock() noexcept;

    Block* m_block = nullptr;
    char* m_next = nullptr;
    char* m_end = nullptr;
    std::uint32_t m_cut = 0;         // objects cut from m_block so far
    std::uint8_t m_shift = 0;        // log2 of m_block's size
    unsigned m_nextShift = 12;       // log2 of the next block's size
};

}  // namespace LtXmlLib3
