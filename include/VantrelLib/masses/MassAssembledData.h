#pragma once

#include "VantrelLib/framework/Element.h"
#include "VantrelLib/gdt/Point.h"
#include "VantrelLib/masses/ContainerEntry.h"
#include "VantrelLib/masses/IRestEntry.h"
#include "VantrelLib/masses/TankEntry.h"

namespace VantrelLib {

// An assembled mass: "Id", optional "Title", "Mass", its centre of gravity
// ("CoG") and five lists of rest entries naming its parts by mass id. The
// "ContainerEntry" and "TankEntry" lists are typed; "BoxEntry",
// "ElementgroupEntry" and "AssembledEntry" hold any mix of CRestEntry,
// CContainerEntry and CTankEntry. Element "MassAssembledData"; held as
// "AssembledEntry".
class VANTREL_EXPORT CMassAssembledData : public Framework::CElement<CMassAssembledData> {
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

    double GetMass() const { return m_mass; }
    void SetMass(double value) { m_mass = value; }

    LtXmlLib3::CSmartPtr<gdt::CPoint> GetCoG() const { return m_coG; }
    // Shares `point`, renamed "CoG"; throws CLtException for null.
    void SetCoG(gdt::CPoint* point) { SetRequiredChild(m_coG, point, "CoG"); }

    LtXmlLib3::CSmartPtr<CContainerEntryCol> GetContainerEntry() const { return m_containerEntry; }
    LtXmlLib3::CSmartPtr<CIRestEntryCol> GetBoxEntry() const { return m_boxEntry; }
    LtXmlLib3::CSmartPtr<CTankEntryCol> GetTankEntry() const { return m_tankEntry; }
    // The element-group list ("ElementgroupEntry", small g).
    LtXmlLib3::CSmartPtr<CIRestEntryCol> GetElementgroupEntry() const { return m_elementgroupEntry; }
    LtXmlLib3::CSmartPtr<CIRestEntryCol> GetAssembledEntry() const { return m_assembledEntry; }

    // The copy shares the point and the five lists with its source.
    VANTREL_ELEMENT(CMassAssembledData);
    std::int64_t m_id = 0;
    Framework::COptional<std::string> m_title;
    double m_mass = 0;
    LtXmlLib3::CSmartPtr<gdt::CPoint> m_coG;
    LtXmlLib3::CSmartPtr<CContainerEntryCol> m_containerEntry;
    LtXmlLib3::CSmartPtr<CIRestEntryCol> m_boxEntry;
    LtXmlLib3::CSmartPtr<CTankEntryCol> m_tankEntry;
    LtXmlLib3::CSmartPtr<CIRestEntryCol> m_elementgroupEntry;
    LtXmlLib3::CSmartPtr<CIRestEntryCol> m_assembledEntry;
};

// A run of assembled masses ("AssembledEntry" of "MassAssembled").
VANTREL_COLLECTION(CMassAssembledDataCol, CMassAssembledData);

}  // namespace VantrelLib
