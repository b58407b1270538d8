#pragma once

#include "VantrelLib/framework/Element.h"
#include "VantrelLib/masses/MassBoxData.h"

namespace VantrelLib {

// The box masses of the mass distribution: a run of "BoxEntry" elements.
// Element "MassBoxes".
class VANTREL_EXPORT CMassBoxes : public Framework::CElement<CMassBoxes> {
public:
    LtXmlLib3::CSmartPtr<CMassBoxDataCol> GetBoxEntry() const { return m_boxEntry; }

    // The copy shares the list with its source.
    VANTREL_ELEMENT(CMassBoxes);
    LtXmlLib3::CSmartPtr<CMassBoxDataCol> m_boxEntry;
};

}  // namespace VantrelLib
