#pragma once
// The table behind a class factory: one entry per class id, each able to make
// an element object or a collection of its class.

#include <cstddef>
#include <new>
#include <typeinfo>
#include <vector>

#include "VantrelLib/framework/Element.h"

#include "VantrelLib/runtime/LtXmlLib3.h"

namespace VantrelLib {
namespace Framework {

class ElementSchema;
class EnumTable;

// Every enumeration of each namespace, listed beside its tables.
const std::vector<const EnumTable*>& VantrelEnumTables();
const std::vector<const EnumTable*>& GdtEnumTables();

struct FactoryEntry {
    LtXmlLib3::CSmartPtr<LtXmlLib3::CXmlObjectBase> (*element)();
    LtXmlLib3::CSmartPtr<LtXmlLib3::CXmlCollectionBase> (*collection)(const char* elementName, long minOccurs,
                                                                      long maxOccurs);
    // What reflection tells of the class: its name ("CPoint"), its type (for a
    // collection, its items' type) and, for an element class, its declaration.
    const char* className;
    const std::type_info* type;
    const ElementSchema& (*declaration)();
};

class FactoryTable {
public:
    // `entries[id]` for every id; entry 0 is the invalid id NONE.
    explicit FactoryTable(std::vector<FactoryEntry> entries) : m_entries(std::move(entries)) {}

    // Throws CLtException "Invalid Class (NONE)" for id 0 and "Unknown Class id"
    // for an id that is not an element class.
    LtXmlLib3::CSmartPtr<LtXmlLib3::CXmlObjectBase> CreateClass(int id) const;
    LtXmlLib3::CSmartPtr<LtXmlLib3::CXmlObjectBase> CreateClass(int id, const char* elementName) const;
    // Throws "Invalid Class (NONE)" for id 0 and "Unknown Collection Class id" for
    // an id that is not a collection.
    LtXmlLib3::CSmartPtr<LtXmlLib3::CXmlCollectionBase> CreateClassCollection(int id, const char* elementName,
                                                                              long minOccurs, long maxOccurs) const;
    // No schema has a collection of enumeration values: always throws.
    [[noreturn]] static void CreateEnumCollection(int id);

    // As CreateClass and CreateClassCollection for names that are literals of
    // the class declarations: the objects keep them without a copy.
    LtXmlLib3::CSmartPtr<LtXmlLib3::CXmlObjectBase> CreateNamedByLiteral(int id, const char* literal) const;
    LtXmlLib3::CSmartPtr<LtXmlLib3::CXmlCollectionBase> CreateCollectionNamedByLiteral(int id, const char* literal,
                                                                                       long minOccurs,
                                                                                       long maxOccurs) const;

    // The entries, indexed by class id (entry 0 is empty).
    const std::vector<FactoryEntry>& Entries() const noexcept { return m_entries; }

private:
    std::vector<FactoryEntry> m_entries;
};

// Makes the objects of a factory table. Collections' constructors are
// protected; each collection class names ClassMaker its friend.
struct ClassMaker {
    // The table's entry of element class C, named `className`.
    template <class C>
    static FactoryEntry ElementEntry(const char* className) {
        return {&Element<C>, nullptr, className, &typeid(C), &CElement<C>::Declaration};
    }
    // The table's entry of collection class C.
    template <class C>
    static FactoryEntry CollectionEntry(const char* className) {
        return {nullptr, &Collection<C>, className, &typeid(typename C::ItemType), nullptr};
    }
    template <class C>
    static LtXmlLib3::CSmartPtr<LtXmlLib3::CXmlObjectBase> Element() {
        return LtXmlLib3::CSmartPtr<LtXmlLib3::CXmlObjectBase>(C::CreateInstance());
    }
    template <class C>
    static LtXmlLib3::CSmartPtr<LtXmlLib3::CXmlCollectionBase> Collection(const char* elementName, long minOccurs,
                                                                          long maxOccurs) {
        return LtXmlLib3::CSmartPtr<LtXmlLib3::CXmlCollectionBase>(LtXmlLib3::CXmlObjectBase::Emplace<C>(
            [&](void* memory) { return ::new (memory) C(elementName, minOccurs, maxOccurs); }));
    }
};

}  // namespace Framework
}  // namespace VantrelLib
