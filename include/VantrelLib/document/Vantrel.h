#pragma once

#include "VantrelLib/document/GeneralData.h"
#include "VantrelLib/framework/Element.h"
#include "VantrelLib/hydrodynamics/Hydrodynamic.h"
#include "VantrelLib/loadcases/LoadcaseData.h"
#include "VantrelLib/masses/Masses.h"

namespace VantrelLib {

// The document root: the free-text "schemaVersion" (always written, also
// empty) and the optional parts "GeneralData", "LoadcaseData", "Masses",
// "Hydrodynamic", in this order. Element "Vantrel"; hand it to ToXml/FromXml
// to write or read a whole document. A read replaces everything the root held and does not check the
// document element's name.
//
// Each Set<X> gives the part its element name and shares it; null empties the
// slot. Each Get<X> is empty while the part is absent.
class VANTREL_EXPORT CVantrel : public Framework::CElement<CVantrel> {
public:
    const std::string& GetSchemaVersion() const { return m_schemaVersion; }
    // Stores the text unchanged (whitespace kept).
    void SetSchemaVersion(const std::string& value) { m_schemaVersion = value; }

    LtXmlLib3::CSmartPtr<CGeneralData> GetGeneralData() const { return m_generalData; }
    void SetGeneralData(CGeneralData* part) { SetOptionalChild(m_generalData, part, "GeneralData"); }
    LtXmlLib3::CSmartPtr<CLoadcaseData> GetLoadcaseData() const { return m_loadcaseData; }
    void SetLoadcaseData(CLoadcaseData* part) { SetOptionalChild(m_loadcaseData, part, "LoadcaseData"); }
    LtXmlLib3::CSmartPtr<CMasses> GetMasses() const { return m_masses; }
    void SetMasses(CMasses* part) { SetOptionalChild(m_masses, part, "Masses"); }
    LtXmlLib3::CSmartPtr<CHydrodynamic> GetHydrodynamic() const { return m_hydrodynamic; }
    void SetHydrodynamic(CHydrodynamic* part) { SetOptionalChild(m_hydrodynamic, part, "Hydrodynamic"); }

    // The copy shares its parts with its source.
    VANTREL_ELEMENT(CVantrel);
    std::string m_schemaVersion;
    LtXmlLib3::CSmartPtr<CGeneralData> m_generalData;
    LtXmlLib3::CSmartPtr<CLoadcaseData> m_loadcaseData;
    LtXmlLib3::CSmartPtr<CMasses> m_masses;
    LtXmlLib3::CSmartPtr<CHydrodynamic> m_hydrodynamic;
};

}  // namespace VantrelLib
