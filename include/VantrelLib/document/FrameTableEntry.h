#pragma once

#include "VantrelLib/framework/Element.h"

namespace VantrelLib {

// One frame of the frame table: its number "No" (a double), its spacing and
// its direction "Mould", all required. Element "FrameTableEntry"; held as
// "FrameEntry" in the frame table.
class VANTREL_EXPORT CFrameTableEntry : public Framework::CElement<CFrameTableEntry> {
public:
    double GetNo() const { return m_no; }
    void SetNo(double value) { m_no = value; }
    double GetSpacing() const { return m_spacing; }
    void SetSpacing(double value) { m_spacing = value; }
    gdt::CEnumerations::RDirection GetMould() const { return m_mould; }
    // Stored unchecked: a number outside the enumeration fails only when written.
    void SetMould(gdt::CEnumerations::RDirection value) { m_mould = value; }

    VANTREL_ELEMENT(CFrameTableEntry);
    double m_no = 0;
    double m_spacing = 0;
    gdt::CEnumerations::RDirection m_mould = gdt::CEnumerations::RDirection_Forward;
};

// The frames of a frame table, in document order ("FrameEntry").
VANTREL_COLLECTION(CFrameTableEntryCol, CFrameTableEntry);

}  // namespace VantrelLib
