#include "VantrelLib/masses/IRestEntry.h"

namespace VantrelLib {

CIRestEntryCol::CIRestEntryCol(const char* itemElementName, long minOccurs, long maxOccurs)
    : CCollectionOf<IRestEntry>("CIRestEntryCol", itemElementName, minOccurs, maxOccurs) {}

LtXmlLib3::CSmartPtr<LtXmlLib3::CXmlObjectBase> CIRestEntryCol::NewItem(const LtXmlLib3::CXmlElement* element) {
    return CClassFactory::IRestEntryCreateObject(element);
}

std::string CIRestEntryCol::WhyNotTaken(const LtXmlLib3::CXmlElement& element) const {
    const std::string type = LtXmlLib3::CClassfactoryBase::GetElementType(&element);
    if (type.empty()) return std::string();
    return "xs:type [" + type + "] is not one of " + CClassFactory::RestEntryTypeNames();
}

}  // namespace VantrelLib
