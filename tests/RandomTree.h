#pragma once
// A seeded generator of random object trees of every class, built through the
// public API only: optional attributes and children set or not, collections of
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

    // Fill an object in place with random values (children and items included).
    void Fill(gdt::CPoint& point);
    void Fill(gdt::CRangeDouble& range);
    void Fill(gdt::CBox& box);
    void Fill(gdt::CFrame& frame);
    void Fill(gdt::CLoadcase& loadcase);
    void Fill(gdt::CAttachedFile& file);

    void Fill(VantrelLib::CVantrel& root);
    void Fill(VantrelLib::CGeneralData& data);
    void Fill(VantrelLib::CPrincipalDimension& dimension);
    void Fill(VantrelLib::CGeneralConstants& constants);
    void Fill(VantrelLib::CAttachedFiles& files);
    void Fill(VantrelLib::CFrameTableData& table);
    void Fill(VantrelLib::CFrameTableEntry& entry);

    void Fill(VantrelLib::CLoadcaseData& data);
    void Fill(VantrelLib::CLoadcaseInputData& input);
    void Fill(VantrelLib::CLoadEnvelopeData& envelopes);
    void Fill(VantrelLib::CLongitudinalPosition& position);
    void Fill(VantrelLib::CLoadEnvelopeForce& force);

    void Fill(VantrelLib::CMasses& masses);
    void Fill(VantrelLib::CMassBoxes& boxes);
    void Fill(VantrelLib::CMassBoxData& box);
    void Fill(VantrelLib::CMassNodeSelectionData& selection);
    void Fill(VantrelLib::CMassElementGroups& groups);
    void Fill(VantrelLib::CElementgroupData& group);
    void Fill(VantrelLib::CMassTanks& tanks);
    void Fill(VantrelLib::CMassTankData& tank);
    void Fill(VantrelLib::CMassContainer& container);
    void Fill(VantrelLib::CMassContainerData& container);
    void Fill(VantrelLib::CRow& row);
    void Fill(VantrelLib::CMassAssembled& assembled);
    void Fill(VantrelLib::CMassAssembledData& assembled);
    void Fill(VantrelLib::CRestEntry& entry);
    void Fill(VantrelLib::CContainerEntry& entry);
    void Fill(VantrelLib::CTankEntry& entry);

    void Fill(VantrelLib::CHydrodynamic& hydrodynamic);
    void Fill(VantrelLib::CHydroData& data);
    void Fill(VantrelLib::CScan& scan);
    void Fill(VantrelLib::CHydroScanBlockEntry& block);
    void Fill(VantrelLib::CSelect& select);
    void Fill(VantrelLib::CHydroSelectEntry& entry);
    void Fill(VantrelLib::CHydroSelectFactorEntry& factor);
    void Fill(VantrelLib::CHydroSelectWaveEntry& wave);

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

    std::mt19937_64& Engine() noexcept { return m_engine; }

private:
    template <class T>
    LtXmlLib3::CSmartPtr<T> New();
    void FillRestEntryBase(VantrelLib::IRestEntry& entry);
    void FillRestList(VantrelLib::CIRestEntryCol& list);

    std::mt19937_64 m_engine;
    Options m_options;
    int m_choiceTurn = 0;  // alternates the choice branch in full mode
};

// A whole random document for `seed`.
LtXmlLib3::CSmartPtr<VantrelLib::CVantrel> RandomVantrel(std::uint64_t seed, const Options& options = Options());

}  // namespace randomtree
