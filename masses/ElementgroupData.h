#pragma once

#include <cstdint>
#include <string>

#include "VantrelLib/framework/Collection.h"
#include "VantrelLib/framework/Element.h"
#include "VantrelLib/framework/VantrelClassFactory.h"

namespace VantrelLib {

// An element group as a mass item: "Id", optional "Title" (whitespace
// collapsed), "Buoyancy". Element "ElementgroupData"; held as "ElementGroupEntry".
class CElementgroupData : public LtXmlLib3::CInstanceMonitor,
                          public virtual LtXmlLib3::CXmlObjectBase,
                          public Framework::CElement<CElementgroupData> {
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

    CElementgroupData(const CElementgroupData&) = default;
    CElementgroupData& operator=(const CElementgroupData&) = default;

protected:
    CElementgroupData() : CInstanceMonitor("CElementgroupData") { Init(); }
    explicit CElementgroupData(std::string elementName) : CElementgroupData() { SetElementName(this, elementName); }
    ~CElementgroupData() override = default;

private:
    friend class Framework::CElement<CElementgroupData>;
    static const Framework::ElementSchema& Schema();

    std::int64_t m_id = 0;
    Framework::COptional<std::string> m_title;
    bool m_buoyancy = false;
};

// A run of element groups ("ElementGroupEntry" of "MassElementGroups").
class CElementgroupDataCol : public Framework::CTypedCollection<CElementgroupData> {
public:
    CElementgroupDataCol(const CElementgroupDataCol&) = default;
    CElementgroupDataCol& operator=(const CElementgroupDataCol&) = default;

protected:
    CElementgroupDataCol(const char* itemElementName, long minOccurs, long maxOccurs);
    ~CElementgroupDataCol() override = default;

private:
    friend struct Framework::ClassMaker;
};

}  // namespace VantrelLib
