#include "VantrelLib/hydrodynamics/HydroData.h"

namespace Fw = VantrelLib::Framework;

const Fw::ElementSchema& VantrelLib::CHydroData::Schema() {
    static const Fw::ElementSchema schema =
        Fw::SchemaFor<CHydroData>("HydroData")
            .Attribute("Id", &CHydroData::m_id)
            .Attribute("MassAssembledIdRef", &CHydroData::m_massAssembledIdRef)
            .RequiredChild("Scan", &CHydroData::m_scan, CClassFactory::Ref(CClassFactory::Id_CScan))
            .RequiredChild("Select", &CHydroData::m_select, CClassFactory::Ref(CClassFactory::Id_CSelect));
    return schema;
}
