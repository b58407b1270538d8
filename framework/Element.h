#pragma once
// CElement<C>: the runtime operations of element class C, each handed to the
// engine with C's declaration (C::Schema()). Every element class derives from it.

#include <new>
#include <string>
#include <string_view>

#include "VantrelLib/framework/Schema.h"

namespace VantrelLib {
namespace Framework {

template <class C>
class CElement : public virtual LtXmlLib3::CXmlObjectBase {
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

    // The declaration of C: its element name, namespace and rows (see Reflection.h).
    static const ElementSchema& Declaration() { return C::Schema(); }

    // Init of a child that is reused in place, named `elementName` (a literal) afterwards.
    static void ResetInPlace(C& object, const char* elementName) {
        C::Schema().ResetValues(static_cast<void*>(&object));
        LtXmlLib3::CXmlObjectBase::SetElementNameLiteral(&object, elementName);
    }

protected:
    CElement() = default;
    CElement(const CElement&) = default;
    CElement& operator=(const CElement&) = default;
    ~CElement() override = default;

    // Resets every property to its default, re-creates required children and
    // collections, drops optional children, and restores the element name.
    void Init() { C::Schema().Init(Self(), *this); }
    // Releases the collections.
    void Cleanup() { C::Schema().Cleanup(Self()); }

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
    void* Self() { return static_cast<C*>(this); }
    const void* Self() const { return static_cast<const C*>(this); }
};

}  // namespace Framework
}  // namespace VantrelLib
