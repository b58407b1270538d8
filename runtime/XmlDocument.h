#pragma once
// The parsed form of a document, read as a stream: elements and attributes are
// read-only and walked forward only (an element's first child, then each next
// sibling). Only the elements on the path from the document element to the
// current one are held, and the parser runs at most a few batches of events
// ahead of the walk, so memory does not grow with the document. Parsing never
// processes a DTD or reads an external entity: a document with a DOCTYPE is
// refused.

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "VantrelLib/runtime/XmlObjectBase.h"

namespace LtXmlLib3 {

class CXmlAttribute {
public:
    CXmlAttribute() = default;
    // An attribute viewing the given texts (the reader makes them from the input).
    CXmlAttribute(std::string_view localName, std::string_view namespaceUri, std::string_view value) noexcept
        : m_localName(localName), m_namespaceUri(namespaceUri), m_value(value) {}
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

class CXmlDocument;

// One element of the stream. Its name, attributes and position stay valid
// while its children are walked; moving to its next sibling reuses it.
class CXmlElement {
public:
    std::string_view GetLocalName() const noexcept { return m_localName; }
    std::string_view GetNamespaceUri() const noexcept { return m_namespaceUri; }
    // The attributes in document order (namespace declarations are not among them).
    CXmlAttributeList GetAttributes() const noexcept {
        return CXmlAttributeList(m_attributes.data(), m_attributeCount);
    }
    // The attribute with this local name in this namespace, or nullptr.
    const CXmlAttribute* FindAttribute(std::string_view namespaceUri, std::string_view localName) const noexcept;
    // The first child element, or null. Call it before walking on from this
    // element. Throws CLtException when the document turns out malformed.
    const CXmlElement* GetFirstElement() const;
    // The next sibling element, or null; skips whatever of this element's
    // content was not walked. Throws CLtException when the document turns out malformed.
    const CXmlElement* GetNextSiblingElement() const;
    // True when the element holds character data other than whitespace (known
    // once the walk has passed its end).
    bool HasText() const noexcept { return m_hasText; }
    // Line and column (in bytes) of the element's start tag, from 1. Counted
    // from the start of the input when asked for: meant for error reports.
    std::pair<int, int> GetPosition() const noexcept;
    int GetLine() const noexcept { return GetPosition().first; }
    int GetColumn() const noexcept { return GetPosition().second; }
    // Whether the read keeps the line of each object (CReadOptions::sourceLines),
    // and noting that `object` is read from this element.
    bool KeepsSourceLines() const noexcept;
    void NoteSourceLine(const CXmlObjectBase* object) const;

private:
    friend class CXmlDocument;
    CXmlDocument* m_document = nullptr;
    std::size_t m_offset = 0;  // of the start tag in the input: lines are counted only when asked for
    std::size_t m_depth = 0;  // 0 for the document element
    std::string_view m_localName;
    std::string_view m_namespaceUri;
    std::vector<CXmlAttribute> m_attributes;  // the first m_attributeCount are this element's
    std::size_t m_attributeCount = 0;
    std::vector<char> m_text;  // storage of the names and values the views above show, once owned
    bool m_hasText = false;
    bool m_emptyTag = false;  // written as "<name .../>": no content
    bool m_borrowed = false;  // the views show the batch's strings, not m_text
    void Forget() noexcept;   // drops views that are about to dangle
    // The class factories read the type attribute: a read counting what it drops
    // learns that this one is kept.
    friend class CClassfactoryBase;
    void NoteTypeTaken() const noexcept;
};

class CXmlDocument {
public:
    // Starts parsing `text`, which must outlive the document, up to the
    // document element. Malformed XML, a DOCTYPE, an element nested deeper than
    // options.maxDepth or an input larger than options.maxInputBytes throw
    // CLtException with line and column, here or while the elements are walked.
    explicit CXmlDocument(std::string_view text, const CReadOptions& options = CReadOptions());
    // Writes the input straight into the parser's buffer: called once with room
    // for `size` bytes, returns how many it wrote. What it throws is thrown.
    using Fill = std::function<std::size_t(char* buffer, std::size_t size)>;
    // The same for an input of `size` bytes (at most INT_MAX) that `fill`
    // writes into the parser's own buffer, saving a copy of the whole input.
    CXmlDocument(std::size_t size, const Fill& fill, const CReadOptions& options = CReadOptions());
    // Reads the next bytes of the input into `buffer`, at most `size`; returns
    // how many, 0 at the end of the input. What it throws is thrown.
    using Read = std::function<std::size_t(char* buffer, std::size_t size)>;
    // The same for an input of unknown length (a pipe, a stream), which `read`
    // supplies in chunks while the document is walked, and which is not kept:
    // malformed text, or more than options.maxInputBytes, is refused as soon as
    // it is read. The parser never runs on a thread of its own here.
    explicit CXmlDocument(const Read& read, const CReadOptions& options = CReadOptions());
    ~CXmlDocument();
    CXmlDocument(const CXmlDocument&) = delete;
    CXmlDocument& operator=(const CXmlDocument&) = delete;

    const CXmlElement* GetDocumentElement() const noexcept { return m_elements.front().get(); }
    // Parses the rest of the document; throws CLtException if it is malformed.
    void Finish();
    // The parse error met so far, or null.
    const CLtException* GetParseError() const noexcept { return m_parseError.get(); }
    // True when the input is parsed on a thread of its own (see CReadOptions).
    bool ParsesOnThread() const noexcept;

private:
    friend class CXmlElement;
    struct Parser;
    struct Batch;
    enum class Event { Start, End, Done };

    static void CheckSize(std::size_t size, const CReadOptions& options);
    void CreateParser(const CReadOptions& options);
    void FillExpatBuffer(std::size_t size, const Fill& fill);
    // Parses up to the document element, on a thread of its own if asked and one can be had.
    void StartParsing(bool onThread);
    // Takes the next event (Done once the parser has ended).
    Event Next();
    // Makes the next batch of events the one taken from; false once there is none.
    bool Refill();
    // Done, or what ended the parse.
    Event Ended();
    // Copies the element's strings out of the batch before it is reused.
    void Own(CXmlElement& element);
    const CXmlElement* FirstChildOf(const CXmlElement& element);
    const CXmlElement* NextSiblingOf(const CXmlElement& element);
    [[noreturn]] void ThrowParseError();
    // Line and column of a byte offset into the input.
    std::pair<int, int> Position(std::size_t offset) const noexcept;
    void NoteTypeTaken(std::size_t offset) noexcept;
    // The line of the element starting at `offset`, counted on from the last
    // one asked for: elements are read in document order.
    int LineAt(std::size_t offset) noexcept;

    std::vector<std::unique_ptr<CXmlElement>> m_elements;  // one per depth, reused
    // Declared after the elements, so destroyed before them: winding the parser
    // up may still run its callbacks.
    std::unique_ptr<Parser> m_parser;
    Batch* m_batch = nullptr;      // the events being taken
    std::size_t m_taken = 0;       // of m_batch's events
    std::size_t m_depth = 0;       // elements open in what has been taken
    std::unique_ptr<CLtException> m_parseError;
    // CReadOptions::sourceLines, and how far LineAt has counted.
    CSourceLines* m_sourceLines = nullptr;
    std::size_t m_linesCountedTo = 0;
    int m_linesCounted = 1;
};

inline bool CXmlElement::KeepsSourceLines() const noexcept {
    return m_document != nullptr && m_document->m_sourceLines != nullptr;
}

}  // namespace LtXmlLib3
