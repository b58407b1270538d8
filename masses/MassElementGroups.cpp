#include "VantrelLib/masses/MassElementGroups.h"

namespace VantrelLib {

namespace Fw = Framework;

const Fw::ElementSchema& CMassElementGroups::Schema() {
    static const Fw::ElementSchema schema =
        Fw::SchemaFor<CMassElementGroups>("MassElementGroups")
            .Collection("ElementGroupEntry", &CMassElementGroups::m_elementGroupEntry,
                        CClassFactory::Ref(CClassFactory::Id_CElementgroupDataCol), 0, -1);
    return schema;
}

}  // namespace VantrelLib
