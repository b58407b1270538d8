#include "VantrelLib/masses/TankEntry.h"

namespace Fw = VantrelLib::Framework;

const Fw::ElementSchema& VantrelLib::CTankEntry::Schema() {
    static const Fw::ElementSchema schema = Fw::SchemaFor<CTankEntry>("TankEntry")
                                                .Attribute("Value", &CTankEntry::m_value)
                                                .Attribute("Fix", &CTankEntry::m_fix)
                                                .Attribute("MassId", &CTankEntry::m_massId)
                                                .Attribute("SpecificWeight", &CTankEntry::m_specificWeight)
                                                .WriteTypeWhenRenamed();
    return schema;
}
