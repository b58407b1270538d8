// The framework: class factories, enumerations, collections and the element
// pattern's reading and writing rules, shown on the gdt classes.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"

using LtXmlLib3::CLtException;
using LtXmlLib3::CLtInvalidValueException;
using LtXmlLib3::CSmartPtr;
using testsupport::AttributesOf;
using testsupport::ChainOf;
using testsupport::ChildrenOf;
using testsupport::ReadFailure;
using testsupport::Unknown;
using Strings = std::vector<std::string>;

namespace {

const char* kDeclarations =
    "xmlns:xs=\"http://www.w3.org/2001/XMLSchema-instance\" "
    "xmlns:gdt=\"http://www.vantrel.org/XML/GlobalDataTypes\"";

}  // namespace

TEST(FrameworkFactory, GdtCreatesByIdWithNames) {
    auto point = CSmartPtr<gdt::CPoint>(dynamic_cast<gdt::CPoint*>(
        gdt::CClassFactory::CreateClass(gdt::CClassFactory::Id_CPoint).get()));
    ASSERT_TRUE(point);
    EXPECT_EQ(point->GetElementName(), "Point");
    auto min = gdt::CClassFactory::CreateClass(gdt::CClassFactory::Id_CPoint, "Min");
    EXPECT_EQ(min->GetElementName(), "Min");

    struct Case {
        gdt::CClassFactory::gdt_Classes id;
        const char* name;
    };
    const Case elements[] = {{gdt::CClassFactory::Id_CBox, "Box"},
                             {gdt::CClassFactory::Id_CAttachedFile, "AttachedFile"},
                             {gdt::CClassFactory::Id_CFrame, "Frame"},
                             {gdt::CClassFactory::Id_CLoadcase, "Loadcase"},
                             {gdt::CClassFactory::Id_CRangeDouble, "RangeDouble"}};
    for (const Case& c : elements) EXPECT_EQ(gdt::CClassFactory::CreateClass(c.id)->GetElementName(), c.name);

    auto boxes = gdt::CClassFactory::CreateClassCollection(gdt::CClassFactory::Id_CBoxCol, "Interval", 1, -1);
    ASSERT_NE(dynamic_cast<gdt::CBoxCol*>(boxes.get()), nullptr);
    EXPECT_EQ(boxes->GetElementName(), "Interval");
    EXPECT_EQ(boxes->GetMinOccurs(), 1);
    EXPECT_NE(dynamic_cast<gdt::CLoadcaseCol*>(
                  gdt::CClassFactory::CreateClassCollection(gdt::CClassFactory::Id_CLoadcaseCol, "UnitLoadCase", 0, -1)
                      .get()),
              nullptr);
}

TEST(FrameworkFactory, ErrorsOfBothFactories) {
    using G = gdt::CClassFactory;
    using V = VantrelLib::CClassFactory;
    const std::vector<std::pair<std::function<void()>, std::string>> cases = {
        {[] { G::CreateClass(G::NONE); }, "Invalid Class (NONE)"},
        {[] { G::CreateClass(G::NONE, "x"); }, "Invalid Class (NONE)"},
        {[] { G::CreateClassCollection(G::NONE, "x", 0, -1); }, "Invalid Class (NONE)"},
        {[] { G::CreateEnumCollection(G::NONE, "x", "y", 0, -1); }, "Invalid Class (NONE)"},
        {[] { G::CreateClass(G::Id_CBoxCol); }, "Unknown Class id"},
        {[] { G::CreateClass(static_cast<G::gdt_Classes>(99), "x"); }, "Unknown Class id"},
        {[] { G::CreateClass(static_cast<G::gdt_Classes>(-1)); }, "Unknown Class id"},
        {[] { G::CreateClassCollection(G::Id_CBox, "x", 0, -1); }, "Unknown Collection Class id"},
        {[] { G::CreateEnumCollection(G::Id_CBoxCol, "x", "y", 0, -1); }, "Unknown Collection Class id"},
        {[] { V::CreateClass(V::NONE); }, "Invalid Class (NONE)"},
        {[] { V::CreateClass(V::Id_IRestEntry); }, "Unknown Class id"},
        {[] { V::CreateClass(V::Id_IRestEntry, "BoxEntry"); }, "Unknown Class id"},
        {[] { V::CreateClass(V::Id_CTankEntryCol); }, "Unknown Class id"},
        {[] { V::CreateClass(static_cast<V::VantrelLib_Classes>(52)); }, "Unknown Class id"},
        {[] { V::CreateClassCollection(V::Id_CVantrel, "x", 0, -1); }, "Unknown Collection Class id"},
        {[] { V::CreateEnumCollection(V::NONE, "x", "y", 0, -1); }, "Invalid Class (NONE)"},
        {[] { V::CreateEnumCollection(V::Id_CRowCol, "x", "y", 0, -1); }, "Unknown Collection Class id"},
    };
    for (const auto& [action, message] : cases) {
        try {
            action();
            ADD_FAILURE() << "no exception for " << message;
        } catch (const CLtException& error) {
            // Thrown as the base class itself.
            EXPECT_EQ(typeid(error), typeid(CLtException));
            EXPECT_STREQ(error.what(), message.c_str());
        }
    }
}

TEST(FrameworkEnumerations, TokensConvertBothWays) {
    using G = gdt::CEnumerations;
    using V = VantrelLib::CEnumerations;
    EXPECT_STREQ(G::RSymmetryToString(G::RSymmetry_P_S), "P+S");
    EXPECT_EQ(G::RSymmetryFromString(" P+S "), G::RSymmetry_P_S);
    EXPECT_EQ(G::RSymmetryFromString("\tS\n"), G::RSymmetry_S);
    EXPECT_STREQ(G::RContainerTypeToString(G::RContainerType_40), "40");
    EXPECT_EQ(G::RContainerTypeFromString("20"), G::RContainerType_20);
    EXPECT_STREQ(G::RProgramTypeToString(G::RProgramType_Quenta), "Quenta");
    EXPECT_EQ(G::RDirectionFromString("Aft"), G::RDirection_Aft);
    EXPECT_STREQ(V::RMassInputCodeToString(V::RMassInputCode_Srd_box), "Srd-box");
    EXPECT_EQ(V::RMassInputCodeFromString("In-Box"), V::RMassInputCode_In_Box);
    EXPECT_STREQ(V::RLoadComponentsToString(V::RLoadComponents_BMmaxZ), "BMmaxZ");
    EXPECT_EQ(V::RLoadComponentsFromString("SFminY"), V::RLoadComponents_SFminY);
    EXPECT_STREQ(V::RHydroSelectTypeToString(V::RHydroSelectType_Fix), "Fix");
    EXPECT_EQ(V::RMassNodeSelectionFromString("Hard"), V::RMassNodeSelection_Hard);
    EXPECT_STREQ(V::RMassTypeToString(V::RMassType_AS), "AS");
    EXPECT_EQ(V::RMassTypeFromString("CO"), V::RMassType_CO);
}

TEST(FrameworkEnumerations, ErrorsNameHolderAndValue) {
    using G = gdt::CEnumerations;
    using V = VantrelLib::CEnumerations;
    const std::vector<std::pair<std::function<void()>, std::string>> cases = {
        {[] { G::RSymmetryFromString("p"); }, "Unknown enumeration value for gdt::CEnumerations::RSymmetry [p]"},
        {[] { G::RSymmetryFromString(" Q "); }, "Unknown enumeration value for gdt::CEnumerations::RSymmetry [ Q ]"},
        {[] { G::RDirectionToString(static_cast<G::RDirection>(2)); },
         "Unknown enumeration value for gdt::CEnumerations::RDirection [2]"},
        {[] { G::RContainerTypeToString(static_cast<G::RContainerType>(-1)); },
         "Unknown enumeration value for gdt::CEnumerations::RContainerType [-1]"},
        {[] { G::RProgramTypeFromString("vantrel"); },
         "Unknown enumeration value for gdt::CEnumerations::RProgramType [vantrel]"},
        {[] { V::RMassInputCodeFromString("In-box"); },
         "Unknown enumeration value for VantrelLib::CEnumerations::RMassInputCode [In-box]"},
        {[] { V::RLoadComponentsToString(static_cast<V::RLoadComponents>(12)); },
         "Unknown enumeration value for VantrelLib::CEnumerations::RLoadComponents [12]"},
        {[] { V::RHydroSelectTypeFromString(""); },
         "Unknown enumeration value for VantrelLib::CEnumerations::RHydroSelectType []"},
        {[] { V::RMassNodeSelectionToString(static_cast<V::RMassNodeSelection>(3)); },
         "Unknown enumeration value for VantrelLib::CEnumerations::RMassNodeSelection [3]"},
        {[] { V::RMassTypeFromString("fe"); }, "Unknown enumeration value for VantrelLib::CEnumerations::RMassType [fe]"},
    };
    for (const auto& [action, message] : cases) {
        try {
            action();
            ADD_FAILURE() << "no exception for " << message;
        } catch (const CLtInvalidValueException& error) {
            EXPECT_STREQ(error.what(), message.c_str());
        }
    }
}

TEST(FrameworkCollections, AddItemRemoveAndIterate) {
    auto created = gdt::CClassFactory::CreateClassCollection(gdt::CClassFactory::Id_CBoxCol, "Interval", 0, -1);
    CSmartPtr<gdt::CBoxCol> boxes(dynamic_cast<gdt::CBoxCol*>(created.get()));
    ASSERT_TRUE(boxes);
    auto first = boxes->Add();
    EXPECT_EQ(first->GetElementName(), "Interval");
    auto foreign = gdt::CBox::CreateInstance();
    EXPECT_EQ(foreign->GetElementName(), "Box");
    boxes->Add(foreign);
    EXPECT_EQ(foreign->GetElementName(), "Interval");  // renamed on adding
    auto third = boxes->Add();
    ASSERT_EQ(boxes->GetCount(), 3);
    EXPECT_EQ(boxes->Item(1).get(), foreign.get());

    std::vector<gdt::CBox*> seen;
    for (CSmartPtr<gdt::CBox> box : *boxes) seen.push_back(box);
    EXPECT_EQ(seen, (std::vector<gdt::CBox*>{first, foreign, third}));

    // Faults touch nothing.
    EXPECT_THROW(boxes->Item(3), CLtException);
    EXPECT_THROW(boxes->Item(-1), CLtException);
    auto stranger = gdt::CBox::CreateInstance();
    EXPECT_THROW(boxes->Remove(stranger.get()), CLtException);
    EXPECT_THROW(boxes->Remove(5), CLtException);
    EXPECT_THROW(boxes->Add(static_cast<gdt::CBox*>(nullptr)), CLtException);
    EXPECT_EQ(boxes->GetCount(), 3);

    boxes->Remove(foreign.get());
    EXPECT_EQ(boxes->GetCount(), 2);
    EXPECT_EQ(boxes->Item(1).get(), third.get());
    boxes->Remove(0);
    EXPECT_EQ(boxes->Item(0).get(), third.get());
    boxes->Clear();
    EXPECT_EQ(boxes->GetCount(), 0);
    EXPECT_EQ(boxes->begin(), boxes->end());
}

TEST(FrameworkCollections, CountLimitsAndCopies) {
    auto created = gdt::CClassFactory::CreateClassCollection(gdt::CClassFactory::Id_CLoadcaseCol, "UnitLoadCase", 1, 2);
    CSmartPtr<gdt::CLoadcaseCol> cases(dynamic_cast<gdt::CLoadcaseCol*>(created.get()));
    EXPECT_THROW(cases->ValidateCount(), LtXmlLib3::CLtValidationException);
    cases->Add();
    EXPECT_NO_THROW(cases->ValidateCount());
    cases->Add();
    cases->Add();
    EXPECT_THROW(cases->ValidateCount(), LtXmlLib3::CLtValidationException);

    // A copy has its own list sharing the items: removing from one leaves the other.
    auto other = gdt::CClassFactory::CreateClassCollection(gdt::CClassFactory::Id_CLoadcaseCol, "X", 0, -1);
    auto* copy = dynamic_cast<gdt::CLoadcaseCol*>(other.get());
    *copy = *cases;
    EXPECT_EQ(copy->GetElementName(), "UnitLoadCase");
    cases->Remove(0);
    EXPECT_EQ(copy->GetCount(), 3);
    EXPECT_EQ(cases->GetCount(), 2);
    EXPECT_EQ(copy->Item(1).get(), cases->Item(0).get());
}

TEST(FrameworkElement, WritesOnlyTheOutermostWithDeclarations) {
    auto box = gdt::CBox::CreateInstance();
    box->GetMin()->SetX(-1.5);
    box->GetMax()->SetZ(2);
    EXPECT_EQ(box->ToXml(), std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<gdt:Box ") + kDeclarations +
                                ">\n"
                                "  <Min x=\"-1.5\" y=\"0\"/>\n"
                                "  <Max x=\"0\" y=\"0\" z=\"2\"/>\n"
                                "</gdt:Box>\n");
}

TEST(FrameworkElement, ReadingFaultsNestWrappers) {
    struct Case {
        const char* xml;
        Strings chain;
    };
    const Case cases[] = {
        {"<Box><Min y='1'/><Max x='0' y='0'/></Box>",
         {ChildrenOf("Box"), AttributesOf("Min"), "Failed to find the required Attribute [x]"}},
        {"<Box><Max x='0' y='0'/><Min x='0' y='0'/></Box>",
         {ChildrenOf("Box"), "Failed to find a required element [Min]"}},
        {"<Box><Min x='0' y='0'/></Box>", {ChildrenOf("Box"), "Failed to find a required element [Max]"}},
        {"<Box/>", {ChildrenOf("Box"), "Failed to find a required element [Min]"}},
        {"<Box><Min x='0' y='0'/><Max x='0' y='0'/><Extra/></Box>", {ChildrenOf("Box"), Unknown("Extra")}},
        {"<Box a='1'><Min x='0' y='0'/><Max x='0' y='0'/></Box>",
         {AttributesOf("Box"), "Unexpected Attribute [a] found."}},
        {"<Box><Min x='0' y='0' X='1'/><Max x='0' y='0'/></Box>",
         {ChildrenOf("Box"), AttributesOf("Min"), "Unexpected Attribute [X] found."}},
        {"<Box><Min x='zero' y='0'/><Max x='0' y='0'/></Box>",
         {ChildrenOf("Box"), AttributesOf("Min"), "The value [zero] of attribute [x] is not a valid double"}},
        {"<Box><Min x='0' y='0'><Point x='1' y='1'/></Min><Max x='0' y='0'/></Box>",
         {ChildrenOf("Box"), ChildrenOf("Min"), Unknown("Point")}},
    };
    for (const Case& c : cases) EXPECT_EQ(ReadFailure<gdt::CBox>(c.xml), c.chain) << c.xml;
}

TEST(FrameworkElement, ReadFaultsCarryTheLine) {
    auto box = gdt::CBox::CreateInstance();
    try {
        box->FromXml("<Box>\n  <Min x='0' y='0'/>\n  <Max y='0'/>\n</Box>");
        ADD_FAILURE();
    } catch (const CLtException& error) {
        EXPECT_EQ(error.GetLine(), 1);
        ASSERT_NE(error.GetInnerException(), nullptr);
        EXPECT_EQ(error.GetInnerException()->GetLine(), 3);
        EXPECT_EQ(error.GetInnermost().GetLine(), 3);
        EXPECT_EQ(error.FormatChain("b.xml"),
                  "b.xml:1:1: " + ChildrenOf("Box") + "\nb.xml:3:3: " + AttributesOf("Max") +
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

TEST(FrameworkElement, WriteFaultsAreWrapped) {
    auto box = gdt::CBox::CreateInstance();
    auto point = box->GetMax();
    point->SetZ(1);
    auto frame = gdt::CFrame::CreateInstance();
    frame->SetId(std::string("\x01"));
    EXPECT_EQ(ChainOf([&] { frame->ToXml(); }).front(), testsupport::ConvertOf("Frame"));
    EXPECT_EQ(ChainOf([&] { frame->ToXml(); }).size(), 2u);
}

TEST(FrameworkSmartPtr, ConvertsToBaseHandles) {
    CSmartPtr<LtXmlLib3::CXmlObjectBase> base;
    auto point = gdt::CPoint::CreateInstance();
    base = point;  // assignment from a derived handle
    EXPECT_EQ(base.get(), static_cast<LtXmlLib3::CXmlObjectBase*>(point.get()));
    CSmartPtr<LtXmlLib3::CXmlObjectBase> constructed(point);
    EXPECT_EQ(constructed.get(), base.get());
    point = nullptr;
    EXPECT_EQ(base->GetElementName(), "Point");  // still held
    EXPECT_TRUE(base);
    base = nullptr;
    EXPECT_FALSE(base);
}
