#pragma once
// The parsed form of a document: read-only elements and attributes, walked
// forward only (first child, next sibling). Parsing never processes a DTD or
// reads an external entity: a document with a DOCTYPE is refused.

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "VantrelLib/runtime/XmlObjectBase.h"

namespace LtXmlLib3 {

class CXmlAttribute {
public:
    std::string_view GetLocalName() const noexcept { return m_localName; }
    std::string_view GetNamespaceUri() const noexcept { return m_namespaceUri; }
    std::string_view GetValue() const noexcept { return m_value; }

private:
    friend class CXmlDocument;
    std::string_view m_localName;
    std::string_view m_namespaceUri;
    std::string_view m_value;
};

class CXmlAttributeList {
public:
    const CXmlAttribute* begin() const noexcept { return m_first; }
    const CXmlAttribute* end() const noexcept { return m_first + m_count; }
    std::size_t size() const noexcept { return m_count; }

private:
    friend class CXmlElement;
    CXmlAttributeList(const CXmlAttribute* first, std::size_t count) : m_first(first), m_count(count) {}
    const CXmlAttribute* m_first;
    std::size_t m_count;
};

class CXmlElement {
public:
    std::string_view GetLocalName() const noexcept { return m_localName; }
    std::string_view GetNamespaceUri() const noexcept { return m_namespaceUri; }
    // The attributes in document order (namespace declarations are not among them).
    CXmlAttributeList GetAttributes() const noexcept { return CXmlAttributeList(m_attributes, m_attributeCount); }
    // The attribute with this local name in this namespace, or nullptr.
    const CXmlAttribute* FindAttribute(std::string_view namespaceUri, std::string_view localName) const noexcept;
    const CXmlElement* GetFirstElement() const noexcept { return m_firstChild; }
    const CXmlElement* GetNextSiblingElement() const noexcept { return m_nextSibling; }
    // True when the element holds character data other than whitespace.
    bool HasText() const noexcept { return m_hasText; }
    int GetLine() const noexcept { return m_line; }
    int GetColumn() const noexcept { return m_column; }

private:
    friend class CXmlDocument;
    std::string_view m_localName;
    std::string_view m_namespaceUri;
    const CXmlAttribute* m_attributes = nullptr;
    std::size_t m_attributeCount = 0;
    const CXmlElement* m_firstChild = nullptr;
    const CXmlElement* m_nextSibling = nullptr;
    int m_line = 0;
    int m_column = 0;
    bool m_hasText = false;
};

class CXmlDocument {
public:
    // Parses `text` (the whole input in one call). Malformed XML, a DOCTYPE, an
    // element nested deeper than options.maxDepth or an input larger than
    // options.maxInputBytes throw CLtException with line and column.
    explicit CXmlDocument(std::string_view text, const CReadOptions& options = CReadOptions());
    ~CXmlDocument();
    CXmlDocument(const CXmlDocument&) = delete;
    CXmlDocument& operator=(const CXmlDocument&) = delete;

    const CXmlElement* GetDocumentElement() const noexcept { return m_root; }

private:
    struct Impl;
    friend struct Impl;
    std::unique_ptr<Impl> m_impl;
    const CXmlElement* m_root = nullptr;
};

}  // namespace LtXmlLib3
