#pragma once

#include "VantrelLib/framework/Element.h"
#include "VantrelLib/hydrodynamics/HydroData.h"

namespace VantrelLib {

// The document's hydrodynamic loads section: a list of data sets, each written
// as "MassDistribution". Element "Hydrodynamic", without attributes.
class VANTREL_EXPORT CHydrodynamic : public Framework::CElement<CHydrodynamic> {
public:
    // The data sets; add, read and remove them through this collection.
    LtXmlLib3::CSmartPtr<CHydroDataCol> GetMassDistribution() const { return m_massDistribution; }

    // The copy shares the list with its source.
    VANTREL_ELEMENT(CHydrodynamic);
    LtXmlLib3::CSmartPtr<CHydroDataCol> m_massDistribution;
};

}  // namespace VantrelLib
