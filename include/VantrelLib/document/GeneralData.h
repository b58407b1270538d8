#pragma once

#include "VantrelLib/document/AttachedFiles.h"
#include "VantrelLib/document/FrameTableData.h"
#include "VantrelLib/document/GeneralConstants.h"
#include "VantrelLib/document/PrincipalDimension.h"
#include "VantrelLib/framework/Element.h"

namespace VantrelLib {

// The ship's general data: four optional parts, in the order
// "PrincipalDimension", "GeneralConstants", "AttachedFiles", "FrameTable".
// Element "GeneralData".
//
// Each Set<X> gives the part its element name and shares it; null empties the
// slot. Each Get<X> is empty while the part is absent.
class VANTREL_EXPORT CGeneralData : public Framework::CElement<CGeneralData> {
public:
    LtXmlLib3::CSmartPtr<CPrincipalDimension> GetPrincipalDimension() const { return m_principalDimension; }
    void SetPrincipalDimension(CPrincipalDimension* part) {
        SetOptionalChild(m_principalDimension, part, "PrincipalDimension");
    }
    LtXmlLib3::CSmartPtr<CGeneralConstants> GetGeneralConstants() const { return m_generalConstants; }
    void SetGeneralConstants(CGeneralConstants* part) {
        SetOptionalChild(m_generalConstants, part, "GeneralConstants");
    }
    LtXmlLib3::CSmartPtr<CAttachedFiles> GetAttachedFiles() const { return m_attachedFiles; }
    void SetAttachedFiles(CAttachedFiles* part) { SetOptionalChild(m_attachedFiles, part, "AttachedFiles"); }
    LtXmlLib3::CSmartPtr<CFrameTableData> GetFrameTable() const { return m_frameTable; }
    // The table is renamed "FrameTable".
    void SetFrameTable(CFrameTableData* part) { SetOptionalChild(m_frameTable, part, "FrameTable"); }

    // The copy shares its parts with its source.
    VANTREL_ELEMENT(CGeneralData);
    LtXmlLib3::CSmartPtr<CPrincipalDimension> m_principalDimension;
    LtXmlLib3::CSmartPtr<CGeneralConstants> m_generalConstants;
    LtXmlLib3::CSmartPtr<CAttachedFiles> m_attachedFiles;
    LtXmlLib3::CSmartPtr<CFrameTableData> m_frameTable;
};

}  // namespace VantrelLib
