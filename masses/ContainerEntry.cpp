#include "VantrelLib/masses/ContainerEntry.h"

namespace VantrelLib {

namespace Fw = Framework;

const Fw::ElementSchema& CContainerEntry::Schema() {
    static const Fw::ElementSchema schema = Fw::SchemaFor<CContainerEntry>("ContainerEntry")
                                                .Attribute("Value", &CContainerEntry::m_value)
                                                .Attribute("Fix", &CContainerEntry::m_fix)
                                                .Attribute("MassId", &CContainerEntry::m_massId)
                                                .Attribute("CoGzParameter", &CContainerEntry::m_coGzParameter)
                                                .WriteTypeWhenRenamed();
    return schema;
}

CContainerEntryCol::CContainerEntryCol(const char* itemElementName, long minOccurs, long maxOccurs)
    : CTypedCollection<CContainerEntry>("CContainerEntryCol", itemElementName, minOccurs, maxOccurs,
                                        CClassFactory::Ref(CClassFactory::Id_CContainerEntry)) {}

}  // namespace VantrelLib
