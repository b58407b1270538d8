#include "VantrelLib/document/FrameTableEntry.h"

namespace Fw = VantrelLib::Framework;

const Fw::ElementSchema& VantrelLib::CFrameTableEntry::Schema() {
    static const Fw::ElementSchema schema = Fw::SchemaFor<CFrameTableEntry>("FrameTableEntry")
                                                .Attribute("No", &CFrameTableEntry::m_no)
                                                .Attribute("Spacing", &CFrameTableEntry::m_spacing)
                                                .Attribute("Mould", &CFrameTableEntry::m_mould);
    return schema;
}
