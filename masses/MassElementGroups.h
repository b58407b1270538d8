#pragma once

#include <string>

#include "VantrelLib/framework/Element.h"
#include "VantrelLib/framework/VantrelClassFactory.h"
#include "VantrelLib/masses/ElementgroupData.h"

namespace VantrelLib {

// The element-group masses of the mass distribution: a run of "ElementGroupEntry" elements.
// Element "MassElementGroups".
class CMassElementGroups : public LtXmlLib3::CInstanceMonitor,
                           public virtual LtXmlLib3::CXmlObjectBase,
                           public Framework::CElement<CMassElementGroups> {
public:
    LtXmlLib3::CSmartPtr<CElementgroupDataCol> GetElementGroupEntry() const { return m_elementGroupEntry; }

    // The copy shares the list with its source.
    CMassElementGroups(const CMassElementGroups&) = default;
    CMassElementGroups& operator=(const CMassElementGroups&) = default;

protected:
    CMassElementGroups() : CInstanceMonitor("CMassElementGroups") { Init(); }
    explicit CMassElementGroups(std::string elementName) : CMassElementGroups() { SetElementName(this, elementName); }
    ~CMassElementGroups() override = default;

private:
    friend class Framework::CElement<CMassElementGroups>;
    static const Framework::ElementSchema& Schema();

    LtXmlLib3::CSmartPtr<CElementgroupDataCol> m_elementGroupEntry;
};

}  // namespace VantrelLib
