#pragma once
// The declaration of an element class: its element name, namespace and
// properties in schema order. One engine (ElementSchema) resets, writes and
// reads every element class from such a declaration; classes hold only data
// and accessors.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <typeinfo>
#include <utility>
#include <vector>

#include "VantrelLib/runtime/LtXmlLib3.h"

namespace VantrelLib {
namespace Framework {

template <class C>
class CElement;

// `object` as a T, or nullptr when it is not one (dynamic_cast). An object
// of class T exactly, as the class factory makes, is found without walking
// the class hierarchy (every class derives virtually from CXmlObjectBase).
template <class T>
T* AsClass(LtXmlLib3::CXmlObjectBase* object) noexcept {
    if (object == nullptr) return nullptr;
    if (typeid(*object) == typeid(T)) return static_cast<T*>(dynamic_cast<void*>(object));
    return dynamic_cast<T*>(object);
}

// The gdt namespace URI.
inline constexpr const char* kGdtNamespace = "http://www.vantrel.org/XML/GlobalDataTypes";

// Whitespace rule a string property is read and set with.
enum class Rule { Preserve = LtXmlLib3::CWhitespaceUtils::Preserve_Rule, Collapse = LtXmlLib3::CWhitespaceUtils::Collapse_Rule };

// The tokens of one enumeration, in value order, and its two conversions.
class VANTREL_EXPORT EnumTable {
public:
    constexpr EnumTable(const char* qualifiedName, const char* const* tokens, int count) noexcept
        : m_qualifiedName(qualifiedName), m_tokens(tokens), m_count(count) {}
    // The token of `value`; throws CLtInvalidValueException "... [%d]" for any other number.
    const char* ToString(int value) const;
    // The value of the token equal to the collapsed `text`; throws
    // CLtInvalidValueException "... [%s]" naming `text` as given.
    int FromString(std::string_view text) const;
    int Count() const noexcept { return m_count; }
    // The C++ enumeration's name, e.g. "gdt::CEnumerations::RSymmetry".
    const char* QualifiedName() const noexcept { return m_qualifiedName; }
    // The token of value `value` (0..Count()-1), unchecked.
    const char* Token(int value) const noexcept { return m_tokens[value]; }

private:
    const char* m_qualifiedName;
    const char* const* m_tokens;
    int m_count;
};

// Each enumeration type's table; specialised next to each enumeration holder.
template <class E>
const EnumTable& EnumTableOf();

// The conversions every enumeration holder's R<E>ToString / R<E>FromString make.
template <class E>
const char* EnumToString(E value) {
    return EnumTableOf<E>().ToString(static_cast<int>(value));
}
template <class E>
E EnumFromString(const char* text) {
    return static_cast<E>(EnumTableOf<E>().FromString(text != nullptr ? text : ""));
}

// Messages shared by the accessors.
class VANTREL_EXPORT Messages {
public:
    // CLtInvalidStateException "The Property Get<X> is not valid. Set<X> must be called first".
    [[noreturn]] static void ThrowNotValid(const char* attributeName);
};

// Storage of an optional attribute: the valid flag, then the value.
template <class V>
class COptional {
public:
    bool IsValid() const noexcept { return m_valid; }
    // The value; throws the not-valid message naming `attributeName` while unset.
    const V& Get(const char* attributeName) const {
        if (!m_valid) Messages::ThrowNotValid(attributeName);
        return m_value;
    }
    void Set(V value) {
        m_value = std::move(value);
        m_valid = true;
    }
    // A change of validity resets the value to its default; no change does nothing.
    void SetValid(bool valid) {
        if (valid != m_valid) {
            m_value = V();
            m_valid = valid;
        }
    }
    void Reset() {
        m_valid = false;
        m_value = V();
    }

private:
    bool m_valid = false;
    V m_value = V();
};

class FactoryTable;

// How a class of a namespace is created: its factory's table and its class id.
struct ClassRef {
    const FactoryTable* table;
    int id;
};

// ---------------------------------------------------------------------------
// Rows. `self` is always the most derived object, passed as void*; the typed
// rows below cast it back to the class they were declared for.

// The value type of an attribute.
enum class ValueType { Double, Int64, UInt64, Bool, String, Enumeration };

class AttributeRow {
public:
    // Throws CLtValidationException when `name` is not an XML name.
    AttributeRow(const char* name, bool required, bool plainText)
        : m_name(name), m_xmlName(m_name), m_required(required), m_plainText(plainText) {}
    virtual ~AttributeRow();
    const char* Name() const noexcept { return m_name.data(); }
    std::string_view NameView() const noexcept { return m_name; }
    bool IsRequired() const noexcept { return m_required; }
    // True when Format gives only ASCII letters, digits, '.', '+' and '-' (numbers, booleans).
    bool IsPlainText() const noexcept { return m_plainText; }
    const LtXmlLib3::CXmlAttributeName& XmlName() const noexcept { return m_xmlName; }
    virtual void Reset(void* self) const = 0;
    // Whether the attribute is written (a required one always is).
    virtual bool IsWritten(const void* self) const = 0;
    virtual void Format(const void* self, std::string& out) const = 0;
    // For a plain-text row: writes the value's text to `buffer`
    // (CConversions::kMaxNumberChars bytes) and returns its length.
    virtual std::size_t FormatPlain(const void* self, char* buffer) const = 0;
    // Stores the value of `text`; an optional attribute is made valid first.
    virtual void Parse(void* self, std::string_view text) const = 0;

    virtual ValueType Type() const noexcept = 0;
    // The tokens of an enumeration, else null.
    virtual const EnumTable* Enumeration() const noexcept { return nullptr; }
    virtual Rule WhitespaceRule() const noexcept = 0;
    // An optional attribute's SetValid<X>; nothing for a required one.
    virtual void SetValid(void* self, bool valid) const = 0;
    // The value, when `out` has the row's type (an enumeration's as its int);
    // false for any other type. Reading an unset optional value throws the
    // not-valid message.
    virtual bool Load(const void* self, double& out) const = 0;
    virtual bool Load(const void* self, std::int64_t& out) const = 0;
    virtual bool Load(const void* self, std::uint64_t& out) const = 0;
    virtual bool Load(const void* self, bool& out) const = 0;
    virtual bool Load(const void* self, std::string& out) const = 0;
    virtual bool Load(const void* self, int& out) const = 0;
    // Sets the value as its Set<X> does (an optional one becomes valid), when
    // `value` has the row's type; false for any other.
    virtual bool Store(void* self, double value) const = 0;
    virtual bool Store(void* self, std::int64_t value) const = 0;
    virtual bool Store(void* self, std::uint64_t value) const = 0;
    virtual bool Store(void* self, bool value) const = 0;
    virtual bool Store(void* self, const std::string& value) const = 0;
    virtual bool Store(void* self, int value) const = 0;

private:
    std::string_view m_name;  // a literal: NUL-terminated
    LtXmlLib3::CXmlAttributeName m_xmlName;
    bool m_required;
    bool m_plainText;
};

class ChildRow {
public:
    enum class Kind { Required, Optional, Collection, Choice };
    ChildRow(const char* name, Kind kind, ClassRef classRef, long minOccurs = 0, long maxOccurs = -1) noexcept
        : m_name(name), m_kind(kind), m_class(classRef), m_minOccurs(minOccurs), m_maxOccurs(maxOccurs) {}
    virtual ~ChildRow();
    const char* Name() const noexcept { return m_name.data(); }
    std::string_view NameView() const noexcept { return m_name; }
    Kind GetKind() const noexcept { return m_kind; }

    // Init: a required child or a collection is created anew, an optional child dropped.
    virtual void Reset(void* self) const;
    // Releases a collection (Cleanup).
    virtual void Release(void* self) const;
    // Whether the row took an element in the read just made (rows reset first).
    bool HasRead(const void* self) const;
    virtual void Write(void* self, LtXmlLib3::CXmlTextWriter* writer) const;
    // Reads what the row takes from `cursor` on; returns the new cursor.
    virtual const LtXmlLib3::CXmlElement* Read(void* self, const LtXmlLib3::CXmlElement* element,
                                               const LtXmlLib3::CXmlElement* cursor) const;

    // The object held, or null.
    virtual LtXmlLib3::CXmlObjectBase* Get(const void* self) const = 0;
    // Stores `object` (of the row's class, or null), releasing the one held.
    virtual void Put(void* self, LtXmlLib3::CXmlObjectBase* object) const = 0;

    LtXmlLib3::CSmartPtr<LtXmlLib3::CXmlObjectBase> Create() const;

    long MinOccurs() const noexcept { return m_minOccurs; }
    long MaxOccurs() const noexcept { return m_maxOccurs; }
    // The class (or collection class) the row holds; table null for a choice.
    ClassRef GetClassRef() const noexcept { return m_class; }

private:
    std::string_view m_name;  // a literal: NUL-terminated
    Kind m_kind;
    ClassRef m_class;
    long m_minOccurs;
    long m_maxOccurs;
};

template <class V, class = void>
struct Codec;

template <>
struct Codec<double> {
    static constexpr ValueType kType = ValueType::Double;
    static constexpr bool kPlainText = true;
    static std::size_t FormatChars(double v, char* buffer) { return LtXmlLib3::CConversions::r8ToChars(v, buffer); }
    static void Format(double v, std::string& out, Rule) { LtXmlLib3::CConversions::r8ToString(v, out); }
    static double Parse(std::string_view t, Rule, std::string_view name) {
        return LtXmlLib3::CConversions::r8FromString(t, 2, name);
    }
};
template <>
struct Codec<std::int64_t> {
    static constexpr ValueType kType = ValueType::Int64;
    static constexpr bool kPlainText = true;
    static std::size_t FormatChars(std::int64_t v, char* buffer) { return LtXmlLib3::CConversions::i8ToChars(v, buffer); }
    static void Format(std::int64_t v, std::string& out, Rule) { LtXmlLib3::CConversions::i8ToString(v, out); }
    static std::int64_t Parse(std::string_view t, Rule, std::string_view name) {
        return LtXmlLib3::CConversions::i8FromString(t, 2, name);
    }
};
template <>
struct Codec<std::uint64_t> {
    static constexpr ValueType kType = ValueType::UInt64;
    static constexpr bool kPlainText = true;
    static std::size_t FormatChars(std::uint64_t v, char* buffer) { return LtXmlLib3::CConversions::ui8ToChars(v, buffer); }
    static void Format(std::uint64_t v, std::string& out, Rule) { LtXmlLib3::CConversions::ui8ToString(v, out); }
    static std::uint64_t Parse(std::string_view t, Rule, std::string_view name) {
        return LtXmlLib3::CConversions::ui8FromString(t, 2, name);
    }
};
template <>
struct Codec<bool> {
    static constexpr ValueType kType = ValueType::Bool;
    static constexpr bool kPlainText = true;
    static std::size_t FormatChars(bool v, char* buffer) {
        std::memcpy(buffer, v ? "true" : "false", v ? 4 : 5);
        return v ? 4 : 5;
    }
    static void Format(bool v, std::string& out, Rule) { out += v ? "true" : "false"; }
    static bool Parse(std::string_view t, Rule, std::string_view name) {
        return LtXmlLib3::CConversions::booleanFromString(t, 2, name);
    }
};
template <>
struct Codec<std::string> {
    static constexpr ValueType kType = ValueType::String;
    static constexpr bool kPlainText = false;
    static void Format(const std::string& v, std::string& out, Rule) { out += v; }
    static std::string Parse(std::string_view t, Rule rule, std::string_view) {
        return LtXmlLib3::CConversions::stringFromString(t, static_cast<int>(rule));
    }
};
template <class E>
struct Codec<E, std::enable_if_t<std::is_enum_v<E>>> {
    static constexpr ValueType kType = ValueType::Enumeration;
    static constexpr bool kPlainText = false;  // tokens are escaped like any text
    static void Format(E v, std::string& out, Rule) { out += EnumTableOf<E>().ToString(static_cast<int>(v)); }
    static E Parse(std::string_view t, Rule, std::string_view) { return static_cast<E>(EnumTableOf<E>().FromString(t)); }
};

// What the rows of value type V share: the typed access, written once.
template <class V>
class TypedAttributeRow : public AttributeRow {
public:
    TypedAttributeRow(const char* name, bool required, Rule rule)
        : AttributeRow(name, required, Codec<V>::kPlainText), m_rule(rule) {}
    ValueType Type() const noexcept override { return Codec<V>::kType; }
    const EnumTable* Enumeration() const noexcept override {
        if constexpr (std::is_enum_v<V>) return &EnumTableOf<V>();
        return nullptr;
    }
    Rule WhitespaceRule() const noexcept override { return m_rule; }
    bool Load(const void* self, double& out) const override { return LoadAs(self, out); }
    bool Load(const void* self, std::int64_t& out) const override { return LoadAs(self, out); }
    bool Load(const void* self, std::uint64_t& out) const override { return LoadAs(self, out); }
    bool Load(const void* self, bool& out) const override { return LoadAs(self, out); }
    bool Load(const void* self, std::string& out) const override { return LoadAs(self, out); }
    bool Load(const void* self, int& out) const override { return LoadAs(self, out); }
    bool Store(void* self, double value) const override { return StoreAs(self, value); }
    bool Store(void* self, std::int64_t value) const override { return StoreAs(self, value); }
    bool Store(void* self, std::uint64_t value) const override { return StoreAs(self, value); }
    bool Store(void* self, bool value) const override { return StoreAs(self, value); }
    bool Store(void* self, const std::string& value) const override { return StoreAs(self, value); }
    bool Store(void* self, int value) const override { return StoreAs(self, value); }

protected:
    // The value held (throws the not-valid message for an unset optional one).
    virtual const V& Value(const void* self) const = 0;
    // Sets the value as the class's setter does.
    virtual void Assign(void* self, V value) const = 0;
    Rule m_rule;

private:
    template <class T>
    bool LoadAs(const void* self, T& out) const {
        if constexpr (std::is_same_v<T, V>) {
            out = Value(self);
            return true;
        } else if constexpr (std::is_enum_v<V> && std::is_same_v<T, int>) {
            out = static_cast<int>(Value(self));
            return true;
        }
        return false;
    }
    template <class T>
    bool StoreAs(void* self, const T& value) const {
        if constexpr (std::is_same_v<T, V>) {
            // Strings take the whitespace rule their setter applies.
            if constexpr (std::is_same_v<V, std::string>)
                Assign(self, m_rule == Rule::Collapse ? LtXmlLib3::CWhitespaceUtils::Collapse(value) : value);
            else
                Assign(self, value);
            return true;
        } else if constexpr (std::is_enum_v<V> && std::is_same_v<T, int>) {
            EnumTableOf<V>().ToString(value);  // throws for a number that is no value
            Assign(self, static_cast<V>(value));
            return true;
        }
        return false;
    }
};

template <class C, class V>
class RequiredAttributeRow final : public TypedAttributeRow<V> {
    using TypedAttributeRow<V>::m_rule;

public:
    RequiredAttributeRow(const char* name, V C::*member, Rule rule)
        : TypedAttributeRow<V>(name, true, rule), m_member(member) {}
    void Reset(void* self) const override { static_cast<C*>(self)->*m_member = V(); }
    bool IsWritten(const void*) const override { return true; }
    void Format(const void* self, std::string& out) const override {
        Codec<V>::Format(static_cast<const C*>(self)->*m_member, out, m_rule);
    }
    std::size_t FormatPlain(const void* self, char* buffer) const override {
        if constexpr (Codec<V>::kPlainText) return Codec<V>::FormatChars(static_cast<const C*>(self)->*m_member, buffer);
        return 0;  // not a plain-text row: never asked
    }
    void Parse(void* self, std::string_view text) const override {
        static_cast<C*>(self)->*m_member = Codec<V>::Parse(text, m_rule, this->NameView());
    }
    void SetValid(void*, bool) const override {}

protected:
    const V& Value(const void* self) const override { return static_cast<const C*>(self)->*m_member; }
    void Assign(void* self, V value) const override { static_cast<C*>(self)->*m_member = std::move(value); }

private:
    V C::*m_member;
};

template <class C, class V>
class OptionalAttributeRow final : public TypedAttributeRow<V> {
    using TypedAttributeRow<V>::m_rule;

public:
    OptionalAttributeRow(const char* name, COptional<V> C::*member, Rule rule)
        : TypedAttributeRow<V>(name, false, rule), m_member(member) {}
    void Reset(void* self) const override { (static_cast<C*>(self)->*m_member).Reset(); }
    bool IsWritten(const void* self) const override { return (static_cast<const C*>(self)->*m_member).IsValid(); }
    void Format(const void* self, std::string& out) const override {
        Codec<V>::Format((static_cast<const C*>(self)->*m_member).Get(this->Name()), out, m_rule);
    }
    std::size_t FormatPlain(const void* self, char* buffer) const override {
        if constexpr (Codec<V>::kPlainText)
            return Codec<V>::FormatChars((static_cast<const C*>(self)->*m_member).Get(this->Name()), buffer);
        return 0;  // not a plain-text row: never asked
    }
    void Parse(void* self, std::string_view text) const override {
        COptional<V>& slot = static_cast<C*>(self)->*m_member;
        slot.SetValid(true);  // valid before the conversion: a failed one leaves the default
        slot.Set(Codec<V>::Parse(text, m_rule, this->NameView()));
    }
    void SetValid(void* self, bool valid) const override { (static_cast<C*>(self)->*m_member).SetValid(valid); }

protected:
    const V& Value(const void* self) const override {
        return (static_cast<const C*>(self)->*m_member).Get(this->Name());
    }
    void Assign(void* self, V value) const override { (static_cast<C*>(self)->*m_member).Set(std::move(value)); }

private:
    COptional<V> C::*m_member;
};

template <class C, class T>
class MemberChildRow final : public ChildRow {
public:
    MemberChildRow(const char* name, Kind kind, LtXmlLib3::CSmartPtr<T> C::*member, ClassRef classRef, long minOccurs,
                   long maxOccurs) noexcept
        : ChildRow(name, kind, classRef, minOccurs, maxOccurs), m_member(member) {}
    LtXmlLib3::CXmlObjectBase* Get(const void* self) const override {
        T* held = static_cast<const C*>(self)->*m_member;
        return held;
    }
    // A required child or collection that nobody else holds is reset where it
    // is rather than replaced: no one can tell the difference, and reading a
    // tree then allocates each object once.
    void Reset(void* self) const override {
        LtXmlLib3::CSmartPtr<T>& slot = static_cast<C*>(self)->*m_member;
        if (GetKind() != Kind::Optional && slot && slot->GetRefCount() == 1) {
            if constexpr (std::is_base_of_v<LtXmlLib3::CXmlCollectionBase, T>) {
                slot->Clear();
            } else {
                CElement<T>::ResetInPlace(*slot, Name());
            }
            return;
        }
        ChildRow::Reset(self);
    }
    void Put(void* self, LtXmlLib3::CXmlObjectBase* object) const override {
        T* typed = nullptr;
        if (object != nullptr) {
            typed = AsClass<T>(object);
            if (typed == nullptr)
                throw LtXmlLib3::CLtException(std::string("The class factory created an object of the wrong class for [") +
                                              Name() + "]");
        }
        static_cast<C*>(self)->*m_member = typed;
    }

private:
    LtXmlLib3::CSmartPtr<T> C::*m_member;
};

// A choice of exactly one of several child elements: each branch is an
// optional child; `selected` names the branch whose object is set, or is "".
class VANTREL_EXPORT ChoiceRow : public ChildRow {
public:
    ChoiceRow(std::vector<std::unique_ptr<ChildRow>> branches) noexcept;
    void Reset(void* self) const override;
    void Write(void* self, LtXmlLib3::CXmlTextWriter* writer) const override;
    const LtXmlLib3::CXmlElement* Read(void* self, const LtXmlLib3::CXmlElement* element,
                                       const LtXmlLib3::CXmlElement* cursor) const override;
    LtXmlLib3::CXmlObjectBase* Get(const void* self) const override;
    void Put(void*, LtXmlLib3::CXmlObjectBase*) const override;

    // Drops every branch and sets the selected name (ClearChoice).
    void Clear(void* self, const char* selected) const;
    // Chooses the branch named `branch` with `object`; a null object leaves none chosen.
    void Choose(void* self, const char* branch, LtXmlLib3::CXmlObjectBase* object) const;
    // The branch named `name`, or null.
    const ChildRow* FindBranch(std::string_view name) const noexcept;
    // The branches' names, joined by `separator`.
    std::string BranchNames(const char* separator) const;
    const std::vector<std::unique_ptr<ChildRow>>& Branches() const noexcept { return m_branches; }

protected:
    virtual std::string& Selected(void* self) const = 0;
    virtual const std::string& Selected(const void* self) const = 0;

private:
    std::vector<std::unique_ptr<ChildRow>> m_branches;
};

template <class C>
class MemberChoiceRow final : public ChoiceRow {
public:
    MemberChoiceRow(std::vector<std::unique_ptr<ChildRow>> branches, std::string C::*selected) noexcept
        : ChoiceRow(std::move(branches)), m_selected(selected) {}

protected:
    std::string& Selected(void* self) const override { return static_cast<C*>(self)->*m_selected; }
    const std::string& Selected(const void* self) const override { return static_cast<const C*>(self)->*m_selected; }

private:
    std::string C::*m_selected;
};

// ---------------------------------------------------------------------------
// The engine: Init, writing and reading, written once for every element class.

class VANTREL_EXPORT ElementSchema {
public:
    ElementSchema(const char* elementName, const char* namespaceUri) noexcept
        : m_elementName(elementName), m_namespace(namespaceUri) {}
    ElementSchema(ElementSchema&&) noexcept = default;

    const char* ElementName() const noexcept { return m_elementName; }
    const char* Namespace() const noexcept { return m_namespace; }
    const ChoiceRow& Choice() const;

    void Init(void* self, LtXmlLib3::CXmlObjectBase& base) const;
    // Init without the element name.
    void ResetValues(void* self) const;
    void Cleanup(void* self) const;
    // Replaces every child and collection held by its deep copy (Clone(), after a copy).
    void CloneChildren(void* self) const;
    void WriteAttributes(const void* self, LtXmlLib3::CXmlTextWriter* writer) const;
    void ToXml(void* self, LtXmlLib3::CXmlObjectBase& base, LtXmlLib3::CXmlTextWriter* writer,
               bool registerNamespaces, std::string_view namespaceUri) const;
    const LtXmlLib3::CXmlElement* FromXml(void* self, LtXmlLib3::CXmlObjectBase& base,
                                          const LtXmlLib3::CXmlElement* element,
                                          const LtXmlLib3::CXmlElement* firstChild) const;

    std::vector<std::unique_ptr<AttributeRow>> attributes;
    std::vector<std::unique_ptr<ChildRow>> children;
    // Elements whose name may differ from their type (rest entries) write the
    // XML Schema instance type attribute naming the type when it does.
    bool writeTypeWhenRenamed = false;

private:
    // "Id 1004" for an element with an Id attribute set, else "".
    std::string IdOf(const void* self) const;
    // Hints for the faults of the child block, from the rows: the row named
    // `name` (children.size() for none); a row's name as a reader knows it;
    // a name that differs from a row's in case only; an element met after
    // its row's place (`last`: the row that took the element before it).
    std::size_t RowOf(std::string_view name) const noexcept;
    std::string RowLabel(const void* self, std::size_t index) const;
    std::string CaseHint(std::string_view name) const;
    std::string OrderHint(const void* self, std::string_view name, std::size_t row, std::size_t last) const;
    // Row `index` found `cursor` where its element should be, or too few of them.
    std::string MissingHint(const void* self, std::size_t index, const LtXmlLib3::CXmlElement* cursor,
                            std::size_t last) const;
    // `cursor` is left when every row has read.
    std::string LeftOverHint(const void* self, const LtXmlLib3::CXmlElement& cursor, std::size_t last) const;
    void ReadAttributes(void* self, const LtXmlLib3::CXmlElement* element) const;
    const LtXmlLib3::CXmlElement* ReadChildren(void* self, const LtXmlLib3::CXmlElement* element,
                                               const LtXmlLib3::CXmlElement* firstChild) const;

    const char* m_elementName;
    const char* m_namespace;
};

// Builds the declaration of class C, row by row in schema order.
template <class C>
class SchemaFor {
public:
    SchemaFor(const char* elementName, const char* namespaceUri = "") : m_schema(elementName, namespaceUri) {}

    // A required attribute.
    template <class V>
    SchemaFor&& Attribute(const char* name, V C::*member, Rule rule = Rule::Preserve) && {
        m_schema.attributes.push_back(std::make_unique<RequiredAttributeRow<C, V>>(name, member, rule));
        return std::move(*this);
    }
    // An optional attribute.
    template <class V>
    SchemaFor&& Attribute(const char* name, COptional<V> C::*member, Rule rule = Rule::Preserve) && {
        m_schema.attributes.push_back(std::make_unique<OptionalAttributeRow<C, V>>(name, member, rule));
        return std::move(*this);
    }
    template <class T>
    SchemaFor&& RequiredChild(const char* name, LtXmlLib3::CSmartPtr<T> C::*member, ClassRef classRef) && {
        return std::move(*this).Add(name, ChildRow::Kind::Required, member, classRef, 1, 1);
    }
    template <class T>
    SchemaFor&& OptionalChild(const char* name, LtXmlLib3::CSmartPtr<T> C::*member, ClassRef classRef) && {
        return std::move(*this).Add(name, ChildRow::Kind::Optional, member, classRef, 0, 1);
    }
    // A collection of items named `itemName`, created with these limits (-1: none).
    template <class T>
    SchemaFor&& Collection(const char* itemName, LtXmlLib3::CSmartPtr<T> C::*member, ClassRef classRef,
                           long minOccurs, long maxOccurs) && {
        return std::move(*this).Add(itemName, ChildRow::Kind::Collection, member, classRef, minOccurs, maxOccurs);
    }
    // A choice of branches; give each as Branch(...).
    template <class... Branches>
    SchemaFor&& Choice(std::string C::*selected, Branches&&... branches) && {
        std::vector<std::unique_ptr<ChildRow>> rows;
        (rows.push_back(std::forward<Branches>(branches)), ...);
        m_schema.children.push_back(std::make_unique<MemberChoiceRow<C>>(std::move(rows), selected));
        return std::move(*this);
    }
    template <class T>
    static std::unique_ptr<ChildRow> Branch(const char* name, LtXmlLib3::CSmartPtr<T> C::*member, ClassRef classRef) {
        return std::make_unique<MemberChildRow<C, T>>(name, ChildRow::Kind::Optional, member, classRef, 0, 1);
    }
    SchemaFor&& WriteTypeWhenRenamed() && {
        m_schema.writeTypeWhenRenamed = true;
        return std::move(*this);
    }

    operator ElementSchema() && { return std::move(m_schema); }

private:
    template <class T>
    SchemaFor&& Add(const char* name, ChildRow::Kind kind, LtXmlLib3::CSmartPtr<T> C::*member, ClassRef classRef,
                    long minOccurs, long maxOccurs) && {
        m_schema.children.push_back(
            std::make_unique<MemberChildRow<C, T>>(name, kind, member, classRef, minOccurs, maxOccurs));
        return std::move(*this);
    }
    ElementSchema m_schema;
};

}  // namespace Framework
}  // namespace VantrelLib
