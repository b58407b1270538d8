// Writing a tree as JSON: one walk over the class declarations. Numbers are
// formatted by the runtime's conversions (the XML writer's own text), strings
// escaped by nlohmann-json; the structure is written here, in schema order.
#include "VantrelLib/json/Json.h"

#include <nlohmann/json.hpp>

#include "json/JsonText.h"
#include "runtime/FileIo.h"

namespace VantrelLib {
namespace Json {

using LtXmlLib3::CConversions;
using LtXmlLib3::CLtValidationException;
using LtXmlLib3::CXmlObjectBase;
using Reflection::ClassInfo;
using Reflection::Property;

namespace {

// Bytes a string may hold and be written between quotes as they are.
struct PlainTable {
    bool value[256] = {};
    constexpr PlainTable() {
        for (int c = 0x20; c < 0x7F; ++c) value[c] = c != '"' && c != '\\';
    }
};
constexpr PlainTable kPlain;

class Writer {
public:
    explicit Writer(int indent) : m_indent(indent) {}

    std::string Take() { return std::move(m_out); }

    void Object(const CXmlObjectBase& object, const ClassInfo& info, const char* typeToken, int depth) {
        m_out += '{';
        bool first = true;
        if (typeToken != nullptr) {
            Member(kTypeMember, first, depth + 1);
            String(typeToken);
        }
        for (const Property& property : info.Properties()) {
            switch (property.GetKind()) {
                case Property::Kind::Attribute:
                    if (!property.IsValid(object)) break;
                    Member(property.Name(), first, depth + 1);
                    Value(object, property);
                    break;
                case Property::Kind::RequiredChild:
                case Property::Kind::OptionalChild:
                    if (const CXmlObjectBase* child = property.GetChild(object)) {
                        Member(property.Name(), first, depth + 1);
                        Child(*child, property.Name(), property.ItemClass(), depth + 1);
                    }
                    break;
                case Property::Kind::Choice: Choice(object, property, first, depth + 1); break;
                case Property::Kind::Collection:
                case Property::Kind::PolymorphicCollection: Collection(object, property, first, depth + 1); break;
            }
        }
        if (!first) Newline(depth);
        m_out += '}';
    }

private:
    [[noreturn]] void Fail(const std::string& message) const {
        throw CLtValidationException(detail::FormatPath(m_path) + ": " + message);
    }

    void Newline(int depth) {
        if (m_indent < 0) return;
        m_out += '\n';
        m_out.append(static_cast<std::size_t>(depth) * static_cast<std::size_t>(m_indent), ' ');
    }

    // The separator, the line break and the key of the next member (names are XML names: no escaping).
    void Member(const char* name, bool& first, int depth) {
        if (!first) m_out += ',';
        first = false;
        Newline(depth);
        m_out += '"';
        m_out += name;
        m_out += m_indent < 0 ? "\":" : "\": ";
    }

    void Child(const CXmlObjectBase& child, const char* name, const ClassInfo* info, int depth) {
        m_path.push_back({name, 0});
        Object(child, info != nullptr ? *info : *Reflection::ClassOf(child), nullptr, depth);
        m_path.pop_back();
    }

    void Choice(const CXmlObjectBase& object, const Property& choice, bool& first, int depth) {
        for (const Property& branch : choice.Branches()) {
            if (const CXmlObjectBase* chosen = branch.GetChild(object)) {
                Member(branch.Name(), first, depth);
                Child(*chosen, branch.Name(), branch.ItemClass(), depth);
                return;
            }
        }
        // The XML writer's message for the same fault.
        Fail("This element is a choice, and as such must have at one (and only one) valid item, currently there are "
             "none set");
    }

    void Collection(const CXmlObjectBase& object, const Property& property, bool& first, int depth) {
        const int count = property.Count(object);
        const long limit = count < property.MinOccurs() ? property.MinOccurs() : property.MaxOccurs();
        if (count < property.MinOccurs() || (property.MaxOccurs() >= 0 && count > property.MaxOccurs())) {
            m_path.push_back({property.Name(), 0});
            Fail(LtXmlLib3::FormatString("The collection [%s] holds %d item(s), %s of %ld", property.Name(), count,
                                         count < property.MinOccurs() ? "fewer than the minimum" : "more than the maximum",
                                         limit));
        }
        if (count == 0) return;
        Member(property.Name(), first, depth);
        m_out += '[';
        m_path.push_back({property.Name(), 0});
        const bool mixed = property.GetKind() == Property::Kind::PolymorphicCollection;
        for (int index = 0; index < count; ++index) {
            if (index > 0) m_out += ',';
            Newline(depth + 1);
            const CXmlObjectBase& item = *property.Item(object, index);
            m_path.push_back({nullptr, static_cast<std::size_t>(index)});
            const ClassInfo& info = mixed ? *Reflection::ClassOf(item) : *property.ItemClass();
            Object(item, info, mixed ? info.TypeToken() : nullptr, depth + 1);
            m_path.pop_back();
        }
        m_path.pop_back();
        Newline(depth);
        m_out += ']';
    }

    void Value(const CXmlObjectBase& object, const Property& property) {
        char buffer[CConversions::kMaxNumberChars];
        switch (property.GetType()) {
            case Property::Type::Double: {
                const std::string_view text(buffer, CConversions::r8ToChars(property.GetDouble(object), buffer));
                if (text == "INF" || text == "-INF" || text == "NaN") {
                    String(text);
                } else if (text == "-0") {
                    m_out += "-0.0";  // a JSON reader takes "-0" for the integer 0
                } else {
                    m_out += text;
                }
                break;
            }
            case Property::Type::Int64:
                m_out.append(buffer, CConversions::i8ToChars(property.GetInt64(object), buffer));
                break;
            case Property::Type::UInt64:
                m_out.append(buffer, CConversions::ui8ToChars(property.GetUInt64(object), buffer));
                break;
            case Property::Type::Bool: m_out += property.GetBool(object) ? "true" : "false"; break;
            case Property::Type::String: {
                const std::string text = property.GetString(object);
                m_path.push_back({property.Name(), 0});
                String(text);
                m_path.pop_back();
                break;
            }
            case Property::Type::Enumeration:
                String(property.Tokens()[static_cast<std::size_t>(property.GetEnumeration(object))]);
                break;
            case Property::Type::Element: break;  // attributes have values
        }
    }

    void String(std::string_view text) {
        std::size_t plain = 0;
        while (plain < text.size() && kPlain.value[static_cast<unsigned char>(text[plain])]) ++plain;
        if (plain == text.size()) {
            m_out += '"';
            m_out += text;
            m_out += '"';
            return;
        }
        if (const std::string why = detail::WhyNotXmlText(text); !why.empty()) Fail(why);
        try {
            m_out += nlohmann::json(text).dump();
        } catch (const nlohmann::json::type_error& error) {
            // 316: invalid UTF-8, with the offending byte.
            const std::string what = error.what();
            Fail("the text is not valid UTF-8 (" + what.substr(what.find("] ") + 2) + ")");
        }
    }

    std::string m_out;
    int m_indent;
    std::vector<detail::PathStep> m_path;
};

}  // namespace

std::string ToJson(const CXmlObjectBase& object, const WriteOptions& options) {
    const ClassInfo* info = Reflection::ClassOf(object);
    if (info == nullptr) throw CLtValidationException("Only an element of a class of the library can be written as JSON");
    Writer writer(options.indent < 0 ? -1 : options.indent);
    writer.Object(object, *info, nullptr, 0);
    return writer.Take();
}

void ToJsonFile(const CXmlObjectBase& object, const std::string& path, const WriteOptions& options) {
    LtXmlLib3::WriteTextFile(path, ToJson(object, options) + "\n");
}

}  // namespace Json
}  // namespace VantrelLib
