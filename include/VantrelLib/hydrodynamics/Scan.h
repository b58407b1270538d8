#pragma once

#include "VantrelLib/framework/Element.h"
#include "VantrelLib/hydrodynamics/HydroScanBlockEntry.h"

namespace VantrelLib {

// The scan blocks of one hydrodynamic data set: a list of "ScanBlock" items.
// Element "Scan", without attributes.
class VANTREL_EXPORT CScan : public Framework::CElement<CScan> {
public:
    // The blocks; add, read and remove them through this collection.
    LtXmlLib3::CSmartPtr<CHydroScanBlockEntryCol> GetScanBlock() const { return m_scanBlock; }

    // The copy shares the list with its source.
    VANTREL_ELEMENT(CScan);
    LtXmlLib3::CSmartPtr<CHydroScanBlockEntryCol> m_scanBlock;
};

}  // namespace VantrelLib
