#include "VantrelLib/runtime/Conversions.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <limits>
#include <system_error>
#include <type_traits>
#include <vector>

#include "VantrelLib/runtime/Exceptions.h"
#include "runtime/ShortCopy.h"

namespace LtXmlLib3 {

namespace {

bool IsXmlSpace(char c) noexcept { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
bool IsDigit(char c) noexcept { return c >= '0' && c <= '9'; }

// "The value [text] of attribute [name] is ...": the attribute is named when known.
std::string ValueOf(std::string_view text, std::string_view attributeName) {
    std::string subject = "The value [" + std::string(text) + "] ";
    if (!attributeName.empty()) subject += "of attribute [" + std::string(attributeName) + "] ";
    return subject;
}

[[noreturn]] void ThrowMalformed(std::string_view text, const char* typeName, std::string_view attributeName) {
    throw CLtInvalidValueException(ValueOf(text, attributeName) + "is not a valid " + typeName);
}

// Numbers are read with the collapse rule; any inner whitespace makes them
// invalid anyway, so trimming is all the collapse rule can change.
std::string_view NumberText(std::string_view text, int rule) {
    if (rule == CWhitespaceUtils::Preserve_Rule || text.empty() ||
        (!IsXmlSpace(text.front()) && !IsXmlSpace(text.back())))
        return text;
    return CWhitespaceUtils::Trim(text);
}

// The parts of a decimal number in the xs:double lexical form
// (+|-)? (digits (. digits?)? | . digits) ((e|E) (+|-)? digits)?
struct DecimalParts {
    bool negative = false;
    std::uint64_t mantissa = 0;  // the digits, as far as they fit in 19
    bool exact = true;           // no digit was dropped
    long long exponent = 0;      // value = mantissa * 10^exponent (when exact)
};

// One pass over the text.
bool ParseDecimal(std::string_view s, DecimalParts& parts) {
    constexpr std::uint64_t kLastToExtend = 999999999999999999;  // times ten plus a digit still fits
    const char* p = s.data();
    const char* const end = p + s.size();
    if (p != end && (*p == '+' || *p == '-')) parts.negative = *p++ == '-';
    bool anyDigit = false;
    const char* point = nullptr;
    long long shift = 0;  // value = mantissa * 10^(exponent + shift)
    for (; p != end; ++p) {
        const unsigned digit = static_cast<unsigned char>(*p) - unsigned{'0'};
        if (digit < 10) {
            anyDigit = true;
            if (parts.mantissa <= kLastToExtend) {
                parts.mantissa = parts.mantissa * 10 + digit;
                if (point != nullptr) --shift;
            } else {
                parts.exact = false;
                if (point == nullptr) ++shift;
            }
        } else if (*p == '.' && point == nullptr) {
            point = p;
        } else {
            break;
        }
    }
    if (!anyDigit) return false;
    long long exponent = 0;
    if (p != end && (*p == 'e' || *p == 'E')) {
        ++p;
        bool negative = false;
        if (p != end && (*p == '+' || *p == '-')) negative = *p++ == '-';
        const char* const exponentBegin = p;
        while (p != end && IsDigit(*p)) {
            if (exponent < 100000000) exponent = exponent * 10 + (*p - '0');
            ++p;
        }
        if (p == exponentBegin) return false;
        if (negative) exponent = -exponent;
    }
    if (p != end) return false;
    parts.exponent = exponent + shift;
    return true;
}

// Exactly representable powers of ten: a mantissa below 2^53 times or divided
// by one of them is correctly rounded by one IEEE operation.
constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                   1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

template <class Int>
Int ParseInteger(std::string_view text, int rule, const char* typeName, std::string_view attributeName) {
    std::string_view s = NumberText(text, rule);
    std::string_view digits = s;
    bool negative = false;
    if (!digits.empty() && (digits[0] == '+' || digits[0] == '-')) {
        negative = digits[0] == '-';
        digits.remove_prefix(1);
    }
    if (digits.empty()) ThrowMalformed(text, typeName, attributeName);
    for (char c : digits)
        if (!IsDigit(c)) ThrowMalformed(text, typeName, attributeName);
    auto outOfRange = [&] {
        return CLtInvalidValueException(ValueOf(text, attributeName) + "is out of range for " + typeName);
    };
    // The magnitude, then the sign: the most negative value's magnitude is
    // one more than the largest positive one.
    std::uint64_t magnitude = 0;
    if (std::from_chars(digits.data(), digits.data() + digits.size(), magnitude).ec != std::errc()) throw outOfRange();
    constexpr std::uint64_t largest = static_cast<std::uint64_t>(std::numeric_limits<Int>::max());
    if (!negative) {
        if (magnitude > largest) throw outOfRange();
        return static_cast<Int>(magnitude);
    }
    // "-0" is the only negative text an unsigned type admits.
    if (magnitude == 0) return 0;
    if (std::is_unsigned_v<Int> || magnitude > largest + 1) throw outOfRange();
    return static_cast<Int>(0 - magnitude);
}

// Writes m / 10^k as decimal text at `out` (the digits of m with a point k
// places from the right); returns the end.
char* WriteScaled(bool negative, std::uint64_t m, int k, char* out) {
    char digits[24];
    auto [end, error] = std::to_chars(digits, digits + sizeof digits, m);
    (void)error;
    const std::size_t count = static_cast<std::size_t>(end - digits);
    const std::size_t decimals = static_cast<std::size_t>(k);
    if (negative) *out++ = '-';
    if (decimals == 0) {
        detail::CopyShort(out, digits, count);
        return out + count;
    }
    if (count > decimals) {
        detail::CopyShort(out, digits, count - decimals);
        out += count - decimals;
        *out++ = '.';
        detail::CopyShort(out, digits + count - decimals, decimals);
        return out + decimals;
    }
    *out++ = '0';
    *out++ = '.';
    std::memset(out, '0', decimals - count);
    out += decimals - count;
    detail::CopyShort(out, digits, count);
    return out + count;
}

// Values with few decimals (12.5, -0.375, 4000) are most of what engineering
// programs write: when the value is m / 10^k exactly as IEEE division gives it,
// for a whole m below 2^53 and the smallest such k up to 8, the text of m with
// k decimals reads back to the same bits and no shorter text does. Writes it
// and returns its end; returns null for every other value.
char* WriteShortDecimal(double value, char* out) {
    const double magnitude = std::fabs(value);
    if (!(magnitude >= 1e-5 && magnitude < 1e15)) return nullptr;
    const bool negative = std::signbit(value);
    // Below 2^51 / 10^8 a single test decides. If m / 10^k is the value, so is
    // (m * 10^(8-k)) / 10^8 (the same number, correctly rounded by one
    // division), and that whole is the one nearest to value * 10^8: no other
    // whole of 8 decimals lies within the value's rounding interval there. Its
    // trailing zeros then give the smallest k.
    const double scaled8 = magnitude * kPowersOfTen[8];
    if (scaled8 < 0x1p51) {
        std::uint64_t whole = static_cast<std::uint64_t>(scaled8 + 0.5);
        if (static_cast<double>(whole) / kPowersOfTen[8] != magnitude) return nullptr;
        int k = 8;
        while (k > 0 && whole % 10 == 0) {
            whole /= 10;
            --k;
        }
        return WriteScaled(negative, whole, k, out);
    }
    // Larger values: try each k in turn while m stays below 2^53.
    for (int k = 0; k <= 8; ++k) {
        const double scaled = magnitude * kPowersOfTen[k];
        if (scaled >= 0x1p53) return nullptr;
        // Rounded to the nearest whole by truncation (scaled is positive): the
        // test that follows decides anyway.
        const std::uint64_t whole = static_cast<std::uint64_t>(scaled + 0.5);
        if (static_cast<double>(whole) / kPowersOfTen[k] != magnitude) continue;
        return WriteScaled(negative, whole, k, out);
    }
    return nullptr;
}

}  // namespace

std::string_view CWhitespaceUtils::Trim(std::string_view text) noexcept {
    while (!text.empty() && IsXmlSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsXmlSpace(text.back())) text.remove_suffix(1);
    return text;
}

std::string CWhitespaceUtils::Replace(std::string_view text) {
    std::string result(text);
    for (char& c : result)
        if (IsXmlSpace(c)) c = ' ';
    return result;
}

std::string CWhitespaceUtils::Collapse(std::string_view text) {
    // Most texts are collapsed already: single spaces between words, none at the ends.
    bool collapsed = text.empty() || (text.front() != ' ' && text.back() != ' ');
    for (std::size_t i = 0; collapsed && i < text.size(); ++i)
        collapsed = !IsXmlSpace(text[i]) || (text[i] == ' ' && !IsXmlSpace(text[i + 1]));
    if (collapsed) return std::string(text);
    std::string result;
    result.reserve(text.size());
    bool pendingSpace = false;
    for (char c : text) {
        if (IsXmlSpace(c)) {
            pendingSpace = !result.empty();
            continue;
        }
        if (pendingSpace) result += ' ';
        pendingSpace = false;
        result += c;
    }
    return result;
}

std::string CWhitespaceUtils::Apply(std::string_view text, int rule) {
    switch (rule) {
        case Replace_Rule: return Replace(text);
        case Collapse_Rule: return Collapse(text);
        default: return Preserve(text);
    }
}

std::string CConversions::stringFromString(std::string_view text, int rule) {
    return CWhitespaceUtils::Apply(text, rule);
}

std::size_t CConversions::r8ToChars(double value, char* buffer) noexcept {
    char* out = buffer;
    auto put = [&out](std::string_view text) {
        std::memcpy(out, text.data(), text.size());
        out += text.size();
    };
    if (std::isnan(value)) {
        put("NaN");
    } else if (std::isinf(value)) {
        put(value < 0 ? "-INF" : "INF");
    } else if (char* decimalEnd = WriteShortDecimal(value, buffer)) {
        out = decimalEnd;
    } else {
        // The shortest text that reads back to the same bits; plain decimals for
        // the magnitudes people write that way (-300000 rather than -3e+05).
        char shortest[64];
        auto [end, error] = std::to_chars(shortest, shortest + sizeof shortest, value);
        (void)error;
        const double magnitude = std::fabs(value);
        char* e = std::find(shortest, end, 'e');
        if (e != end && magnitude >= 1e-5 && magnitude < 1e16) {
            // d[.ddd]e±XX: the same digits, with the point moved.
            const bool negative = shortest[0] == '-';
            char digitBuffer[32];
            std::size_t count = 0;
            for (char* p = shortest + (negative ? 1 : 0); p != e; ++p)
                if (*p != '.') digitBuffer[count++] = *p;
            const std::string_view digits(digitBuffer, count);
            int exponent = 0;
            std::from_chars(e + (e[1] == '+' ? 2 : 1), end, exponent);
            const int point = exponent + 1;  // digits before the point
            if (negative) put("-");
            if (point <= 0) {
                put("0.");
                std::memset(out, '0', static_cast<std::size_t>(-point));
                out += -point;
                put(digits);
            } else if (static_cast<std::size_t>(point) >= digits.size()) {
                put(digits);
                std::memset(out, '0', static_cast<std::size_t>(point) - digits.size());
                out += static_cast<std::size_t>(point) - digits.size();
            } else {
                put(digits.substr(0, static_cast<std::size_t>(point)));
                put(".");
                put(digits.substr(static_cast<std::size_t>(point)));
            }
        } else {
            put(std::string_view(shortest, static_cast<std::size_t>(end - shortest)));
        }
    }
    return static_cast<std::size_t>(out - buffer);
}

void CConversions::r8ToString(double value, std::string& out) {
    char buffer[kMaxNumberChars];
    out.append(buffer, r8ToChars(value, buffer));
}

std::string CConversions::r8ToString(double value) {
    std::string out;
    r8ToString(value, out);
    return out;
}

double CConversions::r8FromString(std::string_view text, int rule) { return r8FromString(text, rule, {}); }

double CConversions::r8FromString(std::string_view text, int rule, std::string_view attributeName) {
    std::string_view s = NumberText(text, rule);
    DecimalParts parts;
    if (!ParseDecimal(s, parts)) {
        if (s == "INF") return std::numeric_limits<double>::infinity();
        if (s == "-INF") return -std::numeric_limits<double>::infinity();
        if (s == "NaN") return std::numeric_limits<double>::quiet_NaN();
        ThrowMalformed(text, "double", attributeName);
    }
    if (parts.mantissa == 0) return parts.negative ? -0.0 : 0.0;
    // Most numbers ("0.75", "-12.5") have a mantissa below 2^53 and a small
    // power of ten: one IEEE operation rounds them correctly.
    if (parts.exact && parts.mantissa < (std::uint64_t{1} << 53) && parts.exponent >= -22 &&
        parts.exponent <= 22) {
        double value = static_cast<double>(parts.mantissa);
        value = parts.exponent >= 0 ? value * kPowersOfTen[parts.exponent] : value / kPowersOfTen[-parts.exponent];
        return parts.negative ? -value : value;
    }
    std::string_view unsignedText = (s[0] == '+' || s[0] == '-') ? s.substr(1) : s;
    double value = 0;
    auto [end, error] = std::from_chars(unsignedText.data(), unsignedText.data() + unsignedText.size(), value);
    if (error == std::errc::result_out_of_range) {
        // Beyond the range of double: overflow rounds to infinity, underflow to
        // zero, as the first significant digit stands above or below the point.
        long long magnitude = parts.exponent;
        for (std::uint64_t m = parts.mantissa; m != 0; m /= 10) ++magnitude;
        value = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (error != std::errc() || end != unsignedText.data() + unsignedText.size()) {
        ThrowMalformed(text, "double", attributeName);
    }
    return parts.negative ? -value : value;
}

void CConversions::i8ToString(std::int64_t value, std::string& out) {
    char buffer[kMaxNumberChars];
    out.append(buffer, i8ToChars(value, buffer));
}
std::size_t CConversions::i8ToChars(std::int64_t value, char* buffer) noexcept {
    return static_cast<std::size_t>(std::to_chars(buffer, buffer + kMaxNumberChars, value).ptr - buffer);
}
std::string CConversions::i8ToString(std::int64_t value) {
    std::string out;
    i8ToString(value, out);
    return out;
}
std::int64_t CConversions::i8FromString(std::string_view text, int rule) { return i8FromString(text, rule, {}); }
std::int64_t CConversions::i8FromString(std::string_view text, int rule, std::string_view attributeName) {
    return ParseInteger<std::int64_t>(text, rule, "long", attributeName);
}

void CConversions::ui8ToString(std::uint64_t value, std::string& out) {
    char buffer[kMaxNumberChars];
    out.append(buffer, ui8ToChars(value, buffer));
}
std::size_t CConversions::ui8ToChars(std::uint64_t value, char* buffer) noexcept {
    return static_cast<std::size_t>(std::to_chars(buffer, buffer + kMaxNumberChars, value).ptr - buffer);
}
std::string CConversions::ui8ToString(std::uint64_t value) {
    std::string out;
    ui8ToString(value, out);
    return out;
}
std::uint64_t CConversions::ui8FromString(std::string_view text, int rule) { return ui8FromString(text, rule, {}); }
std::uint64_t CConversions::ui8FromString(std::string_view text, int rule, std::string_view attributeName) {
    return ParseInteger<std::uint64_t>(text, rule, "unsignedLong", attributeName);
}

bool CConversions::booleanFromString(std::string_view text, int rule) { return booleanFromString(text, rule, {}); }
bool CConversions::booleanFromString(std::string_view text, int rule, std::string_view attributeName) {
    std::string_view s = NumberText(text, rule);
    if (s == "true" || s == "1") return true;
    if (s == "false" || s == "0") return false;
    ThrowMalformed(text, "boolean", attributeName);
}

std::string FormatString(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string result;
    if (length > 0) {
        result.resize(static_cast<std::size_t>(length) + 1);
        std::vsnprintf(result.data(), result.size(), format, args);
        result.resize(static_cast<std::size_t>(length));
    }
    va_end(args);
    return result;
}

}  // namespace LtXmlLib3
