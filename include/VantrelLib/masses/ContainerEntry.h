#pragma once

#include "VantrelLib/framework/Element.h"
#include "VantrelLib/masses/IRestEntry.h"

namespace VantrelLib {

// A rest entry referring to a container mass: "Value", optional "Fix",
// "MassId", "CoGzParameter". Element "ContainerEntry"; under another element
// name (an item of a CIRestEntryCol) it is written with the type attribute
// naming "ContainerEntry".
class VANTREL_EXPORT CContainerEntry : public Framework::CElement<CContainerEntry>, public virtual IRestEntry {
public:
    double GetValue() const override { return m_value; }
    void SetValue(double value) override { m_value = value; }
    // Throws CLtInvalidStateException while Fix is not valid.
    bool GetFix() const override { return m_fix.Get("Fix"); }
    // Sets Fix and makes it valid.
    void SetFix(bool value) override { m_fix.Set(value); }
    bool IsValidFix() const override { return m_fix.IsValid(); }
    // A change of validity resets Fix to false.
    void SetValidFix(bool valid) override { m_fix.SetValid(valid); }
    std::int64_t GetMassId() const override { return m_massId; }
    void SetMassId(std::int64_t value) override { m_massId = value; }
    double GetCoGzParameter() const { return m_coGzParameter; }
    void SetCoGzParameter(double value) { m_coGzParameter = value; }

    VANTREL_ELEMENT(CContainerEntry);
    double m_value = 0;
    Framework::COptional<bool> m_fix;
    std::int64_t m_massId = 0;
    double m_coGzParameter = 0;
};

// A run of container rest entries ("ContainerEntry" of an assembled mass); its
// items are always CContainerEntry and carry no type attribute.
VANTREL_COLLECTION(CContainerEntryCol, CContainerEntry);

}  // namespace VantrelLib
