#include "VantrelLib/document/Vantrel.h"

namespace Fw = VantrelLib::Framework;

const Fw::ElementSchema& VantrelLib::CVantrel::Schema() {
    static const Fw::ElementSchema schema =
        Fw::SchemaFor<CVantrel>("Vantrel")
            .Attribute("schemaVersion", &CVantrel::m_schemaVersion)
            .OptionalChild("GeneralData", &CVantrel::m_generalData, CClassFactory::Ref(CClassFactory::Id_CGeneralData))
            .OptionalChild("LoadcaseData", &CVantrel::m_loadcaseData,
                           CClassFactory::Ref(CClassFactory::Id_CLoadcaseData))
            .OptionalChild("Masses", &CVantrel::m_masses, CClassFactory::Ref(CClassFactory::Id_CMasses))
            .OptionalChild("Hydrodynamic", &CVantrel::m_hydrodynamic,
                           CClassFactory::Ref(CClassFactory::Id_CHydrodynamic));
    return schema;
}
