#include "Markup.h"

#include <cmath>
#include <cstdio>
#include <stdexcept>

#include <VantrelLib/runtime/XmlWriter.h>

namespace VantrelTool {

namespace {

constexpr const char* kReplacement = "\xEF\xBF\xBD";  // U+FFFD

}  // namespace

std::string Escaped(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = LtXmlLib3::XmlCharacterLength(text, i);
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
