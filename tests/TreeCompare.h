#pragma once
// Value-by-value comparison of two object trees through the reflection over
// the class declarations, shared by the tests (a re-writing of both trees would
// compare texts, not values).
//
//   treecompare::TreeComparer comparer(treecompare::TreeComparer::Mode::Values);
//   comparer.Compare(*expected, *actual);          // a CVantrel, or any element class
//   EXPECT_TRUE(comparer.Mismatches().empty());
//
// or in one line: EXPECT_TRUE(treecompare::Equal(*expected, *actual));
// Each mismatch is a line "path: what", e.g.
// "Vantrel/Masses/MassBoxes/BoxEntry[2]/CoG@z: 1.5 (bits ...) vs 2 (bits ...)".

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <set>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

#include <VantrelLib/VantrelLib.h>
#include <VantrelLib/framework/Reflection.h>

namespace treecompare {

inline std::uint64_t Bits(double value) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// Comparing two object trees, value by value, through the public getters.
// Doubles compare bit for bit (so NaN equals NaN and -0 differs from 0);
// element names, collection counts, validity flags and the class of each
// rest entry are compared too. In SourceComplete mode the first tree must
// also have every optional attribute and child set and every collection
// filled, and the classes visited are recorded, so a test can tell that a
// document really holds every class.

class TreeComparer {
public:
    enum class Mode { Values, SourceComplete };
    explicit TreeComparer(Mode mode) : m_mode(mode) {}

    // Any element class as the outermost object; paths start with its element name.
    void Compare(const LtXmlLib3::CXmlObjectBase& a, const LtXmlLib3::CXmlObjectBase& b) {
        Walk(std::string(a.GetElementName()), a, b);
    }

    const std::vector<std::string>& Mismatches() const { return m_mismatches; }
    const std::set<std::string>& ClassesSeen() const { return m_classes; }

private:
    using Object = LtXmlLib3::CXmlObjectBase;
    using Property = VantrelLib::Reflection::Property;

    void Mismatch(const std::string& where, const std::string& what) { m_mismatches.push_back(where + ": " + what); }

    template <class V>
    static std::string Show(const V& value) {
        std::ostringstream text;
        if constexpr (std::is_same_v<V, double>)
            text << LtXmlLib3::CConversions::r8ToString(value) << " (bits " << std::hex << Bits(value) << ")";
        else
            text << '[' << value << ']';
        return text.str();
    }
    template <class V>
    void Same(const std::string& where, const V& a, const V& b) {
        if constexpr (std::is_same_v<V, double>) {
            if (Bits(a) == Bits(b)) return;
        } else if (a == b) {
            return;
        }
        Mismatch(where, Show(a) + " vs " + Show(b));
    }

    void Walk(const std::string& where, const Object& a, const Object& b) {
        const auto* info = VantrelLib::Reflection::ClassOf(a);
        if (info == nullptr || info != VantrelLib::Reflection::ClassOf(b))
            return Mismatch(where, std::string("class ") + (info ? info->ClassName() : "?") + " vs another");
        m_classes.insert(info->ClassName());
        Same(where + "#element", a.GetElementName(), b.GetElementName());
        for (const Property& property : info->Properties()) {
            if (property.IsAttribute()) {
                Attribute(where + "@" + property.Name(), property, a, b);
            } else if (property.IsCollection()) {
                List(where + "/" + property.Name(), property, a, b);
            } else {
                const Object* childA = property.GetChild(a);
                const Object* childB = property.GetChild(b);
                const std::string at = where + "/" + (childA ? std::string(childA->GetElementName()) : property.Name());
                if (m_mode == Mode::SourceComplete && childA == nullptr) Mismatch(at, "absent in the source");
                if (!childA != !childB) {
                    Mismatch(at, "present in one tree only");
                } else if (childA != nullptr) {
                    Walk(at, *childA, *childB);
                }
            }
        }
    }

    void Attribute(const std::string& at, const Property& property, const Object& a, const Object& b) {
        const bool validA = property.IsValid(a);
        if (m_mode == Mode::SourceComplete && !validA) Mismatch(at, "not set in the source");
        if (validA != property.IsValid(b)) return Mismatch(at, "valid in one tree only");
        if (!validA) return;
        switch (property.GetType()) {
            case Property::Type::Double: return Same(at, property.GetDouble(a), property.GetDouble(b));
            case Property::Type::Int64: return Same(at, property.GetInt64(a), property.GetInt64(b));
            case Property::Type::UInt64: return Same(at, property.GetUInt64(a), property.GetUInt64(b));
            case Property::Type::Bool: return Same(at, property.GetBool(a), property.GetBool(b));
            case Property::Type::String: return Same(at, property.GetString(a), property.GetString(b));
            case Property::Type::Enumeration:
                return Same(at, property.GetEnumeration(a), property.GetEnumeration(b));
            case Property::Type::Element: return;
        }
    }

    void List(const std::string& at, const Property& property, const Object& a, const Object& b) {
        const int count = property.Count(a);
        if (m_mode == Mode::SourceComplete && count == 0) Mismatch(at, "empty in the source");
        Same(at + "#count", count, property.Count(b));
        if (count != property.Count(b)) return;
        for (int i = 0; i < count; ++i)
            Walk(at + "[" + std::to_string(i) + "]", *property.Item(a, i), *property.Item(b, i));
    }

    Mode m_mode;
    std::vector<std::string> m_mismatches;
    std::set<std::string> m_classes;
};

// Every element class of both namespaces (IRestEntry is abstract).
inline std::set<std::string> AllClassNames() {
    std::set<std::string> names;
    for (const auto* info : VantrelLib::Reflection::Classes()) names.insert(info->ClassName());
    return names;
}

// The differences between two trees, as "path: what" lines (empty when equal).
inline std::vector<std::string> Differences(const LtXmlLib3::CXmlObjectBase& a, const LtXmlLib3::CXmlObjectBase& b) {
    TreeComparer comparer(TreeComparer::Mode::Values);
    comparer.Compare(a, b);
    return comparer.Mismatches();
}

// Success when the two trees hold the same values (any element class as the
// outermost object); otherwise a failure listing the first 20 mismatches.
inline ::testing::AssertionResult Equal(const LtXmlLib3::CXmlObjectBase& expected,
                                        const LtXmlLib3::CXmlObjectBase& actual) {
    const std::vector<std::string> mismatches = Differences(expected, actual);
    if (mismatches.empty()) return ::testing::AssertionSuccess();
    ::testing::AssertionResult failure = ::testing::AssertionFailure();
    failure << mismatches.size() << " mismatch(es):";
    for (std::size_t i = 0; i < mismatches.size() && i < 20; ++i) failure << "\n  " << mismatches[i];
    return failure;
}

}  // namespace treecompare
