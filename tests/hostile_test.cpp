// Hostile and broken input, and writes that fail half-way. Reading must never
// crash, must end in bounded time and memory, and must refuse what is malformed
// or hostile with a clear message; a failed write must leave the target file as
// it was and no temporary file behind.
//
// Each hostile case runs in a forked child under alarm(), so a hang fails the
// case instead of the suite, and the child's peak resident memory is measured
// from its start (the parent's earlier peaks do not hide anything).

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include <VantrelLib/VantrelLib.h>

#include "RandomTree.h"
#include "TestSupport.h"

namespace {

namespace fs = std::filesystem;
using LtXmlLib3::CLtException;
using LtXmlLib3::CReadOptions;
using namespace VantrelLib;

#if defined(__SANITIZE_ADDRESS__)
// AddressSanitizer keeps freed memory in quarantine and adds shadow memory.
constexpr double kMemoryFactor = 10.0;
constexpr unsigned kTimeoutSeconds = 120;
#else
constexpr double kMemoryFactor = 6.0;
constexpr unsigned kTimeoutSeconds = 30;
#endif

// A field of /proc/self/status in KiB ("VmRSS", "VmHWM"), or -1.
long StatusKiB(const char* field) {
    std::ifstream status("/proc/self/status");
    const std::string prefix = std::string(field) + ":";
    for (std::string line; std::getline(status, line);)
        if (line.rfind(prefix, 0) == 0) return std::stol(line.substr(prefix.size()));
    return -1;
}

struct Outcome {
    bool finished = false;  // the child ended normally
    std::string how;        // otherwise: the signal (a timeout is SIGALRM)
    std::string report;     // what the body returned
    double growthMiB = 0;   // peak resident memory above the child's start
    double seconds = 0;
};

// Runs `body` in a child process with a timeout; its result and the child's
// peak memory growth come back through a pipe.
Outcome RunIsolated(const std::function<std::string()>& body) {
    int channel[2];
    if (pipe(channel) != 0) throw std::runtime_error("pipe failed");
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) {
        close(channel[0]);
        alarm(kTimeoutSeconds);
        // Reset the peak to the present size (Linux: "5" clears VmHWM).
        if (FILE* clear = std::fopen("/proc/self/clear_refs", "w")) {
            std::fputs("5", clear);
            std::fclose(clear);
        }
        const long before = StatusKiB("VmRSS");
        std::string report;
        try {
            report = body();
        } catch (const std::exception& error) {
            report = std::string("escaped: ") + error.what();
        }
        const long peak = StatusKiB("VmHWM");
        const std::string message = std::to_string(peak - before) + "\n" + report;
        const char* data = message.data();
        std::size_t left = message.size();
        while (left > 0) {
            const ssize_t written = write(channel[1], data, left);
            if (written <= 0) break;
            data += written;
            left -= static_cast<std::size_t>(written);
        }
        _exit(0);
    }
    close(channel[1]);
    std::string received;
    char buffer[4096];
    for (ssize_t n; (n = read(channel[0], buffer, sizeof buffer)) > 0;)
        received.append(buffer, static_cast<std::size_t>(n));
    close(channel[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    Outcome outcome;
    outcome.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    outcome.finished = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    if (WIFSIGNALED(status)) outcome.how = WTERMSIG(status) == SIGALRM ? "timed out" : strsignal(WTERMSIG(status));
    const std::size_t newline = received.find('\n');
    if (newline != std::string::npos) {
        outcome.growthMiB = std::stod(received.substr(0, newline)) / 1024.0;
        outcome.report = received.substr(newline + 1);
    }
    return outcome;
}

// The library's answer on `text`, read into a document root: "accepted", or
// the chain of messages joined by " | ".
std::string Read(std::string_view text, const CReadOptions& options = CReadOptions()) {
    auto root = CVantrel::CreateInstance();
    try {
        root->FromXml(text, options);
        return "accepted";
    } catch (const CLtException& error) {
        std::string chain;
        for (const std::string& message : testsupport::Chain(error)) chain += (chain.empty() ? "" : " | ") + message;
        return chain;
    }
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// Runs `body` isolated and checks it finished in time with memory growth under
// `maxMiB`; returns the report.
std::string Bounded(const std::function<std::string()>& body, double maxMiB) {
    const Outcome outcome = RunIsolated(body);
    EXPECT_TRUE(outcome.finished) << "the case did not finish: " << outcome.how;
    EXPECT_LT(outcome.growthMiB, maxMiB) << outcome.report.substr(0, 300);
    EXPECT_FALSE(Contains(outcome.report, "escaped:")) << outcome.report;
    return outcome.report;
}

const std::string kRootStart = "<Vantrel schemaVersion=\"1\">";

}  // namespace

// --- Entities, DTDs and external resources ------------------------------------------

TEST(HostileInput, EntityExpansionAndDtdsAreRefused) {
    std::string laughs = "<?xml version=\"1.0\"?>\n<!DOCTYPE Vantrel [\n<!ENTITY l0 \"ha\">\n";
    for (int i = 1; i <= 30; ++i)
        laughs += "<!ENTITY l" + std::to_string(i) + " \"" + [&] {
            std::string refs;
            for (int k = 0; k < 10; ++k) refs += "&l" + std::to_string(i - 1) + ";";
            return refs;
        }() + "\">\n";
    laughs += "]>\n<Vantrel schemaVersion=\"&l30;\"/>";
    const std::string cases[] = {
        laughs,
        "<!DOCTYPE Vantrel [<!ENTITY % p \"<!ENTITY e 'x'>\"> %p;]><Vantrel schemaVersion=\"&e;\"/>",
        "<!DOCTYPE Vantrel SYSTEM \"file:///etc/passwd\"><Vantrel schemaVersion=\"1\"/>",
        "<!DOCTYPE Vantrel PUBLIC \"-//X//Y\" \"http://127.0.0.1:9/x.dtd\"><Vantrel schemaVersion=\"1\"/>",
        "<!DOCTYPE Vantrel [<!ENTITY xxe SYSTEM \"file:///etc/passwd\">]><Vantrel schemaVersion=\"&xxe;\"/>",
        "<!DOCTYPE Vantrel><Vantrel schemaVersion=\"1\"/>",
    };
    for (const std::string& text : cases) {
        SCOPED_TRACE(text.substr(0, 80));
        const std::string report = Bounded([&] { return Read(text); }, 16);
        EXPECT_TRUE(Contains(report, "Malformed XML at line ")) << report;
        EXPECT_TRUE(Contains(report, "Document type declarations (DOCTYPE) are not allowed")) << report;
    }
}

TEST(HostileInput, NothingOutsideTheDocumentIsRead) {
    // An entity reference without a declaration is an error, not a lookup.
    EXPECT_TRUE(Contains(Read(kRootStart + "<GeneralData>&xxe;</GeneralData></Vantrel>"), "undefined entity"));
    // Schema locations and XInclude are not followed: the first is ignored,
    // the second is an element the format does not have.
    EXPECT_EQ(Read("<Vantrel xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
                   "xsi:noNamespaceSchemaLocation=\"http://127.0.0.1:9/Vantrel.xsd\" schemaVersion=\"1\"/>"),
              "accepted");
    EXPECT_EQ(Read(kRootStart + "<xi:include xmlns:xi=\"http://www.w3.org/2001/XInclude\" href=\"/etc/passwd\"/>"
                                "</Vantrel>"),
              testsupport::ChildrenOf("Vantrel") + " | " + testsupport::Unknown("include"));
}

// --- Size: nesting, long values, many attributes, large files ---------------------------

TEST(HostileInput, DeepNestingIsRefusedWithoutRecursion) {
    std::string deep = kRootStart;
    for (int i = 0; i < 100000; ++i) deep += "<GeneralData>";
    for (int i = 0; i < 100000; ++i) deep += "</GeneralData>";
    deep += "</Vantrel>";
    std::string report = Bounded([&] { return Read(deep); }, 64);
    EXPECT_TRUE(Contains(report, "Elements are nested deeper than the limit of 256 levels")) << report;

    // With the limit raised above the depth the reader still reads only as deep
    // as the format goes: the nested section is an unknown element.
    CReadOptions unlimited;
    unlimited.maxDepth = 200000;
    report = Bounded([&] { return Read(deep, unlimited); }, 256);
    EXPECT_EQ(report, testsupport::ChildrenOf("Vantrel") + " | " + testsupport::ChildrenOf("GeneralData") + " | " +
                          testsupport::Unknown("GeneralData"));

    // Deep unknown content inside an item is skipped by the stream, not recursed into.
    std::string inItem = kRootStart + "<Masses><MassBoxes><BoxEntry Id=\"1\" Mass=\"2\">";
    for (int i = 0; i < 100000; ++i) inItem += "<x>";
    for (int i = 0; i < 100000; ++i) inItem += "</x>";
    inItem += "</BoxEntry></MassBoxes></Masses></Vantrel>";
    report = Bounded([&] { return Read(inItem, unlimited); }, 256);
    EXPECT_TRUE(Contains(report, "The collection [Interval] holds 0 item(s), fewer than the minimum of 1")) << report;
}

// A 100 MiB attribute value inside an otherwise valid document is read in
// bounded time, with memory a small multiple of the input.
TEST(HostileInput, HundredMebibyteAttributeValue) {
    constexpr std::size_t kValueBytes = std::size_t{100} << 20;
    const Outcome outcome = RunIsolated([&] {
        std::string text = "<Vantrel schemaVersion=\"";
        text.reserve(kValueBytes + 64);
        text.append(kValueBytes, 'v');
        text += "\"><Masses/></Vantrel>";
        auto root = CVantrel::CreateInstance();
        try {
            root->FromXml(text);
        } catch (const CLtException& error) {
            return std::string("refused: ") + error.what();
        }
        return "read " + std::to_string(root->GetSchemaVersion().size()) + " bytes";
    });
    ASSERT_TRUE(outcome.finished) << outcome.how;
    EXPECT_EQ(outcome.report, "read " + std::to_string(kValueBytes) + " bytes");
    std::printf("[ hostile  ] 100 MiB attribute: %.0f MiB peak growth, %.2f s\n", outcome.growthMiB, outcome.seconds);
    EXPECT_LT(outcome.growthMiB, kMemoryFactor * 100);
}

TEST(HostileInput, HundredThousandAttributesOnOneElement) {
    std::string unknown = "<Vantrel schemaVersion=\"1\"";
    std::string schemaInstance = "<Vantrel xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" schemaVersion=\"1\"";
    std::string declarations = "<Vantrel schemaVersion=\"1\"";
    for (int i = 0; i < 100000; ++i) {
        const std::string n = std::to_string(i);
        unknown += " a" + n + "=\"" + n + "\"";
        schemaInstance += " xsi:a" + n + "=\"" + n + "\"";
        declarations += " xmlns:p" + n + "=\"urn:" + n + "\"";
    }
    unknown += "/>";
    schemaInstance += "/>";
    declarations += "/>";
    // Unknown attributes: refused at the first one.
    std::string report = Bounded([&] { return Read(unknown); }, 256);
    EXPECT_EQ(report, testsupport::AttributesOf("Vantrel") + " | Unexpected Attribute [a0] found.");
    // Schema-instance attributes and namespace declarations are skipped: accepted.
    EXPECT_EQ(Bounded([&] { return Read(schemaInstance); }, 256), "accepted");
    EXPECT_EQ(Bounded([&] { return Read(declarations); }, 256), "accepted");
    // The same attribute twice is malformed, wherever it stands.
    EXPECT_TRUE(Contains(Bounded([&] { return Read(unknown.substr(0, unknown.size() - 2) + " a7=\"x\"/>"); }, 256),
                         "duplicate attribute"));
}

TEST(HostileInput, InvalidUtf8IsRefused) {
    static const char kWithNul[] = "<Vantrel schemaVersion=\"a\0b\"/>";
    const std::string cases[] = {
        "<Vantrel schemaVersion=\"\xff\"/>",                         // not UTF-8 at all
        "<Vantrel schemaVersion=\"\xC0\x80\"/>",                     // overlong NUL
        "<Vantrel schemaVersion=\"\xED\xA0\x80\"/>",                 // a surrogate
        "<Vantrel schemaVersion=\"\xF4\x90\x80\x80\"/>",             // beyond U+10FFFF
        "<Vantrel schemaVersion=\"\xE2\x82\"/>",                     // a sequence cut short
        "<Vantrel schemaVersion=\"1\"><Gener\xE9lData/></Vantrel>",  // in a name
        "<Vantrel schemaVersion=\"1\"><!-- \xfe --></Vantrel>",      // in a comment
        "<Vantrel schemaVersion=\"1\">\x01</Vantrel>",               // a control character
        "<Vantrel schemaVersion=\"&#1;\"/>",                         // ... as a reference
        std::string(kWithNul, sizeof kWithNul - 1),                  // a NUL byte
    };
    for (const std::string& text : cases) {
        SCOPED_TRACE(testing::PrintToString(text));
        const std::string report = Read(text);
        EXPECT_EQ(report.rfind("Malformed XML at line 1, column ", 0), 0u) << report;
        EXPECT_FALSE(Contains(report, " | ")) << report;  // malformed: one message, no element chain
    }
}

// Every prefix of a document is refused as malformed, never accepted or read
// half-way, whatever structural fault the cut makes first.
TEST(HostileInput, TruncatedDocumentsAreRefused) {
    randomtree::Options options;
    options.maxItems = 1;
    options.optionalChance = 0.7;
    const std::string text = randomtree::RandomVantrel(8, options)->ToXml();  // about 2 KB, every section
    ASSERT_EQ(Read(text), "accepted");
    const std::size_t end = text.rfind("</Vantrel>") + std::string("</Vantrel>").size();
    std::size_t refused = 0;
    for (std::size_t length = 0; length < end; ++length) {
        const std::string report = Read(std::string_view(text).substr(0, length));
        if (report.rfind("Malformed XML at line ", 0) == 0 && !Contains(report, " | ")) {
            ++refused;
        } else {
            ADD_FAILURE() << "cut at " << length << ": " << report;
            break;
        }
    }
    EXPECT_EQ(refused, end);
}

class HostileFiles : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "vantrel-hostile-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_dir = pattern;
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(m_dir, ignored);
    }
    static std::string ReadFile(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    // The names in the test directory, sorted.
    std::vector<std::string> Entries() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_dir)) names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    fs::path m_dir;
};

// A 2 GiB (sparse) file over the size limit is refused from its size, before
// anything of it is read; /dev/zero at its first bytes.
TEST_F(HostileFiles, FilesOverTheSizeLimitAreRefusedUnread) {
    const std::string big = (m_dir / "big.xml").string();
    {
        const int fd = open(big.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(ftruncate(fd, off_t{2} << 30), 0);
        close(fd);
    }
    CReadOptions small;
    small.maxInputBytes = 1 << 20;
    const std::string report = Bounded(
        [&] {
            auto root = CVantrel::CreateInstance();
            try {
                root->FromXmlFile(big, small);
                return std::string("accepted");
            } catch (const CLtException& error) {
                return std::string(error.what());
            }
        },
        8);
    EXPECT_EQ(report, "The file [" + big + "] is 2147483648 bytes long, more than the limit of 1048576 bytes");

    const std::string zero = Bounded(
        [&] {
            auto root = CVantrel::CreateInstance();
            try {
                root->FromXmlFile("/dev/zero", small);
                return std::string("accepted");
            } catch (const CLtException& error) {
                return std::string(error.what());
            }
        },
        16);
    // A device is parsed as it is read: refused at its first bytes, long before the limit.
    EXPECT_EQ(zero, "Malformed XML at line 1, column 1: not well-formed (invalid token)");

    // The same limit on text in memory.
    const std::string text(small.maxInputBytes + 1, ' ');
    EXPECT_EQ(Read(text, small), "The document is 1048577 bytes long, more than the limit of 1048576 bytes");
}

// --- Nothing lost when a write fails ------------------------------------------------------

namespace {

const char kOldContent[] = "<old>content that must survive</old>\n";

// A document of `bytes` or more.
LtXmlLib3::CSmartPtr<CVantrel> LargeDocument(std::size_t bytes) {
    auto root = CVantrel::CreateInstance();
    root->SetSchemaVersion(std::string(bytes, 's'));
    return root;
}

}  // namespace

TEST_F(HostileFiles, UnwritableDirectoriesLeaveTheTargetAlone) {
    auto point = gdt::CPoint::CreateInstance();
    // The "directory" is a regular file.
    const fs::path file = m_dir / "plain";
    { std::ofstream(file) << kOldContent; }
    const std::string under = (file / "point.xml").string();
    EXPECT_EQ(testsupport::ChainOf([&] { point->ToXmlFile(under); }),
              std::vector<std::string>{"Failed to create a temporary file for [" + under + "]: Not a directory"});
    EXPECT_EQ(ReadFile(file), kOldContent);
    EXPECT_EQ(Entries(), std::vector<std::string>{"plain"});

    // An existing file in a directory nobody can create files in, not even root.
    const std::string version = ReadFile("/proc/version");
    EXPECT_EQ(testsupport::ChainOf([&] { point->ToXmlFile("/proc/version"); }).size(), 1u);
    EXPECT_EQ(ReadFile("/proc/version"), version);

    // The target is a directory: it stays one.
    fs::create_directory(m_dir / "dir.xml");
    EXPECT_THROW(point->ToXmlFile((m_dir / "dir.xml").string()), CLtException);
    EXPECT_TRUE(fs::is_directory(m_dir / "dir.xml"));
    EXPECT_TRUE(fs::is_empty(m_dir / "dir.xml"));
}

TEST_F(HostileFiles, FullDiskLeavesTheTargetAlone) {
    // A device that is always full.
    auto point = gdt::CPoint::CreateInstance();
    EXPECT_EQ(testsupport::ChainOf([&] { point->ToXmlFile("/dev/full"); }),
              std::vector<std::string>{"Failed to write the file [/dev/full]: No space left on device"});
    for (const auto& entry : fs::directory_iterator("/dev"))
        EXPECT_EQ(entry.path().filename().string().rfind("full.tmp", 0), std::string::npos) << entry.path();

    // A file system that fills up half-way through the temporary file: a file
    // size limit makes write() fail with EFBIG after 4 KiB (SIGXFSZ ignored).
    const fs::path target = m_dir / "ship.xml";
    const fs::path fresh = m_dir / "new.xml";
    { std::ofstream(target) << kOldContent; }
    const std::string report = Bounded(
        [&] {
            signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{4096, 4096};
            setrlimit(RLIMIT_FSIZE, &limit);
            auto document = LargeDocument(64 * 1024);
            std::string result;
            for (const fs::path& path : {target, fresh}) {
                try {
                    document->ToXmlFile(path.string());
                    result += "written; ";
                } catch (const CLtException& error) {
                    result += std::string(error.what()) + "; ";
                }
            }
            return result;
        },
        64);
    EXPECT_EQ(report, "Failed to write the file [" + target.string() + "]: File too large; Failed to write the file [" +
                          fresh.string() + "]: File too large; ");
    EXPECT_EQ(ReadFile(target), kOldContent);
    EXPECT_EQ(Entries(), std::vector<std::string>{"ship.xml"});
}

// A tree that cannot be written fails before the file is touched.
TEST_F(HostileFiles, UnwritableValuesLeaveTheTargetAlone) {
    const fs::path target = m_dir / "ship.xml";
    { std::ofstream(target) << kOldContent; }
    struct Case {
        const char* what;
        std::function<LtXmlLib3::CSmartPtr<CVantrel>()> make;
        std::string innermost;
    };
    const Case cases[] = {
        {"control character",
         [] {
             auto root = CVantrel::CreateInstance();
             root->SetSchemaVersion("1\x01");
             return root;
         },
         "The value of [schemaVersion] cannot be written as XML: byte 0x01 at offset 1 is a control character"},
        {"invalid UTF-8",
         [] {
             auto root = CVantrel::CreateInstance();
             root->SetSchemaVersion("\xC3");
             return root;
         },
         "The value of [schemaVersion] cannot be written as XML: byte 0xC3 at offset 0 is not valid UTF-8 text"},
        {"enumeration out of range",
         [] {
             auto root = CVantrel::CreateInstance();
             auto masses = CMasses::CreateInstance();
             auto container = CMassContainer::CreateInstance();
             auto row = container->GetContainerEntry()->Add()->GetRow()->Add();
             row->SetSymmetry(static_cast<gdt::CEnumerations::RSymmetry>(7));
             masses->SetMassContainer(container);
             root->SetMasses(masses);
             return root;
         },
         "Unknown enumeration value for gdt::CEnumerations::RSymmetry [7]"},
        {"choice not made",
         [] {
             auto root = CVantrel::CreateInstance();
             auto hydrodynamic = CHydrodynamic::CreateInstance();
             hydrodynamic->GetMassDistribution()->Add()->GetSelect()->GetSelectEntry()->Add();
             root->SetHydrodynamic(hydrodynamic);
             return root;
         },
         "This element is a choice, and as such must have at one (and only one) valid item, currently there are "
         "none set"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto document = c.make();
        const auto chain = testsupport::ChainOf([&] { document->ToXmlFile(target.string()); });
        ASSERT_FALSE(chain.empty());
        EXPECT_EQ(chain.front(), testsupport::ConvertOf("Vantrel"));
        EXPECT_EQ(chain.back(), c.innermost);
        EXPECT_EQ(ReadFile(target), kOldContent);
        EXPECT_EQ(Entries(), std::vector<std::string>{"ship.xml"});
    }
}

// Writing through a symbolic link replaces the file it points to; the link stays.
TEST_F(HostileFiles, WritingThroughALinkKeepsTheLink) {
    fs::create_directory(m_dir / "real");
    { std::ofstream(m_dir / "real" / "ship.xml") << kOldContent; }
    fs::create_symlink("real/ship.xml", m_dir / "relative.xml");
    fs::create_symlink(m_dir / "relative.xml", m_dir / "chain.xml");
    fs::create_symlink("real/new.xml", m_dir / "dangling.xml");
    fs::create_symlink("loop-b.xml", m_dir / "loop-a.xml");
    fs::create_symlink("loop-a.xml", m_dir / "loop-b.xml");

    auto point = gdt::CPoint::CreateInstance();
    for (const char* link : {"relative.xml", "chain.xml"}) {
        SCOPED_TRACE(link);
        point->SetX(point->GetX() + 1);
        point->ToXmlFile((m_dir / link).string());
        EXPECT_TRUE(fs::is_symlink(m_dir / link));
        EXPECT_EQ(ReadFile(m_dir / "real" / "ship.xml"), point->ToXml());
    }
    point->ToXmlFile((m_dir / "dangling.xml").string());  // creates the file the link names
    EXPECT_TRUE(fs::is_symlink(m_dir / "dangling.xml"));
    EXPECT_EQ(ReadFile(m_dir / "real" / "new.xml"), point->ToXml());

    const std::string loop = (m_dir / "loop-a.xml").string();
    EXPECT_EQ(testsupport::ChainOf([&] { point->ToXmlFile(loop); }),
              std::vector<std::string>{"Failed to open the file [" + loop + "]: Too many levels of symbolic links"});
    EXPECT_TRUE(fs::is_symlink(m_dir / "loop-a.xml"));
    std::vector<std::string> real;
    for (const auto& entry : fs::directory_iterator(m_dir / "real")) real.push_back(entry.path().filename().string());
    std::sort(real.begin(), real.end());
    EXPECT_EQ(real, (std::vector<std::string>{"new.xml", "ship.xml"}));
}
