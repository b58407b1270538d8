#include "VantrelLib/hydrodynamics/Hydrodynamic.h"

namespace VantrelLib {

namespace Fw = Framework;

const Fw::ElementSchema& CHydrodynamic::Schema() {
    static const Fw::ElementSchema schema = Fw::SchemaFor<CHydrodynamic>("Hydrodynamic")
                                                .Collection("MassDistribution", &CHydrodynamic::m_massDistribution,
                                                            CClassFactory::Ref(CClassFactory::Id_CHydroDataCol), 0, -1);
    return schema;
}

}  // namespace VantrelLib
