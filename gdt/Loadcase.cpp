#include "VantrelLib/gdt/Loadcase.h"

namespace gdt {

namespace Fw = VantrelLib::Framework;

const Fw::ElementSchema& CLoadcase::Schema() {
    static const Fw::ElementSchema schema = Fw::SchemaFor<CLoadcase>("Loadcase", Fw::kGdtNamespace)
                                                .Attribute("LoadcaseId", &CLoadcase::m_loadcaseId)
                                                .Attribute("Name", &CLoadcase::m_name);
    return schema;
}

CLoadcaseCol::CLoadcaseCol(const char* itemElementName, long minOccurs, long maxOccurs)
    : CTypedCollection<CLoadcase>("CLoadcaseCol", itemElementName, minOccurs, maxOccurs,
                                  CClassFactory::Ref(CClassFactory::Id_CLoadcase)) {}

}  // namespace gdt
