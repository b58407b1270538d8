#include "VantrelLib/document/FrameTableEntry.h"

namespace VantrelLib {

namespace Fw = Framework;

const Fw::ElementSchema& CFrameTableEntry::Schema() {
    static const Fw::ElementSchema schema = Fw::SchemaFor<CFrameTableEntry>("FrameTableEntry")
                                                .Attribute("No", &CFrameTableEntry::m_no)
                                                .Attribute("Spacing", &CFrameTableEntry::m_spacing)
                                                .Attribute("Mould", &CFrameTableEntry::m_mould);
    return schema;
}

CFrameTableEntryCol::CFrameTableEntryCol(const char* itemElementName, long minOccurs, long maxOccurs)
    : CTypedCollection<CFrameTableEntry>("CFrameTableEntryCol", itemElementName, minOccurs, maxOccurs,
                                         CClassFactory::Ref(CClassFactory::Id_CFrameTableEntry)) {}

}  // namespace VantrelLib
