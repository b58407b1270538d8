#pragma once
// Value <-> text conversions in the XML Schema lexical forms, whitespace rules
// and printf-style formatting.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "VantrelLib/Export.h"

namespace LtXmlLib3 {

class VANTREL_EXPORT CWhitespaceUtils {
public:
    enum WhitespaceRule { Preserve_Rule = 0, Replace_Rule = 1, Collapse_Rule = 2 };
    // The text unchanged.
    static std::string Preserve(std::string_view text) { return std::string(text); }
    // Tabs, line feeds and carriage returns become spaces.
    static std::string Replace(std::string_view text);
    // As Replace, then runs of spaces become one and leading and trailing spaces go.
    static std::string Collapse(std::string_view text);
    static std::string Apply(std::string_view text, int rule);
    // `text` without leading and trailing XML whitespace (no copy).
    static std::string_view Trim(std::string_view text) noexcept;
};

// Conversions used by the element classes. Every FromString applies the
// whitespace rule first, accepts only the XML Schema lexical forms and throws
// CLtInvalidValueException naming the text otherwise (and the attribute, in
// the overloads that are given its name: "The value [1,5] of attribute [Mass]
// is not a valid double").
class VANTREL_EXPORT CConversions {
public:
    // The size of buffer the ...ToChars conversions need.
    static constexpr std::size_t kMaxNumberChars = 32;

    static std::string stringToString(std::string_view value) { return std::string(value); }
    static std::string stringFromString(std::string_view text, int rule);

    // Shortest text that reads back to the same bits; "INF", "-INF", "NaN".
    static std::string r8ToString(double value);
    static void r8ToString(double value, std::string& out);
    // The same text written to `buffer` (kMaxNumberChars bytes); returns its length.
    static std::size_t r8ToChars(double value, char* buffer) noexcept;
    static double r8FromString(std::string_view text, int rule);
    static double r8FromString(std::string_view text, int rule, std::string_view attributeName);

    static std::string i8ToString(std::int64_t value);
    static void i8ToString(std::int64_t value, std::string& out);
    static std::size_t i8ToChars(std::int64_t value, char* buffer) noexcept;
    // Range checked: a number outside int64 is an error, never a wrapped value.
    static std::int64_t i8FromString(std::string_view text, int rule);
    static std::int64_t i8FromString(std::string_view text, int rule, std::string_view attributeName);

    static std::string ui8ToString(std::uint64_t value);
    static void ui8ToString(std::uint64_t value, std::string& out);
    static std::size_t ui8ToChars(std::uint64_t value, char* buffer) noexcept;
    static std::uint64_t ui8FromString(std::string_view text, int rule);
    static std::uint64_t ui8FromString(std::string_view text, int rule, std::string_view attributeName);

    // "true" / "false"; reads "true", "false", "1", "0".
    static std::string booleanToString(bool value) { return value ? "true" : "false"; }
    static bool booleanFromString(std::string_view text, int rule);
    static bool booleanFromString(std::string_view text, int rule, std::string_view attributeName);
};

// printf-style formatting into a string (C99 conversions such as %zu: on
// MinGW the C++ library asks for its own C99 printf).
VANTREL_EXPORT std::string FormatString(const char* format, ...)
#if defined(__MINGW_PRINTF_FORMAT)
    __attribute__((format(__MINGW_PRINTF_FORMAT, 1, 2)))
#elif defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

}  // namespace LtXmlLib3
