#pragma once

#include "VantrelLib/framework/Element.h"

namespace gdt {

// A reference to a load case by number, with an optional name. Element
// "Loadcase" in the gdt namespace; held as "BaseLoadCase" or "UnitLoadCase".
class VANTREL_EXPORT CLoadcase : public VantrelLib::Framework::CElement<CLoadcase> {
public:
    std::uint64_t GetLoadcaseId() const { return m_loadcaseId; }
    void SetLoadcaseId(std::uint64_t value) { m_loadcaseId = value; }

    // Throws CLtInvalidStateException while Name is not valid.
    const std::string& GetName() const { return m_name.Get("Name"); }
    // Stores the text unchanged (whitespace kept) and makes it valid.
    void SetName(const std::string& value) { m_name.Set(value); }
    bool IsValidName() const { return m_name.IsValid(); }
    // A change of validity empties Name.
    void SetValidName(bool valid) { m_name.SetValid(valid); }

    VANTREL_ELEMENT(CLoadcase);
    std::uint64_t m_loadcaseId = 0;
    VantrelLib::Framework::COptional<std::string> m_name;
};

// A run of load case references ("UnitLoadCase").
VANTREL_COLLECTION(CLoadcaseCol, CLoadcase);

}  // namespace gdt
