#include "VantrelLib/diff/Diff.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "VantrelLib/runtime/XmlWriter.h"

namespace VantrelLib {
namespace Diff {

namespace {

using LtXmlLib3::CLtException;
using LtXmlLib3::CXmlObjectBase;
using Reflection::ClassInfo;
using Reflection::Property;

bool IsIdentityName(std::string_view name) noexcept {
    return name == "Id" || name == "No" || name == "XPosition" ||
           (name.size() > 2 && name.substr(name.size() - 2) == "Id");
}

// `item` written as XML under `name`, on one line: the writer's line breaks
// and indentation fall between elements only (values carry theirs as
// character references), and there is no text content.
std::string WholeText(const CXmlObjectBase& item, std::string_view name) {
    LtXmlLib3::CXmlTextWriter writer;
    writer.SetPlaceName(name, false);
    // Writing an element changes nothing of it: the const_cast only meets the runtime's signature.
    CXmlObjectBase::ToXml_Int(const_cast<CXmlObjectBase*>(&item), &writer, false, "");
    const std::string document = writer.TakeDocument();
    std::string text;
    text.reserve(document.size());
    std::size_t at = document.find("?>");
    at = at == std::string::npos ? 0 : at + 2;
    while (at < document.size()) {
        if (document[at] == '\n') {
            while (++at < document.size() && document[at] == ' ') {
            }
            continue;
        }
        text += document[at++];
    }
    return text;
}

bool SameDouble(double a, double b, double tolerance) noexcept {
    std::uint64_t bitsA = 0;
    std::uint64_t bitsB = 0;
    std::memcpy(&bitsA, &a, sizeof a);
    std::memcpy(&bitsB, &b, sizeof b);
    if (bitsA == bitsB || (std::isnan(a) && std::isnan(b))) return true;
    if (tolerance == 0 || !std::isfinite(a) || !std::isfinite(b)) return false;
    return std::fabs(a - b) <= tolerance * std::max(std::fabs(a), std::fabs(b));
}

// The indexes into `sequence` of one longest strictly increasing subsequence.
std::vector<std::size_t> LongestIncreasing(const std::vector<std::size_t>& sequence) {
    std::vector<std::size_t> tails;  // tails[k]: index of the smallest end of a run of length k + 1
    std::vector<std::size_t> previous(sequence.size(), SIZE_MAX);
    for (std::size_t i = 0; i < sequence.size(); ++i) {
        const auto place =
            std::lower_bound(tails.begin(), tails.end(), sequence[i],
                             [&](std::size_t index, std::size_t value) { return sequence[index] < value; });
        if (place != tails.begin()) previous[i] = *(place - 1);
        if (place == tails.end())
            tails.push_back(i);
        else
            *place = i;
    }
    std::vector<std::size_t> run;
    for (std::size_t i = tails.empty() ? SIZE_MAX : tails.back(); i != SIZE_MAX; i = previous[i]) run.push_back(i);
    std::reverse(run.begin(), run.end());
    return run;
}

class Comparer {
public:
    Comparer(const Options& options, std::vector<Difference>& out) : m_tolerance(options.tolerance), m_out(out) {}

    // `a` and `b` at `path`, held under the element name `name`.
    void Element(const std::string& path, std::string_view name, const CXmlObjectBase& a, const CXmlObjectBase& b) {
        const ClassInfo* info = Reflection::ClassOf(a);
        if (info != Reflection::ClassOf(b))  // a rest entry of another class: the whole entry changed
            return Add(path, Kind::Changed, WholeText(a, name), WholeText(b, name));
        for (const Property& property : info->Properties()) {
            if (property.IsAttribute()) {
                Attribute(path + "@" + property.Name(), property, a, b);
            } else if (property.IsCollection()) {
                List(Below(path, property.Name()), property, a, b);
            } else if (property.GetKind() == Property::Kind::Choice) {
                for (const Property& branch : property.Branches()) Child(path, branch, a, b);
            } else {
                Child(path, property, a, b);
            }
        }
    }

private:
    // The path of the element `name` within `parent` ("" for the outermost).
    static std::string Below(const std::string& parent, const char* name) {
        return parent.empty() ? std::string(name) : parent + "/" + name;
    }

    void Add(const std::string& path, Kind kind, std::string oldText, std::string newText) {
        m_out.push_back(Difference{path, kind, std::move(oldText), std::move(newText)});
    }

    void Attribute(const std::string& path, const Property& property, const CXmlObjectBase& a,
                   const CXmlObjectBase& b) {
        const bool validA = property.IsValid(a);
        const bool validB = property.IsValid(b);
        if (!validA && !validB) return;
        if (!validB) return Add(path, Kind::Removed, property.GetText(a), std::string());
        if (!validA) return Add(path, Kind::Added, std::string(), property.GetText(b));
        if (property.GetType() == Property::Type::Double) {
            if (SameDouble(property.GetDouble(a), property.GetDouble(b), m_tolerance)) return;
            return Add(path, Kind::Changed, property.GetText(a), property.GetText(b));
        }
        std::string textA = property.GetText(a);
        std::string textB = property.GetText(b);
        if (textA != textB) Add(path, Kind::Changed, std::move(textA), std::move(textB));
    }

    void Child(const std::string& parent, const Property& property, const CXmlObjectBase& a, const CXmlObjectBase& b) {
        const CXmlObjectBase* childA = property.GetChild(a);
        const CXmlObjectBase* childB = property.GetChild(b);
        const std::string path = Below(parent, property.Name());
        if (childA != nullptr && childB != nullptr) return Element(path, property.Name(), *childA, *childB);
        if (childA != nullptr) Add(path, Kind::Removed, WholeText(*childA, property.Name()), std::string());
        if (childB != nullptr) Add(path, Kind::Added, std::string(), WholeText(*childB, property.Name()));
    }

    // The "[Id=3]" of each item, or nothing when an item has no identity or two share one.
    static std::optional<std::vector<std::string>> Identities(const std::vector<CXmlObjectBase*>& items) {
        std::vector<std::string> keys;
        keys.reserve(items.size());
        for (const CXmlObjectBase* item : items) {
            const ClassInfo* info = Reflection::ClassOf(*item);
            const Property* identity = info != nullptr ? IdentityOf(*info) : nullptr;
            if (identity == nullptr) return std::nullopt;
            keys.push_back(std::string("[") + identity->Name() + "=" + identity->GetText(*item) + "]");
        }
        std::vector<std::string> sorted = keys;
        std::sort(sorted.begin(), sorted.end());
        if (std::adjacent_find(sorted.begin(), sorted.end()) != sorted.end()) return std::nullopt;
        return keys;
    }

    void List(const std::string& path, const Property& property, const CXmlObjectBase& a, const CXmlObjectBase& b) {
        const std::vector<CXmlObjectBase*> itemsA = property.Children(a);
        const std::vector<CXmlObjectBase*> itemsB = property.Children(b);
        const auto keysA = Identities(itemsA);
        const auto keysB = keysA ? Identities(itemsB) : std::nullopt;
        if (!keysA || !keysB) return ByPosition(path, property.Name(), itemsA, itemsB);

        std::unordered_map<std::string_view, std::size_t> indexB;
        for (std::size_t j = 0; j < keysB->size(); ++j) indexB.emplace((*keysB)[j], j);
        std::unordered_map<std::string_view, std::size_t> indexA;
        std::vector<std::size_t> commonInB;  // the B index of each item on both sides, in A's order
        for (std::size_t i = 0; i < keysA->size(); ++i) {
            const auto found = indexB.find((*keysA)[i]);
            if (found == indexB.end()) {
                Add(path + (*keysA)[i], Kind::Removed, WholeText(*itemsA[i], property.Name()), std::string());
                continue;
            }
            indexA.emplace((*keysA)[i], i);
            commonInB.push_back(found->second);
        }
        // The most items that kept their order stay; each other one moved.
        std::vector<bool> stayed(itemsB.size(), false);
        for (std::size_t k : LongestIncreasing(commonInB)) stayed[commonInB[k]] = true;
        for (std::size_t j = 0; j < itemsB.size(); ++j) {
            const std::string itemPath = path + (*keysB)[j];
            const auto found = indexA.find((*keysB)[j]);
            if (found == indexA.end()) {
                Add(itemPath, Kind::Added, std::string(), WholeText(*itemsB[j], property.Name()));
                continue;
            }
            if (!stayed[j]) Add(itemPath, Kind::Moved, std::to_string(found->second + 1), std::to_string(j + 1));
            Element(itemPath, property.Name(), *itemsA[found->second], *itemsB[j]);
        }
    }

    void ByPosition(const std::string& path, const char* name, const std::vector<CXmlObjectBase*>& itemsA,
                    const std::vector<CXmlObjectBase*>& itemsB) {
        for (std::size_t i = 0; i < std::max(itemsA.size(), itemsB.size()); ++i) {
            const std::string itemPath = path + "[" + std::to_string(i + 1) + "]";
            if (i >= itemsB.size())
                Add(itemPath, Kind::Removed, WholeText(*itemsA[i], name), std::string());
            else if (i >= itemsA.size())
                Add(itemPath, Kind::Added, std::string(), WholeText(*itemsB[i], name));
            else
                Element(itemPath, name, *itemsA[i], *itemsB[i]);
        }
    }

    double m_tolerance;
    std::vector<Difference>& m_out;
};

void AppendShown(std::string& line, const std::string& text) {
    static const char* const kHex = "0123456789abcdef";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte != 0x7f) {
            line += c;
            continue;
        }
        switch (c) {
            case '\n': line += "\\n"; break;
            case '\t': line += "\\t"; break;
            case '\r': line += "\\r"; break;
            default:
                line += "\\x";
                line += kHex[byte >> 4];
                line += kHex[byte & 15];
        }
    }
}

}  // namespace

const Property* IdentityOf(const ClassInfo& itemClass) noexcept {
    for (const Property& property : itemClass.Properties())
        if (property.IsAttribute() && property.IsRequired() && IsIdentityName(property.Name())) return &property;
    return nullptr;
}

std::vector<Difference> Compare(const CXmlObjectBase& before, const CXmlObjectBase& after, const Options& options) {
    if (!(options.tolerance >= 0)) throw CLtException("The tolerance of a comparison must be 0 or more");
    const ClassInfo* info = Reflection::ClassOf(before);
    if (info == nullptr || info != Reflection::ClassOf(after))
        throw CLtException("Only two objects of the same element class can be compared");
    std::vector<Difference> differences;
    Comparer(options, differences).Element(std::string(), before.GetElementName(), before, after);
    return differences;
}

const char* KindName(Kind kind) noexcept {
    switch (kind) {
        case Kind::Changed: return "changed";
        case Kind::Added: return "added";
        case Kind::Removed: return "removed";
        case Kind::Moved: return "moved";
    }
    return "changed";
}

std::string FormatLine(const Difference& difference) {
    std::string line = difference.path + ": ";
    const auto side = [&](const std::string& text, bool absent) {
        if (difference.kind == Kind::Moved) line += "position ";
        if (absent)
            line += "(none)";
        else
            AppendShown(line, text);
    };
    side(difference.oldText, difference.kind == Kind::Added);
    line += " -> ";
    side(difference.newText, difference.kind == Kind::Removed);
    return line;
}

}  // namespace Diff
}  // namespace VantrelLib
