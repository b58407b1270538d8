#pragma once

#include "VantrelLib/framework/Element.h"

namespace gdt {

// A closed interval of doubles, `from` to `to` (no order between them is
// enforced). Element "RangeDouble" in the gdt namespace; a parent holds it as
// "RangeDirection" or "RangeXLpp".
class VANTREL_EXPORT CRangeDouble : public VantrelLib::Framework::CElement<CRangeDouble> {
public:
    double GetFrom() const { return m_from; }
    void SetFrom(double value) { m_from = value; }
    double GetTo() const { return m_to; }
    void SetTo(double value) { m_to = value; }

    VANTREL_ELEMENT(CRangeDouble);
    double m_from = 0;
    double m_to = 0;
};

}  // namespace gdt
