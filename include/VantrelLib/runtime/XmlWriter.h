#pragma once
// CXmlTextWriter: writes an XML document into a string, indented two spaces,
// one element a line. Values are escaped so that a parser gives back the exact
// bytes; text XML cannot carry is refused with CLtValidationException.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "VantrelLib/Export.h"

namespace LtXmlLib3 {

// An attribute name written many times: checked once, when it is made, and
// kept with its markup.
class VANTREL_EXPORT CXmlAttributeName {
public:
    // Throws CLtValidationException when `name` is not an XML name without a colon.
    explicit CXmlAttributeName(std::string_view name);
    std::string_view GetName() const noexcept { return std::string_view(m_markup).substr(1, m_markup.size() - 3); }

private:
    friend class CXmlTextWriter;
    std::string m_markup;  // ' name="'
};

class VANTREL_EXPORT CXmlTextWriter {
public:
    // Receives the text in pieces while a large document is written.
    using Sink = std::function<void(std::string_view)>;

    // Starts a document with the XML declaration, kept in memory. With
    // `expectedSize` (an estimate of the document's size in bytes), the text is
    // written into one buffer of about that size for as long as it fits, so a
    // good estimate saves joining pieces at the end.
    explicit CXmlTextWriter(std::size_t expectedSize = 0);
    // The same, handing the text to `sink` in pieces of about a mebibyte as it is
    // written (call Flush() at the end). A sink may throw to stop the writing.
    explicit CXmlTextWriter(Sink sink);

    // Starts an element. A non-empty `namespaceUri` is written with the prefix
    // bound to it (declared here when none is in scope).
    void WriteStartElement(std::string_view localName, std::string_view namespaceUri);
    // The same for a name whose characters have static storage duration (a
    // string literal): such a name is checked once per writer, not each time.
    void WriteStartElementStatic(std::string_view staticName, std::string_view namespaceUri);
    void WriteEndElement();
    // The name the next element is to be written under: the name of the place
    // a parent writes a child from, which may differ from the name the child
    // object carries (one object held in two places). `isStatic`: its
    // characters have static storage duration. Dropped when the next element starts.
    void SetPlaceName(std::string_view name, bool isStatic) noexcept {
        m_placeName = name;
        m_placeNameIsStatic = isStatic;
        m_hasPlaceName = true;
    }
    // The place name set for the next element (and forgets it), or `own`,
    // keeping `isStatic`, when none is set.
    std::string_view TakePlaceName(std::string_view own, bool& isStatic) noexcept {
        if (!m_hasPlaceName) return own;
        m_hasPlaceName = false;
        isStatic = m_placeNameIsStatic;
        return m_placeName;
    }
    // Writes an attribute of the element just started; `namespaceUri` must be "".
    void WriteAttributeString(std::string_view localName, std::string_view namespaceUri, std::string_view value);
    // The same for a name checked in advance. `plainValue` promises a value of
    // ASCII letters, digits, '.', '+' and '-' only (a number's text), which is
    // written without escaping.
    void WriteAttribute(const CXmlAttributeName& name, std::string_view value, bool plainValue);
    // Declares `prefix` for `uri` on the next element started.
    void AddNamespace(std::string_view prefix, std::string_view uri);
    // Writes the XML Schema instance type attribute naming `typeName` (in
    // `typeNamespace`, "" for none) with the prefix bound to that namespace.
    void WriteAttributeType(std::string_view typeNamespace, std::string_view typeName);

    // Hands over the finished document; throws if elements are still open.
    std::string TakeDocument();
    // Hands what is left to the sink; throws if elements are still open.
    void Flush();

    // True when `name` (UTF-8) is an XML name without a colon, the only names
    // this writer writes (and the reader accepts for elements).
    static bool IsValidName(std::string_view name) noexcept;

private:
    friend class CXmlAttributeName;  // checks its name as the writer does
    struct Binding {
        std::string prefix;
        std::string uri;
        std::size_t depth;
    };
    struct Open {
        std::size_t nameOffset;  // of the qualified name in m_names
        std::size_t nameLength;
    };
    void CloseStartTag();
    void Indent(std::size_t depth) { Fill(' ', depth * 2); }
    // The prefix bound to `uri` in scope, or nullptr.
    const std::string* FindPrefix(std::string_view uri) const;
    void Declare(std::string_view prefix, std::string_view uri);
    void AppendEscaped(std::string_view value, std::string_view context);
    static void CheckName(std::string_view name);
    // CheckName for a name with static storage duration, remembered by address.
    void CheckStaticName(std::string_view name);
    void StartElement(std::string_view localName, std::string_view namespaceUri);
    // Throws unless an element's start tag is open for attributes.
    void RequireStartTag() const;

    // The output: m_out's first m_size bytes (m_out is grown ahead, not per append).
    // Defined with their callers, in the writer's source file.
    void Append(std::string_view text);
    void Append(char c);
    void Fill(char c, std::size_t count);
    void Grow(std::size_t more);

    std::string m_out;
    std::size_t m_size = 0;
    std::size_t m_expectedSize = 0;  // room reserved in m_out for an estimate of the document
    Sink m_sink;
    // Full pieces of a document kept in memory: joined once at the end, so a
    // large document is not copied again at every doubling of one buffer.
    std::vector<std::string> m_pieces;
    std::string m_names;  // the qualified names of the open elements, one after the other
    std::vector<Open> m_openElements;
    std::vector<Binding> m_bindings;
    std::vector<Binding> m_pending;
    bool m_startTagOpen = false;
    std::string_view m_placeName;
    bool m_placeNameIsStatic = false;
    bool m_hasPlaceName = false;
    // Static names already checked, by address (a small direct-mapped cache).
    static constexpr std::size_t kCheckedNames = 256;
    std::string_view m_checkedNames[kCheckedNames] = {};
};

// The length in bytes of the character at `text[at]` when it is well-formed
// UTF-8 and a character XML 1.0 allows (the writer's own test), else 0.
VANTREL_EXPORT std::size_t XmlCharacterLength(std::string_view text, std::size_t at) noexcept;

// Writes `text` to the file `path` as ToXmlFile writes a document: a regular
// or new file is replaced only once all of it is written and synced (on any
// failure the old file stays as it was); a device or pipe is written to
// directly. Throws CLtException naming the file when it cannot be written.
VANTREL_EXPORT void WriteTextFile(const std::string& path, std::string_view text);

}  // namespace LtXmlLib3
