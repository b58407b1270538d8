#include "VantrelLib/framework/Collection.h"

#include <vector>

#include "VantrelLib/runtime/XmlWriter.h"
#include "framework/Factory.h"
#include "runtime/ShortCopy.h"
#include "runtime/XmlDocument.h"

namespace VantrelLib {
namespace Framework {

using LtXmlLib3::detail::SameText;

void CCollection::ToXml_Int(LtXmlLib3::CXmlTextWriter* writer, bool, std::string_view namespaceUri) {
    ValidateCount();
    const int count = GetCount();
    for (int index = 0; index < count; ++index) {
        // Each item under the collection's name, whatever name it carries.
        writer->SetPlaceName(GetElementName(), IsElementNameLiteral());
        try {
            LtXmlLib3::CXmlObjectBase::ToXml_Int(GetNodeAtIndex(index), writer, false, namespaceUri);
        } catch (LtXmlLib3::CLtException& error) {
            // Say which of maybe hundreds of items could not be written.
            const std::string id = error.GetContext();
            error.SetContext("index " + std::to_string(index) + (id.empty() ? "" : ", " + id));
            throw;
        }
    }
}

const LtXmlLib3::CXmlElement* CCollection::FromXml_Int(const LtXmlLib3::CXmlElement*,
                                                       const LtXmlLib3::CXmlElement* cursor) {
    const std::string_view name = GetElementName();
    while (cursor != nullptr && SameText(cursor->GetLocalName(), name)) {
        LtXmlLib3::CSmartPtr<LtXmlLib3::CXmlObjectBase> item = NewItem(cursor);
        if (!item) break;  // an item of no known class is left to the owner
        NameItem(item);  // the name it is read under, kept without a copy where possible
        item->MarkJustInitialised();
        LtXmlLib3::CXmlObjectBase::FromXml_Int(item, cursor, cursor->GetFirstElement());
        Append(item);
        FireOnCollectionChange();
        cursor = cursor->GetNextSiblingElement();
    }
    return cursor;
}

std::string CCollection::WhyNotTaken(const LtXmlLib3::CXmlElement&) const { return std::string(); }

LtXmlLib3::CSmartPtr<LtXmlLib3::CXmlObjectBase> CCollection::NewItemOf(ClassRef itemClass) const {
    if (IsElementNameLiteral()) return itemClass.table->CreateNamedByLiteral(itemClass.id, GetElementName().data());
    return itemClass.table->CreateClass(itemClass.id, GetElementName().data());
}

void CCollection::CloneItems() {
    const int count = GetCount();
    std::vector<LtXmlLib3::CSmartPtr<LtXmlLib3::CXmlObjectBase>> clones;
    clones.reserve(static_cast<std::size_t>(count));
    for (int index = 0; index < count; ++index) clones.push_back(GetNodeAtIndex(index)->CloneObject());
    // Only once every copy is made: a failure leaves the copy as it was.
    LtXmlLib3::CXmlCollectionBase::Clear();
    for (const auto& clone : clones) Append(clone);
}

void CCollection::NameItem(LtXmlLib3::CXmlObjectBase* item) const {
    if (IsElementNameLiteral())
        LtXmlLib3::CXmlObjectBase::SetElementNameLiteral(item, GetElementName().data());
    else
        LtXmlLib3::CXmlObjectBase::SetElementName(item, GetElementName());
}

}  // namespace Framework
}  // namespace VantrelLib
