#include "VantrelLib/masses/MassNodeSelectionData.h"

namespace VantrelLib {

namespace Fw = Framework;

const Fw::ElementSchema& CMassNodeSelectionData::Schema() {
    static const Fw::ElementSchema schema = Fw::SchemaFor<CMassNodeSelectionData>("MassNodeSelectionData")
                                                .Attribute("UseSelected", &CMassNodeSelectionData::m_useSelected)
                                                .Attribute("Attribute", &CMassNodeSelectionData::m_attribute);
    return schema;
}

}  // namespace VantrelLib
