// The command-line tool `vantrel` and the example programs, run as processes:
// exit statuses, standard output and standard error, and the files they leave.

#include <gtest/gtest.h>

#ifdef VANTREL_TOOL_EXE

#include <VantrelLib/VantrelLib.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include <SampleShip.h>

#include "TestSupport.h"
#include "ToolRun.h"

namespace {

namespace fs = std::filesystem;
using toolrun::Lines;
using toolrun::Outcome;
using toolrun::Quoted;
using toolrun::Read;
using testsupport::AttributesOf;
using testsupport::ChildrenOf;

// A small document with every section and every kind of mass. Line numbers
// and columns matter: the fault cases below name them.
const std::string kGood = R"(<?xml version="1.0" encoding="UTF-8"?>
<Vantrel xmlns:xs="http://www.w3.org/2001/XMLSchema-instance" xmlns:gdt="http://www.vantrel.org/XML/GlobalDataTypes" schemaVersion="2.0">
  <GeneralData><PrincipalDimension Lpp="100"/>
    <FrameTable KeepAft="true" SpacingSign="1">
      <FrameEntry No="-2" Spacing="0.6" Mould="Aft"/><FrameEntry No="150" Spacing="0.6" Mould="Forward"/>
      <FrameEntry No="0" Spacing="0.6" Mould="Forward"/><FrameNoPP1 Coordinate="0"/><FrameNoPP2 Coordinate="90"/>
    </FrameTable></GeneralData>
  <LoadcaseData>
    <LoadcaseInput LoadComponent="SFmaxZ" NoOfIntervals="4" IsHalfModel="false">
      <BaseLoadCase LoadcaseId="1"/><UnitLoadCase LoadcaseId="2"/><Origin x="0" y="0"/></LoadcaseInput>
    <LoadEnvelopes><LongitudinalPosition XPosition="45"><MinForces x="0" y="0" z="-1" xx="0" yy="0" zz="0"/>
        <MaxForces x="0" y="0" z="1" xx="0" yy="0" zz="0"/></LongitudinalPosition>
      <LongitudinalPosition XPosition="-5"><MinForces x="0" y="0" z="-1" xx="0" yy="0" zz="0"/>
        <MaxForces x="0" y="0" z="1" xx="0" yy="0" zz="0"/></LongitudinalPosition></LoadEnvelopes></LoadcaseData>
  <Masses>
    <MassBoxes><BoxEntry Id="1" Mass="100.5"><Interval><Min x="0" y="0"/><Max x="1" y="1"/></Interval>
      <CoG x="0.5" y="0.5"/><NodeSelection UseSelected="All"/></BoxEntry></MassBoxes>
    <MassElementGroups><ElementGroupEntry Id="3" Buoyancy="true"/></MassElementGroups>
    <MassTanks><TankEntry Id="4" InputCode="TWE"><NodeSelection UseSelected="All"/>
      <Interval><Min x="5" y="0"/><Max x="9" y="4"/></Interval></TankEntry></MassTanks>
    <MassContainer><ContainerEntry Id="5" CoGx="60"><Aft Coordinate="55"/><Forward Coordinate="65"/>
      <Row Number="1" Symmetry="P" TierUpper="8" TierLower="2" CoGyVertical="1" CoGyHorizontal="1" GuidedAft="true" GuidedForward="true"/>
      <Row Number="2" Symmetry="S" TierUpper="8" TierLower="2" CoGyVertical="-1" CoGyHorizontal="-1" GuidedAft="true" GuidedForward="true"/>
    </ContainerEntry></MassContainer>
    <MassAssembled>
      <AssembledEntry Id="6" Mass="7"><CoG x="1" y="0"/><ContainerEntry Value="1" MassId="5" CoGzParameter="0.5"/>
        <BoxEntry xs:type="RestEntry" Value="1" MassId="1"/>
        <BoxEntry xs:type="TankEntry" Value="0.5" MassId="4" SpecificWeight="1.025"/></AssembledEntry>
      <AssembledEntry Id="7" Title="Full load" Mass="3.5"><CoG x="2" y="0"/>
        <TankEntry Value="1" Fix="true" MassId="4" SpecificWeight="0.85"/>
        <AssembledEntry xs:type="RestEntry" Value="1" MassId="6"/></AssembledEntry></MassAssembled></Masses>
  <Hydrodynamic><MassDistribution Id="1" MassAssembledIdRef="6"><Scan><ScanBlock Id="1" WaveHeight="1 2 3"/></Scan>
    <Select><SelectEntry Type="Max"><Factor><RangeDirection from="0" to="180"/><RangeXLpp from="0" to="1"/></Factor>
      </SelectEntry><SelectEntry Type="Fix"><Wave Ampl="2"/></SelectEntry></Select></MassDistribution></Hydrodynamic>
</Vantrel>
)";

const std::string kEmpty = R"(<Vantrel schemaVersion=""/>)";

const std::string kGoodLine =
    "sections GeneralData, LoadcaseData, Masses, Hydrodynamic; 3 frames, 2 load cases, 2 positions; "
    "masses: 1 box, 1 element group, 1 tank, 1 container, 2 assembled; 1 data set";

// `text` with its one occurrence of `from` replaced by `to`.
std::string Edited(const std::string& text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_TRUE(at != std::string::npos && text.find(from, at + 1) == std::string::npos) << "not once: " << from;
    return at == std::string::npos ? text : text.substr(0, at) + to + text.substr(at + from.size());
}

std::string Joined(const Lines& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + '\n';
    return text;
}

// The canonical text of a document, as the library writes it.
std::string Canonical(const std::string& xml) {
    auto document = VantrelLib::CVantrel::CreateInstance();
    document->FromXml(xml);
    return document->ToXml();
}

class Tool : public toolrun::ProcessTest {};

// --- reading: check, and the failures every command shares ---------------------

TEST_F(Tool, CheckPrintsALineForEachFileAndGoesOnPastBadOnes) {
    const fs::path good = File("good.xml", kGood), empty = File("empty.xml", kEmpty), missing = m_dir / "missing.xml";
    Outcome outcome = RunTool({"check", good.string()});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, good.string() + ": ok: " + kGoodLine + "\n");
    EXPECT_EQ(outcome.err, "");

    outcome = RunTool({"check", missing.string(), m_dir.string(), "-", empty.string()}, good);
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.out, Joined({"<stdin>: ok: " + kGoodLine,
                                   empty.string() + ": ok: sections none; 0 frames, 0 load cases, 0 positions; "
                                                    "masses: 0 box, 0 element group, 0 tank, 0 container, "
                                                    "0 assembled; 0 data sets"}));
    EXPECT_EQ(outcome.err, Joined({missing.string() + ": Failed to open the file [" + missing.string() +
                                       "]: No such file or directory",
                                   m_dir.string() + ": Failed to read the file [" + m_dir.string() +
                                       "]: Is a directory"}));
}

// A bad document and the whole chain every reading command prints for it: each
// line "FILE:LINE:COLUMN: message", then a "hint: " line where the library has one.
TEST_F(Tool, EveryCommandPrintsTheWholeChainOfAFaultAndWritesNothing) {
    struct Fault {
        std::string text;
        Lines chain;
    };
    const std::string root = "2:1: " + ChildrenOf("Vantrel"), masses = "15:3: " + ChildrenOf("Masses");
    const std::vector<Fault> faults = {
        {Edited(kGood, R"(<CoG x="2" y="0"/>)", R"(<CoG x="2" y="0">)"),
         {"31:69: Malformed XML at line 31, column 69: mismatched tag"}},
        {Edited(kGood, R"(<Min x="5" y="0"/>)", R"(<Min y="0"/>)"),
         {root, masses, "19:5: " + ChildrenOf("MassTanks"), "19:16: " + ChildrenOf("TankEntry"),
          "20:7: " + ChildrenOf("Interval"), "20:17: " + AttributesOf("Min"),
          "20:17: Failed to find the required Attribute [x]"}},
        {Edited(kGood, R"(Lpp="100"/>)", R"(Lpp="100"><Draught/></PrincipalDimension>)"),
         {root, "3:3: " + ChildrenOf("GeneralData"), "3:16: " + ChildrenOf("PrincipalDimension"),
          "3:46: " + testsupport::Unknown("Draught")}},
        {Edited(kGood, R"(Symmetry="S")", R"(Symmetry="Starboard")"),
         {root, masses, "21:5: " + ChildrenOf("MassContainer"), "21:20: " + ChildrenOf("ContainerEntry"),
          "23:7: " + AttributesOf("Row"), "23:7: Unknown enumeration value for gdt::CEnumerations::RSymmetry [Starboard]",
          "hint: the accepted tokens are P, S, P+S"}},
        {Edited(Edited(kGood, "<Vantrel xmlns", "<Ship xmlns"), "</Vantrel>", "</Ship>"),
         {" The document element is [Ship], not [Vantrel]"}},
        {"", {"1:1: Malformed XML at line 1, column 1: no element found"}},
    };
    const fs::path path = m_dir / "bad.xml";
    const std::vector<Lines> commands = {
        {"check"}, {"stats", "--json"}, {"format", "-o", (m_dir / "out.xml").string()}, {"format", "--in-place"}};
    for (const Fault& fault : faults) {
        File("bad.xml", fault.text);
        Lines expected;
        for (const std::string& line : fault.chain)
            expected.push_back(line.rfind("hint: ", 0) == 0 ? line : path.string() + ":" + line);
        for (Lines args : commands) {
            args.push_back(path.string());
            const Outcome outcome = RunTool(args);
            EXPECT_EQ(outcome.status, 1) << args[0] << ": " << fault.chain.back();
            EXPECT_EQ(outcome.out, "") << args[0];
            EXPECT_EQ(outcome.err, Joined(expected)) << args[0];
            EXPECT_EQ(Read(path), fault.text) << args[0];
            EXPECT_EQ(Listing(), Lines{"bad.xml"}) << args[0];  // no output, no temporary left
        }
    }
}

TEST_F(Tool, CheckRefusesAnEndlessStreamAsItArrives) {
    // 64 MiB of NUL bytes through a pipe: the tool gives up on its first chunk, so the writer is cut off.
    const fs::path writer = m_root / "writer-status";
    const Outcome outcome = RunShell("{ head -c 67108864 /dev/zero 2>/dev/null; echo $? >" + Quoted(writer) + "; } | " +
                                     Quoted(VANTREL_TOOL_EXE) + " check -");
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err, "<stdin>:1:1: Malformed XML at line 1, column 1: not well-formed (invalid token)\n");
    EXPECT_NE(Read(writer), "0\n");  // the writer did not finish
}

#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
TEST_F(Tool, RunningOutOfMemoryNamesTheFile) {
    // A 1 GiB (sparse) document under a 256 MiB address space limit.
    if (!fs::exists("/usr/bin/prlimit")) GTEST_SKIP() << "no prlimit";
    const fs::path big = File("big.xml", "");
    fs::resize_file(big, std::uintmax_t{1} << 30);
    const Outcome outcome = RunProgram("/usr/bin/prlimit", {"--as=268435456", VANTREL_TOOL_EXE, "check", big.string()});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err, "vantrel: " + big.string() + ": out of memory while reading the document\n");
}
#endif

// --- command line ------------------------------------------------------------

TEST_F(Tool, UsageErrorsExitWithTwoAndPrintOnlyToStandardError) {
    const std::string good = File("good.xml", kGood).string();
    const std::vector<std::pair<Lines, std::string>> cases = {  // the arguments, the first line on standard error
        {{}, "vantrel: A subcommand is required"},
        {{"bogus"}, "vantrel: The following argument was not expected: bogus"},
        {{"check"}, "vantrel check: FILE is required"},
        {{"format", good, "-o"}, "vantrel format: --output: 1 required TEXT missing"},
        {{"format", good, "-o", "out.xml", "--in-place"}, "vantrel format: --output excludes --in-place"},
        {{"format", good, "--allow-drop"}, "vantrel format: --allow-drop requires --in-place"},
        {{"format", "-", "--in-place"}, "vantrel format: --in-place needs a file, not standard input"},
        {{"sample", "extra"}, "vantrel sample: The following argument was not expected: extra"},
    };
    for (const auto& [args, message] : cases) {
        const Outcome outcome = RunTool(args);
        EXPECT_EQ(outcome.status, 2) << message;
        EXPECT_EQ(outcome.out, "") << message;
        EXPECT_EQ(outcome.err.substr(0, outcome.err.find('\n')), message);
    }
    EXPECT_EQ(Listing(), Lines{"good.xml"});  // nothing written
}

TEST_F(Tool, HelpAndVersionGoToStandardOutput) {
    Outcome outcome = RunTool({"--version"});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, "vantrel " VANTREL_PROJECT_VERSION "\n");
    const std::string help = RunTool({"--help"}).out;
    for (const std::string subcommand : {"check", "format", "stats", "sample"}) {
        EXPECT_NE(help.find("\n  " + subcommand + " "), std::string::npos) << subcommand;
        outcome = RunTool({subcommand, "--help"});
        EXPECT_EQ(outcome.status, 0) << subcommand;
        EXPECT_NE(outcome.out.find("Usage: vantrel " + subcommand), std::string::npos) << subcommand;
    }
}

// --- format ------------------------------------------------------------------

// Format drops what the document cannot keep, and says so; --in-place replaces a
// file only when nothing would be dropped, or when told to all the same.
TEST_F(Tool, FormatWritesTheCanonicalFormAndInPlaceOnlyWhatItKeeps) {
    std::string rich = Edited(kGood, "<Vantrel ", "<!-- by hand -->\n<?editor keep?>\n<Vantrel xs:schemaLocation=\"v v.xsd\" ");
    rich = Edited(rich, R"(<GeneralData><PrincipalDimension Lpp="100"/>)",
                  "<!-- general -->\n<GeneralData  ><PrincipalDimension\n\tLpp='100' ></PrincipalDimension>");
    const fs::path file = File("rich.xml", rich), out = m_dir / "out.xml";
    const std::string dropped = ": 2 comments, 1 processing instruction, 1 xsi:schemaLocation attribute";
    Outcome outcome = RunTool({"format", file.string()});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, Canonical(kGood));
    EXPECT_EQ(outcome.err, "vantrel format: " + file.string() + dropped + " dropped\n");
    outcome = RunTool({"format", "-", "-o", out.string()}, file);
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(outcome.err, "vantrel format: <stdin>" + dropped + " dropped\n");
    EXPECT_EQ(Read(out), Canonical(kGood));
    fs::remove(out);

    outcome = RunTool({"format", file.string(), "--in-place"});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err, "vantrel format: " + file.string() + dropped +
                               " would be dropped, so --in-place leaves the file as it is (--allow-drop replaces it "
                               "without them)\n");
    EXPECT_EQ(Read(file), rich);
    outcome = RunTool({"format", file.string(), "--in-place", "--allow-drop"});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.err, "vantrel format: " + file.string() + dropped + " dropped\n");
    EXPECT_EQ(Read(file), Canonical(kGood));
    EXPECT_EQ(Listing(), Lines{"rich.xml"});  // no temporary left

    const std::string target = (m_dir / "no-such-dir" / "out.xml").string();
    outcome = RunTool({"format", file.string(), "-o", target});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err, "vantrel format: Failed to create a temporary file for [" + target +
                               "]: No such file or directory\n");
}

TEST_F(Tool, FormatInPlaceRespectsPermissions) {
    // Read-only: refused unless forced, even for root (who may write it).
    const fs::path locked = File("locked.xml", kGood);
    const fs::perms readOnly = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
    fs::permissions(locked, readOnly);
    Outcome outcome = RunTool({"format", locked.string(), "--in-place"});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err, "vantrel format: " + locked.string() +
                               ": the file is read-only, so --in-place leaves it as it is (--force replaces it all "
                               "the same)\n");
    EXPECT_EQ(Read(locked), kGood);
    outcome = RunTool({"format", locked.string(), "--in-place", "--force"});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(Read(locked), Canonical(kGood));
    EXPECT_EQ(fs::status(locked).permissions() & fs::perms::all, readOnly);

    // A writable file in a directory its user may not write.
    const fs::path file = File("open.xml", kGood);
    fs::permissions(file, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write, fs::perm_options::add);
    std::string setpriv;  // root may write any directory, so as root the tool runs as "nobody"
    if (::geteuid() == 0) {
        if (!fs::exists("/usr/bin/setpriv")) GTEST_SKIP() << "no setpriv to run as another user";
        fs::permissions(m_root, fs::perms::others_read | fs::perms::others_exec, fs::perm_options::add);
        setpriv = "/usr/bin/setpriv --reuid=65534 --regid=65534 --clear-groups ";
    }
    fs::permissions(m_dir, fs::perms::owner_write, fs::perm_options::remove);
    outcome = RunShell(setpriv + Quoted(VANTREL_TOOL_EXE) + " format " + Quoted(file) + " --in-place");
    fs::permissions(m_dir, fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err, "vantrel format: " + file.string() +
                               ": --in-place needs a writable directory, to write the new text beside the file and "
                               "rename it over it, and " + fs::canonical(m_dir).string() +
                               " is not (Permission denied)\n");
    EXPECT_EQ(Read(file), kGood);
    EXPECT_EQ(Listing(), (Lines{"locked.xml", "open.xml"}));
}

// --- stats and sample ----------------------------------------------------------

// Masses that are not finite are named and counted (as strings in JSON); a mass
// that names itself stays top-level; absent sections are null.
TEST_F(Tool, StatsPrintsAnAlignedTableOrJson) {
    std::string text = Edited(kGood, R"(Value="1" MassId="6"/>)", R"(Value="1" MassId="7"/>)");
    text = Edited(Edited(Edited(text, R"(Mass="100.5")", R"(Mass="NaN")"), R"(Mass="7")", R"(Mass="-INF")"),
                  R"(Mass="3.5")", R"(Mass="INF")");
    const fs::path path = File("odd.xml", text);
    Outcome outcome = RunTool({"stats", path.string()});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out,
              Joined({path.string() + ": schemaVersion \"2.0\"",
                      "Section       Item                  Count  Details",
                      "GeneralData   principal dimensions    yes",
                      "              general constants        no",
                      "              attached files            0",
                      "              frames                    3  No -2 .. 150, not in increasing order; "
                      "PP1..PP2 coordinates 0 .. 90",
                      "LoadcaseData  load cases                2  base 1, unit 1",
                      "              positions                 2  XPosition -5 .. 45",
                      "Masses        box masses                1  total declared mass NaN",
                      "              element group masses      1",
                      "              tank masses               1",
                      "              container masses          1  2 rows",
                      "              assembled masses          2  5 rest entries",
                      "              top-level assembled       2  Id 6, declared mass -INF",
                      std::string(43, ' ') + "Id 7 \"Full load\", declared mass INF",
                      "              masses not finite         3  box 1, assembled 2",
                      "Hydrodynamic  data sets                 1",
                      "              scan blocks               1",
                      "              select entries            2  factor 1, wave 1"}));

    outcome = RunTool({"stats", "--json", path.string()});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    const nlohmann::json json = nlohmann::json::parse(outcome.out);
    EXPECT_EQ(json["file"], path.string());
    EXPECT_EQ(json["generalData"]["frameTable"],
              nlohmann::json::parse(R"({"frames": 3, "frameNumbers": {"from": -2, "to": 150}, "numbersIncreasing": false,
                                        "coordinates": {"from": 0, "to": 90}})"));
    EXPECT_EQ(json["masses"], nlohmann::json::parse(R"({"box": {"count": 1, "totalMass": "NaN", "notFinite": 1},
      "elementGroup": {"count": 1}, "tank": {"count": 1}, "container": {"count": 1, "rows": 2}, "assembled": {"count": 2,
      "restEntries": 5, "notFinite": 2, "topLevel": [{"id": 6, "title": null, "mass": "-INF"},
      {"id": 7, "title": "Full load", "mass": "INF"}]}, "notFinite": 3})"));
    outcome = RunTool({"stats", "--json", "-"}, File("empty.xml", kEmpty));
    EXPECT_EQ(nlohmann::json::parse(outcome.out),
              nlohmann::json::parse(R"({"file": "<stdin>", "schemaVersion": "", "sections": [], "generalData": null,
                                        "loadcaseData": null, "masses": null, "hydrodynamic": null})"));
}

TEST_F(Tool, SampleWritesTheBundledDocument) {
    const Outcome outcome = RunTool({"sample"});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, VantrelSample::BuildSampleShip()->ToXml());
    const fs::path path = m_dir / "ship.xml";
    EXPECT_EQ(RunTool({"sample", "-o", path.string()}).status, 0);
    EXPECT_EQ(Read(path), outcome.out);
}

// --- examples: each run once -----------------------------------------------------

TEST_F(Tool, ExamplesBuildWalkAndEditADocument) {
    const fs::path built = m_dir / "built.xml";
    Outcome outcome = RunProgram(VANTREL_BUILD_DOCUMENT_EXE, {built.string()});
    ASSERT_EQ(outcome.status, 0) << outcome.err;

    outcome = RunProgram(VANTREL_WALK_DOCUMENT_EXE, {built.string()});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    // The rest entries are told apart by class, the selections by branch.
    for (const char* line : {"BoxEntry: mass 1 x 1, plain", "TankEntry: mass 2 x 0.9, tank, specific weight 0.85",
                             "factor over x/Lpp 0 .. 1", "wave amplitude 3.5"})
        EXPECT_NE(outcome.out.find(line), std::string::npos) << line << " in\n" << outcome.out;

    // Without an output file the edit replaces its input; it prints the new ids.
    outcome = RunProgram(VANTREL_EDIT_DOCUMENT_EXE, {built.string()});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    auto document = VantrelLib::CVantrel::CreateInstance();
    document->FromXmlFile(built.string());
    auto tanks = document->GetMasses()->GetMassTanks()->GetTankEntry();
    auto assembled = document->GetMasses()->GetMassAssembled()->GetAssembledEntry();
    ASSERT_EQ(assembled->Item(1)->GetTankEntry()->GetCount(), 1);
    EXPECT_EQ(assembled->Item(1)->GetTankEntry()->Item(0)->GetMassId(), tanks->Item(1)->GetId());
    EXPECT_EQ(outcome.out, "added tank mass " + std::to_string(tanks->Item(1)->GetId()) + " and assembled mass " +
                               std::to_string(assembled->Item(1)->GetId()) + "\n");
    EXPECT_EQ(Listing(), Lines{"built.xml"});
#ifdef VANTREL_SHIP_SUMMARY_EXE
    // The summary client counts what the bundled sample holds.
    outcome = RunProgram(VANTREL_SHIP_SUMMARY_EXE, {VANTREL_SOURCE_DIR "/examples/ship.xml"});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    for (const char* line : {"  frames:               47\n", "  load cases:           1 base + 5 unit\n",
                             "  container blocks:     5 (20 rows)\n", "  data sets:            2\n"})
        EXPECT_NE(outcome.out.find(line), std::string::npos) << line << " in\n" << outcome.out;
#endif
}

}  // namespace

#endif  // VANTREL_TOOL_EXE
