#pragma once

#include "VantrelLib/framework/Element.h"

namespace gdt {

// A point in space: x and y, and an optional z. Element "Point" in the gdt
// namespace; a parent holds it under its own name ("Min", "Max", "Origin", "CoG").
class VANTREL_EXPORT CPoint : public VantrelLib::Framework::CElement<CPoint> {
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

    VANTREL_ELEMENT(CPoint);
    double m_x = 0;
    double m_y = 0;
    VantrelLib::Framework::COptional<double> m_z;
};

}  // namespace gdt
