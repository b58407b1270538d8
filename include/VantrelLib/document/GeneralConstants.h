#pragma once

#include "VantrelLib/framework/Element.h"

namespace VantrelLib {

// Four general constants of the ship's data, each optional and written only
// while valid; no default is filled in. Element "GeneralConstants".
//
// Each Get<X> throws CLtInvalidStateException "The Property Get<X> is not
// valid. Set<X> must be called first" while <X> is not valid; Set<X> stores the
// value and makes it valid; SetValid<X> with a change of validity resets the
// value to 0.
class VANTREL_EXPORT CGeneralConstants : public Framework::CElement<CGeneralConstants> {
public:
    double GetRho() const { return m_rho.Get("Rho"); }
    void SetRho(double value) { m_rho.Set(value); }
    bool IsValidRho() const { return m_rho.IsValid(); }
    void SetValidRho(bool valid) { m_rho.SetValid(valid); }

    double GetGravitationalConstant() const { return m_gravitationalConstant.Get("GravitationalConstant"); }
    void SetGravitationalConstant(double value) { m_gravitationalConstant.Set(value); }
    bool IsValidGravitationalConstant() const { return m_gravitationalConstant.IsValid(); }
    void SetValidGravitationalConstant(bool valid) { m_gravitationalConstant.SetValid(valid); }

    double GetNeutralFibre() const { return m_neutralFibre.Get("NeutralFibre"); }
    void SetNeutralFibre(double value) { m_neutralFibre.Set(value); }
    bool IsValidNeutralFibre() const { return m_neutralFibre.IsValid(); }
    void SetValidNeutralFibre(bool valid) { m_neutralFibre.SetValid(valid); }

    double GetShearCentre() const { return m_shearCentre.Get("ShearCentre"); }
    void SetShearCentre(double value) { m_shearCentre.Set(value); }
    bool IsValidShearCentre() const { return m_shearCentre.IsValid(); }
    void SetValidShearCentre(bool valid) { m_shearCentre.SetValid(valid); }

    VANTREL_ELEMENT(CGeneralConstants);
    Framework::COptional<double> m_rho;
    Framework::COptional<double> m_gravitationalConstant;
    Framework::COptional<double> m_neutralFibre;
    Framework::COptional<double> m_shearCentre;
};

}  // namespace VantrelLib
