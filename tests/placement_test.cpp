// Where a child is written and how faults are located: an object held in two
// places, the position of a bad item on writing, and the hints that go with
// reading faults whose message alone may mislead.

#include <gtest/gtest.h>

#include <iterator>
#include <string>

#include "TestSupport.h"

using LtXmlLib3::CLtException;
using LtXmlLib3::CSmartPtr;
using testsupport::ConvertOf;
using namespace VantrelLib;

namespace {

const char* kXsi = R"( xmlns:xs="http://www.w3.org/2001/XMLSchema-instance")";

// The hint a failed read of `xml` into a fresh T carries ("" with a test failure when the read succeeds).
template <class T>
std::string HintOf(const std::string& xml) {
    auto object = T::CreateInstance();
    try {
        object->FromXml(xml);
    } catch (const CLtException& error) {
        return error.FindHint();
    }
    ADD_FAILURE() << "read succeeded: " << xml;
    return std::string();
}

}  // namespace

TEST(Placement, AnObjectInTwoListsIsWrittenInEachAndReadsBack) {
    auto assembled = CMassAssembledData::CreateInstance();
    auto entry = CRestEntry::CreateInstance();
    entry->SetMassId(1001);
    assembled->GetBoxEntry()->Add(entry);
    assembled->GetAssembledEntry()->Add(entry);  // renames the shared object "AssembledEntry"

    auto read = testsupport::RoundTrip(assembled.get());
    ASSERT_EQ(read->GetBoxEntry()->GetCount(), 1);
    ASSERT_EQ(read->GetAssembledEntry()->GetCount(), 1);
    EXPECT_EQ(read->GetBoxEntry()->Item(0)->GetMassId(), 1001);
    EXPECT_EQ(read->GetBoxEntry()->Item(0)->GetElementName(), "BoxEntry");
    EXPECT_EQ(entry->GetElementName(), "AssembledEntry");  // the object keeps the name it was given last
}

TEST(Placement, ARequiredChildSharedElsewhereKeepsItsPlaceName) {
    auto table = CFrameTableData::CreateInstance();
    auto container = CMassContainerData::CreateInstance();
    table->GetFrameNoPP1()->SetId("10");
    container->SetAft(table->GetFrameNoPP1());  // renames it "Aft"

    const std::string text = table->ToXml();
    EXPECT_NE(text.find(R"(<FrameNoPP1 Id="10")"), std::string::npos) << text;
    EXPECT_EQ(text.find("<Aft"), std::string::npos) << text;
    auto read = testsupport::RoundTrip(table.get());
    EXPECT_EQ(read->GetFrameNoPP1()->GetId(), "10");
    EXPECT_EQ(container->GetAft()->GetElementName(), "Aft");
}

TEST(Placement, AFaultWritingAnItemNamesItsIndexAndId) {
    auto boxes = CMassBoxes::CreateInstance();
    for (std::int64_t id : {1001, 1002, 1003}) {
        auto box = boxes->GetBoxEntry()->Add();
        box->SetId(id);
        box->GetInterval()->Add();
    }
    boxes->GetBoxEntry()->Item(1)->SetTitle(std::string("deck\x01"));  // XML cannot carry it
    try {
        boxes->ToXml();
        ADD_FAILURE() << "written";
    } catch (const CLtException& error) {
        ASSERT_NE(error.GetInnerException(), nullptr);
        const CLtException& item = *error.GetInnerException();
        EXPECT_EQ(item.GetMessage(), ConvertOf("BoxEntry"));
        EXPECT_EQ(item.GetContext(), "index 1, Id 1002");
        EXPECT_NE(error.FormatChain().find(ConvertOf("BoxEntry") + " (index 1, Id 1002)\n"), std::string::npos);
    }
}

TEST(Placement, HintsSayWhatTheMessageDoesNot) {
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

    EXPECT_EQ(HintOf<CMassAssembledData>(std::string(R"(<AssembledEntry Id="1" Mass="1")") + kXsi + ">" + point +
                                         R"(<BoxEntry xs:type="BoxRestEntry" Value="1" MassId="2"/></AssembledEntry>)"),
              "xs:type [BoxRestEntry] is not one of ContainerEntry, RestEntry, TankEntry");

    auto select = CHydroSelectEntry::CreateInstance();
    select->SetFactor(CHydroSelectFactorEntry::CreateInstance());
    std::string both = select->ToXml();
    both.insert(both.rfind("</"), R"(<Wave Ampl="1" LtoLpp="1" Direction="0" Phase="0" Heel="0"/>)");
    EXPECT_EQ(HintOf<CHydroSelectEntry>(both), "Factor and Wave are a choice: give only one of them");

    EXPECT_EQ(HintOf<CFrameTableEntry>(R"(<FrameEntry No="1" Spacing="1" Mould="Astern"/>)"),
              "the accepted tokens are Forward, Aft");
    // A fault inside a child that is in its place gets no order hint.
    EXPECT_EQ(HintOf<CGeneralData>(R"(<GeneralData><PrincipalDimension Lpp="x"/></GeneralData>)"), "");
}

TEST(Placement, CollectionsAreRanges) {
    auto table = CFrameTableData::CreateInstance();
    EXPECT_TRUE(table->GetFrameEntry()->empty());
    for (double no : {1.0, 2.0, 4.0}) table->GetFrameEntry()->Add()->SetNo(no);
    double sum = 0;
    for (auto& entry : *table->GetFrameEntry()) sum += entry->GetNo();
    EXPECT_EQ(sum, 7.0);
    EXPECT_EQ(std::size(*table->GetFrameEntry()), 3u);
    EXPECT_FALSE(table->GetFrameEntry()->empty());
}
