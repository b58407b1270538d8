#include "VantrelLib/masses/Masses.h"

namespace Fw = VantrelLib::Framework;

const Fw::ElementSchema& VantrelLib::CMasses::Schema() {
    static const Fw::ElementSchema schema =
        Fw::SchemaFor<CMasses>("Masses")
            .OptionalChild("MassBoxes", &CMasses::m_massBoxes, CClassFactory::Ref(CClassFactory::Id_CMassBoxes))
            .OptionalChild("MassElementGroups", &CMasses::m_massElementGroups,
                           CClassFactory::Ref(CClassFactory::Id_CMassElementGroups))
            .OptionalChild("MassTanks", &CMasses::m_massTanks, CClassFactory::Ref(CClassFactory::Id_CMassTanks))
            .OptionalChild("MassContainer", &CMasses::m_massContainer,
                           CClassFactory::Ref(CClassFactory::Id_CMassContainer))
            .OptionalChild("MassAssembled", &CMasses::m_massAssembled,
                           CClassFactory::Ref(CClassFactory::Id_CMassAssembled));
    return schema;
}
