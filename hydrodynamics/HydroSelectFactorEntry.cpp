#include "VantrelLib/hydrodynamics/HydroSelectFactorEntry.h"

namespace Fw = VantrelLib::Framework;

const Fw::ElementSchema& VantrelLib::CHydroSelectFactorEntry::Schema() {
    using C = CHydroSelectFactorEntry;
    static const Fw::ElementSchema schema =
        Fw::SchemaFor<C>("HydroSelectFactorEntry")
            .Attribute("ShearHorizontal", &C::m_shearHorizontal)
            .Attribute("ShearVertical", &C::m_shearVertical)
            .Attribute("Torsion", &C::m_torsion)
            .Attribute("BendingMomentHorizontal", &C::m_bendingMomentHorizontal)
            .Attribute("BendingMomentVertical", &C::m_bendingMomentVertical)
            .RequiredChild("RangeDirection", &C::m_rangeDirection,
                           gdt::CClassFactory::Ref(gdt::CClassFactory::Id_CRangeDouble))
            .RequiredChild("RangeXLpp", &C::m_rangeXLpp, gdt::CClassFactory::Ref(gdt::CClassFactory::Id_CRangeDouble));
    return schema;
}
