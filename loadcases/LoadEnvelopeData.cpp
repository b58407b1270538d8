#include "VantrelLib/loadcases/LoadEnvelopeData.h"

namespace Fw = VantrelLib::Framework;

const Fw::ElementSchema& VantrelLib::CLoadEnvelopeData::Schema() {
    static const Fw::ElementSchema schema =
        Fw::SchemaFor<CLoadEnvelopeData>("LoadEnvelopeData")
            .Collection("LongitudinalPosition", &CLoadEnvelopeData::m_longitudinalPosition,
                        CClassFactory::Ref(CClassFactory::Id_CLongitudinalPositionCol), 0, -1);
    return schema;
}
