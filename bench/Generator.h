#pragma once
// A seeded generator of large valid documents, built through the library's API,
// exercising every section in realistic proportions.

#include <cstdint>

#include <VantrelLib/VantrelLib.h>

namespace VantrelBench {

// A document of about `targetBytes` bytes when written. The same seed and size
// give the same document.
LtXmlLib3::CSmartPtr<VantrelLib::CVantrel> GenerateDocument(std::uint64_t targetBytes, std::uint32_t seed);

}  // namespace VantrelBench
