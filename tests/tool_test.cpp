// The command-line tool `vantrel` and the example programs, run as processes:
// exit statuses, standard output and standard error, and the files they leave.

#include <gtest/gtest.h>

#ifdef VANTREL_TOOL_EXE

#include <VantrelLib/VantrelLib.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <nlohmann/json.hpp>

#include <SampleShip.h>

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

// A small document with every section and every kind of mass. Line numbers
// matter: the fault cases below name them.
const std::string kGood = R"(<?xml version="1.0" encoding="UTF-8"?>
<Vantrel xmlns:xs="http://www.w3.org/2001/XMLSchema-instance" xmlns:gdt="http://www.vantrel.org/XML/GlobalDataTypes" schemaVersion="2.0">
  <GeneralData>
    <PrincipalDimension Lpp="100"/>
    <FrameTable KeepAft="true" SpacingSign="1">
      <FrameEntry No="-2" Spacing="0.6" Mould="Aft"/>
      <FrameEntry No="150" Spacing="0.6" Mould="Forward"/>
      <FrameEntry No="0" Spacing="0.6" Mould="Forward"/>
      <FrameNoPP1 Coordinate="0"/>
      <FrameNoPP2 Coordinate="90"/>
    </FrameTable>
  </GeneralData>
  <LoadcaseData>
    <LoadcaseInput LoadComponent="SFmaxZ" NoOfIntervals="4" IsHalfModel="false">
      <BaseLoadCase LoadcaseId="1"/>
      <UnitLoadCase LoadcaseId="2"/>
      <Origin x="0" y="0"/>
    </LoadcaseInput>
    <LoadEnvelopes>
      <LongitudinalPosition XPosition="45">
        <MinForces x="0" y="0" z="-1" xx="0" yy="0" zz="0"/>
        <MaxForces x="0" y="0" z="1" xx="0" yy="0" zz="0"/>
      </LongitudinalPosition>
      <LongitudinalPosition XPosition="-5">
        <MinForces x="0" y="0" z="-1" xx="0" yy="0" zz="0"/>
        <MaxForces x="0" y="0" z="1" xx="0" yy="0" zz="0"/>
      </LongitudinalPosition>
    </LoadEnvelopes>
  </LoadcaseData>
  <Masses>
    <MassBoxes>
      <BoxEntry Id="1" Mass="100.5">
        <Interval>
          <Min x="0" y="0"/>
          <Max x="1" y="1"/>
        </Interval>
        <CoG x="0.5" y="0.5"/>
        <NodeSelection UseSelected="All"/>
      </BoxEntry>
      <BoxEntry Id="2" Mass="20.25">
        <Interval>
          <Min x="1" y="0"/>
          <Max x="2" y="1"/>
        </Interval>
        <CoG x="1.5" y="0.5"/>
        <NodeSelection UseSelected="Hard"/>
      </BoxEntry>
    </MassBoxes>
    <MassElementGroups>
      <ElementGroupEntry Id="3" Buoyancy="true"/>
    </MassElementGroups>
    <MassTanks>
      <TankEntry Id="4" InputCode="TWE">
        <NodeSelection UseSelected="All"/>
        <Interval>
          <Min x="5" y="0"/>
          <Max x="9" y="4"/>
        </Interval>
      </TankEntry>
    </MassTanks>
    <MassContainer>
      <ContainerEntry Id="5" CoGx="60">
        <Aft Coordinate="55"/>
        <Forward Coordinate="65"/>
        <Row Number="1" Symmetry="P" TierUpper="8" TierLower="2" CoGyVertical="1" CoGyHorizontal="1" GuidedAft="true" GuidedForward="true"/>
        <Row Number="2" Symmetry="S" TierUpper="8" TierLower="2" CoGyVertical="-1" CoGyHorizontal="-1" GuidedAft="true" GuidedForward="true"/>
      </ContainerEntry>
    </MassContainer>
    <MassAssembled>
      <AssembledEntry Id="6" Mass="7">
        <CoG x="1" y="0"/>
        <ContainerEntry Value="1" MassId="5" CoGzParameter="0.5"/>
        <BoxEntry xs:type="RestEntry" Value="1" MassId="1"/>
        <BoxEntry xs:type="TankEntry" Value="0.5" MassId="4" SpecificWeight="1.025"/>
      </AssembledEntry>
      <AssembledEntry Id="7" Title="Full load" Mass="3.5">
        <CoG x="2" y="0"/>
        <TankEntry Value="1" Fix="true" MassId="4" SpecificWeight="0.85"/>
        <AssembledEntry xs:type="RestEntry" Value="1" MassId="6"/>
      </AssembledEntry>
    </MassAssembled>
  </Masses>
  <Hydrodynamic>
    <MassDistribution Id="1" MassAssembledIdRef="6">
      <Scan>
        <ScanBlock Id="1" WaveHeight="1 2 3"/>
      </Scan>
      <Select>
        <SelectEntry Type="Max">
          <Factor>
            <RangeDirection from="0" to="180"/>
            <RangeXLpp from="0" to="1"/>
          </Factor>
        </SelectEntry>
        <SelectEntry Type="Fix">
          <Wave Ampl="2"/>
        </SelectEntry>
      </Select>
    </MassDistribution>
  </Hydrodynamic>
</Vantrel>
)";

// The smallest document: the root alone.
const std::string kEmpty = R"(<Vantrel schemaVersion=""/>)";

const std::string kGoodLine =
    "sections GeneralData, LoadcaseData, Masses, Hydrodynamic; 3 frames, 2 load cases, 2 positions; "
    "masses: 2 box, 1 element group, 1 tank, 1 container, 2 assembled; 1 data set";

// `text` with its one occurrence of `from` replaced by `to`.
std::string Edited(const std::string& text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << "fixture lacks: " << from;
    EXPECT_EQ(text.find(from, at + 1), std::string::npos) << "fixture holds more than one: " << from;
    if (at == std::string::npos) return text;
    return text.substr(0, at) + to + text.substr(at + from.size());
}

std::string Joined(const Lines& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + '\n';
    return text;
}

std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void Write(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

struct Outcome {
    int status = -1;  // the exit status, -1 when the process died of a signal
    std::string out;
    std::string err;
};

// Each test works in a fresh temporary directory of its own.
class ProcessTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "vantrel-tool-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_root = pattern;
        m_dir = m_root / "work";
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_root); }

    fs::path File(const std::string& name, const std::string& text) const {
        const fs::path path = m_dir / name;
        Write(path, text);
        return path;
    }

    // Runs `program` with `args` (standard input from `input`) in the working
    // directory, and captures what it prints and its exit status.
    Outcome RunProgram(const std::string& program, const Lines& args, const fs::path& input = "/dev/null") const {
        const std::string outPath = (m_root / "stdout").string();
        const std::string errPath = (m_root / "stderr").string();
        const std::string inPath = input.string();
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 0, inPath.c_str(), O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);

        std::vector<std::string> words{program};
        words.insert(words.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (std::string& word : words) argv.push_back(word.data());
        argv.push_back(nullptr);

        Outcome outcome;
        pid_t pid = 0;
        const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        if (spawned != 0) {
            ADD_FAILURE() << "cannot start " << program;
            return outcome;
        }
        int wait = 0;
        if (::waitpid(pid, &wait, 0) == pid && WIFEXITED(wait)) outcome.status = WEXITSTATUS(wait);
        outcome.out = Read(outPath);
        outcome.err = Read(errPath);
        return outcome;
    }

    Outcome RunTool(const Lines& args, const fs::path& input = "/dev/null") const {
        return RunProgram(VANTREL_TOOL_EXE, args, input);
    }

    // The names of the files in the working directory.
    std::vector<std::string> Listing() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_dir)) names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path m_root;
    fs::path m_dir;
};

using Tool = ProcessTest;

// The canonical text of a document, as the library writes it.
std::string Canonical(const std::string& xml) {
    auto document = VantrelLib::CVantrel::CreateInstance();
    document->FromXml(xml);
    return document->ToXml();
}

// --- check -------------------------------------------------------------------

TEST_F(Tool, CheckPrintsOneLineForEachGoodFile) {
    const fs::path good = File("good.xml", kGood);
    const fs::path empty = File("empty.xml", kEmpty);
    const Outcome outcome = RunTool({"check", good.string(), empty.string()});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, Joined({good.string() + ": ok: " + kGoodLine,
                                   empty.string() +
                                       ": ok: sections none; 0 frames, 0 load cases, 0 positions; masses: 0 box, "
                                       "0 element group, 0 tank, 0 container, 0 assembled; 0 data sets"}));
    EXPECT_EQ(outcome.err, "");
}

// One bad document and the whole chain `check` must print for it, each line
// after "FILE:" (line and column, where known, then ": " and the message),
// and a last "hint: " line where the library has one.
struct Fault {
    const char* name;
    std::string text;
    Lines chain;
};

TEST_F(Tool, CheckPrintsTheWholeChainOfEachFault) {
    const std::vector<Fault> faults = {
        {"malformed XML", Edited(kGood, R"(<CoG x="2" y="0"/>)", R"(<CoG x="2" y="0">)"),
         {"80:9: Malformed XML at line 80, column 9: mismatched tag"}},
        {"required attribute missing deep inside", Edited(kGood, R"(<Min x="5" y="0"/>)", R"(<Min y="0"/>)"),
         {"2:1: Failed to process the child elements in element [Vantrel]",
          "30:3: Failed to process the child elements in element [Masses]",
          "52:5: Failed to process the child elements in element [MassTanks]",
          "53:7: Failed to process the child elements in element [TankEntry]",
          "55:9: Failed to process the child elements in element [Interval]",
          "56:11: Failed to correctly process the attributes for the element [Min]",
          "56:11: Failed to find the required Attribute [x]"}},
        {"unknown element", Edited(kGood, R"(<PrincipalDimension Lpp="100"/>)",
                                   R"(<PrincipalDimension Lpp="100"><Draught/></PrincipalDimension>)"),
         {"2:1: Failed to process the child elements in element [Vantrel]",
          "3:3: Failed to process the child elements in element [GeneralData]",
          "4:5: Failed to process the child elements in element [PrincipalDimension]",
          "4:35: Failed read all the elements held within the element. Unknown Element [Draught] remains un "
          "processed"}},
        {"bad enumeration token", Edited(kGood, R"(Symmetry="S")", R"(Symmetry="Starboard")"),
         {"2:1: Failed to process the child elements in element [Vantrel]",
          "30:3: Failed to process the child elements in element [Masses]",
          "61:5: Failed to process the child elements in element [MassContainer]",
          "62:7: Failed to process the child elements in element [ContainerEntry]",
          "66:9: Failed to correctly process the attributes for the element [Row]",
          "66:9: Unknown enumeration value for gdt::CEnumerations::RSymmetry [Starboard]",
          "hint: the accepted tokens are P, S, P+S"}},
        {"another document element",
         Edited(Edited(kGood, "<Vantrel xmlns", "<Ship xmlns"), "</Vantrel>", "</Ship>"),
         {" The document element is [Ship], not [Vantrel]"}},
        {"empty file", "", {"1:1: Malformed XML at line 1, column 1: no element found"}},
    };
    for (const Fault& fault : faults) {
        const fs::path path = File("bad.xml", fault.text);
        Lines expected;
        for (const std::string& line : fault.chain)
            expected.push_back(line.rfind("hint: ", 0) == 0 ? line : path.string() + ":" + line);
        const Outcome outcome = RunTool({"check", path.string()});
        EXPECT_EQ(outcome.status, 1) << fault.name;
        EXPECT_EQ(outcome.out, "") << fault.name;
        EXPECT_EQ(outcome.err, Joined(expected)) << fault.name;
    }
}

TEST_F(Tool, CheckReportsUnreadableFilesAndGoesOn) {
    const fs::path good = File("good.xml", kGood);
    const fs::path missing = m_dir / "missing.xml";
    const Outcome outcome = RunTool({"check", missing.string(), m_dir.string(), good.string()});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.out, Joined({good.string() + ": ok: " + kGoodLine}));
    EXPECT_EQ(outcome.err, Joined({missing.string() + ": Failed to open the file [" + missing.string() +
                                       "]: No such file or directory",
                                   m_dir.string() + ": Failed to read the file [" + m_dir.string() +
                                       "]: Is a directory"}));
}

TEST_F(Tool, CheckReadsStandardInput) {
    const fs::path good = File("good.xml", kGood);
    const Outcome outcome = RunTool({"check", "-"}, good);
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, Joined({"<stdin>: ok: " + kGoodLine}));
}

TEST_F(Tool, CheckRefusesAnEndlessStreamAsItArrives) {
    // NUL bytes through a pipe: the tool gives up after its first chunk, so
    // the writer can push little more than that and the pipe's own buffer.
    const fs::path fifo = m_dir / "endless";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::signal(SIGPIPE, SIG_IGN);  // the writer learns of the reader's end from EPIPE
    std::size_t pushed = 0;
    std::thread writer([&] {
        // Waits (a while at most) for the tool to open its end.
        int fd = -1;
        for (int tries = 0; tries < 2000 && fd < 0; ++tries) {
            fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
            if (fd < 0) std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        if (fd < 0) return;
        ::fcntl(fd, F_SETFL, 0);
        const std::vector<char> zeros(65536, '\0');
        for (ssize_t written; pushed < (std::size_t{64} << 20); pushed += static_cast<std::size_t>(written))
            if ((written = ::write(fd, zeros.data(), zeros.size())) <= 0) break;
        ::close(fd);
    });
    const Outcome outcome = RunTool({"check", "-"}, fifo);
    writer.join();
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err, "<stdin>:1:1: Malformed XML at line 1, column 1: not well-formed (invalid token)\n");
    EXPECT_GT(pushed, 0u);
    EXPECT_LT(pushed, std::size_t{4} << 20);
}

#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
TEST_F(Tool, RunningOutOfMemoryNamesTheFile) {
    // A 1 GiB (sparse) document under a 256 MiB address space limit.
    if (!fs::exists("/usr/bin/prlimit")) GTEST_SKIP() << "no prlimit";
    const fs::path big = File("big.xml", "");
    fs::resize_file(big, std::uintmax_t{1} << 30);
    const Outcome outcome =
        RunProgram("/usr/bin/prlimit", {"--as=268435456", VANTREL_TOOL_EXE, "check", big.string()});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err, "vantrel: " + big.string() + ": out of memory while reading the document\n");
}
#endif

// --- command line ------------------------------------------------------------

TEST_F(Tool, UsageErrorsExitWithTwoAndPrintOnlyToStandardError) {
    const std::string good = File("good.xml", kGood).string();
    struct Usage {
        Lines args;
        std::string message;  // the first line on standard error
    };
    const std::vector<Usage> cases = {
        {{}, "vantrel: A subcommand is required"},
        {{"bogus"}, "vantrel: The following argument was not expected: bogus"},
        {{"check"}, "vantrel check: FILE is required"},
        {{"check", "--json", good}, "vantrel check: The following argument was not expected: --json"},
        {{"format"}, "vantrel format: FILE is required"},
        {{"format", good, "extra.xml"}, "vantrel format: The following argument was not expected: extra.xml"},
        {{"format", good, "-o"}, "vantrel format: --output: 1 required TEXT missing"},
        {{"format", good, "-o", "out.xml", "--in-place"}, "vantrel format: --output excludes --in-place"},
        {{"format", "-", "--in-place"}, "vantrel format: --in-place needs a file, not standard input"},
        {{"stats"}, "vantrel stats: FILE is required"},
        {{"stats", good, "--csv"}, "vantrel stats: The following argument was not expected: --csv"},
        {{"sample", "extra"}, "vantrel sample: The following argument was not expected: extra"},
    };
    for (const Usage& usage : cases) {
        std::string command = "vantrel";
        for (const std::string& arg : usage.args) command += " " + arg;
        const Outcome outcome = RunTool(usage.args);
        EXPECT_EQ(outcome.status, 2) << command;
        EXPECT_EQ(outcome.out, "") << command;
        EXPECT_EQ(outcome.err.substr(0, outcome.err.find('\n')), usage.message) << command;
    }
    EXPECT_EQ(Listing(), Lines{"good.xml"});  // nothing written
}

TEST_F(Tool, HelpAndVersionGoToStandardOutput) {
    Outcome outcome = RunTool({"--version"});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, "vantrel " VANTREL_PROJECT_VERSION "\n");

    outcome = RunTool({"--help"});
    EXPECT_EQ(outcome.status, 0);
    for (const char* subcommand : {"check", "format", "stats", "sample"})
        EXPECT_NE(outcome.out.find(std::string("\n  ") + subcommand + " "), std::string::npos) << subcommand;

    for (const char* subcommand : {"check", "format", "stats", "sample"}) {
        outcome = RunTool({subcommand, "--help"});
        EXPECT_EQ(outcome.status, 0) << subcommand;
        EXPECT_NE(outcome.out.find(std::string("Usage: vantrel ") + subcommand), std::string::npos) << subcommand;
        EXPECT_EQ(outcome.err, "") << subcommand;
    }
}

// --- format ------------------------------------------------------------------

TEST_F(Tool, FormatWritesTheCanonicalFormAndIsStable) {
    // Same document, written by hand: single quotes, comments, no declaration,
    // other indentation.
    std::string loose = Edited(kGood, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n", "<!-- by hand -->\n");
    loose = Edited(loose, R"(<PrincipalDimension Lpp="100"/>)", "<PrincipalDimension\n\tLpp='100' ></PrincipalDimension>");
    const fs::path input = File("loose.xml", loose);

    const Outcome first = RunTool({"format", input.string()});
    EXPECT_EQ(first.status, 0);
    EXPECT_EQ(first.err, "vantrel format: " + input.string() + ": 1 comment dropped\n");
    EXPECT_EQ(first.out, Canonical(kGood));
    EXPECT_EQ(Read(input), loose);  // the input stays as it was

    const fs::path once = File("once.xml", first.out);
    const Outcome second = RunTool({"format", once.string()});
    EXPECT_EQ(second.status, 0);
    EXPECT_EQ(second.out, first.out);  // byte for byte

    const Outcome toFile = RunTool({"format", input.string(), "-o", (m_dir / "out.xml").string()});
    EXPECT_EQ(toFile.status, 0);
    EXPECT_EQ(toFile.out, "");
    EXPECT_EQ(Read(m_dir / "out.xml"), first.out);

    const Outcome fromStdin = RunTool({"format", "-"}, input);
    EXPECT_EQ(fromStdin.status, 0);
    EXPECT_EQ(fromStdin.out, first.out);
}

TEST_F(Tool, FormatInPlaceReplacesOnlyAGoodFile) {
    const std::string loose = Edited(kGood, "  <GeneralData>", "<GeneralData   >");
    const fs::path good = File("good.xml", loose);
    Outcome outcome = RunTool({"format", good.string(), "--in-place"});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(Read(good), Canonical(kGood));

    const std::string broken = Edited(kGood, R"(Mass="7")", R"(Mass="seven")");
    const fs::path bad = File("bad.xml", broken);
    outcome = RunTool({"format", bad.string(), "--in-place"});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(outcome.err.rfind(bad.string() + ":2:1: Failed to process the child elements in element [Vantrel]\n", 0),
              0u)
        << outcome.err;
    EXPECT_EQ(Read(bad), broken);  // untouched
    EXPECT_EQ(Listing(), (Lines{"bad.xml", "good.xml"}));  // and no temporary left

    outcome = RunTool({"format", bad.string(), "-o", (m_dir / "out.xml").string()});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(Listing(), (Lines{"bad.xml", "good.xml"}));  // no output for a bad input
}

TEST_F(Tool, FormatInPlaceLeavesAFileWhoseContentWouldBeDropped) {
    std::string rich = Edited(kGood, "<Vantrel ", "<!-- made by hand -->\n<?editor keep?>\n<Vantrel xs:schemaLocation=\"v v.xsd\" ");
    rich = Edited(rich, "  <GeneralData>", "  <!-- general -->\n  <GeneralData>");
    const fs::path file = File("rich.xml", rich);
    const std::string dropped = file.string() + ": 2 comments, 1 processing instruction, 1 xsi:schemaLocation attribute";
    Outcome outcome = RunTool({"format", file.string(), "--in-place"});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err, "vantrel format: " + dropped +
                               " would be dropped, so --in-place leaves the file as it is (--allow-drop replaces it "
                               "without them)\n");
    EXPECT_EQ(Read(file), rich);
    EXPECT_EQ(Listing(), Lines{"rich.xml"});

    outcome = RunTool({"format", file.string(), "--in-place", "--allow-drop"});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.err, "vantrel format: " + dropped + " dropped\n");
    EXPECT_EQ(Read(file), Canonical(kGood));
}

TEST_F(Tool, FormatInPlaceRespectsPermissions) {
    // Read-only: refused unless forced, even for root (who may write it).
    const fs::path locked = File("locked.xml", kGood);
    fs::permissions(locked, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    Outcome outcome = RunTool({"format", locked.string(), "--in-place"});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err, "vantrel format: " + locked.string() +
                               ": the file is read-only, so --in-place leaves it as it is (--force replaces it all "
                               "the same)\n");
    EXPECT_EQ(Read(locked), kGood);
    outcome = RunTool({"format", locked.string(), "--in-place", "--force"});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(Read(locked), Canonical(kGood));
    EXPECT_EQ(fs::status(locked).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);

    // A writable file in a directory its user may not write: root may write
    // any directory, so as root the tool runs as "nobody".
    const fs::path file = File("open.xml", kGood);
    fs::permissions(file, fs::perms::all & ~(fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec));
    Lines args = {"format", file.string(), "--in-place"};
    std::string program = VANTREL_TOOL_EXE;
    if (::geteuid() == 0) {
        if (!fs::exists("/usr/bin/setpriv")) GTEST_SKIP() << "no setpriv to run as another user";
        fs::permissions(m_root, fs::perms::others_read | fs::perms::others_exec, fs::perm_options::add);
        args.insert(args.begin(), {"--reuid=65534", "--regid=65534", "--clear-groups", program});
        program = "/usr/bin/setpriv";
    } else {
        fs::permissions(m_dir, fs::perms::owner_write, fs::perm_options::remove);
    }
    outcome = RunProgram(program, args);
    fs::permissions(m_dir, fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err, "vantrel format: " + file.string() +
                               ": --in-place needs a writable directory, to write the new text beside the file and "
                               "rename it over it, and " + fs::canonical(m_dir).string() +
                               " is not (Permission denied)\n");
    EXPECT_EQ(Read(file), kGood);
    EXPECT_EQ(Listing(), (Lines{"locked.xml", "open.xml"}));
}

TEST_F(Tool, FormatReportsAnOutputThatCannotBeWritten) {
    const fs::path good = File("good.xml", kGood);
    const std::string target = (m_dir / "no-such-dir" / "out.xml").string();
    const Outcome outcome = RunTool({"format", good.string(), "-o", target});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err.rfind("vantrel format: ", 0), 0u) << outcome.err;
    EXPECT_NE(outcome.err.find(target), std::string::npos) << outcome.err;
}

// --- stats -------------------------------------------------------------------

TEST_F(Tool, StatsPrintsAnAlignedTable) {
    const fs::path good = File("good.xml", kGood);
    const Outcome outcome = RunTool({"stats", good.string()});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.err, "");
    EXPECT_EQ(outcome.out,
              Joined({good.string() + ": schemaVersion \"2.0\"",
                      "Section       Item                  Count  Details",
                      "GeneralData   principal dimensions    yes",
                      "              general constants        no",
                      "              attached files            0",
                      "              frames                    3  No -2 .. 150, not in increasing order; "
                      "PP1..PP2 coordinates 0 .. 90",
                      "LoadcaseData  load cases                2  base 1, unit 1",
                      "              positions                 2  XPosition -5 .. 45",
                      "Masses        box masses                2  total declared mass 120.75",
                      "              element group masses      1",
                      "              tank masses               1",
                      "              container masses          1  2 rows",
                      "              assembled masses          2  5 rest entries",
                      "              top-level assembled       1  Id 7 \"Full load\", declared mass 3.5",
                      "Hydrodynamic  data sets                 1",
                      "              scan blocks               1",
                      "              select entries            2  factor 1, wave 1"}));
}

TEST_F(Tool, StatsJsonHoldsTheCounts) {
    const fs::path good = File("good.xml", kGood);
    Outcome outcome = RunTool({"stats", good.string(), "--json"});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    const nlohmann::json json = nlohmann::json::parse(outcome.out);
    EXPECT_EQ(json["file"], good.string());
    EXPECT_EQ(json["schemaVersion"], "2.0");
    EXPECT_EQ(json["sections"], nlohmann::json({"GeneralData", "LoadcaseData", "Masses", "Hydrodynamic"}));
    const auto& frameTable = json["generalData"]["frameTable"];
    EXPECT_EQ(frameTable["frames"], 3);
    EXPECT_EQ(frameTable["frameNumbers"], nlohmann::json({{"from", -2.0}, {"to", 150.0}}));
    EXPECT_EQ(frameTable["numbersIncreasing"], false);
    EXPECT_EQ(frameTable["coordinates"], nlohmann::json({{"from", 0.0}, {"to", 90.0}}));
    EXPECT_EQ(json["generalData"]["principalDimension"], true);
    EXPECT_EQ(json["loadcaseData"]["loadCases"], 2);
    EXPECT_EQ(json["loadcaseData"]["unitLoadCases"], 1);
    EXPECT_EQ(json["loadcaseData"]["positions"], 2);
    EXPECT_EQ(json["loadcaseData"]["xPositions"], nlohmann::json({{"from", -5.0}, {"to", 45.0}}));
    const auto& masses = json["masses"];
    EXPECT_EQ(masses["box"]["count"], 2);
    EXPECT_EQ(masses["box"]["totalMass"], 120.75);
    EXPECT_EQ(masses["notFinite"], 0);
    EXPECT_EQ(masses["elementGroup"]["count"], 1);
    EXPECT_EQ(masses["tank"]["count"], 1);
    EXPECT_EQ(masses["container"]["count"], 1);
    EXPECT_EQ(masses["container"]["rows"], 2);
    EXPECT_EQ(masses["assembled"]["count"], 2);
    EXPECT_EQ(masses["assembled"]["restEntries"], 5);
    // 6 is part of 7.
    EXPECT_EQ(masses["assembled"]["topLevel"],
              nlohmann::json::parse(R"([{"id": 7, "title": "Full load", "mass": 3.5}])"));
    const auto& hydrodynamic = json["hydrodynamic"];
    EXPECT_EQ(hydrodynamic["dataSets"], 1);
    EXPECT_EQ(hydrodynamic["scanBlocks"], 1);
    EXPECT_EQ(hydrodynamic["selectEntries"], 2);
    EXPECT_EQ(hydrodynamic["factorSelections"], 1);
    EXPECT_EQ(hydrodynamic["waveSelections"], 1);

    // Absent sections are null; a frame table without coordinates has none.
    const std::string sparse =
        R"(<Vantrel schemaVersion="x"><GeneralData><FrameTable KeepAft="false" SpacingSign="1">)"
        R"(<FrameNoPP1/><FrameNoPP2 Coordinate="3"/></FrameTable></GeneralData></Vantrel>)";
    outcome = RunTool({"stats", "--json", File("sparse.xml", sparse).string()});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    const nlohmann::json few = nlohmann::json::parse(outcome.out);
    EXPECT_EQ(few["sections"], nlohmann::json({"GeneralData"}));
    EXPECT_EQ(few["generalData"]["frameTable"]["frames"], 0);
    EXPECT_TRUE(few["generalData"]["frameTable"]["frameNumbers"].is_null());
    EXPECT_TRUE(few["generalData"]["frameTable"]["coordinates"].is_null());
    for (const char* absent : {"loadcaseData", "masses", "hydrodynamic"}) EXPECT_TRUE(few[absent].is_null()) << absent;
}

// Masses that are not finite numbers are named and counted; frames in order get
// no remark; a mass that names itself stays top-level.
TEST_F(Tool, StatsNamesMassesThatAreNotFinite) {
    std::string text = Edited(kGood, R"(Value="1" MassId="6"/>)", R"(Value="1" MassId="7"/>)");
    text = Edited(Edited(Edited(text, R"(Mass="100.5")", R"(Mass="NaN")"), R"(Mass="7")", R"(Mass="-INF")"),
                  R"(Mass="3.5")", R"(Mass="INF")");
    const fs::path path = File("odd.xml", Edited(text, R"(No="0")", R"(No="200")"));
    Outcome outcome = RunTool({"stats", path.string()});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    const std::string frames = "frames                    3  No -2 .. 200; PP1..PP2 coordinates 0 .. 90\n";
    EXPECT_NE(outcome.out.find(frames), std::string::npos) << outcome.out;
    const std::string masses = Joined({"Masses        box masses                2  total declared mass NaN",
                                       "              element group masses      1",
                                       "              tank masses               1",
                                       "              container masses          1  2 rows",
                                       "              assembled masses          2  5 rest entries",
                                       "              top-level assembled       2  Id 6, declared mass -INF",
                                       std::string(43, ' ') + "Id 7 \"Full load\", declared mass INF",
                                       "              masses not finite         3  box 1, assembled 2"});
    EXPECT_NE(outcome.out.find(masses), std::string::npos) << outcome.out;

    outcome = RunTool({"stats", "--json", path.string()});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    const nlohmann::json json = nlohmann::json::parse(outcome.out);
    EXPECT_EQ(json["generalData"]["frameTable"]["numbersIncreasing"], true);
    EXPECT_EQ(json["masses"]["notFinite"], 3);
    EXPECT_EQ(json["masses"]["box"]["totalMass"], "NaN");
    EXPECT_EQ(json["masses"]["box"]["notFinite"], 1);
    EXPECT_EQ(json["masses"]["assembled"]["notFinite"], 2);
    EXPECT_EQ(json["masses"]["assembled"]["topLevel"],
              nlohmann::json::parse(R"([{"id": 6, "title": null, "mass": "-INF"},
                                        {"id": 7, "title": "Full load", "mass": "INF"}])"));
}

TEST_F(Tool, StatsOfABadFilePrintsTheChainOnly) {
    const fs::path bad = File("bad.xml", Edited(kGood, R"(Mould="Aft")", R"(Mould="Astern")"));
    const Outcome outcome = RunTool({"stats", "--json", bad.string()});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(outcome.err,
              Joined({bad.string() + ":2:1: Failed to process the child elements in element [Vantrel]",
                      bad.string() + ":3:3: Failed to process the child elements in element [GeneralData]",
                      bad.string() + ":5:5: Failed to process the child elements in element [FrameTable]",
                      bad.string() + ":6:7: Failed to correctly process the attributes for the element [FrameEntry]",
                      bad.string() + ":6:7: Unknown enumeration value for gdt::CEnumerations::RDirection [Astern]",
                      "hint: the accepted tokens are Forward, Aft"}));
}

// --- sample ------------------------------------------------------------------

TEST_F(Tool, SampleWritesTheBundledDocument) {
    const Outcome outcome = RunTool({"sample"});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, VantrelSample::BuildSampleShip()->ToXml());
    EXPECT_EQ(Canonical(outcome.out), outcome.out);  // reads back to the same text

    const fs::path path = m_dir / "ship.xml";
    EXPECT_EQ(RunTool({"sample", "-o", path.string()}).status, 0);
    EXPECT_EQ(Read(path), outcome.out);
    const Outcome check = RunTool({"check", path.string()});
    EXPECT_EQ(check.status, 0) << check.err;
}

// --- examples ----------------------------------------------------------------

using Examples = ProcessTest;

TEST_F(Examples, BuildWalkAndEditADocument) {
    const fs::path built = m_dir / "built.xml";
    Outcome outcome = RunProgram(VANTREL_BUILD_DOCUMENT_EXE, {built.string()});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(Canonical(Read(built)), Read(built));
    outcome = RunProgram(VANTREL_BUILD_DOCUMENT_EXE, {});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, Read(built));

    outcome = RunProgram(VANTREL_WALK_DOCUMENT_EXE, {built.string()});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    // The rest entries are told apart by class, the selections by branch.
    EXPECT_NE(outcome.out.find("BoxEntry: mass 1 x 1, plain"), std::string::npos) << outcome.out;
    EXPECT_NE(outcome.out.find("TankEntry: mass 2 x 0.9, tank, specific weight 0.85"), std::string::npos);
    EXPECT_NE(outcome.out.find("factor over x/Lpp 0 .. 1"), std::string::npos);
    EXPECT_NE(outcome.out.find("wave amplitude 3.5"), std::string::npos);

    const fs::path edited = m_dir / "edited.xml";
    outcome = RunProgram(VANTREL_EDIT_DOCUMENT_EXE, {built.string(), edited.string()});
    ASSERT_EQ(outcome.status, 0) << outcome.err;

    auto document = VantrelLib::CVantrel::CreateInstance();
    document->FromXmlFile(edited.string());
    auto tanks = document->GetMasses()->GetMassTanks()->GetTankEntry();
    auto assembled = document->GetMasses()->GetMassAssembled()->GetAssembledEntry();
    ASSERT_EQ(tanks->GetCount(), 2);
    ASSERT_EQ(assembled->GetCount(), 2);
    auto tank = tanks->Item(1);
    EXPECT_EQ(tank->GetTitle(), "Ballast water tank");
    EXPECT_EQ(tank->GetInterval()->GetCount(), 1);
    auto ballast = assembled->Item(1);
    EXPECT_EQ(ballast->GetTitle(), "Ballast");
    ASSERT_EQ(ballast->GetTankEntry()->GetCount(), 1);
    EXPECT_EQ(ballast->GetTankEntry()->Item(0)->GetMassId(), tank->GetId());
    EXPECT_NE(tank->GetId(), tanks->Item(0)->GetId());
    EXPECT_NE(ballast->GetId(), assembled->Item(0)->GetId());
    EXPECT_EQ(RunTool({"check", edited.string()}).status, 0);

    // Without an output file the edit replaces its input; a section that is
    // absent is created.
    const fs::path empty = File("empty.xml", kEmpty);
    outcome = RunProgram(VANTREL_EDIT_DOCUMENT_EXE, {empty.string()});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    document->FromXmlFile(empty.string());
    EXPECT_EQ(document->GetMasses()->GetMassTanks()->GetTankEntry()->GetCount(), 1);
    EXPECT_EQ(document->GetMasses()->GetMassAssembled()->GetAssembledEntry()->GetCount(), 1);
}

TEST_F(Examples, ReadFailuresPrintTheChainAndLeaveTheFile) {
    const std::string broken = Edited(kGood, R"(<FrameNoPP2 Coordinate="90"/>)", "");
    const fs::path bad = File("bad.xml", broken);
    const Lines chain = {bad.string() + ":2:1: Failed to process the child elements in element [Vantrel]",
                         bad.string() + ":3:3: Failed to process the child elements in element [GeneralData]",
                         bad.string() + ":5:5: Failed to process the child elements in element [FrameTable]",
                         bad.string() + ":5:5: Failed to find a required element [FrameNoPP2]"};
    for (const char* program : {VANTREL_WALK_DOCUMENT_EXE, VANTREL_EDIT_DOCUMENT_EXE}) {
        const Outcome outcome = RunProgram(program, {bad.string()});
        EXPECT_EQ(outcome.status, 1) << program;
        EXPECT_EQ(outcome.err, Joined(chain)) << program;
    }
    EXPECT_EQ(Read(bad), broken);
    EXPECT_EQ(Listing(), Lines{"bad.xml"});
}

}  // namespace

#endif  // VANTREL_TOOL_EXE
