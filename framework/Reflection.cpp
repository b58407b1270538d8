#include "VantrelLib/framework/Reflection.h"

#include <memory>
#include <typeindex>
#include <unordered_map>

#include "VantrelLib/framework/Collection.h"
#include "framework/Factory.h"
#include "VantrelLib/framework/Schema.h"

namespace VantrelLib {
namespace Reflection {

using Framework::ChildRow;
using LtXmlLib3::CLtException;
using LtXmlLib3::CXmlObjectBase;

namespace {

// The most derived object, which the rows take as `self`.
const void* Self(const CXmlObjectBase& object) noexcept { return dynamic_cast<const void*>(&object); }
void* Self(CXmlObjectBase& object) noexcept { return dynamic_cast<void*>(&object); }

Property::Type TypeOf(Framework::ValueType type) noexcept {
    switch (type) {
        case Framework::ValueType::Double: return Property::Type::Double;
        case Framework::ValueType::Int64: return Property::Type::Int64;
        case Framework::ValueType::UInt64: return Property::Type::UInt64;
        case Framework::ValueType::Bool: return Property::Type::Bool;
        case Framework::ValueType::String: return Property::Type::String;
        case Framework::ValueType::Enumeration: return Property::Type::Enumeration;
    }
    return Property::Type::String;
}

}  // namespace

// Every class of both factories, described once, on first use.
class Registry {
public:
    static const Registry& Get() {
        static const Registry registry;
        return registry;
    }

    std::vector<const ClassInfo*> classes;
    std::vector<const ClassInfo*> polymorphic;
    std::unordered_map<std::type_index, const ClassInfo*> byType;
    std::unordered_map<std::string_view, const ClassInfo*> byName;  // both forms
    std::vector<const ClassInfo*> gdtById;
    std::vector<const ClassInfo*> vantrelById;

private:
    Registry() {
        const Framework::FactoryTable* gdtTable = gdt::CClassFactory::Ref(gdt::CClassFactory::Id_CPoint).table;
        const Framework::FactoryTable* vantrelTable = CClassFactory::Ref(CClassFactory::Id_CVantrel).table;
        Describe(*gdtTable, true, gdtById);
        Describe(*vantrelTable, false, vantrelById);
        for (const auto& info : m_storage) {
            for (const auto& row : info->m_schema->attributes) info->m_properties.push_back(FromAttribute(*row));
            for (const auto& row : info->m_schema->children) info->m_properties.push_back(FromChild(*row, nullptr));
        }
    }

    void Describe(const Framework::FactoryTable& table, bool isGdt, std::vector<const ClassInfo*>& byId) {
        const auto& entries = table.Entries();
        byId.assign(entries.size(), nullptr);
        for (std::size_t id = 0; id < entries.size(); ++id) {
            const Framework::FactoryEntry& entry = entries[id];
            if (entry.element == nullptr) continue;
            ClassInfo& info = *m_storage.emplace_back(new ClassInfo());
            info.m_className = entry.className;
            info.m_qualifiedName = std::string(isGdt ? "gdt::" : "VantrelLib::") + entry.className;
            info.m_gdt = isGdt;
            info.m_id = static_cast<int>(id);
            info.m_schema = &entry.declaration();
            if (info.m_schema->writeTypeWhenRenamed) info.m_typeToken = info.m_schema->ElementName();
            byId[id] = &info;
            classes.push_back(&info);
            if (*info.m_typeToken != '\0') polymorphic.push_back(&info);
            byType.emplace(*entry.type, &info);
            byName.emplace(info.m_className, &info);
            byName.emplace(info.m_qualifiedName, &info);
        }
    }

    const ClassInfo* ByRef(Framework::ClassRef ref) const {
        const Framework::FactoryEntry& entry = ref.table->Entries()[static_cast<std::size_t>(ref.id)];
        const auto found = byType.find(*entry.type);
        return found != byType.end() ? found->second : nullptr;
    }

    static Property FromAttribute(const Framework::AttributeRow& row) {
        Property property;
        property.m_name = row.Name();
        property.m_kind = Property::Kind::Attribute;
        property.m_type = TypeOf(row.Type());
        property.m_required = row.IsRequired();
        property.m_collapse = row.WhitespaceRule() == Framework::Rule::Collapse;
        property.m_minOccurs = row.IsRequired() ? 1 : 0;
        if (const Framework::EnumTable* table = row.Enumeration()) {
            property.m_enumeration = table->QualifiedName();
            for (int value = 0; value < table->Count(); ++value) property.m_tokens.push_back(table->Token(value));
        }
        property.m_attribute = &row;
        return property;
    }

    Property FromChild(const ChildRow& row, const Framework::ChoiceRow* choice) const {
        Property property;
        property.m_name = row.Name();
        property.m_child = &row;
        property.m_choice = choice;
        property.m_minOccurs = row.MinOccurs();
        property.m_maxOccurs = row.MaxOccurs();
        switch (row.GetKind()) {
            case ChildRow::Kind::Required: property.m_kind = Property::Kind::RequiredChild; break;
            case ChildRow::Kind::Optional: property.m_kind = Property::Kind::OptionalChild; break;
            case ChildRow::Kind::Collection: property.m_kind = Property::Kind::Collection; break;
            case ChildRow::Kind::Choice: {
                property.m_kind = Property::Kind::Choice;
                property.m_minOccurs = property.m_maxOccurs = 1;
                const auto& choiceRow = static_cast<const Framework::ChoiceRow&>(row);
                property.m_choice = &choiceRow;
                for (const auto& branch : choiceRow.Branches())
                    property.m_branches.push_back(FromChild(*branch, &choiceRow));
                break;
            }
        }
        if (property.m_kind != Property::Kind::Choice) {
            property.m_itemClass = ByRef(row.GetClassRef());
            if (property.m_kind == Property::Kind::Collection && property.m_itemClass == nullptr)
                property.m_kind = Property::Kind::PolymorphicCollection;
        }
        property.m_required = property.m_kind == Property::Kind::RequiredChild ||
                              property.m_kind == Property::Kind::Choice || property.m_minOccurs > 0;
        return property;
    }

    std::vector<std::unique_ptr<ClassInfo>> m_storage;
};

// --- Property ---------------------------------------------------------------

void Property::WrongKind(const char* what) const {
    throw CLtException(std::string("The property [") + m_name + "] is not " + what);
}

template <class V>
V Property::Load(const CXmlObjectBase& object) const {
    if (m_attribute == nullptr) WrongKind("an attribute");
    V value{};
    if (!m_attribute->Load(Self(object), value)) WrongKind("of that type");
    return value;
}

template <class V>
void Property::Store(CXmlObjectBase& object, const V& value) const {
    if (m_attribute == nullptr) WrongKind("an attribute");
    if (!m_attribute->Store(Self(object), value)) WrongKind("of that type");
}

bool Property::IsValid(const CXmlObjectBase& object) const {
    if (m_attribute == nullptr) WrongKind("an attribute");
    return m_attribute->IsWritten(Self(object));
}

void Property::SetValid(CXmlObjectBase& object, bool valid) const {
    if (m_attribute == nullptr) WrongKind("an attribute");
    m_attribute->SetValid(Self(object), valid);
}

std::string Property::GetText(const CXmlObjectBase& object) const {
    if (m_attribute == nullptr) WrongKind("an attribute");
    std::string text;
    m_attribute->Format(Self(object), text);
    return text;
}

void Property::SetText(CXmlObjectBase& object, std::string_view text) const {
    if (m_attribute == nullptr) WrongKind("an attribute");
    m_attribute->Parse(Self(object), text);
}

double Property::GetDouble(const CXmlObjectBase& object) const { return Load<double>(object); }
std::int64_t Property::GetInt64(const CXmlObjectBase& object) const { return Load<std::int64_t>(object); }
std::uint64_t Property::GetUInt64(const CXmlObjectBase& object) const { return Load<std::uint64_t>(object); }
bool Property::GetBool(const CXmlObjectBase& object) const { return Load<bool>(object); }
std::string Property::GetString(const CXmlObjectBase& object) const { return Load<std::string>(object); }
int Property::GetEnumeration(const CXmlObjectBase& object) const { return Load<int>(object); }
void Property::SetDouble(CXmlObjectBase& object, double value) const { Store(object, value); }
void Property::SetInt64(CXmlObjectBase& object, std::int64_t value) const { Store(object, value); }
void Property::SetUInt64(CXmlObjectBase& object, std::uint64_t value) const { Store(object, value); }
void Property::SetBool(CXmlObjectBase& object, bool value) const { Store(object, value); }
void Property::SetString(CXmlObjectBase& object, const std::string& value) const { Store(object, value); }
void Property::SetEnumeration(CXmlObjectBase& object, int value) const { Store(object, value); }

CXmlObjectBase* Property::GetChild(const CXmlObjectBase& object) const {
    if (m_child == nullptr) WrongKind("an element");
    return m_child->Get(Self(object));
}

void Property::SetChild(CXmlObjectBase& object, CXmlObjectBase* child) const {
    if (m_child == nullptr || IsCollection() || m_kind == Kind::Choice) WrongKind("a child element");
    if (m_choice != nullptr) {  // a branch: chosen through the choice, which drops the other
        m_choice->Choose(Self(object), m_name, child);
        return;
    }
    if (m_kind == Kind::RequiredChild) CXmlObjectBase::Throw_IfPropertyIsNull(child, m_name);
    if (child != nullptr && m_itemClass != nullptr && ClassOf(*child) != m_itemClass)
        throw CLtException(std::string("The object is not of the class of [") + m_name + "]");
    if (child != nullptr) CXmlObjectBase::SetElementNameLiteral(child, m_name);
    m_child->Put(Self(object), child);
}

LtXmlLib3::CXmlCollectionBase* Property::CollectionOf(const CXmlObjectBase& object) const {
    if (!IsCollection()) WrongKind("a collection");
    return static_cast<LtXmlLib3::CXmlCollectionBase*>(m_child->Get(Self(object)));
}

std::vector<CXmlObjectBase*> Property::Children(const CXmlObjectBase& object) const {
    std::vector<CXmlObjectBase*> children;
    if (m_attribute != nullptr) return children;
    if (!IsCollection()) {
        if (CXmlObjectBase* child = GetChild(object)) children.push_back(child);
        return children;
    }
    const auto* collection = static_cast<const Framework::CCollection*>(CollectionOf(object));
    const int count = collection->GetCount();
    children.reserve(static_cast<std::size_t>(count));
    for (int index = 0; index < count; ++index) children.push_back(collection->ItemObject(index));
    return children;
}

int Property::Count(const CXmlObjectBase& object) const { return CollectionOf(object)->GetCount(); }

CXmlObjectBase* Property::Item(const CXmlObjectBase& object, int index) const {
    return static_cast<const Framework::CCollection*>(CollectionOf(object))->ItemObject(index);
}

void Property::Add(CXmlObjectBase& object, CXmlObjectBase* item) const {
    static_cast<Framework::CCollection*>(CollectionOf(object))->AddObject(item);
}

// --- ClassInfo and the registry ------------------------------------------------

const char* ClassInfo::ElementName() const noexcept { return m_schema->ElementName(); }
const char* ClassInfo::Namespace() const noexcept { return m_schema->Namespace(); }

const Property* ClassInfo::FindProperty(std::string_view name) const noexcept {
    for (const Property& property : m_properties) {
        if (name == property.Name()) return &property;
        for (const Property& branch : property.Branches())
            if (name == branch.Name()) return &branch;
    }
    return nullptr;
}

LtXmlLib3::CSmartPtr<CXmlObjectBase> ClassInfo::Create() const {
    return m_gdt ? gdt::CClassFactory::CreateClass(static_cast<gdt::CClassFactory::gdt_Classes>(m_id))
                 : CClassFactory::CreateClass(static_cast<CClassFactory::VantrelLib_Classes>(m_id));
}

const ClassInfo* ClassOf(const CXmlObjectBase& object) noexcept {
    const Registry& registry = Registry::Get();
    const auto found = registry.byType.find(typeid(object));
    return found != registry.byType.end() ? found->second : nullptr;
}

const std::vector<const ClassInfo*>& Classes() { return Registry::Get().classes; }

const std::vector<const Framework::EnumTable*>& Enumerations() {
    static const std::vector<const Framework::EnumTable*> all = [] {
        std::vector<const Framework::EnumTable*> tables = Framework::VantrelEnumTables();
        const auto& gdt = Framework::GdtEnumTables();
        tables.insert(tables.end(), gdt.begin(), gdt.end());
        return tables;
    }();
    return all;
}

const ClassInfo* FindClass(std::string_view name) noexcept {
    const Registry& registry = Registry::Get();
    const auto found = registry.byName.find(name);
    return found != registry.byName.end() ? found->second : nullptr;
}

namespace {
const ClassInfo* ById(const std::vector<const ClassInfo*>& byId, int id) noexcept {
    return id >= 0 && static_cast<std::size_t>(id) < byId.size() ? byId[static_cast<std::size_t>(id)] : nullptr;
}
}  // namespace

const ClassInfo* FindClass(gdt::CClassFactory::gdt_Classes id) noexcept { return ById(Registry::Get().gdtById, id); }
const ClassInfo* FindClass(CClassFactory::VantrelLib_Classes id) noexcept {
    return ById(Registry::Get().vantrelById, id);
}

const std::vector<const ClassInfo*>& PolymorphicTypes() { return Registry::Get().polymorphic; }

const ClassInfo* FindType(std::string_view typeToken) noexcept {
    for (const ClassInfo* info : Registry::Get().polymorphic)
        if (typeToken == info->TypeToken()) return info;
    return nullptr;
}

}  // namespace Reflection
}  // namespace VantrelLib
