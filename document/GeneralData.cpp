#include "VantrelLib/document/GeneralData.h"

namespace Fw = VantrelLib::Framework;

const Fw::ElementSchema& VantrelLib::CGeneralData::Schema() {
    static const Fw::ElementSchema schema =
        Fw::SchemaFor<CGeneralData>("GeneralData")
            .OptionalChild("PrincipalDimension", &CGeneralData::m_principalDimension,
                           CClassFactory::Ref(CClassFactory::Id_CPrincipalDimension))
            .OptionalChild("GeneralConstants", &CGeneralData::m_generalConstants,
                           CClassFactory::Ref(CClassFactory::Id_CGeneralConstants))
            .OptionalChild("AttachedFiles", &CGeneralData::m_attachedFiles,
                           CClassFactory::Ref(CClassFactory::Id_CAttachedFiles))
            .OptionalChild("FrameTable", &CGeneralData::m_frameTable,
                           CClassFactory::Ref(CClassFactory::Id_CFrameTableData));
    return schema;
}
