#pragma once

#include <string>

#include "VantrelLib/framework/Element.h"
#include "VantrelLib/framework/GdtClassFactory.h"

namespace gdt {

// A closed interval of doubles, `from` to `to` (no order between them is
// enforced). Element "RangeDouble" in the gdt namespace; a parent holds it as
// "RangeDirection" or "RangeXLpp".
class CRangeDouble : public LtXmlLib3::CInstanceMonitor,
                     public virtual LtXmlLib3::CXmlObjectBase,
                     public VantrelLib::Framework::CElement<CRangeDouble> {
public:
    double GetFrom() const { return m_from; }
    void SetFrom(double value) { m_from = value; }
    double GetTo() const { return m_to; }
    void SetTo(double value) { m_to = value; }

    CRangeDouble(const CRangeDouble&) = default;
    CRangeDouble& operator=(const CRangeDouble&) = default;

protected:
    CRangeDouble() : CInstanceMonitor("CRangeDouble") { Init(); }
    explicit CRangeDouble(std::string elementName) : CRangeDouble() { SetElementName(this, elementName); }
    ~CRangeDouble() override = default;

private:
    friend class VantrelLib::Framework::CElement<CRangeDouble>;
    static const VantrelLib::Framework::ElementSchema& Schema();

    double m_from = 0;
    double m_to = 0;
};

}  // namespace gdt
