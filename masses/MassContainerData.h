#pragma once

#include <cstdint>
#include <string>

#include "VantrelLib/framework/Collection.h"
#include "VantrelLib/framework/Element.h"
#include "VantrelLib/framework/GdtClassFactory.h"
#include "VantrelLib/framework/VantrelClassFactory.h"
#include "VantrelLib/gdt/Frame.h"
#include "VantrelLib/masses/Row.h"

namespace VantrelLib {

// A container block: "Id", optional "Title", "CoGx", its aft and forward
// bounding frames ("Aft", "Forward") and its rows ("Row", at least one).
// Element "MassContainerData"; held as "ContainerEntry". A fresh object has no
// row and cannot be written until one is added.
class CMassContainerData : public LtXmlLib3::CInstanceMonitor,
                           public virtual LtXmlLib3::CXmlObjectBase,
                           public Framework::CElement<CMassContainerData> {
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
    CMassContainerData(const CMassContainerData&) = default;
    CMassContainerData& operator=(const CMassContainerData&) = default;

protected:
    CMassContainerData() : CInstanceMonitor("CMassContainerData") { Init(); }
    explicit CMassContainerData(std::string elementName) : CMassContainerData() { SetElementName(this, elementName); }
    ~CMassContainerData() override = default;

private:
    friend class Framework::CElement<CMassContainerData>;
    static const Framework::ElementSchema& Schema();

    std::int64_t m_id = 0;
    Framework::COptional<std::string> m_title;
    double m_coGx = 0;
    LtXmlLib3::CSmartPtr<gdt::CFrame> m_aft;
    LtXmlLib3::CSmartPtr<gdt::CFrame> m_forward;
    LtXmlLib3::CSmartPtr<CRowCol> m_row;
};

// A run of container blocks ("ContainerEntry" of "MassContainer").
class CMassContainerDataCol : public Framework::CTypedCollection<CMassContainerData> {
public:
    CMassContainerDataCol(const CMassContainerDataCol&) = default;
    CMassContainerDataCol& operator=(const CMassContainerDataCol&) = default;

protected:
    CMassContainerDataCol(const char* itemElementName, long minOccurs, long maxOccurs);
    ~CMassContainerDataCol() override = default;

private:
    friend struct Framework::ClassMaker;
};

}  // namespace VantrelLib
