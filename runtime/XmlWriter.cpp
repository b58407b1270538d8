#include "VantrelLib/runtime/XmlWriter.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "VantrelLib/runtime/Exceptions.h"
#include "runtime/Platform.h"
#include "VantrelLib/runtime/XmlObjectBase.h"
#include "runtime/ShortCopy.h"

namespace LtXmlLib3 {

namespace {

// Decodes the UTF-8 sequence at `s[i]` into `code`; returns its length, or 0
// when it is malformed, overlong, a surrogate or beyond Unicode.
std::size_t DecodeUtf8(std::string_view s, std::size_t i, unsigned& code) noexcept {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char c = byte(i);
    if (c < 0x80) {
        code = c;
        return 1;
    }
    std::size_t length;
    if (c >= 0xC2 && c <= 0xDF) {
        length = 2;
        code = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
        length = 3;
        code = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        length = 4;
        code = c & 0x07;
    } else {
        return 0;
    }
    if (i + length > s.size()) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
        code = (code << 6) | (byte(i + k) & 0x3F);
    }
    const unsigned minimum = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
    if (code < minimum || code > 0x10FFFF) return 0;  // overlong or beyond Unicode
    if (code >= 0xD800 && code <= 0xDFFF) return 0;    // surrogates
    return length;
}

// Length of the UTF-8 sequence at `s[i]` if it is well formed and encodes a
// character XML 1.0 allows, else 0.
std::size_t XmlCharLength(std::string_view s, std::size_t i) noexcept {
    unsigned code = 0;
    const std::size_t length = DecodeUtf8(s, i, code);
    if (length == 1) return (code >= 0x20 || code == '\t' || code == '\n' || code == '\r') ? 1 : 0;
    if (code == 0xFFFE || code == 0xFFFF) return 0;  // not XML characters
    return length;
}

// The name characters of XML 1.0 (fifth edition), without the colon.
bool IsNameStartCode(unsigned c) noexcept {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || (c >= 0xC0 && c <= 0xD6) ||
           (c >= 0xD8 && c <= 0xF6) || (c >= 0xF8 && c <= 0x2FF) || (c >= 0x370 && c <= 0x37D) ||
           (c >= 0x37F && c <= 0x1FFF) || (c >= 0x200C && c <= 0x200D) || (c >= 0x2070 && c <= 0x218F) ||
           (c >= 0x2C00 && c <= 0x2FEF) || (c >= 0x3001 && c <= 0xD7FF) || (c >= 0xF900 && c <= 0xFDCF) ||
           (c >= 0xFDF0 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0xEFFFF);
}
bool IsNameCode(unsigned c) noexcept {
    return IsNameStartCode(c) || (c >= '0' && c <= '9') || c == '-' || c == '.' || c == 0xB7 ||
           (c >= 0x300 && c <= 0x36F) || (c >= 0x203F && c <= 0x2040);
}

}  // namespace

namespace {

constexpr std::size_t kSinkPiece = std::size_t{1} << 20;
constexpr std::size_t kOpenStep = std::size_t{1} << 18;

// Bytes an attribute value cannot carry as they are: markup, control
// characters, and the start of every multi-byte character (checked as UTF-8).
struct NeedsCareTable {
    bool value[256] = {};
    constexpr NeedsCareTable() {
        for (int c = 0; c < 256; ++c) value[c] = c < 0x20 || c >= 0x80 || c == '&' || c == '<' || c == '>' || c == '"';
    }
    constexpr bool operator[](unsigned char c) const { return value[c]; }
};
constexpr NeedsCareTable kNeedsCare;

// ASCII name characters, at the start of a name and after it.
struct NameTable {
    bool value[256] = {};
    constexpr explicit NameTable(bool start) {
        for (int c = 0; c < 128; ++c)
            value[c] = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' ||
                       (!start && ((c >= '0' && c <= '9') || c == '-' || c == '.'));
    }
    constexpr bool operator[](unsigned char c) const { return value[c]; }
};
constexpr NameTable kAsciiNameStart(true);
constexpr NameTable kAsciiNameChar(false);

}  // namespace

// Only this file calls them: inlined here, out of the public header.
inline void CXmlTextWriter::Append(std::string_view text) {
    if (text.size() > m_out.size() - m_size) Grow(text.size());
    detail::CopyShort(m_out.data() + m_size, text.data(), text.size());
    m_size += text.size();
}

inline void CXmlTextWriter::Append(char c) {
    if (m_size == m_out.size()) Grow(1);
    m_out[m_size++] = c;
}

inline void CXmlTextWriter::Fill(char c, std::size_t count) {
    if (count > m_out.size() - m_size) Grow(count);
    std::memset(m_out.data() + m_size, c, count);
    m_size += count;
}

CXmlTextWriter::CXmlTextWriter(std::size_t expectedSize) : m_expectedSize(expectedSize) {
    if (expectedSize > 0) {
        m_out.reserve(expectedSize);
        detail::platform::Prefault(m_out.data(), expectedSize);
    }
    Append("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
}

CXmlTextWriter::CXmlTextWriter(Sink sink) : m_sink(std::move(sink)) {
    Append("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
}

void CXmlTextWriter::Grow(std::size_t more) {
    // Room reserved for an estimate is opened a step at a time, so the zeros
    // resize writes are still in cache when the text overwrites them. A buffer
    // larger than a piece is handed on whole when it is full (below), so an
    // estimate that falls short costs no more than none.
    if (m_size + more <= m_expectedSize) {
        m_out.resize(std::min(m_expectedSize, m_size + more + kOpenStep));
        return;
    }
    if (m_size >= kSinkPiece) {
        if (m_sink) {
            m_sink(std::string_view(m_out.data(), m_size));
        } else {
            m_out.resize(m_size);
            m_pieces.push_back(std::move(m_out));
            m_out = std::string();
            m_expectedSize = 0;
        }
        m_size = 0;
        if (more <= m_out.size()) return;
    }
    m_out.resize(std::max({m_size + more, std::min(2 * m_out.size(), kSinkPiece + more), std::size_t{4096}}));
}

bool CXmlTextWriter::IsValidName(std::string_view name) noexcept {
    if (name.empty()) return false;
    // Nearly every name is ASCII: letters, digits, '_', '-', '.'.
    std::size_t plain = kAsciiNameStart[static_cast<unsigned char>(name[0])] ? 1 : 0;
    if (plain == 1)
        while (plain < name.size() && kAsciiNameChar[static_cast<unsigned char>(name[plain])]) ++plain;
    if (plain == name.size()) return true;
    if (static_cast<unsigned char>(name[plain]) < 0x80) return false;
    for (std::size_t i = 0; i < name.size();) {
        unsigned code = 0;
        const std::size_t length = DecodeUtf8(name, i, code);
        if (length == 0 || !(i == 0 ? IsNameStartCode(code) : IsNameCode(code))) return false;
        i += length;
    }
    return true;
}

void CXmlTextWriter::CheckName(std::string_view name) {
    if (!IsValidName(name))
        throw CLtValidationException("The name [" + std::string(name) + "] is not a valid XML name");
}

void CXmlTextWriter::RequireStartTag() const {
    if (!m_startTagOpen) throw CLtValidationException("An attribute can only be written right after its element is started");
}

void CXmlTextWriter::CloseStartTag() {
    if (m_startTagOpen) {
        Append(">\n");
        m_startTagOpen = false;
    }
}

const std::string* CXmlTextWriter::FindPrefix(std::string_view uri) const {
    for (auto it = m_pending.rbegin(); it != m_pending.rend(); ++it)
        if (it->uri == uri) return &it->prefix;
    for (auto it = m_bindings.rbegin(); it != m_bindings.rend(); ++it)
        if (it->uri == uri) return &it->prefix;
    return nullptr;
}

void CXmlTextWriter::Declare(std::string_view prefix, std::string_view uri) {
    Append(" xmlns:");
    Append(prefix);
    Append("=\"");
    AppendEscaped(uri, "namespace declaration");
    Append('"');
    m_bindings.push_back(Binding{std::string(prefix), std::string(uri), m_openElements.size()});
}

void CXmlTextWriter::AddNamespace(std::string_view prefix, std::string_view uri) {
    CheckName(prefix);
    m_pending.push_back(Binding{std::string(prefix), std::string(uri), 0});
}

void CXmlTextWriter::CheckStaticName(std::string_view name) {
    // A name's address and length identify it: its characters never change.
    std::string_view& slot =
        m_checkedNames[(reinterpret_cast<std::uintptr_t>(name.data()) ^ name.size()) % kCheckedNames];
    if (slot.data() == name.data() && slot.size() == name.size() && !name.empty()) return;
    CheckName(name);
    slot = name;
}

void CXmlTextWriter::WriteStartElement(std::string_view localName, std::string_view namespaceUri) {
    CheckName(localName);
    StartElement(localName, namespaceUri);
}

void CXmlTextWriter::WriteStartElementStatic(std::string_view staticName, std::string_view namespaceUri) {
    CheckStaticName(staticName);
    StartElement(staticName, namespaceUri);
}

void CXmlTextWriter::StartElement(std::string_view localName, std::string_view namespaceUri) {
    m_hasPlaceName = false;  // meant for this element, whether it took it or not
    CloseStartTag();
    Indent(m_openElements.size());
    const std::size_t nameOffset = m_names.size();
    if (!namespaceUri.empty()) {
        const std::string* prefix = FindPrefix(namespaceUri);
        if (prefix == nullptr) {
            m_pending.push_back(Binding{"ns" + std::to_string(m_bindings.size() + m_pending.size() + 1),
                                        std::string(namespaceUri), 0});
            prefix = &m_pending.back().prefix;
        }
        m_names += *prefix;
        m_names += ':';
    }
    m_names += localName;
    const std::size_t nameLength = m_names.size() - nameOffset;
    Append('<');
    Append(std::string_view(m_names.data() + nameOffset, nameLength));
    m_openElements.push_back(Open{nameOffset, nameLength});
    for (const Binding& binding : m_pending) Declare(binding.prefix, binding.uri);
    m_pending.clear();
    m_startTagOpen = true;
}

void CXmlTextWriter::WriteAttributeString(std::string_view localName, std::string_view namespaceUri,
                                          std::string_view value) {
    RequireStartTag();
    if (!namespaceUri.empty()) throw CLtValidationException("Attributes are written without a namespace");
    CheckName(localName);
    Append(' ');
    Append(localName);
    Append("=\"");
    AppendEscaped(value, localName);
    Append('"');
}

CXmlAttributeName::CXmlAttributeName(std::string_view name) {
    CXmlTextWriter::CheckName(name);
    m_markup.reserve(name.size() + 3);
    m_markup += ' ';
    m_markup += name;
    m_markup += "=\"";
}

void CXmlTextWriter::WriteAttribute(const CXmlAttributeName& name, std::string_view value, bool plainValue) {
    RequireStartTag();
    Append(name.m_markup);
    if (plainValue)
        Append(value);
    else
        AppendEscaped(value, name.GetName());
    Append('"');
}

void CXmlTextWriter::WriteAttributeType(std::string_view typeNamespace, std::string_view typeName) {
    RequireStartTag();
    CheckName(typeName);
    const std::string* prefix = FindPrefix(kXmlSchemaInstanceNamespace);
    if (prefix == nullptr) {
        Declare("xs", kXmlSchemaInstanceNamespace);
        prefix = &m_bindings.back().prefix;
    }
    std::string typePrefix;
    if (!typeNamespace.empty()) {
        const std::string* bound = FindPrefix(typeNamespace);
        if (bound == nullptr) {
            Declare("ns" + std::to_string(m_bindings.size() + 1), typeNamespace);
            bound = &m_bindings.back().prefix;
        }
        typePrefix = *bound + ":";
    }
    const std::string xsPrefix = *prefix;
    Append(' ');
    Append(xsPrefix);
    Append(":type=\"");
    Append(typePrefix);
    Append(typeName);
    Append('"');
}

void CXmlTextWriter::WriteEndElement() {
    if (m_openElements.empty()) throw CLtValidationException("WriteEndElement without an open element");
    const Open open = m_openElements.back();
    if (m_startTagOpen) {
        Append("/>\n");
        m_startTagOpen = false;
    } else {
        Indent(m_openElements.size() - 1);
        Append("</");
        Append(std::string_view(m_names.data() + open.nameOffset, open.nameLength));
        Append(">\n");
    }
    const std::size_t depth = m_openElements.size();
    while (!m_bindings.empty() && m_bindings.back().depth == depth) m_bindings.pop_back();
    m_openElements.pop_back();
    m_names.resize(open.nameOffset);
}

std::string CXmlTextWriter::TakeDocument() {
    if (!m_openElements.empty()) throw CLtValidationException("The document still has open elements");
    m_out.resize(m_size);
    m_size = 0;
    if (m_pieces.empty()) {
        // An estimate well above the size leaves memory the caller should not keep.
        if (m_expectedSize > 0 && m_out.capacity() - m_out.size() > m_out.size() / 8) m_out.shrink_to_fit();
        return std::move(m_out);
    }
    std::size_t total = m_out.size();
    for (const std::string& piece : m_pieces) total += piece.size();
    std::string document;
    document.reserve(total);
    for (const std::string& piece : m_pieces) document += piece;
    document += m_out;
    m_pieces.clear();
    m_out.clear();
    return document;
}

void CXmlTextWriter::Flush() {
    if (!m_openElements.empty()) throw CLtValidationException("The document still has open elements");
    if (m_sink && m_size > 0) m_sink(std::string_view(m_out.data(), m_size));
    m_size = 0;
}

void CXmlTextWriter::AppendEscaped(std::string_view value, std::string_view context) {
    std::size_t i = 0;
    while (i < value.size()) {
        // Copy the run of characters that need no escaping in one go.
        std::size_t run = i;
        while (run < value.size() && !kNeedsCare[static_cast<unsigned char>(value[run])]) ++run;
        Append(value.substr(i, run - i));
        i = run;
        if (i == value.size()) break;
        const char c = value[i];
        switch (c) {
            case '&': Append("&amp;"); ++i; continue;
            case '<': Append("&lt;"); ++i; continue;
            case '>': Append("&gt;"); ++i; continue;
            case '"': Append("&quot;"); ++i; continue;
            case '\t': Append("&#9;"); ++i; continue;
            case '\n': Append("&#10;"); ++i; continue;
            case '\r': Append("&#13;"); ++i; continue;
            default: break;
        }
        const std::size_t length = XmlCharLength(value, i);
        if (length == 0) {
            const unsigned byte = static_cast<unsigned char>(value[i]);
            throw CLtValidationException(
                "The value of [" + std::string(context) + "] cannot be written as XML: byte 0x" +
                "0123456789ABCDEF"[byte >> 4] + "0123456789ABCDEF"[byte & 15] + " at offset " + std::to_string(i) +
                (byte < 0x20 ? " is a control character" : " is not valid UTF-8 text"));
        }
        Append(value.substr(i, length));
        i += length;
    }
}

std::size_t XmlCharacterLength(std::string_view text, std::size_t at) noexcept { return XmlCharLength(text, at); }

}  // namespace LtXmlLib3
