#include "VantrelLib/runtime/XmlDocument.h"

#include <expat.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <new>

#include "VantrelLib/runtime/Conversions.h"
#include "VantrelLib/runtime/Exceptions.h"

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
    const char* separator = static_cast<const char*>(std::memchr(name, kNamespaceSeparator, length));
    if (separator == nullptr) return SplitName{0, name, length};
    // Local names cannot hold a space; a URI can: split at the last one.
    const char* last = name + length;
    while (last[-1] != kNamespaceSeparator) --last;
    return SplitName{static_cast<std::size_t>(last - 1 - name), last, static_cast<std::size_t>(name + length - last)};
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
        element.m_line = static_cast<int>(XML_GetCurrentLineNumber(expat));
        element.m_column = static_cast<int>(XML_GetCurrentColumnNumber(expat)) + 1;
        element.m_hasText = false;

        // Copy every string into the element's own buffer first, then point the views into it.
        std::string& text = element.m_text;
        text.clear();
        std::size_t count = 0;
        auto append = [&text](const char* s, std::size_t n) {
            text.append(s, n);
            text += '\0';
        };
        const SplitName elementName = Split(name);
        append(name, elementName.uriLength);
        append(elementName.local, elementName.localLength);
        for (const XML_Char** a = attributes; *a != nullptr; a += 2, ++count) {
            const SplitName attributeName = Split(a[0]);
            append(a[0], attributeName.uriLength);
            append(attributeName.local, attributeName.localLength);
            append(a[1], std::strlen(a[1]));
        }
        const char* cursor = text.data();
        auto take = [&cursor]() {
            const std::size_t n = std::strlen(cursor);
            std::string_view view(cursor, n);
            cursor += n + 1;
            return view;
        };
        element.m_namespaceUri = take();
        element.m_localName = take();
        element.m_attributes.resize(count);
        for (CXmlAttribute& attribute : element.m_attributes) {
            attribute.m_namespaceUri = take();
            attribute.m_localName = take();
            attribute.m_value = take();
        }
        ++depth;
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

const CXmlElement* CXmlElement::GetFirstElement() const { return m_document->FirstChildOf(*this); }

const CXmlElement* CXmlElement::GetNextSiblingElement() const { return m_document->NextSiblingOf(*this); }

const CXmlAttribute* CXmlElement::FindAttribute(std::string_view namespaceUri, std::string_view localName) const noexcept {
    for (const CXmlAttribute& attribute : GetAttributes())
        if (attribute.GetLocalName() == localName && attribute.GetNamespaceUri() == namespaceUri) return &attribute;
    return nullptr;
}

}  // namespace LtXmlLib3
