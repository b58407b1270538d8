#pragma once

#include "VantrelLib/framework/Element.h"

namespace VantrelLib {

// One record of six load components at a longitudinal position: forces "x",
// "y", "z" and moments "xx", "yy", "zz", all required. Element
// "LoadEnvelopeForce"; a position holds it as "MinForces" and "MaxForces".
class VANTREL_EXPORT CLoadEnvelopeForce : public Framework::CElement<CLoadEnvelopeForce> {
public:
    double GetX() const { return m_x; }
    void SetX(double value) { m_x = value; }
    double GetY() const { return m_y; }
    void SetY(double value) { m_y = value; }
    double GetZ() const { return m_z; }
    void SetZ(double value) { m_z = value; }
    double GetXx() const { return m_xx; }
    void SetXx(double value) { m_xx = value; }
    double GetYy() const { return m_yy; }
    void SetYy(double value) { m_yy = value; }
    double GetZz() const { return m_zz; }
    void SetZz(double value) { m_zz = value; }

    VANTREL_ELEMENT(CLoadEnvelopeForce);
    double m_x = 0;
    double m_y = 0;
    double m_z = 0;
    double m_xx = 0;
    double m_yy = 0;
    double m_zz = 0;
};

}  // namespace VantrelLib
