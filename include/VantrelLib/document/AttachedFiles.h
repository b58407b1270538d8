#pragma once

#include "VantrelLib/framework/Element.h"
#include "VantrelLib/gdt/AttachedFile.h"

namespace VantrelLib {

// Up to four files that belong with the document, each an optional attached
// file under its slot's element name: "FrameTable", "FiniteElement",
// "HullformDescription", "FiniteElementExport", in this order. Element
// "AttachedFiles".
//
// Each Set<X> gives the file its slot's element name and shares it; null
// empties the slot. One file set into two slots carries the later name in both.
class VANTREL_EXPORT CAttachedFiles : public Framework::CElement<CAttachedFiles> {
public:
    // Empty when absent (as are the other three getters).
    LtXmlLib3::CSmartPtr<gdt::CAttachedFile> GetFrameTable() const { return m_frameTable; }
    void SetFrameTable(gdt::CAttachedFile* file) { SetOptionalChild(m_frameTable, file, "FrameTable"); }
    LtXmlLib3::CSmartPtr<gdt::CAttachedFile> GetFiniteElement() const { return m_finiteElement; }
    void SetFiniteElement(gdt::CAttachedFile* file) { SetOptionalChild(m_finiteElement, file, "FiniteElement"); }
    LtXmlLib3::CSmartPtr<gdt::CAttachedFile> GetHullformDescription() const { return m_hullformDescription; }
    void SetHullformDescription(gdt::CAttachedFile* file) {
        SetOptionalChild(m_hullformDescription, file, "HullformDescription");
    }
    LtXmlLib3::CSmartPtr<gdt::CAttachedFile> GetFiniteElementExport() const { return m_finiteElementExport; }
    void SetFiniteElementExport(gdt::CAttachedFile* file) {
        SetOptionalChild(m_finiteElementExport, file, "FiniteElementExport");
    }

    // The copy shares its files with its source.
    VANTREL_ELEMENT(CAttachedFiles);
    LtXmlLib3::CSmartPtr<gdt::CAttachedFile> m_frameTable;
    LtXmlLib3::CSmartPtr<gdt::CAttachedFile> m_finiteElement;
    LtXmlLib3::CSmartPtr<gdt::CAttachedFile> m_hullformDescription;
    LtXmlLib3::CSmartPtr<gdt::CAttachedFile> m_finiteElementExport;
};

}  // namespace VantrelLib
