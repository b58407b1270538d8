#pragma once

#include "VantrelLib/framework/Element.h"
#include "VantrelLib/gdt/Frame.h"
#include "VantrelLib/masses/Row.h"

namespace VantrelLib {

// A container block: "Id", optional "Title", "CoGx", its aft and forward
// bounding frames ("Aft", "Forward") and its rows ("Row", at least one).
// Element "MassContainerData"; held as "ContainerEntry". A fresh object has no
// row and cannot be written until one is added.
class VANTREL_EXPORT CMassContainerData : public Framework::CElement<CMassContainerData> {
public:
    std::int64_t GetId() const { return m_id; }
    void SetId(std::int64_t value) { m_id = value; }

    // Throws CLtInvalidStateException while Title is not valid.
    const std::string& GetTitle() const { return m_title.Get("Title"); }
    // Stores the text unchanged (whitespace kept) and makes it valid.
    void SetTitle(const std::string& value) { m_title.Set(value); }
    bool IsValidTitle() const { return m_title.IsValid(); }
    // A change of validity empties Title.
    void SetValidTitle(bool valid) { m_title.SetValid(valid); }

    double GetCoGx() const { return m_coGx; }
    void SetCoGx(double value) { m_coGx = value; }

    LtXmlLib3::CSmartPtr<gdt::CFrame> GetAft() const { return m_aft; }
    // Shares `frame`, renamed "Aft"; throws CLtException for null.
    void SetAft(gdt::CFrame* frame) { SetRequiredChild(m_aft, frame, "Aft"); }
    LtXmlLib3::CSmartPtr<gdt::CFrame> GetForward() const { return m_forward; }
    // Shares `frame`, renamed "Forward"; throws CLtException for null.
    void SetForward(gdt::CFrame* frame) { SetRequiredChild(m_forward, frame, "Forward"); }

    // The rows; add at least one before writing.
    LtXmlLib3::CSmartPtr<CRowCol> GetRow() const { return m_row; }

    // The copy shares the frames and the rows with its source.
    VANTREL_ELEMENT(CMassContainerData);
    std::int64_t m_id = 0;
    Framework::COptional<std::string> m_title;
    double m_coGx = 0;
    LtXmlLib3::CSmartPtr<gdt::CFrame> m_aft;
    LtXmlLib3::CSmartPtr<gdt::CFrame> m_forward;
    LtXmlLib3::CSmartPtr<CRowCol> m_row;
};

// A run of container blocks ("ContainerEntry" of "MassContainer").
VANTREL_COLLECTION(CMassContainerDataCol, CMassContainerData);

}  // namespace VantrelLib
