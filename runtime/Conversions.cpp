#include "VantrelLib/runtime/Conversions.h"

#include <charconv>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <limits>
#include <system_error>
#include <vector>

#include "VantrelLib/runtime/Exceptions.h"

namespace LtXmlLib3 {

namespace {

bool IsXmlSpace(char c) noexcept { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
bool IsDigit(char c) noexcept { return c >= '0' && c <= '9'; }

[[noreturn]] void ThrowMalformed(std::string_view text, const char* typeName) {
    throw CLtInvalidValueException("The value [" + std::string(text) + "] is not a valid " + typeName);
}

// Numbers are read with the collapse rule; any inner whitespace makes them
// invalid anyway, so trimming is all the collapse rule can change.
std::string_view NumberText(std::string_view text, int rule) {
    return rule == CWhitespaceUtils::Preserve_Rule ? text : CWhitespaceUtils::Trim(text);
}

// Checks the xs:double lexical form: (+|-)? (digits (. digits?)? | . digits) ((e|E) (+|-)? digits)?
bool IsDecimalLexical(std::string_view s, bool& mantissaNonZero, long long& decimalExponent) {
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t intDigits = 0, fracDigits = 0;
    long long firstNonZero = 0;  // position (relative to the point) of the first significant digit
    bool seenNonZero = false;
    while (i < s.size() && IsDigit(s[i])) {
        if (!seenNonZero && s[i] != '0') seenNonZero = true;
        if (seenNonZero) ++firstNonZero;
        ++intDigits;
        ++i;
    }
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && IsDigit(s[i])) {
            if (!seenNonZero) {
                --firstNonZero;
                if (s[i] != '0') {
                    seenNonZero = true;
                    ++firstNonZero;
                }
            }
            ++fracDigits;
            ++i;
        }
    }
    if (intDigits + fracDigits == 0) return false;
    long long exponent = 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        bool negative = false;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
        std::size_t expDigits = 0;
        while (i < s.size() && IsDigit(s[i])) {
            if (exponent < 100000000) exponent = exponent * 10 + (s[i] - '0');
            ++expDigits;
            ++i;
        }
        if (expDigits == 0) return false;
        if (negative) exponent = -exponent;
    }
    mantissaNonZero = seenNonZero;
    decimalExponent = firstNonZero + exponent;
    return i == s.size();
}

template <class Int>
Int ParseInteger(std::string_view text, int rule, const char* typeName) {
    std::string_view s = NumberText(text, rule);
    std::string_view digits = s;
    bool negative = false;
    if (!digits.empty() && (digits[0] == '+' || digits[0] == '-')) {
        negative = digits[0] == '-';
        digits.remove_prefix(1);
    }
    if (digits.empty()) ThrowMalformed(text, typeName);
    for (char c : digits)
        if (!IsDigit(c)) ThrowMalformed(text, typeName);
    if constexpr (std::is_unsigned_v<Int>) {
        if (negative) {
            // "-0" is the only negative text an unsigned type admits.
            for (char c : digits)
                if (c != '0') throw CLtInvalidValueException("The value [" + std::string(text) + "] is out of range for " + typeName);
            return 0;
        }
    }
    Int value{};
    std::string buffer;
    std::string_view number = digits;
    if (negative) {
        buffer.reserve(digits.size() + 1);
        buffer += '-';
        buffer += digits;
        number = buffer;
    }
    auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error == std::errc::result_out_of_range)
        throw CLtInvalidValueException("The value [" + std::string(text) + "] is out of range for " + typeName);
    if (error != std::errc() || end != number.data() + number.size()) ThrowMalformed(text, typeName);
    return value;
}

template <class Int>
void AppendInteger(Int value, std::string& out) {
    char buffer[24];
    auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    (void)error;
    out.append(buffer, end);
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

void CConversions::r8ToString(double value, std::string& out) {
    if (std::isnan(value)) {
        out += "NaN";
    } else if (std::isinf(value)) {
        out += value < 0 ? "-INF" : "INF";
    } else {
        char buffer[32];
        auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
        (void)error;
        out.append(buffer, end);
    }
}

std::string CConversions::r8ToString(double value) {
    std::string out;
    r8ToString(value, out);
    return out;
}

double CConversions::r8FromString(std::string_view text, int rule) {
    std::string_view s = NumberText(text, rule);
    if (s == "INF") return std::numeric_limits<double>::infinity();
    if (s == "-INF") return -std::numeric_limits<double>::infinity();
    if (s == "NaN") return std::numeric_limits<double>::quiet_NaN();
    bool nonZero = false;
    long long decimalExponent = 0;
    if (!IsDecimalLexical(s, nonZero, decimalExponent)) ThrowMalformed(text, "double");
    const bool negative = s[0] == '-';
    std::string_view unsignedText = (s[0] == '+' || s[0] == '-') ? s.substr(1) : s;
    double value = 0;
    auto [end, error] = std::from_chars(unsignedText.data(), unsignedText.data() + unsignedText.size(), value);
    if (error == std::errc::result_out_of_range) {
        // Beyond the range of double: overflow rounds to infinity, underflow to zero.
        value = (nonZero && decimalExponent > 0) ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (error != std::errc() || end != unsignedText.data() + unsignedText.size()) {
        ThrowMalformed(text, "double");
    }
    return negative ? -value : value;
}

void CConversions::i8ToString(std::int64_t value, std::string& out) { AppendInteger(value, out); }
std::string CConversions::i8ToString(std::int64_t value) {
    std::string out;
    AppendInteger(value, out);
    return out;
}
std::int64_t CConversions::i8FromString(std::string_view text, int rule) {
    return ParseInteger<std::int64_t>(text, rule, "long");
}

void CConversions::ui8ToString(std::uint64_t value, std::string& out) { AppendInteger(value, out); }
std::string CConversions::ui8ToString(std::uint64_t value) {
    std::string out;
    AppendInteger(value, out);
    return out;
}
std::uint64_t CConversions::ui8FromString(std::string_view text, int rule) {
    return ParseInteger<std::uint64_t>(text, rule, "unsignedLong");
}

bool CConversions::booleanFromString(std::string_view text, int rule) {
    std::string_view s = NumberText(text, rule);
    if (s == "true" || s == "1") return true;
    if (s == "false" || s == "0") return false;
    ThrowMalformed(text, "boolean");
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
