#pragma once

#include <cstdint>
#include <string>

#include "VantrelLib/framework/Collection.h"
#include "VantrelLib/framework/Element.h"
#include "VantrelLib/framework/GdtClassFactory.h"

namespace gdt {

// A reference to a load case by number, with an optional name. Element
// "Loadcase" in the gdt namespace; held as "BaseLoadCase" or "UnitLoadCase".
class CLoadcase : public LtXmlLib3::CInstanceMonitor,
                  public virtual LtXmlLib3::CXmlObjectBase,
                  public VantrelLib::Framework::CElement<CLoadcase> {
public:
    std::uint64_t GetLoadcaseId() const { return m_loadcaseId; }
    void SetLoadcaseId(std::uint64_t value) { m_loadcaseId = value; }

    // Throws CLtInvalidStateException while Name is not valid.
    const std::string& GetName() const { return m_name.Get("Name"); }
    // Stores the text unchanged (whitespace kept) and makes it valid.
    void SetName(const std::string& value) { m_name.Set(value); }
    bool IsValidName() const { return m_name.IsValid(); }
    // A change of validity empties Name.
    void SetValidName(bool valid) { m_name.SetValid(valid); }

    CLoadcase(const CLoadcase&) = default;
    CLoadcase& operator=(const CLoadcase&) = default;

protected:
    CLoadcase() : CInstanceMonitor("CLoadcase") { Init(); }
    explicit CLoadcase(std::string elementName) : CLoadcase() { SetElementName(this, elementName); }
    ~CLoadcase() override = default;

private:
    friend class VantrelLib::Framework::CElement<CLoadcase>;
    static const VantrelLib::Framework::ElementSchema& Schema();

    std::uint64_t m_loadcaseId = 0;
    VantrelLib::Framework::COptional<std::string> m_name;
};

// A run of load case references ("UnitLoadCase").
class CLoadcaseCol : public VantrelLib::Framework::CTypedCollection<CLoadcase> {
public:
    CLoadcaseCol(const CLoadcaseCol&) = default;
    CLoadcaseCol& operator=(const CLoadcaseCol&) = default;

protected:
    CLoadcaseCol(const char* itemElementName, long minOccurs, long maxOccurs);
    ~CLoadcaseCol() override = default;

private:
    friend struct VantrelLib::Framework::ClassMaker;
};

}  // namespace gdt
