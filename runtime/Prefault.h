#pragma once
// Prefault: maps the pages of a fresh buffer in one call.

#include <cstddef>

namespace LtXmlLib3 {
namespace detail {

// Maps the whole pages of [data, data + size) for writing in one call rather
// than one page fault per page as they are first written (several times
// cheaper for a large buffer in a virtual machine). Only advice: where the
// kernel does not offer it, nothing happens. Never throws.
void Prefault(void* data, std::size_t size) noexcept;

}  // namespace detail
}  // namespace LtXmlLib3
