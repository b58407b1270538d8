#pragma once

#include <string>

#include "VantrelLib/framework/Collection.h"
#include "VantrelLib/framework/Element.h"
#include "VantrelLib/framework/GdtClassFactory.h"
#include "VantrelLib/gdt/Point.h"

namespace gdt {

// An axis-parallel box given by two corner points "Min" and "Max" (no order
// between them is checked). Element "Box" in the gdt namespace.
class CBox : public LtXmlLib3::CInstanceMonitor,
             public virtual LtXmlLib3::CXmlObjectBase,
             public VantrelLib::Framework::CElement<CBox> {
public:
    LtXmlLib3::CSmartPtr<CPoint> GetMin() const { return m_min; }
    // Shares `point`, renamed "Min"; throws CLtException for null.
    void SetMin(CPoint* point) { SetRequiredChild(m_min, point, "Min"); }
    LtXmlLib3::CSmartPtr<CPoint> GetMax() const { return m_max; }
    // Shares `point`, renamed "Max"; throws CLtException for null.
    void SetMax(CPoint* point) { SetRequiredChild(m_max, point, "Max"); }

    // The copy shares the two points with its source.
    CBox(const CBox&) = default;
    CBox& operator=(const CBox&) = default;

protected:
    CBox() : CInstanceMonitor("CBox") { Init(); }
    explicit CBox(std::string elementName) : CBox() { SetElementName(this, elementName); }
    ~CBox() override = default;

private:
    friend class VantrelLib::Framework::CElement<CBox>;
    static const VantrelLib::Framework::ElementSchema& Schema();

    LtXmlLib3::CSmartPtr<CPoint> m_min;
    LtXmlLib3::CSmartPtr<CPoint> m_max;
};

// A run of boxes ("Interval" in box and tank masses).
class CBoxCol : public VantrelLib::Framework::CTypedCollection<CBox> {
public:
    CBoxCol(const CBoxCol&) = default;
    CBoxCol& operator=(const CBoxCol&) = default;

protected:
    CBoxCol(const char* itemElementName, long minOccurs, long maxOccurs);
    ~CBoxCol() override = default;

private:
    friend struct VantrelLib::Framework::ClassMaker;
};

}  // namespace gdt
