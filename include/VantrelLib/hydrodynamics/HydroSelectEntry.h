#pragma once

#include "VantrelLib/framework/Element.h"
#include "VantrelLib/hydrodynamics/HydroSelectFactorEntry.h"
#include "VantrelLib/hydrodynamics/HydroSelectWaveEntry.h"

namespace VantrelLib {

// One hydrodynamic load selection: a type, an optional title and exactly one
// of two branches, a factor selection ("Factor") or a wave ("Wave"). Element
// "HydroSelectEntry"; as an item of a "Select" list it is "SelectEntry".
// An entry with no branch chosen cannot be written.
class VANTREL_EXPORT CHydroSelectEntry : public Framework::CElement<CHydroSelectEntry> {
public:
    // Throws CLtInvalidStateException while Title is not valid.
    const std::string& GetTitle() const { return m_title.Get("Title"); }
    // Stores the text unchanged (every space kept) and makes it valid.
    void SetTitle(const std::string& value) { m_title.Set(value); }
    bool IsValidTitle() const { return m_title.IsValid(); }
    // A change of validity empties Title.
    void SetValidTitle(bool valid) { m_title.SetValid(valid); }

    CEnumerations::RHydroSelectType GetType() const { return m_type; }
    // Stores any value; one outside the enumeration fails only when written.
    void SetType(CEnumerations::RHydroSelectType value) { m_type = value; }

    // The factor branch; empty unless "Factor" is the chosen branch.
    LtXmlLib3::CSmartPtr<CHydroSelectFactorEntry> GetFactor() const { return m_factor; }
    // Chooses the factor branch with `factor`, renamed "Factor", and drops the
    // wave branch. Null leaves no branch chosen, whichever was chosen before.
    void SetFactor(CHydroSelectFactorEntry* factor) {
        Schema().Choice().Choose(static_cast<void*>(this), "Factor", factor);
    }
    // The wave branch; empty unless "Wave" is the chosen branch.
    LtXmlLib3::CSmartPtr<CHydroSelectWaveEntry> GetWave() const { return m_wave; }
    // Chooses the wave branch with `wave`, renamed "Wave", and drops the factor
    // branch. Null leaves no branch chosen, whichever was chosen before.
    void SetWave(CHydroSelectWaveEntry* wave) { Schema().Choice().Choose(static_cast<void*>(this), "Wave", wave); }
    // "Factor", "Wave", or "" while no branch is chosen.
    std::string GetChoiceSelectedElement() const { return m_selected; }

protected:
    // Drops both branches and records `selected` as the chosen element name.
    void ClearChoice(const char* selected) { Schema().Choice().Clear(static_cast<void*>(this), selected); }

    // The copy shares the chosen branch object with its source.
    VANTREL_ELEMENT(CHydroSelectEntry);
    Framework::COptional<std::string> m_title;
    CEnumerations::RHydroSelectType m_type = CEnumerations::RHydroSelectType_Min;
    LtXmlLib3::CSmartPtr<CHydroSelectFactorEntry> m_factor;
    LtXmlLib3::CSmartPtr<CHydroSelectWaveEntry> m_wave;
    std::string m_selected;
};

// The selection entries of a "Select" list ("SelectEntry").
VANTREL_COLLECTION(CHydroSelectEntryCol, CHydroSelectEntry);

}  // namespace VantrelLib
