#pragma once
// Internal to the runtime and framework: copying and comparing of the short pieces (names, values, numbers,
// markup) that reading and writing move by the million.

#include <cstddef>
#include <cstring>

namespace LtXmlLib3 {
namespace detail {

// memcpy for short pieces: fixed-size moves the compiler inlines, a library
// call only beyond 16 bytes.
inline void CopyShort(char* to, const char* from, std::size_t count) noexcept {
    if (count > 16) {
        std::memcpy(to, from, count);
    } else if (count >= 8) {
        char head[8], tail[8];
        std::memcpy(head, from, 8);
        std::memcpy(tail, from + count - 8, 8);
        std::memcpy(to, head, 8);
        std::memcpy(to + count - 8, tail, 8);
    } else if (count >= 4) {
        char head[4], tail[4];
        std::memcpy(head, from, 4);
        std::memcpy(tail, from + count - 4, 4);
        std::memcpy(to, head, 4);
        std::memcpy(to + count - 4, tail, 4);
    } else {
        for (std::size_t i = 0; i < count; ++i) to[i] = from[i];
    }
}

// a == b for the short names compared on every element: fixed-size loads
// the compiler inlines, a library call only beyond 16 bytes.
inline bool EqualShort(const char* a, const char* b, std::size_t count) noexcept {
    if (count > 16) return std::memcmp(a, b, count) == 0;
    if (count >= 8) {
        unsigned long long a1, a2, b1, b2;
        std::memcpy(&a1, a, 8);
        std::memcpy(&b1, b, 8);
        std::memcpy(&a2, a + count - 8, 8);
        std::memcpy(&b2, b + count - 8, 8);
        return ((a1 ^ b1) | (a2 ^ b2)) == 0;
    }
    if (count >= 4) {
        unsigned a1, a2, b1, b2;
        std::memcpy(&a1, a, 4);
        std::memcpy(&b1, b, 4);
        std::memcpy(&a2, a + count - 4, 4);
        std::memcpy(&b2, b + count - 4, 4);
        return ((a1 ^ b1) | (a2 ^ b2)) == 0;
    }
    for (std::size_t i = 0; i < count; ++i)
        if (a[i] != b[i]) return false;
    return true;
}

}  // namespace detail
}  // namespace LtXmlLib3
