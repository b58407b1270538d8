#pragma once

#include "VantrelLib/framework/Element.h"
#include "VantrelLib/masses/MassAssembledData.h"

namespace VantrelLib {

// The assembled masses of the mass distribution: a run of "AssembledEntry" elements.
// Element "MassAssembled".
class VANTREL_EXPORT CMassAssembled : public Framework::CElement<CMassAssembled> {
public:
    LtXmlLib3::CSmartPtr<CMassAssembledDataCol> GetAssembledEntry() const { return m_assembledEntry; }

    // The copy shares the list with its source.
    VANTREL_ELEMENT(CMassAssembled);
    LtXmlLib3::CSmartPtr<CMassAssembledDataCol> m_assembledEntry;
};

}  // namespace VantrelLib
