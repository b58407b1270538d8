#pragma once
// CElement<C>: the runtime operations of element class C, each handed to the
// engine with C's declaration (C::Schema()). Every element class derives from
// it and declares what all of them have alike with VANTREL_ELEMENT(C). This is
// the one framework header a class header includes: it brings the collections,
// the class factories and the enumerations too.

#include <cstdint>
#include <new>
#include <string>
#include <string_view>

#include "VantrelLib/framework/Collection.h"
#include "VantrelLib/framework/GdtClassFactory.h"
#include "VantrelLib/framework/GdtEnumerations.h"
#include "VantrelLib/framework/Schema.h"
#include "VantrelLib/framework/VantrelClassFactory.h"
#include "VantrelLib/framework/VantrelEnumerations.h"

namespace VantrelLib {
namespace Framework {

template <class C>
class CElement : public LtXmlLib3::CInstanceMonitor, public virtual LtXmlLib3::CXmlObjectBase {
public:
    // A new object after Init, named after its element type.
    static LtXmlLib3::CSmartPtr<C> CreateInstance() {
        return LtXmlLib3::CSmartPtr<C>(
            LtXmlLib3::CXmlObjectBase::Emplace<C>([](void* memory) { return ::new (memory) C(); }));
    }

    LtXmlLib3::CXmlObjectBase* GetBase() override { return this; }
    std::string GetTargetNamespace() const override { return C::Schema().Namespace(); }
    void OnEvent(LtXmlLib3::CXmlObjectBase*, int, void*) override {}
    void AttributesToXml_Int(LtXmlLib3::CXmlTextWriter* writer) override {
        C::Schema().WriteAttributes(Self(), writer);
    }
    void ToXml_Int(LtXmlLib3::CXmlTextWriter* writer, bool registerNamespaces,
                   std::string_view namespaceUri) override {
        C::Schema().ToXml(Self(), *this, writer, registerNamespaces, namespaceUri);
    }
    const LtXmlLib3::CXmlElement* FromXml_Int(const LtXmlLib3::CXmlElement* element,
                                              const LtXmlLib3::CXmlElement* firstChild) override {
        return C::Schema().FromXml(Self(), *this, element, firstChild);
    }

    LtXmlLib3::CSmartPtr<LtXmlLib3::CXmlObjectBase> CloneObject() const override {
        return LtXmlLib3::CSmartPtr<LtXmlLib3::CXmlObjectBase>(DeepCopy(static_cast<const C&>(*this)));
    }

    // The declaration of C: its element name, namespace and rows (see Reflection.h).
    static const ElementSchema& Declaration() { return C::Schema(); }

protected:
    explicit CElement(const char* className) noexcept : CInstanceMonitor(className) {}
    CElement(const CElement&) = default;
    CElement& operator=(const CElement&) = default;
    ~CElement() override = default;

    // Resets every property to its default, re-creates required children and
    // collections, drops optional children, and restores the element name.
    void Init() { C::Schema().Init(Self(), *this); }
    // Releases the collections.
    void Cleanup() { C::Schema().Cleanup(Self()); }
    // C::Clone(): a copy of `source` (values and element name), whose children
    // are then replaced by their own deep copies, row by row.
    static LtXmlLib3::CSmartPtr<C> DeepCopy(const C& source) {
        LtXmlLib3::CSmartPtr<C> copy(
            LtXmlLib3::CXmlObjectBase::Emplace<C>([&source](void* memory) { return ::new (memory) C(source); }));
        C::Schema().CloneChildren(static_cast<void*>(copy.get()));
        return copy;
    }

    // Setters of required and optional child elements: the object takes the
    // property's element name (a literal of the declaration) and replaces the one held.
    template <class T>
    static void SetRequiredChild(LtXmlLib3::CSmartPtr<T>& slot, T* child, const char* elementName) {
        LtXmlLib3::CXmlObjectBase::Throw_IfPropertyIsNull(child, elementName);
        LtXmlLib3::CXmlObjectBase::SetElementNameLiteral(child, elementName);
        slot = child;
    }
    template <class T>
    static void SetOptionalChild(LtXmlLib3::CSmartPtr<T>& slot, T* child, const char* elementName) {
        if (child != nullptr) LtXmlLib3::CXmlObjectBase::SetElementNameLiteral(child, elementName);
        slot = child;
    }
    // String setters apply the property's whitespace rule.
    static std::string Collapsed(const std::string& text) { return LtXmlLib3::CWhitespaceUtils::Collapse(text); }

private:
    template <class, class>
    friend class MemberChildRow;

    // Init of a child that is reused in place, named `elementName` (a literal) afterwards.
    static void ResetInPlace(C& object, const char* elementName) {
        C::Schema().ResetValues(static_cast<void*>(&object));
        LtXmlLib3::CXmlObjectBase::SetElementNameLiteral(&object, elementName);
    }

    void* Self() { return static_cast<C*>(this); }
    const void* Self() const { return static_cast<const C*>(this); }
};

}  // namespace Framework
}  // namespace VantrelLib

// The members every element class C declares alike: public copy construction
// and assignment (the copy shares the children with its source), Clone() (a
// deep copy, sharing nothing with its source), the protected
// constructors CreateInstance and the class factories use (a new object is in
// its Init state, named after its element type or `elementName`), and the
// declaration the engine works from (C::Schema(), defined in C's source file).
// Put it after the accessors: the data members that follow it are private.
#define VANTREL_ELEMENT(C)                                                             \
public:                                                                                \
    C(const C&) = default;                                                             \
    C& operator=(const C&) = default;                                                  \
    ::LtXmlLib3::CSmartPtr<C> Clone() const { return DeepCopy(*this); }                \
                                                                                       \
protected:                                                                             \
    C() : ::VantrelLib::Framework::CElement<C>(#C) { Init(); }                         \
    explicit C(std::string elementName) : C() { SetElementName(this, elementName); }   \
    ~C() override = default;                                                           \
                                                                                       \
private:                                                                               \
    friend class ::VantrelLib::Framework::CElement<C>;                                 \
    static const ::VantrelLib::Framework::ElementSchema& Schema()
