#pragma once

#include <string>

#include "VantrelLib/framework/Element.h"
#include "VantrelLib/framework/VantrelClassFactory.h"
#include "VantrelLib/masses/MassContainerData.h"

namespace VantrelLib {

// The container stowage of the mass distribution: a run of container blocks
// ("ContainerEntry"). Element "MassContainer".
class CMassContainer : public LtXmlLib3::CInstanceMonitor,
                       public virtual LtXmlLib3::CXmlObjectBase,
                       public Framework::CElement<CMassContainer> {
public:
    LtXmlLib3::CSmartPtr<CMassContainerDataCol> GetContainerEntry() const { return m_containerEntry; }

    // The copy shares the list with its source.
    CMassContainer(const CMassContainer&) = default;
    CMassContainer& operator=(const CMassContainer&) = default;

protected:
    CMassContainer() : CInstanceMonitor("CMassContainer") { Init(); }
    explicit CMassContainer(std::string elementName) : CMassContainer() { SetElementName(this, elementName); }
    ~CMassContainer() override = default;

private:
    friend class Framework::CElement<CMassContainer>;
    static const Framework::ElementSchema& Schema();

    LtXmlLib3::CSmartPtr<CMassContainerDataCol> m_containerEntry;
};

}  // namespace VantrelLib
