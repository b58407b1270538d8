// JSON both ways: lossless round trips over the sample, the seed documents and
// random trees; each fault a read refuses, named by its JSON path; what the
// writer refuses; the schema file against the tool, and documents against the
// schema (python3-jsonschema); `vantrel convert`.

#include <gtest/gtest.h>

#ifdef VANTREL_TOOL_EXE

#include <limits>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <VantrelLib/VantrelLib.h>

#include <SampleShip.h>

#include "TestSupport.h"
#include "RandomTree.h"
#include "ToolRun.h"
#include "TreeCompare.h"

namespace {

namespace fs = std::filesystem;
namespace Json = VantrelLib::Json;
using LtXmlLib3::CSmartPtr;
using VantrelLib::CVantrel;
using VantrelLib::Reflection::Property;

using toolrun::Read;

using testsupport::Replaced;

std::string Indented(const LtXmlLib3::CXmlObjectBase& object) { return Json::ToJson(object); }
std::string Compact(const LtXmlLib3::CXmlObjectBase& object) { return Json::ToJson(object, Json::WriteOptions{-1}); }

// Every document that must go through JSON unchanged: the sample, the seed
// documents of the fuzzers that are whole documents, random trees.
std::vector<std::pair<std::string, CSmartPtr<CVantrel>>> Documents() {
    std::vector<std::pair<std::string, CSmartPtr<CVantrel>>> documents{{"sample", VantrelSample::BuildSampleShip()}};
    for (const auto& entry : fs::directory_iterator(fs::path(VANTREL_SOURCE_DIR) / "fuzz/corpus/roundtrip_fuzzer")) {
        auto document = CVantrel::CreateInstance();
        try {
            document->FromXml(Read(entry.path()));
        } catch (const LtXmlLib3::CLtException&) {
            continue;  // seeds of faults
        }
        if (document->GetElementName() == "Vantrel") documents.emplace_back(entry.path().filename().string(), document);
    }
    for (std::uint64_t seed = 1; seed <= 40; ++seed) {
        randomtree::Options options;
        options.full = seed % 4 == 0;
        documents.emplace_back("random " + std::to_string(seed), randomtree::RandomVantrel(seed, options));
    }
    return documents;
}

// A small document with a choice, a mixed list and lists with a minimum, as compact JSON.
std::string Base() {
    auto document = CVantrel::CreateInstance();
    document->FromXml(R"(<Vantrel xmlns:xs="http://www.w3.org/2001/XMLSchema-instance" schemaVersion="2.0">
  <GeneralData><FrameTable KeepAft="true" SpacingSign="1"><FrameEntry No="0" Spacing="0.6" Mould="Aft"/>
    <FrameNoPP1 Coordinate="0"/><FrameNoPP2 Coordinate="90"/></FrameTable></GeneralData>
  <Masses>
    <MassBoxes><BoxEntry Id="1" Mass="100.5"><Interval><Min x="0" y="0"/><Max x="1" y="1"/></Interval>
      <CoG x="0.5" y="0.5"/><NodeSelection UseSelected="All"/></BoxEntry>
      <BoxEntry Id="2" Mass="3"><Interval><Min x="0" y="0"/><Max x="1" y="1"/></Interval>
      <CoG x="0.5" y="0.5"/><NodeSelection UseSelected="All"/></BoxEntry></MassBoxes>
    <MassAssembled><AssembledEntry Id="6" Mass="7"><CoG x="1" y="0"/>
      <BoxEntry xs:type="TankEntry" Value="0.5" MassId="4" SpecificWeight="1.025"/></AssembledEntry></MassAssembled>
  </Masses>
  <Hydrodynamic><MassDistribution Id="1" MassAssembledIdRef="6"><Scan><ScanBlock Id="1" WaveHeight="1 2 3"/></Scan>
    <Select><SelectEntry Type="Fix"><Wave Ampl="2"/></SelectEntry></Select></MassDistribution></Hydrodynamic>
</Vantrel>)");
    return Compact(*document);
}

// The message of what `read` throws, "" when it throws nothing.
template <class Read>
std::string FaultOf(Read&& read) {
    try {
        read();
    } catch (const LtXmlLib3::CLtValidationException& error) {
        return error.what();
    }
    return std::string();
}

TEST(JsonRoundTrip, XmlToJsonToXmlGivesTheFormattedTextAndJsonToXmlToJsonTheSameText) {
    for (const auto& [name, document] : Documents()) {
        SCOPED_TRACE(name);
        const std::string xml = document->ToXml();  // what `vantrel format` writes
        for (const std::string& json : {Indented(*document), Compact(*document)}) {
            const CSmartPtr<CVantrel> read = Json::FromJson<CVantrel>(json);
            EXPECT_TRUE(treecompare::Equal(*document, *read));
            const std::string xmlAgain = read->ToXml();
            EXPECT_EQ(xmlAgain, xml);
            auto viaXml = CVantrel::CreateInstance();
            viaXml->FromXml(xmlAgain);
            EXPECT_EQ(json.find('\n') == std::string::npos ? Compact(*viaXml) : Indented(*viaXml), json);
        }
    }
}

// Each value's text in JSON, and that it reads back to the same bits.
TEST(JsonValues, DoublesAreShortestNumbersOrStringsAndIntegersExact) {
    struct Case {
        Property::Type type;
        double real;
        std::int64_t integer;
        const char* text;
    };
    const double inf = std::numeric_limits<double>::infinity();
    const Case cases[] = {
        {Property::Type::Double, 0.1, 0, "0.1"},
        {Property::Type::Double, -0.0, 0, "-0.0"},
        {Property::Type::Double, 123456789012345678.0, 0, nullptr},
        {Property::Type::Double, 4.9406564584124654e-324, 0, nullptr},
        {Property::Type::Double, std::numeric_limits<double>::max(), 0, nullptr},
        {Property::Type::Double, inf, 0, "\"INF\""},
        {Property::Type::Double, -inf, 0, "\"-INF\""},
        {Property::Type::Double, std::numeric_limits<double>::quiet_NaN(), 0, "\"NaN\""},
        {Property::Type::Int64, 0, std::numeric_limits<std::int64_t>::min(), "-9223372036854775808"},
        {Property::Type::Int64, 0, std::numeric_limits<std::int64_t>::max(), "9223372036854775807"},
        {Property::Type::Int64, 0, (std::int64_t{1} << 53) + 1, "9007199254740993"},
    };
    for (const Case& c : cases) {
        // The first class with an attribute of the type, as the root of a text.
        for (const auto* info : VantrelLib::Reflection::Classes()) {
            const Property* property = nullptr;
            for (const Property& candidate : info->Properties())
                if (candidate.IsAttribute() && candidate.GetType() == c.type && property == nullptr) property = &candidate;
            if (property == nullptr) continue;
            SCOPED_TRACE(std::string(info->ClassName()) + "@" + property->Name() + " " + (c.text ? c.text : ""));
            const auto object = info->Create();
            if (c.type == Property::Type::Double)
                property->SetDouble(*object, c.real);
            else
                property->SetInt64(*object, c.integer);
            const std::string json = Compact(*object);
            const std::string member = std::string("\"") + property->Name() + "\":";
            if (c.text != nullptr) {
                EXPECT_NE(json.find(member + c.text), std::string::npos) << json;
            }
            const auto read = Json::FromJson(json, *info);
            if (c.type == Property::Type::Double)
                EXPECT_EQ(treecompare::Bits(property->GetDouble(*read)), treecompare::Bits(c.real)) << json;
            else
                EXPECT_EQ(property->GetInt64(*read), c.integer) << json;
            break;
        }
    }
}

TEST(JsonRead, EachFaultIsRefusedNamingItsPath) {
    const std::string base = Base();
    ASSERT_NO_THROW(Json::FromJson<CVantrel>(base));
    const std::string box = "$.Masses.MassBoxes.BoxEntry[0]";
    const std::string rest = "$.Masses.MassAssembled.AssembledEntry[0].BoxEntry[0]";
    const std::string select = "$.Hydrodynamic.MassDistribution[0].Select.SelectEntry[0]";
    const std::string interval = R"("Interval":[{"Min":{"x":0,"y":0},"Max":{"x":1,"y":1}}],)";
    const struct {
        std::string json;
        std::string message;  // how the message starts
    } cases[] = {
        {Replaced(base, R"("Mass":100.5)", R"("Mass":"heavy")"),
         box + R"(.Mass: expected a number (or "INF", "-INF", "NaN"), found a string)"},
        {Replaced(base, R"({"Id":2,"Mass":3,)", R"({"Id":2,)"),
         "$.Masses.MassBoxes.BoxEntry[1].Mass: the required member is missing"},
        {Replaced(base, R"("schemaVersion":"2.0",)", R"("schemaVersion":"2.0","Bogus":1,)"), "$.Bogus: unknown member [Bogus]"},
        {Replaced(base, R"("Mass":100.5)", R"("Mass":100.5,"Mass":1)"), box + ".Mass: the member is given twice"},
        {Replaced(base, R"("Id":6,)", R"("Id":6.5,)"),
         "$.Masses.MassAssembled.AssembledEntry[0].Id: The value [6.5] of attribute [Id] is not a valid"},
        {Replaced(base, R"("Id":6,)", R"("Id":9223372036854775808,)"),
         "$.Masses.MassAssembled.AssembledEntry[0].Id: The value [9223372036854775808] of attribute [Id]"},
        {Replaced(base, R"("MassId":4)", R"("MassId":null)"), rest + ".MassId: expected an integer, found null"},
        {Replaced(base, R"("KeepAft":true)", R"("KeepAft":"true")"),
         "$.GeneralData.FrameTable.KeepAft: expected true or false, found a string"},
        {Replaced(base, R"("UseSelected":"All")", R"("UseSelected":"Some")"),
         box + ".NodeSelection.UseSelected: Unknown enumeration value for"},
        {Replaced(base, R"("WaveHeight":"1 2 3")", R"("WaveHeight":"1\u00012")"),
         "$.Hydrodynamic.MassDistribution[0].Scan.ScanBlock[0].WaveHeight: the control character 0x01 at offset 1"},
        {Replaced(base, R"("xs:type":"TankEntry")", R"("xs:type":"BoxRestEntry")"),
         rest + ".xs:type: unknown type [BoxRestEntry], not one of"},
        {Replaced(base, R"({"xs:type":"TankEntry","Value":0.5,)", R"({"Value":0.5,"xs:type":"TankEntry",)"),
         rest + ".Value: the member xs:type must come first"},
        {Replaced(base, R"("xs:type":"TankEntry",)", R"("xs:type":"TankEntry","xs:type":"RestEntry",)"),
         rest + ".xs:type: the member is given twice"},
        {Replaced(base, R"("Wave":{"Ampl":2})", R"("Wave":{"Ampl":2},"Factor":{})"),
         select + ".Factor: only one branch of the choice may be given (Factor, Wave)"},
        {Replaced(base, R"(,"Wave":{"Ampl":2})", ""), select + ": one branch of the choice is required (Factor, Wave)"},
        {Replaced(base, interval, R"("Interval":[],)"),
         box + ".Interval: The collection [Interval] holds 0 item(s), fewer than the minimum of 1"},
        {Replaced(base, interval, ""), box + ".Interval: The collection [Interval] holds 0 item(s), fewer than the minimum of 1"},
        {Replaced(base, R"("CoG":{"x":1,"y":0})", R"("CoG":[1,0])"),
         "$.Masses.MassAssembled.AssembledEntry[0].CoG: expected an object, found an array"},
        {Replaced(base, R"("ScanBlock":[{"Id":1,"WaveHeight":"1 2 3"}])", R"("ScanBlock":{"Id":1,"WaveHeight":"1 2 3"})"),
         "$.Hydrodynamic.MassDistribution[0].Scan.ScanBlock: expected an array, found an object"},
        {Replaced(base, R"("BoxEntry":[{"Id":1,)", R"("BoxEntry":[7,{"Id":1,)"),
         "$.Masses.MassBoxes.BoxEntry[0]: expected an object, found a number"},
        {"[]", "$: expected an object, found an array"},
        {R"("Vantrel")", "$: expected an object, found a string"},
        {"7", "$: expected an object, found a number"},
        {Replaced(base, R"("Mass":100.5,)", R"("Mass":100.5,,)"), "Malformed JSON: syntax error while parsing object key"},
        {base + "x", "Malformed JSON: syntax error while parsing value - invalid literal"},
    };
    for (const auto& c : cases) {
        const std::string message = FaultOf([&] { Json::FromJson<CVantrel>(c.json); });
        EXPECT_EQ(message.substr(0, c.message.size()), c.message) << c.json;
    }
    // A syntax fault carries its line and column.
    try {
        Json::FromJson<CVantrel>("{\n  \"schemaVersion\": \"1\",\n  x\n}");
        ADD_FAILURE() << "malformed JSON read";
    } catch (const LtXmlLib3::CLtValidationException& error) {
        EXPECT_EQ(error.GetLine(), 3);
        EXPECT_EQ(error.GetColumn(), 3);
    }
}

// The writer refuses what the XML writer refuses, at the JSON path of the fault.
TEST(JsonWrite, RefusesWhatXmlCannotCarryNamingThePath) {
    const struct {
        void (*edit)(CVantrel&);
        const char* message;
    } cases[] = {
        {[](CVantrel& d) { d.SetSchemaVersion("1\x01"); },
         "$.schemaVersion: the control character 0x01 at offset 1 cannot be carried by XML"},
        {[](CVantrel& d) { d.SetSchemaVersion("\xEF\xBF\xBF"); }, "$.schemaVersion: the non-character U+FFFF"},
        {[](CVantrel& d) { d.SetSchemaVersion("caf\xE9"); }, "$.schemaVersion: the text is not valid UTF-8"},
        {[](CVantrel& d) { d.GetMasses()->GetMassBoxes()->GetBoxEntry()->Item(0)->GetInterval()->Remove(0); },
         "$.Masses.MassBoxes.BoxEntry[0].Interval: The collection [Interval] holds 0 item(s), fewer than the minimum of 1"},
        {[](CVantrel& d) {
             d.GetHydrodynamic()->GetMassDistribution()->Item(0)->GetSelect()->GetSelectEntry()->Item(0)->SetWave(nullptr);
         },
         "$.Hydrodynamic.MassDistribution[0].Select.SelectEntry[0]: This element is a choice"},
    };
    for (const auto& c : cases) {
        const CSmartPtr<CVantrel> document = Json::FromJson<CVantrel>(Base());
        c.edit(*document);
        const std::string message = FaultOf([&] { Json::ToJson(*document); });
        EXPECT_EQ(message.substr(0, std::string(c.message).size()), c.message);
        EXPECT_THROW(document->ToXml(), LtXmlLib3::CLtValidationException) << c.message;
    }
}

// One member name means one property: the mapping is defined for every class.
TEST(JsonMapping, MemberNamesAreUniqueInEveryClass) {
    for (const auto* info : VantrelLib::Reflection::Classes()) {
        std::set<std::string> names{Json::kTypeMember};
        for (const Property& property : info->Properties()) {
            if (property.GetKind() != Property::Kind::Choice) {
                EXPECT_TRUE(names.insert(property.Name()).second) << info->ClassName() << "." << property.Name();
            }
            for (const Property& branch : property.Branches())
                EXPECT_TRUE(names.insert(branch.Name()).second) << info->ClassName() << "." << branch.Name();
        }
    }
}

// --- The schema and the tool, run as processes ----------------------------------

class JsonFiles : public toolrun::ProcessTest {
protected:
    using Outcome = toolrun::Outcome;
    Outcome Run(const std::string& command, const std::string& input = "/dev/null") const {
        return RunShell(command, input);
    }
    static std::string Tool() { return toolrun::Quoted(VANTREL_TOOL_EXE); }
};

TEST_F(JsonFiles, SchemaFileIsWhatTheToolMakesNow) {
    const Outcome outcome = Run(Tool() + " json-schema");
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(Read(fs::path(VANTREL_SOURCE_DIR) / "schemas/Vantrel.schema.json"), outcome.out)
        << "schemas/Vantrel.schema.json is out of date: run `vantrel json-schema -o schemas/Vantrel.schema.json`";
}

TEST_F(JsonFiles, DocumentsValidateAgainstTheSchemaAndAFaultDoesNot) {
    std::string files;
    for (const auto& [name, document] : Documents()) {
        const std::string file = "doc" + std::to_string(files.size()) + ".json";
        File(file, Indented(*document));
        files += " " + file;
    }
    const std::string validate = "/usr/bin/python3 '" + std::string(VANTREL_SOURCE_DIR) + "/tests/json/validate.py' '" +
                                 std::string(VANTREL_SOURCE_DIR) + "/schemas/Vantrel.schema.json'";
    Outcome outcome = Run(validate + files);
    ASSERT_EQ(outcome.status, 0) << outcome.out << outcome.err << "(python3-jsonschema: scripts/prerequisites.sh)";

    const std::string base = Base();
    File("bad.json", Replaced(Replaced(Replaced(base, R"("Mass":100.5)", R"("Mass":"heavy")"), R"("xs:type":"TankEntry")",
                                   R"("xs:type":"BoxRestEntry")"),
                            R"(,"Wave":{"Ampl":2})", ""));
    outcome = Run(validate + " bad.json");
    EXPECT_EQ(outcome.status, 1);
    for (const char* path : {"$.Masses.MassBoxes.BoxEntry[0].Mass", "$.Masses.MassAssembled.AssembledEntry[0].BoxEntry[0]",
                             "$.Hydrodynamic.MassDistribution[0].Select.SelectEntry[0]"})
        EXPECT_NE(outcome.out.find(std::string("bad.json: ") + path + ":"), std::string::npos) << path << "\n" << outcome.out;
}

TEST_F(JsonFiles, ConvertGoesByExtensionsOrContentAndWritesNothingForABadInput) {
    const auto sample = VantrelSample::BuildSampleShip();
    const std::string xml = sample->ToXml(), json = Indented(*sample) + "\n";
    File("ship.xml", xml);

    Outcome outcome = Run(Tool() + " convert ship.xml");  // to the other form
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, json);
    EXPECT_EQ(Run(Tool() + " convert ship.xml -o ship.json").status, 0);
    EXPECT_EQ(Read(m_dir / "ship.json"), json);
    EXPECT_EQ(Run(Tool() + " convert ship.json -o again.xml").status, 0);
    EXPECT_EQ(Read(m_dir / "again.xml"), xml);
    outcome = Run(Tool() + " convert - --to xml", (m_dir / "ship.json").string());  // JSON found by its first character
    EXPECT_EQ(outcome.out, xml);
    outcome = Run(Tool() + " convert - --compact", (m_dir / "ship.xml").string());
    EXPECT_EQ(outcome.out, Compact(*sample) + "\n");
    outcome = Run(Tool() + " convert ship.json --to json");
    EXPECT_EQ(outcome.out, json);

    File("bad.json", Replaced(Base(), R"("Mass":100.5)", R"("Mass":true)"));
    outcome = Run(Tool() + " convert bad.json -o bad.xml");
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err.rfind("bad.json: $.Masses.MassBoxes.BoxEntry[0].Mass: expected a number", 0), 0u) << outcome.err;
    EXPECT_FALSE(fs::exists(m_dir / "bad.xml"));
    outcome = Run(Tool() + " convert ship.xml --to yaml");
    EXPECT_EQ(outcome.status, 2);
}

}  // namespace

#endif  // VANTREL_TOOL_EXE
