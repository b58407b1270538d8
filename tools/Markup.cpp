#include "Markup.h"

#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace VantrelTool {

namespace {

constexpr const char* kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// The length of the UTF-8 character at `text[i]` when it is one XML can
// carry, else 0.
std::size_t XmlCharacter(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned lead = byte(i);
    if (lead < 0x80) return lead >= 0x20 || lead == '\t' || lead == '\n' || lead == '\r' ? 1 : 0;
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
    if (length == 0 || lead > 0xF4 || i + length > text.size()) return 0;
    unsigned code = lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
        code = code << 6 | (byte(i + k) & 0x3F);
    }
    const bool shortest = length == 2 || (length == 3 && code >= 0x800) || (length == 4 && code >= 0x10000);
    const bool allowed = code < 0xD800 || (code > 0xDFFF && code < 0xFFFE) || (code >= 0x10000 && code <= 0x10FFFF);
    return shortest && allowed ? length : 0;
}

}  // namespace

std::string Escaped(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = XmlCharacter(text, i);
        switch (length == 0 ? '\0' : text[i]) {
            case '\0': escaped += kReplacement; break;
            case '&': escaped += "&amp;"; break;
            case '<': escaped += "&lt;"; break;
            case '>': escaped += "&gt;"; break;
            case '"': escaped += "&quot;"; break;
            default: escaped.append(text, i, length);
        }
        i += length == 0 ? 1 : length;
    }
    return escaped;
}

std::string Px(double value) {
    if (!std::isfinite(value)) throw std::logic_error("a coordinate of a picture is not finite");
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", value);
    std::string px = text;
    px.erase(px.find_last_not_of('0') + 1);
    if (px.back() == '.') px.pop_back();
    return px == "-0" ? "0" : px;
}

void Markup::StartTag(std::string_view name, const Attributes& attributes) {
    m_text += '<';
    m_text += name;
    for (const auto& [attribute, value] : attributes) {
        m_text += ' ';
        m_text += attribute;
        m_text += "=\"" + Escaped(value) + '"';
    }
}

Markup& Markup::Open(std::string_view name, const Attributes& attributes) {
    StartTag(name, attributes);
    m_text += ">";
    m_open.emplace_back(name);
    return *this;
}

Markup& Markup::Empty(std::string_view name, const Attributes& attributes) {
    StartTag(name, attributes);
    m_text += "/>\n";
    return *this;
}

Markup& Markup::Element(std::string_view name, const Attributes& attributes, std::string_view text) {
    return Open(name, attributes).Text(text).Close();
}

Markup& Markup::Text(std::string_view text) {
    m_text += Escaped(text);
    return *this;
}

Markup& Markup::Raw(std::string_view markup) {
    m_text += markup;
    return *this;
}

Markup& Markup::Close() {
    m_text += "</" + m_open.back() + ">\n";  // a line each: diffs of pictures stay readable
    m_open.pop_back();
    return *this;
}

std::string Markup::Take() {
    while (!m_open.empty()) Close();
    return std::move(m_text);
}

}  // namespace VantrelTool
