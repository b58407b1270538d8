#include "VantrelLib/gdt/Loadcase.h"

namespace Fw = VantrelLib::Framework;

const Fw::ElementSchema& gdt::CLoadcase::Schema() {
    static const Fw::ElementSchema schema = Fw::SchemaFor<CLoadcase>("Loadcase", Fw::kGdtNamespace)
                                                .Attribute("LoadcaseId", &CLoadcase::m_loadcaseId)
                                                .Attribute("Name", &CLoadcase::m_name);
    return schema;
}
