#pragma once

#include "VantrelLib/framework/Element.h"
#include "VantrelLib/gdt/Box.h"
#include "VantrelLib/masses/MassNodeSelectionData.h"

namespace VantrelLib {

// A tank mass: "Id", optional "Title", "InputCode", optional "requiredVolume",
// then its node selection ("NodeSelection") and its boxes ("Interval", at
// least one). Element "MassTankData"; held as "TankEntry". A fresh object has
// no box and cannot be written until one is added.
class VANTREL_EXPORT CMassTankData : public Framework::CElement<CMassTankData> {
public:
    std::int64_t GetId() const { return m_id; }
    void SetId(std::int64_t value) { m_id = value; }

    // Throws CLtInvalidStateException while Title is not valid.
    const std::string& GetTitle() const { return m_title.Get("Title"); }
    // Stores the text unchanged (whitespace kept) and makes it valid.
    void SetTitle(const std::string& value) { m_title.Set(value); }
    bool IsValidTitle() const { return m_title.IsValid(); }
    // A change of validity empties Title.
    void SetValidTitle(bool valid) { m_title.SetValid(valid); }

    CEnumerations::RMassInputCode GetInputCode() const { return m_inputCode; }
    // Stores the value unchecked; one outside the enumeration fails when written.
    void SetInputCode(CEnumerations::RMassInputCode value) { m_inputCode = value; }

    // The attribute "requiredVolume". Throws CLtInvalidStateException while it is not valid.
    double GetRequiredVolume() const { return m_requiredVolume.Get("requiredVolume"); }
    // Sets the volume and makes it valid.
    void SetRequiredVolume(double value) { m_requiredVolume.Set(value); }
    bool IsValidRequiredVolume() const { return m_requiredVolume.IsValid(); }
    // A change of validity resets the volume to 0.
    void SetValidRequiredVolume(bool valid) { m_requiredVolume.SetValid(valid); }

    LtXmlLib3::CSmartPtr<CMassNodeSelectionData> GetNodeSelection() const { return m_nodeSelection; }
    // Shares `selection`, renamed "NodeSelection"; throws CLtException for null.
    void SetNodeSelection(CMassNodeSelectionData* selection) {
        SetRequiredChild(m_nodeSelection, selection, "NodeSelection");
    }

    // The boxes; add at least one before writing.
    LtXmlLib3::CSmartPtr<gdt::CBoxCol> GetInterval() const { return m_interval; }

    // The copy shares the node selection and the boxes with its source.
    VANTREL_ELEMENT(CMassTankData);
    std::int64_t m_id = 0;
    Framework::COptional<std::string> m_title;
    CEnumerations::RMassInputCode m_inputCode = CEnumerations::RMassInputCode_Srd_box;
    Framework::COptional<double> m_requiredVolume;
    LtXmlLib3::CSmartPtr<CMassNodeSelectionData> m_nodeSelection;
    LtXmlLib3::CSmartPtr<gdt::CBoxCol> m_interval;
};

// A run of tank masses ("TankEntry" of "MassTanks").
VANTREL_COLLECTION(CMassTankDataCol, CMassTankData);

}  // namespace VantrelLib
