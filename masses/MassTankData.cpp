#include "VantrelLib/masses/MassTankData.h"

namespace Fw = VantrelLib::Framework;

const Fw::ElementSchema& VantrelLib::CMassTankData::Schema() {
    static const Fw::ElementSchema schema =
        Fw::SchemaFor<CMassTankData>("MassTankData")
            .Attribute("Id", &CMassTankData::m_id)
            .Attribute("Title", &CMassTankData::m_title)
            .Attribute("InputCode", &CMassTankData::m_inputCode)
            .Attribute("requiredVolume", &CMassTankData::m_requiredVolume)
            .RequiredChild("NodeSelection", &CMassTankData::m_nodeSelection,
                           CClassFactory::Ref(CClassFactory::Id_CMassNodeSelectionData))
            .Collection("Interval", &CMassTankData::m_interval, gdt::CClassFactory::Ref(gdt::CClassFactory::Id_CBoxCol),
                        1, -1);
    return schema;
}
