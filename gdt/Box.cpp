#include "VantrelLib/gdt/Box.h"

namespace gdt {

namespace Fw = VantrelLib::Framework;

const Fw::ElementSchema& CBox::Schema() {
    static const Fw::ElementSchema schema =
        Fw::SchemaFor<CBox>("Box", Fw::kGdtNamespace)
            .RequiredChild("Min", &CBox::m_min, CClassFactory::Ref(CClassFactory::Id_CPoint))
            .RequiredChild("Max", &CBox::m_max, CClassFactory::Ref(CClassFactory::Id_CPoint));
    return schema;
}

CBoxCol::CBoxCol(const char* itemElementName, long minOccurs, long maxOccurs)
    : CTypedCollection<CBox>("CBoxCol", itemElementName, minOccurs, maxOccurs,
                             CClassFactory::Ref(CClassFactory::Id_CBox)) {}

}  // namespace gdt
