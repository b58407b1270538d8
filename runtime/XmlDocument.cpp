#include "VantrelLib/runtime/XmlDocument.h"

#include <expat.h>

#include <boost/context/fiber.hpp>
#include <boost/context/protected_fixedsize_stack.hpp>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <exception>
#include <new>

#include "VantrelLib/runtime/Conversions.h"
#include "VantrelLib/runtime/Exceptions.h"
#include "VantrelLib/runtime/Prefault.h"
#include "VantrelLib/runtime/ShortCopy.h"
#include "VantrelLib/runtime/XmlWriter.h"

namespace LtXmlLib3 {

namespace {

constexpr char kNamespaceSeparator = ' ';

bool IsWhitespace(const char* text, int length) noexcept {
    constexpr std::uint64_t kEightSpaces = 0x2020202020202020u;
    for (int i = 0; i < length;) {
        // Indentation is mostly spaces: eight at a time.
        if (length - i >= 8) {
            std::uint64_t word;
            std::memcpy(&word, text + i, sizeof word);
            if (word == kEightSpaces) {
                i += 8;
                continue;
            }
        }
        const char c = text[i++];
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
    // Local names cannot hold a space; a URI can: split at the last one.
    const std::size_t length = std::strlen(name);
    const auto* space = static_cast<const char*>(::memrchr(name, kNamespaceSeparator, length));
    if (space == nullptr) return SplitName{0, name, length};
    const std::size_t uriLength = static_cast<std::size_t>(space - name);
    return SplitName{uriLength, space + 1, length - uriLength - 1};
}

bool IsAscii(std::string_view text) noexcept {
    unsigned char bytes = 0;
    for (const char c : text) bytes |= static_cast<unsigned char>(c);
    return bytes < 0x80;
}

}  // namespace

// The expat parser runs on a stack of its own (a fiber) and hands the walk
// every element start and end from inside its callbacks, so the parse runs
// over the input in one call without ever being suspended (expat re-counts
// lines and columns on every resume).
struct CXmlDocument::Parser {
    XML_Parser expat = nullptr;
    std::string_view input;
    int maxDepth = 0;
    CXmlDocument* document = nullptr;
    boost::context::fiber parserSide;       // resumes the parser; held by the walk
    boost::context::fiber* walkSide = nullptr;  // resumes the walk; held by the parser
    Event event = Event::Done;              // what the parser reported last
    std::size_t skippedEnds = 0;            // element ends passed before it without stopping
    bool finished = false;                  // the parse has returned
    bool abandon = false;                   // the walk stopped early: end the parse
    XML_Status status = XML_STATUS_OK;
    std::size_t depth = 0;  // elements open in the parser
    std::exception_ptr callbackError;  // thrown in a callback, rethrown to the walk
    std::string failure;  // set when a handler stops the parser
    int failureLine = 0;
    int failureColumn = 0;

    ~Parser() {
        if (!finished && parserSide) {
            // Let the callback expat waits in return and stop the parse, so that
            // its stack unwinds normally.
            abandon = true;
            parserSide = std::move(parserSide).resume();
        }
        if (expat != nullptr) XML_ParserFree(expat);
    }

    void Start() {
        parserSide = boost::context::fiber(
            std::allocator_arg, boost::context::protected_fixedsize_stack(kStackSize),
            [this](boost::context::fiber&& walk) {
                walkSide = &walk;
                status = ParseAll();
                finished = true;
                return std::move(walk);
            });
        Resume();
    }

    // Runs the parser to its next event (or its end).
    void Resume() { parserSide = std::move(parserSide).resume(); }

    XML_Status ParseAll() {
        // The whole input in one call: expat counts lines and columns over
        // every byte it has parsed whenever a call that is not the last one
        // returns.
        // An input expat takes in one piece is in its own buffer already (FillExpatBuffer).
        if (input.size() <= INT_MAX) return XML_ParseBuffer(expat, static_cast<int>(input.size()), XML_TRUE);
        // Inputs beyond INT_MAX bytes go in the largest pieces expat takes.
        std::size_t fed = 0;
        do {
            const std::size_t piece = std::min<std::size_t>(input.size() - fed, INT_MAX);
            const bool last = fed + piece == input.size();
            const XML_Status result =
                XML_Parse(expat, input.data() + fed, static_cast<int>(piece), last ? XML_TRUE : XML_FALSE);
            if (result != XML_STATUS_OK) return result;
            fed += piece;
        } while (fed < input.size());
        return XML_STATUS_OK;
    }

    // Hands `what` to the walk and waits until it asks for the next event.
    void Report(Event what) {
        event = what;
        *walkSide = std::move(*walkSide).resume();
        if (abandon) XML_StopParser(expat, XML_FALSE);
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
        const XML_Index at = XML_GetCurrentByteIndex(expat);
        element.m_offset = static_cast<std::size_t>(at);
        element.m_hasText = false;
        // An empty-element tag ("<a .../>") has no content: its first child is
        // known to be null without parsing on, and its end need not be handed
        // to the walk. Any other encoding of "/>" than one byte each (UTF-16)
        // simply takes the general path.
        const int count = XML_GetCurrentByteCount(expat);
        const std::size_t tagEnd = static_cast<std::size_t>(at) + static_cast<std::size_t>(count);
        element.m_emptyTag = count >= 4 && tagEnd <= input.size() && input[tagEnd - 1] == '>' && input[tagEnd - 2] == '/';

        // The views point at expat's strings, which last until this callback
        // returns: the walk reads them in place unless it asks for the
        // element's children, which parses on (CXmlDocument::Own copies them then).
        std::size_t attributeCount = 0;
        while (attributes[2 * attributeCount] != nullptr) ++attributeCount;
        if (element.m_attributes.size() < attributeCount) element.m_attributes.resize(attributeCount);
        element.m_attributeCount = attributeCount;
        const SplitName elementName = Split(name);
        element.m_namespaceUri = std::string_view(name, elementName.uriLength);
        element.m_localName = std::string_view(elementName.local, elementName.localLength);
        for (std::size_t a = 0; a < attributeCount; ++a) {
            CXmlAttribute& attribute = element.m_attributes[a];
            const SplitName attributeName = Split(attributes[2 * a]);
            attribute.m_namespaceUri = std::string_view(attributes[2 * a], attributeName.uriLength);
            attribute.m_localName = std::string_view(attributeName.local, attributeName.localLength);
            attribute.m_value = std::string_view(attributes[2 * a + 1]);
        }
        element.m_borrowed = true;
        ++depth;
        // Expat reads a few Latin-1 letters as name characters in ISO-8859-1
        // and UTF-16 documents that XML (and expat itself, in UTF-8) does not
        // allow: refuse them, or the name could not be written again. ASCII
        // names expat has checked already.
        if (IsAscii(element.m_localName) || CXmlTextWriter::IsValidName(element.m_localName))
            Report(Event::Start);
        else
            Stop("The element name [" + std::string(element.m_localName) + "] is not a valid XML name");
        // Expat's strings end with this callback: views the walk did not have
        // copied must not outlive them.
        if (element.m_borrowed) element.Forget();
    }

    void OnEndElement() {
        --depth;
        if (document->m_elements[depth]->m_emptyTag) {
            // The end of an empty-element tag: the walk has already been told
            // the element has no children and has moved on from it.
            ++skippedEnds;
            return;
        }
        Report(Event::End);
    }

    // Runs a callback body; nothing may unwind through expat.
    template <typename Body>
    static void Guarded(void* data, Body&& body) noexcept {
        Parser& parser = *static_cast<Parser*>(data);
        // Once the parse is being stopped, expat may still report the rest of a token.
        if (parser.abandon || !parser.failure.empty() || parser.callbackError) return;
        try {
            body(parser);
        } catch (...) {
            if (!parser.callbackError) parser.callbackError = std::current_exception();
            XML_StopParser(parser.expat, XML_FALSE);
        }
    }

    static void XMLCALL StartHandler(void* data, const XML_Char* name, const XML_Char** attributes) {
        Guarded(data, [&](Parser& parser) { parser.OnStartElement(name, attributes); });
    }
    static void XMLCALL EndHandler(void* data, const XML_Char*) {
        Guarded(data, [](Parser& parser) { parser.OnEndElement(); });
    }
    static void XMLCALL TextHandler(void* data, const XML_Char* text, int length) {
        Parser& parser = *static_cast<Parser*>(data);
        if (parser.depth > 0 && !IsWhitespace(text, length))
            parser.document->m_elements[parser.depth - 1]->m_hasText = true;
    }
    static void XMLCALL DoctypeHandler(void* data, const XML_Char*, const XML_Char*, const XML_Char*, int) {
        Guarded(data, [](Parser& parser) { parser.Stop("Document type declarations (DOCTYPE) are not allowed"); });
    }
    static void XMLCALL EntityDeclarationHandler(void* data, const XML_Char*, int, const XML_Char*, int,
                                                 const XML_Char*, const XML_Char*, const XML_Char*,
                                                 const XML_Char*) {
        Guarded(data, [](Parser& parser) { parser.Stop("Entity declarations are not allowed"); });
    }
    static int XMLCALL ExternalEntityHandler(XML_Parser, const XML_Char*, const XML_Char*, const XML_Char*,
                                             const XML_Char*) {
        return XML_STATUS_ERROR;  // never read anything outside the document
    }

    // Room for expat and the handlers; a guard page below it.
    static constexpr std::size_t kStackSize = 256 * 1024;
};

CXmlDocument::CXmlDocument(std::string_view text, const CReadOptions& options) : m_parser(std::make_unique<Parser>()) {
    CheckSize(text.size(), options);
    CreateParser(options);
    if (text.size() <= INT_MAX) {
        // As expat copies the text into its buffer, but with the buffer's pages mapped in one go.
        FillExpatBuffer(text.size(), [&](char* buffer, std::size_t) {
            if (!text.empty()) std::memcpy(buffer, text.data(), text.size());
            return text.size();
        });
    } else {
        m_parser->input = text;
    }
    StartParsing();
}

CXmlDocument::CXmlDocument(std::size_t size, const Fill& fill, const CReadOptions& options)
    : m_parser(std::make_unique<Parser>()) {
    CheckSize(size, options);
    if (size > INT_MAX) throw CLtException(FormatString("The document is %zu bytes long, more than one read takes", size));
    CreateParser(options);
    FillExpatBuffer(size, fill);
    StartParsing();
}

void CXmlDocument::CheckSize(std::size_t size, const CReadOptions& options) {
    if (size > options.maxInputBytes)
        throw CLtException(FormatString("The document is %zu bytes long, more than the limit of %llu bytes", size,
                                        static_cast<unsigned long long>(options.maxInputBytes)));
}

void CXmlDocument::CreateParser(const CReadOptions& options) {
    Parser& parser = *m_parser;
    parser.maxDepth = options.maxDepth;
    parser.document = this;
    parser.expat = XML_ParserCreateNS(nullptr, kNamespaceSeparator);
    if (parser.expat == nullptr) throw std::bad_alloc();
    XML_Parser expat = parser.expat;
    XML_SetUserData(expat, &parser);
    XML_SetElementHandler(expat, &Parser::StartHandler, &Parser::EndHandler);
    XML_SetCharacterDataHandler(expat, &Parser::TextHandler);
    XML_SetStartDoctypeDeclHandler(expat, &Parser::DoctypeHandler);
    XML_SetEntityDeclHandler(expat, &Parser::EntityDeclarationHandler);
    XML_SetExternalEntityRefHandler(expat, &Parser::ExternalEntityHandler);
    XML_SetParamEntityParsing(expat, XML_PARAM_ENTITY_PARSING_NEVER);
}

void CXmlDocument::FillExpatBuffer(std::size_t size, const Fill& fill) {
    Parser& parser = *m_parser;
    // Room for at least one byte: expat hands out no buffer for none.
    char* buffer = static_cast<char*>(XML_GetBuffer(parser.expat, static_cast<int>(std::max<std::size_t>(size, 1))));
    if (buffer == nullptr) throw std::bad_alloc();
    detail::Prefault(buffer, size);
    const std::size_t filled = fill(buffer, size);
    parser.input = std::string_view(buffer, std::min(filled, size));
}

void CXmlDocument::StartParsing() {
    m_parser->Start();
    m_eventHeld = true;
    if (Take() != Event::Start) ThrowParseError();  // an empty document
}

CXmlDocument::~CXmlDocument() = default;

CXmlDocument::Event CXmlDocument::Next() {
    if (m_parseError) throw *m_parseError;
    Parser& parser = *m_parser;
    if (m_endsToTake == 0 && !m_eventHeld) {
        if (!parser.finished) parser.Resume();
        m_endsToTake = parser.skippedEnds;
        parser.skippedEnds = 0;
        m_eventHeld = true;
    }
    return Take();
}

CXmlDocument::Event CXmlDocument::Take() {
    // First the ends the parser passed without stopping, then what it stopped at.
    if (m_endsToTake > 0) {
        --m_endsToTake;
        --m_depth;
        return Event::End;
    }
    m_eventHeld = false;
    Parser& parser = *m_parser;
    if (parser.callbackError) std::rethrow_exception(parser.callbackError);
    if (!parser.finished) {
        if (parser.event == Event::Start)
            ++m_depth;
        else
            --m_depth;
        return parser.event;
    }
    if (parser.status != XML_STATUS_OK) ThrowParseError();
    return Event::Done;
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
    if (m_depth != element.m_depth + 1 || element.m_emptyTag) return nullptr;
    // Its name and attributes stay readable while its children are walked.
    Own(const_cast<CXmlElement&>(element));
    return Next() == Event::Start ? m_elements[element.m_depth + 1].get() : nullptr;
}

void CXmlDocument::Own(CXmlElement& element) {
    if (!element.m_borrowed) return;
    // One buffer for every string of the element, then the views point into it.
    std::size_t total = element.m_namespaceUri.size() + element.m_localName.size();
    for (const CXmlAttribute& attribute : element.GetAttributes())
        total += attribute.m_namespaceUri.size() + attribute.m_localName.size() + attribute.m_value.size();
    std::string& text = element.m_text;
    if (text.size() < total) text.resize(std::max(total, 2 * text.size()));
    char* out = text.data();
    auto copy = [&out](std::string_view from) {
        detail::CopyShort(out, from.data(), from.size());
        const std::string_view copied(out, from.size());
        out += from.size();
        return copied;
    };
    element.m_namespaceUri = copy(element.m_namespaceUri);
    element.m_localName = copy(element.m_localName);
    for (std::size_t a = 0; a < element.m_attributeCount; ++a) {
        CXmlAttribute& attribute = element.m_attributes[a];
        attribute.m_namespaceUri = copy(attribute.m_namespaceUri);
        attribute.m_localName = copy(attribute.m_localName);
        attribute.m_value = copy(attribute.m_value);
    }
    element.m_borrowed = false;
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

void CXmlElement::Forget() noexcept {
    m_localName = std::string_view();
    m_namespaceUri = std::string_view();
    m_attributeCount = 0;
    m_borrowed = false;
}

const CXmlAttribute* CXmlElement::FindAttribute(std::string_view namespaceUri, std::string_view localName) const noexcept {
    for (const CXmlAttribute& attribute : GetAttributes())
        if (attribute.GetLocalName() == localName && attribute.GetNamespaceUri() == namespaceUri) return &attribute;
    return nullptr;
}

}  // namespace LtXmlLib3
