#pragma once

#include <string>

#include "VantrelLib/framework/Element.h"
#include "VantrelLib/framework/VantrelClassFactory.h"
#include "VantrelLib/loadcases/LongitudinalPosition.h"

namespace VantrelLib {

// The load envelopes: any number of longitudinal positions, kept in document
// order (neither sorted nor checked). Element "LoadEnvelopeData"; held as
// "LoadEnvelopes" in the load case data.
class CLoadEnvelopeData : public LtXmlLib3::CInstanceMonitor,
                          public virtual LtXmlLib3::CXmlObjectBase,
                          public Framework::CElement<CLoadEnvelopeData> {
public:
    // The positions; add and remove them through the collection.
    LtXmlLib3::CSmartPtr<CLongitudinalPositionCol> GetLongitudinalPosition() const { return m_longitudinalPosition; }

    // The copy shares the position collection with its source.
    CLoadEnvelopeData(const CLoadEnvelopeData&) = default;
    CLoadEnvelopeData& operator=(const CLoadEnvelopeData&) = default;

protected:
    CLoadEnvelopeData() : CInstanceMonitor("CLoadEnvelopeData") { Init(); }
    explicit CLoadEnvelopeData(std::string elementName) : CLoadEnvelopeData() { SetElementName(this, elementName); }
    ~CLoadEnvelopeData() override = default;

private:
    friend class Framework::CElement<CLoadEnvelopeData>;
    static const Framework::ElementSchema& Schema();

    LtXmlLib3::CSmartPtr<CLongitudinalPositionCol> m_longitudinalPosition;
};

}  // namespace VantrelLib
