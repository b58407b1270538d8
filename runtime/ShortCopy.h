#pragma once
// Internal to the runtime: copying of the short pieces (names, values, numbers,
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

}  // namespace detail
}  // namespace LtXmlLib3
