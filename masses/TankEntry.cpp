#include "VantrelLib/masses/TankEntry.h"

namespace VantrelLib {

namespace Fw = Framework;

const Fw::ElementSchema& CTankEntry::Schema() {
    static const Fw::ElementSchema schema = Fw::SchemaFor<CTankEntry>("TankEntry")
                                                .Attribute("Value", &CTankEntry::m_value)
                                                .Attribute("Fix", &CTankEntry::m_fix)
                                                .Attribute("MassId", &CTankEntry::m_massId)
                                                .Attribute("SpecificWeight", &CTankEntry::m_specificWeight)
                                                .WriteTypeWhenRenamed();
    return schema;
}

CTankEntryCol::CTankEntryCol(const char* itemElementName, long minOccurs, long maxOccurs)
    : CTypedCollection<CTankEntry>("CTankEntryCol", itemElementName, minOccurs, maxOccurs,
                                   CClassFactory::Ref(CClassFactory::Id_CTankEntry)) {}

}  // namespace VantrelLib
