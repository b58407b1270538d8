#include "VantrelLib/document/FrameTableData.h"

namespace Fw = VantrelLib::Framework;

const Fw::ElementSchema& VantrelLib::CFrameTableData::Schema() {
    static const Fw::ElementSchema schema =
        Fw::SchemaFor<CFrameTableData>("FrameTableData")
            .Attribute("KeepAft", &CFrameTableData::m_keepAft)
            .Attribute("SpacingSign", &CFrameTableData::m_spacingSign)
            .Collection("FrameEntry", &CFrameTableData::m_frameEntry,
                        CClassFactory::Ref(CClassFactory::Id_CFrameTableEntryCol), 0, -1)
            .RequiredChild("FrameNoPP1", &CFrameTableData::m_frameNoPP1,
                           gdt::CClassFactory::Ref(gdt::CClassFactory::Id_CFrame))
            .RequiredChild("FrameNoPP2", &CFrameTableData::m_frameNoPP2,
                           gdt::CClassFactory::Ref(gdt::CClassFactory::Id_CFrame));
    return schema;
}
