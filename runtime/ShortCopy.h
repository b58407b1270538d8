#pragma once
// Internal to the runtime: copying of the short pieces (names, values, numbers,
// markup) that reading and writing move by the million.

#include <cstddef>
#include <cstring>

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

}  // namespace detail
}  // namespace LtXmlLib3
