#include "VantrelLib/runtime/XmlObjectBase.h"

#include <climits>
#include <cstdint>
#include <cstring>
#include <istream>
#include <memory>

#include "VantrelLib/runtime/Conversions.h"
#include "runtime/FileIo.h"
#include "runtime/ObjectPool.h"
#include "runtime/XmlDocument.h"
#include "VantrelLib/runtime/XmlWriter.h"

namespace LtXmlLib3 {

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
CSmartPtr<CXmlObjectBase> CXmlObjectBase::CloneObject() const {
    throw CLtException("The object [" + std::string(GetElementName()) + "] cannot be cloned");
}

void CXmlObjectBase::ToXml_Int(CXmlObjectBase* object, CXmlTextWriter* writer, bool registerNamespaces,
                               std::string_view namespaceUri) {
    object->ToXml_Int(writer, registerNamespaces, namespaceUri);
}

const CXmlElement* CXmlObjectBase::FromXml_Int(CXmlObjectBase* object, const CXmlElement* element,
                                               const CXmlElement* firstChild) {
    if (element != nullptr && element->KeepsSourceLines()) element->NoteSourceLine(object);
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
    ToXml_Int(&writer, true, GetTargetNamespace());
    std::string document = writer.TakeDocument();
    m_textKiB = ToKiB(document.size());
    return document;
}

void CXmlObjectBase::ToXmlFile(const std::string& path) {
    detail::OutputFile file(path);
    if (!file.Replaces()) {
        // A device or pipe (/dev/stdout, a fifo) is written to only once the whole document is made.
        file.WriteWhole(ToXml());
        return;
    }
    // Written to the file as the document is made.
    CXmlTextWriter writer([&file](std::string_view piece) { file.Write(piece); });
    ToXml_Int(&writer, true, GetTargetNamespace());
    writer.Flush();
    file.Commit();
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
        if (root->KeepsSourceLines()) root->NoteSourceLine(this);
        FromXml_Int(root, root->GetFirstElement());
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
    detail::InputFile file(path, options.maxInputBytes);
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
        FromXml(detail::InputFile(path, options.maxInputBytes).ReadAll(), options);
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
