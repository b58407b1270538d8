#include "VantrelLib/loadcases/LongitudinalPosition.h"

namespace VantrelLib {

namespace Fw = Framework;

const Fw::ElementSchema& CLongitudinalPosition::Schema() {
    static const Fw::ElementSchema schema =
        Fw::SchemaFor<CLongitudinalPosition>("LongitudinalPosition")
            .Attribute("XPosition", &CLongitudinalPosition::m_xPosition)
            .RequiredChild("MinForces", &CLongitudinalPosition::m_minForces,
                           CClassFactory::Ref(CClassFactory::Id_CLoadEnvelopeForce))
            .RequiredChild("MaxForces", &CLongitudinalPosition::m_maxForces,
                           CClassFactory::Ref(CClassFactory::Id_CLoadEnvelopeForce));
    return schema;
}

CLongitudinalPositionCol::CLongitudinalPositionCol(const char* itemElementName, long minOccurs, long maxOccurs)
    : CTypedCollection<CLongitudinalPosition>("CLongitudinalPositionCol", itemElementName, minOccurs, maxOccurs,
                                              CClassFactory::Ref(CClassFactory::Id_CLongitudinalPosition)) {}

}  // namespace VantrelLib
