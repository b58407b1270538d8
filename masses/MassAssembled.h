#pragma once

#include <string>

#include "VantrelLib/framework/Element.h"
#include "VantrelLib/framework/VantrelClassFactory.h"
#include "VantrelLib/masses/MassAssembledData.h"

namespace VantrelLib {

// The assembled masses of the mass distribution: a run of "AssembledEntry" elements.
// Element "MassAssembled".
class CMassAssembled : public LtXmlLib3::CInstanceMonitor,
                       public virtual LtXmlLib3::CXmlObjectBase,
                       public Framework::CElement<CMassAssembled> {
public:
    LtXmlLib3::CSmartPtr<CMassAssembledDataCol> GetAssembledEntry() const { return m_assembledEntry; }

    // The copy shares the list with its source.
    CMassAssembled(const CMassAssembled&) = default;
    CMassAssembled& operator=(const CMassAssembled&) = default;

protected:
    CMassAssembled() : CInstanceMonitor("CMassAssembled") { Init(); }
    explicit CMassAssembled(std::string elementName) : CMassAssembled() { SetElementName(this, elementName); }
    ~CMassAssembled() override = default;

private:
    friend class Framework::CElement<CMassAssembled>;
    static const Framework::ElementSchema& Schema();

    LtXmlLib3::CSmartPtr<CMassAssembledDataCol> m_assembledEntry;
};

}  // namespace VantrelLib
