#pragma once

#include "VantrelLib/framework/Element.h"

namespace VantrelLib {

// The ship's main particulars: twelve optional numbers, each written only
// while valid. Element "PrincipalDimension".
//
// Each Get<X> throws CLtInvalidStateException "The Property Get<X> is not
// valid. Set<X> must be called first" while <X> is not valid; Set<X> stores the
// value and makes it valid; SetValid<X> with a change of validity resets the
// value to 0.
class VANTREL_EXPORT CPrincipalDimension : public Framework::CElement<CPrincipalDimension> {
public:
    double GetLpp() const { return m_lpp.Get("Lpp"); }
    void SetLpp(double value) { m_lpp.Set(value); }
    bool IsValidLpp() const { return m_lpp.IsValid(); }
    void SetValidLpp(bool valid) { m_lpp.SetValid(valid); }

    double GetB() const { return m_b.Get("B"); }
    void SetB(double value) { m_b.Set(value); }
    bool IsValidB() const { return m_b.IsValid(); }
    void SetValidB(bool valid) { m_b.SetValid(valid); }

    double GetH() const { return m_h.Get("H"); }
    void SetH(double value) { m_h.Set(value); }
    bool IsValidH() const { return m_h.IsValid(); }
    void SetValidH(bool valid) { m_h.SetValid(valid); }

    double GetTmax() const { return m_tmax.Get("Tmax"); }
    void SetTmax(double value) { m_tmax.Set(value); }
    bool IsValidTmax() const { return m_tmax.IsValid(); }
    void SetValidTmax(bool valid) { m_tmax.SetValid(valid); }

    double GetCb() const { return m_cb.Get("Cb"); }
    void SetCb(double value) { m_cb.Set(value); }
    bool IsValidCb() const { return m_cb.IsValid(); }
    void SetValidCb(bool valid) { m_cb.SetValid(valid); }

    double GetVmax() const { return m_vmax.Get("Vmax"); }
    void SetVmax(double value) { m_vmax.Set(value); }
    bool IsValidVmax() const { return m_vmax.IsValid(); }
    void SetValidVmax(bool valid) { m_vmax.SetValid(valid); }

    double GetLightShipWeight() const { return m_lightShipWeight.Get("LightShipWeight"); }
    void SetLightShipWeight(double value) { m_lightShipWeight.Set(value); }
    bool IsValidLightShipWeight() const { return m_lightShipWeight.IsValid(); }
    void SetValidLightShipWeight(bool valid) { m_lightShipWeight.SetValid(valid); }

    double GetDeadWeight() const { return m_deadWeight.Get("DeadWeight"); }
    void SetDeadWeight(double value) { m_deadWeight.Set(value); }
    bool IsValidDeadWeight() const { return m_deadWeight.IsValid(); }
    void SetValidDeadWeight(bool valid) { m_deadWeight.SetValid(valid); }

    double GetBMHogging() const { return m_bMHogging.Get("BMHogging"); }
    void SetBMHogging(double value) { m_bMHogging.Set(value); }
    bool IsValidBMHogging() const { return m_bMHogging.IsValid(); }
    void SetValidBMHogging(bool valid) { m_bMHogging.SetValid(valid); }

    double GetBMSagging() const { return m_bMSagging.Get("BMSagging"); }
    void SetBMSagging(double value) { m_bMSagging.Set(value); }
    bool IsValidBMSagging() const { return m_bMSagging.IsValid(); }
    void SetValidBMSagging(bool valid) { m_bMSagging.SetValid(valid); }

    double GetL() const { return m_l.Get("L"); }
    void SetL(double value) { m_l.Set(value); }
    bool IsValidL() const { return m_l.IsValid(); }
    void SetValidL(bool valid) { m_l.SetValid(valid); }

    double GetLwl() const { return m_lwl.Get("Lwl"); }
    void SetLwl(double value) { m_lwl.Set(value); }
    bool IsValidLwl() const { return m_lwl.IsValid(); }
    void SetValidLwl(bool valid) { m_lwl.SetValid(valid); }

    VANTREL_ELEMENT(CPrincipalDimension);
    Framework::COptional<double> m_lpp;
    Framework::COptional<double> m_b;
    Framework::COptional<double> m_h;
    Framework::COptional<double> m_tmax;
    Framework::COptional<double> m_cb;
    Framework::COptional<double> m_vmax;
    Framework::COptional<double> m_lightShipWeight;
    Framework::COptional<double> m_deadWeight;
    Framework::COptional<double> m_bMHogging;
    Framework::COptional<double> m_bMSagging;
    Framework::COptional<double> m_l;
    Framework::COptional<double> m_lwl;
};

}  // namespace VantrelLib
