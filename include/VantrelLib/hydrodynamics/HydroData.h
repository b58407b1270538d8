#pragma once

#include "VantrelLib/framework/Element.h"
#include "VantrelLib/hydrodynamics/Scan.h"
#include "VantrelLib/hydrodynamics/Select.h"

namespace VantrelLib {

// One hydrodynamic data set: its number, an optional reference to an assembled
// mass entry by number (never resolved or checked), its scan blocks and its
// load selections. Element "HydroData"; as an item of the "Hydrodynamic" list
// it is "MassDistribution".
class VANTREL_EXPORT CHydroData : public Framework::CElement<CHydroData> {
public:
    std::int64_t GetId() const { return m_id; }
    void SetId(std::int64_t value) { m_id = value; }

    // Throws CLtInvalidStateException while MassAssembledIdRef is not valid.
    std::int64_t GetMassAssembledIdRef() const { return m_massAssembledIdRef.Get("MassAssembledIdRef"); }
    // Sets the reference and makes it valid.
    void SetMassAssembledIdRef(std::int64_t value) { m_massAssembledIdRef.Set(value); }
    bool IsValidMassAssembledIdRef() const { return m_massAssembledIdRef.IsValid(); }
    // A change of validity resets the reference to 0.
    void SetValidMassAssembledIdRef(bool valid) { m_massAssembledIdRef.SetValid(valid); }

    LtXmlLib3::CSmartPtr<CScan> GetScan() const { return m_scan; }
    // Shares `scan`, renamed "Scan"; throws CLtException for null.
    void SetScan(CScan* scan) { SetRequiredChild(m_scan, scan, "Scan"); }
    LtXmlLib3::CSmartPtr<CSelect> GetSelect() const { return m_select; }
    // Shares `select`, renamed "Select"; throws CLtException for null.
    void SetSelect(CSelect* select) { SetRequiredChild(m_select, select, "Select"); }

    // The copy shares "Scan" and "Select" with its source.
    VANTREL_ELEMENT(CHydroData);
    std::int64_t m_id = 0;
    Framework::COptional<std::int64_t> m_massAssembledIdRef;
    LtXmlLib3::CSmartPtr<CScan> m_scan;
    LtXmlLib3::CSmartPtr<CSelect> m_select;
};

// The data sets of the "Hydrodynamic" section ("MassDistribution").
VANTREL_COLLECTION(CHydroDataCol, CHydroData);

}  // namespace VantrelLib
