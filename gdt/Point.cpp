#include "VantrelLib/gdt/Point.h"

namespace Fw = VantrelLib::Framework;

const Fw::ElementSchema& gdt::CPoint::Schema() {
    static const Fw::ElementSchema schema = Fw::SchemaFor<CPoint>("Point", Fw::kGdtNamespace)
                                                .Attribute("x", &CPoint::m_x)
                                                .Attribute("y", &CPoint::m_y)
                                                .Attribute("z", &CPoint::m_z);
    return schema;
}
