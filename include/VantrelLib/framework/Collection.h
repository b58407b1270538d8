#pragma once
// Collections: a repeated child element held as a list of items, written and
// read as consecutive sibling elements under the item element name.

#include <cstddef>
#include <string>
#include <string_view>

#include "VantrelLib/Export.h"
#include "VantrelLib/framework/Schema.h"

namespace VantrelLib {
namespace Framework {

struct ClassMaker;  // makes collections for the class factories (Factory.h)

// Writing and reading of every collection, written once.
class VANTREL_EXPORT CCollection : public LtXmlLib3::CXmlCollectionBase {
public:
    // Checks the count, then writes each item under its own element name.
    void ToXml_Int(LtXmlLib3::CXmlTextWriter* writer, bool registerNamespaces, std::string_view namespaceUri) override;
    // Takes every consecutive element named like the collection, from `cursor` on;
    // returns the first element not taken.
    const LtXmlLib3::CXmlElement* FromXml_Int(const LtXmlLib3::CXmlElement* parent,
                                              const LtXmlLib3::CXmlElement* cursor) override;

    // Why an element of the collection's name was not taken ("" when nothing
    // more can be said): for people reading the fault its owner reports.
    virtual std::string WhyNotTaken(const LtXmlLib3::CXmlElement& element) const;
    // Adds `item` as Add(item) does; throws CLtException when it is null or
    // not of the collection's item class.
    virtual void AddObject(LtXmlLib3::CXmlObjectBase* item) = 0;
    // The item at `index` (from 0); throws CLtException outside the list.
    LtXmlLib3::CXmlObjectBase* ItemObject(int index) const { return GetNodeAtIndex(index); }

protected:
    using LtXmlLib3::CXmlCollectionBase::CXmlCollectionBase;
    // Gives `item` the collection's element name.
    void NameItem(LtXmlLib3::CXmlObjectBase* item) const;
    // The new, empty item for `element`, or null to stop reading at it.
    virtual LtXmlLib3::CSmartPtr<LtXmlLib3::CXmlObjectBase> NewItem(const LtXmlLib3::CXmlElement* element) = 0;
    // A new item of class `itemClass` under the collection's element name.
    LtXmlLib3::CSmartPtr<LtXmlLib3::CXmlObjectBase> NewItemOf(ClassRef itemClass) const;
    // Col::Clone(): a copy of `source` whose items are then replaced by their deep copies.
    template <class Col>
    static LtXmlLib3::CSmartPtr<Col> DeepCopy(const Col& source) {
        LtXmlLib3::CSmartPtr<Col> copy(
            LtXmlLib3::CXmlObjectBase::Emplace<Col>([&source](void* memory) { return ::new (memory) Col(source); }));
        static_cast<CCollection&>(*copy).CloneItems();
        return copy;
    }

private:
    void CloneItems();
};

// The client operations of a collection of T.
template <class T>
class CCollectionOf : public LtXmlLib3::CInstanceMonitor, public CCollection {
public:
    using iterator = LtXmlLib3::CLtIterator<T, CCollectionOf<T>>;
    using ItemType = T;

    // Adds `item` at the end under the collection's element name (renaming it).
    // Throws CLtException for a null item.
    LtXmlLib3::CSmartPtr<T> Add(T* item) {
        LtXmlLib3::CXmlObjectBase::Throw_IfPropertyIsNull(item, GetElementName().data());
        NameItem(item);
        Append(item);
        FireOnCollectionChange();
        return LtXmlLib3::CSmartPtr<T>(item);
    }
    void AddObject(LtXmlLib3::CXmlObjectBase* item) override {
        T* typed = AsClass<T>(item);
        if (item != nullptr && typed == nullptr)
            throw LtXmlLib3::CLtException("The object is not an item of the collection [" +
                                          std::string(GetElementName()) + "]");
        Add(typed);
    }
    // The item at `index` (from 0); throws CLtException outside the list.
    LtXmlLib3::CSmartPtr<T> Item(int index) const {
        return LtXmlLib3::CSmartPtr<T>(AsClass<T>(GetNodeAtIndex(index)));
    }
    // Removes `item`; throws CLtException, changing nothing, when it is not in the collection.
    void Remove(T* item) {
        const int index = GetNodeForItem(item);
        if (index < 0)
            throw LtXmlLib3::CLtException("The item to remove is not in the collection [" +
                                          std::string(GetElementName()) + "]");
        RemoveNode(index);
    }
    // Removes the item at `index`; throws CLtException outside the list.
    void Remove(int index) override { CCollection::Remove(index); }

    iterator begin() const { return iterator(this, 0); }
    iterator end() const { return iterator(); }
    // The number of items (GetCount), for std::size and generic code.
    std::size_t size() const noexcept { return static_cast<std::size_t>(this->GetCount()); }
    bool empty() const noexcept { return this->GetCount() == 0; }

protected:
    CCollectionOf(const char* className, const char* itemElementName, long minOccurs, long maxOccurs)
        : LtXmlLib3::CInstanceMonitor(className), CCollection(itemElementName, minOccurs, maxOccurs) {}
    CCollectionOf(const CCollectionOf&) = default;
    CCollectionOf& operator=(const CCollectionOf&) = default;
};

// A collection whose items are all of one class, created by the class factory.
template <class T>
class CTypedCollection : public CCollectionOf<T> {
public:
    using CCollectionOf<T>::Add;
    // Creates a new item through the class factory, appends it and returns it.
    LtXmlLib3::CSmartPtr<T> Add() {
        LtXmlLib3::CSmartPtr<LtXmlLib3::CXmlObjectBase> created = NewItem(nullptr);
        T* item = AsClass<T>(created.get());
        this->Append(item);
        this->FireOnCollectionChange();
        return LtXmlLib3::CSmartPtr<T>(item);
    }

protected:
    CTypedCollection(const char* className, const char* itemElementName, long minOccurs, long maxOccurs,
                     ClassRef itemClass)
        : CCollectionOf<T>(className, itemElementName, minOccurs, maxOccurs), m_itemClass(itemClass) {}
    CTypedCollection(const CTypedCollection&) = default;
    CTypedCollection& operator=(const CTypedCollection&) = default;

    LtXmlLib3::CSmartPtr<LtXmlLib3::CXmlObjectBase> NewItem(const LtXmlLib3::CXmlElement*) override {
        return this->NewItemOf(m_itemClass);
    }

private:
    ClassRef m_itemClass;
};

}  // namespace Framework
}  // namespace VantrelLib

// Declares Col, the collection class of items of class Item (made by the class
// factory of Item's namespace): Add, Item, Remove, begin, end and GetCount of
// CTypedCollection<Item>, public copy construction and assignment (the copy
// shares the items with its source), Clone() (a deep copy, sharing nothing with
// its source), and the constructor the factory calls.
#define VANTREL_COLLECTION(Col, Item)                                                                  \
    class VANTREL_EXPORT Col : public ::VantrelLib::Framework::CTypedCollection<Item> {                             \
    public:                                                                                            \
        Col(const Col&) = default;                                                                     \
        Col& operator=(const Col&) = default;                                                          \
        ::LtXmlLib3::CSmartPtr<Col> Clone() const { return DeepCopy(*this); }                          \
        ::LtXmlLib3::CSmartPtr<::LtXmlLib3::CXmlObjectBase> CloneObject() const override {             \
            return ::LtXmlLib3::CSmartPtr<::LtXmlLib3::CXmlObjectBase>(Clone());                      \
        }                                                                                              \
                                                                                                       \
    protected:                                                                                         \
        Col(const char* itemElementName, long minOccurs, long maxOccurs)                               \
            : ::VantrelLib::Framework::CTypedCollection<Item>(#Col, itemElementName, minOccurs, maxOccurs, \
                                                              CClassFactory::Ref(CClassFactory::Id_##Item)) {} \
        ~Col() override = default;                                                                     \
                                                                                                       \
    private:                                                                                           \
        friend struct ::VantrelLib::Framework::ClassMaker;                                             \
    }
