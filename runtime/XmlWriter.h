#pragma once
// CXmlTextWriter: writes an XML document into a string, indented two spaces,
// one element a line. Values are escaped so that a parser gives back the exact
// bytes; text XML cannot carry is refused with CLtValidationException.

#include <string>
#include <string_view>
#include <vector>

namespace LtXmlLib3 {

class CXmlTextWriter {
public:
    // Starts a document with the XML declaration.
    CXmlTextWriter();

    // Starts an element. A non-empty `namespaceUri` is written with the prefix
    // bound to it (declared here when none is in scope).
    void WriteStartElement(std::string_view localName, std::string_view namespaceUri);
    void WriteEndElement();
    // Writes an attribute of the element just started; `namespaceUri` must be "".
    void WriteAttributeString(std::string_view localName, std::string_view namespaceUri, std::string_view value);
    // Declares `prefix` for `uri` on the next element started.
    void AddNamespace(std::string_view prefix, std::string_view uri);
    // Writes the XML Schema instance type attribute naming `typeName` (in
    // `typeNamespace`, "" for none) with the prefix bound to that namespace.
    void WriteAttributeType(std::string_view typeNamespace, std::string_view typeName);

    // The text written so far.
    const std::string& GetText() const noexcept { return m_out; }
    // Hands over the finished document; throws if elements are still open.
    std::string TakeDocument();

    // True when `name` (UTF-8) is an XML name without a colon, the only names
    // this writer writes (and the reader accepts for elements).
    static bool IsValidName(std::string_view name) noexcept;

private:
    struct Binding {
        std::string prefix;
        std::string uri;
        std::size_t depth;
    };
    void CloseStartTag();
    void Indent(std::size_t depth);
    // The prefix bound to `uri` in scope, or nullptr.
    const std::string* FindPrefix(std::string_view uri) const;
    void Declare(std::string_view prefix, std::string_view uri);
    void AppendEscaped(std::string_view value, std::string_view context);
    static void CheckName(std::string_view name);

    std::string m_out;
    std::vector<std::string> m_openElements;  // qualified names
    std::vector<Binding> m_bindings;
    std::vector<Binding> m_pending;
    bool m_startTagOpen = false;
};

}  // namespace LtXmlLib3
