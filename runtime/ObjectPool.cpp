#include "runtime/ObjectPool.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <new>

#include "runtime/Platform.h"

#if defined(__SANITIZE_ADDRESS__)
#define VANTREL_POOL_POISONS 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VANTREL_POOL_POISONS 1
#endif
#endif
#ifdef VANTREL_POOL_POISONS
#include <sanitizer/asan_interface.h>
#endif

namespace LtXmlLib3 {

namespace {

// Blocks start at a page (all a small document needs) and double up to 1 MiB.
// Each is aligned to its size, so an object's block is its address rounded down.
constexpr unsigned kLastShift = 20;
constexpr unsigned kPrefaultShift = 16;
constexpr std::size_t kAlign = alignof(std::max_align_t);
// Larger objects are left to the heap.
constexpr std::size_t kLargest = std::size_t{1} << (kLastShift - 4);
// A block's count while the pool still cuts from it: more than it can hold, so
// objects freed meanwhile never take it to zero.
constexpr std::uint32_t kHeld = std::uint32_t{1} << 30;

#ifdef VANTREL_POOL_POISONS
// Under AddressSanitizer each object is preceded by its size, so that its
// memory can be poisoned again when it is freed and a use after that is caught.
constexpr std::size_t kPrefix = kAlign;
#else
constexpr std::size_t kPrefix = 0;
#endif

thread_local CObjectPool* t_current = nullptr;

}  // namespace

struct alignas(kAlign) CObjectPool::Block {
    explicit Block(std::size_t bytes) noexcept : size(bytes) {}
    // The objects cut from the block and not yet freed, plus kHeld while the pool cuts from it.
    std::atomic<std::uint32_t> live{kHeld};
    std::size_t size;

    void Drop(std::uint32_t count) noexcept {
        if (live.fetch_sub(count, std::memory_order_acq_rel) != count) return;
#ifdef VANTREL_POOL_POISONS
        ASAN_UNPOISON_MEMORY_REGION(this, size);
#endif
        const std::size_t bytes = size;
        this->~Block();
        ::operator delete(static_cast<void*>(this), std::align_val_t(bytes));
    }
};

CObjectPool::~CObjectPool() { LeaveBlock(); }

void* CObjectPool::Allocate(std::size_t size, std::uint8_t& shift) {
    const std::size_t need = (size + kPrefix + kAlign - 1) / kAlign * kAlign;
    if (need > kLargest) return nullptr;
    if (static_cast<std::size_t>(m_end - m_next) < need) StartBlock(need);
    char* memory = m_next;
    m_next += need;
    ++m_cut;
    shift = m_shift;
#ifdef VANTREL_POOL_POISONS
    ASAN_UNPOISON_MEMORY_REGION(memory, need);
    *reinterpret_cast<std::size_t*>(memory) = need;
    ASAN_POISON_MEMORY_REGION(memory, kPrefix);
#endif
    return memory + kPrefix;
}

void CObjectPool::Free(void* memory, std::uint8_t shift) noexcept {
    char* start = static_cast<char*>(memory) - kPrefix;
#ifdef VANTREL_POOL_POISONS
    ASAN_UNPOISON_MEMORY_REGION(start, kPrefix);
    ASAN_POISON_MEMORY_REGION(start, *reinterpret_cast<std::size_t*>(start));
#endif
    const std::uintptr_t mask = (std::uintptr_t{1} << shift) - 1;
    reinterpret_cast<Block*>(reinterpret_cast<std::uintptr_t>(start) & ~mask)->Drop(1);
}

void CObjectPool::StartBlock(std::size_t need) {
    LeaveBlock();
    unsigned shift = m_nextShift;
    while ((std::size_t{1} << shift) - sizeof(Block) < need) ++shift;
    const std::size_t size = std::size_t{1} << shift;
    void* memory = ::operator new(size, std::align_val_t(size));
    // The block is filled next: map a large one at once (a small one mostly
    // comes from memory the heap has in place already).
    if (shift >= kPrefaultShift) detail::platform::Prefault(memory, size);
    m_block = ::new (memory) Block(size);
    m_next = static_cast<char*>(memory) + sizeof(Block);
    m_end = static_cast<char*>(memory) + size;
    m_cut = 0;
    m_shift = static_cast<std::uint8_t>(shift);
    m_nextShift = std::min(shift + 1, kLastShift);
#ifdef VANTREL_POOL_POISONS
    ASAN_POISON_MEMORY_REGION(m_next, static_cast<std::size_t>(m_end - m_next));
#endif
}

void CObjectPool::LeaveBlock() noexcept {
    if (m_block == nullptr) return;
    m_block->Drop(kHeld - m_cut);
    m_block = nullptr;
    m_next = m_end = nullptr;
}

CObjectPool* CObjectPool::Current() noexcept { return t_current; }

CObjectPool::CScope::CScope(CObjectPool& pool) noexcept : m_previous(t_current) { t_current = &pool; }

CObjectPool::CScope::~CScope() { t_current = m_previous; }

}  // namespace LtXmlLib3
