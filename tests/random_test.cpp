// Randomised round trips: seeded random trees of every class, built through the
// API, are written, read back and compared value by value through the getters.

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <limits>
#include <random>
#include <string>

#include <VantrelLib/VantrelLib.h>

#include "RandomTree.h"
#include "TreeCompare.h"

namespace {

using LtXmlLib3::CSmartPtr;
using namespace VantrelLib;

// Writes `object`, reads the text into a fresh T and compares the values; the
// re-written text must also be the same.
template <class T>
void ExpectRoundTrip(T& object, std::uint64_t seed) {
    const std::string text = object.ToXml();
    CSmartPtr<T> read = T::CreateInstance();
    try {
        read->FromXml(text);
    } catch (const LtXmlLib3::CLtException& error) {
        FAIL() << "seed " << seed << ": " << error.FormatChain() << text.substr(0, 2000);
    }
    EXPECT_TRUE(treecompare::Equal(object, *read)) << "seed " << seed << "\n" << text.substr(0, 2000);
    EXPECT_EQ(read->ToXml(), text) << "seed " << seed;
}

}  // namespace

// Whole documents: a few hundred random trees and some with everything set.
TEST(RandomDocuments, RoundTripValueByValue) {
    const auto start = std::chrono::steady_clock::now();
    std::size_t bytes = 0;
    for (std::uint64_t seed = 1; seed <= 300; ++seed) {
        randomtree::Options options;
        options.full = seed % 50 == 0;
        options.maxItems = 1 + static_cast<int>(seed % 4);
        options.optionalChance = static_cast<double>(seed % 5) / 4.0;
        CSmartPtr<CVantrel> document = randomtree::RandomVantrel(seed, options);
        bytes += document->ToXml().size();
        ExpectRoundTrip(*document, seed);
        if (HasFailure()) break;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("[ random   ] 300 documents, %zu bytes in all, %.2f s\n", bytes, seconds);
}

// The parser on a thread of its own reads what the calling thread reads, and
// refuses what it refuses with the same messages.
TEST(RandomDocuments, AParserThreadReadsAlike) {
    LtXmlLib3::CReadOptions threaded;
    threaded.parseOnThreadFromBytes = 0;
    auto chain = [](const std::string& text, const LtXmlLib3::CReadOptions& options) {
        auto read = CVantrel::CreateInstance();
        try {
            read->FromXml(text, options);
            return read->ToXml();
        } catch (const LtXmlLib3::CLtException& error) {
            return error.FormatChain();
        }
    };
    for (std::uint64_t seed = 1; seed <= 12; ++seed) {
        randomtree::Options options;
        options.full = seed % 3 == 0;
        options.maxItems = 3 + static_cast<int>(seed % 5) * 4;  // the full ones span many batches
        CSmartPtr<CVantrel> document = randomtree::RandomVantrel(seed, options);
        const std::string text = document->ToXml();
        auto read = CVantrel::CreateInstance();
        read->FromXml(text, threaded);
        EXPECT_TRUE(treecompare::Equal(*document, *read)) << "seed " << seed;
        EXPECT_EQ(read->ToXml(), text) << "seed " << seed;
        // Faults at a quarter, half and the end of the text: a bad value, a
        // foreign element, malformed XML.
        const std::size_t quarter = text.find("=\"", text.size() / 4);
        ASSERT_NE(quarter, std::string::npos);
        const std::string faults[] = {
            text.substr(0, quarter + 2) + "#" + text.substr(quarter + 2),
            text.substr(0, text.find('<', text.size() / 2)) + "<Foreign/>" + text.substr(text.find('<', text.size() / 2)),
            text.substr(0, text.size() - 3),
        };
        for (const std::string& fault : faults) {
            const std::string expected = chain(fault, LtXmlLib3::CReadOptions());
            EXPECT_NE(expected, "") << "seed " << seed;
            EXPECT_EQ(chain(fault, threaded), expected) << "seed " << seed;
        }
        if (HasFailure()) break;
    }
}

TEST(RandomDocuments, SameSeedSameTree) {
    for (std::uint64_t seed : {1u, 2u, 99u}) {
        EXPECT_EQ(randomtree::RandomVantrel(seed)->ToXml(), randomtree::RandomVantrel(seed)->ToXml());
    }
    EXPECT_NE(randomtree::RandomVantrel(1)->ToXml(), randomtree::RandomVantrel(2)->ToXml());
}

// The generator reaches what it promises: every rest entry class in the
// polymorphic lists, both choice branches, special doubles, non-ASCII text.
TEST(RandomDocuments, GeneratorCoversTheFormsItPromises) {
    std::string all;
    for (std::uint64_t seed = 1; seed <= 100; ++seed) all += randomtree::RandomVantrel(seed)->ToXml();
    for (const char* form : {"xs:type=\"RestEntry\"", "xs:type=\"TankEntry\"", "xs:type=\"ContainerEntry\"",
                             "<Factor", "<Wave", "\"NaN\"", "\"INF\"", "\"-INF\"", "\"-0\"", "&#10;", "&#13;",
                             "&#9;", "&amp;", "&lt;", "&quot;", "\xF0\x9D\x84\x9E", "18446744073709551615",
                             "-9223372036854775808", "<UnitLoadCase", "<Row", "<Interval", "<FrameEntry"}) {
        EXPECT_NE(all.find(form), std::string::npos) << form;
    }
}

// The shared comparison sees the kinds of difference the random trees vary
// beyond those the end-to-end tests check it for.
TEST(RandomDocuments, ComparisonSeesEveryKindOfValue) {
    randomtree::Options full;
    full.full = true;
    full.maxItems = 2;
    auto original = randomtree::RandomVantrel(5, full);
    const std::string text = original->ToXml();
    auto fresh = [&] {
        auto copy = CVantrel::CreateInstance();
        copy->FromXml(text);
        return copy;
    };
    ASSERT_TRUE(treecompare::Equal(*original, *fresh()));

    struct Change {
        const char* what;
        std::function<void(CVantrel&)> apply;
    };
    const Change changes[] = {
        {"NaN for a number", [](CVantrel& v) { v.GetGeneralData()->GetPrincipalDimension()->SetLpp(std::nan("")); }},
        {"an optional child dropped",
         [](CVantrel& v) { v.GetGeneralData()->GetAttachedFiles()->SetFiniteElement(nullptr); }},
        {"an enumeration",
         [](CVantrel& v) {
             auto row = v.GetMasses()->GetMassContainer()->GetContainerEntry()->Item(0)->GetRow()->Item(0);
             row->SetSymmetry(row->GetSymmetry() == gdt::CEnumerations::RSymmetry_P ? gdt::CEnumerations::RSymmetry_S
                                                                                    : gdt::CEnumerations::RSymmetry_P);
         }},
        {"the branch of a choice",
         [](CVantrel& v) {
             auto entry = v.GetHydrodynamic()->GetMassDistribution()->Item(0)->GetSelect()->GetSelectEntry()->Item(0);
             if (entry->GetFactor() != nullptr)
                 entry->SetWave(CHydroSelectWaveEntry::CreateInstance());
             else
                 entry->SetFactor(CHydroSelectFactorEntry::CreateInstance());
         }},
        {"an unsigned integer",
         [](CVantrel& v) {
             auto base = v.GetLoadcaseData()->GetLoadcaseInput()->GetBaseLoadCase();
             base->SetLoadcaseId(base->GetLoadcaseId() ^ 1u);
         }},
        {"a boolean",
         [](CVantrel& v) {
             auto table = v.GetGeneralData()->GetFrameTable();
             table->SetKeepAft(!table->GetKeepAft());
         }},
    };
    for (const Change& change : changes) {
        auto changed = fresh();
        change.apply(*changed);
        EXPECT_FALSE(treecompare::Equal(*original, *changed)) << change.what;
    }
}

// The value conversions on random bit patterns: doubles come back with the same
// bits (any NaN as a NaN), integers exactly, across their whole ranges.
TEST(RandomValues, NumbersRoundTripThroughText) {
    using LtXmlLib3::CConversions;
    std::mt19937_64 engine(42);
    for (int i = 0; i < 20000; ++i) {
        const std::uint64_t bits = engine();
        double value;
        std::memcpy(&value, &bits, sizeof value);
        const std::string text = CConversions::r8ToString(value);
        const double back = CConversions::r8FromString(text, 2);
        if (std::isnan(value)) {
            ASSERT_TRUE(std::isnan(back)) << text;
        } else {
            std::uint64_t backBits;
            std::memcpy(&backBits, &back, sizeof back);
            ASSERT_EQ(backBits, bits) << text;
        }
        const auto signedValue = static_cast<std::int64_t>(bits);
        ASSERT_EQ(CConversions::i8FromString(CConversions::i8ToString(signedValue), 2), signedValue);
        ASSERT_EQ(CConversions::ui8FromString(CConversions::ui8ToString(bits), 2), bits);
    }
}
