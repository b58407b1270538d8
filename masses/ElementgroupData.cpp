#include "VantrelLib/masses/ElementgroupData.h"

namespace Fw = VantrelLib::Framework;

const Fw::ElementSchema& VantrelLib::CElementgroupData::Schema() {
    static const Fw::ElementSchema schema = Fw::SchemaFor<CElementgroupData>("ElementgroupData")
                                                .Attribute("Id", &CElementgroupData::m_id)
                                                .Attribute("Title", &CElementgroupData::m_title, Fw::Rule::Collapse)
                                                .Attribute("Buoyancy", &CElementgroupData::m_buoyancy);
    return schema;
}
