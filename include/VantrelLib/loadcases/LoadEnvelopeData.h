#pragma once

#include "VantrelLib/framework/Element.h"
#include "VantrelLib/loadcases/LongitudinalPosition.h"

namespace VantrelLib {

// The load envelopes: any number of longitudinal positions, kept in document
// order (neither sorted nor checked). Element "LoadEnvelopeData"; held as
// "LoadEnvelopes" in the load case data.
class VANTREL_EXPORT CLoadEnvelopeData : public Framework::CElement<CLoadEnvelopeData> {
public:
    // The positions; add and remove them through the collection.
    LtXmlLib3::CSmartPtr<CLongitudinalPositionCol> GetLongitudinalPosition() const { return m_longitudinalPosition; }

    // The copy shares the position collection with its source.
    VANTREL_ELEMENT(CLoadEnvelopeData);
    LtXmlLib3::CSmartPtr<CLongitudinalPositionCol> m_longitudinalPosition;
};

}  // namespace VantrelLib
