#pragma once
// Reflection over the class declarations: for any object, its class and its
// properties in schema order, with their XML names, kinds, value types and
// limits; values read and set as text or as their type; children reached.
// One walk over these serves every class, so code that must know all classes
// (a comparer, a random filler, JSON, a diff) needs no per-class line.
//
//   void Print(const LtXmlLib3::CXmlObjectBase& object, const std::string& path) {
//       for (const auto& property : VantrelLib::Reflection::ClassOf(object)->Properties()) {
//           if (property.IsAttribute() && property.IsValid(object))
//               std::cout << path << "@" << property.Name() << " = " << property.GetText(object) << '\n';
//           for (const auto* child : property.Children(object))  // none for an attribute
//               Print(*child, path + "/" + std::string(child->GetElementName()));
//       }
//   }

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "VantrelLib/framework/GdtClassFactory.h"
#include "VantrelLib/framework/VantrelClassFactory.h"

namespace VantrelLib {
namespace Framework {
class AttributeRow;
class ChildRow;
class ChoiceRow;
class ElementSchema;
class EnumTable;
}  // namespace Framework

namespace Reflection {

class ClassInfo;

// One property of a class: an attribute, a child element, a collection or the choice.
class VANTREL_EXPORT Property {
public:
    enum class Kind { Attribute, RequiredChild, OptionalChild, Collection, PolymorphicCollection, Choice };
    enum class Type { Double, Int64, UInt64, Bool, String, Enumeration, Element };

    // The XML name: the attribute's, the child element's, the collection's
    // item element's; "" for the choice (its branches have names).
    const char* Name() const noexcept { return m_name; }
    Kind GetKind() const noexcept { return m_kind; }
    Type GetType() const noexcept { return m_type; }
    bool IsAttribute() const noexcept { return m_kind == Kind::Attribute; }
    bool IsCollection() const noexcept {
        return m_kind == Kind::Collection || m_kind == Kind::PolymorphicCollection;
    }
    // A required attribute or child, the choice, or a collection of at least one item.
    bool IsRequired() const noexcept { return m_required; }
    // Strings: whether the text is read and set with whitespace collapsed.
    bool CollapsesWhitespace() const noexcept { return m_collapse; }
    // Enumerations: the tokens, in value order, and the C++ enumeration's
    // qualified name (e.g. "gdt::CEnumerations::RSymmetry"); "" otherwise.
    const std::vector<const char*>& Tokens() const noexcept { return m_tokens; }
    const char* EnumerationName() const noexcept { return m_enumeration; }
    // Occurrences: 1..1 required, 0..1 optional, a collection's limits (-1: none).
    long MinOccurs() const noexcept { return m_minOccurs; }
    long MaxOccurs() const noexcept { return m_maxOccurs; }
    // The class of a child or of a collection's items; null for attributes,
    // the choice and polymorphic collections (see PolymorphicTypes()).
    const ClassInfo* ItemClass() const noexcept { return m_itemClass; }
    // The branches of the choice, each an optional child.
    const std::vector<Property>& Branches() const noexcept { return m_branches; }

    // --- Values (attributes; any other kind throws CLtException) -------------
    // Whether the attribute is set (a required one always is).
    bool IsValid(const LtXmlLib3::CXmlObjectBase& object) const;
    // SetValid<X> of an optional attribute; nothing for a required one.
    void SetValid(LtXmlLib3::CXmlObjectBase& object, bool valid) const;
    // The value as written in XML; throws the not-valid message while unset.
    std::string GetText(const LtXmlLib3::CXmlObjectBase& object) const;
    // Sets the value from text through the conversion and setter a read uses
    // (an optional attribute becomes valid); throws as a read would.
    void SetText(LtXmlLib3::CXmlObjectBase& object, std::string_view text) const;
    // The value as its type; throws CLtException for another type, the
    // not-valid message while an optional value is unset. An enumeration's
    // value is its index into Tokens().
    double GetDouble(const LtXmlLib3::CXmlObjectBase& object) const;
    std::int64_t GetInt64(const LtXmlLib3::CXmlObjectBase& object) const;
    std::uint64_t GetUInt64(const LtXmlLib3::CXmlObjectBase& object) const;
    bool GetBool(const LtXmlLib3::CXmlObjectBase& object) const;
    std::string GetString(const LtXmlLib3::CXmlObjectBase& object) const;
    int GetEnumeration(const LtXmlLib3::CXmlObjectBase& object) const;
    // Set<X>: the same types; an optional attribute becomes valid.
    void SetDouble(LtXmlLib3::CXmlObjectBase& object, double value) const;
    void SetInt64(LtXmlLib3::CXmlObjectBase& object, std::int64_t value) const;
    void SetUInt64(LtXmlLib3::CXmlObjectBase& object, std::uint64_t value) const;
    void SetBool(LtXmlLib3::CXmlObjectBase& object, bool value) const;
    void SetString(LtXmlLib3::CXmlObjectBase& object, const std::string& value) const;
    void SetEnumeration(LtXmlLib3::CXmlObjectBase& object, int value) const;

    // --- Children (element kinds; attributes throw CLtException) ---------------
    // The child held (null when absent; for the choice, the chosen branch's).
    LtXmlLib3::CXmlObjectBase* GetChild(const LtXmlLib3::CXmlObjectBase& object) const;
    // Set<X> of a child or of a choice's branch: the child takes this
    // property's name; null drops an optional child (a required one throws).
    void SetChild(LtXmlLib3::CXmlObjectBase& object, LtXmlLib3::CXmlObjectBase* child) const;
    // Every element the property holds, in order: a child (none when absent)
    // or a collection's items.
    std::vector<LtXmlLib3::CXmlObjectBase*> Children(const LtXmlLib3::CXmlObjectBase& object) const;
    // Collections: the number of items, the item at `index` (from 0), and
    // Add(item), which names it after the collection; throws CLtException for
    // an index outside the list or an item of another class.
    int Count(const LtXmlLib3::CXmlObjectBase& object) const;
    // The collection object itself, shared with `object` (the Python module
    // hands it out as a sequence that outlives its owner).
    LtXmlLib3::CXmlCollectionBase* GetCollection(const LtXmlLib3::CXmlObjectBase& object) const {
        return CollectionOf(object);
    }
    LtXmlLib3::CXmlObjectBase* Item(const LtXmlLib3::CXmlObjectBase& object, int index) const;
    void Add(LtXmlLib3::CXmlObjectBase& object, LtXmlLib3::CXmlObjectBase* item) const;

private:
    friend class Registry;
    Property() = default;
    [[noreturn]] void WrongKind(const char* what) const;
    template <class V>
    V Load(const LtXmlLib3::CXmlObjectBase& object) const;
    template <class V>
    void Store(LtXmlLib3::CXmlObjectBase& object, const V& value) const;
    LtXmlLib3::CXmlCollectionBase* CollectionOf(const LtXmlLib3::CXmlObjectBase& object) const;

    const char* m_name = "";
    Kind m_kind = Kind::Attribute;
    Type m_type = Type::Element;
    bool m_required = false;
    bool m_collapse = false;
    long m_minOccurs = 0;
    long m_maxOccurs = 1;
    std::vector<const char*> m_tokens;
    const char* m_enumeration = "";
    const ClassInfo* m_itemClass = nullptr;
    std::vector<Property> m_branches;
    const Framework::AttributeRow* m_attribute = nullptr;
    const Framework::ChildRow* m_child = nullptr;
    const Framework::ChoiceRow* m_choice = nullptr;  // of a branch, or of the choice itself
};

// One element class.
class VANTREL_EXPORT ClassInfo {
public:
    // The class name ("CPoint") and with its namespace ("gdt::CPoint").
    const char* ClassName() const noexcept { return m_className; }
    const std::string& QualifiedName() const noexcept { return m_qualifiedName; }
    // The element name the class's Init gives ("Point") and its namespace URI ("" for none).
    const char* ElementName() const noexcept;
    const char* Namespace() const noexcept;
    // The XML Schema instance type token of a polymorphic rest entry class
    // ("RestEntry", "TankEntry", "ContainerEntry"), else "".
    const char* TypeToken() const noexcept { return m_typeToken; }
    // Its factory id: gdt::CClassFactory::gdt_Classes or CClassFactory::VantrelLib_Classes.
    bool IsGdt() const noexcept { return m_gdt; }
    int FactoryId() const noexcept { return m_id; }
    // The properties in schema order.
    const std::vector<Property>& Properties() const noexcept { return m_properties; }
    // The property named `name` (attribute, child or collection item name), or null.
    const Property* FindProperty(std::string_view name) const noexcept;
    // A new object of the class, as CreateInstance makes it.
    LtXmlLib3::CSmartPtr<LtXmlLib3::CXmlObjectBase> Create() const;

private:
    friend class Registry;
    ClassInfo() = default;

    const char* m_className = "";
    std::string m_qualifiedName;
    const char* m_typeToken = "";
    bool m_gdt = false;
    int m_id = 0;
    const Framework::ElementSchema* m_schema = nullptr;
    std::vector<Property> m_properties;
};

// The class of `object`, or null for a collection or an object of no class of the library.
VANTREL_EXPORT const ClassInfo* ClassOf(const LtXmlLib3::CXmlObjectBase& object) noexcept;
// Every element class, the gdt classes first, each in factory id order.
VANTREL_EXPORT const std::vector<const ClassInfo*>& Classes();
// The class named `name` ("CPoint" or "gdt::CPoint"), or null.
VANTREL_EXPORT const ClassInfo* FindClass(std::string_view name) noexcept;
VANTREL_EXPORT const ClassInfo* FindClass(gdt::CClassFactory::gdt_Classes id) noexcept;
VANTREL_EXPORT const ClassInfo* FindClass(CClassFactory::VantrelLib_Classes id) noexcept;
// The classes a polymorphic collection may hold, and the one a type token names.
VANTREL_EXPORT const std::vector<const ClassInfo*>& PolymorphicTypes();
VANTREL_EXPORT const ClassInfo* FindType(std::string_view typeToken) noexcept;
// Every enumeration, the main namespace's first: its qualified name and tokens.
VANTREL_EXPORT const std::vector<const Framework::EnumTable*>& Enumerations();

}  // namespace Reflection
}  // namespace VantrelLib
