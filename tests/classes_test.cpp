// What the generic tests over the declarations cannot show: the choice of a
// selection entry, the polymorphic rest entries, objects held in two places,
// where faults are located and the hints that go with them, and the one
// setter that changes its value.

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "TestSupport.h"

using LtXmlLib3::CLtException;
using LtXmlLib3::CSmartPtr;
using testsupport::ChainOf;
using testsupport::ChildrenOf;
using testsupport::ConvertOf;
using testsupport::ReadFailure;
using testsupport::Unknown;
using namespace VantrelLib;
using Chain = std::vector<std::string>;

namespace {

const char* const kChoiceNotSet =
    "This element is a choice, and as such must have at one (and only one) valid item, currently there are none set";
const char* const kChoiceNotRead =
    "No elements were populated. The element represents a choice, so one any only one element should be populated";
const std::string kXsi = R"( xmlns:xs="http://www.w3.org/2001/XMLSchema-instance")";

// The hint a failed read of `xml` into a fresh T carries.
template <class T>
std::string HintOf(const std::string& xml) {
    try {
        T::CreateInstance()->FromXml(xml);
    } catch (const CLtException& error) {
        return error.FindHint();
    }
    ADD_FAILURE() << "read: " << xml;
    return std::string();
}

// The classes of a rest entry list in order, as R, C and T.
std::string Classes(const CIRestEntryCol& list) {
    std::string classes;
    for (CSmartPtr<IRestEntry> item : list)
        classes += dynamic_cast<CTankEntry*>(item.get())        ? 'T'
                   : dynamic_cast<CContainerEntry*>(item.get()) ? 'C'
                                                                : 'R';
    return classes;
}

}  // namespace

// --- The choice of a selection entry ---------------------------------------------

TEST(Choice, SettersMoveBetweenStates) {
    using Step = std::function<void(CHydroSelectEntry&)>;
    const Step factor = [](CHydroSelectEntry& e) { e.SetFactor(CHydroSelectFactorEntry::CreateInstance()); };
    const Step wave = [](CHydroSelectEntry& e) { e.SetWave(CHydroSelectWaveEntry::CreateInstance()); };
    const Step noFactor = [](CHydroSelectEntry& e) { e.SetFactor(nullptr); };
    const Step noWave = [](CHydroSelectEntry& e) { e.SetWave(nullptr); };
    const struct {
        std::vector<Step> steps;
        std::string chosen;
    } cases[] = {{{}, ""},
                 {{factor, wave}, "Wave"},
                 {{wave, factor}, "Factor"},
                 {{factor, factor}, "Factor"},
                 {{wave, noFactor}, ""},
                 {{factor, noWave}, ""},
                 {{factor, noFactor}, ""},
                 {{noFactor, wave}, "Wave"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        auto entry = CHydroSelectEntry::CreateInstance();
        for (const Step& step : c.steps) step(*entry);
        EXPECT_EQ(entry->GetChoiceSelectedElement(), c.chosen);
        EXPECT_EQ(entry->GetFactor() != nullptr, c.chosen == "Factor");
        EXPECT_EQ(entry->GetWave() != nullptr, c.chosen == "Wave");
        if (c.chosen.empty()) {
            EXPECT_EQ(ChainOf([&] { entry->ToXml(); }), (Chain{ConvertOf("HydroSelectEntry"), kChoiceNotSet}));
        } else {
            const std::string xml = entry->ToXml();
            EXPECT_NE(xml.find("<" + c.chosen), std::string::npos) << xml;
            EXPECT_EQ(xml.find(c.chosen == "Wave" ? "<Factor" : "<Wave"), std::string::npos) << xml;
        }
    }
}

TEST(Choice, BranchObjectsAreHeldNotCopied) {
    auto entry = CHydroSelectEntry::CreateInstance();
    auto factor = CHydroSelectFactorEntry::CreateInstance();
    entry->SetFactor(factor);
    EXPECT_EQ(factor->GetElementName(), "Factor");
    factor->SetTorsion(3);
    EXPECT_NE(entry->ToXml().find(R"(<Factor Torsion="3">)"), std::string::npos);

    // Choosing again the object the entry alone holds keeps it alive.
    entry->SetWave(CHydroSelectWaveEntry::CreateInstance());
    CHydroSelectWaveEntry* wave = entry->GetWave().get();
    wave->SetPhase(45);
    entry->SetWave(wave);
    EXPECT_EQ(entry->GetWave().get(), wave);
    EXPECT_NE(entry->ToXml().find(R"(<Wave Phase="45"/>)"), std::string::npos);

    // A copy shares the branch object but has a choice of its own.
    auto copy = CHydroSelectEntry::CreateInstance();
    copy->SetFactor(factor);
    *copy = *entry;
    EXPECT_EQ(copy->GetWave().get(), wave);
    EXPECT_EQ(copy->GetFactor(), nullptr);
    copy->SetWave(nullptr);
    EXPECT_EQ(entry->GetChoiceSelectedElement(), "Wave");
}

TEST(Choice, ReadingTakesExactlyOneBranch) {
    const std::string factor = R"(<Factor><RangeDirection from="0" to="1"/><RangeXLpp from="0" to="1"/></Factor>)";
    const struct {
        std::string children;
        Chain chain;
    } cases[] = {
        {"", {ChildrenOf("SelectEntry"), kChoiceNotRead}},
        {"<factor/>", {ChildrenOf("SelectEntry"), kChoiceNotRead}},
        {"<Other/><Wave/>", {ChildrenOf("SelectEntry"), kChoiceNotRead}},
        {factor + "<Wave/>", {ChildrenOf("SelectEntry"), Unknown("Wave")}},
        {"<Wave/><Wave/>", {ChildrenOf("SelectEntry"), Unknown("Wave")}},
    };
    const std::string start = R"(<SelectEntry Type="Min">)";
    for (const auto& c : cases)
        EXPECT_EQ(ReadFailure<CHydroSelectEntry>(start + c.children + "</SelectEntry>"), c.chain) << c.children;
    EXPECT_EQ(HintOf<CHydroSelectEntry>(R"(<SelectEntry Type="Min">)" + factor + "<Wave/></SelectEntry>"),
              "Factor and Wave are a choice: give only one of them");

    auto read = CHydroSelectEntry::CreateInstance();
    read->SetWave(CHydroSelectWaveEntry::CreateInstance());
    read->FromXml(R"(<SelectEntry Type="Max">)" + factor + "</SelectEntry>");
    EXPECT_EQ(read->GetChoiceSelectedElement(), "Factor");
    EXPECT_EQ(read->GetWave(), nullptr);
}

// --- Rest entries of assembled masses ------------------------------------------------

TEST(RestEntries, TheClassComesFromTheTypeAttributeWhateverItsPrefix) {
    auto data = CMassAssembledData::CreateInstance();
    const std::string text = R"(<AssembledEntry xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance" Id="5" Mass="2">
  <CoG x="1" y="2"/>
  <BoxEntry xsi:type=" q:TankEntry " Value="1" MassId="7" SpecificWeight="1.5"/>
  <BoxEntry xsi:type="RestEntry" Value="2" MassId="8"/>
  <BoxEntry xsi:type="ContainerEntry" Value="3" MassId="9" CoGzParameter="4"/>
  <TankEntry xsi:type="ContainerEntry" Value="1" MassId="2" SpecificWeight="3"/>
  <ElementgroupEntry Value="4" Fix="true" MassId="10"/>
</AssembledEntry>)";
    // Asked what the objects do not hold, the reader counts only the typed
    // list's type: the others chose a class and are written again.
    LtXmlLib3::CDroppedContent dropped;
    LtXmlLib3::CReadOptions options;
    options.dropped = &dropped;
    std::istringstream stream(text);
    data->FromXmlStream(stream, options);
    EXPECT_EQ(dropped.schemaInstanceAttributes, (std::map<std::string, std::uint64_t>{{"type", 1}}));
    data->FromXml(text, options);
    EXPECT_EQ(dropped.schemaInstanceAttributes, (std::map<std::string, std::uint64_t>{{"type", 1}}));
    EXPECT_EQ(Classes(*data->GetBoxEntry()), "TRC");
    EXPECT_EQ(Classes(*data->GetElementgroupEntry()), "R");  // untyped: a plain rest entry
    EXPECT_EQ(data->GetTankEntry()->Item(0)->GetSpecificWeight(), 3);  // typed lists ignore the type

    // Written again, each item of the polymorphic lists names its class, the
    // untyped one too; the typed lists and a lone entry write no type.
    const std::string xml = data->ToXml();
    EXPECT_NE(xml.find(R"(<BoxEntry xs:type="TankEntry" Value="1" MassId="7" SpecificWeight="1.5"/>)"),
              std::string::npos)
        << xml;
    EXPECT_NE(xml.find(R"(<ElementgroupEntry xs:type="RestEntry" Value="4" Fix="true" MassId="10"/>)"),
              std::string::npos);
    EXPECT_NE(xml.find(R"(<TankEntry Value="1" MassId="2" SpecificWeight="3"/>)"), std::string::npos);
    EXPECT_EQ(CTankEntry::CreateInstance()->ToXml().find("xs:type"), std::string::npos);

    const std::string unknown = R"(<AssembledEntry Id="1" Mass="1")" + kXsi + R"(><CoG x="0" y="0"/>)" +
                                R"(<BoxEntry xs:type="BoxRestEntry" Value="1" MassId="2"/></AssembledEntry>)";
    EXPECT_EQ(ReadFailure<CMassAssembledData>(unknown), (Chain{ChildrenOf("AssembledEntry"), Unknown("BoxEntry")}));
    EXPECT_EQ(HintOf<CMassAssembledData>(unknown),
              "xs:type [BoxRestEntry] is not one of ContainerEntry, RestEntry, TankEntry");
}

// --- Objects in two places ---------------------------------------------------------------

TEST(Placement, AnObjectInTwoListsIsWrittenInEachAndReadsBack) {
    auto assembled = CMassAssembledData::CreateInstance();
    auto entry = CRestEntry::CreateInstance();
    entry->SetMassId(1001);
    assembled->GetBoxEntry()->Add(entry);
    assembled->GetAssembledEntry()->Add(entry);
    EXPECT_EQ(entry->GetElementName(), "AssembledEntry");  // the name given last

    auto read = testsupport::RoundTrip(assembled.get());
    EXPECT_EQ(read->GetBoxEntry()->Item(0)->GetMassId(), 1001);
    EXPECT_EQ(read->GetBoxEntry()->Item(0)->GetElementName(), "BoxEntry");
    EXPECT_EQ(read->GetAssembledEntry()->Item(0)->GetMassId(), 1001);
}

TEST(Placement, ARequiredChildSharedElsewhereIsWrittenUnderEachPlacesName) {
    auto table = CFrameTableData::CreateInstance();
    auto container = CMassContainerData::CreateInstance();
    table->GetFrameNoPP1()->SetId("10");
    container->SetAft(table->GetFrameNoPP1());
    EXPECT_EQ(table->GetFrameNoPP1()->GetElementName(), "Aft");

    const std::string text = table->ToXml();
    EXPECT_NE(text.find(R"(<FrameNoPP1 Id="10"/>)"), std::string::npos) << text;
    EXPECT_EQ(text.find("<Aft"), std::string::npos) << text;
    container->GetRow()->Add();
    EXPECT_NE(container->ToXml().find(R"(<Aft Id="10"/>)"), std::string::npos);
}

// --- Where faults are found --------------------------------------------------------------

TEST(Faults, AWriteFaultIsWrappedByEveryEnclosingElementAndNamesTheItem) {
    auto hydro = CHydrodynamic::CreateInstance();
    auto set = hydro->GetMassDistribution()->Add();
    set->SetId(7);
    auto entry = set->GetSelect()->GetSelectEntry()->Add();
    entry->SetWave(CHydroSelectWaveEntry::CreateInstance());
    entry->SetType(static_cast<CEnumerations::RHydroSelectType>(7));  // a value no token names
    EXPECT_EQ(ChainOf([&] { hydro->ToXml(); }),
              (Chain{ConvertOf("Hydrodynamic"), ConvertOf("MassDistribution"), ConvertOf("Select"),
                     ConvertOf("SelectEntry"),
                     "Unknown enumeration value for VantrelLib::CEnumerations::RHydroSelectType [7]"}));

    auto boxes = CMassBoxes::CreateInstance();
    for (std::int64_t id : {1001, 1002, 1003}) {
        auto box = boxes->GetBoxEntry()->Add();
        box->SetId(static_cast<double>(id));
        box->GetInterval()->Add();
    }
    boxes->GetBoxEntry()->Item(1)->SetTitle(std::string("deck\x01"));  // XML cannot carry it
    try {
        boxes->ToXml();
        ADD_FAILURE() << "written";
    } catch (const CLtException& error) {
        ASSERT_NE(error.GetInnerException(), nullptr);
        EXPECT_EQ(error.GetInnerException()->GetMessage(), ConvertOf("BoxEntry"));
        EXPECT_EQ(error.GetInnerException()->GetContext(), "index 1, Id 1002");
        EXPECT_NE(error.FormatChain().find(ConvertOf("BoxEntry") + " (index 1, Id 1002)\n"), std::string::npos);
    }
}

TEST(Faults, HintsSayWhatTheMessageDoesNot) {
    const std::string frameTable = R"(<FrameTable KeepAft="0" SpacingSign="1"><FrameNoPP1/><FrameNoPP2/></FrameTable>)";
    EXPECT_EQ(HintOf<CGeneralData>("<GeneralData>" + frameTable + R"(<PrincipalDimension Lpp="1"/></GeneralData>)"),
              "PrincipalDimension is allowed here only before FrameTable");
    EXPECT_EQ(HintOf<CGeneralData>(R"(<GeneralData><principalDimension Lpp="1"/></GeneralData>)"),
              "element names are case-sensitive: principalDimension is not PrincipalDimension");
    const std::string point = R"(<CoG x="0" y="0"/>)";
    const std::string box = R"(<Interval><Min x="0" y="0"/><Max x="1" y="1"/></Interval>)";
    EXPECT_EQ(HintOf<CMassBoxData>(R"(<BoxEntry Id="1" Mass="1">)" + point + box + "</BoxEntry>"),
              "Interval must come before CoG");
    EXPECT_EQ(HintOf<CMassBoxData>(R"(<BoxEntry Id="1" Mass="1">)" + box + point + box + "</BoxEntry>"),
              "Interval is allowed here only before CoG");
    EXPECT_EQ(HintOf<CFrameTableEntry>(R"(<FrameEntry No="1" Spacing="1" Mould="Astern"/>)"),
              "the accepted tokens are Forward, Aft");
    // A fault inside a child that is in its place gets no order hint.
    EXPECT_EQ(HintOf<CGeneralData>(R"(<GeneralData><PrincipalDimension Lpp="x"/></GeneralData>)"), "");
}

// --- The one setter that changes its value ---------------------------------------------

TEST(Accessors, AnElementGroupsTitleIsCollapsedWhenSetAndWhenRead) {
    auto group = CElementgroupData::CreateInstance();
    group->SetTitle("  engine \t room  aft ");
    EXPECT_EQ(group->GetTitle(), "engine room aft");
    group->FromXml(R"(<ElementGroupEntry Id="1" Title="  a   b " Buoyancy="true"/>)");
    EXPECT_EQ(group->GetTitle(), "a b");
}
