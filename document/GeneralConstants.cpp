#include "VantrelLib/document/GeneralConstants.h"

namespace Fw = VantrelLib::Framework;

const Fw::ElementSchema& VantrelLib::CGeneralConstants::Schema() {
    static const Fw::ElementSchema schema =
        Fw::SchemaFor<CGeneralConstants>("GeneralConstants")
            .Attribute("Rho", &CGeneralConstants::m_rho)
            .Attribute("GravitationalConstant", &CGeneralConstants::m_gravitationalConstant)
            .Attribute("NeutralFibre", &CGeneralConstants::m_neutralFibre)
            .Attribute("ShearCentre", &CGeneralConstants::m_shearCentre);
    return schema;
}
