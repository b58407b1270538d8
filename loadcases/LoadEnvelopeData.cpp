#include "VantrelLib/loadcases/LoadEnvelopeData.h"

namespace VantrelLib {

namespace Fw = Framework;

const Fw::ElementSchema& CLoadEnvelopeData::Schema() {
    static const Fw::ElementSchema schema =
        Fw::SchemaFor<CLoadEnvelopeData>("LoadEnvelopeData")
            .Collection("LongitudinalPosition", &CLoadEnvelopeData::m_longitudinalPosition,
                        CClassFactory::Ref(CClassFactory::Id_CLongitudinalPositionCol), 0, -1);
    return schema;
}

}  // namespace VantrelLib
