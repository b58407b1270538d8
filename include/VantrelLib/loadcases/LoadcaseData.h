#pragma once

#include "VantrelLib/framework/Element.h"
#include "VantrelLib/loadcases/LoadEnvelopeData.h"
#include "VantrelLib/loadcases/LoadcaseInputData.h"

namespace VantrelLib {

// The document's load case part: the load case input "LoadcaseInput" and the
// load envelopes "LoadEnvelopes", both optional, in this order. Element
// "LoadcaseData".
class VANTREL_EXPORT CLoadcaseData : public Framework::CElement<CLoadcaseData> {
public:
    // Empty when absent.
    LtXmlLib3::CSmartPtr<CLoadcaseInputData> GetLoadcaseInput() const { return m_loadcaseInput; }
    // Shares `input`, renamed "LoadcaseInput"; null empties the slot.
    void SetLoadcaseInput(CLoadcaseInputData* input) { SetOptionalChild(m_loadcaseInput, input, "LoadcaseInput"); }
    // Empty when absent.
    LtXmlLib3::CSmartPtr<CLoadEnvelopeData> GetLoadEnvelopes() const { return m_loadEnvelopes; }
    // Shares `envelopes`, renamed "LoadEnvelopes"; null empties the slot.
    void SetLoadEnvelopes(CLoadEnvelopeData* envelopes) {
        SetOptionalChild(m_loadEnvelopes, envelopes, "LoadEnvelopes");
    }

    // The copy shares its children with its source.
    VANTREL_ELEMENT(CLoadcaseData);
    LtXmlLib3::CSmartPtr<CLoadcaseInputData> m_loadcaseInput;
    LtXmlLib3::CSmartPtr<CLoadEnvelopeData> m_loadEnvelopes;
};

}  // namespace VantrelLib
