#include "VantrelLib/masses/ContainerEntry.h"

namespace Fw = VantrelLib::Framework;

const Fw::ElementSchema& VantrelLib::CContainerEntry::Schema() {
    static const Fw::ElementSchema schema = Fw::SchemaFor<CContainerEntry>("ContainerEntry")
                                                .Attribute("Value", &CContainerEntry::m_value)
                                                .Attribute("Fix", &CContainerEntry::m_fix)
                                                .Attribute("MassId", &CContainerEntry::m_massId)
                                                .Attribute("CoGzParameter", &CContainerEntry::m_coGzParameter)
                                                .WriteTypeWhenRenamed();
    return schema;
}
