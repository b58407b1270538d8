#pragma once
// Comparing two object trees value by value, for the tests: the library's
// semantic diff over the class declarations (doubles bit for bit, so NaN
// equals NaN and -0 differs from 0; validity, counts, order and the class of
// each rest entry). A re-writing of both trees would compare texts, not values.
//
//   EXPECT_TRUE(treecompare::Equal(*expected, *actual));

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include <VantrelLib/VantrelLib.h>

namespace treecompare {

inline std::uint64_t Bits(double value) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// Every element class of both namespaces (IRestEntry is abstract).
inline std::set<std::string> AllClassNames() {
    std::set<std::string> names;
    for (const auto* info : VantrelLib::Reflection::Classes()) names.insert(info->ClassName());
    return names;
}

// The differences between two trees, one "path: old -> new" line each (empty when equal).
inline std::vector<std::string> Differences(const LtXmlLib3::CXmlObjectBase& a, const LtXmlLib3::CXmlObjectBase& b) {
    std::vector<std::string> lines;
    try {
        for (const auto& difference : VantrelLib::Diff::Compare(a, b))
            lines.push_back(VantrelLib::Diff::FormatLine(difference));
    } catch (const LtXmlLib3::CLtException& error) {  // trees of different classes
        lines.push_back(error.what());
    }
    return lines;
}

// Success when the two trees hold the same values (any element class as the
// outermost object); otherwise a failure listing the first 20 differences.
inline ::testing::AssertionResult Equal(const LtXmlLib3::CXmlObjectBase& expected,
                                        const LtXmlLib3::CXmlObjectBase& actual) {
    const std::vector<std::string> differences = Differences(expected, actual);
    if (differences.empty()) return ::testing::AssertionSuccess();
    ::testing::AssertionResult failure = ::testing::AssertionFailure();
    failure << differences.size() << " difference(s):";
    for (std::size_t i = 0; i < differences.size() && i < 20; ++i) failure << "\n  " << differences[i];
    return failure;
}

}  // namespace treecompare
