#include "VantrelLib/hydrodynamics/Hydrodynamic.h"

namespace Fw = VantrelLib::Framework;

const Fw::ElementSchema& VantrelLib::CHydrodynamic::Schema() {
    static const Fw::ElementSchema schema = Fw::SchemaFor<CHydrodynamic>("Hydrodynamic")
                                                .Collection("MassDistribution", &CHydrodynamic::m_massDistribution,
                                                            CClassFactory::Ref(CClassFactory::Id_CHydroDataCol), 0, -1);
    return schema;
}
