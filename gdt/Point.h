#pragma once

#include <string>

#include "VantrelLib/framework/Element.h"
#include "VantrelLib/framework/GdtClassFactory.h"

namespace gdt {

// A point in space: x and y, and an optional z. Element "Point" in the gdt
// namespace; a parent holds it under its own name ("Min", "Max", "Origin", "CoG").
class CPoint : public LtXmlLib3::CInstanceMonitor,
               public virtual LtXmlLib3::CXmlObjectBase,
               public VantrelLib::Framework::CElement<CPoint> {
public:
    double GetX() const { return m_x; }
    void SetX(double value) { m_x = value; }
    double GetY() const { return m_y; }
    void SetY(double value) { m_y = value; }
    // Throws CLtInvalidStateException while z is not valid.
    double GetZ() const { return m_z.Get("z"); }
    // Sets z and makes it valid.
    void SetZ(double value) { m_z.Set(value); }
    bool IsValidZ() const { return m_z.IsValid(); }
    // A change of validity resets z to 0.
    void SetValidZ(bool valid) { m_z.SetValid(valid); }

    CPoint(const CPoint&) = default;
    CPoint& operator=(const CPoint&) = default;

protected:
    CPoint() : CInstanceMonitor("CPoint") { Init(); }
    explicit CPoint(std::string elementName) : CPoint() { SetElementName(this, elementName); }
    ~CPoint() override = default;

private:
    friend class VantrelLib::Framework::CElement<CPoint>;
    static const VantrelLib::Framework::ElementSchema& Schema();

    double m_x = 0;
    double m_y = 0;
    VantrelLib::Framework::COptional<double> m_z;
};

}  // namespace gdt
