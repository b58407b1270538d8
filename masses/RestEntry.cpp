#include "VantrelLib/masses/RestEntry.h"

namespace Fw = VantrelLib::Framework;

const Fw::ElementSchema& VantrelLib::CRestEntry::Schema() {
    static const Fw::ElementSchema schema = Fw::SchemaFor<CRestEntry>("RestEntry")
                                                .Attribute("Value", &CRestEntry::m_value)
                                                .Attribute("Fix", &CRestEntry::m_fix)
                                                .Attribute("MassId", &CRestEntry::m_massId)
                                                .WriteTypeWhenRenamed();
    return schema;
}
