#include "VantrelLib/hydrodynamics/HydroSelectEntry.h"

namespace Fw = VantrelLib::Framework;

const Fw::ElementSchema& VantrelLib::CHydroSelectEntry::Schema() {
    using C = CHydroSelectEntry;
    static const Fw::ElementSchema schema =
        Fw::SchemaFor<C>("HydroSelectEntry")
            .Attribute("Title", &C::m_title)
            .Attribute("Type", &C::m_type)
            .Choice(&C::m_selected,
                    Fw::SchemaFor<C>::Branch("Factor", &C::m_factor,
                                             CClassFactory::Ref(CClassFactory::Id_CHydroSelectFactorEntry)),
                    Fw::SchemaFor<C>::Branch("Wave", &C::m_wave,
                                             CClassFactory::Ref(CClassFactory::Id_CHydroSelectWaveEntry)));
    return schema;
}
