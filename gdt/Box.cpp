#include "VantrelLib/gdt/Box.h"

namespace Fw = VantrelLib::Framework;

const Fw::ElementSchema& gdt::CBox::Schema() {
    static const Fw::ElementSchema schema =
        Fw::SchemaFor<CBox>("Box", Fw::kGdtNamespace)
            .RequiredChild("Min", &CBox::m_min, CClassFactory::Ref(CClassFactory::Id_CPoint))
            .RequiredChild("Max", &CBox::m_max, CClassFactory::Ref(CClassFactory::Id_CPoint));
    return schema;
}
