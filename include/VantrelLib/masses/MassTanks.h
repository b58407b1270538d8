#pragma once

#include "VantrelLib/framework/Element.h"
#include "VantrelLib/masses/MassTankData.h"

namespace VantrelLib {

// The tank masses of the mass distribution: a run of "TankEntry" elements.
// Element "MassTanks".
class VANTREL_EXPORT CMassTanks : public Framework::CElement<CMassTanks> {
public:
    LtXmlLib3::CSmartPtr<CMassTankDataCol> GetTankEntry() const { return m_tankEntry; }

    // The copy shares the list with its source.
    VANTREL_ELEMENT(CMassTanks);
    LtXmlLib3::CSmartPtr<CMassTankDataCol> m_tankEntry;
};

}  // namespace VantrelLib
