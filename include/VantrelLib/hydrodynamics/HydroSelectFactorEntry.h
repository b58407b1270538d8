#pragma once

#include "VantrelLib/framework/Element.h"
#include "VantrelLib/gdt/RangeDouble.h"

namespace VantrelLib {

// A factor selection: a range of wave direction ("RangeDirection") and a range
// of longitudinal position over Lpp ("RangeXLpp"), with optional section loads.
// Element "HydroSelectFactorEntry"; as a branch of a selection entry it is
// written and read as "Factor".
class VANTREL_EXPORT CHydroSelectFactorEntry : public Framework::CElement<CHydroSelectFactorEntry> {
public:
    // Each Get<X> of the five loads throws CLtInvalidStateException while <X> is
    // not valid; Set<X> makes it valid; a change of SetValid<X> resets it to 0.
    double GetShearHorizontal() const { return m_shearHorizontal.Get("ShearHorizontal"); }
    void SetShearHorizontal(double value) { m_shearHorizontal.Set(value); }
    bool IsValidShearHorizontal() const { return m_shearHorizontal.IsValid(); }
    void SetValidShearHorizontal(bool valid) { m_shearHorizontal.SetValid(valid); }

    double GetShearVertical() const { return m_shearVertical.Get("ShearVertical"); }
    void SetShearVertical(double value) { m_shearVertical.Set(value); }
    bool IsValidShearVertical() const { return m_shearVertical.IsValid(); }
    void SetValidShearVertical(bool valid) { m_shearVertical.SetValid(valid); }

    double GetTorsion() const { return m_torsion.Get("Torsion"); }
    void SetTorsion(double value) { m_torsion.Set(value); }
    bool IsValidTorsion() const { return m_torsion.IsValid(); }
    void SetValidTorsion(bool valid) { m_torsion.SetValid(valid); }

    double GetBendingMomentHorizontal() const { return m_bendingMomentHorizontal.Get("BendingMomentHorizontal"); }
    void SetBendingMomentHorizontal(double value) { m_bendingMomentHorizontal.Set(value); }
    bool IsValidBendingMomentHorizontal() const { return m_bendingMomentHorizontal.IsValid(); }
    void SetValidBendingMomentHorizontal(bool valid) { m_bendingMomentHorizontal.SetValid(valid); }

    double GetBendingMomentVertical() const { return m_bendingMomentVertical.Get("BendingMomentVertical"); }
    void SetBendingMomentVertical(double value) { m_bendingMomentVertical.Set(value); }
    bool IsValidBendingMomentVertical() const { return m_bendingMomentVertical.IsValid(); }
    void SetValidBendingMomentVertical(bool valid) { m_bendingMomentVertical.SetValid(valid); }

    LtXmlLib3::CSmartPtr<gdt::CRangeDouble> GetRangeDirection() const { return m_rangeDirection; }
    // Shares `range`, renamed "RangeDirection"; throws CLtException for null.
    void SetRangeDirection(gdt::CRangeDouble* range) { SetRequiredChild(m_rangeDirection, range, "RangeDirection"); }
    LtXmlLib3::CSmartPtr<gdt::CRangeDouble> GetRangeXLpp() const { return m_rangeXLpp; }
    // Shares `range`, renamed "RangeXLpp"; throws CLtException for null.
    void SetRangeXLpp(gdt::CRangeDouble* range) { SetRequiredChild(m_rangeXLpp, range, "RangeXLpp"); }

    // The copy shares the two ranges with its source.
    VANTREL_ELEMENT(CHydroSelectFactorEntry);
    Framework::COptional<double> m_shearHorizontal;
    Framework::COptional<double> m_shearVertical;
    Framework::COptional<double> m_torsion;
    Framework::COptional<double> m_bendingMomentHorizontal;
    Framework::COptional<double> m_bendingMomentVertical;
    LtXmlLib3::CSmartPtr<gdt::CRangeDouble> m_rangeDirection;
    LtXmlLib3::CSmartPtr<gdt::CRangeDouble> m_rangeXLpp;
};

}  // namespace VantrelLib
