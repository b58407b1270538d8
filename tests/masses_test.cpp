// The mass distribution: the "Masses" section, its five kinds of mass and the
// polymorphic rest entries of assembled masses.

#include <gtest/gtest.h>

#include <VantrelLib/VantrelLib.h>

#include <string>
#include <vector>

#include "TestSupport.h"

namespace {

using namespace VantrelLib;
using testsupport::AttributesOf;
using testsupport::ChainOf;
using testsupport::ChildrenOf;
using testsupport::ConvertOf;
using testsupport::ReadFailure;
using testsupport::RoundTrip;
using testsupport::Unknown;
using Chain = std::vector<std::string>;

const char* const kNamespaces =
    " xmlns:xs=\"http://www.w3.org/2001/XMLSchema-instance\" xmlns:gdt=\"http://www.vantrel.org/XML/GlobalDataTypes\"";

// The element text of `object` as written, without the XML declaration and the
// root's namespace declarations.
std::string Body(LtXmlLib3::CXmlObjectBase* object) {
    std::string text = object->ToXml();
    text.erase(0, text.find('\n') + 1);
    const std::size_t at = text.find(kNamespaces);
    if (at != std::string::npos) text.erase(at, std::string(kNamespaces).size());
    return text;
}

std::string Required(const std::string& name) { return "Failed to find the required Attribute [" + name + "]"; }
std::string RequiredElement(const std::string& name) { return "Failed to find a required element [" + name + "]"; }
std::string Unexpected(const std::string& name) { return "Unexpected Attribute [" + name + "] found."; }
std::string TooFew(const std::string& name) {
    return "The collection [" + name + "] holds 0 item(s), fewer than the minimum of 1";
}

// One document that must fail to read, and the chain of messages it must give.
struct ReadCase {
    const char* name;
    std::string xml;
    Chain chain;
};

template <class T>
void ExpectReadFailures(const std::vector<ReadCase>& cases) {
    for (const ReadCase& c : cases) EXPECT_EQ(ReadFailure<T>(c.xml), c.chain) << c.name;
}

// --- Rest entries -------------------------------------------------------------

TEST(MassesRestEntry, FreshEntryHasNoFixAndNoTypeAttribute) {
    auto entry = CRestEntry::CreateInstance();
    EXPECT_EQ(Body(entry), "<RestEntry Value=\"0\" MassId=\"0\"/>\n");
    try {
        entry->GetFix();
        ADD_FAILURE() << "GetFix of an unset flag did not throw";
    } catch (const LtXmlLib3::CLtInvalidStateException& error) {
        EXPECT_STREQ(error.what(), "The Property GetFix is not valid. SetFix must be called first");
    }
}

TEST(MassesRestEntry, FixValidityDecidesWhetherFixIsWritten) {
    auto entry = CContainerEntry::CreateInstance();
    entry->SetValidFix(true);
    EXPECT_FALSE(entry->GetFix());
    EXPECT_EQ(Body(entry), "<ContainerEntry Value=\"0\" Fix=\"false\" MassId=\"0\" CoGzParameter=\"0\"/>\n");
    entry->SetFix(true);
    entry->SetValidFix(false);
    EXPECT_FALSE(entry->IsValidFix());
    entry->SetValidFix(true);
    EXPECT_FALSE(entry->GetFix());  // the change of validity dropped the old value
}

TEST(MassesRestEntry, EntriesRoundTripAsDocumentRoots) {
    auto rest = CRestEntry::CreateInstance();
    rest->SetValue(1.25);
    rest->SetFix(true);
    rest->SetMassId(-7);
    auto restBack = RoundTrip<CRestEntry>(rest);
    EXPECT_EQ(restBack->GetValue(), 1.25);
    EXPECT_TRUE(restBack->GetFix());
    EXPECT_EQ(restBack->GetMassId(), -7);

    auto container = CContainerEntry::CreateInstance();
    container->SetMassId(9007199254740993);  // beyond a double's exact integers
    container->SetCoGzParameter(0.1);
    auto containerBack = RoundTrip<CContainerEntry>(container);
    EXPECT_EQ(containerBack->GetMassId(), 9007199254740993);
    EXPECT_EQ(containerBack->GetCoGzParameter(), 0.1);
    EXPECT_FALSE(containerBack->IsValidFix());
}

TEST(MassesRestEntry, OneObjectThroughEveryBase) {
    auto tank = CTankEntry::CreateInstance();
    tank->SetSpecificWeight(2.5);
    LtXmlLib3::CSmartPtr<IRestEntry> asInterface(tank);
    LtXmlLib3::CSmartPtr<LtXmlLib3::CXmlObjectBase> asBase(asInterface);
    EXPECT_EQ(asBase.get(), static_cast<LtXmlLib3::CXmlObjectBase*>(tank.get()));
    tank = nullptr;
    asInterface = nullptr;
    // The base handle alone keeps the object alive.
    auto* again = dynamic_cast<CTankEntry*>(asBase.get());
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->GetSpecificWeight(), 2.5);
    asInterface = dynamic_cast<IRestEntry*>(asBase.get());
    asInterface->SetMassId(4);
    EXPECT_EQ(again->GetMassId(), 4);
}

TEST(MassesRestEntry, ReadingFaults) {
    ExpectReadFailures<CContainerEntry>({
        {"first missing attribute in check order",
         R"(<ContainerEntry MassId="1"/>)",
         {AttributesOf("ContainerEntry"), Required("Value")}},
        {"own required attribute",
         R"(<ContainerEntry Value="1" MassId="1"/>)",
         {AttributesOf("ContainerEntry"), Required("CoGzParameter")}},
        {"attribute of another entry class",
         R"(<ContainerEntry Value="1" MassId="1" CoGzParameter="0" SpecificWeight="1"/>)",
         {AttributesOf("ContainerEntry"), Unexpected("SpecificWeight")}},
    });
    ExpectReadFailures<CTankEntry>({
        {"tank entry", R"(<TankEntry Value="1" MassId="1"/>)", {AttributesOf("TankEntry"), Required("SpecificWeight")}},
    });
    ExpectReadFailures<CRestEntry>({
        {"case-sensitive name",
         R"(<RestEntry Value="1" MassID="1"/>)",
         {AttributesOf("RestEntry"), Unexpected("MassID")}},
        {"any child",
         R"(<RestEntry Value="1" MassId="1"><Note/></RestEntry>)",
         {ChildrenOf("RestEntry"), Unknown("Note")}},
    });
}

// --- Assembled masses ---------------------------------------------------------

// Adds one entry of each class to `list`, in the order rest, container, tank.
void AddMixed(CIRestEntryCol* list, std::int64_t firstId) {
    auto rest = CRestEntry::CreateInstance();
    rest->SetMassId(firstId);
    rest->SetValue(0.5);
    list->Add(rest);
    auto container = CContainerEntry::CreateInstance();
    container->SetMassId(firstId + 1);
    container->SetFix(false);
    container->SetCoGzParameter(12.75);
    list->Add(container);
    auto tank = CTankEntry::CreateInstance();
    tank->SetMassId(firstId + 2);
    tank->SetSpecificWeight(1.025);
    list->Add(tank);
}

// The classes of `list` in order, by the letters R, C and T.
std::string Classes(const CIRestEntryCol* list) {
    std::string classes;
    for (LtXmlLib3::CSmartPtr<IRestEntry> item : *list) {
        if (dynamic_cast<CRestEntry*>(item.get()) != nullptr) classes += 'R';
        if (dynamic_cast<CContainerEntry*>(item.get()) != nullptr) classes += 'C';
        if (dynamic_cast<CTankEntry*>(item.get()) != nullptr) classes += 'T';
    }
    return classes;
}

TEST(MassesAssembled, FreshAssembledMassHasOnlyItsCentreOfGravity) {
    auto data = CMassAssembledData::CreateInstance();
    EXPECT_EQ(Body(data), "<MassAssembledData Id=\"0\" Mass=\"0\">\n  <CoG x=\"0\" y=\"0\"/>\n</MassAssembledData>\n");
}

TEST(MassesAssembled, MixedPolymorphicListsRoundTripWithTheirClasses) {
    auto data = CMassAssembledData::CreateInstance();
    data->SetId(11);
    data->SetTitle("  hull  block ");
    data->SetMass(1500.5);
    data->GetCoG()->SetZ(3);
    data->GetContainerEntry()->Add()->SetMassId(1);
    AddMixed(data->GetBoxEntry(), 10);
    data->GetTankEntry()->Add()->SetSpecificWeight(0.85);
    AddMixed(data->GetElementgroupEntry(), 20);
    AddMixed(data->GetAssembledEntry(), 30);
    // Another order in the last list: container, tank, rest.
    data->GetAssembledEntry()->Remove(data->GetAssembledEntry()->Item(0));
    auto rest = CRestEntry::CreateInstance();
    data->GetAssembledEntry()->Add(rest);

    const std::string body = Body(data);
    EXPECT_NE(body.find("<BoxEntry xs:type=\"ContainerEntry\" Value=\"0\" Fix=\"false\" MassId=\"11\" "
                        "CoGzParameter=\"12.75\"/>"),
              std::string::npos)
        << body;
    EXPECT_NE(body.find("<ElementgroupEntry xs:type=\"RestEntry\" Value=\"0.5\" MassId=\"20\"/>"), std::string::npos);
    EXPECT_NE(body.find("<TankEntry Value=\"0\" MassId=\"0\" SpecificWeight=\"0.85\"/>"), std::string::npos);
    EXPECT_NE(body.find("<ContainerEntry Value=\"0\" MassId=\"1\" CoGzParameter=\"0\"/>"), std::string::npos);

    auto back = RoundTrip<CMassAssembledData>(data);
    EXPECT_EQ(back->GetTitle(), "  hull  block ");
    EXPECT_EQ(back->GetCoG()->GetZ(), 3);
    EXPECT_EQ(Classes(back->GetBoxEntry()), "RCT");
    EXPECT_EQ(Classes(back->GetElementgroupEntry()), "RCT");
    EXPECT_EQ(Classes(back->GetAssembledEntry()), "CTR");
    EXPECT_EQ(back->GetContainerEntry()->GetCount(), 1);
    EXPECT_EQ(back->GetTankEntry()->GetCount(), 1);
    auto item = back->GetBoxEntry()->Item(2);
    EXPECT_EQ(item->GetElementName(), "BoxEntry");
    EXPECT_EQ(item->GetMassId(), 12);
    EXPECT_EQ(dynamic_cast<CTankEntry&>(*item).GetSpecificWeight(), 1.025);
}

TEST(MassesAssembled, ClassComesFromTheTypeAttributeWhateverItsPrefix) {
    // Written elsewhere: the instance namespace bound to "xsi", the types in
    // another order, and no type on the first element-group entry.
    const std::string xml = R"(<AssembledEntry xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance" Id="5" Mass="2">
  <CoG x="1" y="2"/>
  <BoxEntry xsi:type="TankEntry" Value="1" MassId="7" SpecificWeight="1.5"/>
  <BoxEntry xsi:type="RestEntry" Value="2" MassId="8"/>
  <BoxEntry xsi:type="ContainerEntry" Value="3" MassId="9" CoGzParameter="4"/>
  <ElementgroupEntry Value="4" Fix="true" MassId="10"/>
  <AssembledEntry xsi:type="ContainerEntry" Value="5" MassId="11" CoGzParameter="6"/>
</AssembledEntry>)";
    auto data = CMassAssembledData::CreateInstance();
    data->FromXml(xml);
    EXPECT_EQ(data->GetElementName(), "AssembledEntry");
    EXPECT_EQ(Classes(data->GetBoxEntry()), "TRC");
    EXPECT_EQ(Classes(data->GetElementgroupEntry()), "R");
    EXPECT_EQ(Classes(data->GetAssembledEntry()), "C");
    EXPECT_TRUE(data->GetElementgroupEntry()->Item(0)->GetFix());
    // Written again, each entry names its class with our own prefix, the untyped one too.
    const std::string body = Body(data);
    EXPECT_NE(body.find("<BoxEntry xs:type=\"TankEntry\" Value=\"1\" MassId=\"7\" SpecificWeight=\"1.5\"/>"),
              std::string::npos)
        << body;
    EXPECT_NE(body.find("<ElementgroupEntry xs:type=\"RestEntry\" Value=\"4\" Fix=\"true\" MassId=\"10\"/>"),
              std::string::npos);
}

TEST(MassesAssembled, TypedListsIgnoreTheTypeAttribute) {
    auto data = CMassAssembledData::CreateInstance();
    data->FromXml(R"(<MassAssembledData xmlns:xs="http://www.w3.org/2001/XMLSchema-instance" Id="1" Mass="1">
  <CoG x="0" y="0"/>
  <TankEntry xs:type="ContainerEntry" Value="1" MassId="2" SpecificWeight="3"/>
</MassAssembledData>)");
    ASSERT_EQ(data->GetTankEntry()->GetCount(), 1);
    EXPECT_EQ(data->GetTankEntry()->Item(0)->GetSpecificWeight(), 3);
    EXPECT_EQ(Body(data).find("xs:type"), std::string::npos);
}

TEST(MassesAssembled, ReadingFaults) {
    const std::string ns = R"( xmlns:xs="http://www.w3.org/2001/XMLSchema-instance")";
    ExpectReadFailures<CMassAssembledData>({
        {"unknown type name stops the list",
         "<AssembledEntry" + ns + R"( Id="1" Mass="1"><CoG x="0" y="0"/>
           <BoxEntry Value="1" MassId="1"/><BoxEntry xs:type="tankentry" Value="1" MassId="1"/></AssembledEntry>)",
         {ChildrenOf("AssembledEntry"), Unknown("BoxEntry")}},
        {"untyped entry is a plain rest entry",
         R"(<AssembledEntry Id="1" Mass="1"><CoG x="0" y="0"/>
           <BoxEntry Value="1" MassId="1" SpecificWeight="2"/></AssembledEntry>)",
         {ChildrenOf("AssembledEntry"), AttributesOf("BoxEntry"), Unexpected("SpecificWeight")}},
        {"typed entry misses its own attribute",
         "<AssembledEntry" + ns + R"( Id="1" Mass="1"><CoG x="0" y="0"/>
           <AssembledEntry xs:type="ContainerEntry" Value="1" MassId="1"/></AssembledEntry>)",
         {ChildrenOf("AssembledEntry"), AttributesOf("AssembledEntry"), Required("CoGzParameter")}},
        {"centre of gravity first",
         R"(<AssembledEntry Id="1" Mass="1"><BoxEntry Value="1" MassId="1"/>
           <CoG x="0" y="0"/></AssembledEntry>)",
         {ChildrenOf("AssembledEntry"), RequiredElement("CoG")}},
        {"lists out of order",
         R"(<AssembledEntry Id="1" Mass="1"><CoG x="0" y="0"/>
           <TankEntry Value="1" MassId="1" SpecificWeight="1"/><BoxEntry Value="1" MassId="1"/></AssembledEntry>)",
         {ChildrenOf("AssembledEntry"), Unknown("BoxEntry")}},
        {"section spelling of the element-group list",
         R"(<AssembledEntry Id="1" Mass="1"><CoG x="0" y="0"/>
           <ElementGroupEntry Value="1" MassId="1"/></AssembledEntry>)",
         {ChildrenOf("AssembledEntry"), Unknown("ElementGroupEntry")}},
    });
}

TEST(MassesAssembled, SectionHoldsWholeAssembledMassesUnderTheSameName) {
    auto section = CMassAssembled::CreateInstance();
    EXPECT_EQ(Body(section), "<MassAssembled/>\n");
    auto data = section->GetAssembledEntry()->Add();
    data->SetId(3);
    AddMixed(data->GetAssembledEntry(), 40);
    auto back = RoundTrip<CMassAssembled>(section);
    ASSERT_EQ(back->GetAssembledEntry()->GetCount(), 1);
    EXPECT_EQ(back->GetAssembledEntry()->Item(0)->GetId(), 3);
    EXPECT_EQ(Classes(back->GetAssembledEntry()->Item(0)->GetAssembledEntry()), "RCT");
}

TEST(MassesAssembled, PolymorphicListOperations) {
    auto data = CMassAssembledData::CreateInstance();
    auto list = data->GetBoxEntry();
    EXPECT_EQ(ChainOf([&] { list->Add(nullptr); }), Chain{"The property [BoxEntry] cannot be set to null"});
    auto tank = CTankEntry::CreateInstance();
    list->Add(tank);
    EXPECT_EQ(tank->GetElementName(), "BoxEntry");
    EXPECT_EQ(list->Item(0).get(), static_cast<IRestEntry*>(tank.get()));
    list->Remove(tank);
    EXPECT_EQ(list->GetCount(), 0);
    EXPECT_EQ(tank->GetElementName(), "BoxEntry");  // still held here, still renamed
    EXPECT_EQ(Body(tank), "<BoxEntry xs:type=\"TankEntry\" Value=\"0\" MassId=\"0\" SpecificWeight=\"0\"/>\n");
}

// --- Box masses ---------------------------------------------------------------

TEST(MassesBoxes, BoxMassNeedsAnIntervalBeforeItCanBeWritten) {
    auto box = CMassBoxData::CreateInstance();
    EXPECT_EQ(ChainOf([&] { box->ToXml(); }), (Chain{ConvertOf("MassBoxData"), TooFew("Interval")}));
    box->GetInterval()->Add();
    EXPECT_EQ(Body(box), R"(<MassBoxData Id="0" Mass="0">
  <Interval>
    <Min x="0" y="0"/>
    <Max x="0" y="0"/>
  </Interval>
  <CoG x="0" y="0"/>
  <NodeSelection UseSelected="All"/>
</MassBoxData>
)");
}

TEST(MassesBoxes, SectionRoundTripKeepsBoxesInOrderAndAFractionalId) {
    auto section = CMassBoxes::CreateInstance();
    EXPECT_EQ(Body(section), "<MassBoxes/>\n");
    auto box = section->GetBoxEntry()->Add();
    box->SetId(12.5);
    box->SetTitle(" deck ");
    box->SetMass(40);
    box->GetInterval()->Add()->GetMin()->SetX(1);
    box->GetInterval()->Add()->GetMin()->SetX(2);
    box->GetNodeSelection()->SetUseSelected(CEnumerations::RMassNodeSelection_Hard);
    box->GetNodeSelection()->SetAttribute("frame 12");
    auto back = RoundTrip<CMassBoxes>(section);
    auto read = back->GetBoxEntry()->Item(0);
    EXPECT_EQ(read->GetElementName(), "BoxEntry");
    EXPECT_EQ(read->GetId(), 12.5);
    EXPECT_EQ(read->GetTitle(), " deck ");
    ASSERT_EQ(read->GetInterval()->GetCount(), 2);
    EXPECT_EQ(read->GetInterval()->Item(0)->GetMin()->GetX(), 1);
    EXPECT_EQ(read->GetInterval()->Item(1)->GetMin()->GetX(), 2);
    EXPECT_EQ(read->GetNodeSelection()->GetUseSelected(), CEnumerations::RMassNodeSelection_Hard);
    EXPECT_EQ(read->GetNodeSelection()->GetAttribute(), "frame 12");
}

TEST(MassesBoxes, ReadingFaults) {
    const std::string interval = R"(<Interval><Min x="0" y="0"/><Max x="1" y="1"/></Interval>)";
    const std::string cog = R"(<CoG x="0" y="0"/>)";
    ExpectReadFailures<CMassBoxData>({
        {"no interval",
         R"(<BoxEntry Id="1" Mass="1">)" + cog + R"(<NodeSelection UseSelected="All"/></BoxEntry>)",
         {ChildrenOf("BoxEntry"), TooFew("Interval")}},
        {"no node selection",
         R"(<BoxEntry Id="1" Mass="1">)" + interval + cog + "</BoxEntry>",
         {ChildrenOf("BoxEntry"), RequiredElement("NodeSelection")}},
        {"node selection before the centre of gravity",
         R"(<BoxEntry Id="1" Mass="1">)" + interval + R"(<NodeSelection UseSelected="All"/>)" + cog + "</BoxEntry>",
         {ChildrenOf("BoxEntry"), RequiredElement("CoG")}},
        {"selection text without its value",
         R"(<BoxEntry Id="1" Mass="1">)" + interval + cog + R"(<NodeSelection Attribute="a"/></BoxEntry>)",
         {ChildrenOf("BoxEntry"), AttributesOf("NodeSelection"), Required("UseSelected")}},
        {"unknown selection token",
         R"(<BoxEntry Id="1" Mass="1">)" + interval + cog + R"(<NodeSelection UseSelected="all"/></BoxEntry>)",
         {ChildrenOf("BoxEntry"), AttributesOf("NodeSelection"),
          "Unknown enumeration value for VantrelLib::CEnumerations::RMassNodeSelection [all]"}},
        {"missing id before missing mass", "<BoxEntry/>", {AttributesOf("BoxEntry"), Required("Id")}},
    });
}

// --- Tank masses --------------------------------------------------------------

TEST(MassesTanks, NodeSelectionComesBeforeTheIntervals) {
    auto tank = CMassTankData::CreateInstance();
    EXPECT_EQ(ChainOf([&] { tank->ToXml(); }), (Chain{ConvertOf("MassTankData"), TooFew("Interval")}));
    tank->GetInterval()->Add();
    EXPECT_EQ(Body(tank), R"(<MassTankData Id="0" InputCode="Srd-box">
  <NodeSelection UseSelected="All"/>
  <Interval>
    <Min x="0" y="0"/>
    <Max x="0" y="0"/>
  </Interval>
</MassTankData>
)");
}

TEST(MassesTanks, RequiredVolumeIsWrittenWithASmallLetter) {
    auto tank = CMassTankData::CreateInstance();
    EXPECT_EQ(ChainOf([&] { tank->GetRequiredVolume(); }),
              Chain{"The Property GetRequiredVolume is not valid. SetRequiredVolume must be called first"});
    tank->GetInterval()->Add();
    tank->SetValidRequiredVolume(true);
    EXPECT_NE(Body(tank).find(R"(<MassTankData Id="0" InputCode="Srd-box" requiredVolume="0">)"), std::string::npos);

    auto section = CMassTanks::CreateInstance();
    section->GetTankEntry()->Add(tank);
    tank->SetId(4);
    tank->SetTitle("FO 1");
    tank->SetInputCode(CEnumerations::RMassInputCode_In_Box);
    tank->SetRequiredVolume(215.75);
    auto back = RoundTrip<CMassTanks>(section)->GetTankEntry()->Item(0);
    EXPECT_EQ(back->GetElementName(), "TankEntry");
    EXPECT_EQ(back->GetId(), 4);
    EXPECT_EQ(back->GetInputCode(), CEnumerations::RMassInputCode_In_Box);
    EXPECT_EQ(back->GetRequiredVolume(), 215.75);
}

TEST(MassesTanks, ReadingFaults) {
    const std::string interval = R"(<Interval><Min x="0" y="0"/><Max x="1" y="1"/></Interval>)";
    const std::string selection = R"(<NodeSelection UseSelected="All"/>)";
    ExpectReadFailures<CMassTankData>({
        {"intervals before the selection",
         R"(<TankEntry Id="1" InputCode="TWE">)" + interval + selection + "</TankEntry>",
         {ChildrenOf("TankEntry"), RequiredElement("NodeSelection")}},
        {"no interval",
         R"(<TankEntry Id="1" InputCode="TWE">)" + selection + "</TankEntry>",
         {ChildrenOf("TankEntry"), TooFew("Interval")}},
        {"capital R",
         R"(<TankEntry Id="1" InputCode="TWE" RequiredVolume="1">)" + selection + interval + "</TankEntry>",
         {AttributesOf("TankEntry"), Unexpected("RequiredVolume")}},
        {"title without input code",
         R"(<TankEntry Id="1" Title="t">)" + selection + interval + "</TankEntry>",
         {AttributesOf("TankEntry"), Required("InputCode")}},
        {"input code token is case-sensitive",
         R"(<TankEntry Id="1" InputCode="In-box">)" + selection + interval + "</TankEntry>",
         {AttributesOf("TankEntry"),
          "Unknown enumeration value for VantrelLib::CEnumerations::RMassInputCode [In-box]"}},
    });
}

// --- Container masses ---------------------------------------------------------

TEST(MassesContainer, BlockNeedsARowBeforeItCanBeWritten) {
    auto block = CMassContainerData::CreateInstance();
    EXPECT_EQ(ChainOf([&] { block->ToXml(); }), (Chain{ConvertOf("MassContainerData"), TooFew("Row")}));
    block->GetRow()->Add();
    EXPECT_EQ(Body(block), R"(<MassContainerData Id="0" CoGx="0">
  <Aft/>
  <Forward/>
  <Row Number="0" Symmetry="P" TierUpper="0" TierLower="0" CoGyVertical="0" CoGyHorizontal="0" GuidedAft="false" GuidedForward="false"/>
</MassContainerData>
)");
}

TEST(MassesContainer, SectionRoundTrip) {
    auto section = CMassContainer::CreateInstance();
    EXPECT_EQ(Body(section), "<MassContainer/>\n");
    auto block = section->GetContainerEntry()->Add();
    block->SetId(2);
    block->SetTitle("  bay 2  ");
    block->SetCoGx(-1.5);
    block->GetAft()->SetId("F10");
    block->GetForward()->SetCoordinate(20.5);
    for (int number = 1; number <= 2; ++number) {
        auto row = block->GetRow()->Add();
        row->SetNumber(number);
        row->SetSymmetry(gdt::CEnumerations::RSymmetry_P_S);
        row->SetTierUpper(8);
        row->SetTierLower(2);
        row->SetCoGyVertical(0.25);
        row->SetCoGyHorizontal(-0.25);
        row->SetGuidedAft(true);
        row->SetGuidedForward(number == 2);
    }
    auto back = RoundTrip<CMassContainer>(section)->GetContainerEntry()->Item(0);
    EXPECT_EQ(back->GetElementName(), "ContainerEntry");
    EXPECT_EQ(back->GetTitle(), "  bay 2  ");
    EXPECT_EQ(back->GetAft()->GetId(), "F10");
    EXPECT_EQ(back->GetForward()->GetCoordinate(), 20.5);
    ASSERT_EQ(back->GetRow()->GetCount(), 2);
    auto row = back->GetRow()->Item(1);
    EXPECT_EQ(row->GetNumber(), 2);
    EXPECT_EQ(row->GetSymmetry(), gdt::CEnumerations::RSymmetry_P_S);
    EXPECT_TRUE(row->GetGuidedForward());
    EXPECT_FALSE(back->GetRow()->Item(0)->GetGuidedForward());
}

TEST(MassesContainer, ReadingFaults) {
    const std::string row =
        R"(<Row Number="1" Symmetry="S" TierUpper="1" TierLower="1" CoGyVertical="1" CoGyHorizontal="1" GuidedAft="true" GuidedForward="false"/>)";
    ExpectReadFailures<CMassContainerData>({
        {"forward before aft",
         R"(<ContainerEntry Id="1" CoGx="1"><Forward/><Aft/>)" + row + "</ContainerEntry>",
         {ChildrenOf("ContainerEntry"), RequiredElement("Aft")}},
        {"no row",
         R"(<ContainerEntry Id="1" CoGx="1"><Aft/><Forward/></ContainerEntry>)",
         {ChildrenOf("ContainerEntry"), TooFew("Row")}},
        {"id before centre of gravity",
         R"(<ContainerEntry><Aft/><Forward/>)" + row + "</ContainerEntry>",
         {AttributesOf("ContainerEntry"), Required("Id")}},
        {"row without its last attribute",
         R"(<ContainerEntry Id="1" CoGx="1"><Aft/><Forward/><Row Number="1" Symmetry="S" TierUpper="1" TierLower="1" CoGyVertical="1" CoGyHorizontal="1" GuidedAft="true"/></ContainerEntry>)",
         {ChildrenOf("ContainerEntry"), AttributesOf("Row"), Required("GuidedForward")}},
        {"row missing two attributes reports the first",
         R"(<ContainerEntry Id="1" CoGx="1"><Aft/><Forward/><Row Symmetry="S" TierUpper="1" CoGyVertical="1" CoGyHorizontal="1" GuidedAft="true" GuidedForward="false"/></ContainerEntry>)",
         {ChildrenOf("ContainerEntry"), AttributesOf("Row"), Required("Number")}},
        {"row with a child",
         R"(<ContainerEntry Id="1" CoGx="1"><Aft/><Forward/><Row Number="1" Symmetry="S" TierUpper="1" TierLower="1" CoGyVertical="1" CoGyHorizontal="1" GuidedAft="true" GuidedForward="false"><Tier/></Row></ContainerEntry>)",
         {ChildrenOf("ContainerEntry"), ChildrenOf("Row"), Unknown("Tier")}},
    });
}

TEST(MassesContainer, SymmetryOutsideItsEnumerationFailsOnlyWhenWritten) {
    auto block = CMassContainerData::CreateInstance();
    block->GetRow()->Add()->SetSymmetry(static_cast<gdt::CEnumerations::RSymmetry>(7));
    EXPECT_EQ(block->GetRow()->Item(0)->GetSymmetry(), 7);
    EXPECT_EQ(ChainOf([&] { block->ToXml(); }),
              (Chain{ConvertOf("MassContainerData"), ConvertOf("Row"),
                     "Unknown enumeration value for gdt::CEnumerations::RSymmetry [7]"}));
}

// --- Element group masses -----------------------------------------------------

TEST(MassesElementGroups, TitleIsCollapsedWhenSetAndWhenRead) {
    auto section = CMassElementGroups::CreateInstance();
    EXPECT_EQ(Body(section), "<MassElementGroups/>\n");
    auto group = section->GetElementGroupEntry()->Add();
    EXPECT_EQ(Body(section),
              "<MassElementGroups>\n  <ElementGroupEntry Id=\"0\" Buoyancy=\"false\"/>\n</MassElementGroups>\n");
    group->SetTitle("  engine \t room  aft ");
    EXPECT_EQ(group->GetTitle(), "engine room aft");
    group->SetBuoyancy(true);
    group->SetId(-2);
    auto back = RoundTrip<CMassElementGroups>(section)->GetElementGroupEntry()->Item(0);
    EXPECT_EQ(back->GetTitle(), "engine room aft");
    EXPECT_TRUE(back->GetBuoyancy());
    EXPECT_EQ(back->GetId(), -2);

    auto read = CMassElementGroups::CreateInstance();
    read->FromXml(
        R"(<MassElementGroups><ElementGroupEntry Id="1" Title="  a   b " Buoyancy=" true "/></MassElementGroups>)");
    EXPECT_EQ(read->GetElementGroupEntry()->Item(0)->GetTitle(), "a b");
}

TEST(MassesElementGroups, ReadingFaults) {
    ExpectReadFailures<CMassElementGroups>({
        {"assembled-mass spelling",
         R"(<MassElementGroups><ElementgroupEntry Id="1" Buoyancy="true"/></MassElementGroups>)",
         {ChildrenOf("MassElementGroups"), Unknown("ElementgroupEntry")}},
        {"id before buoyancy",
         R"(<MassElementGroups><ElementGroupEntry Title="x"/></MassElementGroups>)",
         {ChildrenOf("MassElementGroups"), AttributesOf("ElementGroupEntry"), Required("Id")}},
    });
}

// --- The masses section -------------------------------------------------------

TEST(MassesSection, EmptySectionRoundTrip) {
    auto masses = CMasses::CreateInstance();
    EXPECT_EQ(Body(masses), "<Masses/>\n");
    auto back = RoundTrip<CMasses>(masses);
    EXPECT_FALSE(back->GetMassBoxes());
    EXPECT_FALSE(back->GetMassElementGroups());
    EXPECT_FALSE(back->GetMassTanks());
    EXPECT_FALSE(back->GetMassContainer());
    EXPECT_FALSE(back->GetMassAssembled());
}

TEST(MassesSection, EverySectionInItsOrderWithEntryNamesReused) {
    auto masses = CMasses::CreateInstance();
    // Set in another order than they are written; each is renamed after its slot.
    auto assembled = CMassAssembled::CreateInstance();
    auto entry = assembled->GetAssembledEntry()->Add();
    AddMixed(entry->GetBoxEntry(), 1);
    entry->GetTankEntry()->Add();
    entry->GetContainerEntry()->Add();
    masses->SetMassAssembled(assembled);
    auto container = CMassContainer::CreateInstance();
    container->GetContainerEntry()->Add()->GetRow()->Add();
    masses->SetMassContainer(container);
    auto tanks = CMassTanks::CreateInstance();
    tanks->GetTankEntry()->Add()->GetInterval()->Add();
    masses->SetMassTanks(tanks);
    auto groups = CMassElementGroups::CreateInstance();
    groups->GetElementGroupEntry()->Add();
    masses->SetMassElementGroups(groups);
    auto boxes = CMassBoxes::CreateInstance();
    boxes->GetBoxEntry()->Add()->GetInterval()->Add();
    masses->SetMassBoxes(boxes);

    const std::string body = Body(masses);
    std::size_t last = 0;
    for (const char* name :
         {"<MassBoxes>", "<MassElementGroups>", "<MassTanks>", "<MassContainer>", "<MassAssembled>"}) {
        const std::size_t at = body.find(name);
        ASSERT_NE(at, std::string::npos) << name;
        EXPECT_GT(at, last) << name;
        last = at;
    }

    auto back = RoundTrip<CMasses>(masses);
    EXPECT_EQ(back->GetMassBoxes()->GetBoxEntry()->GetCount(), 1);
    EXPECT_EQ(back->GetMassElementGroups()->GetElementGroupEntry()->GetCount(), 1);
    EXPECT_EQ(back->GetMassTanks()->GetTankEntry()->GetCount(), 1);
    EXPECT_EQ(back->GetMassContainer()->GetContainerEntry()->GetCount(), 1);
    auto backEntry = back->GetMassAssembled()->GetAssembledEntry()->Item(0);
    EXPECT_EQ(Classes(backEntry->GetBoxEntry()), "RCT");
    EXPECT_EQ(backEntry->GetTankEntry()->GetCount(), 1);
    EXPECT_EQ(backEntry->GetContainerEntry()->GetCount(), 1);

    masses->SetMassTanks(nullptr);
    EXPECT_FALSE(masses->GetMassTanks());
    EXPECT_EQ(Body(masses).find("MassTanks"), std::string::npos);
}

TEST(MassesSection, SectionsOnlyInTheirOrderAndOnce) {
    auto onlyLast = CMasses::CreateInstance();
    onlyLast->FromXml("<Masses><MassAssembled/></Masses>");
    EXPECT_TRUE(onlyLast->GetMassAssembled());
    EXPECT_FALSE(onlyLast->GetMassBoxes());
    EXPECT_FALSE(onlyLast->GetMassTanks());

    ExpectReadFailures<CMasses>({
        {"out of order", "<Masses><MassTanks/><MassBoxes/></Masses>", {ChildrenOf("Masses"), Unknown("MassBoxes")}},
        {"twice", "<Masses><MassTanks/><MassTanks/></Masses>", {ChildrenOf("Masses"), Unknown("MassTanks")}},
        {"attribute", R"(<Masses Count="1"/>)", {AttributesOf("Masses"), Unexpected("Count")}},
        {"fault deep inside",
         R"(<Masses><MassTanks><TankEntry Id="1"/></MassTanks></Masses>)",
         {ChildrenOf("Masses"), ChildrenOf("MassTanks"), AttributesOf("TankEntry"), Required("InputCode")}},
    });
}

}  // namespace
