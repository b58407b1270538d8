#pragma once

#include "VantrelLib/document/FrameTableEntry.h"
#include "VantrelLib/framework/Element.h"
#include "VantrelLib/gdt/Frame.h"

namespace VantrelLib {

// The frame table: the settings "KeepAft" and "SpacingSign", the frames
// ("FrameEntry", any number) and then the two marked frames "FrameNoPP1" and
// "FrameNoPP2", always present. Element "FrameTableData"; held as "FrameTable"
// in the general data.
class VANTREL_EXPORT CFrameTableData : public Framework::CElement<CFrameTableData> {
public:
    bool GetKeepAft() const { return m_keepAft; }
    void SetKeepAft(bool value) { m_keepAft = value; }
    std::int64_t GetSpacingSign() const { return m_spacingSign; }
    void SetSpacingSign(std::int64_t value) { m_spacingSign = value; }

    // The frames; add and remove them through the collection.
    LtXmlLib3::CSmartPtr<CFrameTableEntryCol> GetFrameEntry() const { return m_frameEntry; }

    // Never empty.
    LtXmlLib3::CSmartPtr<gdt::CFrame> GetFrameNoPP1() const { return m_frameNoPP1; }
    // Shares `frame`, renamed "FrameNoPP1"; throws CLtException for null (the held frame stays).
    void SetFrameNoPP1(gdt::CFrame* frame) { SetRequiredChild(m_frameNoPP1, frame, "FrameNoPP1"); }
    // Never empty.
    LtXmlLib3::CSmartPtr<gdt::CFrame> GetFrameNoPP2() const { return m_frameNoPP2; }
    // Shares `frame`, renamed "FrameNoPP2"; throws CLtException for null (the held frame stays).
    void SetFrameNoPP2(gdt::CFrame* frame) { SetRequiredChild(m_frameNoPP2, frame, "FrameNoPP2"); }

    // The copy shares the frames and the entry collection with its source.
    VANTREL_ELEMENT(CFrameTableData);
    bool m_keepAft = false;
    std::int64_t m_spacingSign = 0;
    LtXmlLib3::CSmartPtr<CFrameTableEntryCol> m_frameEntry;
    LtXmlLib3::CSmartPtr<gdt::CFrame> m_frameNoPP1;
    LtXmlLib3::CSmartPtr<gdt::CFrame> m_frameNoPP2;
};

}  // namespace VantrelLib
