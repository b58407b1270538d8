#pragma once

#include <string>

#include "VantrelLib/framework/Element.h"
#include "VantrelLib/framework/VantrelClassFactory.h"
#include "VantrelLib/hydrodynamics/HydroScanBlockEntry.h"

namespace VantrelLib {

// The scan blocks of one hydrodynamic data set: a list of "ScanBlock" items.
// Element "Scan", without attributes.
class CScan : public LtXmlLib3::CInstanceMonitor,
              public virtual LtXmlLib3::CXmlObjectBase,
              public Framework::CElement<CScan> {
public:
    // The blocks; add, read and remove them through this collection.
    LtXmlLib3::CSmartPtr<CHydroScanBlockEntryCol> GetScanBlock() const { return m_scanBlock; }

    // The copy shares the list with its source.
    CScan(const CScan&) = default;
    CScan& operator=(const CScan&) = default;

protected:
    CScan() : CInstanceMonitor("CScan") { Init(); }
    explicit CScan(std::string elementName) : CScan() { SetElementName(this, elementName); }
    ~CScan() override = default;

private:
    friend class Framework::CElement<CScan>;
    static const Framework::ElementSchema& Schema();

    LtXmlLib3::CSmartPtr<CHydroScanBlockEntryCol> m_scanBlock;
};

}  // namespace VantrelLib
