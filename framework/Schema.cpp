#include "VantrelLib/framework/Schema.h"

#include "VantrelLib/framework/Collection.h"
#include "framework/Factory.h"
#include "runtime/ShortCopy.h"
#include "runtime/XmlDocument.h"

#include <cctype>

namespace VantrelLib {
namespace Framework {

using LtXmlLib3::CLtException;
using LtXmlLib3::CLtValidationException;
using LtXmlLib3::CSmartPtr;
using LtXmlLib3::CXmlCollectionBase;
using LtXmlLib3::CXmlElement;
using LtXmlLib3::CXmlObjectBase;
using LtXmlLib3::CXmlTextWriter;
using LtXmlLib3::FormatString;
using LtXmlLib3::detail::SameText;

namespace {

void SetLocation(CLtException& error, const CXmlElement* element) {
    const auto [line, column] = element->GetPosition();
    error.SetLocation(line, column);
}

// A validation fault found at `element`, carrying its line.
[[noreturn]] void Fail(const std::string& message, const CXmlElement* element) {
    CLtValidationException error(message);
    if (element != nullptr) SetLocation(error, element);
    throw error;
}

// The wrapper an element puts around a fault of its attribute or child block.
[[noreturn]] void Wrap(const char* format, std::string_view name, const CLtException& inner,
                       const CXmlElement* element) {
    CLtValidationException error(FormatString(format, std::string(name).c_str()), inner);
    if (element != nullptr) SetLocation(error, element);
    throw error;
}

}  // namespace

// --- Enumerations -----------------------------------------------------------

const char* EnumTable::ToString(int value) const {
    if (value < 0 || value >= m_count)
        throw LtXmlLib3::CLtInvalidValueException(
            FormatString("Unknown enumeration value for %s [%d]", m_qualifiedName, value));
    return m_tokens[value];
}

int EnumTable::FromString(std::string_view text) const {
    const std::string collapsed = LtXmlLib3::CWhitespaceUtils::Collapse(text);
    for (int value = 0; value < m_count; ++value)
        if (collapsed == m_tokens[value]) return value;
    LtXmlLib3::CLtInvalidValueException error(
        FormatString("Unknown enumeration value for %s [%s]", m_qualifiedName, std::string(text).c_str()));
    std::string accepted = "the accepted tokens are";
    for (int value = 0; value < m_count; ++value) accepted += std::string(value == 0 ? " " : ", ") + m_tokens[value];
    error.SetHint(std::move(accepted));
    throw error;
}

void Messages::ThrowNotValid(const char* attributeName) {
    std::string accessor(attributeName);
    if (!accessor.empty()) accessor[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(accessor[0])));
    throw LtXmlLib3::CLtInvalidStateException("The Property Get" + accessor + " is not valid. Set" + accessor +
                                              " must be called first");
}

// --- Rows ---------------------------------------------------------------------

AttributeRow::~AttributeRow() = default;
ChildRow::~ChildRow() = default;

CSmartPtr<CXmlObjectBase> ChildRow::Create() const {
    if (m_kind == Kind::Collection)
        return m_class.table->CreateCollectionNamedByLiteral(m_class.id, Name(), m_minOccurs, m_maxOccurs);
    return m_class.table->CreateNamedByLiteral(m_class.id, Name());
}

void ChildRow::Reset(void* self) const {
    if (m_kind == Kind::Optional) {
        Put(self, nullptr);
    } else {
        Put(self, Create());
    }
}

bool ChildRow::HasRead(const void* self) const {
    switch (m_kind) {
        case Kind::Required:
        case Kind::Choice: return true;
        case Kind::Optional: return Get(self) != nullptr;
        case Kind::Collection: return static_cast<const CXmlCollectionBase*>(Get(self))->GetCount() > 0;
    }
    return false;
}

void ChildRow::Release(void* self) const {
    if (m_kind == Kind::Collection) Put(self, nullptr);
}

void ChildRow::Write(void* self, CXmlTextWriter* writer) const {
    CXmlObjectBase* child = Get(self);
    if (child == nullptr) return;
    // A child is written under this row's name whatever name it carries: an
    // object held in two places is written right in each (a collection names
    // its own items).
    if (m_kind != Kind::Collection) writer->SetPlaceName(m_name, true);
    CXmlObjectBase::ToXml_Int(child, writer, false, "");
}

const CXmlElement* ChildRow::Read(void* self, const CXmlElement* element, const CXmlElement* cursor) const {
    switch (m_kind) {
        case Kind::Required:
            if (cursor == nullptr || !SameText(cursor->GetLocalName(), m_name))
                Fail(std::string("Failed to find a required element [") + Name() + "]", cursor ? cursor : element);
            // Reset with its parent at the start of this read.
            Get(self)->MarkJustInitialised();
            CXmlObjectBase::FromXml_Int(Get(self), cursor, cursor->GetFirstElement());
            return cursor->GetNextSiblingElement();
        case Kind::Optional: {
            if (cursor == nullptr || !SameText(cursor->GetLocalName(), m_name)) return cursor;
            CSmartPtr<CXmlObjectBase> child = Create();
            child->MarkJustInitialised();
            Put(self, child);
            CXmlObjectBase::FromXml_Int(child, cursor, cursor->GetFirstElement());
            return cursor->GetNextSiblingElement();
        }
        case Kind::Collection: {
            auto* collection = static_cast<CXmlCollectionBase*>(Get(self));
            const CXmlElement* next = CXmlObjectBase::FromXml_Int(collection, element, cursor);
            try {
                collection->ValidateCount();
            } catch (CLtException& error) {
                if (error.GetLine() == 0) SetLocation(error, element);
                throw;
            }
            return next;
        }
        case Kind::Choice: break;
    }
    return cursor;
}

ChoiceRow::ChoiceRow(std::vector<std::unique_ptr<ChildRow>> branches) noexcept
    : ChildRow("", Kind::Choice, ClassRef{nullptr, 0}), m_branches(std::move(branches)) {}

const ChildRow* ChoiceRow::FindBranch(std::string_view name) const noexcept {
    for (const auto& branch : m_branches)
        if (SameText(name, branch->NameView())) return branch.get();
    return nullptr;
}

std::string ChoiceRow::BranchNames(const char* separator) const {
    std::string names;
    for (const auto& branch : m_branches) names += (names.empty() ? "" : separator) + std::string(branch->NameView());
    return names;
}

void ChoiceRow::Clear(void* self, const char* selected) const {
    for (const auto& branch : m_branches) branch->Put(self, nullptr);
    Selected(self) = selected != nullptr ? selected : "";
}

void ChoiceRow::Choose(void* self, const char* branch, CXmlObjectBase* object) const {
    const ChildRow* row = FindBranch(branch != nullptr ? branch : "");
    if (row == nullptr) throw CLtException(std::string("The choice has no branch [") + (branch ? branch : "") + "]");
    // Held across the clearing: `object` may be the branch already chosen, whose
    // only reference the clearing would drop.
    const CSmartPtr<CXmlObjectBase> keep(object);
    Clear(self, object != nullptr ? branch : "");
    if (object == nullptr) return;
    CXmlObjectBase::SetElementNameLiteral(object, branch);
    row->Put(self, object);
}

void ChoiceRow::Reset(void* self) const { Clear(self, ""); }

CXmlObjectBase* ChoiceRow::Get(const void* self) const {
    const ChildRow* branch = FindBranch(Selected(self));
    return branch != nullptr ? branch->Get(self) : nullptr;
}

void ChoiceRow::Put(void*, CXmlObjectBase*) const {
    throw CLtException("A choice is set through its branches");
}

void ChoiceRow::Write(void* self, CXmlTextWriter* writer) const {
    const ChildRow* branch = FindBranch(Selected(self));
    CXmlObjectBase* chosen = branch != nullptr ? branch->Get(self) : nullptr;
    if (chosen == nullptr)
        throw CLtValidationException(
            "This element is a choice, and as such must have at one (and only one) valid item, currently there are "
            "none set");
    writer->SetPlaceName(branch->NameView(), true);
    CXmlObjectBase::ToXml_Int(chosen, writer, false, "");
}

const CXmlElement* ChoiceRow::Read(void* self, const CXmlElement* element, const CXmlElement* cursor) const {
    const ChildRow* branch = cursor != nullptr ? FindBranch(cursor->GetLocalName()) : nullptr;
    if (branch == nullptr)
        Fail("No elements were populated. The element represents a choice, so one any only one element should be "
             "populated",
             cursor ? cursor : element);
    CSmartPtr<CXmlObjectBase> chosen = branch->Create();
    chosen->MarkJustInitialised();
    Choose(self, branch->Name(), chosen);
    CXmlObjectBase::FromXml_Int(chosen, cursor, cursor->GetFirstElement());
    return cursor->GetNextSiblingElement();
}

// --- Engine -------------------------------------------------------------------

const ChoiceRow& ElementSchema::Choice() const {
    for (const auto& row : children)
        if (row->GetKind() == ChildRow::Kind::Choice) return static_cast<const ChoiceRow&>(*row);
    throw CLtException(std::string("The element [") + m_elementName + "] has no choice");
}

void ElementSchema::Cleanup(void* self) const {
    for (const auto& row : children) row->Release(self);
}

void ElementSchema::CloneChildren(void* self) const {
    const auto cloneHeld = [self](const ChildRow& row) {
        if (const CXmlObjectBase* held = row.Get(self)) row.Put(self, held->CloneObject());
    };
    for (const auto& row : children) {
        if (row->GetKind() != ChildRow::Kind::Choice) {
            cloneHeld(*row);
            continue;
        }
        for (const auto& branch : static_cast<const ChoiceRow&>(*row).Branches()) cloneHeld(*branch);
    }
}

void ElementSchema::ResetValues(void* self) const {
    for (const auto& row : attributes) row->Reset(self);
    for (const auto& row : children) row->Reset(self);  // collections: emptied or replaced
}

void ElementSchema::Init(void* self, CXmlObjectBase& base) const {
    ResetValues(self);
    CXmlObjectBase::SetElementNameLiteral(&base, m_elementName);
}

void ElementSchema::WriteAttributes(const void* self, CXmlTextWriter* writer) const {
    std::string text;
    char plain[LtXmlLib3::CConversions::kMaxNumberChars];
    for (const auto& row : attributes) {
        if (!row->IsWritten(self)) continue;
        if (row->IsPlainText()) {
            writer->WriteAttribute(row->XmlName(), std::string_view(plain, row->FormatPlain(self, plain)), true);
            continue;
        }
        text.clear();
        row->Format(self, text);
        writer->WriteAttribute(row->XmlName(), text, false);
    }
}

void ElementSchema::ToXml(void* self, CXmlObjectBase& base, CXmlTextWriter* writer, bool registerNamespaces,
                          std::string_view namespaceUri) const {
    // The name of the place the parent writes this object from, else its own.
    bool isStatic = base.IsElementNameLiteral();
    const std::string_view name = writer->TakePlaceName(base.GetElementName(), isStatic);
    try {
        if (registerNamespaces) {
            writer->AddNamespace("xs", LtXmlLib3::kXmlSchemaInstanceNamespace);
            writer->AddNamespace("gdt", kGdtNamespace);
        }
        if (isStatic)
            writer->WriteStartElementStatic(name, namespaceUri);
        else
            writer->WriteStartElement(name, namespaceUri);
        if (writeTypeWhenRenamed && name != m_elementName) writer->WriteAttributeType("", m_elementName);
        base.AttributesToXml_Int(writer);
        for (const auto& row : children) row->Write(self, writer);
        writer->WriteEndElement();
    } catch (const CLtException& error) {
        CLtValidationException wrapper(FormatString("Failed to convert the element [%s] to XML", std::string(name).c_str()),
                                       error);
        wrapper.SetContext(IdOf(self));
        throw wrapper;
    }
}

std::string ElementSchema::IdOf(const void* self) const {
    for (const auto& row : attributes) {
        if (row->NameView() != "Id" || !row->IsWritten(self)) continue;
        std::string id = "Id ";
        row->Format(self, id);
        return id;
    }
    return std::string();
}

const CXmlElement* ElementSchema::FromXml(void* self, CXmlObjectBase& base, const CXmlElement* element,
                                          const CXmlElement* firstChild) const {
    if (!base.TakeJustInitialised()) ResetValues(self);  // Init, with the element name read
    CXmlObjectBase::SetElementName(&base, element->GetLocalName());
    try {
        ReadAttributes(self, element);
    } catch (const CLtException& error) {
        Wrap("Failed to correctly process the attributes for the element [%s]", element->GetLocalName(), error,
             element);
    }
    try {
        return ReadChildren(self, element, firstChild);
    } catch (const CLtException& error) {
        Wrap("Failed to process the child elements in element [%s]", element->GetLocalName(), error, element);
    }
}

void ElementSchema::ReadAttributes(void* self, const CXmlElement* element) const {
    std::uint64_t seen = 0;  // bit i: attribute row i was read
    std::size_t next = 0;    // the row expected next
    for (const LtXmlLib3::CXmlAttribute& attribute : element->GetAttributes()) {
        if (!attribute.GetNamespaceUri().empty() && CXmlObjectBase::IsNamespaceAttribute(attribute)) continue;
        const std::string_view name = attribute.GetLocalName();
        // Documents list attributes in schema order: try the row after the last one first.
        std::size_t index = next;
        if (index >= attributes.size() || !SameText(name, attributes[index]->NameView())) {
            index = 0;
            while (index < attributes.size() && !SameText(name, attributes[index]->NameView())) ++index;
        }
        if (index == attributes.size() && CXmlObjectBase::IsNamespaceAttribute(attribute)) continue;
        if (index == attributes.size())
            Fail(FormatString("Unexpected Attribute [%s] found.", std::string(name).c_str()), element);
        try {
            attributes[index]->Parse(self, attribute.GetValue());
        } catch (CLtException& error) {
            if (error.GetLine() == 0) SetLocation(error, element);
            throw;
        }
        seen |= std::uint64_t{1} << index;
        next = index + 1;
    }
    for (std::size_t index = 0; index < attributes.size(); ++index)
        if (attributes[index]->IsRequired() && (seen & (std::uint64_t{1} << index)) == 0)
            Fail(std::string("Failed to find the required Attribute [") + attributes[index]->Name() + "]", element);
}

const CXmlElement* ElementSchema::ReadChildren(void* self, const CXmlElement* element,
                                               const CXmlElement* firstChild) const {
    const CXmlElement* cursor = firstChild;
    std::size_t last = children.size();  // the row that took the element before the cursor (none yet)
    for (std::size_t index = 0; index < children.size(); ++index) {
        const ChildRow& row = *children[index];
        try {
            cursor = row.Read(self, element, cursor);
        } catch (CLtValidationException& error) {
            // A fault of this element's own order (a child's faults come wrapped).
            if (error.GetInnerException() == nullptr && error.GetHint().empty())
                error.SetHint(MissingHint(self, index, cursor, last));
            throw;
        }
        if (row.HasRead(self)) last = index;
    }
    if (cursor != nullptr) {
        CLtValidationException error(FormatString(
            "Failed read all the elements held within the element. Unknown Element [%s] remains un processed",
            std::string(cursor->GetLocalName()).c_str()));
        SetLocation(error, cursor);
        error.SetHint(LeftOverHint(self, *cursor, last));
        throw error;
    }
    // No element of the format carries text; once every child has been walked
    // the element's character data is known in full (whitespace does not count).
    if (element->HasText())
        Fail(FormatString("Unexpected text content found in element [%s]", std::string(element->GetLocalName()).c_str()),
             element);
    return cursor;
}

// --- Hints: what a reader of the messages above may not see at once ----------

std::size_t ElementSchema::RowOf(std::string_view name) const noexcept {
    for (std::size_t index = 0; index < children.size(); ++index) {
        const ChildRow& row = *children[index];
        if (row.GetKind() == ChildRow::Kind::Choice ? static_cast<const ChoiceRow&>(row).FindBranch(name) != nullptr
                                                    : SameText(name, row.NameView()))
            return index;
    }
    return children.size();
}

std::string ElementSchema::RowLabel(const void* self, std::size_t index) const {
    const ChildRow& row = *children[index];
    if (row.GetKind() != ChildRow::Kind::Choice) return row.Name();
    const auto& choice = static_cast<const ChoiceRow&>(row);
    const CXmlObjectBase* chosen = choice.Get(self);
    return chosen != nullptr ? std::string(chosen->GetElementName()) : choice.BranchNames(" or ");
}

std::string ElementSchema::CaseHint(std::string_view name) const {
    const auto lower = [](std::string_view text) {
        std::string folded(text);
        for (char& c : folded) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return folded;
    };
    for (const auto& row : children) {
        if (row->GetKind() == ChildRow::Kind::Choice) continue;
        if (lower(row->NameView()) == lower(name))
            return "element names are case-sensitive: " + std::string(name) + " is not " + row->Name();
    }
    return std::string();
}

std::string ElementSchema::OrderHint(const void* self, std::string_view name, std::size_t row,
                                     std::size_t last) const {
    if (last >= children.size()) return std::string();
    if (row < last) return std::string(name) + " is allowed here only before " + RowLabel(self, last);
    if (children[row]->GetKind() == ChildRow::Kind::Collection)
        return "every " + std::string(name) + " element must follow the one before it, with no other element between";
    return std::string(name) + " is allowed only once here";
}

std::string ElementSchema::MissingHint(const void* self, std::size_t index, const CXmlElement* cursor,
                                       std::size_t last) const {
    if (cursor == nullptr) return std::string();
    const ChildRow& missing = *children[index];
    if (missing.GetKind() == ChildRow::Kind::Collection) {
        const auto* collection = static_cast<const LtXmlLib3::CXmlCollectionBase*>(missing.Get(self));
        if (collection == nullptr || collection->GetCount() >= collection->GetMinOccurs()) return std::string();
    }
    const std::string_view name = cursor->GetLocalName();
    const std::size_t row = RowOf(name);
    if (row == children.size()) return CaseHint(name);
    if (row > index) return RowLabel(self, index) + " must come before " + std::string(name);
    return OrderHint(self, name, row, last);
}

std::string ElementSchema::LeftOverHint(const void* self, const CXmlElement& cursor, std::size_t last) const {
    const std::string_view name = cursor.GetLocalName();
    const std::size_t row = RowOf(name);
    if (row == children.size()) return CaseHint(name);
    const ChildRow& taker = *children[row];
    if (taker.GetKind() == ChildRow::Kind::Choice) {
        const CXmlObjectBase* chosen = taker.Get(self);
        if (chosen != nullptr && chosen->GetElementName() != name)
            return std::string(chosen->GetElementName()) + " and " + std::string(name) +
                   " are a choice: give only one of them";
    }
    if (taker.GetKind() == ChildRow::Kind::Collection) {
        const auto* collection = dynamic_cast<const CCollection*>(taker.Get(self));
        if (collection != nullptr) {
            std::string refused = collection->WhyNotTaken(cursor);
            if (!refused.empty()) return refused;
        }
    }
    return OrderHint(self, name, row, last);
}

}  // namespace Framework
}  // namespace VantrelLib
