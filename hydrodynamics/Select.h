#pragma once

#include <string>

#include "VantrelLib/framework/Element.h"
#include "VantrelLib/framework/VantrelClassFactory.h"
#include "VantrelLib/hydrodynamics/HydroSelectEntry.h"

namespace VantrelLib {

// The load selections of one hydrodynamic data set: a list of "SelectEntry"
// items. Element "Select", without attributes.
class CSelect : public LtXmlLib3::CInstanceMonitor,
                public virtual LtXmlLib3::CXmlObjectBase,
                public Framework::CElement<CSelect> {
public:
    // The entries; add, read and remove them through this collection.
    LtXmlLib3::CSmartPtr<CHydroSelectEntryCol> GetSelectEntry() const { return m_selectEntry; }

    // The copy shares the list with its source.
    CSelect(const CSelect&) = default;
    CSelect& operator=(const CSelect&) = default;

protected:
    CSelect() : CInstanceMonitor("CSelect") { Init(); }
    explicit CSelect(std::string elementName) : CSelect() { SetElementName(this, elementName); }
    ~CSelect() override = default;

private:
    friend class Framework::CElement<CSelect>;
    static const Framework::ElementSchema& Schema();

    LtXmlLib3::CSmartPtr<CHydroSelectEntryCol> m_selectEntry;
};

}  // namespace VantrelLib
