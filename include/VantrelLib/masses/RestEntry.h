#pragma once

#include "VantrelLib/framework/Element.h"
#include "VantrelLib/masses/IRestEntry.h"

namespace VantrelLib {

// A plain rest entry: "Value", optional "Fix", "MassId". Element "RestEntry";
// under another element name (an item of a CIRestEntryCol) it is written with
// the type attribute naming "RestEntry".
class VANTREL_EXPORT CRestEntry : public Framework::CElement<CRestEntry>, public virtual IRestEntry {
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

    VANTREL_ELEMENT(CRestEntry);
    double m_value = 0;
    Framework::COptional<bool> m_fix;
    std::int64_t m_massId = 0;
};

}  // namespace VantrelLib
