#pragma once

#include "VantrelLib/framework/Element.h"

namespace VantrelLib {

// One line of an assembled mass: a reference to another mass by "MassId", with
// a value and an optional fix flag. The concrete classes are CRestEntry,
// CContainerEntry and CTankEntry; find which one an entry is by dynamic_cast.
// An entry reached through IRestEntry*, CXmlObjectBase* or its own class is one
// reference-counted object.
class VANTREL_EXPORT IRestEntry : public virtual LtXmlLib3::CXmlObjectBase {
public:
    virtual double GetValue() const = 0;
    virtual void SetValue(double value) = 0;
    // Throws CLtInvalidStateException while Fix is not valid.
    virtual bool GetFix() const = 0;
    // Sets Fix and makes it valid.
    virtual void SetFix(bool value) = 0;
    virtual bool IsValidFix() const = 0;
    // A change of validity resets Fix to false; no change does nothing.
    virtual void SetValidFix(bool valid) = 0;
    virtual std::int64_t GetMassId() const = 0;
    virtual void SetMassId(std::int64_t value) = 0;
    // A deep copy, as the entry's own class.
    LtXmlLib3::CSmartPtr<IRestEntry> Clone() const {
        return LtXmlLib3::CSmartPtr<IRestEntry>(dynamic_cast<IRestEntry*>(CloneObject().get()));
    }
};

// A run of rest entries of any mix of classes ("BoxEntry", "ElementgroupEntry",
// "AssembledEntry" of an assembled mass). Each item is written with the XML
// Schema instance type attribute naming its class, and read back as the class
// that attribute names (a CRestEntry when it has none). Reading stops at an
// element whose type is unknown, leaving it to the owner, which then reports it
// as an unknown element. Items are made by the caller (their CreateInstance) and
// given with Add(item).
class VANTREL_EXPORT CIRestEntryCol : public Framework::CCollectionOf<IRestEntry> {
public:
    CIRestEntryCol(const CIRestEntryCol&) = default;
    CIRestEntryCol& operator=(const CIRestEntryCol&) = default;
    // A deep copy: each entry copied as its own class.
    LtXmlLib3::CSmartPtr<CIRestEntryCol> Clone() const { return DeepCopy(*this); }
    LtXmlLib3::CSmartPtr<LtXmlLib3::CXmlObjectBase> CloneObject() const override {
        return LtXmlLib3::CSmartPtr<LtXmlLib3::CXmlObjectBase>(Clone());
    }

protected:
    CIRestEntryCol(const char* itemElementName, long minOccurs, long maxOccurs);
    ~CIRestEntryCol() override = default;

    LtXmlLib3::CSmartPtr<LtXmlLib3::CXmlObjectBase> NewItem(const LtXmlLib3::CXmlElement* element) override;
    std::string WhyNotTaken(const LtXmlLib3::CXmlElement& element) const override;

private:
    friend struct Framework::ClassMaker;
};

}  // namespace VantrelLib
