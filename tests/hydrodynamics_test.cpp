// The "Hydrodynamic" section: data sets with their scan blocks and load
// selections, the choice of a selection entry, and the reading and writing faults.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include <VantrelLib/VantrelLib.h>

#include "TestSupport.h"

namespace {

using LtXmlLib3::CSmartPtr;
using testsupport::AttributesOf;
using testsupport::ChainOf;
using testsupport::ChildrenOf;
using testsupport::ConvertOf;
using testsupport::ReadFailure;
using testsupport::Unknown;
using VantrelLib::CEnumerations;
using VantrelLib::CHydroData;
using VantrelLib::CHydrodynamic;
using VantrelLib::CHydroScanBlockEntry;
using VantrelLib::CHydroSelectEntry;
using VantrelLib::CHydroSelectFactorEntry;
using VantrelLib::CHydroSelectWaveEntry;
using VantrelLib::CScan;
using VantrelLib::CSelect;
using Chain = std::vector<std::string>;

const std::string kDeclarations =
    R"( xmlns:xs="http://www.w3.org/2001/XMLSchema-instance" xmlns:gdt="http://www.vantrel.org/XML/GlobalDataTypes")";
const std::string kProlog = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";

const char* const kChoiceNotSet =
    "This element is a choice, and as such must have at one (and only one) valid item, currently there are none set";
const char* const kChoiceNotRead =
    "No elements were populated. The element represents a choice, so one any only one element should be populated";

Chain operator+(Chain head, const Chain& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

// A factor branch with its two ranges set.
CSmartPtr<CHydroSelectFactorEntry> MakeFactor(double directionFrom, double directionTo) {
    auto factor = CHydroSelectFactorEntry::CreateInstance();
    factor->GetRangeDirection()->SetFrom(directionFrom);
    factor->GetRangeDirection()->SetTo(directionTo);
    factor->GetRangeXLpp()->SetFrom(0.25);
    factor->GetRangeXLpp()->SetTo(0.75);
    return factor;
}

// --- Writing and reading back ------------------------------------------------

// Two data sets: scan blocks with texts the library must carry untouched, and
// selection entries of both branches.
CSmartPtr<CHydrodynamic> MakeSection() {
    auto section = CHydrodynamic::CreateInstance();

    auto first = section->GetMassDistribution()->Add();
    first->SetId(7);
    first->SetMassAssembledIdRef(3);
    auto block = first->GetScan()->GetScanBlock()->Add();
    block->SetId(1);
    block->SetWaveHeight("1.0 2.0  3.0");
    block->SetShipsSpeed(" 12 ");
    block->SetHeelingAngle("0\t5\t10");
    block->SetWaveLengthLpp("0.5\n1.0\r\n1.5");
    block->SetAnglesOfEncounter("");
    block->SetWavePhase("0 90 180 270");
    first->GetScan()->GetScanBlock()->Add()->SetId(-2);

    auto factorEntry = first->GetSelect()->GetSelectEntry()->Add();
    factorEntry->SetTitle("  hogging  midship ");
    factorEntry->SetType(CEnumerations::RHydroSelectType_Max);
    auto factor = MakeFactor(-30, 30);
    factor->SetBendingMomentVertical(1.5e9);
    factor->SetShearVertical(-2.25);
    factorEntry->SetFactor(factor);

    auto waveEntry = first->GetSelect()->GetSelectEntry()->Add();
    waveEntry->SetType(CEnumerations::RHydroSelectType_Fix);
    auto wave = CHydroSelectWaveEntry::CreateInstance();
    wave->SetAmpl(4.5);
    wave->SetLtoLpp(1);
    wave->SetDirection(180);
    wave->SetPhase(-90);
    wave->SetHeel(0.125);
    waveEntry->SetWave(wave);

    section->GetMassDistribution()->Add()->SetId(8);  // a fresh set: empty "Scan" and "Select"
    return section;
}

const std::string kSectionXml = kProlog + "<Hydrodynamic" + kDeclarations + R"(>
  <MassDistribution Id="7" MassAssembledIdRef="3">
    <Scan>
      <ScanBlock Id="1" WaveHeight="1.0 2.0  3.0" ShipsSpeed=" 12 " HeelingAngle="0&#9;5&#9;10" WaveLengthLpp="0.5&#10;1.0&#13;&#10;1.5" AnglesOfEncounter="" WavePhase="0 90 180 270"/>
      <ScanBlock Id="-2"/>
    </Scan>
    <Select>
      <SelectEntry Title="  hogging  midship " Type="Max">
        <Factor ShearVertical="-2.25" BendingMomentVertical="1500000000">
          <RangeDirection from="-30" to="30"/>
          <RangeXLpp from="0.25" to="0.75"/>
        </Factor>
      </SelectEntry>
      <SelectEntry Type="Fix">
        <Wave Ampl="4.5" LtoLpp="1" Direction="180" Phase="-90" Heel="0.125"/>
      </SelectEntry>
    </Select>
  </MassDistribution>
  <MassDistribution Id="8">
    <Scan/>
    <Select/>
  </MassDistribution>
</Hydrodynamic>
)";

TEST(HydroRoundTrip, WholeSectionIsWrittenInSchemaOrderAndReadBack) {
    auto section = MakeSection();
    ASSERT_EQ(section->ToXml(), kSectionXml);

    auto read = testsupport::RoundTrip(section.get());
    auto sets = read->GetMassDistribution();
    ASSERT_EQ(sets->GetCount(), 2);

    auto first = sets->Item(0);
    EXPECT_EQ(first->GetElementName(), "MassDistribution");
    EXPECT_EQ(first->GetId(), 7);
    EXPECT_EQ(first->GetMassAssembledIdRef(), 3);
    auto blocks = first->GetScan()->GetScanBlock();
    ASSERT_EQ(blocks->GetCount(), 2);
    EXPECT_EQ(blocks->Item(0)->GetWaveHeight(), "1.0 2.0  3.0");
    EXPECT_EQ(blocks->Item(0)->GetShipsSpeed(), " 12 ");
    EXPECT_EQ(blocks->Item(0)->GetHeelingAngle(), "0\t5\t10");
    EXPECT_EQ(blocks->Item(0)->GetWaveLengthLpp(), "0.5\n1.0\r\n1.5");
    EXPECT_TRUE(blocks->Item(0)->IsValidAnglesOfEncounter());
    EXPECT_EQ(blocks->Item(0)->GetAnglesOfEncounter(), "");
    EXPECT_EQ(blocks->Item(1)->GetId(), -2);
    EXPECT_FALSE(blocks->Item(1)->IsValidWaveHeight());

    auto entries = first->GetSelect()->GetSelectEntry();
    ASSERT_EQ(entries->GetCount(), 2);
    auto factorEntry = entries->Item(0);
    EXPECT_EQ(factorEntry->GetTitle(), "  hogging  midship ");
    EXPECT_EQ(factorEntry->GetType(), CEnumerations::RHydroSelectType_Max);
    EXPECT_EQ(factorEntry->GetChoiceSelectedElement(), "Factor");
    EXPECT_EQ(factorEntry->GetWave().get(), nullptr);
    auto factor = factorEntry->GetFactor();
    ASSERT_NE(factor.get(), nullptr);
    EXPECT_EQ(factor->GetElementName(), "Factor");
    EXPECT_EQ(factor->GetBendingMomentVertical(), 1.5e9);
    EXPECT_EQ(factor->GetShearVertical(), -2.25);
    EXPECT_FALSE(factor->IsValidTorsion());
    EXPECT_EQ(factor->GetRangeDirection()->GetFrom(), -30);
    EXPECT_EQ(factor->GetRangeXLpp()->GetTo(), 0.75);

    auto waveEntry = entries->Item(1);
    EXPECT_FALSE(waveEntry->IsValidTitle());
    EXPECT_EQ(waveEntry->GetChoiceSelectedElement(), "Wave");
    EXPECT_EQ(waveEntry->GetFactor().get(), nullptr);
    ASSERT_NE(waveEntry->GetWave().get(), nullptr);
    EXPECT_EQ(waveEntry->GetWave()->GetHeel(), 0.125);

    auto fresh = sets->Item(1);
    EXPECT_FALSE(fresh->IsValidMassAssembledIdRef());
    EXPECT_EQ(fresh->GetScan()->GetScanBlock()->GetCount(), 0);
    EXPECT_EQ(fresh->GetSelect()->GetSelectEntry()->GetCount(), 0);
}

TEST(HydroRoundTrip, FreshObjectsWriteTheirDefaults) {
    EXPECT_EQ(CHydrodynamic::CreateInstance()->ToXml(), kProlog + "<Hydrodynamic" + kDeclarations + "/>\n");
    EXPECT_EQ(CScan::CreateInstance()->ToXml(), kProlog + "<Scan" + kDeclarations + "/>\n");
    EXPECT_EQ(CSelect::CreateInstance()->ToXml(), kProlog + "<Select" + kDeclarations + "/>\n");
    EXPECT_EQ(CHydroScanBlockEntry::CreateInstance()->ToXml(),
              kProlog + "<HydroScanBlockEntry" + kDeclarations + " Id=\"0\"/>\n");
    EXPECT_EQ(CHydroSelectWaveEntry::CreateInstance()->ToXml(),
              kProlog + "<HydroSelectWaveEntry" + kDeclarations + "/>\n");
}

// Every text a scan block or a title may hold reaches the reader unchanged.
TEST(HydroRoundTrip, TextsKeepEveryCharacter) {
    const std::vector<std::string> texts = {"", " ", "  lead", "trail  ", "in   ner", "\t", "a\tb", "a\nb", "a\r\nb",
                                            "\r", " \t\n\r mixed ", "&<>\"'", "1e3 NaN", "\xC3\xA9t\xC3\xA9"};
    for (const std::string& text : texts) {
        SCOPED_TRACE(testing::PrintToString(text));
        auto block = CHydroScanBlockEntry::CreateInstance();
        block->SetWaveHeight(text);
        block->SetWavePhase(text);
        auto readBlock = testsupport::RoundTrip(block.get());
        EXPECT_EQ(readBlock->GetWaveHeight(), text);
        EXPECT_EQ(readBlock->GetWavePhase(), text);

        auto entry = CHydroSelectEntry::CreateInstance();
        entry->SetTitle(text);
        entry->SetWave(CHydroSelectWaveEntry::CreateInstance());
        EXPECT_EQ(testsupport::RoundTrip(entry.get())->GetTitle(), text);
    }
}

TEST(HydroRoundTrip, ReadingKeepsSpacesAndCharacterReferencesOfScanTexts) {
    auto block = CHydroScanBlockEntry::CreateInstance();
    block->FromXml(R"(<ScanBlock Id=" 12 " ShipsSpeed="  10  12 " HeelingAngle="a&#9;b&#10;c&#13;"/>)");
    EXPECT_EQ(block->GetId(), 12);
    EXPECT_EQ(block->GetShipsSpeed(), "  10  12 ");
    EXPECT_EQ(block->GetHeelingAngle(), "a\tb\nc\r");
    EXPECT_FALSE(block->IsValidWaveHeight());
}

TEST(HydroRoundTrip, EveryTypeGoesWithEitherBranch) {
    const CEnumerations::RHydroSelectType types[] = {CEnumerations::RHydroSelectType_Min,
                                                     CEnumerations::RHydroSelectType_Max,
                                                     CEnumerations::RHydroSelectType_Fix};
    for (auto type : types) {
        for (bool useFactor : {true, false}) {
            SCOPED_TRACE(std::to_string(type) + (useFactor ? " Factor" : " Wave"));
            auto entry = CHydroSelectEntry::CreateInstance();
            entry->SetType(type);
            if (useFactor)
                entry->SetFactor(MakeFactor(1, 2));
            else
                entry->SetWave(CHydroSelectWaveEntry::CreateInstance());
            auto read = testsupport::RoundTrip(entry.get());
            EXPECT_EQ(read->GetType(), type);
            EXPECT_EQ(read->GetChoiceSelectedElement(), useFactor ? "Factor" : "Wave");
        }
    }
}

TEST(HydroRoundTrip, ReadingReplacesWhatTheObjectHeld) {
    auto set = CHydroData::CreateInstance();
    set->SetMassAssembledIdRef(99);
    set->GetScan()->GetScanBlock()->Add();
    set->GetSelect()->GetSelectEntry()->Add()->SetWave(CHydroSelectWaveEntry::CreateInstance());
    set->FromXml(R"(<MassDistribution Id="4"><Scan/><Select/></MassDistribution>)");
    EXPECT_EQ(set->GetId(), 4);
    EXPECT_FALSE(set->IsValidMassAssembledIdRef());
    EXPECT_EQ(set->GetScan()->GetScanBlock()->GetCount(), 0);
    EXPECT_EQ(set->GetSelect()->GetSelectEntry()->GetCount(), 0);

    auto entry = CHydroSelectEntry::CreateInstance();
    entry->SetTitle("old");
    entry->SetWave(CHydroSelectWaveEntry::CreateInstance());
    entry->FromXml(R"(<SelectEntry Type="Min"><Factor><RangeDirection from="1" to="2"/>)"
                   R"(<RangeXLpp from="3" to="4"/></Factor></SelectEntry>)");
    EXPECT_FALSE(entry->IsValidTitle());
    EXPECT_EQ(entry->GetChoiceSelectedElement(), "Factor");
    EXPECT_EQ(entry->GetWave().get(), nullptr);
    EXPECT_EQ(entry->GetFactor()->GetRangeXLpp()->GetFrom(), 3);
}

// --- The choice of a selection entry -----------------------------------------

// What an entry holds: the chosen name and which branch objects are set.
struct ChoiceState {
    std::string selected;
    bool hasFactor;
    bool hasWave;
};

void ExpectState(const CHydroSelectEntry& entry, const ChoiceState& expected) {
    EXPECT_EQ(entry.GetChoiceSelectedElement(), expected.selected);
    EXPECT_EQ(entry.GetFactor().get() != nullptr, expected.hasFactor);
    EXPECT_EQ(entry.GetWave().get() != nullptr, expected.hasWave);
}

TEST(HydroChoice, SettersMoveBetweenStates) {
    using Step = std::function<void(CHydroSelectEntry&)>;
    const Step factor = [](CHydroSelectEntry& e) { e.SetFactor(MakeFactor(0, 1)); };
    const Step wave = [](CHydroSelectEntry& e) { e.SetWave(CHydroSelectWaveEntry::CreateInstance()); };
    const Step noFactor = [](CHydroSelectEntry& e) { e.SetFactor(nullptr); };
    const Step noWave = [](CHydroSelectEntry& e) { e.SetWave(nullptr); };
    const ChoiceState none{"", false, false}, onFactor{"Factor", true, false}, onWave{"Wave", false, true};
    const struct {
        const char* name;
        std::vector<Step> steps;
        ChoiceState expected;
    } cases[] = {
        {"fresh", {}, none},
        {"factor", {factor}, onFactor},
        {"wave", {wave}, onWave},
        {"factor then wave", {factor, wave}, onWave},
        {"wave then factor", {wave, factor}, onFactor},
        {"factor twice", {factor, factor}, onFactor},
        {"wave then null factor", {wave, noFactor}, none},
        {"factor then null wave", {factor, noWave}, none},
        {"factor then null factor", {factor, noFactor}, none},
        {"null then wave", {noFactor, wave}, onWave},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto entry = CHydroSelectEntry::CreateInstance();
        for (const Step& step : c.steps) step(*entry);
        ExpectState(*entry, c.expected);
        if (c.expected.selected.empty()) {
            EXPECT_EQ(ChainOf([&] { entry->ToXml(); }), (Chain{ConvertOf("HydroSelectEntry"), kChoiceNotSet}));
        } else {
            // Exactly the chosen branch is written, under the branch's name.
            const std::string xml = entry->ToXml();
            const std::string other = c.expected.selected == "Factor" ? "<Wave" : "<Factor";
            EXPECT_NE(xml.find("<" + c.expected.selected), std::string::npos) << xml;
            EXPECT_EQ(xml.find(other), std::string::npos) << xml;
        }
    }
}

TEST(HydroChoice, ChosenObjectIsSharedAndRenamed) {
    auto entry = CHydroSelectEntry::CreateInstance();
    auto factor = MakeFactor(0, 1);
    EXPECT_EQ(factor->GetElementName(), "HydroSelectFactorEntry");
    entry->SetFactor(factor);
    EXPECT_EQ(entry->GetFactor().get(), factor.get());
    EXPECT_EQ(factor->GetElementName(), "Factor");
    factor->SetTorsion(3);  // the entry holds the object itself, not a copy
    EXPECT_NE(entry->ToXml().find(R"(<Factor Torsion="3">)"), std::string::npos);

    auto wave = CHydroSelectWaveEntry::CreateInstance();
    CHydroSelectWaveEntry::SetElementName(wave, "Elsewhere");
    entry->SetWave(wave);
    EXPECT_EQ(wave->GetElementName(), "Wave");
}

TEST(HydroChoice, ResettingTheChosenObjectKeepsIt) {
    // The entry holds the only reference on the branch object; choosing that
    // same object again must not destroy it on the way.
    auto entry = CHydroSelectEntry::CreateInstance();
    entry->SetWave(CHydroSelectWaveEntry::CreateInstance());
    CHydroSelectWaveEntry* held = entry->GetWave().get();
    held->SetPhase(45);
    entry->SetWave(held);
    ExpectState(*entry, {"Wave", false, true});
    EXPECT_EQ(entry->GetWave().get(), held);
    EXPECT_EQ(entry->GetWave()->GetPhase(), 45);
    EXPECT_NE(entry->ToXml().find(R"(<Wave Phase="45"/>)"), std::string::npos);
}

TEST(HydroChoice, CopySharesTheBranch) {
    auto source = CHydroSelectEntry::CreateInstance();
    source->SetTitle("t");
    source->SetFactor(MakeFactor(0, 1));
    auto copy = CHydroSelectEntry::CreateInstance();
    copy->SetWave(CHydroSelectWaveEntry::CreateInstance());
    *copy = *source;
    ExpectState(*copy, {"Factor", true, false});
    EXPECT_EQ(copy->GetFactor().get(), source->GetFactor().get());
    EXPECT_EQ(copy->GetTitle(), "t");
    // The copy's own choice is independent of the source's afterwards.
    copy->SetWave(nullptr);
    ExpectState(*source, {"Factor", true, false});
}

// --- Reading faults, seen from the "Hydrodynamic" element --------------------

std::string InSection(const std::string& sets) { return "<Hydrodynamic>" + sets + "</Hydrodynamic>"; }
std::string InScan(const std::string& blocks) {
    return InSection(R"(<MassDistribution Id="1"><Scan>)" + blocks + "</Scan><Select/></MassDistribution>");
}
std::string InSelect(const std::string& entries) {
    return InSection(R"(<MassDistribution Id="1"><Scan/><Select>)" + entries + "</Select></MassDistribution>");
}
const std::string kRanges = R"(<RangeDirection from="0" to="1"/><RangeXLpp from="0" to="1"/>)";

const Chain kSectionChildren = {ChildrenOf("Hydrodynamic")};
const Chain kSetChildren = kSectionChildren + Chain{ChildrenOf("MassDistribution")};
const Chain kScanChildren = kSetChildren + Chain{ChildrenOf("Scan")};
const Chain kSelectChildren = kSetChildren + Chain{ChildrenOf("Select")};
const Chain kEntryChildren = kSelectChildren + Chain{ChildrenOf("SelectEntry")};

struct ReadCase {
    const char* name;
    std::string xml;
    Chain chain;
};

void ExpectReadFailures(const std::vector<ReadCase>& cases) {
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ReadFailure<CHydrodynamic>(c.xml), c.chain) << c.xml;
    }
}

TEST(HydroReadFaults, SectionAndDataSet) {
    ExpectReadFailures({
        {"attribute on the section", R"(<Hydrodynamic Id="1"/>)",
         {AttributesOf("Hydrodynamic"), "Unexpected Attribute [Id] found."}},
        {"element after the sets",
         InSection(R"(<MassDistribution Id="1"><Scan/><Select/></MassDistribution><Masses/>)"),
         kSectionChildren + Chain{Unknown("Masses")}},
        {"set without Id",
         InSection(R"(<MassDistribution MassAssembledIdRef="2"><Scan/><Select/></MassDistribution>)"),
         kSectionChildren + Chain{AttributesOf("MassDistribution"), "Failed to find the required Attribute [Id]"}},
        {"set with an unknown attribute",
         InSection(R"(<MassDistribution Id="1" id="2"><Scan/><Select/></MassDistribution>)"),
         kSectionChildren + Chain{AttributesOf("MassDistribution"), "Unexpected Attribute [id] found."}},
        {"Select before Scan", InSection(R"(<MassDistribution Id="1"><Select/><Scan/></MassDistribution>)"),
         kSetChildren + Chain{"Failed to find a required element [Scan]"}},
        {"Scan without Select", InSection(R"(<MassDistribution Id="1"><Scan/></MassDistribution>)"),
         kSetChildren + Chain{"Failed to find a required element [Select]"}},
        {"no children", InSection(R"(<MassDistribution Id="1"/>)"),
         kSetChildren + Chain{"Failed to find a required element [Scan]"}},
        {"element after Select", InSection(R"(<MassDistribution Id="1"><Scan/><Select/><Scan/></MassDistribution>)"),
         kSetChildren + Chain{Unknown("Scan")}},
    });
}

TEST(HydroReadFaults, ScanBlocks) {
    ExpectReadFailures({
        {"attribute on Scan", InSection(R"(<MassDistribution Id="1"><Scan Id="1"/><Select/></MassDistribution>)"),
         kSetChildren + Chain{AttributesOf("Scan"), "Unexpected Attribute [Id] found."}},
        {"other element in Scan", InScan(R"(<ScanBlock Id="1"/><Block Id="2"/>)"),
         kScanChildren + Chain{Unknown("Block")}},
        {"block without Id", InScan(R"(<ScanBlock Id="1"/><ScanBlock WaveHeight="1 2" WavePhase="0"/>)"),
         kScanChildren + Chain{AttributesOf("ScanBlock"), "Failed to find the required Attribute [Id]"}},
        {"lower-case id", InScan(R"(<ScanBlock id="1"/>)"),
         kScanChildren + Chain{AttributesOf("ScanBlock"), "Unexpected Attribute [id] found."}},
        {"child in a block", InScan(R"(<ScanBlock Id="1"><WaveHeight/></ScanBlock>)"),
         kScanChildren + Chain{ChildrenOf("ScanBlock"), Unknown("WaveHeight")}},
    });
}

TEST(HydroReadFaults, SelectionEntries) {
    ExpectReadFailures({
        {"attribute on Select", InSection(R"(<MassDistribution Id="1"><Scan/><Select Type="Min"/></MassDistribution>)"),
         kSetChildren + Chain{AttributesOf("Select"), "Unexpected Attribute [Type] found."}},
        {"entry without Type looked at before its children", InSelect(R"(<SelectEntry><Wave/><Wave/></SelectEntry>)"),
         kSelectChildren + Chain{AttributesOf("SelectEntry"), "Failed to find the required Attribute [Type]"}},
        {"Type outside the enumeration", InSelect(R"(<SelectEntry Type="min"><Wave/></SelectEntry>)"),
         kSelectChildren + Chain{AttributesOf("SelectEntry"),
                                 "Unknown enumeration value for VantrelLib::CEnumerations::RHydroSelectType [min]"}},
        {"entry without a branch", InSelect(R"(<SelectEntry Type="Min"/>)"), kEntryChildren + Chain{kChoiceNotRead}},
        {"lower-case branch", InSelect(R"(<SelectEntry Type="Min"><factor/></SelectEntry>)"),
         kEntryChildren + Chain{kChoiceNotRead}},
        {"other element as branch", InSelect(R"(<SelectEntry Type="Min"><Other/><Wave/></SelectEntry>)"),
         kEntryChildren + Chain{kChoiceNotRead}},
        {"Wave after Factor",
         InSelect(R"(<SelectEntry Type="Max"><Factor>)" + kRanges + "</Factor><Wave/></SelectEntry>"),
         kEntryChildren + Chain{Unknown("Wave")}},
        {"second Wave", InSelect(R"(<SelectEntry Type="Max"><Wave/><Wave/></SelectEntry>)"),
         kEntryChildren + Chain{Unknown("Wave")}},
    });
}

TEST(HydroReadFaults, Branches) {
    ExpectReadFailures({
        {"empty Factor", InSelect(R"(<SelectEntry Type="Fix"><Factor/></SelectEntry>)"),
         kEntryChildren + Chain{ChildrenOf("Factor"), "Failed to find a required element [RangeDirection]"}},
        {"ranges out of order",
         InSelect(R"(<SelectEntry Type="Fix"><Factor><RangeXLpp from="0" to="1"/>)"
                  R"(<RangeDirection from="0" to="1"/></Factor></SelectEntry>)"),
         kEntryChildren + Chain{ChildrenOf("Factor"), "Failed to find a required element [RangeDirection]"}},
        {"RangeXLpp missing",
         InSelect(R"(<SelectEntry Type="Fix"><Factor><RangeDirection from="0" to="1"/></Factor></SelectEntry>)"),
         kEntryChildren + Chain{ChildrenOf("Factor"), "Failed to find a required element [RangeXLpp]"}},
        {"element after the ranges",
         InSelect(R"(<SelectEntry Type="Fix"><Factor>)" + kRanges + "<RangeXLpp/></Factor></SelectEntry>"),
         kEntryChildren + Chain{ChildrenOf("Factor"), Unknown("RangeXLpp")}},
        {"range without from",
         InSelect(R"(<SelectEntry Type="Fix"><Factor><RangeDirection to="1"/></Factor></SelectEntry>)"),
         kEntryChildren + Chain{ChildrenOf("Factor"), AttributesOf("RangeDirection"),
                                "Failed to find the required Attribute [from]"}},
        {"unknown attribute on Factor",
         InSelect(R"(<SelectEntry Type="Fix"><Factor Heel="1">)" + kRanges + "</Factor></SelectEntry>"),
         kEntryChildren + Chain{AttributesOf("Factor"), "Unexpected Attribute [Heel] found."}},
        {"unknown attribute on Wave", InSelect(R"(<SelectEntry Type="Fix"><Wave Torsion="1"/></SelectEntry>)"),
         kEntryChildren + Chain{AttributesOf("Wave"), "Unexpected Attribute [Torsion] found."}},
        {"child in Wave", InSelect(R"(<SelectEntry Type="Fix"><Wave><RangeXLpp/></Wave></SelectEntry>)"),
         kEntryChildren + Chain{ChildrenOf("Wave"), Unknown("RangeXLpp")}},
    });
}

TEST(HydroReadFaults, ConversionFaultsAreWrapped) {
    // The runtime words its own conversion messages; the wrappers are ours.
    const struct {
        const char* name;
        std::string xml;
        Chain wrappers;
    } cases[] = {
        {"set Id", InSection(R"(<MassDistribution Id="one"><Scan/><Select/></MassDistribution>)"),
         kSectionChildren + Chain{AttributesOf("MassDistribution")}},
        {"block Id", InScan(R"(<ScanBlock Id="1.5"/>)"), kScanChildren + Chain{AttributesOf("ScanBlock")}},
        {"wave Heel", InSelect(R"(<SelectEntry Type="Min"><Wave Heel="x"/></SelectEntry>)"),
         kEntryChildren + Chain{AttributesOf("Wave")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Chain chain = ReadFailure<CHydrodynamic>(c.xml);
        ASSERT_EQ(chain.size(), c.wrappers.size() + 1);
        EXPECT_EQ(Chain(chain.begin(), chain.end() - 1), c.wrappers);
    }
}

// --- Writing faults -------------------------------------------------------------

TEST(HydroWriteFaults, EntryFaultsAreWrappedByEveryEnclosingElement) {
    const Chain wrappers = {ConvertOf("Hydrodynamic"), ConvertOf("MassDistribution"), ConvertOf("Select"),
                            ConvertOf("SelectEntry")};
    auto section = MakeSection();
    auto entries = section->GetMassDistribution()->Item(0)->GetSelect()->GetSelectEntry();

    entries->Item(1)->SetWave(nullptr);
    EXPECT_EQ(ChainOf([&] { section->ToXml(); }), wrappers + Chain{kChoiceNotSet});

    entries->Item(1)->SetWave(CHydroSelectWaveEntry::CreateInstance());
    entries->Item(0)->SetType(static_cast<CEnumerations::RHydroSelectType>(7));
    EXPECT_EQ(ChainOf([&] { section->ToXml(); }),
              wrappers + Chain{"Unknown enumeration value for VantrelLib::CEnumerations::RHydroSelectType [7]"});
}

// --- Accessors -------------------------------------------------------------------

TEST(HydroAccessors, UnsetOptionalValuesThrowTheirMessage) {
    auto set = CHydroData::CreateInstance();
    auto block = CHydroScanBlockEntry::CreateInstance();
    auto entry = CHydroSelectEntry::CreateInstance();
    auto factor = CHydroSelectFactorEntry::CreateInstance();
    auto wave = CHydroSelectWaveEntry::CreateInstance();
    const struct {
        const char* property;
        std::function<void()> get;
    } cases[] = {
        {"MassAssembledIdRef", [&] { set->GetMassAssembledIdRef(); }},
        {"WaveHeight", [&] { block->GetWaveHeight(); }},
        {"ShipsSpeed", [&] { block->GetShipsSpeed(); }},
        {"HeelingAngle", [&] { block->GetHeelingAngle(); }},
        {"WaveLengthLpp", [&] { block->GetWaveLengthLpp(); }},
        {"AnglesOfEncounter", [&] { block->GetAnglesOfEncounter(); }},
        {"WavePhase", [&] { block->GetWavePhase(); }},
        {"Title", [&] { entry->GetTitle(); }},
        {"ShearHorizontal", [&] { factor->GetShearHorizontal(); }},
        {"ShearVertical", [&] { factor->GetShearVertical(); }},
        {"Torsion", [&] { factor->GetTorsion(); }},
        {"BendingMomentHorizontal", [&] { factor->GetBendingMomentHorizontal(); }},
        {"BendingMomentVertical", [&] { factor->GetBendingMomentVertical(); }},
        {"Ampl", [&] { wave->GetAmpl(); }},
        {"LtoLpp", [&] { wave->GetLtoLpp(); }},
        {"Direction", [&] { wave->GetDirection(); }},
        {"Phase", [&] { wave->GetPhase(); }},
        {"Heel", [&] { wave->GetHeel(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.property);
        const std::string property(c.property);
        EXPECT_THROW(c.get(), LtXmlLib3::CLtInvalidStateException);
        EXPECT_EQ(ChainOf(c.get),
                  Chain{"The Property Get" + property + " is not valid. Set" + property + " must be called first"});
    }
}

TEST(HydroAccessors, ValuesMadeValidAreWrittenWithTheirDefault) {
    auto wave = CHydroSelectWaveEntry::CreateInstance();
    wave->SetPhase(30);
    wave->SetValidHeel(true);
    EXPECT_NE(wave->ToXml().find(R"( Phase="30" Heel="0"/>)"), std::string::npos);

    auto block = CHydroScanBlockEntry::CreateInstance();
    block->SetWavePhase("0 90");
    block->SetValidWavePhase(false);
    block->SetValidAnglesOfEncounter(true);
    EXPECT_NE(block->ToXml().find(R"( Id="0" AnglesOfEncounter=""/>)"), std::string::npos);
}

TEST(HydroAccessors, RequiredChildrenRefuseNullAndTakeTheirName) {
    auto set = CHydroData::CreateInstance();
    auto factor = CHydroSelectFactorEntry::CreateInstance();
    const std::function<void()> nulls[] = {
        [&] { set->SetScan(nullptr); },
        [&] { set->SetSelect(nullptr); },
        [&] { factor->SetRangeDirection(nullptr); },
        [&] { factor->SetRangeXLpp(nullptr); },
    };
    for (const auto& setNull : nulls) EXPECT_THROW(setNull(), LtXmlLib3::CLtException);
    EXPECT_NE(set->GetScan().get(), nullptr);
    EXPECT_NE(factor->GetRangeXLpp().get(), nullptr);

    // A child set from elsewhere is written under the property's name.
    auto select = CSelect::CreateInstance();
    CSelect::SetElementName(select, "Elsewhere");
    select->GetSelectEntry()->Add()->SetWave(CHydroSelectWaveEntry::CreateInstance());
    set->SetSelect(select);
    EXPECT_EQ(set->GetSelect().get(), select.get());
    EXPECT_NE(set->ToXml().find("<Select>\n    <SelectEntry Type=\"Min\">\n      <Wave/>"), std::string::npos);
    auto range = gdt::CRangeDouble::CreateInstance();
    range->SetTo(9);
    factor->SetRangeXLpp(range);
    EXPECT_NE(factor->ToXml().find(R"(<RangeXLpp from="0" to="9"/>)"), std::string::npos);
}

}  // namespace
