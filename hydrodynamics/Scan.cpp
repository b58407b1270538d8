#include "VantrelLib/hydrodynamics/Scan.h"

namespace Fw = VantrelLib::Framework;

const Fw::ElementSchema& VantrelLib::CScan::Schema() {
    static const Fw::ElementSchema schema = Fw::SchemaFor<CScan>("Scan").Collection(
        "ScanBlock", &CScan::m_scanBlock, CClassFactory::Ref(CClassFactory::Id_CHydroScanBlockEntryCol), 0, -1);
    return schema;
}
