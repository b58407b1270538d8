#pragma once

#include "VantrelLib/framework/Element.h"
#include "VantrelLib/gdt/Point.h"

namespace gdt {

// An axis-parallel box given by two corner points "Min" and "Max" (no order
// between them is checked). Element "Box" in the gdt namespace.
class VANTREL_EXPORT CBox : public VantrelLib::Framework::CElement<CBox> {
public:
    LtXmlLib3::CSmartPtr<CPoint> GetMin() const { return m_min; }
    // Shares `point`, renamed "Min"; throws CLtException for null.
    void SetMin(CPoint* point) { SetRequiredChild(m_min, point, "Min"); }
    LtXmlLib3::CSmartPtr<CPoint> GetMax() const { return m_max; }
    // Shares `point`, renamed "Max"; throws CLtException for null.
    void SetMax(CPoint* point) { SetRequiredChild(m_max, point, "Max"); }

    // The copy shares the two points with its source.
    VANTREL_ELEMENT(CBox);
    LtXmlLib3::CSmartPtr<CPoint> m_min;
    LtXmlLib3::CSmartPtr<CPoint> m_max;
};

// A run of boxes ("Interval" in box and tank masses).
VANTREL_COLLECTION(CBoxCol, CBox);

}  // namespace gdt
