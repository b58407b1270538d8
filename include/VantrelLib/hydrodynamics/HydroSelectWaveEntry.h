#pragma once

#include "VantrelLib/framework/Element.h"

namespace VantrelLib {

// A selection of one wave by its optional heel, phase, direction, length over
// Lpp ("LtoLpp") and amplitude. Element "HydroSelectWaveEntry"; as a branch of
// a selection entry it is written and read as "Wave".
class VANTREL_EXPORT CHydroSelectWaveEntry : public Framework::CElement<CHydroSelectWaveEntry> {
public:
    // Each Get<X> throws CLtInvalidStateException while <X> is not valid; Set<X>
    // makes it valid; a change of SetValid<X> resets it to 0.
    double GetAmpl() const { return m_ampl.Get("Ampl"); }
    void SetAmpl(double value) { m_ampl.Set(value); }
    bool IsValidAmpl() const { return m_ampl.IsValid(); }
    void SetValidAmpl(bool valid) { m_ampl.SetValid(valid); }

    double GetLtoLpp() const { return m_ltoLpp.Get("LtoLpp"); }
    void SetLtoLpp(double value) { m_ltoLpp.Set(value); }
    bool IsValidLtoLpp() const { return m_ltoLpp.IsValid(); }
    void SetValidLtoLpp(bool valid) { m_ltoLpp.SetValid(valid); }

    double GetDirection() const { return m_direction.Get("Direction"); }
    void SetDirection(double value) { m_direction.Set(value); }
    bool IsValidDirection() const { return m_direction.IsValid(); }
    void SetValidDirection(bool valid) { m_direction.SetValid(valid); }

    double GetPhase() const { return m_phase.Get("Phase"); }
    void SetPhase(double value) { m_phase.Set(value); }
    bool IsValidPhase() const { return m_phase.IsValid(); }
    void SetValidPhase(bool valid) { m_phase.SetValid(valid); }

    double GetHeel() const { return m_heel.Get("Heel"); }
    void SetHeel(double value) { m_heel.Set(value); }
    bool IsValidHeel() const { return m_heel.IsValid(); }
    void SetValidHeel(bool valid) { m_heel.SetValid(valid); }

    VANTREL_ELEMENT(CHydroSelectWaveEntry);
    Framework::COptional<double> m_ampl;
    Framework::COptional<double> m_ltoLpp;
    Framework::COptional<double> m_direction;
    Framework::COptional<double> m_phase;
    Framework::COptional<double> m_heel;
};

}  // namespace VantrelLib
