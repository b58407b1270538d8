#include "VantrelLib/masses/MassNodeSelectionData.h"

namespace Fw = VantrelLib::Framework;

const Fw::ElementSchema& VantrelLib::CMassNodeSelectionData::Schema() {
    static const Fw::ElementSchema schema = Fw::SchemaFor<CMassNodeSelectionData>("MassNodeSelectionData")
                                                .Attribute("UseSelected", &CMassNodeSelectionData::m_useSelected)
                                                .Attribute("Attribute", &CMassNodeSelectionData::m_attribute);
    return schema;
}
