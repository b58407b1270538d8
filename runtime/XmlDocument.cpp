#include "VantrelLib/runtime/XmlDocument.h"

#include <expat.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <new>
#include <unordered_set>
#include <vector>

#include "VantrelLib/runtime/Conversions.h"
#include "VantrelLib/runtime/Exceptions.h"

namespace LtXmlLib3 {

namespace {

// Bump allocator for the parsed tree: nodes, attributes and strings live in a
// few large blocks and are released together (no per-node destructor, so even
// a very deep tree is freed without recursion).
class Arena {
public:
    void* Allocate(std::size_t size, std::size_t alignment) {
        std::size_t offset = (m_used + alignment - 1) & ~(alignment - 1);
        if (m_blocks.empty() || offset + size > m_blockSize) {
            const std::size_t blockSize = std::max(size + alignment, kBlockSize);
            m_blocks.push_back(std::make_unique<char[]>(blockSize));
            m_blockSize = blockSize;
            offset = 0;
        }
        m_used = offset + size;
        return m_blocks.back().get() + offset;
    }
    template <class T>
    T* Make() {
        return new (Allocate(sizeof(T), alignof(T))) T();
    }
    template <class T>
    T* MakeArray(std::size_t count) {
        T* items = static_cast<T*>(Allocate(sizeof(T) * count, alignof(T)));
        for (std::size_t i = 0; i < count; ++i) new (items + i) T();
        return items;
    }
    std::string_view Copy(const char* text, std::size_t length) {
        char* target = static_cast<char*>(Allocate(length + 1, 1));
        std::memcpy(target, text, length);
        target[length] = '\0';
        return std::string_view(target, length);
    }

private:
    static constexpr std::size_t kBlockSize = 64 * 1024;
    std::vector<std::unique_ptr<char[]>> m_blocks;
    std::size_t m_blockSize = 0;
    std::size_t m_used = 0;
};

constexpr char kNamespaceSeparator = ' ';

bool IsWhitespace(const char* text, int length) noexcept {
    for (int i = 0; i < length; ++i) {
        const char c = text[i];
        if (c != ' ' && c != '\t' && c != '\n' && c != '\r') return false;
    }
    return true;
}

}  // namespace

struct CXmlDocument::Impl {
    struct Open {
        CXmlElement* element;
        CXmlElement* lastChild;
    };

    Arena arena;
    std::unordered_set<std::string_view> names;  // interned names and namespace URIs
    std::vector<Open> stack;
    std::vector<CXmlAttribute> attributeScratch;
    CXmlElement* root = nullptr;
    XML_Parser parser = nullptr;
    int maxDepth = 0;
    std::string failure;  // set when a handler stops the parser
    int failureLine = 0;
    int failureColumn = 0;

    std::string_view Intern(const char* text, std::size_t length) {
        const std::string_view key(text, length);
        auto found = names.find(key);
        if (found != names.end()) return *found;
        const std::string_view stored = arena.Copy(text, length);
        names.insert(stored);
        return stored;
    }

    // Splits an expat namespace-mode name "uri local" (or "local") into its parts.
    void SplitName(const char* name, std::string_view& uri, std::string_view& local) {
        const char* separator = std::strrchr(name, kNamespaceSeparator);
        if (separator == nullptr) {
            uri = std::string_view();
            local = Intern(name, std::strlen(name));
        } else {
            uri = Intern(name, static_cast<std::size_t>(separator - name));
            local = Intern(separator + 1, std::strlen(separator + 1));
        }
    }

    void Stop(std::string message) {
        if (failure.empty()) {
            failure = std::move(message);
            failureLine = static_cast<int>(XML_GetCurrentLineNumber(parser));
            failureColumn = static_cast<int>(XML_GetCurrentColumnNumber(parser)) + 1;
        }
        XML_StopParser(parser, XML_FALSE);
    }

    void StartElement(const XML_Char* name, const XML_Char** attributes) {
        if (static_cast<int>(stack.size()) >= maxDepth) {
            Stop(FormatString("Elements are nested deeper than the limit of %d levels", maxDepth));
            return;
        }
        CXmlElement* element = arena.Make<CXmlElement>();
        SplitName(name, element->m_namespaceUri, element->m_localName);
        element->m_line = static_cast<int>(XML_GetCurrentLineNumber(parser));
        element->m_column = static_cast<int>(XML_GetCurrentColumnNumber(parser)) + 1;

        attributeScratch.clear();
        for (const XML_Char** a = attributes; *a != nullptr; a += 2) {
            CXmlAttribute attribute;
            SplitName(a[0], attribute.m_namespaceUri, attribute.m_localName);
            attribute.m_value = arena.Copy(a[1], std::strlen(a[1]));
            attributeScratch.push_back(attribute);
        }
        if (!attributeScratch.empty()) {
            CXmlAttribute* stored = arena.MakeArray<CXmlAttribute>(attributeScratch.size());
            std::copy(attributeScratch.begin(), attributeScratch.end(), stored);
            element->m_attributes = stored;
            element->m_attributeCount = attributeScratch.size();
        }

        if (stack.empty()) {
            root = element;
        } else {
            Open& parent = stack.back();
            if (parent.lastChild == nullptr)
                parent.element->m_firstChild = element;
            else
                parent.lastChild->m_nextSibling = element;
            parent.lastChild = element;
        }
        stack.push_back(Open{element, nullptr});
    }

    static void XMLCALL OnStart(void* data, const XML_Char* name, const XML_Char** attributes) {
        static_cast<Impl*>(data)->StartElement(name, attributes);
    }
    static void XMLCALL OnEnd(void* data, const XML_Char*) { static_cast<Impl*>(data)->stack.pop_back(); }
    static void XMLCALL OnText(void* data, const XML_Char* text, int length) {
        Impl* self = static_cast<Impl*>(data);
        if (!self->stack.empty() && !IsWhitespace(text, length)) self->stack.back().element->m_hasText = true;
    }
    static void XMLCALL OnDoctype(void* data, const XML_Char*, const XML_Char*, const XML_Char*, int) {
        static_cast<Impl*>(data)->Stop("Document type declarations (DOCTYPE) are not allowed");
    }
    static void XMLCALL OnEntityDecl(void* data, const XML_Char*, int, const XML_Char*, int, const XML_Char*,
                                     const XML_Char*, const XML_Char*, const XML_Char*) {
        static_cast<Impl*>(data)->Stop("Entity declarations are not allowed");
    }
    static int XMLCALL OnExternalEntity(XML_Parser, const XML_Char*, const XML_Char*, const XML_Char*,
                                        const XML_Char*) {
        return XML_STATUS_ERROR;  // never read anything outside the document
    }
};

CXmlDocument::CXmlDocument(std::string_view text, const CReadOptions& options) : m_impl(std::make_unique<Impl>()) {
    if (text.size() > options.maxInputBytes)
        throw CLtException(FormatString("The document is %zu bytes long, more than the limit of %llu bytes",
                                        text.size(), static_cast<unsigned long long>(options.maxInputBytes)));
    Impl& impl = *m_impl;
    impl.maxDepth = options.maxDepth;
    XML_Parser parser = XML_ParserCreateNS(nullptr, kNamespaceSeparator);
    if (parser == nullptr) throw std::bad_alloc();
    impl.parser = parser;
    struct ParserGuard {
        XML_Parser p;
        ~ParserGuard() { XML_ParserFree(p); }
    } guard{parser};

    XML_SetUserData(parser, &impl);
    XML_SetElementHandler(parser, &Impl::OnStart, &Impl::OnEnd);
    XML_SetCharacterDataHandler(parser, &Impl::OnText);
    XML_SetStartDoctypeDeclHandler(parser, &Impl::OnDoctype);
    XML_SetEntityDeclHandler(parser, &Impl::OnEntityDecl);
    XML_SetExternalEntityRefHandler(parser, &Impl::OnExternalEntity);
    XML_SetParamEntityParsing(parser, XML_PARAM_ENTITY_PARSING_NEVER);

    // The whole input in one call: expat re-scans unfinished tokens when fed in
    // small pieces. Inputs beyond INT_MAX bytes go in the largest pieces it takes.
    const char* data = text.data();
    std::size_t remaining = text.size();
    XML_Status status = XML_STATUS_OK;
    do {
        const std::size_t piece = std::min<std::size_t>(remaining, INT_MAX);
        remaining -= piece;
        status = XML_Parse(parser, data, static_cast<int>(piece), remaining == 0 ? XML_TRUE : XML_FALSE);
        data += piece;
    } while (status == XML_STATUS_OK && remaining > 0);

    if (status != XML_STATUS_OK || !impl.failure.empty()) {
        std::string message;
        int line, column;
        if (!impl.failure.empty()) {
            message = impl.failure;
            line = impl.failureLine;
            column = impl.failureColumn;
        } else {
            message = XML_ErrorString(XML_GetErrorCode(parser));
            line = static_cast<int>(XML_GetCurrentLineNumber(parser));
            column = static_cast<int>(XML_GetCurrentColumnNumber(parser)) + 1;
        }
        CLtException error(FormatString("Malformed XML at line %d, column %d: %s", line, column, message.c_str()));
        error.SetLocation(line, column);
        throw error;
    }
    m_root = impl.root;
    impl.names.clear();
    impl.stack.clear();
    impl.attributeScratch = std::vector<CXmlAttribute>();
}

CXmlDocument::~CXmlDocument() = default;

const CXmlAttribute* CXmlElement::FindAttribute(std::string_view namespaceUri, std::string_view localName) const noexcept {
    for (const CXmlAttribute& attribute : GetAttributes())
        if (attribute.GetLocalName() == localName && attribute.GetNamespaceUri() == namespaceUri) return &attribute;
    return nullptr;
}

}  // namespace LtXmlLib3
