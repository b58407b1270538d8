#include "VantrelLib/masses/MassBoxData.h"

namespace Fw = VantrelLib::Framework;

const Fw::ElementSchema& VantrelLib::CMassBoxData::Schema() {
    static const Fw::ElementSchema schema =
        Fw::SchemaFor<CMassBoxData>("MassBoxData")
            .Attribute("Id", &CMassBoxData::m_id)
            .Attribute("Title", &CMassBoxData::m_title)
            .Attribute("Mass", &CMassBoxData::m_mass)
            .Collection("Interval", &CMassBoxData::m_interval, gdt::CClassFactory::Ref(gdt::CClassFactory::Id_CBoxCol),
                        1, -1)
            .RequiredChild("CoG", &CMassBoxData::m_coG, gdt::CClassFactory::Ref(gdt::CClassFactory::Id_CPoint))
            .RequiredChild("NodeSelection", &CMassBoxData::m_nodeSelection,
                           CClassFactory::Ref(CClassFactory::Id_CMassNodeSelectionData));
    return schema;
}
