// The framework: class factories, enumerations, collections and the element
// pattern's reading and writing rules, shown on the gdt classes.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "TestSupport.h"

using LtXmlLib3::CLtException;
using LtXmlLib3::CSmartPtr;
using testsupport::AttributesOf;
using testsupport::ChildrenOf;
using Strings = std::vector<std::string>;
using Cases = std::vector<std::pair<std::function<void()>, std::string>>;

namespace {

// Each action throws its message alone.
void ExpectThrows(const Cases& cases) {
    for (const auto& [action, message] : cases) EXPECT_EQ(testsupport::ChainOf(action), Strings{message});
}

template <class C>
CSmartPtr<C> MakeCollection(gdt::CClassFactory::gdt_Classes id, const char* name, long minOccurs, long maxOccurs) {
    auto created = gdt::CClassFactory::CreateClassCollection(id, name, minOccurs, maxOccurs);
    return CSmartPtr<C>(dynamic_cast<C*>(created.get()));
}

}  // namespace

TEST(FrameworkFactory, NamesAndErrorsOfBothFactories) {
    EXPECT_EQ(gdt::CClassFactory::CreateClass(gdt::CClassFactory::Id_CPoint, "Min")->GetElementName(), "Min");
    // The collection keeps its own copy of the name it is given.
    char name[] = "Interval";
    auto boxes = MakeCollection<gdt::CBoxCol>(gdt::CClassFactory::Id_CBoxCol, name, 1, -1);
    name[0] = 'X';
    ASSERT_TRUE(boxes);
    EXPECT_EQ(boxes->GetElementName(), "Interval");
    EXPECT_EQ(boxes->GetMinOccurs(), 1);

    using G = gdt::CClassFactory;
    ExpectThrows({
        {[] { G::CreateClass(G::NONE, "x"); }, "Invalid Class (NONE)"},
        {[] { G::CreateClassCollection(G::NONE, "x", 0, -1); }, "Invalid Class (NONE)"},
        {[] { G::CreateEnumCollection(G::NONE, "x", "y", 0, -1); }, "Invalid Class (NONE)"},
        {[] { G::CreateClass(G::Id_CBoxCol); }, "Unknown Class id"},
        {[] { G::CreateClass(static_cast<G::gdt_Classes>(99), "x"); }, "Unknown Class id"},
        {[] { G::CreateClass(static_cast<G::gdt_Classes>(-1)); }, "Unknown Class id"},
        {[] { G::CreateClassCollection(G::Id_CBox, "x", 0, -1); }, "Unknown Collection Class id"},
        {[] { G::CreateClassCollection(static_cast<G::gdt_Classes>(-1), "x", 0, -1); }, "Unknown Collection Class id"},
        {[] { G::CreateEnumCollection(G::Id_CBoxCol, "x", "y", 0, -1); }, "Unknown Collection Class id"},
        {[] { VantrelLib::CClassFactory::CreateClass(VantrelLib::CClassFactory::Id_IRestEntry); }, "Unknown Class id"},
    });
}

TEST(FrameworkEnumerations, TokensCollapseAndErrorsNameHolderAndValue) {
    using G = gdt::CEnumerations;
    using V = VantrelLib::CEnumerations;
    EXPECT_EQ(G::RSymmetryFromString(" P+S "), G::RSymmetry_P_S);
    EXPECT_EQ(G::RSymmetryFromString("\tS\n"), G::RSymmetry_S);
    const std::string g = "Unknown enumeration value for gdt::CEnumerations::";
    const std::string v = "Unknown enumeration value for VantrelLib::CEnumerations::";
    EXPECT_THROW(G::RSymmetryFromString("p"), LtXmlLib3::CLtInvalidValueException);
    ExpectThrows({
        {[] { G::RSymmetryFromString(" Q "); }, g + "RSymmetry [ Q ]"},
        {[] { G::RDirectionToString(static_cast<G::RDirection>(2)); }, g + "RDirection [2]"},
        {[] { G::RContainerTypeToString(static_cast<G::RContainerType>(-1)); }, g + "RContainerType [-1]"},
        {[] { V::RMassInputCodeFromString("In-box"); }, v + "RMassInputCode [In-box]"},
        {[] { V::RHydroSelectTypeFromString(nullptr); }, v + "RHydroSelectType []"},
        {[] { V::RMassNodeSelectionToString(static_cast<V::RMassNodeSelection>(3)); }, v + "RMassNodeSelection [3]"},
    });
}

TEST(FrameworkCollections, AddItemRemoveIterateCopyAndCount) {
    auto boxes = MakeCollection<gdt::CBoxCol>(gdt::CClassFactory::Id_CBoxCol, "Interval", 1, 2);
    EXPECT_THROW(boxes->ValidateCount(), LtXmlLib3::CLtValidationException);
    auto first = boxes->Add();
    auto foreign = gdt::CBox::CreateInstance();
    boxes->Add(foreign);
    EXPECT_EQ(foreign->GetElementName(), "Interval");  // renamed on adding
    EXPECT_NO_THROW(boxes->ValidateCount());
    auto third = boxes->Add();
    EXPECT_THROW(boxes->ValidateCount(), LtXmlLib3::CLtValidationException);
    std::vector<gdt::CBox*> seen;
    for (CSmartPtr<gdt::CBox> box : *boxes) seen.push_back(box);
    EXPECT_EQ(seen, (std::vector<gdt::CBox*>{first, foreign, third}));

    // Faults touch nothing.
    auto stranger = gdt::CBox::CreateInstance();
    for (const std::function<void()>& fault :
         std::vector<std::function<void()>>{[&] { boxes->Item(3); }, [&] { boxes->Item(-1); },
                                            [&] { boxes->Remove(stranger.get()); }, [&] { boxes->Remove(3); },
                                            [&] { boxes->Add(static_cast<gdt::CBox*>(nullptr)); }})
        EXPECT_THROW(fault(), CLtException);
    EXPECT_EQ(boxes->GetCount(), 3);

    // A copy has its own list sharing the items.
    auto copy = MakeCollection<gdt::CBoxCol>(gdt::CClassFactory::Id_CBoxCol, "X", 0, -1);
    *copy = *boxes;
    EXPECT_EQ(copy->GetElementName(), "Interval");
    boxes->Remove(foreign.get());
    boxes->Remove(0);
    EXPECT_EQ(boxes->GetCount(), 1);
    EXPECT_EQ(boxes->Item(0).get(), third.get());
    EXPECT_EQ(copy->GetCount(), 3);
    EXPECT_EQ(copy->Item(1).get(), foreign.get());
}

TEST(FrameworkElement, WritesOnlyTheOutermostWithDeclarationsAndWrapsFaults) {
    auto box = gdt::CBox::CreateInstance();
    box->GetMin()->SetX(-1.5);
    box->GetMax()->SetZ(2);
    EXPECT_EQ(box->ToXml(),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<gdt:Box "
              "xmlns:xs=\"http://www.w3.org/2001/XMLSchema-instance\" "
              "xmlns:gdt=\"http://www.vantrel.org/XML/GlobalDataTypes\">\n"
              "  <Min x=\"-1.5\" y=\"0\"/>\n  <Max x=\"0\" y=\"0\" z=\"2\"/>\n</gdt:Box>\n");
    // A fault writing a child is wrapped by each element it lies in.
    auto table = VantrelLib::CFrameTableData::CreateInstance();
    table->GetFrameNoPP2()->SetId(std::string("a\x01"));
    EXPECT_EQ(testsupport::ChainOf([&] { table->ToXml(); }),
              (Strings{testsupport::ConvertOf("FrameTableData"), testsupport::ConvertOf("FrameNoPP2"),
                       "The value of [Id] cannot be written as XML: byte 0x01 at offset 1 is a control character"}));
}

TEST(FrameworkElement, ReadingFaultsNestWrappersAndHint) {
    const std::string ok = "x='0' y='0'/>";
    const auto text = [](std::string element) { return "Unexpected text content found in element [" + element + "]"; };
    const struct {
        std::string xml;
        Strings chain;
        const char* hint;  // of the innermost level
    } cases[] = {
        {"<Box><Max " + ok + "<Min " + ok + "</Box>",
         {ChildrenOf("Box"), "Failed to find a required element [Min]"}, "Min must come before Max"},
        {"<Box><Min " + ok + "<Min " + ok + "</Box>",
         {ChildrenOf("Box"), "Failed to find a required element [Max]"}, "Min is allowed only once here"},
        {"<Box><Min " + ok + "<max " + ok + "</Box>",
         {ChildrenOf("Box"), "Failed to find a required element [Max]"},
         "element names are case-sensitive: max is not Max"},
        {"<Box><Min x='zero' y='0'/><Max " + ok + "</Box>",
         {ChildrenOf("Box"), AttributesOf("Min"), "The value [zero] of attribute [x] is not a valid double"}, ""},
        {"<Box><Min x='0' y='0'><Point " + ok + "</Min><Max " + ok + "</Box>",
         {ChildrenOf("Box"), ChildrenOf("Min"), testsupport::Unknown("Point")}, ""},
        // No element carries text; it is a fault of the element's child block, after its children's faults.
        {"<Box>t<Min " + ok + "<Max " + ok + "&#160;</Box>", {ChildrenOf("Box"), text("Box")}, ""},
        {"<Box><Min x='0' y='0'><![CDATA[x]]></Min><Max " + ok + "</Box>",
         {ChildrenOf("Box"), ChildrenOf("Min"), text("Min")}, ""},
        {"<Box>t<Min x='0'/><Max " + ok + "</Box>",
         {ChildrenOf("Box"), AttributesOf("Min"), "Failed to find the required Attribute [y]"}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.xml);
        auto box = gdt::CBox::CreateInstance();
        try {
            box->FromXml(c.xml);
            ADD_FAILURE() << "read";
        } catch (const CLtException& error) {
            EXPECT_EQ(testsupport::Chain(error), c.chain);
            EXPECT_EQ(error.GetInnermost().GetHint(), c.hint);
        }
    }
    // Whitespace, comments and processing instructions are no text.
    auto box = gdt::CBox::CreateInstance();
    box->FromXml("<Box>\n\t <!-- c --> <?pi x?><Min x='1' y='0'>&#10;<![CDATA[ ]]>&#32;</Min>\r\n<Max " + ok +
                 " </Box>");
    EXPECT_EQ(box->GetMin()->GetX(), 1);
}

TEST(FrameworkElement, ReadingResetsFirstAndKeepsWhatWasRead) {
    auto box = gdt::CBox::CreateInstance();
    box->GetMin()->SetZ(4);
    box->GetMax()->SetX(9);
    EXPECT_THROW(box->FromXml("<B><Min x='1' y='2'/></B>"), CLtException);
    // The failed read leaves what it read and defaults for the rest.
    EXPECT_EQ(box->GetElementName(), "B");
    EXPECT_EQ(box->GetMin()->GetX(), 1);
    EXPECT_FALSE(box->GetMin()->IsValidZ());
    EXPECT_EQ(box->GetMax()->GetX(), 0);
    EXPECT_EQ(box->GetMax()->GetElementName(), "Max");
}
