#include "VantrelLib/masses/IRestEntry.h"

namespace VantrelLib {

CIRestEntryCol::CIRestEntryCol(const char* itemElementName, long minOccurs, long maxOccurs)
    : CCollectionOf<IRestEntry>("CIRestEntryCol", itemElementName, minOccurs, maxOccurs) {}

LtXmlLib3::CSmartPtr<LtXmlLib3::CXmlObjectBase> CIRestEntryCol::NewItem(const LtXmlLib3::CXmlElement* element) {
    return CClassFactory::IRestEntryCreateObject(element);
}

}  // namespace VantrelLib
