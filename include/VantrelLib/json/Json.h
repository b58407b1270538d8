#pragma once
// Documents as JSON, both ways, through one mapping over the class
// declarations (reflection):
//   - an element is an object whose members are its attributes and children,
//     in schema order, under their XML names; an unset optional one is left out;
//   - a collection is an array under its items' element name (left out when empty);
//   - an entry of a list of mixed rest entries names its class first, in the
//     member "xs:type" ("TankEntry"), as the XML type attribute does;
//   - the choice is the one member of its chosen branch;
//   - a double is a number written as the shortest text that reads back to the
//     same bits ("INF", "-INF" and "NaN" are strings); 64-bit integers are exact
//     numbers; booleans are true and false; strings and enumeration tokens are strings.
//
//   std::string json = VantrelLib::Json::ToJson(*document);
//   auto read = VantrelLib::Json::FromJson<VantrelLib::CVantrel>(json);  // throws, naming the JSON path

#include <string>
#include <string_view>

#include "VantrelLib/Export.h"
#include "VantrelLib/framework/Reflection.h"
#include "VantrelLib/runtime/SmartPtr.h"
#include "VantrelLib/runtime/XmlObjectBase.h"

namespace VantrelLib {
namespace Json {

// The member that names the class of an entry of a mixed list.
inline constexpr const char* kTypeMember = "xs:type";

struct WriteOptions {
    // Spaces per level, one member or item a line; -1 writes everything on one line.
    int indent = 2;
};

// `object` (of any element class) and everything under it as JSON text.
// Throws CLtValidationException, naming the JSON path of the fault, for what
// the XML writer refuses too: a choice with no branch chosen, a collection
// outside its limits, text XML cannot carry (control characters, invalid UTF-8).
VANTREL_EXPORT std::string ToJson(const LtXmlLib3::CXmlObjectBase& object, const WriteOptions& options = WriteOptions());

// Writes ToJson's text and a line end to the file `path` as ToXmlFile writes
// XML: a new text replaces the file only once all of it is written and synced
// (keeping the file's permissions); on failure the old file stays. Throws what
// ToJson throws, and CLtException naming the file when it cannot be written.
VANTREL_EXPORT void ToJsonFile(const LtXmlLib3::CXmlObjectBase& object, const std::string& path,
                               const WriteOptions& options = WriteOptions());

// A new object of class `rootClass`, read from the JSON text `text` (the
// outermost value is that class's object). Members may come in any order,
// except that "xs:type" comes first in its object. Throws
// CLtValidationException whose message starts with the JSON path of the fault
// ("$.Masses.MassBoxes.BoxEntry[3].Mass: ...") for what a read of XML refuses:
// an unknown member, a missing required value, a value of the wrong type or
// that does not convert (the conversion's message), a list outside its limits,
// an unknown "xs:type" token, two branches of a choice, a member given twice;
// and for malformed JSON (with its line and column). Nothing is returned
// unless the whole text was read.
VANTREL_EXPORT LtXmlLib3::CSmartPtr<LtXmlLib3::CXmlObjectBase> FromJson(std::string_view text,
                                                                       const Reflection::ClassInfo& rootClass);

// The same for the class T (CVantrel for a whole document).
template <class T>
LtXmlLib3::CSmartPtr<T> FromJson(std::string_view text) {
    const LtXmlLib3::CSmartPtr<T> prototype = T::CreateInstance();
    const LtXmlLib3::CSmartPtr<LtXmlLib3::CXmlObjectBase> read = FromJson(text, *Reflection::ClassOf(*prototype));
    return LtXmlLib3::CSmartPtr<T>(dynamic_cast<T*>(read.get()));
}

// The JSON Schema (draft 2020-12) of the mapping, for a text whose outermost
// object is of class `rootClass`, as indented JSON text. Made from the class
// declarations alone: schemas/Vantrel.schema.json is this for CVantrel
// (`vantrel json-schema`).
VANTREL_EXPORT std::string SchemaOf(const Reflection::ClassInfo& rootClass);

}  // namespace Json
}  // namespace VantrelLib
