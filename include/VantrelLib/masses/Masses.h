#pragma once

#include "VantrelLib/framework/Element.h"
#include "VantrelLib/masses/MassAssembled.h"
#include "VantrelLib/masses/MassBoxes.h"
#include "VantrelLib/masses/MassContainer.h"
#include "VantrelLib/masses/MassElementGroups.h"
#include "VantrelLib/masses/MassTanks.h"

namespace VantrelLib {

// The mass distribution of the ship: five optional sections, written and read
// in this order: "MassBoxes", "MassElementGroups", "MassTanks",
// "MassContainer", "MassAssembled". Element "Masses".
class VANTREL_EXPORT CMasses : public Framework::CElement<CMasses> {
public:
    // Each getter gives the section, or an empty pointer when it is absent.
    // Each setter shares the section, renamed after its slot, or empties the
    // slot when given null.
    LtXmlLib3::CSmartPtr<CMassBoxes> GetMassBoxes() const { return m_massBoxes; }
    void SetMassBoxes(CMassBoxes* section) { SetOptionalChild(m_massBoxes, section, "MassBoxes"); }
    LtXmlLib3::CSmartPtr<CMassElementGroups> GetMassElementGroups() const { return m_massElementGroups; }
    void SetMassElementGroups(CMassElementGroups* section) {
        SetOptionalChild(m_massElementGroups, section, "MassElementGroups");
    }
    LtXmlLib3::CSmartPtr<CMassTanks> GetMassTanks() const { return m_massTanks; }
    void SetMassTanks(CMassTanks* section) { SetOptionalChild(m_massTanks, section, "MassTanks"); }
    LtXmlLib3::CSmartPtr<CMassContainer> GetMassContainer() const { return m_massContainer; }
    void SetMassContainer(CMassContainer* section) { SetOptionalChild(m_massContainer, section, "MassContainer"); }
    LtXmlLib3::CSmartPtr<CMassAssembled> GetMassAssembled() const { return m_massAssembled; }
    void SetMassAssembled(CMassAssembled* section) { SetOptionalChild(m_massAssembled, section, "MassAssembled"); }

    // The copy shares the sections with its source.
    VANTREL_ELEMENT(CMasses);
    LtXmlLib3::CSmartPtr<CMassBoxes> m_massBoxes;
    LtXmlLib3::CSmartPtr<CMassElementGroups> m_massElementGroups;
    LtXmlLib3::CSmartPtr<CMassTanks> m_massTanks;
    LtXmlLib3::CSmartPtr<CMassContainer> m_massContainer;
    LtXmlLib3::CSmartPtr<CMassAssembled> m_massAssembled;
};

}  // namespace VantrelLib
