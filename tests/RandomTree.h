#pragma once
// A seeded generator of random object trees of every class, one walk over the
// class declarations (reflection): optional attributes and children set or not, collections of
// 0..N items (never fewer than their minimum), rest entries of all three
// classes, both branches of the choice, doubles with special values (NaN, INF,
// -0, subnormals, extremes; NaN is always the one quiet NaN, as text carries no
// NaN payload), integers at their limits, and strings with
// whitespace, markup characters and non-ASCII UTF-8. Every tree it makes can
// be written. The same seed and options always give the same tree.

#include <cstdint>
#include <random>
#include <string>

#include <VantrelLib/VantrelLib.h>
#include <VantrelLib/framework/Reflection.h>

namespace randomtree {

struct Options {
    // Collections hold 0..maxItems items (1..maxItems where one is required).
    int maxItems = 3;
    // The chance that an optional attribute or child element is set.
    double optionalChance = 0.5;
    // Every optional attribute and child set, every collection holding
    // maxItems items (at least 1), the polymorphic lists holding every rest
    // entry class, and the choice entries alternating between both branches.
    bool full = false;
};

class Generator {
public:
    explicit Generator(std::uint64_t seed, Options options = Options());

    // A whole document.
    LtXmlLib3::CSmartPtr<VantrelLib::CVantrel> Vantrel();

    // Fill an object of any class in place with random values (children and
    // items included), walking its declaration.
    void Fill(LtXmlLib3::CXmlObjectBase& object);

    // Single random values, as the fillers use them.
    double Double();
    std::int64_t Int64();
    std::uint64_t UInt64();
    bool Bool();
    // Valid UTF-8 that XML can carry, 0..16 characters.
    std::string String();
    // A value in 0..count-1.
    int Below(int count);
    // True with the options' optional chance (always in full mode).
    bool Maybe();
    // A collection size: minimum..maxItems (maxItems, at least 1, in full mode).
    int Count(int minimum);


private:
    LtXmlLib3::CSmartPtr<LtXmlLib3::CXmlObjectBase> New(const VantrelLib::Reflection::ClassInfo& info);
    void SetRandom(LtXmlLib3::CXmlObjectBase& object, const VantrelLib::Reflection::Property& property);

    std::mt19937_64 m_engine;
    Options m_options;
    int m_choiceTurn = 0;  // alternates the choice branch in full mode
};

// A whole random document for `seed`.
LtXmlLib3::CSmartPtr<VantrelLib::CVantrel> RandomVantrel(std::uint64_t seed, const Options& options = Options());

}  // namespace randomtree
