// Reading JSON into a tree: nlohmann-json's SAX parser hands over each token,
// and the handler below walks the class declarations alongside, filling the
// objects as the values arrive (no JSON document is built on the way). Each
// value goes through the same conversion and setter a read of XML uses.
#include "VantrelLib/json/Json.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include <nlohmann/json.hpp>

#include "json/JsonText.h"

namespace VantrelLib {
namespace Json {

using LtXmlLib3::CLtException;
using LtXmlLib3::CLtValidationException;
using LtXmlLib3::CSmartPtr;
using LtXmlLib3::CXmlObjectBase;
using Reflection::ClassInfo;
using Reflection::Property;

namespace {

using Sax = nlohmann::json;

// An object or array being read.
struct Frame {
    bool isArray = false;
    // Objects: the element being read (null in an entry of a mixed list until
    // its "xs:type" is read) and its class. Arrays: the collection's owner.
    CXmlObjectBase* object = nullptr;
    const ClassInfo* info = nullptr;
    // Objects: the property whose value comes next (or the type member), and
    // the index of its top-level property. Arrays: the collection.
    const Property* member = nullptr;
    std::size_t memberIndex = 0;
    bool typeNext = false;     // the next value is the "xs:type" token
    bool mixedEntry = false;   // an entry of a mixed list: it names its class
    std::uint64_t given = 0;   // bit i: top-level property i was given
    std::size_t items = 0;     // arrays: the items so far
    const char* name = nullptr;  // the member this value is under (null for the root and array items)
};

class Handler {
public:
    Handler(std::string_view text, const ClassInfo& rootClass) : m_text(text), m_rootClass(rootClass) {}

    CSmartPtr<CXmlObjectBase> Take() { return std::move(m_root); }

    // --- Values ------------------------------------------------------------
    bool null() { return Mismatch("null"); }

    bool boolean(bool value) {
        const Property& property = Scalar("a boolean");
        if (property.GetType() != Property::Type::Bool) return Mismatch("a boolean");
        property.SetBool(*Top().object, value);
        return Done();
    }

    bool number_integer(std::int64_t value) {
        const Property& property = Scalar("a number");
        switch (property.GetType()) {
            case Property::Type::Double: property.SetDouble(*Top().object, static_cast<double>(value)); break;
            case Property::Type::Int64: property.SetInt64(*Top().object, value); break;
            case Property::Type::UInt64: Convert(property, std::to_string(value)); break;  // negative: refused
            default: return Mismatch("a number");
        }
        return Done();
    }

    bool number_unsigned(std::uint64_t value) {
        const Property& property = Scalar("a number");
        switch (property.GetType()) {
            case Property::Type::Double: property.SetDouble(*Top().object, static_cast<double>(value)); break;
            case Property::Type::UInt64: property.SetUInt64(*Top().object, value); break;
            case Property::Type::Int64:
                if (value > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()))
                    Convert(property, std::to_string(value));  // refused with the range message
                else
                    property.SetInt64(*Top().object, static_cast<std::int64_t>(value));
                break;
            default: return Mismatch("a number");
        }
        return Done();
    }

    // Any other number (a fraction, an exponent, an integer beyond 64 bits) as
    // its text: the XML conversion reads it exactly, or names why not.
    bool number_float(double, const std::string& text) {
        const Property& property = Scalar("a number");
        switch (property.GetType()) {
            case Property::Type::Double:
            case Property::Type::Int64:
            case Property::Type::UInt64: Convert(property, text); break;
            default: return Mismatch("a number");
        }
        return Done();
    }

    bool string(std::string& value) {
        if (!m_frames.empty() && Top().typeNext) return Type(value);  // a text may be a string alone
        const Property& property = Scalar("a string");
        switch (property.GetType()) {
            case Property::Type::Double:
                // Only the values JSON has no number for.
                if (value != "INF" && value != "-INF" && value != "NaN") return Mismatch("a string");
                Convert(property, value);
                break;
            case Property::Type::String:
                if (const std::string why = detail::WhyNotXmlText(value); !why.empty()) Fail(why);
                Convert(property, value);
                break;
            case Property::Type::Enumeration: Convert(property, value); break;
            default: return Mismatch("a string");
        }
        return Done();
    }

    bool binary(Sax::binary_t&) { return Mismatch("binary data"); }

    // --- Structure -----------------------------------------------------------
    bool start_object(std::size_t) {
        if (m_frames.empty()) {
            m_root = m_rootClass.Create();
            Push(m_root, &m_rootClass, nullptr);
            return true;
        }
        Frame& top = Top();
        if (top.isArray) return Item();
        const Property& property = Expecting("an object");
        CXmlObjectBase& owner = *top.object;
        const char* name = property.Name();
        switch (property.GetKind()) {
            case Property::Kind::RequiredChild:  // made with its owner: filled in place
                Push(property.GetChild(owner), property.ItemClass(), name);
                return true;
            case Property::Kind::OptionalChild: {
                const CSmartPtr<CXmlObjectBase> child = property.ItemClass()->Create();
                property.SetChild(owner, child);
                Push(child, property.ItemClass(), name);
                return true;
            }
            default: return Mismatch("an object");
        }
    }

    bool key(std::string& name) {
        Frame& top = Top();
        if (top.info == nullptr) {  // an entry of a mixed list, its class not yet known
            if (name != kTypeMember) {
                m_path.push_back(name);
                Fail(std::string("the member ") + kTypeMember + " must come first, naming the entry's class");
            }
            top.typeNext = true;
            return true;
        }
        const auto& properties = top.info->Properties();
        for (std::size_t index = 0; index < properties.size(); ++index) {
            const Property& property = properties[index];
            const Property* found = nullptr;
            if (property.GetKind() != Property::Kind::Choice) {
                if (name == property.Name()) found = &property;
            } else {
                for (const Property& branch : property.Branches())
                    if (name == branch.Name()) found = &branch;
            }
            if (found == nullptr) continue;
            const std::uint64_t bit = std::uint64_t{1} << index;
            if ((top.given & bit) != 0) {
                m_path.push_back(name);
                Fail(found != &property ? "only one branch of the choice may be given (" + Branches(property) + ")"
                                        : std::string("the member is given twice"));
            }
            top.given |= bit;
            top.member = found;
            top.memberIndex = index;
            return true;
        }
        m_path.push_back(name);
        Fail(top.mixedEntry && name == kTypeMember ? "the member is given twice" : "unknown member [" + name + "]");
    }

    bool end_object() {
        Frame& top = Top();
        if (top.info == nullptr) Fail(std::string("the member ") + kTypeMember + " is missing");
        const auto& properties = top.info->Properties();
        for (std::size_t index = 0; index < properties.size(); ++index) {
            const Property& property = properties[index];
            if ((top.given & (std::uint64_t{1} << index)) != 0) continue;
            if (property.IsCollection()) {
                if (property.MinOccurs() > 0) {
                    m_path.push_back(property.Name());
                    Fail(Limits(property, 0));
                }
            } else if (property.GetKind() == Property::Kind::Choice) {
                Fail("one branch of the choice is required (" + Branches(property) + ")");
            } else if (property.IsRequired()) {
                m_path.push_back(property.Name());
                Fail("the required member is missing");
            }
        }
        Pop();
        return true;
    }

    bool start_array(std::size_t) {
        if (m_frames.empty() || Top().isArray) return Mismatch("an array");
        Frame& owner = Top();
        const Property& property = Expecting("an array");
        if (!property.IsCollection()) return Mismatch("an array");
        Frame frame;
        frame.isArray = true;
        frame.object = owner.object;
        frame.member = &property;
        frame.name = property.Name();
        m_frames.push_back(frame);
        return true;
    }

    bool end_array() {
        const Frame& top = Top();
        const Property& property = *top.member;
        if (static_cast<long>(top.items) < property.MinOccurs()) Fail(Limits(property, top.items), false);
        Pop();
        return true;
    }

    bool parse_error(std::size_t position, const std::string&, const nlohmann::detail::exception& error) {
        // nlohmann's message after its "[json.exception...] parse error at line L, column C: ".
        std::string what = error.what();
        if (const std::size_t column = what.find("column "); column != std::string::npos) {
            const std::size_t colon = what.find(": ", column);
            if (colon != std::string::npos) what = what.substr(colon + 2);
        }
        CLtValidationException fault("Malformed JSON: " + what);
        // Line and column of the last byte the parser read: the one it stopped at.
        const std::size_t at = std::min(position, m_text.size()) - (position > 0 && !m_text.empty() ? 1 : 0);
        int line = 1;
        std::size_t lineStart = 0;
        for (std::size_t i = 0; i < at; ++i)
            if (m_text[i] == '\n') {
                ++line;
                lineStart = i + 1;
            }
        fault.SetLocation(line, static_cast<int>(std::min<std::size_t>(at - lineStart + 1, std::numeric_limits<int>::max())));
        throw fault;
    }

private:
    Frame& Top() { return m_frames.back(); }

    void Push(CXmlObjectBase* object, const ClassInfo* info, const char* name) {
        if (info != nullptr && info->Properties().size() > 64)
            throw CLtException(std::string("The class [") + info->ClassName() + "] has too many properties");
        Frame frame;
        frame.object = object;
        frame.info = info;
        frame.name = name;
        m_frames.push_back(frame);
    }

    void Pop() {
        m_frames.pop_back();
        if (!m_frames.empty() && !m_frames.back().isArray) m_frames.back().member = nullptr;
    }

    // A new entry of the array on top: made now (or, in a mixed list, once its type is read).
    bool Item() {
        Frame& array = Top();
        const Property& property = *array.member;
        if (property.MaxOccurs() >= 0 && static_cast<long>(array.items) >= property.MaxOccurs())
            Fail(Limits(property, array.items + 1), false);
        ++array.items;
        if (property.GetKind() == Property::Kind::PolymorphicCollection) {
            Push(nullptr, nullptr, nullptr);
            Top().mixedEntry = true;
            return true;
        }
        const CSmartPtr<CXmlObjectBase> item = property.ItemClass()->Create();
        property.Add(*array.object, item);
        Push(item, property.ItemClass(), nullptr);
        return true;
    }

    // The "xs:type" of an entry of a mixed list: its class, made and added.
    bool Type(const std::string& token) {
        Frame& entry = Top();
        entry.typeNext = false;
        const ClassInfo* info = Reflection::FindType(token);
        if (info == nullptr) {
            std::string accepted;
            for (const ClassInfo* type : Reflection::PolymorphicTypes())
                accepted += (accepted.empty() ? "" : ", ") + std::string(type->TypeToken());
            m_path.push_back(kTypeMember);
            Fail("unknown type [" + token + "], not one of " + accepted);
        }
        const CSmartPtr<CXmlObjectBase> item = info->Create();
        const Frame& array = m_frames[m_frames.size() - 2];
        array.member->Add(*array.object, item);
        entry.object = item;
        entry.info = info;
        entry.given = 0;
        return true;
    }

    // The attribute a scalar value is for; any other place is refused naming `found`.
    const Property& Scalar(const char* found) {
        if (m_frames.empty() || Top().isArray || Top().typeNext) Mismatch(found);
        const Property& property = *Top().member;
        if (!property.IsAttribute()) Mismatch(found);
        return property;
    }

    // The member an object or array is for.
    const Property& Expecting(const char* found) {
        const Property* property = Top().member;
        if (property == nullptr || Top().typeNext) Mismatch(found);
        return *property;
    }

    bool Done() {
        Top().member = nullptr;
        return true;
    }

    // Sets the value from its text through the XML conversion; its fault is
    // reported at the value's path with the conversion's message (and hint).
    void Convert(const Property& property, std::string_view text) {
        try {
            property.SetText(*Top().object, text);
        } catch (const CLtException& error) {
            CLtValidationException fault(Here() + ": " + error.what());
            fault.SetHint(error.GetHint());
            throw fault;
        }
    }

    [[noreturn]] bool Mismatch(const char* found) {
        std::string expected = "a value";
        if (m_frames.empty()) {
            expected = "an object";
        } else if (Top().isArray) {
            expected = "an object";
            ++Top().items;  // the path names the item that is not an object
        } else if (Top().typeNext) {
            expected = "a string (the class's type token)";
        } else if (const Property* property = Top().member) {
            switch (property->GetKind()) {
                case Property::Kind::Attribute:
                    switch (property->GetType()) {
                        case Property::Type::Double: expected = "a number (or \"INF\", \"-INF\", \"NaN\")"; break;
                        case Property::Type::Int64:
                        case Property::Type::UInt64: expected = "an integer"; break;
                        case Property::Type::Bool: expected = "true or false"; break;
                        default: expected = "a string"; break;
                    }
                    break;
                case Property::Kind::Collection:
                case Property::Kind::PolymorphicCollection: expected = "an array"; break;
                default: expected = "an object"; break;
            }
        }
        Fail("expected " + expected + ", found " + found);
    }

    // The path of the value being read: every open member, the array items by index.
    std::string Here(bool withItem = true) const {
        std::vector<detail::PathStep> steps;
        for (std::size_t i = 0; i < m_frames.size(); ++i) {
            const Frame& frame = m_frames[i];
            if (frame.name != nullptr && !frame.isArray) steps.push_back({frame.name, 0});
            if (frame.isArray) {
                steps.push_back({frame.name, 0});
                if ((withItem || i + 1 < m_frames.size()) && frame.items > 0) steps.push_back({nullptr, frame.items - 1});
            } else if (frame.member != nullptr && i + 1 == m_frames.size()) {
                steps.push_back({frame.member->Name(), 0});
            } else if (frame.typeNext) {
                steps.push_back({kTypeMember, 0});
            }
        }
        std::string path = detail::FormatPath(steps);
        for (const std::string& extra : m_path) path += "." + extra;
        return path;
    }

    [[noreturn]] void Fail(const std::string& message, bool withItem = true) const {
        throw CLtValidationException(Here(withItem) + ": " + message);
    }

    static std::string Limits(const Property& property, std::size_t count) {
        const bool few = static_cast<long>(count) < property.MinOccurs();
        return LtXmlLib3::FormatString("The collection [%s] holds %zu item(s), %s of %ld", property.Name(), count,
                                       few ? "fewer than the minimum" : "more than the maximum",
                                       few ? property.MinOccurs() : property.MaxOccurs());
    }

    static std::string Branches(const Property& choice) {
        std::string names;
        for (const Property& branch : choice.Branches()) names += (names.empty() ? "" : ", ") + std::string(branch.Name());
        return names;
    }

    std::string_view m_text;
    const ClassInfo& m_rootClass;
    CSmartPtr<CXmlObjectBase> m_root;
    std::vector<Frame> m_frames;
    std::vector<std::string> m_path;  // members named in a fault below the frames
};

}  // namespace

CSmartPtr<CXmlObjectBase> FromJson(std::string_view text, const ClassInfo& rootClass) {
    Handler handler(text, rootClass);
    try {
        Sax::sax_parse(text.begin(), text.end(), &handler, nlohmann::json::input_format_t::json, true);
    } catch (const nlohmann::json::exception& error) {
        // Not a syntax fault (those come through parse_error): the text itself cannot be read.
        throw CLtValidationException(std::string("Malformed JSON: ") + error.what());
    }
    return handler.Take();
}

}  // namespace Json
}  // namespace VantrelLib
