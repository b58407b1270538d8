#include "VantrelLib/loadcases/LongitudinalPosition.h"

namespace Fw = VantrelLib::Framework;

const Fw::ElementSchema& VantrelLib::CLongitudinalPosition::Schema() {
    static const Fw::ElementSchema schema =
        Fw::SchemaFor<CLongitudinalPosition>("LongitudinalPosition")
            .Attribute("XPosition", &CLongitudinalPosition::m_xPosition)
            .RequiredChild("MinForces", &CLongitudinalPosition::m_minForces,
                           CClassFactory::Ref(CClassFactory::Id_CLoadEnvelopeForce))
            .RequiredChild("MaxForces", &CLongitudinalPosition::m_maxForces,
                           CClassFactory::Ref(CClassFactory::Id_CLoadEnvelopeForce));
    return schema;
}
