#pragma once

#include <string>

#include "VantrelLib/framework/Element.h"
#include "VantrelLib/framework/VantrelClassFactory.h"
#include "VantrelLib/masses/MassTankData.h"

namespace VantrelLib {

// The tank masses of the mass distribution: a run of "TankEntry" elements.
// Element "MassTanks".
class CMassTanks : public LtXmlLib3::CInstanceMonitor,
                   public virtual LtXmlLib3::CXmlObjectBase,
                   public Framework::CElement<CMassTanks> {
public:
    LtXmlLib3::CSmartPtr<CMassTankDataCol> GetTankEntry() const { return m_tankEntry; }

    // The copy shares the list with its source.
    CMassTanks(const CMassTanks&) = default;
    CMassTanks& operator=(const CMassTanks&) = default;

protected:
    CMassTanks() : CInstanceMonitor("CMassTanks") { Init(); }
    explicit CMassTanks(std::string elementName) : CMassTanks() { SetElementName(this, elementName); }
    ~CMassTanks() override = default;

private:
    friend class Framework::CElement<CMassTanks>;
    static const Framework::ElementSchema& Schema();

    LtXmlLib3::CSmartPtr<CMassTankDataCol> m_tankEntry;
};

}  // namespace VantrelLib
