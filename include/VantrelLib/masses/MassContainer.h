#pragma once

#include "VantrelLib/framework/Element.h"
#include "VantrelLib/masses/MassContainerData.h"

namespace VantrelLib {

// The container stowage of the mass distribution: a run of container blocks
// ("ContainerEntry"). Element "MassContainer".
class VANTREL_EXPORT CMassContainer : public Framework::CElement<CMassContainer> {
public:
    LtXmlLib3::CSmartPtr<CMassContainerDataCol> GetContainerEntry() const { return m_containerEntry; }

    // The copy shares the list with its source.
    VANTREL_ELEMENT(CMassContainer);
    LtXmlLib3::CSmartPtr<CMassContainerDataCol> m_containerEntry;
};

}  // namespace VantrelLib
