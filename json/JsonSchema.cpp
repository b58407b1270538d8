// The JSON Schema of the mapping, made from the class declarations: one
// definition per class reached from the root, one per value type.
#include "VantrelLib/json/Json.h"

#include <cstdint>
#include <limits>
#include <set>

#include <nlohmann/json.hpp>

namespace VantrelLib {
namespace Json {

using Reflection::ClassInfo;
using Reflection::Property;
using Schema = nlohmann::ordered_json;

namespace {

// "gdt.CPoint", "VantrelLib.CVantrel": a name fit for a JSON pointer.
std::string DefinitionName(const ClassInfo& info) {
    const std::string& qualified = info.QualifiedName();
    std::string name;
    for (std::size_t i = 0; i < qualified.size(); ++i) {
        const bool separator = qualified.compare(i, 2, "::") == 0;
        name += separator ? '.' : qualified[i];
        i += separator ? 1 : 0;
    }
    return name;
}

Schema Ref(const std::string& definition) { return Schema{{"$ref", "#/$defs/" + definition}}; }

// The definitions every document shares, by value type.
Schema ValueTypes() {
    Schema defs = Schema::object();
    defs["double"] = {{"description", "A number, or one of the strings INF, -INF and NaN"},
                      {"oneOf", Schema::array({Schema{{"type", "number"}},
                                               Schema{{"enum", Schema::array({"INF", "-INF", "NaN"})}}})}};
    defs["int64"] = {{"type", "integer"},
                     {"minimum", std::numeric_limits<std::int64_t>::min()},
                     {"maximum", std::numeric_limits<std::int64_t>::max()}};
    defs["uint64"] = {{"type", "integer"}, {"minimum", 0}, {"maximum", std::numeric_limits<std::uint64_t>::max()}};
    defs["boolean"] = {{"type", "boolean"}};
    defs["string"] = {{"description", "Text XML can carry: no control character but tab, line feed and carriage return"},
                      {"type", "string"},
                      {"pattern", "^[^\\u0000-\\u0008\\u000B\\u000C\\u000E-\\u001F\\uFFFE\\uFFFF]*$"}};
    return defs;
}

class SchemaMaker {
public:
    explicit SchemaMaker(Schema& defs) : m_defs(defs) {}

    // Adds the definition of `info` (and of every class it reaches) once.
    // `typeToken`: an entry of a mixed list, which names its class.
    std::string Define(const ClassInfo& info, bool typed) {
        std::string name = DefinitionName(info) + (typed ? ".typed" : "");
        if (!m_done.insert(name).second) return name;
        Schema properties = Schema::object();
        Schema required = Schema::array();
        Schema oneOf;
        if (typed) {
            properties[kTypeMember] = {{"const", info.TypeToken()}};
            required.push_back(kTypeMember);
        }
        for (const Property& property : info.Properties()) {
            switch (property.GetKind()) {
                case Property::Kind::Attribute: properties[property.Name()] = Value(property); break;
                case Property::Kind::RequiredChild:
                case Property::Kind::OptionalChild:
                    properties[property.Name()] = Ref(Define(*property.ItemClass(), false));
                    break;
                case Property::Kind::Choice:
                    // Exactly one branch, as one required member of all those named.
                    oneOf = Schema::array();
                    for (const Property& branch : property.Branches()) {
                        properties[branch.Name()] = Ref(Define(*branch.ItemClass(), false));
                        oneOf.push_back({{"required", Schema::array({branch.Name()})}});
                    }
                    break;
                case Property::Kind::Collection:
                case Property::Kind::PolymorphicCollection: properties[property.Name()] = Array(property); break;
            }
            if (property.IsRequired() && property.GetKind() != Property::Kind::Choice) required.push_back(property.Name());
        }
        Schema definition{{"description", std::string("Class ") + info.QualifiedName() + ", element " +
                                              info.ElementName()},
                          {"type", "object"},
                          {"properties", std::move(properties)}};
        if (!required.empty()) definition["required"] = std::move(required);
        if (!oneOf.is_null()) definition["oneOf"] = std::move(oneOf);
        definition["additionalProperties"] = false;
        m_defs[name] = std::move(definition);
        return name;
    }

private:
    static Schema Value(const Property& property) {
        switch (property.GetType()) {
            case Property::Type::Double: return Ref("double");
            case Property::Type::Int64: return Ref("int64");
            case Property::Type::UInt64: return Ref("uint64");
            case Property::Type::Bool: return Ref("boolean");
            case Property::Type::Enumeration: {
                Schema tokens = Schema::array();
                for (const char* token : property.Tokens()) tokens.push_back(token);
                return Schema{{"enum", std::move(tokens)}};
            }
            case Property::Type::String:
            case Property::Type::Element: break;
        }
        return Ref("string");
    }

    Schema Array(const Property& property) {
        Schema items;
        if (property.GetKind() == Property::Kind::PolymorphicCollection) {
            Schema oneOf = Schema::array();
            for (const ClassInfo* type : Reflection::PolymorphicTypes()) oneOf.push_back(Ref(Define(*type, true)));
            items = {{"oneOf", std::move(oneOf)}};
        } else {
            items = Ref(Define(*property.ItemClass(), false));
        }
        Schema array{{"type", "array"}, {"items", std::move(items)}};
        if (property.MinOccurs() > 0) array["minItems"] = property.MinOccurs();
        if (property.MaxOccurs() >= 0) array["maxItems"] = property.MaxOccurs();
        return array;
    }

    Schema& m_defs;
    std::set<std::string> m_done;
};

}  // namespace

std::string SchemaOf(const ClassInfo& rootClass) {
    Schema defs = ValueTypes();
    SchemaMaker maker(defs);
    const std::string root = maker.Define(rootClass, false);
    Schema schema{{"$schema", "https://json-schema.org/draft/2020-12/schema"},
                  {"title", std::string(rootClass.ElementName()) + " document as JSON (VantrelLib's mapping)"},
                  {"description", "Generated from the class declarations by `vantrel json-schema`: do not edit."},
                  {"$ref", "#/$defs/" + root},
                  {"$defs", std::move(defs)}};
    return schema.dump(2) + "\n";
}

}  // namespace Json
}  // namespace VantrelLib
