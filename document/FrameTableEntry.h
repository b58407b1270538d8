#pragma once

#include <string>

#include "VantrelLib/framework/Collection.h"
#include "VantrelLib/framework/Element.h"
#include "VantrelLib/framework/GdtEnumerations.h"
#include "VantrelLib/framework/VantrelClassFactory.h"

namespace VantrelLib {

// One frame of the frame table: its number "No" (a double), its spacing and
// its direction "Mould", all required. Element "FrameTableEntry"; held as
// "FrameEntry" in the frame table.
class CFrameTableEntry : public LtXmlLib3::CInstanceMonitor,
                         public virtual LtXmlLib3::CXmlObjectBase,
                         public Framework::CElement<CFrameTableEntry> {
public:
    double GetNo() const { return m_no; }
    void SetNo(double value) { m_no = value; }
    double GetSpacing() const { return m_spacing; }
    void SetSpacing(double value) { m_spacing = value; }
    gdt::CEnumerations::RDirection GetMould() const { return m_mould; }
    // Stored unchecked: a number outside the enumeration fails only when written.
    void SetMould(gdt::CEnumerations::RDirection value) { m_mould = value; }

    CFrameTableEntry(const CFrameTableEntry&) = default;
    CFrameTableEntry& operator=(const CFrameTableEntry&) = default;

protected:
    CFrameTableEntry() : CInstanceMonitor("CFrameTableEntry") { Init(); }
    explicit CFrameTableEntry(std::string elementName) : CFrameTableEntry() { SetElementName(this, elementName); }
    ~CFrameTableEntry() override = default;

private:
    friend class Framework::CElement<CFrameTableEntry>;
    static const Framework::ElementSchema& Schema();

    double m_no = 0;
    double m_spacing = 0;
    gdt::CEnumerations::RDirection m_mould = gdt::CEnumerations::RDirection_Forward;
};

// The frames of a frame table, in document order ("FrameEntry").
class CFrameTableEntryCol : public Framework::CTypedCollection<CFrameTableEntry> {
public:
    CFrameTableEntryCol(const CFrameTableEntryCol&) = default;
    CFrameTableEntryCol& operator=(const CFrameTableEntryCol&) = default;

protected:
    CFrameTableEntryCol(const char* itemElementName, long minOccurs, long maxOccurs);
    ~CFrameTableEntryCol() override = default;

private:
    friend struct Framework::ClassMaker;
};

}  // namespace VantrelLib
