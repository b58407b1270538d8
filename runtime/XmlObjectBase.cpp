#include "VantrelLib/runtime/XmlObjectBase.h"

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <istream>
#include <memory>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "VantrelLib/runtime/Conversions.h"
#include "runtime/ObjectPool.h"
#include "runtime/XmlDocument.h"
#include "VantrelLib/runtime/XmlWriter.h"

namespace LtXmlLib3 {

namespace {

[[noreturn]] void ThrowFileError(const char* what, const std::string& path, int error) {
    throw CLtException(FormatString("%s [%s]: %s", what, path.c_str(), std::strerror(error)));
}

// Reads the whole file, refusing one larger than `limit` before reading it.
// A file opened for reading, checked against the size limit.
class InputFile {
public:
    InputFile(const std::string& path, std::uint64_t limit)
        : m_path(path), m_limit(limit), m_handle(std::fopen(path.c_str(), "rb")), m_file(m_handle.get()) {
        if (m_file == nullptr) ThrowFileError("Failed to open the file", path, errno);
        struct stat info {};
        if (fstat(fileno(m_file), &info) != 0) Fail(errno);
        if (S_ISDIR(info.st_mode)) Fail(EISDIR);
        if (static_cast<std::uint64_t>(info.st_size) > limit)
            throw CLtException(FormatString("The file [%s] is %lld bytes long, more than the limit of %llu bytes",
                                            path.c_str(), static_cast<long long>(info.st_size),
                                            static_cast<unsigned long long>(limit)));
        m_size = static_cast<std::size_t>(info.st_size);
        m_regular = S_ISREG(info.st_mode);
    }

    std::size_t Size() const noexcept { return m_size; }
    std::uint64_t BytesRead() const noexcept { return m_read; }
    bool IsRegular() const noexcept { return m_regular; }

    // Reads exactly `size` bytes, the file's whole content: false when it
    // holds fewer or more.
    bool ReadExactly(char* buffer, std::size_t size) {
        const std::size_t total = std::fread(buffer, 1, size, m_file);
        if (std::ferror(m_file)) Fail(errno);
        if (total != size) return false;
        char more;
        if (std::fread(&more, 1, 1, m_file) != 0) return false;
        if (std::ferror(m_file)) Fail(errno);
        return true;
    }

    // Reads the next bytes, at most `size`, as they arrive (0 at the end), within the limit.
    std::size_t ReadSome(char* buffer, std::size_t size) {
        const int fd = fileno(m_file);  // nothing was read through m_file yet: it buffers nothing
        ssize_t count;
        while ((count = ::read(fd, buffer, size)) < 0) {
            if (errno != EINTR) Fail(errno);
        }
        if (static_cast<std::uint64_t>(count) > m_limit - m_read) ThrowTooLong();
        m_read += static_cast<std::uint64_t>(count);
        return static_cast<std::size_t>(count);
    }

    // Reads the file to its end, within the limit.
    std::string ReadAll() {
        std::string text;
        text.resize(m_size);
        const std::size_t total = std::fread(text.data(), 1, text.size(), m_file);
        if (std::ferror(m_file)) Fail(errno);
        text.resize(total);
        // A file that grows while being read (or reports no size) is read to its end, within the limit.
        char buffer[65536];
        std::size_t more;
        while ((more = std::fread(buffer, 1, sizeof buffer, m_file)) > 0) {
            if (text.size() + more > m_limit) ThrowTooLong();
            text.append(buffer, more);
        }
        if (std::ferror(m_file)) Fail(errno);
        return text;
    }

private:
    [[noreturn]] void Fail(int error) const { ThrowFileError("Failed to read the file", m_path, error); }
    [[noreturn]] void ThrowTooLong() const {
        throw CLtException(FormatString("The file [%s] is longer than the limit of %llu bytes", m_path.c_str(),
                                        static_cast<unsigned long long>(m_limit)));
    }

    struct Closer {
        void operator()(std::FILE* file) const noexcept { std::fclose(file); }
    };
    std::string m_path;
    std::uint64_t m_limit;
    std::unique_ptr<std::FILE, Closer> m_handle;
    std::FILE* m_file;
    std::size_t m_size = 0;
    std::uint64_t m_read = 0;  // by ReadSome
    bool m_regular = false;
};

// The file `path` names once symbolic links are followed (as open() would), so
// that writing through a link replaces the file it points to, not the link.
std::string FollowLinks(const std::string& path) {
    std::string current = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return current;
        std::string link(PATH_MAX, '\0');
        const ssize_t length = ::readlink(current.c_str(), link.data(), link.size());
        if (length < 0) ThrowFileError("Failed to open the file", path, errno);
        link.resize(static_cast<std::size_t>(length));
        if (link.empty() || link[0] != '/') {
            // Relative to the directory holding the link.
            const std::size_t slash = current.rfind('/');
            if (slash != std::string::npos) link.insert(0, current, 0, slash + 1);
        }
        current = std::move(link);
    }
    ThrowFileError("Failed to open the file", path, ELOOP);
}

// Writes all of `text`; returns 0 or the errno of the failure.
int WriteToDescriptor(int fd, std::string_view text) {
    const char* data = text.data();
    std::size_t remaining = text.size();
    while (remaining > 0) {
        const ssize_t written = ::write(fd, data, remaining);
        if (written < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        data += written;
        remaining -= static_cast<std::size_t>(written);
    }
    return 0;
}

void WriteAll(const std::string& path, const std::string& text) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC);
    if (fd < 0) ThrowFileError("Failed to open the file", path, errno);
    const int error = WriteToDescriptor(fd, text);
    if (::close(fd) != 0 && error == 0) ThrowFileError("Failed to write the file", path, errno);
    if (error != 0) ThrowFileError("Failed to write the file", path, error);
}

}  // namespace

CXmlObjectBase::~CXmlObjectBase() { FreeName(); }

void* CXmlObjectBase::AllocateObject(std::size_t size, std::uint8_t& shift) {
    if (CObjectPool* pool = CObjectPool::Current()) {
        if (void* memory = pool->Allocate(size, shift)) return memory;
    }
    shift = 0;
    return ::operator new(size);
}

void CXmlObjectBase::FreeObject(void* memory, std::uint8_t shift) noexcept {
    if (shift == 0)
        ::operator delete(memory);
    else
        CObjectPool::Free(memory, shift);
}

void CXmlObjectBase::Destroy() noexcept {
    const std::uint8_t shift = m_poolShift;
    void* whole = dynamic_cast<void*>(this);  // the most derived object, where its memory starts
    this->~CXmlObjectBase();                  // virtual: destroys the whole object
    FreeObject(whole, shift);
}

CXmlObjectBase::CXmlObjectBase(const CXmlObjectBase& other) : m_name(other.m_name), m_nameLength(other.m_nameLength) {
    if (!other.IsElementNameLiteral()) {
        m_nameLength = 0;
        AssignName(other.GetElementName());
    }
}

CXmlObjectBase& CXmlObjectBase::operator=(const CXmlObjectBase& other) {
    if (this == &other) return *this;
    if (other.IsElementNameLiteral()) {
        FreeName();
        m_name = other.m_name;
        m_nameLength = other.m_nameLength;
    } else {
        AssignName(other.GetElementName());
    }
    return *this;
}

void CXmlObjectBase::FreeName() noexcept {
    if (!IsElementNameLiteral()) delete[] m_name;
    m_name = "";
    m_nameLength = 0;
}

void CXmlObjectBase::AssignName(std::string_view name) {
    if (name.size() > kLengthMask) throw CLtException("The element name is too long");
    char* copy = new char[name.size() + 1];
    std::memcpy(copy, name.data(), name.size());
    copy[name.size()] = '\0';
    FreeName();
    m_name = copy;
    m_nameLength = static_cast<std::uint32_t>(name.size()) | kOwnedFlag;
}

void CXmlObjectBase::OwnElementName() {
    if (IsElementNameLiteral()) AssignName(GetElementName());
}

void CXmlObjectBase::SetElementName(CXmlObjectBase* target, std::string_view name) {
    Throw_IfPropertyIsNull(target, "target");
    if (target->GetElementName() != name) target->AssignName(name);
}

void CXmlObjectBase::SetElementNameLiteral(CXmlObjectBase* target, const char* literal) noexcept {
    if (target->m_name == literal) return;
    target->FreeName();
    target->m_name = literal;
    target->m_nameLength = static_cast<std::uint32_t>(std::strlen(literal));
}

void CXmlObjectBase::OnEvent(CXmlObjectBase*, int, void*) {}
void CXmlObjectBase::AttributesToXml_Int(CXmlTextWriter*) {}

void CXmlObjectBase::ToXml_Int(CXmlObjectBase* object, CXmlTextWriter* writer, bool registerNamespaces,
                               std::string_view namespaceUri) {
    object->ToXml_Int(writer, registerNamespaces, namespaceUri);
}

const CXmlElement* CXmlObjectBase::FromXml_Int(CXmlObjectBase* object, const CXmlElement* element,
                                               const CXmlElement* firstChild) {
    return object->FromXml_Int(element, firstChild);
}

void CXmlObjectBase::Throw_IfPropertyIsNull(const void* pointer, const char* propertyName) {
    if (pointer == nullptr)
        throw CLtException(FormatString("The property [%s] cannot be set to null", propertyName));
}

bool CXmlObjectBase::IsNamespaceAttribute(const CXmlAttribute& attribute) noexcept {
    const std::string_view uri = attribute.GetNamespaceUri();
    return uri == kXmlSchemaInstanceNamespace || uri == "http://www.w3.org/2000/xmlns/" ||
           (uri.empty() && (attribute.GetLocalName() == "xmlns" || attribute.GetLocalName().substr(0, 6) == "xmlns:"));
}

namespace {

// Every element carries these fields: keep them in the space of the vtable pointer and four words.
static_assert(sizeof(void*) != 8 || sizeof(CXmlObjectBase) == 32, "CXmlObjectBase grew");

// Sizes kept in KiB (rounded up), so the estimate fits where the object had padding.
std::uint32_t ToKiB(std::size_t bytes) noexcept {
    const std::size_t kib = (bytes >> 10) + ((bytes & 1023) != 0 ? 1 : 0);
    return kib > UINT32_MAX ? UINT32_MAX : static_cast<std::uint32_t>(kib);
}

}  // namespace

std::string CXmlObjectBase::ToXml() {
    // Written straight into one buffer when the object's text is about as
    // large as last time (a little room for longer numbers); else in pieces.
    const std::size_t expected = std::size_t{m_textKiB} << 10;
    CXmlTextWriter writer(expected + expected / 16);
    ToXml_Int(this, &writer, true, GetTargetNamespace());
    std::string document = writer.TakeDocument();
    m_textKiB = ToKiB(document.size());
    return document;
}

void CXmlObjectBase::ToXmlFile(const std::string& path) {
    const std::string target = FollowLinks(path);
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && !S_ISREG(existing.st_mode)) {
        // A device or pipe (/dev/stdout, a fifo) cannot be replaced: write to it
        // directly, and only once the whole document is made.
        WriteAll(path, ToXml());
        return;
    }

    // Write a temporary file beside the target as the document is made, then
    // rename it over the target. Any failure removes the temporary file and
    // leaves the target as it was.
    std::string temporary = target + ".tmp-XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0) ThrowFileError("Failed to create a temporary file for", path, errno);
    auto discard = [&]() {
        ::close(fd);
        ::unlink(temporary.c_str());
    };
    auto fail = [&](int error) {
        discard();
        ThrowFileError("Failed to write the file", path, error);
    };
    const mode_t mode = exists ? (existing.st_mode & 07777) : 0644;
    if (::fchmod(fd, mode) != 0) fail(errno);
    int writeError = 0;  // the first failure of the file; later pieces are not written
    try {
        CXmlTextWriter writer([&](std::string_view piece) {
            if (writeError == 0) writeError = WriteToDescriptor(fd, piece);
        });
        ToXml_Int(this, &writer, true, GetTargetNamespace());
        writer.Flush();
    } catch (...) {
        discard();
        throw;
    }
    if (writeError != 0) fail(writeError);
    if (::fsync(fd) != 0) fail(errno);
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        ThrowFileError("Failed to write the file", path, error);
    }
    if (std::rename(temporary.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        ThrowFileError("Failed to replace the file", path, error);
    }
}

void CXmlObjectBase::FromXml(std::string_view text, const CReadOptions& options) {
    CXmlDocument document(text, options);
    ReadDocument(document, text.size());
}

void CXmlObjectBase::ReadDocument(CXmlDocument& document, std::size_t textSize) {
    m_textKiB = ToKiB(textSize);
    // The objects read are cut from blocks rather than allocated one by one.
    CObjectPool pool;
    CObjectPool::CScope poolScope(pool);
    const CXmlElement* root = document.GetDocumentElement();
    try {
        FromXml_Int(this, root, root->GetFirstElement());
    } catch (const CLtException&) {
        // A malformed document is reported as malformed even where a fault of
        // its structure comes first: the answer does not depend on how far the
        // stream was read.
        if (document.GetParseError() == nullptr) {
            try {
                document.Finish();
            } catch (const CLtException&) {
            }
        }
        if (const CLtException* parseError = document.GetParseError()) parseError->Rethrow();
        throw;
    }
    document.Finish();
}

void CXmlObjectBase::FromXmlFile(const std::string& path, const CReadOptions& options) {
    // Faults of the text carry their line and column; FormatChain(path) puts the file in front.
    InputFile file(path, options.maxInputBytes);
    const std::size_t size = file.Size();
    if (!file.IsRegular()) {
        // A pipe or device: parsed as it arrives, so that endless or malformed input is refused at once.
        CXmlDocument document([&file](char* buffer, std::size_t room) { return file.ReadSome(buffer, room); }, options);
        ReadDocument(document, 0);
        m_textKiB = ToKiB(file.BytesRead());
        return;
    }
    if (size == 0 || size > INT_MAX) {
        // Read to its end, whatever its size says (a file of the proc file system says 0), or too large for one read.
        FromXml(file.ReadAll(), options);
        return;
    }
    // The file goes straight into the parser's buffer: no copy of it is kept
    // beside the parser's. One that changed size since it was opened is read
    // again to its end.
    struct Changed {};
    std::unique_ptr<CXmlDocument> document;
    try {
        document = std::make_unique<CXmlDocument>(
            size,
            [&](char* buffer, std::size_t room) {
                if (!file.ReadExactly(buffer, room)) throw Changed();
                return room;
            },
            options);
    } catch (const Changed&) {
        FromXml(InputFile(path, options.maxInputBytes).ReadAll(), options);
        return;
    }
    ReadDocument(*document, size);
}

void CXmlObjectBase::FromXmlStream(std::istream& stream, const CReadOptions& options) {
    std::streambuf* buffer = stream.rdbuf();
    std::size_t total = 0;
    // Straight from the stream's buffer: its state and exception mask are the caller's.
    CXmlDocument document(
        [buffer, &total](char* to, std::size_t room) -> std::size_t {
            if (buffer == nullptr) return 0;
            const std::streamsize count = buffer->sgetn(to, static_cast<std::streamsize>(room));
            total += static_cast<std::size_t>(count);
            return static_cast<std::size_t>(count);
        },
        options);
    ReadDocument(document, 0);
    m_textKiB = ToKiB(total);
}

CXmlCollectionBase::CXmlCollectionBase(const char* itemElementName, long minOccurs, long maxOccurs)
    : m_minOccurs(minOccurs), m_maxOccurs(maxOccurs) {
    SetElementNameLiteral(this, itemElementName != nullptr ? itemElementName : "");
}

CXmlCollectionBase::~CXmlCollectionBase() = default;

void CXmlCollectionBase::Clear() {
    m_items.clear();
    FireOnCollectionChange();
}

void CXmlCollectionBase::Remove(int index) {
    GetNodeAtIndex(index);  // validates the index
    RemoveNode(index);
}

void CXmlCollectionBase::ValidateCount() const {
    const long count = static_cast<long>(m_items.size());
    if (count < m_minOccurs)
        throw CLtValidationException(FormatString("The collection [%s] holds %ld item(s), fewer than the minimum of %ld",
                                                  GetElementName().data(), count, m_minOccurs));
    if (m_maxOccurs >= 0 && count > m_maxOccurs)
        throw CLtValidationException(FormatString("The collection [%s] holds %ld item(s), more than the maximum of %ld",
                                                  GetElementName().data(), count, m_maxOccurs));
}

void CXmlCollectionBase::Append(CXmlObjectBase* item) {
    Throw_IfPropertyIsNull(item, GetElementName().data());
    m_items.emplace_back(item);
}

void CXmlCollectionBase::FireOnCollectionChange() { OnEvent(this, 0, nullptr); }

CXmlObjectBase* CXmlCollectionBase::GetNodeAtIndex(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= m_items.size())
        throw CLtException(FormatString("The index %d is outside the collection [%s] of %zu item(s)", index,
                                        GetElementName().data(), m_items.size()));
    return m_items[static_cast<std::size_t>(index)];
}

int CXmlCollectionBase::GetNodeForItem(const CXmlObjectBase* item) const noexcept {
    for (std::size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i].get() == item) return static_cast<int>(i);
    return -1;
}

void CXmlCollectionBase::RemoveNode(int index) {
    m_items.erase(m_items.begin() + index);
    FireOnCollectionChange();
}

CClassfactoryBase::~CClassfactoryBase() = default;

std::string CClassfactoryBase::GetElementType(const CXmlElement* element) {
    const CXmlAttribute* type = element->FindAttribute(kXmlSchemaInstanceNamespace, "type");
    if (type == nullptr) return std::string();
    element->NoteTypeTaken();
    std::string_view value = CWhitespaceUtils::Trim(type->GetValue());
    const std::size_t colon = value.find(':');
    if (colon != std::string_view::npos) value.remove_prefix(colon + 1);
    return std::string(value);
}

}  // namespace LtXmlLib3
