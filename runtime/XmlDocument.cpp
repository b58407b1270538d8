#include "runtime/XmlDocument.h"

#include "runtime/FiberSanitizer.h"

#include <expat.h>

#include <boost/context/fiber.hpp>
#include <boost/context/protected_fixedsize_stack.hpp>

#include <algorithm>
#include <climits>
#include <condition_variable>
#include <cstdint>
#include <cstring>
#include <exception>
#include <mutex>
#include <new>
#include <system_error>
#include <thread>

#include "VantrelLib/runtime/Conversions.h"
#include "VantrelLib/runtime/Exceptions.h"
#include "runtime/Platform.h"
#include "runtime/ShortCopy.h"
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

SplitName Split(const char* name, std::size_t length) noexcept {
    // Local names cannot hold a space; a URI can: split at the last one.
    const char* space = detail::platform::FindLast(name, length, kNamespaceSeparator);
    if (space == nullptr) return SplitName{0, name, length};
    const std::size_t uriLength = static_cast<std::size_t>(space - name);
    return SplitName{uriLength, space + 1, length - uriLength - 1};
}

bool IsAscii(std::string_view text) noexcept {
    unsigned char bytes = 0;
    for (const char c : text) bytes |= static_cast<unsigned char>(c);
    return bytes < 0x80;
}

// An input read in chunks as the parse goes (a pipe, a stream). It is not
// kept: lines are counted as the parse passes them, over the bytes read but
// not yet counted, and each element carries its line and column instead of
// its offset.
struct StreamInput {
    static constexpr std::size_t kChunk = 64 * 1024;
    static constexpr std::size_t kLargestPiece = std::size_t{1} << 30;

    CXmlDocument::Read read;
    std::uint64_t limit = 0;
    std::uint64_t total = 0;   // bytes read
    std::vector<char> window;  // the bytes from windowStart to the end of what was read
    std::size_t windowStart = 0;
    std::size_t counted = 0;  // the bytes before it are counted in line and lineStart
    std::size_t line = 1;
    std::size_t lineStart = 0;
    bool afterCarriageReturn = false;

    // Reads the next piece of the input into `buffer`: what arrives, up to
    // `want` bytes, for a chunk; for more, `want` bytes or up to the end.
    std::size_t Fill(char* buffer, std::size_t want) {
        std::size_t count = 0;
        do {
            const std::size_t got = std::min(read(buffer + count, want - count), want - count);
            if (got > limit - total)
                throw CLtException(FormatString("The document is longer than the limit of %llu bytes",
                                                static_cast<unsigned long long>(limit)));
            total += got;
            count += got;
            if (got == 0) break;
        } while (want > kChunk && count < want);
        window.insert(window.end(), buffer, buffer + count);
        return count;
    }
    // As CXmlDocument::Position counts: a line ends at a line feed, or at a
    // carriage return not followed by one.
    void CountTo(std::size_t offset) noexcept {
        const char* byte = window.data() + (counted - windowStart);
        for (; counted < offset; ++counted, ++byte) {
            const char c = *byte;
            if (c == '\n' || c == '\r') {
                if (c == '\r' || !afterCarriageReturn) ++line;
                lineStart = counted + 1;
            }
            afterCarriageReturn = c == '\r';
        }
    }
    // No element starts before `offset`: the bytes before it are counted and dropped.
    void DropBefore(std::size_t offset) noexcept {
        if (offset <= windowStart) return;
        CountTo(offset);
        window.erase(window.begin(), window.begin() + static_cast<std::ptrdiff_t>(offset - windowStart));
        windowStart = offset;
    }
    // The line and column of the element starting at `offset`, packed as CXmlDocument::Position unpacks them.
    std::size_t PositionOf(std::size_t offset) noexcept {
        if (offset > counted) CountTo(offset);
        const std::size_t column = std::min<std::size_t>(offset - std::min(offset, lineStart) + 1, INT_MAX);
        return (std::min<std::size_t>(line, INT_MAX) << 32) | column;
    }
    // True when the tag ending before `tagEnd` ends in "/>".
    bool EndsEmptyTag(std::size_t tagEnd) const noexcept {
        return tagEnd >= windowStart + 2 && tagEnd <= windowStart + window.size() &&
               window[tagEnd - windowStart - 1] == '>' && window[tagEnd - windowStart - 2] == '/';
    }
};

}  // namespace

// Element starts and ends as the parser reported them, with copies of the
// names and values (expat's own strings last only for one callback). The
// parser fills a batch while the walk takes the one before.
struct CXmlDocument::Batch {
    struct Record {
        std::size_t offset = 0;  // start: of the start tag in the input
        std::size_t nameAt = 0;  // start: the name in text
        std::size_t nameLength = 0;
        std::size_t firstAttribute = 0;  // start: in attributes
        std::size_t attributeCount = 0;
        bool start = true;
        bool emptyTag = false;  // start: written "<name .../>", no end is reported
        bool hasText = false;   // end: the element held character data other than whitespace
    };
    struct AttributeRecord {
        std::size_t at;  // the name, then the value, in text
        std::size_t nameLength;
        std::size_t valueLength;
    };
    // A batch is handed over once it holds this many events or bytes of text.
    static constexpr std::size_t kRecords = 2048;
    static constexpr std::size_t kText = 128 * 1024;

    std::vector<Record> records;
    std::vector<AttributeRecord> attributes;
    std::vector<char> text;  // only the first textSize bytes are in use
    std::size_t textSize = 0;

    bool Full() const noexcept { return records.size() >= kRecords || textSize >= kText; }
    void Clear() noexcept {
        records.clear();
        attributes.clear();
        textSize = 0;
        // Room a huge value needed is not kept for the rest of the read.
        if (text.size() > 4 * kText) std::vector<char>().swap(text);
    }
    // Copies `count` bytes to the end of the text; returns where they start.
    std::size_t Append(const char* from, std::size_t count) {
        if (text.size() - textSize < count) text.resize(std::max({2 * text.size(), textSize + count, std::size_t{4096}}));
        const std::size_t at = textSize;
        detail::CopyShort(text.data() + at, from, count);
        textSize += count;
        return at;
    }
};

// Expat parses the whole input in one call, on a stack of its own (a fiber):
// a handler that fills the batch switches to whoever asked for it (Fill), and
// is switched back to for the next batch. The parse is never suspended: a
// suspended expat brings its line count up to date over every byte at each
// return, which made reading 5 to 6% slower. On request a thread of its own
// asks for the batches ahead of the walk (Thread). A stream is parsed chunk by
// chunk on the same stack, each read when the one before is parsed.
struct CXmlDocument::Parser {
    class Thread;
    // Expat's parser, freed with it.
    struct Expat {
        XML_Parser handle = nullptr;
        Expat() = default;
        Expat(const Expat&) = delete;
        Expat& operator=(const Expat&) = delete;
        ~Expat() {
            if (handle != nullptr) XML_ParserFree(handle);
        }
        operator XML_Parser() const noexcept { return handle; }
    };
    // Declared first: freed last, once nothing runs it any more.
    Expat expat;
    std::string_view input;
    std::unique_ptr<StreamInput> stream;  // set instead of `input` for an input read in chunks
    int maxDepth = 0;
    Batch* filling = nullptr;  // the batch the callbacks add to
    std::size_t depth = 0;     // elements open in the parser
    // Per open element: kEmptyTag, kHasText.
    std::vector<unsigned char> open;
    static constexpr unsigned char kEmptyTag = 1;
    static constexpr unsigned char kHasText = 2;

    // How the parse ended: written by the parser before `finished` is set.
    XML_Status status = XML_STATUS_OK;
    std::exception_ptr callbackError;  // thrown in a callback, rethrown to the walk
    std::exception_ptr inputError;     // a CLtException of reading a stream: the document's fault
    std::string failure;               // set when a handler stops the parser
    int failureLine = 0;
    int failureColumn = 0;
    bool finished = false;  // the parse has returned
    bool abandon = false;   // nobody will ask for another batch: end the parse

    // Counting what the objects do not hold (CReadOptions::dropped): written by
    // the parser, except the type attributes the walk took, settled by Finish.
    CDroppedContent* dropped = nullptr;
    std::size_t typesTaken = 0;
    std::size_t lastTypeTaken = SIZE_MAX;  // the offset of the element whose type was taken last

    detail::SanitizerFiber sanitizer;           // tells a thread sanitizer of the switches below
    boost::context::fiber parserSide;           // resumes the parser; held by whoever calls Fill
    boost::context::fiber* walkSide = nullptr;  // resumes the caller of Fill; held by the parser
    static constexpr std::size_t kBatches = 3;  // the walk takes one; a thread fills the others ahead
    Batch batches[kBatches];
    // Stopped and joined before the parse is wound up.
    std::unique_ptr<Thread> thread;

    Parser() = default;
    Parser(const Parser&) = delete;
    Parser& operator=(const Parser&) = delete;
    ~Parser() {
        thread.reset();
        Abandon();
    }

    // Makes the parser's stack, ready to parse at the first Fill.
    void Start() {
        parserSide = boost::context::fiber(std::allocator_arg, boost::context::protected_fixedsize_stack(kStackSize),
                                           [this](boost::context::fiber&& caller) {
                                               walkSide = &caller;
                                               status = ParseAll();
                                               finished = true;
                                               return sanitizer.Return(std::move(caller));
                                           });
    }

    // Parses into `batch`, which is empty, until it is full or the parse has ended (`finished`).
    void Fill(Batch& batch) noexcept {
        filling = &batch;
        if (!finished) parserSide = sanitizer.Enter(std::move(parserSide));
    }

    // Lets the callback expat waits in return and stop the parse, so that its
    // stack unwinds normally; on the thread that parsed last.
    void Abandon() noexcept {
        if (finished || !parserSide) return;
        abandon = true;
        parserSide = sanitizer.Enter(std::move(parserSide));
    }

    XML_Status ParseAll() noexcept {
        if (abandon) return XML_STATUS_ERROR;  // wound up before it began
        if (stream) return ParseStream();
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

    // Reads the input in chunks straight into expat's buffer, each parsed
    // before the next is read.
    XML_Status ParseStream() noexcept {
        StreamInput& in = *stream;
        for (;;) {
            // Expat scans an unfinished token anew on every call: while one is
            // longer than a chunk (what is left in the window), the next piece is
            // as long again, so that it is scanned a few times, not once a chunk.
            const std::size_t want =
                std::min(std::max(StreamInput::kChunk, in.window.size()), StreamInput::kLargestPiece);
            char* buffer = static_cast<char*>(XML_GetBuffer(expat, static_cast<int>(want)));
            std::size_t count = 0;
            try {
                if (buffer == nullptr) throw std::bad_alloc();
                count = in.Fill(buffer, want);
            } catch (const CLtException&) {
                inputError = std::current_exception();
                return XML_STATUS_ERROR;
            } catch (...) {
                callbackError = std::current_exception();
                return XML_STATUS_ERROR;
            }
            const XML_Status result = XML_ParseBuffer(expat, static_cast<int>(count), count == 0 ? XML_TRUE : XML_FALSE);
            if (result != XML_STATUS_OK || count == 0) return result;
            // Every element still to come starts at or after the last event.
            const XML_Index at = XML_GetCurrentByteIndex(expat);
            if (at > 0) in.DropBefore(static_cast<std::size_t>(at));
        }
    }

    // The batch is full: back to the caller of Fill, which resumes the parse
    // with the next batch, or to end it.
    void HandOver() {
        *walkSide = sanitizer.Leave(std::move(*walkSide));
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

    template <bool kStream, bool kCount>
    void OnStartElement(const XML_Char* name, const XML_Char** attributes) {
        if (static_cast<int>(depth) >= maxDepth) {
            Stop(FormatString("Elements are nested deeper than the limit of %d levels", maxDepth));
            return;
        }
        const std::size_t nameLength = std::strlen(name);
        // Expat reads a few Latin-1 letters as name characters in ISO-8859-1
        // and UTF-16 documents that XML (and expat itself, in UTF-8) does not
        // allow: refuse them, or the name could not be written again. ASCII
        // names expat has checked already.
        if (!IsAscii(std::string_view(name, nameLength))) {
            const SplitName split = Split(name, nameLength);
            const std::string_view local(split.local, split.localLength);
            if (!CXmlTextWriter::IsValidName(local)) {
                Stop("The element name [" + std::string(local) + "] is not a valid XML name");
                return;
            }
        }
        if constexpr (kCount) CountSchemaInstanceAttributes(attributes);
        Batch& batch = *filling;
        Batch::Record record;
        const XML_Index at = XML_GetCurrentByteIndex(expat);
        // An empty-element tag ("<a .../>") has no content: the walk knows its
        // first child is null without waiting for its end, which is not
        // reported. Any other encoding of "/>" than one byte each (UTF-16)
        // simply takes the general path.
        const int count = XML_GetCurrentByteCount(expat);
        const std::size_t tagEnd = static_cast<std::size_t>(at) + static_cast<std::size_t>(count);
        if constexpr (kStream) {
            record.offset = stream->PositionOf(static_cast<std::size_t>(at));
            record.emptyTag = count >= 4 && stream->EndsEmptyTag(tagEnd);
        } else {
            record.offset = static_cast<std::size_t>(at);
            record.emptyTag =
                count >= 4 && tagEnd <= input.size() && input[tagEnd - 1] == '>' && input[tagEnd - 2] == '/';
        }
        record.nameAt = batch.Append(name, nameLength);
        record.nameLength = nameLength;
        record.firstAttribute = batch.attributes.size();
        for (const XML_Char** attribute = attributes; *attribute != nullptr; attribute += 2) {
            const std::size_t attributeNameLength = std::strlen(attribute[0]);
            const std::size_t valueLength = std::strlen(attribute[1]);
            const std::size_t attributeAt = batch.Append(attribute[0], attributeNameLength);
            batch.Append(attribute[1], valueLength);
            batch.attributes.push_back(Batch::AttributeRecord{attributeAt, attributeNameLength, valueLength});
        }
        record.attributeCount = batch.attributes.size() - record.firstAttribute;
        batch.records.push_back(record);
        if (open.size() <= depth) open.resize(depth + 1);
        open[depth] = record.emptyTag ? kEmptyTag : 0;
        ++depth;
        if (batch.Full()) HandOver();
    }

    void CountSchemaInstanceAttributes(const XML_Char** attributes) {
        const std::size_t uriLength = std::strlen(kXmlSchemaInstanceNamespace);
        for (const XML_Char** attribute = attributes; *attribute != nullptr; attribute += 2) {
            const char* name = attribute[0];
            if (std::strncmp(name, kXmlSchemaInstanceNamespace, uriLength) == 0 && name[uriLength] == kNamespaceSeparator)
                ++dropped->schemaInstanceAttributes[name + uriLength + 1];
        }
    }

    void OnEndElement() {
        --depth;
        if ((open[depth] & kEmptyTag) != 0) return;  // the walk has been told there is no content
        Batch::Record record;
        record.start = false;
        record.hasText = (open[depth] & kHasText) != 0;
        filling->records.push_back(record);
        if (filling->Full()) HandOver();
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

    template <bool kStream, bool kCount>
    static void XMLCALL StartHandler(void* data, const XML_Char* name, const XML_Char** attributes) {
        Guarded(data, [&](Parser& parser) { parser.OnStartElement<kStream, kCount>(name, attributes); });
    }
    static void XMLCALL CommentHandler(void* data, const XML_Char*) {
        ++static_cast<Parser*>(data)->dropped->comments;
    }
    static void XMLCALL ProcessingInstructionHandler(void* data, const XML_Char*, const XML_Char*) {
        ++static_cast<Parser*>(data)->dropped->processingInstructions;
    }
    static void XMLCALL EndHandler(void* data, const XML_Char*) {
        Guarded(data, [](Parser& parser) { parser.OnEndElement(); });
    }
    static void XMLCALL TextHandler(void* data, const XML_Char* text, int length) {
        Parser& parser = *static_cast<Parser*>(data);
        if (parser.depth > 0 && !IsWhitespace(text, length)) parser.open[parser.depth - 1] |= kHasText;
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

// The parser on a thread of its own (CReadOptions::parseOnThreadFromBytes),
// filling batches ahead of the walk. The batches go round from the thread to
// `ready`, to the walk, to `spare`, back to the thread; room for every one is
// reserved up front, so that handing one over never allocates.
class CXmlDocument::Parser::Thread {
public:
    // Throws std::system_error when no thread can be had.
    explicit Thread(Parser& parser) : m_parser(parser) {
        m_ready.reserve(kBatches);
        m_spare.reserve(kBatches);
        for (Batch& batch : parser.batches) m_spare.push_back(&batch);
        m_thread = std::thread([this] { Run(); });
    }
    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;
    // A parse still running (the walk stopped early) is wound up on the thread.
    ~Thread() {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_abandon = true;
        }
        m_forParser.notify_one();
        m_thread.join();
    }

    // Gives back the batch the walk has taken every event of (or null) and
    // waits for the next one: null once the parse has ended.
    Batch* Exchange(Batch* taken) {
        std::unique_lock<std::mutex> lock(m_mutex);
        if (taken != nullptr) {
            taken->Clear();
            m_spare.push_back(taken);
            m_forParser.notify_one();
        }
        m_forWalk.wait(lock, [this] { return !m_ready.empty() || m_ended; });
        if (m_ready.empty()) return nullptr;
        Batch* next = m_ready.front();
        m_ready.erase(m_ready.begin());
        return next;
    }

private:
    void Run() noexcept {
        std::unique_lock<std::mutex> lock(m_mutex);
        while (!m_parser.finished) {
            m_forParser.wait(lock, [this] { return !m_spare.empty() || m_abandon; });
            if (m_abandon) {
                lock.unlock();
                m_parser.Abandon();
                return;
            }
            Batch* batch = m_spare.back();
            m_spare.pop_back();
            lock.unlock();
            m_parser.Fill(*batch);
            lock.lock();
            (batch->records.empty() ? m_spare : m_ready).push_back(batch);
            m_forWalk.notify_one();
        }
        // The parser's results are the walk's to read once it sees this.
        m_ended = true;
        m_forWalk.notify_one();
    }

    Parser& m_parser;
    std::mutex m_mutex;
    std::condition_variable m_forWalk;    // a batch is ready, or the parse has ended
    std::condition_variable m_forParser;  // a batch is spare, or the walk has stopped
    std::vector<Batch*> m_ready;          // oldest first
    std::vector<Batch*> m_spare;
    bool m_ended = false;
    bool m_abandon = false;
    std::thread m_thread;  // last: started once everything above is ready
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
    StartParsing(text.size() >= options.parseOnThreadFromBytes);
}

CXmlDocument::CXmlDocument(std::size_t size, const Fill& fill, const CReadOptions& options)
    : m_parser(std::make_unique<Parser>()) {
    CheckSize(size, options);
    if (size > INT_MAX) throw CLtException(FormatString("The document is %zu bytes long, more than one read takes", size));
    CreateParser(options);
    FillExpatBuffer(size, fill);
    StartParsing(size >= options.parseOnThreadFromBytes);
}

CXmlDocument::CXmlDocument(const Read& read, const CReadOptions& options) : m_parser(std::make_unique<Parser>()) {
    m_parser->stream = std::make_unique<StreamInput>();
    m_parser->stream->read = read;
    m_parser->stream->limit = options.maxInputBytes;
    CreateParser(options);
    StartParsing(false);  // the reads would block whichever thread parses: keep to this one
}

void CXmlDocument::CheckSize(std::size_t size, const CReadOptions& options) {
    if (size > options.maxInputBytes)
        throw CLtException(FormatString("The document is %zu bytes long, more than the limit of %llu bytes", size,
                                        static_cast<unsigned long long>(options.maxInputBytes)));
}

void CXmlDocument::CreateParser(const CReadOptions& options) {
    Parser& parser = *m_parser;
    parser.maxDepth = options.maxDepth;
    parser.expat.handle = XML_ParserCreateNS(nullptr, kNamespaceSeparator);
    if (parser.expat == nullptr) throw std::bad_alloc();
    XML_Parser expat = parser.expat;
    XML_SetUserData(expat, &parser);
    parser.dropped = options.dropped;
    m_sourceLines = options.sourceLines;
    if (m_sourceLines != nullptr) m_sourceLines->lineOf.clear();
    XML_StartElementHandler start = &Parser::StartHandler<false, false>;
    if (parser.dropped != nullptr) {
        *parser.dropped = CDroppedContent();
        XML_SetCommentHandler(expat, &Parser::CommentHandler);
        XML_SetProcessingInstructionHandler(expat, &Parser::ProcessingInstructionHandler);
        start = parser.stream ? &Parser::StartHandler<true, true> : &Parser::StartHandler<false, true>;
    } else if (parser.stream) {
        start = &Parser::StartHandler<true, false>;
    }
    XML_SetElementHandler(expat, start, &Parser::EndHandler);
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
    detail::platform::Prefault(buffer, size);
    const std::size_t filled = fill(buffer, size);
    parser.input = std::string_view(buffer, std::min(filled, size));
}

void CXmlDocument::StartParsing(bool onThread) {
    m_parser->Start();
    if (onThread) {
        try {
            m_parser->thread = std::make_unique<Parser::Thread>(*m_parser);
        } catch (const std::system_error&) {
            // No thread to be had: parse on this one.
        }
    }
    if (Next() != Event::Start) ThrowParseError();  // an empty document
}

CXmlDocument::~CXmlDocument() = default;

bool CXmlDocument::ParsesOnThread() const noexcept { return m_parser->thread != nullptr; }

CXmlDocument::Event CXmlDocument::Next() {
    if (m_parseError) throw *m_parseError;
    // An empty-element tag just taken ends next: the parser does not report that end.
    if (m_depth > 0 && m_elements[m_depth - 1]->m_emptyTag) {
        --m_depth;
        return Event::End;
    }
    if ((m_batch == nullptr || m_taken == m_batch->records.size()) && !Refill()) return Ended();
    const Batch::Record& record = m_batch->records[m_taken++];
    if (!record.start) {
        --m_depth;
        m_elements[m_depth]->m_hasText = record.hasText;
        return Event::End;
    }
    if (m_elements.size() <= m_depth) m_elements.push_back(std::make_unique<CXmlElement>());
    CXmlElement& element = *m_elements[m_depth];
    element.m_document = this;
    element.m_depth = m_depth;
    element.m_offset = record.offset;
    element.m_hasText = false;
    element.m_emptyTag = record.emptyTag;
    // The views show the batch's text until the walk asks for the element's
    // children (Own copies them then) or the batch is reused.
    const char* text = m_batch->text.data();
    const SplitName name = Split(text + record.nameAt, record.nameLength);
    element.m_namespaceUri = std::string_view(text + record.nameAt, name.uriLength);
    element.m_localName = std::string_view(name.local, name.localLength);
    if (element.m_attributes.size() < record.attributeCount) element.m_attributes.resize(record.attributeCount);
    element.m_attributeCount = record.attributeCount;
    for (std::size_t a = 0; a < record.attributeCount; ++a) {
        const Batch::AttributeRecord& from = m_batch->attributes[record.firstAttribute + a];
        CXmlAttribute& attribute = element.m_attributes[a];
        const char* attributeName = text + from.at;
        const SplitName split = Split(attributeName, from.nameLength);
        attribute.m_namespaceUri = std::string_view(attributeName, split.uriLength);
        attribute.m_localName = std::string_view(split.local, split.localLength);
        attribute.m_value = std::string_view(attributeName + from.nameLength, from.valueLength);
    }
    element.m_borrowed = true;
    ++m_depth;
    return Event::Start;
}

bool CXmlDocument::Refill() {
    // Views into the batch must not outlive it.
    for (const auto& element : m_elements)
        if (element->m_borrowed) element->Forget();
    Parser& parser = *m_parser;
    m_taken = 0;
    if (parser.thread) {
        m_batch = parser.thread->Exchange(m_batch);
        return m_batch != nullptr;
    }
    m_batch = &parser.batches[0];
    m_batch->Clear();  // every event taken: asking again past the end must not take them twice
    if (parser.finished) return false;
    parser.Fill(*m_batch);
    return !m_batch->records.empty();
}

CXmlDocument::Event CXmlDocument::Ended() {
    // The parser has returned (Refill saw it): its results are the walk's to read.
    Parser& parser = *m_parser;
    if (parser.callbackError) std::rethrow_exception(parser.callbackError);
    if (parser.inputError) {
        // Kept as the document's fault, which a fault of the structure met on the way does not hide.
        try {
            std::rethrow_exception(parser.inputError);
        } catch (const CLtException& error) {
            m_parseError = std::make_unique<CLtException>(error);
        }
        throw *m_parseError;
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
    // The type attributes the walk took are written again: not dropped.
    Parser& parser = *m_parser;
    if (parser.dropped != nullptr && parser.typesTaken > 0) {
        auto& attributes = parser.dropped->schemaInstanceAttributes;
        const auto type = attributes.find("type");
        if (type != attributes.end()) {
            type->second -= std::min<std::uint64_t>(type->second, parser.typesTaken);
            if (type->second == 0) attributes.erase(type);
        }
        parser.typesTaken = 0;
    }
}

void CXmlDocument::NoteTypeTaken(std::size_t offset) noexcept {
    Parser& parser = *m_parser;
    if (parser.dropped == nullptr || offset == parser.lastTypeTaken) return;
    parser.lastTypeTaken = offset;
    ++parser.typesTaken;
}

const CXmlElement* CXmlDocument::FirstChildOf(const CXmlElement& element) {
    // Only while the walk stands right inside the element's start tag.
    if (m_depth != element.m_depth + 1 || element.m_emptyTag) return nullptr;
    // Its name and attributes stay readable while its children are walked.
    Own(const_cast<CXmlElement&>(element));
    return Next() == Event::Start ? m_elements[element.m_depth + 1].get() : nullptr;
}

void CXmlDocument::Own(CXmlElement& element) {
    if (!element.m_borrowed) return;
    if (m_taken == m_batch->records.size() && m_batch->textSize > Batch::kText) {
        // The last event of an outsized batch (a huge value): the element takes
        // the batch's text over instead of copying it, and the batch goes on
        // with the element's old storage. No event left in the batch needs it.
        element.m_text.swap(m_batch->text);
        m_batch->textSize = 0;
        element.m_borrowed = false;
        return;
    }
    // One buffer for every string of the element, then the views point into it.
    std::size_t total = element.m_namespaceUri.size() + element.m_localName.size();
    for (const CXmlAttribute& attribute : element.GetAttributes())
        total += attribute.m_namespaceUri.size() + attribute.m_localName.size() + attribute.m_value.size();
    std::vector<char>& text = element.m_text;
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
    // An element of a stream carries its line and column (StreamInput::PositionOf).
    if (m_parser->stream) return {static_cast<int>(offset >> 32), static_cast<int>(offset & 0xffffffffu)};
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

int CXmlDocument::LineAt(std::size_t offset) noexcept {
    if (m_parser->stream || offset < m_linesCountedTo) return Position(offset).first;
    // As Position counts, over the bytes since the last element only.
    const std::string_view input = m_parser->input;
    for (std::size_t at = m_linesCountedTo; at < offset && at < input.size(); ++at) {
        const char c = input[at];
        if (c == '\n' || (c == '\r' && (at + 1 >= input.size() || input[at + 1] != '\n'))) ++m_linesCounted;
    }
    m_linesCountedTo = offset;
    return m_linesCounted;
}

void CXmlElement::NoteSourceLine(const CXmlObjectBase* object) const {
    // A collection is read from its owner's element: it has no line of its own.
    if (!KeepsSourceLines() || dynamic_cast<const CXmlCollectionBase*>(object) != nullptr) return;
    m_document->m_sourceLines->lineOf[object] = m_document->LineAt(m_offset);
}

void CXmlElement::NoteTypeTaken() const noexcept {
    if (m_document != nullptr) m_document->NoteTypeTaken(m_offset);
}

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
