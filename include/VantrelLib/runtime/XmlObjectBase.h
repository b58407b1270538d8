#pragma once
// The base classes every element and collection class derives from, and the
// document-level entry points that write a tree as XML and read one back.

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "VantrelLib/Export.h"
#include "VantrelLib/runtime/Exceptions.h"
#include "VantrelLib/runtime/ReadOptions.h"
#include "VantrelLib/runtime/SmartPtr.h"

namespace VantrelLib {
namespace Framework {
class CCollection;
class ChildRow;
class ChoiceRow;
class ElementSchema;
class FactoryTable;
struct ClassMaker;
}  // namespace Framework
namespace Reflection {
class Property;
}  // namespace Reflection
}  // namespace VantrelLib

namespace LtXmlLib3 {

class CXmlTextWriter;
class CXmlElement;
class CXmlAttribute;
class CXmlDocument;

// The W3C XML Schema instance namespace, bound to the prefix "xs" on writing.
inline constexpr const char* kXmlSchemaInstanceNamespace = "http://www.w3.org/2001/XMLSchema-instance";

// Empty base of every element and collection class, constructed with the class name.
class VANTREL_EXPORT CInstanceMonitor {
public:
    explicit CInstanceMonitor(const char* /*className*/) noexcept {}
};

class VANTREL_EXPORT CXmlObjectBase {
public:
    // Reference counting: a new object holds no reference; the last Release destroys it.
    void AddRef() noexcept { ++m_refCount; }
    void Release() noexcept {
        if (--m_refCount == 0) Destroy();
    }
    // The number of references held on this object.
    std::int32_t GetRefCount() const noexcept { return m_refCount; }

    // The name this object's element is written under and was read from
    // (the view's data is NUL-terminated).
    std::string_view GetElementName() const noexcept { return std::string_view(m_name, m_nameLength & kLengthMask); }
    // Gives `target` the element name `name` (copied).
    static void SetElementName(CXmlObjectBase* target, std::string_view name);

    virtual CXmlObjectBase* GetBase() = 0;
    virtual ~CXmlObjectBase();
    // The namespace URI of this object's element type ("" for none).
    virtual std::string GetTargetNamespace() const = 0;
    virtual void OnEvent(CXmlObjectBase* source, int eventType, void* data);
    virtual void AttributesToXml_Int(CXmlTextWriter* writer);
    virtual void ToXml_Int(CXmlTextWriter* writer, bool registerNamespaces, std::string_view namespaceUri) = 0;
    // Reads `element` into this object; `firstChild` is its first child element.
    // Returns the first child element not consumed (null on success).
    virtual const CXmlElement* FromXml_Int(const CXmlElement* element, const CXmlElement* firstChild) = 0;
    // A deep copy as this object's own class: a new tree that shares no object
    // with this one (the element classes' and collections' Clone()). Throws
    // CLtException for a class that does not provide one.
    virtual CSmartPtr<CXmlObjectBase> CloneObject() const;

    // Static entry points through which parents reach their children.
    static void ToXml_Int(CXmlObjectBase* object, CXmlTextWriter* writer, bool registerNamespaces,
                          std::string_view namespaceUri);
    static const CXmlElement* FromXml_Int(CXmlObjectBase* object, const CXmlElement* element,
                                          const CXmlElement* firstChild);

    // Throws CLtException naming `propertyName` when `pointer` is null.
    static void Throw_IfPropertyIsNull(const void* pointer, const char* propertyName);
    // True for namespace declarations and for every attribute in the XML Schema
    // instance namespace (the type attribute, schemaLocation, ...).
    static bool IsNamespaceAttribute(const CXmlAttribute& attribute) noexcept;

    // --- Document level -----------------------------------------------------
    // The whole document as UTF-8 text with an XML declaration, this object as
    // the outermost element (with the "xs" and "gdt" namespace declarations).
    // Throws CLtValidationException when the tree cannot be written. The
    // string is reserved at about the size of the text this object was last
    // read from or written to, and written into directly when that suffices.
    std::string ToXml();
    // Writes ToXml() to `path`. The file is replaced only once the whole document
    // is written; on any failure the old file is untouched and no temporary is
    // left behind. A symbolic link is followed: the file it points to is
    // replaced, the link stays. Throws CLtException naming the file on an I/O failure.
    void ToXmlFile(const std::string& path);
    // Parses `text` and reads its document element into this object, replacing
    // whatever it held. Malformed XML throws CLtException with line and column;
    // a document that does not fit this object's structure throws the wrapping
    // CLtValidationException chain.
    void FromXml(std::string_view text, const CReadOptions& options = CReadOptions());
    // As FromXml, reading the file at `path`. A missing or unreadable file, or one
    // larger than options.maxInputBytes, throws CLtException naming the file;
    // faults of its text carry their line and column (FormatChain(path) adds the file).
    // A pipe or device is parsed as it is read, as FromXmlStream does.
    void FromXmlFile(const std::string& path, const CReadOptions& options = CReadOptions());
    // As FromXml, reading `stream` to its end in chunks of 64 KiB, parsed as they
    // arrive: malformed text, or more than options.maxInputBytes, is refused as
    // soon as it is read. The stream is not kept, and the parser never runs on a
    // thread of its own. Throws as FromXml; what the stream's buffer throws is
    // thrown as it is.
    void FromXmlStream(std::istream& stream, const CReadOptions& options = CReadOptions());

protected:
    CXmlObjectBase() = default;
    // Copies the element name; the copy starts with no reference.
    CXmlObjectBase(const CXmlObjectBase& other);
    CXmlObjectBase& operator=(const CXmlObjectBase& other);

    // What the framework that makes, names and reads the objects needs; no
    // client does.
    friend class VantrelLib::Framework::CCollection;
    friend class VantrelLib::Framework::ChildRow;
    friend class VantrelLib::Framework::ChoiceRow;
    friend class VantrelLib::Framework::ElementSchema;
    friend class VantrelLib::Framework::FactoryTable;
    friend struct VantrelLib::Framework::ClassMaker;
    friend class VantrelLib::Reflection::Property;

    // The same for a name with static storage duration (a string literal of a
    // class declaration): kept without a copy.
    static void SetElementNameLiteral(CXmlObjectBase* target, const char* literal) noexcept;
    // True when the element name is such a literal.
    bool IsElementNameLiteral() const noexcept { return (m_nameLength & kOwnedFlag) == 0; }
    // Makes sure the element name is the object's own copy.
    void OwnElementName();
    // Marks an object that is in its Init state and is about to be read: the
    // read need not reset it again. Taking the mark clears it.
    void MarkJustInitialised() noexcept { m_justInitialised = true; }
    bool TakeJustInitialised() noexcept {
        const bool mark = m_justInitialised;
        m_justInitialised = false;
        return mark;
    }

    // Makes an object of class T with `make(memory)`, a placement new of T
    // into `memory`: in the pool of the document this thread is reading, if
    // any (objects read are made there), else on the heap. Throws what
    // `make` throws, or std::bad_alloc.
    template <class T, class Make>
    static T* Emplace(Make&& make) {
        static_assert(alignof(T) <= alignof(std::max_align_t), "over-aligned objects are not pooled");
        std::uint8_t shift = 0;
        void* memory = AllocateObject(sizeof(T), shift);
        T* object = nullptr;
        try {
            object = make(memory);
        } catch (...) {
            FreeObject(memory, shift);
            throw;
        }
        static_cast<CXmlObjectBase*>(object)->m_poolShift = shift;
        return object;
    }

private:
    static constexpr std::uint32_t kOwnedFlag = 0x80000000u;
    static constexpr std::uint32_t kLengthMask = 0x7fffffffu;
    void AssignName(std::string_view name);  // copies
    void FreeName() noexcept;
    // Reads the document's element into this object (FromXml, FromXmlFile);
    // `textSize` is the size of its text.
    void ReadDocument(CXmlDocument& document, std::size_t textSize);
    // Destroys the object and frees its memory, wherever Emplace took it from.
    void Destroy() noexcept;
    static void* AllocateObject(std::size_t size, std::uint8_t& shift);
    static void FreeObject(void* memory, std::uint8_t shift) noexcept;

    // The element name: a literal, or a heap copy the object owns (kOwnedFlag).
    const char* m_name = "";
    std::uint32_t m_nameLength = 0;
    std::int32_t m_refCount = 0;
    bool m_justInitialised = false;
    // Where the object's memory came from: 0 the heap, else the pool block's
    // log2 size (CObjectPool::Free). Not copied.
    std::uint8_t m_poolShift = 0;
    // The size in KiB of the text this object was last read from or written to
    // (0: none): ToXml's estimate of the document it makes. Not copied.
    std::uint32_t m_textKiB = 0;
};

// Base of every collection: the items, in insertion order, and the occurrence
// limits given at construction (maxOccurs -1: no upper limit).
class VANTREL_EXPORT CXmlCollectionBase : public CXmlObjectBase {
public:
    CXmlObjectBase* GetBase() override { return this; }
    std::string GetTargetNamespace() const override { return std::string(); }

    virtual int GetCount() const noexcept { return static_cast<int>(m_items.size()); }
    // Removes every item.
    virtual void Clear();
    // Removes the item at `index`; throws CLtException outside 0..GetCount()-1.
    virtual void Remove(int index);
    // Throws CLtValidationException when the count is outside minOccurs..maxOccurs.
    virtual void ValidateCount() const;

    long GetMinOccurs() const noexcept { return m_minOccurs; }
    long GetMaxOccurs() const noexcept { return m_maxOccurs; }

protected:
    // Keeps `itemElementName` without a copy: the class factory makes the
    // collection own it unless it is a literal of a class declaration.
    CXmlCollectionBase(const char* itemElementName, long minOccurs, long maxOccurs);
    CXmlCollectionBase(const CXmlCollectionBase&) = default;
    CXmlCollectionBase& operator=(const CXmlCollectionBase&) = default;
    ~CXmlCollectionBase() override;

    // Appends `item`, taking a reference on it.
    void Append(CXmlObjectBase* item);
    void FireOnCollectionChange();
    // The item at `index`; throws CLtException outside the list.
    CXmlObjectBase* GetNodeAtIndex(int index) const;
    // The position of `item`, or -1.
    int GetNodeForItem(const CXmlObjectBase* item) const noexcept;
    void RemoveNode(int index);
    void Reserve(std::size_t count) { m_items.reserve(count); }

private:
    std::vector<CSmartPtr<CXmlObjectBase>> m_items;
    long m_minOccurs;
    long m_maxOccurs;
};

// Base of both class factories.
class VANTREL_EXPORT CClassfactoryBase {
public:
    CClassfactoryBase() = default;
    CClassfactoryBase(const CClassfactoryBase&) = default;
    CClassfactoryBase& operator=(const CClassfactoryBase&) = default;
    virtual ~CClassfactoryBase();
    // The value of the element's XML Schema instance type attribute with any
    // prefix removed, or "" when it has none.
    static std::string GetElementType(const CXmlElement* element);
};

}  // namespace LtXmlLib3
