#include "VantrelLib/masses/ElementgroupData.h"

namespace VantrelLib {

namespace Fw = Framework;

const Fw::ElementSchema& CElementgroupData::Schema() {
    static const Fw::ElementSchema schema = Fw::SchemaFor<CElementgroupData>("ElementgroupData")
                                                .Attribute("Id", &CElementgroupData::m_id)
                                                .Attribute("Title", &CElementgroupData::m_title, Fw::Rule::Collapse)
                                                .Attribute("Buoyancy", &CElementgroupData::m_buoyancy);
    return schema;
}

CElementgroupDataCol::CElementgroupDataCol(const char* itemElementName, long minOccurs, long maxOccurs)
    : CTypedCollection<CElementgroupData>("CElementgroupDataCol", itemElementName, minOccurs, maxOccurs,
                                          CClassFactory::Ref(CClassFactory::Id_CElementgroupData)) {}

}  // namespace VantrelLib
