#include "VantrelLib/masses/MassElementGroups.h"

namespace Fw = VantrelLib::Framework;

const Fw::ElementSchema& VantrelLib::CMassElementGroups::Schema() {
    static const Fw::ElementSchema schema =
        Fw::SchemaFor<CMassElementGroups>("MassElementGroups")
            .Collection("ElementGroupEntry", &CMassElementGroups::m_elementGroupEntry,
                        CClassFactory::Ref(CClassFactory::Id_CElementgroupDataCol), 0, -1);
    return schema;
}
