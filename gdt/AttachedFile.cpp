#include "VantrelLib/gdt/AttachedFile.h"

namespace gdt {

namespace Fw = VantrelLib::Framework;

const Fw::ElementSchema& CAttachedFile::Schema() {
    static const Fw::ElementSchema schema = Fw::SchemaFor<CAttachedFile>("AttachedFile", Fw::kGdtNamespace)
                                                .Attribute("AbsolutePath", &CAttachedFile::m_absolutePath)
                                                .Attribute("RelativePath", &CAttachedFile::m_relativePath);
    return schema;
}

}  // namespace gdt
