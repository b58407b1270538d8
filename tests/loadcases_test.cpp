// The load case data: load case input and load envelopes.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include <VantrelLib/VantrelLib.h>

#include "TestSupport.h"

namespace {

using namespace VantrelLib;
using testsupport::AttributesOf;
using testsupport::ChainOf;
using testsupport::ExpectCreated;
using testsupport::ChildrenOf;
using testsupport::ConvertOf;
using testsupport::ReadFailure;
using testsupport::RoundTrip;
using testsupport::Unknown;
using Chain = std::vector<std::string>;

std::string Document(const std::string& name, const std::string& rest) {
    return std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<") + name + " xmlns:xs=\"" +
           LtXmlLib3::kXmlSchemaInstanceNamespace + "\" xmlns:gdt=\"" + Framework::kGdtNamespace + "\"" + rest;
}

struct ReadCase {
    const char* label;
    std::string xml;
    Chain chain;
};

template <class T>
void CheckReadFailures(const std::vector<ReadCase>& cases) {
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(ReadFailure<T>(c.xml), c.chain);
    }
}

// --- Load case data ------------------------------------------------------------

TEST(LoadcaseData, EmptyPartRoundTrips) {
    auto data = CLoadcaseData::CreateInstance();
    EXPECT_EQ(data->ToXml(), Document("LoadcaseData", "/>\n"));
    auto read = RoundTrip(data.get());
    EXPECT_FALSE(read->GetLoadcaseInput());
    EXPECT_FALSE(read->GetLoadEnvelopes());
}

TEST(LoadcaseData, FreshChildrenAreWrittenWithTheirDefaults) {
    auto data = CLoadcaseData::CreateInstance();
    auto input = CLoadcaseInputData::CreateInstance();
    EXPECT_EQ(input->GetElementName(), "LoadcaseInputData");
    auto envelopes = CLoadEnvelopeData::CreateInstance();
    EXPECT_EQ(envelopes->GetElementName(), "LoadEnvelopeData");
    data->SetLoadEnvelopes(envelopes);
    data->SetLoadcaseInput(input);
    EXPECT_EQ(input->GetElementName(), "LoadcaseInput");
    EXPECT_EQ(envelopes->GetElementName(), "LoadEnvelopes");
    EXPECT_EQ(data->ToXml(), Document("LoadcaseData", ">\n"
                                                      "  <LoadcaseInput LoadComponent=\"SFminX\" NoOfIntervals=\"0\" IsHalfModel=\"false\">\n"
                                                      "    <BaseLoadCase LoadcaseId=\"0\"/>\n"
                                                      "    <Origin x=\"0\" y=\"0\"/>\n"
                                                      "  </LoadcaseInput>\n"
                                                      "  <LoadEnvelopes/>\n"
                                                      "</LoadcaseData>\n"));
    auto read = RoundTrip(data.get());
    EXPECT_EQ(read->GetLoadcaseInput()->GetElementName(), "LoadcaseInput");
    EXPECT_EQ(read->GetLoadEnvelopes()->GetLongitudinalPosition()->GetCount(), 0);

    data->SetLoadcaseInput(nullptr);
    EXPECT_FALSE(data->GetLoadcaseInput());
    EXPECT_EQ(data->ToXml(), Document("LoadcaseData", ">\n  <LoadEnvelopes/>\n</LoadcaseData>\n"));
}

TEST(LoadcaseData, EnvelopesAloneReadBack) {
    auto data = CLoadcaseData::CreateInstance();
    data->FromXml(R"(<LoadcaseData><LoadEnvelopes><LongitudinalPosition XPosition="1"><MinForces x="0" y="0" z="0" xx="0" yy="0" zz="0"/><MaxForces x="0" y="0" z="0" xx="0" yy="0" zz="0"/></LongitudinalPosition></LoadEnvelopes></LoadcaseData>)");
    EXPECT_FALSE(data->GetLoadcaseInput());
    ASSERT_TRUE(data->GetLoadEnvelopes());
    EXPECT_EQ(data->GetLoadEnvelopes()->GetLongitudinalPosition()->GetCount(), 1);
}

TEST(LoadcaseData, ReadingFaults) {
    CheckReadFailures<CLoadcaseData>({
        {"envelopes before input", R"(<LoadcaseData><LoadEnvelopes/><LoadcaseInput/></LoadcaseData>)",
         {ChildrenOf("LoadcaseData"), Unknown("LoadcaseInput")}},
        {"repeated input",
         R"(<LoadcaseData><LoadcaseInput LoadComponent="SFminX" NoOfIntervals="1" IsHalfModel="0"><BaseLoadCase LoadcaseId="1"/><Origin x="0" y="0"/></LoadcaseInput><LoadcaseInput/></LoadcaseData>)",
         {ChildrenOf("LoadcaseData"), Unknown("LoadcaseInput")}},
        {"class name as element", R"(<LoadcaseData><LoadEnvelopeData/></LoadcaseData>)",
         {ChildrenOf("LoadcaseData"), Unknown("LoadEnvelopeData")}},
        {"attribute", R"(<LoadcaseData Count="2"/>)",
         {AttributesOf("LoadcaseData"), "Unexpected Attribute [Count] found."}},
    });
}

// --- Load case input -----------------------------------------------------------

TEST(LoadcaseInput, AllValuesRoundTrip) {
    auto input = CLoadcaseInputData::CreateInstance();
    input->SetLoadComponent(CEnumerations::RLoadComponents_BMmaxZ);
    input->SetNoOfIntervals(18446744073709551615ULL);
    input->SetIsHalfModel(true);
    input->GetBaseLoadCase()->SetLoadcaseId(7);
    input->GetBaseLoadCase()->SetName(" still water ");
    for (std::uint64_t id : {30, 10, 20}) input->GetUnitLoadCase()->Add()->SetLoadcaseId(id);
    auto origin = gdt::CPoint::CreateInstance();
    origin->SetX(-1.5);
    origin->SetY(2);
    origin->SetZ(0.25);
    input->SetOrigin(origin);
    EXPECT_EQ(origin->GetElementName(), "Origin");
    auto base = gdt::CLoadcase::CreateInstance();
    base->SetLoadcaseId(8);
    input->SetBaseLoadCase(base);
    EXPECT_EQ(base->GetElementName(), "BaseLoadCase");

    EXPECT_EQ(input->ToXml(), Document("LoadcaseInputData",
                                       " LoadComponent=\"BMmaxZ\" NoOfIntervals=\"18446744073709551615\" IsHalfModel=\"true\">\n"
                                       "  <BaseLoadCase LoadcaseId=\"8\"/>\n"
                                       "  <UnitLoadCase LoadcaseId=\"30\"/>\n"
                                       "  <UnitLoadCase LoadcaseId=\"10\"/>\n"
                                       "  <UnitLoadCase LoadcaseId=\"20\"/>\n"
                                       "  <Origin x=\"-1.5\" y=\"2\" z=\"0.25\"/>\n"
                                       "</LoadcaseInputData>\n"));
    auto read = RoundTrip(input.get());
    EXPECT_EQ(read->GetLoadComponent(), CEnumerations::RLoadComponents_BMmaxZ);
    EXPECT_EQ(read->GetNoOfIntervals(), 18446744073709551615ULL);
    EXPECT_TRUE(read->GetIsHalfModel());
    EXPECT_EQ(read->GetBaseLoadCase()->GetLoadcaseId(), 8u);
    ASSERT_EQ(read->GetUnitLoadCase()->GetCount(), 3);
    EXPECT_EQ(read->GetUnitLoadCase()->Item(0)->GetLoadcaseId(), 30u);
    EXPECT_EQ(read->GetUnitLoadCase()->Item(2)->GetLoadcaseId(), 20u);
    EXPECT_EQ(read->GetOrigin()->GetZ(), 0.25);
}

TEST(LoadcaseInput, ReadingReplacesUnitLoadCases) {
    auto input = CLoadcaseInputData::CreateInstance();
    input->GetUnitLoadCase()->Add()->SetLoadcaseId(99);
    input->GetOrigin()->SetZ(4);
    input->FromXml(R"(<LoadcaseInput LoadComponent=" SFmaxY " NoOfIntervals=" 12 " IsHalfModel="1"><BaseLoadCase LoadcaseId="1"/><Origin x="1" y="2"/></LoadcaseInput>)");
    EXPECT_EQ(input->GetElementName(), "LoadcaseInput");
    EXPECT_EQ(input->GetLoadComponent(), CEnumerations::RLoadComponents_SFmaxY);
    EXPECT_EQ(input->GetNoOfIntervals(), 12u);
    EXPECT_TRUE(input->GetIsHalfModel());
    EXPECT_EQ(input->GetUnitLoadCase()->GetCount(), 0);
    EXPECT_FALSE(input->GetOrigin()->IsValidZ());
}

TEST(LoadcaseInput, NullRequiredChildIsRefusedAndTheHeldOneStays) {
    auto input = CLoadcaseInputData::CreateInstance();
    const gdt::CLoadcase* base = input->GetBaseLoadCase();
    EXPECT_EQ(ChainOf([&] { input->SetBaseLoadCase(nullptr); }),
              Chain{"The property [BaseLoadCase] cannot be set to null"});
    EXPECT_EQ(input->GetBaseLoadCase().get(), base);
    const gdt::CPoint* origin = input->GetOrigin();
    EXPECT_EQ(ChainOf([&] { input->SetOrigin(nullptr); }), Chain{"The property [Origin] cannot be set to null"});
    EXPECT_EQ(input->GetOrigin().get(), origin);
}

TEST(LoadcaseInput, ComponentOutsideTheEnumerationFailsOnlyWhenWritten) {
    auto data = CLoadcaseData::CreateInstance();
    auto input = CLoadcaseInputData::CreateInstance();
    data->SetLoadcaseInput(input);
    input->SetLoadComponent(static_cast<CEnumerations::RLoadComponents>(12));
    EXPECT_EQ(input->GetLoadComponent(), 12);
    EXPECT_EQ(ChainOf([&] { data->ToXml(); }),
              (Chain{ConvertOf("LoadcaseData"), ConvertOf("LoadcaseInput"),
                     "Unknown enumeration value for VantrelLib::CEnumerations::RLoadComponents [12]"}));
}

TEST(LoadcaseInput, ReadingFaults) {
    const std::string attributes = R"(LoadComponent="SFminX" NoOfIntervals="2" IsHalfModel="false")";
    const std::string base = R"(<BaseLoadCase LoadcaseId="1"/>)";
    const std::string unit = R"(<UnitLoadCase LoadcaseId="2"/>)";
    const std::string origin = R"(<Origin x="0" y="0"/>)";
    auto input = [&](const std::string& attrs, const std::string& children) {
        return "<LoadcaseInput " + attrs + ">" + children + "</LoadcaseInput>";
    };
    CheckReadFailures<CLoadcaseInputData>({
        {"unit load cases before the base", input(attributes, unit + base + origin),
         {ChildrenOf("LoadcaseInput"), "Failed to find a required element [BaseLoadCase]"}},
        {"origin before the unit load cases", input(attributes, base + origin + unit + unit),
         {ChildrenOf("LoadcaseInput"), Unknown("UnitLoadCase")}},
        {"no origin", input(attributes, base + unit),
         {ChildrenOf("LoadcaseInput"), "Failed to find a required element [Origin]"}},
        {"no children", input(attributes, ""),
         {ChildrenOf("LoadcaseInput"), "Failed to find a required element [BaseLoadCase]"}},
        {"unit load cases split", input(attributes, base + unit + "<Other/>" + unit + origin),
         {ChildrenOf("LoadcaseInput"), "Failed to find a required element [Origin]"}},
        {"intervals and half model missing", input(R"(LoadComponent="SFminX")", base + origin),
         {AttributesOf("LoadcaseInput"), "Failed to find the required Attribute [NoOfIntervals]"}},
        {"component missing", input(R"(IsHalfModel="true" NoOfIntervals="1")", base + origin),
         {AttributesOf("LoadcaseInput"), "Failed to find the required Attribute [LoadComponent]"}},
        {"half model missing", input(R"(NoOfIntervals="1" LoadComponent="SFminX")", base + origin),
         {AttributesOf("LoadcaseInput"), "Failed to find the required Attribute [IsHalfModel]"}},
        {"component in the wrong case", input(R"(LoadComponent="sfminx" NoOfIntervals="1" IsHalfModel="0")", ""),
         {AttributesOf("LoadcaseInput"), "Unknown enumeration value for VantrelLib::CEnumerations::RLoadComponents [sfminx]"}},
        {"negative intervals", input(R"(LoadComponent="SFminX" NoOfIntervals="-1" IsHalfModel="0")", ""),
         {AttributesOf("LoadcaseInput"), "The value [-1] of attribute [NoOfIntervals] is out of range for unsignedLong"}},
        {"unknown attribute", input(attributes + R"( Origin="0")", base + origin),
         {AttributesOf("LoadcaseInput"), "Unexpected Attribute [Origin] found."}},
        {"unit load case without id", input(attributes, base + R"(<UnitLoadCase Name="u"/>)" + origin),
         {ChildrenOf("LoadcaseInput"), AttributesOf("UnitLoadCase"),
          "Failed to find the required Attribute [LoadcaseId]"}},
        {"origin without y", input(attributes, base + R"(<Origin x="1"/>)"),
         {ChildrenOf("LoadcaseInput"), AttributesOf("Origin"), "Failed to find the required Attribute [y]"}},
    });
}

// --- Load envelopes --------------------------------------------------------------

const char* const kZeroForces = R"(x="0" y="0" z="0" xx="0" yy="0" zz="0")";

TEST(LoadcaseEnvelopes, EmptyEnvelopesAreValid) {
    auto envelopes = CLoadEnvelopeData::CreateInstance();
    EXPECT_EQ(envelopes->ToXml(), Document("LoadEnvelopeData", "/>\n"));
    EXPECT_EQ(RoundTrip(envelopes.get())->GetLongitudinalPosition()->GetCount(), 0);
}

TEST(LoadcaseEnvelopes, NewPositionHoldsZeroRecords) {
    auto envelopes = CLoadEnvelopeData::CreateInstance();
    auto position = envelopes->GetLongitudinalPosition()->Add();
    EXPECT_EQ(position->GetElementName(), "LongitudinalPosition");
    EXPECT_EQ(position->GetMinForces()->GetElementName(), "MinForces");
    EXPECT_EQ(position->GetMaxForces()->GetElementName(), "MaxForces");
    EXPECT_EQ(envelopes->ToXml(), Document("LoadEnvelopeData", ">\n"
                                                               "  <LongitudinalPosition XPosition=\"0\">\n"
                                                               "    <MinForces " + std::string(kZeroForces) + "/>\n"
                                                               "    <MaxForces " + kZeroForces + "/>\n"
                                                               "  </LongitudinalPosition>\n"
                                                               "</LoadEnvelopeData>\n"));
}

TEST(LoadcaseEnvelopes, PositionsRoundTripInDocumentOrder) {
    using F = CLoadEnvelopeForce;
    struct Component {
        const char* name;
        double (F::*get)() const;
        void (F::*set)(double);
    };
    const Component components[] = {{"x", &F::GetX, &F::SetX},    {"y", &F::GetY, &F::SetY},
                                    {"z", &F::GetZ, &F::SetZ},    {"xx", &F::GetXx, &F::SetXx},
                                    {"yy", &F::GetYy, &F::SetYy}, {"zz", &F::GetZz, &F::SetZz}};
    auto envelopes = CLoadEnvelopeData::CreateInstance();
    const double positions[] = {120, -4.5, 60};  // not sorted: the order is kept
    for (double x : positions) {
        auto position = CLongitudinalPosition::CreateInstance();
        position->SetXPosition(x);
        double value = x;
        for (const auto& c : components) {
            (*position->GetMinForces().*c.set)(-value);
            (*position->GetMaxForces().*c.set)(value - 1000);  // maxima below minima are not checked
            value += 1;
        }
        envelopes->GetLongitudinalPosition()->Add(position);
    }
    const std::string text = envelopes->ToXml();
    EXPECT_NE(text.find(R"(<MinForces x="4.5" y="3.5" z="2.5" xx="1.5" yy="0.5" zz="-0.5"/>)"), std::string::npos)
        << text;

    auto read = RoundTrip(envelopes.get());
    auto items = read->GetLongitudinalPosition();
    ASSERT_EQ(items->GetCount(), 3);
    int index = 0;
    for (auto position : *items) {
        SCOPED_TRACE(index);
        EXPECT_EQ(position->GetXPosition(), positions[index]);
        double value = positions[index];
        for (const auto& c : components) {
            EXPECT_EQ((*position->GetMinForces().*c.get)(), -value) << c.name;
            EXPECT_EQ((*position->GetMaxForces().*c.get)(), value - 1000) << c.name;
            value += 1;
        }
        ++index;
    }
    EXPECT_EQ(index, 3);
}

TEST(LoadcaseEnvelopes, RecordSettersRenameAndRefuseNull) {
    auto position = CLongitudinalPosition::CreateInstance();
    auto record = CLoadEnvelopeForce::CreateInstance();
    EXPECT_EQ(record->GetElementName(), "LoadEnvelopeForce");
    record->SetZz(5);
    position->SetMaxForces(record);
    EXPECT_EQ(record->GetElementName(), "MaxForces");
    position->SetMinForces(record);  // one record in both slots carries the later name
    EXPECT_EQ(record->GetElementName(), "MinForces");
    EXPECT_EQ(position->GetMaxForces().get(), record.get());

    const CLoadEnvelopeForce* held = position->GetMinForces();
    EXPECT_EQ(ChainOf([&] { position->SetMinForces(nullptr); }),
              Chain{"The property [MinForces] cannot be set to null"});
    EXPECT_EQ(position->GetMinForces().get(), held);
    EXPECT_EQ(ChainOf([&] { position->SetMaxForces(nullptr); }),
              Chain{"The property [MaxForces] cannot be set to null"});
    EXPECT_EQ(position->GetMaxForces().get(), held);
}

TEST(LoadcaseEnvelopes, ReadingFaults) {
    const std::string zero = kZeroForces;
    const std::string min = "<MinForces " + zero + "/>";
    const std::string max = "<MaxForces " + zero + "/>";
    auto envelopes = [](const std::string& positions) { return "<LoadEnvelopes>" + positions + "</LoadEnvelopes>"; };
    auto position = [](const std::string& children) {
        return "<LongitudinalPosition XPosition=\"1\">" + children + "</LongitudinalPosition>";
    };
    const std::string pos = ChildrenOf("LongitudinalPosition");
    CheckReadFailures<CLoadEnvelopeData>({
        {"maxima before minima", envelopes(position(max + min)),
         {ChildrenOf("LoadEnvelopes"), pos, "Failed to find a required element [MinForces]"}},
        {"no maxima", envelopes(position(min)),
         {ChildrenOf("LoadEnvelopes"), pos, "Failed to find a required element [MaxForces]"}},
        {"extra record", envelopes(position(min + max + max)),
         {ChildrenOf("LoadEnvelopes"), pos, Unknown("MaxForces")}},
        {"component in capitals", envelopes(position(R"(<MinForces X="0" y="0" z="0" xx="0" yy="0" zz="0"/>)" + max)),
         {ChildrenOf("LoadEnvelopes"), pos, AttributesOf("MinForces"), "Unexpected Attribute [X] found."}},
        {"y and zz missing", envelopes(position(min + R"(<MaxForces x="0" z="0" xx="0" yy="0"/>)")),
         {ChildrenOf("LoadEnvelopes"), pos, AttributesOf("MaxForces"), "Failed to find the required Attribute [y]"}},
        {"component not a number", envelopes(position(R"(<MinForces x="0" y="0" z="0" xx="0" yy="-" zz="0"/>)" + max)),
         {ChildrenOf("LoadEnvelopes"), pos, AttributesOf("MinForces"), "The value [-] of attribute [yy] is not a valid double"}},
        {"record with a child", envelopes(position("<MinForces " + zero + "><x/></MinForces>" + max)),
         {ChildrenOf("LoadEnvelopes"), pos, ChildrenOf("MinForces"), Unknown("x")}},
        {"position without x", envelopes("<LongitudinalPosition>" + min + max + "</LongitudinalPosition>"),
         {ChildrenOf("LoadEnvelopes"), AttributesOf("LongitudinalPosition"),
          "Failed to find the required Attribute [XPosition]"}},
        {"positions split", envelopes(position(min + max) + "<Gap/>" + position(min + max)),
         {ChildrenOf("LoadEnvelopes"), Unknown("Gap")}},
        {"attribute", R"(<LoadEnvelopes Count="1"/>)",
         {AttributesOf("LoadEnvelopes"), "Unexpected Attribute [Count] found."}},
    });
}

// A fault deep inside the load envelopes reaches the caller of the root wrapped by every ancestor.
TEST(LoadcaseEnvelopes, DeepFaultIsWrappedByEveryAncestor) {
    const std::string zero = kZeroForces;
    const std::string good =
        "<LongitudinalPosition XPosition=\"1\"><MinForces " + zero + "/><MaxForces " + zero + "/></LongitudinalPosition>";
    const std::string bad = "<LongitudinalPosition XPosition=\"3\"><MinForces " + zero +
                            R"(/><MaxForces x="0" y="0" z="0" xx="0" yy="0"/></LongitudinalPosition>)";
    EXPECT_EQ(ReadFailure<CVantrel>("<Vantrel schemaVersion=\"1\"><LoadcaseData><LoadEnvelopes>" + good + good + bad +
                                    "</LoadEnvelopes></LoadcaseData></Vantrel>"),
              (Chain{ChildrenOf("Vantrel"), ChildrenOf("LoadcaseData"), ChildrenOf("LoadEnvelopes"),
                     ChildrenOf("LongitudinalPosition"), AttributesOf("MaxForces"),
                     "Failed to find the required Attribute [zz]"}));
}

TEST(LoadcaseFactory, CreatesEachClassUnderItsId) {
    ExpectCreated<CLoadcaseData>(CClassFactory::Id_CLoadcaseData, "LoadcaseData");
    ExpectCreated<CLoadcaseInputData>(CClassFactory::Id_CLoadcaseInputData, "LoadcaseInputData");
    ExpectCreated<CLoadEnvelopeData>(CClassFactory::Id_CLoadEnvelopeData, "LoadEnvelopeData");
    ExpectCreated<CLoadEnvelopeForce>(CClassFactory::Id_CLoadEnvelopeForce, "LoadEnvelopeForce");
    ExpectCreated<CLongitudinalPosition>(CClassFactory::Id_CLongitudinalPosition, "LongitudinalPosition");

    auto positions =
        CClassFactory::CreateClassCollection(CClassFactory::Id_CLongitudinalPositionCol, "Station", 0, -1);
    auto* typed = dynamic_cast<CLongitudinalPositionCol*>(positions.get());
    ASSERT_NE(typed, nullptr);
    EXPECT_EQ(typed->Add()->GetElementName(), "Station");
    EXPECT_EQ(ChainOf([] { CClassFactory::CreateClass(CClassFactory::Id_CLongitudinalPositionCol); }),
              Chain{"Unknown Class id"});
}

}  // namespace
