#include "VantrelLib/masses/Row.h"

namespace Fw = VantrelLib::Framework;

const Fw::ElementSchema& VantrelLib::CRow::Schema() {
    static const Fw::ElementSchema schema = Fw::SchemaFor<CRow>("Row")
                                                .Attribute("Number", &CRow::m_number)
                                                .Attribute("Symmetry", &CRow::m_symmetry)
                                                .Attribute("TierUpper", &CRow::m_tierUpper)
                                                .Attribute("TierLower", &CRow::m_tierLower)
                                                .Attribute("CoGyVertical", &CRow::m_coGyVertical)
                                                .Attribute("CoGyHorizontal", &CRow::m_coGyHorizontal)
                                                .Attribute("GuidedAft", &CRow::m_guidedAft)
                                                .Attribute("GuidedForward", &CRow::m_guidedForward);
    return schema;
}
