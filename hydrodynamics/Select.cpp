#include "VantrelLib/hydrodynamics/Select.h"

namespace Fw = VantrelLib::Framework;

const Fw::ElementSchema& VantrelLib::CSelect::Schema() {
    static const Fw::ElementSchema schema = Fw::SchemaFor<CSelect>("Select").Collection(
        "SelectEntry", &CSelect::m_selectEntry, CClassFactory::Ref(CClassFactory::Id_CHydroSelectEntryCol), 0, -1);
    return schema;
}
