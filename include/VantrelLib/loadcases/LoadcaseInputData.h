#pragma once

#include "VantrelLib/framework/Element.h"
#include "VantrelLib/gdt/Loadcase.h"
#include "VantrelLib/gdt/Point.h"

namespace VantrelLib {

// The load case input: a load component, a number of intervals, the half-model
// flag, the base load case, any number of unit load cases and the origin.
// Element "LoadcaseInputData"; held as "LoadcaseInput" in the load case data.
class VANTREL_EXPORT CLoadcaseInputData : public Framework::CElement<CLoadcaseInputData> {
public:
    CEnumerations::RLoadComponents GetLoadComponent() const { return m_loadComponent; }
    // Stored unchecked: a number outside the enumeration fails only when written.
    void SetLoadComponent(CEnumerations::RLoadComponents value) { m_loadComponent = value; }
    std::uint64_t GetNoOfIntervals() const { return m_noOfIntervals; }
    void SetNoOfIntervals(std::uint64_t value) { m_noOfIntervals = value; }
    bool GetIsHalfModel() const { return m_isHalfModel; }
    void SetIsHalfModel(bool value) { m_isHalfModel = value; }

    // Never empty.
    LtXmlLib3::CSmartPtr<gdt::CLoadcase> GetBaseLoadCase() const { return m_baseLoadCase; }
    // Shares `loadcase`, renamed "BaseLoadCase"; throws CLtException for null (the held one stays).
    void SetBaseLoadCase(gdt::CLoadcase* loadcase) { SetRequiredChild(m_baseLoadCase, loadcase, "BaseLoadCase"); }
    // The unit load cases ("UnitLoadCase"); add and remove them through the collection.
    LtXmlLib3::CSmartPtr<gdt::CLoadcaseCol> GetUnitLoadCase() const { return m_unitLoadCase; }
    // Never empty.
    LtXmlLib3::CSmartPtr<gdt::CPoint> GetOrigin() const { return m_origin; }
    // Shares `point`, renamed "Origin"; throws CLtException for null (the held one stays).
    void SetOrigin(gdt::CPoint* point) { SetRequiredChild(m_origin, point, "Origin"); }

    // The copy shares its children and the unit load case collection with its source.
    VANTREL_ELEMENT(CLoadcaseInputData);
    CEnumerations::RLoadComponents m_loadComponent = CEnumerations::RLoadComponents_SFminX;
    std::uint64_t m_noOfIntervals = 0;
    bool m_isHalfModel = false;
    LtXmlLib3::CSmartPtr<gdt::CLoadcase> m_baseLoadCase;
    LtXmlLib3::CSmartPtr<gdt::CLoadcaseCol> m_unitLoadCase;
    LtXmlLib3::CSmartPtr<gdt::CPoint> m_origin;
};

}  // namespace VantrelLib
