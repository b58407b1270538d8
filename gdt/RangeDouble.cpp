#include "VantrelLib/gdt/RangeDouble.h"

namespace Fw = VantrelLib::Framework;

const Fw::ElementSchema& gdt::CRangeDouble::Schema() {
    static const Fw::ElementSchema schema = Fw::SchemaFor<CRangeDouble>("RangeDouble", Fw::kGdtNamespace)
                                                .Attribute("from", &CRangeDouble::m_from)
                                                .Attribute("to", &CRangeDouble::m_to);
    return schema;
}
