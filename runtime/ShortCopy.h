#pragma once
// Internal to the library: copying and comparing of the short pieces (names,
// values, numbers, markup) that reading and writing handle by the million.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace LtXmlLib3 {
namespace detail {

// Copies count bytes, N <= count <= 2N, as two fixed-size moves that overlap.
template <std::size_t N>
inline void CopyHeadAndTail(char* to, const char* from, std::size_t count) noexcept {
    char head[N], tail[N];
    std::memcpy(head, from, N);
    std::memcpy(tail, from + count - N, N);
    std::memcpy(to, head, N);
    std::memcpy(to + count - N, tail, N);
}

// memcpy for short pieces: fixed-size moves the compiler inlines, a library
// call only beyond 16 bytes.
inline void CopyShort(char* to, const char* from, std::size_t count) noexcept {
    if (count > 16) {
        std::memcpy(to, from, count);
    } else if (count >= 8) {
        CopyHeadAndTail<8>(to, from, count);
    } else if (count >= 4) {
        CopyHeadAndTail<4>(to, from, count);
    } else {
        for (std::size_t i = 0; i < count; ++i) to[i] = from[i];
    }
}

// True when the N-byte words at the head and at the tail of a and b agree,
// N <= count <= 2N (count the length of both).
template <std::size_t N, class Word>
inline bool SameHeadAndTail(const char* a, const char* b, std::size_t count) noexcept {
    static_assert(sizeof(Word) == N, "one word per end");
    Word headA, headB, tailA, tailB;
    std::memcpy(&headA, a, N);
    std::memcpy(&headB, b, N);
    std::memcpy(&tailA, a + count - N, N);
    std::memcpy(&tailB, b + count - N, N);
    return ((headA ^ headB) | (tailA ^ tailB)) == 0;
}

// a == b for names: up to 16 bytes compared inline, a library call beyond.
inline bool SameText(std::string_view a, std::string_view b) noexcept {
    const std::size_t count = a.size();
    if (count != b.size()) return false;
    if (count > 16) return std::memcmp(a.data(), b.data(), count) == 0;
    if (count >= 8) return SameHeadAndTail<8, std::uint64_t>(a.data(), b.data(), count);
    if (count >= 4) return SameHeadAndTail<4, std::uint32_t>(a.data(), b.data(), count);
    for (std::size_t i = 0; i < count; ++i)
        if (a[i] != b[i]) return false;
    return true;
}

}  // namespace detail
}  // namespace LtXmlLib3
