#pragma once

#include "VantrelLib/framework/Element.h"

namespace VantrelLib {

// An element group as a mass item: "Id", optional "Title" (whitespace
// collapsed), "Buoyancy". Element "ElementgroupData"; held as "ElementGroupEntry".
class VANTREL_EXPORT CElementgroupData : public Framework::CElement<CElementgroupData> {
public:
    std::int64_t GetId() const { return m_id; }
    void SetId(std::int64_t value) { m_id = value; }

    // Throws CLtInvalidStateException while Title is not valid.
    const std::string& GetTitle() const { return m_title.Get("Title"); }
    // Stores the text with its whitespace collapsed (ends trimmed, inner runs
    // made one space) and makes it valid.
    void SetTitle(const std::string& value) { m_title.Set(Collapsed(value)); }
    bool IsValidTitle() const { return m_title.IsValid(); }
    // A change of validity empties Title.
    void SetValidTitle(bool valid) { m_title.SetValid(valid); }

    bool GetBuoyancy() const { return m_buoyancy; }
    void SetBuoyancy(bool value) { m_buoyancy = value; }

    VANTREL_ELEMENT(CElementgroupData);
    std::int64_t m_id = 0;
    Framework::COptional<std::string> m_title;
    bool m_buoyancy = false;
};

// A run of element groups ("ElementGroupEntry" of "MassElementGroups").
VANTREL_COLLECTION(CElementgroupDataCol, CElementgroupData);

}  // namespace VantrelLib
