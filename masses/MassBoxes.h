#pragma once

#include <string>

#include "VantrelLib/framework/Element.h"
#include "VantrelLib/framework/VantrelClassFactory.h"
#include "VantrelLib/masses/MassBoxData.h"

namespace VantrelLib {

// The box masses of the mass distribution: a run of "BoxEntry" elements.
// Element "MassBoxes".
class CMassBoxes : public LtXmlLib3::CInstanceMonitor,
                   public virtual LtXmlLib3::CXmlObjectBase,
                   public Framework::CElement<CMassBoxes> {
public:
    LtXmlLib3::CSmartPtr<CMassBoxDataCol> GetBoxEntry() const { return m_boxEntry; }

    // The copy shares the list with its source.
    CMassBoxes(const CMassBoxes&) = default;
    CMassBoxes& operator=(const CMassBoxes&) = default;

protected:
    CMassBoxes() : CInstanceMonitor("CMassBoxes") { Init(); }
    explicit CMassBoxes(std::string elementName) : CMassBoxes() { SetElementName(this, elementName); }
    ~CMassBoxes() override = default;

private:
    friend class Framework::CElement<CMassBoxes>;
    static const Framework::ElementSchema& Schema();

    LtXmlLib3::CSmartPtr<CMassBoxDataCol> m_boxEntry;
};

}  // namespace VantrelLib
