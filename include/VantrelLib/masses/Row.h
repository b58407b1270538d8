#pragma once

#include "VantrelLib/framework/Element.h"

namespace VantrelLib {

// One container row of a container block; every attribute is required.
// Element "Row".
class VANTREL_EXPORT CRow : public Framework::CElement<CRow> {
public:
    std::int64_t GetNumber() const { return m_number; }
    void SetNumber(std::int64_t value) { m_number = value; }
    gdt::CEnumerations::RSymmetry GetSymmetry() const { return m_symmetry; }
    // Stores the value unchecked; one outside the enumeration fails when written.
    void SetSymmetry(gdt::CEnumerations::RSymmetry value) { m_symmetry = value; }
    double GetTierUpper() const { return m_tierUpper; }
    void SetTierUpper(double value) { m_tierUpper = value; }
    double GetTierLower() const { return m_tierLower; }
    void SetTierLower(double value) { m_tierLower = value; }
    double GetCoGyVertical() const { return m_coGyVertical; }
    void SetCoGyVertical(double value) { m_coGyVertical = value; }
    double GetCoGyHorizontal() const { return m_coGyHorizontal; }
    void SetCoGyHorizontal(double value) { m_coGyHorizontal = value; }
    bool GetGuidedAft() const { return m_guidedAft; }
    void SetGuidedAft(bool value) { m_guidedAft = value; }
    bool GetGuidedForward() const { return m_guidedForward; }
    void SetGuidedForward(bool value) { m_guidedForward = value; }

    VANTREL_ELEMENT(CRow);
    std::int64_t m_number = 0;
    gdt::CEnumerations::RSymmetry m_symmetry = gdt::CEnumerations::RSymmetry_P;
    double m_tierUpper = 0;
    double m_tierLower = 0;
    double m_coGyVertical = 0;
    double m_coGyHorizontal = 0;
    bool m_guidedAft = false;
    bool m_guidedForward = false;
};

// A run of container rows ("Row" of a container block).
VANTREL_COLLECTION(CRowCol, CRow);

}  // namespace VantrelLib
