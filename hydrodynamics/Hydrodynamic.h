#pragma once

#include <string>

#include "VantrelLib/framework/Element.h"
#include "VantrelLib/framework/VantrelClassFactory.h"
#include "VantrelLib/hydrodynamics/HydroData.h"

namespace VantrelLib {

// The document's hydrodynamic loads section: a list of data sets, each written
// as "MassDistribution". Element "Hydrodynamic", without attributes.
class CHydrodynamic : public LtXmlLib3::CInstanceMonitor,
                      public virtual LtXmlLib3::CXmlObjectBase,
                      public Framework::CElement<CHydrodynamic> {
public:
    // The data sets; add, read and remove them through this collection.
    LtXmlLib3::CSmartPtr<CHydroDataCol> GetMassDistribution() const { return m_massDistribution; }

    // The copy shares the list with its source.
    CHydrodynamic(const CHydrodynamic&) = default;
    CHydrodynamic& operator=(const CHydrodynamic&) = default;

protected:
    CHydrodynamic() : CInstanceMonitor("CHydrodynamic") { Init(); }
    explicit CHydrodynamic(std::string elementName) : CHydrodynamic() { SetElementName(this, elementName); }
    ~CHydrodynamic() override = default;

private:
    friend class Framework::CElement<CHydrodynamic>;
    static const Framework::ElementSchema& Schema();

    LtXmlLib3::CSmartPtr<CHydroDataCol> m_massDistribution;
};

}  // namespace VantrelLib
