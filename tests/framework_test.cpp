// The framework: class factories, enumerations, collections and the element
// pattern's reading and writing rules, shown on the gdt classes.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <typeinfo>
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

// Each action throws exactly class E with its message.
template <class E>
void ExpectThrows(const Cases& cases) {
    for (const auto& [action, message] : cases) {
        try {
            action();
            ADD_FAILURE() << "no exception for " << message;
        } catch (const CLtException& error) {
            EXPECT_EQ(typeid(error), typeid(E)) << message;
            EXPECT_STREQ(error.what(), message.c_str());
        }
    }
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
    using V = VantrelLib::CClassFactory;
    ExpectThrows<CLtException>({
        {[] { G::CreateClass(G::NONE, "x"); }, "Invalid Class (NONE)"},
        {[] { G::CreateClassCollection(G::NONE, "x", 0, -1); }, "Invalid Class (NONE)"},
        {[] { G::CreateEnumCollection(G::NONE, "x", "y", 0, -1); }, "Invalid Class (NONE)"},
        {[] { G::CreateClass(G::Id_CBoxCol); }, "Unknown Class id"},
        {[] { G::CreateClass(static_cast<G::gdt_Classes>(99), "x"); }, "Unknown Class id"},
        {[] { G::CreateClass(static_cast<G::gdt_Classes>(-1)); }, "Unknown Class id"},
        {[] { G::CreateClassCollection(G::Id_CBox, "x", 0, -1); }, "Unknown Collection Class id"},
        {[] { G::CreateClassCollection(static_cast<G::gdt_Classes>(-1), "x", 0, -1); }, "Unknown Collection Class id"},
        {[] { G::CreateEnumCollection(G::Id_CBoxCol, "x", "y", 0, -1); }, "Unknown Collection Class id"},
        {[] { V::CreateClass(V::NONE); }, "Invalid Class (NONE)"},
        {[] { V::CreateClass(V::Id_IRestEntry, "BoxEntry"); }, "Unknown Class id"},
        {[] { V::CreateClass(static_cast<V::VantrelLib_Classes>(52)); }, "Unknown Class id"},
        {[] { V::CreateClassCollection(V::Id_CVantrel, "x", 0, -1); }, "Unknown Collection Class id"},
        {[] { V::CreateEnumCollection(V::NONE, "x", "y", 0, -1); }, "Invalid Class (NONE)"},
        {[] { V::CreateEnumCollection(V::Id_CRowCol, "x", "y", 0, -1); }, "Unknown Collection Class id"},
    });
}

TEST(FrameworkEnumerations, TokensCollapseAndErrorsNameHolderAndValue) {
    using G = gdt::CEnumerations;
    using V = VantrelLib::CEnumerations;
    EXPECT_EQ(G::RSymmetryFromString(" P+S "), G::RSymmetry_P_S);
    EXPECT_EQ(G::RSymmetryFromString("\tS\n"), G::RSymmetry_S);
    EXPECT_EQ(V::RMassInputCodeFromString("In-Box"), V::RMassInputCode_In_Box);
    EXPECT_STREQ(V::RMassInputCodeToString(V::RMassInputCode_Srd_box), "Srd-box");
    const std::string g = "Unknown enumeration value for gdt::CEnumerations::";
    const std::string v = "Unknown enumeration value for VantrelLib::CEnumerations::";
    ExpectThrows<LtXmlLib3::CLtInvalidValueException>({
        {[] { G::RSymmetryFromString(" Q "); }, g + "RSymmetry [ Q ]"},
        {[] { G::RDirectionToString(static_cast<G::RDirection>(2)); }, g + "RDirection [2]"},
        {[] { G::RContainerTypeToString(static_cast<G::RContainerType>(-1)); }, g + "RContainerType [-1]"},
        {[] { V::RMassInputCodeFromString("In-box"); }, v + "RMassInputCode [In-box]"},
        {[] { V::RHydroSelectTypeFromString(nullptr); }, v + "RHydroSelectType []"},
        {[] { V::RMassNodeSelectionToString(static_cast<V::RMassNodeSelection>(3)); }, v + "RMassNodeSelection [3]"},
    });
}

TEST(FrameworkCollections, AddItemRemoveIterateAndCopy) {
    auto boxes = MakeCollection<gdt::CBoxCol>(gdt::CClassFactory::Id_CBoxCol, "Interval", 0, -1);
    auto first = boxes->Add();
    auto foreign = gdt::CBox::CreateInstance();
    boxes->Add(foreign);
    EXPECT_EQ(foreign->GetElementName(), "Interval");  // renamed on adding
    auto third = boxes->Add();
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
    EXPECT_EQ(boxes->Item(1).get(), third.get());
    boxes->Remove(0);
    EXPECT_EQ(boxes->Item(0).get(), third.get());
    EXPECT_EQ(copy->GetCount(), 3);
    EXPECT_EQ(copy->Item(1).get(), foreign.get());
    boxes->Clear();
    EXPECT_EQ(boxes->begin(), boxes->end());

    auto cases = MakeCollection<gdt::CLoadcaseCol>(gdt::CClassFactory::Id_CLoadcaseCol, "UnitLoadCase", 1, 2);
    EXPECT_THROW(cases->ValidateCount(), LtXmlLib3::CLtValidationException);
    cases->Add();
    cases->Add();
    EXPECT_NO_THROW(cases->ValidateCount());
    cases->Add();
    EXPECT_THROW(cases->ValidateCount(), LtXmlLib3::CLtValidationException);
}

TEST(FrameworkElement, WritesOnlyTheOutermostWithDeclarations) {
    auto box = gdt::CBox::CreateInstance();
    box->GetMin()->SetX(-1.5);
    box->GetMax()->SetZ(2);
    EXPECT_EQ(box->ToXml(),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<gdt:Box "
              "xmlns:xs=\"http://www.w3.org/2001/XMLSchema-instance\" "
              "xmlns:gdt=\"http://www.vantrel.org/XML/GlobalDataTypes\">\n"
              "  <Min x=\"-1.5\" y=\"0\"/>\n  <Max x=\"0\" y=\"0\" z=\"2\"/>\n</gdt:Box>\n");
}

// A fault writing a child is wrapped by each element it lies in.
TEST(FrameworkElement, WriteFaultsAreWrapped) {
    auto table = VantrelLib::CFrameTableData::CreateInstance();
    table->GetFrameNoPP2()->SetId(std::string("a\x01"));
    EXPECT_EQ(testsupport::ChainOf([&] { table->ToXml(); }),
              (Strings{testsupport::ConvertOf("FrameTableData"), testsupport::ConvertOf("FrameNoPP2"),
                       "The value of [Id] cannot be written as XML: byte 0x01 at offset 1 is a control character"}));
}

TEST(FrameworkElement, ReadingFaultsNestWrappersAndHint) {
    const std::string ok = "x='0' y='0'/>";
    const struct {
        std::string xml;
        Strings chain;
        const char* hint;  // of the innermost level
    } cases[] = {
        {"<Box><Max " + ok + "<Min " + ok + "</Box>",
         {ChildrenOf("Box"), "Failed to find a required element [Min]"}, "Min must come before Max"},
        {"<Box><Min " + ok + "<Min " + ok + "</Box>",
         {ChildrenOf("Box"), "Failed to find a required element [Max]"}, "Min is allowed only once here"},
        {"<Box><Min " + ok + "</Box>", {ChildrenOf("Box"), "Failed to find a required element [Max]"}, ""},
        {"<Box><Min " + ok + "<max " + ok + "</Box>",
         {ChildrenOf("Box"), "Failed to find a required element [Max]"},
         "element names are case-sensitive: max is not Max"},
        {"<Box><Min x='zero' y='0'/><Max " + ok + "</Box>",
         {ChildrenOf("Box"), AttributesOf("Min"), "The value [zero] of attribute [x] is not a valid double"}, ""},
        {"<Box><Min x='0' y='0'><Point " + ok + "</Min><Max " + ok + "</Box>",
         {ChildrenOf("Box"), ChildrenOf("Min"), testsupport::Unknown("Point")}, ""},
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
}

TEST(FrameworkElement, ReadFaultsCarryTheLine) {
    auto box = gdt::CBox::CreateInstance();
    try {
        box->FromXml("<Box>\n  <Min x='0' y='0'/>\n  <Max y='0'/>\n</Box>");
        ADD_FAILURE();
    } catch (const CLtException& error) {
        EXPECT_EQ(error.GetInnermost().GetLine(), 3);
        EXPECT_EQ(error.FormatChain("b.xml"), "b.xml:1:1: " + ChildrenOf("Box") + "\nb.xml:3:3: " +
                                                  AttributesOf("Max") +
                                                  "\nb.xml:3:3: Failed to find the required Attribute [x]\n");
    }
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

TEST(FrameworkSmartPtr, ConvertsToBaseHandles) {
    auto point = gdt::CPoint::CreateInstance();
    CSmartPtr<LtXmlLib3::CXmlObjectBase> base;
    base = point;
    CSmartPtr<LtXmlLib3::CXmlObjectBase> constructed(point);
    EXPECT_EQ(constructed.get(), base.get());
    point = nullptr;
    EXPECT_EQ(base->GetElementName(), "Point");  // still held
    base = nullptr;
    EXPECT_FALSE(base);
}
