#include "VantrelLib/document/AttachedFiles.h"

namespace Fw = VantrelLib::Framework;

const Fw::ElementSchema& VantrelLib::CAttachedFiles::Schema() {
    const Fw::ClassRef attachedFile = gdt::CClassFactory::Ref(gdt::CClassFactory::Id_CAttachedFile);
    static const Fw::ElementSchema schema =
        Fw::SchemaFor<CAttachedFiles>("AttachedFiles")
            .OptionalChild("FrameTable", &CAttachedFiles::m_frameTable, attachedFile)
            .OptionalChild("FiniteElement", &CAttachedFiles::m_finiteElement, attachedFile)
            .OptionalChild("HullformDescription", &CAttachedFiles::m_hullformDescription, attachedFile)
            .OptionalChild("FiniteElementExport", &CAttachedFiles::m_finiteElementExport, attachedFile);
    return schema;
}
