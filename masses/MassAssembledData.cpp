#include "VantrelLib/masses/MassAssembledData.h"

namespace Fw = VantrelLib::Framework;

const Fw::ElementSchema& VantrelLib::CMassAssembledData::Schema() {
    using C = CMassAssembledData;
    static const Fw::ElementSchema schema =
        Fw::SchemaFor<C>("MassAssembledData")
            .Attribute("Id", &C::m_id)
            .Attribute("Title", &C::m_title)
            .Attribute("Mass", &C::m_mass)
            .RequiredChild("CoG", &C::m_coG, gdt::CClassFactory::Ref(gdt::CClassFactory::Id_CPoint))
            .Collection("ContainerEntry", &C::m_containerEntry,
                        CClassFactory::Ref(CClassFactory::Id_CContainerEntryCol), 0, -1)
            .Collection("BoxEntry", &C::m_boxEntry, CClassFactory::Ref(CClassFactory::Id_CIRestEntryCol), 0, -1)
            .Collection("TankEntry", &C::m_tankEntry, CClassFactory::Ref(CClassFactory::Id_CTankEntryCol), 0, -1)
            .Collection("ElementgroupEntry", &C::m_elementgroupEntry,
                        CClassFactory::Ref(CClassFactory::Id_CIRestEntryCol), 0, -1)
            .Collection("AssembledEntry", &C::m_assembledEntry, CClassFactory::Ref(CClassFactory::Id_CIRestEntryCol), 0,
                        -1);
    return schema;
}
