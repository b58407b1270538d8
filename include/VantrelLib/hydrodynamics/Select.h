#pragma once

#include "VantrelLib/framework/Element.h"
#include "VantrelLib/hydrodynamics/HydroSelectEntry.h"

namespace VantrelLib {

// The load selections of one hydrodynamic data set: a list of "SelectEntry"
// items. Element "Select", without attributes.
class VANTREL_EXPORT CSelect : public Framework::CElement<CSelect> {
public:
    // The entries; add, read and remove them through this collection.
    LtXmlLib3::CSmartPtr<CHydroSelectEntryCol> GetSelectEntry() const { return m_selectEntry; }

    // The copy shares the list with its source.
    VANTREL_ELEMENT(CSelect);
    LtXmlLib3::CSmartPtr<CHydroSelectEntryCol> m_selectEntry;
};

}  // namespace VantrelLib
