#pragma once

#include "VantrelLib/framework/Element.h"
#include "VantrelLib/gdt/Box.h"
#include "VantrelLib/gdt/Point.h"
#include "VantrelLib/masses/MassNodeSelectionData.h"

namespace VantrelLib {

// A box mass: "Id" (a double), optional "Title", "Mass", then its boxes
// ("Interval", at least one), its centre of gravity ("CoG") and its node
// selection ("NodeSelection"). Element "MassBoxData"; held as "BoxEntry".
// A fresh object has no box and cannot be written until one is added.
class VANTREL_EXPORT CMassBoxData : public Framework::CElement<CMassBoxData> {
public:
    double GetId() const { return m_id; }
    void SetId(double value) { m_id = value; }

    // Throws CLtInvalidStateException while Title is not valid.
    const std::string& GetTitle() const { return m_title.Get("Title"); }
    // Stores the text unchanged (whitespace kept) and makes it valid.
    void SetTitle(const std::string& value) { m_title.Set(value); }
    bool IsValidTitle() const { return m_title.IsValid(); }
    // A change of validity empties Title.
    void SetValidTitle(bool valid) { m_title.SetValid(valid); }

    double GetMass() const { return m_mass; }
    void SetMass(double value) { m_mass = value; }

    // The boxes; add at least one before writing.
    LtXmlLib3::CSmartPtr<gdt::CBoxCol> GetInterval() const { return m_interval; }

    LtXmlLib3::CSmartPtr<gdt::CPoint> GetCoG() const { return m_coG; }
    // Shares `point`, renamed "CoG"; throws CLtException for null.
    void SetCoG(gdt::CPoint* point) { SetRequiredChild(m_coG, point, "CoG"); }

    LtXmlLib3::CSmartPtr<CMassNodeSelectionData> GetNodeSelection() const { return m_nodeSelection; }
    // Shares `selection`, renamed "NodeSelection"; throws CLtException for null.
    void SetNodeSelection(CMassNodeSelectionData* selection) {
        SetRequiredChild(m_nodeSelection, selection, "NodeSelection");
    }

    // The copy shares the boxes, the point and the node selection with its source.
    VANTREL_ELEMENT(CMassBoxData);
    double m_id = 0;
    Framework::COptional<std::string> m_title;
    double m_mass = 0;
    LtXmlLib3::CSmartPtr<gdt::CBoxCol> m_interval;
    LtXmlLib3::CSmartPtr<gdt::CPoint> m_coG;
    LtXmlLib3::CSmartPtr<CMassNodeSelectionData> m_nodeSelection;
};

// A run of box masses ("BoxEntry" of "MassBoxes").
VANTREL_COLLECTION(CMassBoxDataCol, CMassBoxData);

}  // namespace VantrelLib
