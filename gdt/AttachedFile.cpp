#include "VantrelLib/gdt/AttachedFile.h"

namespace Fw = VantrelLib::Framework;

const Fw::ElementSchema& gdt::CAttachedFile::Schema() {
    static const Fw::ElementSchema schema = Fw::SchemaFor<CAttachedFile>("AttachedFile", Fw::kGdtNamespace)
                                                .Attribute("AbsolutePath", &CAttachedFile::m_absolutePath)
                                                .Attribute("RelativePath", &CAttachedFile::m_relativePath);
    return schema;
}
