#pragma once

#include "VantrelLib/framework/Element.h"
#include "VantrelLib/loadcases/LoadEnvelopeForce.h"

namespace VantrelLib {

// The load envelope at one longitudinal position "XPosition": the minima
// "MinForces" and the maxima "MaxForces", both always present. Element
// "LongitudinalPosition".
class VANTREL_EXPORT CLongitudinalPosition : public Framework::CElement<CLongitudinalPosition> {
public:
    double GetXPosition() const { return m_xPosition; }
    void SetXPosition(double value) { m_xPosition = value; }

    // Never empty.
    LtXmlLib3::CSmartPtr<CLoadEnvelopeForce> GetMinForces() const { return m_minForces; }
    // Shares `forces`, renamed "MinForces"; throws CLtException for null (the held record stays).
    void SetMinForces(CLoadEnvelopeForce* forces) { SetRequiredChild(m_minForces, forces, "MinForces"); }
    // Never empty.
    LtXmlLib3::CSmartPtr<CLoadEnvelopeForce> GetMaxForces() const { return m_maxForces; }
    // Shares `forces`, renamed "MaxForces"; throws CLtException for null (the held record stays).
    void SetMaxForces(CLoadEnvelopeForce* forces) { SetRequiredChild(m_maxForces, forces, "MaxForces"); }

    // The copy shares the two records with its source.
    VANTREL_ELEMENT(CLongitudinalPosition);
    double m_xPosition = 0;
    LtXmlLib3::CSmartPtr<CLoadEnvelopeForce> m_minForces;
    LtXmlLib3::CSmartPtr<CLoadEnvelopeForce> m_maxForces;
};

// The positions of a load envelope, in document order ("LongitudinalPosition").
VANTREL_COLLECTION(CLongitudinalPositionCol, CLongitudinalPosition);

}  // namespace VantrelLib
