#pragma once

#include "VantrelLib/framework/Element.h"

namespace VantrelLib {

// Which nodes a box or tank mass is put on: "UseSelected" and an optional
// "Attribute" text. Element "MassNodeSelectionData"; held as "NodeSelection".
class VANTREL_EXPORT CMassNodeSelectionData : public Framework::CElement<CMassNodeSelectionData> {
public:
    CEnumerations::RMassNodeSelection GetUseSelected() const { return m_useSelected; }
    // Stores the value unchecked; one outside the enumeration fails when written.
    void SetUseSelected(CEnumerations::RMassNodeSelection value) { m_useSelected = value; }

    // Throws CLtInvalidStateException while Attribute is not valid.
    const std::string& GetAttribute() const { return m_attribute.Get("Attribute"); }
    // Stores the text unchanged (whitespace kept) and makes it valid.
    void SetAttribute(const std::string& value) { m_attribute.Set(value); }
    bool IsValidAttribute() const { return m_attribute.IsValid(); }
    // A change of validity empties Attribute.
    void SetValidAttribute(bool valid) { m_attribute.SetValid(valid); }

    VANTREL_ELEMENT(CMassNodeSelectionData);
    CEnumerations::RMassNodeSelection m_useSelected = CEnumerations::RMassNodeSelection_All;
    Framework::COptional<std::string> m_attribute;
};

}  // namespace VantrelLib
