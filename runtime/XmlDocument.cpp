#include "VantrelLib/runtime/XmlDocument.h"

#include <expat.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <new>

#include "VantrelLib/runtime/Conversions.h"
#include "VantrelLib/runtime/Exceptions.h"
#include "VantrelLib/runtime/XmlWriter.h"

namespace LtXmlLib3 {

namespace {

constexpr char kNamespaceSeparator = ' ';

bool IsWhitespace(const char* text, int length) noexcept {
    for (int i = 0; i < length; ++i) {
        const char c = text[i];
        if (c != ' ' && c != '\t' && c != '\n' && c != '\r') return false;
    }
    return true;
}

// Where an expat namespace-mode name "uri local" (or "local") splits.
struct SplitName {
    std::size_t uriLength;  // 0: no namespace
    const char* local;
    std::size_t localLength;
};

SplitName Split(const char* name) noexcept {
    const std::size_t length = std::strlen(name);
    // Local names cannot hold a space; a URI can: split at the last one.
    const char* end = name + length;
    const char* local = end;
    while (local != name && local[-1] != kNamespaceSeparator) --local;
    if (local == name) return SplitName{0, name, length};
    return SplitName{static_cast<std::size_t>(local - 1 - name), local, static_cast<std::size_t>(end - local)};
}

}  // namespace

// The expat parser, fed the whole input at once and suspended after every
// element start and end so the caller can walk the document as it is parsed.
struct CXmlDocument::Parser {
    XML_Parser expat = nullptr;
    std::string_view input;
    std::size_t fed = 0;  // bytes handed to expat so far
    bool suspended = false;
    bool finished = false;
    int maxDepth = 0;
    CXmlDocument* document = nullptr;
    // Events expat reported but the walk has not taken yet: suspension takes
    // effect after a whole token, and an empty-element tag gives a start and an end.
    Event pending[4] = {};
    std::size_t pendingBegin = 0;
    std::size_t pendingEnd = 0;
    std::size_t depth = 0;  // elements open in the parser, ahead of the walk
    struct Piece {
        const char* text;
        std::size_t length;
    };
    std::vector<Piece> pieces;  // scratch of OnStartElement
    std::string failure;  // set when a handler stops the parser
    int failureLine = 0;
    int failureColumn = 0;

    ~Parser() {
        if (expat != nullptr) XML_ParserFree(expat);
    }

    void Stop(std::string message) {
        if (failure.empty()) {
            failure = std::move(message);
            failureLine = static_cast<int>(XML_GetCurrentLineNumber(expat));
            failureColumn = static_cast<int>(XML_GetCurrentColumnNumber(expat)) + 1;
        }
        XML_StopParser(expat, XML_FALSE);
    }

    void OnStartElement(const XML_Char* name, const XML_Char** attributes) {
        CXmlDocument& doc = *document;
        if (static_cast<int>(depth) >= maxDepth) {
            Stop(FormatString("Elements are nested deeper than the limit of %d levels", maxDepth));
            return;
        }
        if (doc.m_elements.size() <= depth) doc.m_elements.push_back(std::make_unique<CXmlElement>());
        CXmlElement& element = *doc.m_elements[depth];
        element.m_document = &doc;
        element.m_depth = depth;
        element.m_offset = static_cast<std::size_t>(XML_GetCurrentByteIndex(expat));
        element.m_hasText = false;

        // Copy every string into the element's own buffer in one go (expat's
        // strings do not outlive the next token), then point the views into it.
        std::size_t count = 0;
        while (attributes[2 * count] != nullptr) ++count;
        pieces.resize(2 + 3 * count);
        const SplitName elementName = Split(name);
        pieces[0] = {name, elementName.uriLength};
        pieces[1] = {elementName.local, elementName.localLength};
        for (std::size_t a = 0; a < count; ++a) {
            const SplitName attributeName = Split(attributes[2 * a]);
            pieces[2 + 3 * a] = {attributes[2 * a], attributeName.uriLength};
            pieces[3 + 3 * a] = {attributeName.local, attributeName.localLength};
            pieces[4 + 3 * a] = {attributes[2 * a + 1], std::strlen(attributes[2 * a + 1])};
        }
        std::size_t total = 0;
        for (const Piece& piece : pieces) total += piece.length;
        std::string& text = element.m_text;
        if (text.size() < total) text.resize(std::max(total, 2 * text.size()));
        char* out = text.data();
        std::size_t at = 0;
        auto view = [&](const Piece& piece) {
            std::memcpy(out + at, piece.text, piece.length);
            std::string_view copied(out + at, piece.length);
            at += piece.length;
            return copied;
        };
        element.m_namespaceUri = view(pieces[0]);
        element.m_localName = view(pieces[1]);
        element.m_attributes.resize(count);
        for (std::size_t a = 0; a < count; ++a) {
            CXmlAttribute& attribute = element.m_attributes[a];
            attribute.m_namespaceUri = view(pieces[2 + 3 * a]);
            attribute.m_localName = view(pieces[3 + 3 * a]);
            attribute.m_value = view(pieces[4 + 3 * a]);
        }
        ++depth;
        // Expat reads a few Latin-1 letters as name characters in ISO-8859-1
        // and UTF-16 documents that XML (and expat itself, in UTF-8) does not
        // allow: refuse them, or the name could not be written again.
        if (!CXmlTextWriter::IsValidName(element.m_localName)) {
            Stop("The element name [" + std::string(element.m_localName) + "] is not a valid XML name");
            return;
        }
        Suspend(Event::Start);
    }

    void OnEndElement() {
        --depth;
        Suspend(Event::End);
    }

    void Suspend(Event what) {
        pending[pendingEnd++ % 4] = what;
        if (!suspended) XML_StopParser(expat, XML_TRUE);
        suspended = true;
    }

    bool TakePending(Event& event) {
        if (pendingBegin == pendingEnd) return false;
        event = pending[pendingBegin++ % 4];
        return true;
    }

    static void XMLCALL Start(void* data, const XML_Char* name, const XML_Char** attributes) {
        static_cast<Parser*>(data)->OnStartElement(name, attributes);
    }
    static void XMLCALL End(void* data, const XML_Char*) { static_cast<Parser*>(data)->OnEndElement(); }
    static void XMLCALL Text(void* data, const XML_Char* text, int length) {
        Parser& parser = *static_cast<Parser*>(data);
        if (parser.depth > 0 && !IsWhitespace(text, length))
            parser.document->m_elements[parser.depth - 1]->m_hasText = true;
    }
    static void XMLCALL Doctype(void* data, const XML_Char*, const XML_Char*, const XML_Char*, int) {
        static_cast<Parser*>(data)->Stop("Document type declarations (DOCTYPE) are not allowed");
    }
    static void XMLCALL EntityDeclaration(void* data, const XML_Char*, int, const XML_Char*, int, const XML_Char*,
                                          const XML_Char*, const XML_Char*, const XML_Char*) {
        static_cast<Parser*>(data)->Stop("Entity declarations are not allowed");
    }
    static int XMLCALL ExternalEntity(XML_Parser, const XML_Char*, const XML_Char*, const XML_Char*,
                                      const XML_Char*) {
        return XML_STATUS_ERROR;  // never read anything outside the document
    }

    // Runs expat to its next element event; false when the input is done or on error.
    XML_Status Run() {
        XML_Status status;
        if (suspended) {
            suspended = false;
            status = XML_ResumeParser(expat);
        } else {
            // The whole input in one call (expat re-scans unfinished tokens when fed
            // in small pieces); inputs beyond INT_MAX bytes in the largest pieces it takes.
            const std::size_t piece = std::min<std::size_t>(input.size() - fed, INT_MAX);
            const bool last = fed + piece == input.size();
            status = XML_Parse(expat, input.data() + fed, static_cast<int>(piece), last ? XML_TRUE : XML_FALSE);
            fed += piece;
        }
        return status;
    }
};

CXmlDocument::CXmlDocument(std::string_view text, const CReadOptions& options) : m_parser(std::make_unique<Parser>()) {
    if (text.size() > options.maxInputBytes)
        throw CLtException(FormatString("The document is %zu bytes long, more than the limit of %llu bytes",
                                        text.size(), static_cast<unsigned long long>(options.maxInputBytes)));
    Parser& parser = *m_parser;
    parser.input = text;
    parser.maxDepth = options.maxDepth;
    parser.document = this;
    parser.expat = XML_ParserCreateNS(nullptr, kNamespaceSeparator);
    if (parser.expat == nullptr) throw std::bad_alloc();
    XML_Parser expat = parser.expat;
    XML_SetUserData(expat, &parser);
    XML_SetElementHandler(expat, &Parser::Start, &Parser::End);
    XML_SetCharacterDataHandler(expat, &Parser::Text);
    XML_SetStartDoctypeDeclHandler(expat, &Parser::Doctype);
    XML_SetEntityDeclHandler(expat, &Parser::EntityDeclaration);
    XML_SetExternalEntityRefHandler(expat, &Parser::ExternalEntity);
    XML_SetParamEntityParsing(expat, XML_PARAM_ENTITY_PARSING_NEVER);

    if (Next() != Event::Start) ThrowParseError();  // an empty document
}

CXmlDocument::~CXmlDocument() = default;

CXmlDocument::Event CXmlDocument::Next() {
    if (m_parseError) throw *m_parseError;
    Parser& parser = *m_parser;
    Event event;
    while (!parser.TakePending(event)) {
        if (parser.finished) return Event::Done;
        const XML_Status status = parser.Run();
        if (status == XML_STATUS_ERROR) ThrowParseError();
        if (status == XML_STATUS_OK && parser.fed == parser.input.size()) parser.finished = true;
    }
    if (event == Event::Start)
        ++m_depth;
    else
        --m_depth;
    return event;
}

void CXmlDocument::ThrowParseError() {
    if (!m_parseError) {
        Parser& parser = *m_parser;
        std::string message;
        int line, column;
        if (!parser.failure.empty()) {
            message = parser.failure;
            line = parser.failureLine;
            column = parser.failureColumn;
        } else {
            const XML_Error code = XML_GetErrorCode(parser.expat);
            message = code == XML_ERROR_NONE ? "no element found" : XML_ErrorString(code);
            line = static_cast<int>(XML_GetCurrentLineNumber(parser.expat));
            column = static_cast<int>(XML_GetCurrentColumnNumber(parser.expat)) + 1;
        }
        m_parseError = std::make_unique<CLtException>(
            FormatString("Malformed XML at line %d, column %d: %s", line, column, message.c_str()));
        m_parseError->SetLocation(line, column);
    }
    throw *m_parseError;
}

void CXmlDocument::Finish() {
    while (Next() != Event::Done) {
    }
    if (m_depth != 0) ThrowParseError();
}

const CXmlElement* CXmlDocument::FirstChildOf(const CXmlElement& element) {
    // Only while the parser stands right inside the element's start tag.
    if (m_depth != element.m_depth + 1) return nullptr;
    return Next() == Event::Start ? m_elements[element.m_depth + 1].get() : nullptr;
}

const CXmlElement* CXmlDocument::NextSiblingOf(const CXmlElement& element) {
    // Skip what is left of the element's content, then look at the next event.
    while (m_depth > element.m_depth) {
        if (Next() == Event::Done) return nullptr;
    }
    if (m_depth < element.m_depth) return nullptr;  // the parent has ended
    return Next() == Event::Start ? m_elements[element.m_depth].get() : nullptr;
}

std::pair<int, int> CXmlDocument::Position(std::size_t offset) const noexcept {
    const std::string_view input = m_parser->input.substr(0, offset);
    int line = 1;
    std::size_t lineStart = 0;
    if (input.find('\r') == std::string_view::npos) {
        for (std::size_t at = input.find('\n'); at != std::string_view::npos; at = input.find('\n', at + 1)) {
            ++line;
            lineStart = at + 1;
        }
    } else {
        // Carriage returns end lines too, alone or before a line feed.
        for (std::size_t at = 0; at < input.size(); ++at) {
            const char c = input[at];
            if (c == '\n' || (c == '\r' && (at + 1 >= input.size() || input[at + 1] != '\n'))) {
                ++line;
                lineStart = at + 1;
            }
        }
    }
    return {line, static_cast<int>(offset - lineStart) + 1};
}

std::pair<int, int> CXmlElement::GetPosition() const noexcept { return m_document->Position(m_offset); }

const CXmlElement* CXmlElement::GetFirstElement() const { return m_document->FirstChildOf(*this); }

const CXmlElement* CXmlElement::GetNextSiblingElement() const { return m_document->NextSiblingOf(*this); }

const CXmlAttribute* CXmlElement::FindAttribute(std::string_view namespaceUri, std::string_view localName) const noexcept {
    for (const CXmlAttribute& attribute : GetAttributes())
        if (attribute.GetLocalName() == localName && attribute.GetNamespaceUri() == namespaceUri) return &attribute;
    return nullptr;
}

}  // namespace LtXmlLib3
