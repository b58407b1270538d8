#include "VantrelLib/gdt/Frame.h"

namespace Fw = VantrelLib::Framework;

const Fw::ElementSchema& gdt::CFrame::Schema() {
    static const Fw::ElementSchema schema = Fw::SchemaFor<CFrame>("Frame", Fw::kGdtNamespace)
                                                .Attribute("Id", &CFrame::m_id)
                                                .Attribute("Coordinate", &CFrame::m_coordinate);
    return schema;
}
