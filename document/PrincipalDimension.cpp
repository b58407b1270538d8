#include "VantrelLib/document/PrincipalDimension.h"

namespace Fw = VantrelLib::Framework;

const Fw::ElementSchema& VantrelLib::CPrincipalDimension::Schema() {
    static const Fw::ElementSchema schema = Fw::SchemaFor<CPrincipalDimension>("PrincipalDimension")
                                                .Attribute("Lpp", &CPrincipalDimension::m_lpp)
                                                .Attribute("B", &CPrincipalDimension::m_b)
                                                .Attribute("H", &CPrincipalDimension::m_h)
                                                .Attribute("Tmax", &CPrincipalDimension::m_tmax)
                                                .Attribute("Cb", &CPrincipalDimension::m_cb)
                                                .Attribute("Vmax", &CPrincipalDimension::m_vmax)
                                                .Attribute("LightShipWeight", &CPrincipalDimension::m_lightShipWeight)
                                                .Attribute("DeadWeight", &CPrincipalDimension::m_deadWeight)
                                                .Attribute("BMHogging", &CPrincipalDimension::m_bMHogging)
                                                .Attribute("BMSagging", &CPrincipalDimension::m_bMSagging)
                                                .Attribute("L", &CPrincipalDimension::m_l)
                                                .Attribute("Lwl", &CPrincipalDimension::m_lwl);
    return schema;
}
