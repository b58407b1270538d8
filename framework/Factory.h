#pragma once
// The table behind a class factory: one entry per class id, each able to make
// an element object or a collection of its class.

#include <cstddef>
#include <new>
#include <vector>

#include "VantrelLib/runtime/LtXmlLib3.h"

namespace VantrelLib {
namespace Framework {

struct FactoryEntry {
    LtXmlLib3::CSmartPtr<LtXmlLib3::CXmlObjectBase> (*element)();
    LtXmlLib3::CSmartPtr<LtXmlLib3::CXmlCollectionBase> (*collection)(const char* elementName, long minOccurs,
                                                                      long maxOccurs);
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

private:
    std::vector<FactoryEntry> m_entries;
};

// Makes the objects of a factory table. Collections' constructors are
// protected; each collection class names ClassMaker its friend.
struct ClassMaker {
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
