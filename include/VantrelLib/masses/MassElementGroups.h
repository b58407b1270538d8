#pragma once

#include "VantrelLib/framework/Element.h"
#include "VantrelLib/masses/ElementgroupData.h"

namespace VantrelLib {

// The element-group masses of the mass distribution: a run of "ElementGroupEntry" elements.
// Element "MassElementGroups".
class VANTREL_EXPORT CMassElementGroups : public Framework::CElement<CMassElementGroups> {
public:
    LtXmlLib3::CSmartPtr<CElementgroupDataCol> GetElementGroupEntry() const { return m_elementGroupEntry; }

    // The copy shares the list with its source.
    VANTREL_ELEMENT(CMassElementGroups);
    LtXmlLib3::CSmartPtr<CElementgroupDataCol> m_elementGroupEntry;
};

}  // namespace VantrelLib
