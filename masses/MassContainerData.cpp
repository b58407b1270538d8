#include "VantrelLib/masses/MassContainerData.h"

namespace Fw = VantrelLib::Framework;

const Fw::ElementSchema& VantrelLib::CMassContainerData::Schema() {
    static const Fw::ElementSchema schema =
        Fw::SchemaFor<CMassContainerData>("MassContainerData")
            .Attribute("Id", &CMassContainerData::m_id)
            .Attribute("Title", &CMassContainerData::m_title)
            .Attribute("CoGx", &CMassContainerData::m_coGx)
            .RequiredChild("Aft", &CMassContainerData::m_aft, gdt::CClassFactory::Ref(gdt::CClassFactory::Id_CFrame))
            .RequiredChild("Forward", &CMassContainerData::m_forward,
                           gdt::CClassFactory::Ref(gdt::CClassFactory::Id_CFrame))
            .Collection("Row", &CMassContainerData::m_row, CClassFactory::Ref(CClassFactory::Id_CRowCol), 1, -1);
    return schema;
}
