#include "VantrelLib/loadcases/LoadcaseData.h"

namespace Fw = VantrelLib::Framework;

const Fw::ElementSchema& VantrelLib::CLoadcaseData::Schema() {
    static const Fw::ElementSchema schema = Fw::SchemaFor<CLoadcaseData>("LoadcaseData")
                                                .OptionalChild("LoadcaseInput", &CLoadcaseData::m_loadcaseInput,
                                                               CClassFactory::Ref(CClassFactory::Id_CLoadcaseInputData))
                                                .OptionalChild("LoadEnvelopes", &CLoadcaseData::m_loadEnvelopes,
                                                               CClassFactory::Ref(CClassFactory::Id_CLoadEnvelopeData));
    return schema;
}
