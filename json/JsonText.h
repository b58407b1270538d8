#pragma once
// What the JSON reader and writer share: the check that a string is text XML
// can carry, so that whatever one form holds the other can hold too, and the
// JSON paths faults are reported at.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace VantrelLib {
namespace Json {
namespace detail {

// Why `text` (valid UTF-8) cannot be carried by XML, or "" when it can: a
// control character other than tab, line feed and carriage return, or one of
// the non-characters U+FFFE and U+FFFF.
std::string WhyNotXmlText(std::string_view text);

// One step of a path: a member (name not null) or an array index.
struct PathStep {
    const char* name;
    std::size_t index;
};

// "$.Masses.MassBoxes.BoxEntry[3].Mass" for the steps given.
std::string FormatPath(const std::vector<PathStep>& steps);

}  // namespace detail
}  // namespace Json
}  // namespace VantrelLib
