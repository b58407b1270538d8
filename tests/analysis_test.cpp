// The engineering checks, the mass index and the frame helpers (analysis/):
// one fixture per rule, the sample clean and composed by hand, and random
// trees that must neither throw nor loop.

#include <gtest/gtest.h>

#include <VantrelLib/VantrelLib.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "RandomTree.h"

namespace {

namespace An = VantrelLib::Analysis;

struct Checked {
    LtXmlLib3::CSmartPtr<VantrelLib::CVantrel> document;
    LtXmlLib3::CSourceLines lines;
    std::vector<An::Finding> findings;
};

Checked Check(const std::string& xml) {
    Checked checked{VantrelLib::CVantrel::CreateInstance(), {}, {}};
    LtXmlLib3::CReadOptions read;
    read.sourceLines = &checked.lines;
    checked.document->FromXml(xml, read);
    An::CheckOptions options;
    options.sourceLines = &checked.lines;
    checked.findings = An::CheckDocument(*checked.document, options);
    return checked;
}

std::string SampleText() {
    std::ifstream in(VANTREL_SOURCE_DIR "/examples/ship.xml");
    return std::string(std::istreambuf_iterator<char>(in), {});
}

using testsupport::Replaced;

std::string Position(const char* x, const char* minZ = "0") {
    return std::string("<LongitudinalPosition XPosition=\"") + x + "\"><MinForces x=\"0\" y=\"0\" z=\"" + minZ +
           "\" xx=\"0\" yy=\"0\" zz=\"0\"/><MaxForces x=\"0\" y=\"0\" z=\"1\" xx=\"0\" yy=\"0\" zz=\"0\"/>"
           "</LongitudinalPosition>";
}

const std::string kBoxMass = R"(<Vantrel schemaVersion=""><Masses><MassBoxes><BoxEntry Id="1" Mass="1">
<Interval><Min x="0" y="0"/><Max x="1" y="1"/></Interval>
<CoG x="0.5" y="0.5"/><NodeSelection UseSelected="All"/></BoxEntry></MassBoxes></Masses></Vantrel>)";

const std::string kFrames = R"(<Vantrel schemaVersion=""><GeneralData><FrameTable KeepAft="true" SpacingSign="1">
<FrameEntry No="0" Spacing="1" Mould="Aft"/><FrameEntry No="5" Spacing="1" Mould="Aft"/>
<FrameNoPP1 Id="0" Coordinate="0"/>
<FrameNoPP2 Id="10" Coordinate="10"/></FrameTable></GeneralData></Vantrel>)";

const std::string kAssembled = R"(<Vantrel schemaVersion=""><Masses><MassElementGroups><ElementGroupEntry Id="3" Buoyancy="true"/>
</MassElementGroups><MassAssembled><AssembledEntry Id="1" Mass="1"><CoG x="0" y="0"/>
<ElementgroupEntry Value="1" MassId="3"/></AssembledEntry></MassAssembled></Masses></Vantrel>)";

const std::string kSelect = R"(<Vantrel schemaVersion=""><Hydrodynamic><MassDistribution Id="1"><Scan><ScanBlock Id="1"/></Scan>
<Select><SelectEntry Type="Max"><Factor><RangeDirection from="300" to="60"/>
<RangeXLpp from="0.2" to="0.8"/></Factor></SelectEntry></Select></MassDistribution></Hydrodynamic></Vantrel>)";

const std::string kContainer = R"(<Vantrel schemaVersion=""><Masses><MassContainer>
<ContainerEntry Id="5" CoGx="6"><Aft Coordinate="0"/><Forward Coordinate="10"/><Row Number="1" Symmetry="P"
 TierUpper="8" TierLower="2" CoGyVertical="1" CoGyHorizontal="1" GuidedAft="true" GuidedForward="true"/>
</ContainerEntry></MassContainer></Masses></Vantrel>)";

// Each fixture is clean before its one edit, and gives exactly its rule's finding after it.
TEST(Checks, EachFaultGivesItsOneFindingAtItsLine) {
    struct Row {
        const char* rule;
        std::string clean, from, to;
        int line;
    };
    const std::string envelopes = "<Vantrel schemaVersion=\"\"><LoadcaseData><LoadEnvelopes>" + Position("5") + "\n" + Position("6") +
                                  "</LoadEnvelopes></LoadcaseData></Vantrel>";
    const std::vector<Row> rows = {
        {"dangling-reference", kAssembled, R"(MassId="3")", R"(MassId="4")", 3},
        {"dangling-reference", kSelect, R"(Id="1">)", R"(Id="1" MassAssembledIdRef="7">)", 1},
        {"reference-cycle", kAssembled, R"(MassId="3"/>)", "MassId=\"3\"/>\n<AssembledEntry Value=\"0\" MassId=\"1\"/>", 4},
        {"duplicate-id", kAssembled, R"(<ElementGroupEntry Id="3" Buoyancy="true"/>)",
         "<ElementGroupEntry Id=\"3\" Buoyancy=\"true\"/>\n<ElementGroupEntry Id=\"3\" Buoyancy=\"false\"/>", 2},
        {"duplicate-id", envelopes, "<LoadcaseData>",
         "<LoadcaseData><LoadcaseInput LoadComponent=\"SFmaxZ\" NoOfIntervals=\"4\" IsHalfModel=\"false\">\n"
         "<BaseLoadCase LoadcaseId=\"1\"/><UnitLoadCase LoadcaseId=\"2\"/>\n<UnitLoadCase LoadcaseId=\"1\"/>"
         "<Origin x=\"0\" y=\"0\"/></LoadcaseInput>", 3},
        {"inverted-box", kBoxMass, R"(y="0"/><Max x="1" y="1"/>)", R"(y="0" z="1"/><Max x="1" y="1" z="0"/>)", 2},
        {"inverted-range", kSelect, R"(from="0.2")", R"(from="0.9")", 3},
        {"non-finite-value", kBoxMass, R"(<CoG x="0.5")", R"(<CoG x="NaN")", 3},
        {"negative-mass", kBoxMass, R"(Mass="1")", R"(Mass="-1")", 1},
        {"frames-not-increasing", kFrames, R"(No="5")", R"(No="0")", 2},
        {"frames-not-increasing", kFrames, R"(No="5" Spacing="1")", R"(No="5" Spacing="0")", 2},
        {"positions-not-increasing", envelopes, Position("6"), Position("5"), 2},
        {"envelope-min-above-max", envelopes, Position("6"), Position("6", "2"), 2},
        {"cog-outside-boxes", kBoxMass, R"(<CoG x="0.5")", R"(<CoG x="1.5")", 3},
        {"container-cog-outside", kContainer, R"(CoGx="6")", R"(CoGx="11")", 2},
        {"mass-sum-mismatch", kAssembled, R"(Mass="1")", R"(Mass="1.01")", 2},
        {"frame-table-not-closing", kFrames, R"(Coordinate="10")", R"(Coordinate="10.01")", 4},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(Check(row.clean).findings.size(), 0u) << row.rule;
        const auto findings = Check(Replaced(row.clean, row.from, row.to)).findings;
        ASSERT_EQ(findings.size(), 1u) << row.rule << ": " << (findings.empty() ? "" : findings[0].message);
        EXPECT_EQ(findings[0].rule, row.rule);
        EXPECT_EQ(findings[0].line, row.line) << row.rule;
        EXPECT_EQ(findings[0].severity, An::FindRule(row.rule)->severity);
    }
}

// Three faults in the sample: each found, with its line (also through a
// stream), its path and a message saying what was expected; the sample itself is clean.
TEST(Checks, TheSampleIsCleanAndThreeFaultsGiveThreeFindings) {
    EXPECT_EQ(Check(SampleText()).findings.size(), 0u);
    std::string text = Replaced(SampleText(), R"(Fix="true" MassId="3")", R"(Fix="true" MassId="33")");
    text = Replaced(text, R"(<Min x="-3.5" y="-5" z="4"/>)", R"(<Min x="-3.5" y="-5" z="14"/>)");
    text = Replaced(text, R"(<RangeXLpp from="0.8" to="0.95"/>)", R"(<RangeXLpp from="0.98" to="0.95"/>)");
    const Checked checked = Check(text);
    ASSERT_EQ(checked.findings.size(), 3u);
    const std::vector<std::vector<std::string>> expected = {
        {"inverted-box", "200", "Masses/MassTanks/TankEntry[Id=205]/Interval[1]",
         "Min lies above Max (z 14 > 11); expected Min at or below Max on each axis"},
        {"dangling-reference", "253", "Masses/MassAssembled/AssembledEntry[Id=1001]/BoxEntry[3]",
         "BoxEntry names box mass 33, which does not exist; expected the Id of a box mass"},
        {"inverted-range", "313", "Hydrodynamic/MassDistribution[Id=1]/Select/SelectEntry[3]/Factor/RangeXLpp",
         "from 0.98 lies above to 0.95; expected from at or below to"}};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const An::Finding& finding = checked.findings[i];
        EXPECT_EQ((std::vector<std::string>{finding.rule, std::to_string(finding.line), finding.path, finding.message}),
                  expected[i]);
    }

    // A stream counts lines its own way; without a table no line is counted.
    auto streamed = VantrelLib::CVantrel::CreateInstance();
    std::istringstream stream(text);
    LtXmlLib3::CSourceLines lines;
    LtXmlLib3::CReadOptions read;
    read.sourceLines = &lines;
    streamed->FromXmlStream(stream, read);
    std::vector<int> streamedLines, textLines;
    for (const auto& [object, line] : lines.lineOf) streamedLines.push_back(line);
    for (const auto& [object, line] : checked.lines.lineOf) textLines.push_back(line);
    std::sort(streamedLines.begin(), streamedLines.end());
    std::sort(textLines.begin(), textLines.end());
    EXPECT_EQ(streamedLines, textLines);
    EXPECT_EQ(lines.LineOf(streamed.get()), 2);
    EXPECT_EQ(streamed->ToXml(), checked.document->ToXml());
    const auto unlined = An::CheckDocument(*checked.document);
    ASSERT_EQ(unlined.size(), 3u);
    EXPECT_EQ(unlined[0].line, 0);
    EXPECT_EQ(unlined[2].path, checked.findings[1].path);  // the walk comes first, the masses after it

    An::CheckOptions options;
    options.disabled = {"inverted-box", "inverted-range"};
    EXPECT_EQ(An::CheckDocument(*checked.document, options).size(), 1u);
}

TEST(Checks, ACycleOfThreeAssembledMassesIsReportedOnceAndEnds) {
    const std::string cycle = R"(<Vantrel schemaVersion=""><Masses><MassAssembled>
<AssembledEntry Id="1" Mass="1"><CoG x="0" y="0"/><AssembledEntry Value="1" MassId="2"/></AssembledEntry>
<AssembledEntry Id="2" Mass="1"><CoG x="0" y="0"/><AssembledEntry Value="1" MassId="3"/></AssembledEntry>
<AssembledEntry Id="3" Mass="1"><CoG x="0" y="0"/><AssembledEntry Value="1" MassId="1"/></AssembledEntry>
</MassAssembled></Masses></Vantrel>)";
    const Checked checked = Check(cycle);
    ASSERT_EQ(checked.findings.size(), 1u);
    EXPECT_EQ(checked.findings[0].message,
              "assembled mass 1 contains itself (1 > 2 > 3 > 1); expected no assembled mass to contain itself");
    EXPECT_EQ(checked.findings[0].line, 4);
    const An::MassIndex index(*checked.document);
    EXPECT_TRUE(index.LoadingConditions().empty());
    const An::Composition composition = index.Compose(*index.FindAssembled(1));
    EXPECT_TRUE(composition.cyclic);
    ASSERT_EQ(composition.parts.size(), 1u);  // flattening stops where mass 1 comes round again
    EXPECT_EQ(composition.parts[0].mass, index.Find(An::MassKind::Assembled, 1));
}

// Ballast arrival (1005) by hand: its own tanks, the lightship (1001) whole,
// and 980 of the 1880 of tank contents (1003), each tank scaled by 980/1880.
TEST(MassIndex, TheSampleComposesAsComputedByHand) {
    auto document = VantrelLib::CVantrel::CreateInstance();
    document->FromXml(SampleText());
    const An::MassIndex index(*document);
    std::vector<std::int64_t> conditions;
    for (const auto* mass : index.LoadingConditions()) conditions.push_back(mass->GetId());
    EXPECT_EQ(conditions, (std::vector<std::int64_t>{1004, 1005}));
    EXPECT_EQ(index.Totals(An::MassKind::Box).declaredSum, 4605.0);
    EXPECT_EQ(index.Totals(An::MassKind::Tank).count, 5);
    EXPECT_FALSE(index.Totals(An::MassKind::Tank).declaredSum);

    const An::Composition ballast = index.Compose(*index.FindAssembled(1005));
    EXPECT_EQ(ballast.declaredMass, 10921);
    EXPECT_DOUBLE_EQ(ballast.entriesSum, 10921);
    EXPECT_FALSE(ballast.cyclic);
    const double share = 980.0 / 1880.0;
    const std::vector<std::pair<std::string, double>> expected = {
        {"tank 201", 635}, {"tank 202", 553 + 180 * share}, {"tank 203", 553 + 180 * share},
        {"box 1", 1480}, {"box 2", 420}, {"box 3", 610}, {"box 4", 880}, {"box 5", 1120}, {"box 6", 95},
        {"element group 10", 3255}, {"element group 12", 340}, {"tank 204", 1100 * share}, {"tank 205", 420 * share}};
    ASSERT_EQ(ballast.parts.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const An::MassPart& part = ballast.parts[i];
        EXPECT_EQ(An::KindName(part.kind) + (" " + std::to_string(part.massId)), expected[i].first);
        EXPECT_DOUBLE_EQ(part.value, expected[i].second) << expected[i].first;
        EXPECT_EQ(part.mass, index.Find(part.kind, part.massId));
        EXPECT_NE(part.mass, nullptr);
    }
    // Each rest entry list names its own kind of mass.
    const auto lightship = index.FindAssembled(1001);
    EXPECT_EQ(index.Resolve("BoxEntry", *lightship->GetBoxEntry()->Item(5)), index.FindBox(6));
    EXPECT_EQ(index.Resolve("ElementgroupEntry", *lightship->GetElementgroupEntry()->Item(1)), index.FindElementGroup(12));
    EXPECT_EQ(index.Resolve("TankEntry", *lightship->GetBoxEntry()->Item(5)), nullptr);  // no tank 6
}

TEST(FrameScale, MapsTheSampleBothWaysAndClosesOnPP2) {
    auto document = VantrelLib::CVantrel::CreateInstance();
    document->FromXml(SampleText());
    auto table = document->GetGeneralData()->GetFrameTable();
    const An::FrameScale scale(*table);
    EXPECT_DOUBLE_EQ(scale.ToCoordinate(0), 0);
    EXPECT_DOUBLE_EQ(scale.ToCoordinate(20), 14);
    EXPECT_DOUBLE_EQ(scale.ToCoordinate(220), 172);  // 20 x 0.7 + 180 x 0.8 + 20 x 0.7
    EXPECT_DOUBLE_EQ(scale.ToCoordinate(-5), -3.5);
    EXPECT_DOUBLE_EQ(scale.ToCoordinate(230), 179);  // the last spacing holds onwards
    for (const double frame : {-7.0, -5.0, 0.0, 12.5, 19.9, 20.0, 137.0, 200.0, 221.0, 240.0})
        EXPECT_NEAR(scale.ToFrame(scale.ToCoordinate(frame)), frame, 1e-9) << frame;
    table->SetSpacingSign(-1);
    EXPECT_DOUBLE_EQ(An::FrameScale(*table).ToCoordinate(20), -14);
    EXPECT_NEAR(An::FrameScale(*table).ToFrame(-14), 20, 1e-9);
    table->GetFrameNoPP1()->SetId("PP1");
    EXPECT_THROW(An::FrameScale{*table}, LtXmlLib3::CLtException);
}

// Random trees, some with their assembled masses wired into one another: the
// checks and the flattening end without throwing.
TEST(Checks, RandomTreesNeverThrowNorLoop) {
    for (std::uint64_t seed = 1; seed <= 150; ++seed) {
        randomtree::Generator generator(seed, randomtree::Options{4, 0.7, seed % 3 == 0});
        auto document = generator.Vantrel();
        const An::MassIndex before(*document);
        const auto& assembled = before.Assembled();
        for (const auto* mass : assembled)
            for (const auto& [list, entry] : An::RestEntriesOf(*mass))
                if (!assembled.empty() && seed % 2 == 0)
                    const_cast<VantrelLib::IRestEntry*>(entry)->SetMassId(
                        assembled[static_cast<std::size_t>(generator.Below(static_cast<int>(assembled.size())))]->GetId());
        EXPECT_NO_THROW({
            An::CheckDocument(*document);
            const An::MassIndex index(*document);
            for (const auto* mass : index.Assembled()) index.Compose(*mass);
        }) << "seed " << seed;
    }
}

}  // namespace
