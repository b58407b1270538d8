// The global data types: point, range, box, frame, load case and attached file.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "TestSupport.h"

using LtXmlLib3::CLtException;
using LtXmlLib3::CLtInvalidStateException;
using testsupport::AttributesOf;
using testsupport::ChainOf;
using testsupport::ReadFailure;
using testsupport::RoundTrip;
using testsupport::Unknown;
using Strings = std::vector<std::string>;

TEST(GdtPoint, OptionalZ) {
    auto point = gdt::CPoint::CreateInstance();
    EXPECT_EQ(point->GetElementName(), "Point");
    EXPECT_EQ(point->GetTargetNamespace(), "http://www.vantrel.org/XML/GlobalDataTypes");
    EXPECT_FALSE(point->IsValidZ());
    EXPECT_EQ(ChainOf([&] { point->GetZ(); }), Strings{"The Property GetZ is not valid. SetZ must be called first"});
    EXPECT_THROW(point->GetZ(), CLtInvalidStateException);
    EXPECT_NE(point->ToXml().find("<gdt:Point "), std::string::npos);
    EXPECT_EQ(point->ToXml().find("z="), std::string::npos);

    point->SetZ(5);
    EXPECT_EQ(point->GetZ(), 5);
    point->SetValidZ(true);  // no change of validity: value kept
    EXPECT_EQ(point->GetZ(), 5);
    point->SetValidZ(false);
    point->SetValidZ(true);
    EXPECT_EQ(point->GetZ(), 0);  // reset, not 5
    EXPECT_NE(point->ToXml().find("z=\"0\""), std::string::npos);
}

TEST(GdtPoint, RoundTripsExactValues) {
    auto point = gdt::CPoint::CreateInstance();
    point->SetX(-0.0);
    point->SetY(std::numeric_limits<double>::denorm_min());
    point->SetZ(-std::numeric_limits<double>::infinity());
    auto copy = RoundTrip(point.get());
    EXPECT_TRUE(std::signbit(copy->GetX()));
    EXPECT_EQ(copy->GetY(), std::numeric_limits<double>::denorm_min());
    EXPECT_EQ(copy->GetZ(), -std::numeric_limits<double>::infinity());
}

TEST(GdtPoint, ReadingFaultsAndReset) {
    EXPECT_EQ(ReadFailure<gdt::CPoint>("<Point/>"),
              (Strings{AttributesOf("Point"), "Failed to find the required Attribute [x]"}));
    EXPECT_EQ(ReadFailure<gdt::CPoint>("<Point x='1' z='2'/>"),
              (Strings{AttributesOf("Point"), "Failed to find the required Attribute [y]"}));
    EXPECT_EQ(ReadFailure<gdt::CPoint>("<Point x='1' y='2'><a/></Point>"),
              (Strings{testsupport::ChildrenOf("Point"), Unknown("a")}));

    auto point = gdt::CPoint::CreateInstance();
    point->SetZ(3);
    point->FromXml("<P xmlns:q='urn:q' x=' 1 ' y='2'/>");  // namespace declaration ignored
    EXPECT_FALSE(point->IsValidZ());
    EXPECT_EQ(point->GetX(), 1);
    EXPECT_EQ(point->GetElementName(), "P");

    // A failed conversion of an optional attribute leaves it valid with its default.
    EXPECT_THROW(point->FromXml("<Point x='1' y='2' z='bad'/>"), CLtException);
    EXPECT_TRUE(point->IsValidZ());
    EXPECT_EQ(point->GetZ(), 0);
}

TEST(GdtRange, AnyOrderRoundTrips) {
    auto range = gdt::CRangeDouble::CreateInstance();
    range->SetFrom(10);
    range->SetTo(-10);
    auto copy = RoundTrip(range.get());
    EXPECT_EQ(copy->GetFrom(), 10);
    EXPECT_EQ(copy->GetTo(), -10);
    EXPECT_EQ(ReadFailure<gdt::CRangeDouble>("<RangeDouble to='1'/>"),
              (Strings{AttributesOf("RangeDouble"), "Failed to find the required Attribute [from]"}));
    EXPECT_EQ(ReadFailure<gdt::CRangeDouble>("<RangeDouble from='1'/>"),
              (Strings{AttributesOf("RangeDouble"), "Failed to find the required Attribute [to]"}));
}

TEST(GdtBox, ChildrenAreSharedAndRenamed) {
    auto box = gdt::CBox::CreateInstance();
    auto point = gdt::CPoint::CreateInstance();
    point->SetX(7);
    box->SetMax(point);
    EXPECT_EQ(point->GetElementName(), "Max");
    EXPECT_EQ(box->GetMax().get(), point.get());
    EXPECT_THROW(box->SetMin(nullptr), CLtException);
    EXPECT_EQ(box->GetMin()->GetElementName(), "Min");  // kept

    // A copy shares the points with its source.
    auto copy = gdt::CBox::CreateInstance();
    *copy = *box;
    copy->GetMin()->SetX(42);
    EXPECT_EQ(box->GetMin()->GetX(), 42);

    auto read = RoundTrip(box.get());
    EXPECT_EQ(read->GetMax()->GetX(), 7);
    EXPECT_EQ(read->GetMin()->GetX(), 42);
}

TEST(GdtBox, ObjectsOutliveTheirOwners) {
    LtXmlLib3::CSmartPtr<gdt::CPoint> min;
    {
        auto box = gdt::CBox::CreateInstance();
        min = box->GetMin();
        min->SetX(3);
    }
    EXPECT_EQ(min->GetX(), 3);
}

TEST(GdtFrame, OptionalTextKeepsWhitespace) {
    auto frame = gdt::CFrame::CreateInstance();
    auto empty = RoundTrip(frame.get());
    EXPECT_FALSE(empty->IsValidId());
    EXPECT_FALSE(empty->IsValidCoordinate());
    EXPECT_EQ(ChainOf([&] { frame->GetId(); }), Strings{"The Property GetId is not valid. SetId must be called first"});
    EXPECT_EQ(ChainOf([&] { frame->GetCoordinate(); }),
              Strings{"The Property GetCoordinate is not valid. SetCoordinate must be called first"});
    frame->SetValidId(true);
    EXPECT_EQ(frame->GetId(), "");

    frame->SetId("  F 12\t\n ");
    frame->SetCoordinate(12.5);
    auto copy = RoundTrip(frame.get());
    EXPECT_EQ(copy->GetId(), "  F 12\t\n ");
    EXPECT_EQ(copy->GetCoordinate(), 12.5);

    frame->FromXml("<Frame Id='  A  '/>");
    EXPECT_EQ(frame->GetId(), "  A  ");
    EXPECT_FALSE(frame->IsValidCoordinate());
}

TEST(GdtLoadcase, IdAndOptionalName) {
    auto loadcase = gdt::CLoadcase::CreateInstance();
    loadcase->SetLoadcaseId(18446744073709551615ull);
    EXPECT_EQ(loadcase->ToXml().find("Name="), std::string::npos);
    loadcase->SetName("Full load & <departure>");
    auto copy = RoundTrip(loadcase.get());
    EXPECT_EQ(copy->GetLoadcaseId(), 18446744073709551615ull);
    EXPECT_EQ(copy->GetName(), "Full load & <departure>");

    EXPECT_EQ(ReadFailure<gdt::CLoadcase>("<Loadcase Name='x'/>"),
              (Strings{AttributesOf("Loadcase"), "Failed to find the required Attribute [LoadcaseId]"}));
    const auto negative = ReadFailure<gdt::CLoadcase>("<Loadcase LoadcaseId='-3'/>");
    ASSERT_EQ(negative.size(), 2u);
    EXPECT_EQ(negative[0], AttributesOf("Loadcase"));
    const auto overflow = ReadFailure<gdt::CLoadcase>("<Loadcase LoadcaseId='18446744073709551616'/>");
    ASSERT_EQ(overflow.size(), 2u);
    EXPECT_EQ(ChainOf([&] { loadcase->SetValidName(false), loadcase->GetName(); }),
              Strings{"The Property GetName is not valid. SetName must be called first"});
}

TEST(GdtAttachedFile, PathsAsGiven) {
    auto file = gdt::CAttachedFile::CreateInstance();
    EXPECT_NE(file->ToXml().find("AbsolutePath=\"\""), std::string::npos);
    EXPECT_EQ(file->ToXml().find("RelativePath"), std::string::npos);
    file->SetAbsolutePath(" C:\\ship\\frames.csv ");
    file->SetRelativePath("../frames.csv");
    auto copy = RoundTrip(file.get());
    EXPECT_EQ(copy->GetAbsolutePath(), " C:\\ship\\frames.csv ");
    EXPECT_EQ(copy->GetRelativePath(), "../frames.csv");

    EXPECT_EQ(ReadFailure<gdt::CAttachedFile>("<AttachedFile RelativePath='x'/>"),
              (Strings{AttributesOf("AttachedFile"), "Failed to find the required Attribute [AbsolutePath]"}));
    file->FromXml("<FrameTable AbsolutePath=''/>");
    EXPECT_EQ(file->GetAbsolutePath(), "");
    EXPECT_EQ(ChainOf([&] { file->GetRelativePath(); }),
              Strings{"The Property GetRelativePath is not valid. SetRelativePath must be called first"});
}
