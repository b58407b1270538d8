#include "framework/Factory.h"

namespace VantrelLib {
namespace Framework {

namespace {
[[noreturn]] void ThrowNone() { throw LtXmlLib3::CLtException("Invalid Class (NONE)"); }
}  // namespace

LtXmlLib3::CSmartPtr<LtXmlLib3::CXmlObjectBase> FactoryTable::CreateClass(int id) const {
    if (id == 0) ThrowNone();
    if (id < 0 || static_cast<std::size_t>(id) >= m_entries.size() || m_entries[id].element == nullptr)
        throw LtXmlLib3::CLtException("Unknown Class id");
    return m_entries[id].element();
}

LtXmlLib3::CSmartPtr<LtXmlLib3::CXmlObjectBase> FactoryTable::CreateClass(int id, const char* elementName) const {
    LtXmlLib3::CSmartPtr<LtXmlLib3::CXmlObjectBase> object = CreateClass(id);
    LtXmlLib3::CXmlObjectBase::SetElementName(object, elementName);
    return object;
}

LtXmlLib3::CSmartPtr<LtXmlLib3::CXmlCollectionBase> FactoryTable::CreateClassCollection(int id, const char* elementName,
                                                                                       long minOccurs,
                                                                                       long maxOccurs) const {
    LtXmlLib3::CSmartPtr<LtXmlLib3::CXmlCollectionBase> collection =
        CreateCollectionNamedByLiteral(id, elementName != nullptr ? elementName : "", minOccurs, maxOccurs);
    collection->OwnElementName();  // the caller's text may not outlive the collection
    return collection;
}

LtXmlLib3::CSmartPtr<LtXmlLib3::CXmlObjectBase> FactoryTable::CreateNamedByLiteral(int id, const char* literal) const {
    LtXmlLib3::CSmartPtr<LtXmlLib3::CXmlObjectBase> object = CreateClass(id);
    LtXmlLib3::CXmlObjectBase::SetElementNameLiteral(object, literal);
    return object;
}

LtXmlLib3::CSmartPtr<LtXmlLib3::CXmlCollectionBase> FactoryTable::CreateCollectionNamedByLiteral(int id,
                                                                                                const char* literal,
                                                                                                long minOccurs,
                                                                                                long maxOccurs) const {
    if (id == 0) ThrowNone();
    if (id < 0 || static_cast<std::size_t>(id) >= m_entries.size() || m_entries[id].collection == nullptr)
        throw LtXmlLib3::CLtException("Unknown Collection Class id");
    return m_entries[id].collection(literal, minOccurs, maxOccurs);
}

void FactoryTable::CreateEnumCollection(int id) {
    if (id == 0) ThrowNone();
    throw LtXmlLib3::CLtException("Unknown Collection Class id");
}

}  // namespace Framework
}  // namespace VantrelLib
