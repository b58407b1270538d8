// Hostile and broken input, and files. Reading must never crash, must end in
// bounded time and memory, and must refuse what is malformed or hostile with a
// clear message; a failed write must leave the target file as it was and no
// temporary file behind.
//
// Each hostile case runs in a forked child under alarm(), so a hang fails the
// case instead of the suite, and the child's peak resident memory is measured
// from its start (the parent's earlier peaks do not hide anything).

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include <VantrelLib/VantrelLib.h>

#include "RandomTree.h"
#include "ToolRun.h"
#include "TestSupport.h"

namespace {

namespace fs = std::filesystem;
using LtXmlLib3::CLtException;
using LtXmlLib3::CReadOptions;
using testsupport::ChainOf;
using VantrelLib::CVantrel;

#if defined(__SANITIZE_ADDRESS__)
constexpr double kMemoryFactor = 10.0;  // freed memory in quarantine, shadow memory
#else
constexpr double kMemoryFactor = 6.0;
#endif
constexpr unsigned kTimeoutSeconds = 120;

// A field of /proc/self/status in KiB ("VmRSS", "VmHWM"), or -1.
long StatusKiB(const char* field) {
    std::ifstream status("/proc/self/status");
    const std::string prefix = std::string(field) + ":";
    for (std::string line; std::getline(status, line);)
        if (line.rfind(prefix, 0) == 0) return std::stol(line.substr(prefix.size()));
    return -1;
}

// Runs `body` in a child process with a timeout and checks that it finished
// with its peak memory growth under `maxMiB`; returns what the body returned.
std::string Bounded(const std::function<std::string()>& body, double maxMiB) {
    constexpr std::size_t kRoom = 1 << 16;  // for the report, shared with the child
    auto* shared = static_cast<char*>(mmap(nullptr, kRoom, PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0));
    const pid_t pid = fork();
    if (pid == 0) {
        alarm(kTimeoutSeconds);
        std::ofstream("/proc/self/clear_refs") << "5";  // resets the peak (VmHWM) to the present size
        const long before = StatusKiB("VmRSS");
        std::string report;
        try {
            report = body();
        } catch (const std::exception& error) {
            report = std::string("escaped: ") + error.what();
        }
        std::snprintf(shared, kRoom, "%ld\n%s", StatusKiB("VmHWM") - before, report.c_str());
        _exit(0);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << "the case did not finish: " << (WIFSIGNALED(status) ? strsignal(WTERMSIG(status)) : "");
    const std::string received(shared);
    munmap(shared, kRoom);
    const std::size_t newline = received.find('\n');
    const std::string report = received.substr(newline + 1);
    EXPECT_LT(std::stod(received.substr(0, newline)) / 1024.0, maxMiB) << report.substr(0, 300);
    EXPECT_EQ(report.find("escaped:"), std::string::npos) << report;
    return report;
}

// The library's answer on `text`, read into a document root: "accepted", or
// the chain of messages joined by " | ".
std::string Read(std::string_view text, const CReadOptions& options = CReadOptions()) {
    try {
        CVantrel::CreateInstance()->FromXml(text, options);
        return "accepted";
    } catch (const CLtException& error) {
        std::string chain;
        for (const std::string& message : testsupport::Chain(error)) chain += (chain.empty() ? "" : " | ") + message;
        return chain;
    }
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

const std::string kRootStart = "<Vantrel schemaVersion=\"1\">";

}  // namespace

// Malformed XML, DTDs (entity expansion, external entities) and text that is
// not UTF-8 are refused as malformed: one message, no element chain.
TEST(HostileInput, MalformedTextIsRefusedAsSuch) {
    std::string laughs = "<!DOCTYPE Vantrel [\n<!ENTITY l0 \"ha\">\n";
    for (int i = 1; i <= 30; ++i) {
        laughs += "<!ENTITY l" + std::to_string(i) + " \"";
        for (int k = 0; k < 10; ++k) laughs += "&l" + std::to_string(i - 1) + ";";
        laughs += "\">\n";
    }
    laughs += "]>\n<Vantrel schemaVersion=\"&l30;\"/>";
    const std::string dtd = "Document type declarations (DOCTYPE) are not allowed";
    static const char kWithNul[] = "<Vantrel schemaVersion=\"a\0b\"/>";
    const std::pair<std::string, std::string> cases[] = {
        {laughs, dtd},
        {"<!DOCTYPE Vantrel [<!ENTITY % p \"<!ENTITY e 'x'>\"> %p;]><Vantrel schemaVersion=\"&e;\"/>", dtd},
        {"<!DOCTYPE Vantrel [<!ENTITY xxe SYSTEM \"file:///etc/passwd\">]><Vantrel schemaVersion=\"&xxe;\"/>", dtd},
        {"<!DOCTYPE Vantrel><Vantrel schemaVersion=\"1\"/>", dtd},
        {kRootStart + "<GeneralData>&xxe;</GeneralData></Vantrel>", "undefined entity"},
        {"<Vantrel><b></Vantrel>", "mismatched tag"},
        {"", "no element found"},
        {"<Vantrel schemaVersion=\"\xff\"/>", "invalid token"},
        {"<Vantrel schemaVersion=\"\xC0\x80\"/>", "line 1, column"},          // overlong NUL
        {"<Vantrel schemaVersion=\"1\">\x01</Vantrel>", "line 1, column"},
        {"<Vantrel schemaVersion=\"&#1;\"/>", "line 1, column"},
        {std::string(kWithNul, sizeof kWithNul - 1), "line 1, column"},
    };
    for (const auto& [text, fragment] : cases) {
        SCOPED_TRACE(testing::PrintToString(text.substr(0, 80)));
        const std::string& input = text;  // a lambda cannot capture a structured binding before C++20
        const std::string report = Bounded([&] { return Read(input); }, 16);
        EXPECT_EQ(report.rfind("Malformed XML at line ", 0), 0u) << report;
        EXPECT_TRUE(Contains(report, fragment) && !Contains(report, " | ")) << report;
    }
    // Schema locations and XInclude are not followed: the first is ignored,
    // the second is an element the format does not have.
    EXPECT_EQ(Read("<Vantrel xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
                   "xsi:noNamespaceSchemaLocation=\"http://127.0.0.1:9/Vantrel.xsd\" schemaVersion=\"1\"/>"),
              "accepted");
    EXPECT_EQ(Read(kRootStart + "<xi:include xmlns:xi=\"http://www.w3.org/2001/XInclude\" href=\"/etc/passwd\"/>"
                                "</Vantrel>"),
              testsupport::ChildrenOf("Vantrel") + " | " + testsupport::Unknown("include"));
}

TEST(HostileInput, DeepNestingIsRefusedWithoutRecursion) {
    auto nested = [](std::string text, const std::string& open, const std::string& close, const std::string& end) {
        for (int i = 0; i < 100000; ++i) text += open;
        for (int i = 0; i < 100000; ++i) text += close;
        return text + end;
    };
    const std::string deep = nested(kRootStart, "<GeneralData>", "</GeneralData>", "</Vantrel>");
    std::string report = Bounded([&] { return Read(deep); }, 64);
    EXPECT_TRUE(Contains(report, "Elements are nested deeper than the limit of 256 levels")) << report;
    // With the limit raised the reader still reads only as deep as the format
    // goes: the nested section is an unknown element.
    CReadOptions unlimited;
    unlimited.maxDepth = 200000;
    report = Bounded([&] { return Read(deep, unlimited); }, 256);
    EXPECT_EQ(report, testsupport::ChildrenOf("Vantrel") + " | " + testsupport::ChildrenOf("GeneralData") + " | " +
                          testsupport::Unknown("GeneralData"));
    // Deep unknown content inside an item is skipped by the stream, not recursed into.
    const std::string inItem = nested(kRootStart + "<Masses><MassBoxes><BoxEntry Id=\"1\" Mass=\"2\">", "<x>", "</x>",
                                      "</BoxEntry></MassBoxes></Masses></Vantrel>");
    report = Bounded([&] { return Read(inItem, unlimited); }, 256);
    EXPECT_TRUE(Contains(report, "The collection [Interval] holds 0 item(s), fewer than the minimum of 1")) << report;
}

// A 100 MiB attribute value inside an otherwise valid document is read in
// bounded time, with memory a small multiple of the input.
TEST(HostileInput, HundredMebibyteAttributeValue) {
    constexpr std::size_t kValueBytes = std::size_t{100} << 20;
    const std::string report = Bounded(
        [&] {
            std::string text = "<Vantrel schemaVersion=\"";
            text.reserve(kValueBytes + 64);
            text.append(kValueBytes, 'v');
            text += "\"><Masses/></Vantrel>";
            auto root = CVantrel::CreateInstance();
            root->FromXml(text);
            return "read " + std::to_string(root->GetSchemaVersion().size()) + " bytes";
        },
        kMemoryFactor * 100);
    EXPECT_EQ(report, "read " + std::to_string(kValueBytes) + " bytes");
}

TEST(HostileInput, HundredThousandAttributesOnOneElement) {
    std::string unknown = "<Vantrel schemaVersion=\"1\"";
    std::string schemaInstance = "<Vantrel xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" schemaVersion=\"1\"";
    for (int i = 0; i < 100000; ++i) {
        unknown += " a" + std::to_string(i) + "=\"1\"";
        schemaInstance += " xsi:a" + std::to_string(i) + "=\"1\"";
    }
    // Unknown attributes: refused at the first one. Schema-instance attributes
    // are skipped; the same attribute twice is malformed.
    EXPECT_EQ(Bounded([&] { return Read(unknown + "/>"); }, 256),
              testsupport::AttributesOf("Vantrel") + " | Unexpected Attribute [a0] found.");
    EXPECT_EQ(Bounded([&] { return Read(schemaInstance + "/>"); }, 256), "accepted");
    EXPECT_TRUE(Contains(Bounded([&] { return Read(unknown + " a7=\"x\"/>"); }, 256), "duplicate attribute"));
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
    for (std::size_t length = 0; length < end; ++length) {
        const std::string report = Read(std::string_view(text).substr(0, length));
        ASSERT_TRUE(report.rfind("Malformed XML at line ", 0) == 0 && !Contains(report, " | ")) << length << ": " << report;
    }
}

// Each test in a fresh directory (m_dir) of its own.
class Files : public toolrun::ProcessTest {
protected:
    const std::string m_old = "<old>content that must survive</old>\n";
};
const auto& Contents = toolrun::Read;

// Files written and read many times leave no descriptor open. A pipe, whose
// size is not known in advance, is parsed as it arrives.
TEST_F(Files, WritesAndReadsFilesAndClosesThem) {
    auto point = gdt::CPoint::CreateInstance();
    auto read = gdt::CPoint::CreateInstance();
    const std::string path = (m_dir / "point.xml").string(), pipe = (m_dir / "pipe").string();
    const auto descriptors = [] { return std::distance(fs::directory_iterator("/proc/self/fd"), {}); };
    const auto before = descriptors();
    for (int i = 0; i < 50; ++i) {
        point->SetX(i + 0.5);
        point->ToXmlFile(path);
        EXPECT_EQ(Contents(path), point->ToXml());
        read->FromXmlFile(path);
        EXPECT_EQ(read->GetX(), i + 0.5);
    }
    EXPECT_EQ(descriptors(), before);
    const std::string text = randomtree::RandomVantrel(21)->ToXml();
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    std::thread writer([&] { std::ofstream(pipe, std::ios::binary) << text; });
    auto fromPipe = CVantrel::CreateInstance();
    fromPipe->FromXmlFile(pipe);
    writer.join();
    EXPECT_TRUE(fromPipe->ToXml() == text);
    EXPECT_EQ(Listing(), (std::vector<std::string>{"pipe", "point.xml"}));
}

// A failed read names the file once, by the caller's formatting. A file over
// the size limit is refused from its size, unread; /dev/zero, read as it
// arrives, at its first bytes.
TEST_F(Files, ReadFailuresNameTheFile) {
    const std::string missing = (m_dir / "nope.xml").string(), broken = (m_dir / "broken.xml").string(),
                      big = (m_dir / "big.xml").string();
    { std::ofstream(broken) << "<Point x='1'>\n<oops>\n</Point>"; }
    { std::ofstream create(big); }
    fs::resize_file(big, std::uintmax_t{2} << 30);  // sparse
    CReadOptions small;
    small.maxInputBytes = 1 << 20;
    for (const auto& [file, expected] : std::vector<std::pair<std::string, std::string>>{
             {missing, "Failed to open the file [" + missing + "]: No such file or directory"},
             {broken, "Malformed XML at line 3, column 3: mismatched tag"},
             {big, "The file [" + big + "] is 2147483648 bytes long, more than the limit of 1048576 bytes"},
             {"/dev/zero", "Malformed XML at line 1, column 1: not well-formed (invalid token)"}}) {
        const std::string& path = file;  // a lambda cannot capture a structured binding before C++20
        const std::string report = Bounded(
            [&] {
                try {
                    gdt::CPoint::CreateInstance()->FromXmlFile(path, small);
                    return std::string("accepted");
                } catch (const CLtException& error) {
                    return std::string(error.what());
                }
            },
            16);
        EXPECT_EQ(report, expected);
    }
    try {
        gdt::CPoint::CreateInstance()->FromXmlFile(broken);
    } catch (const CLtException& error) {
        EXPECT_EQ(error.FormatChain(broken), broken + ":3:3: " + error.what() + "\n");
    }
    EXPECT_EQ(Read(std::string(small.maxInputBytes + 1, ' '), small),
              "The document is 1048577 bytes long, more than the limit of 1048576 bytes");
}

// Neither a file that cannot be written nor a tree that cannot be written
// changes the target or leaves a temporary file behind.
TEST_F(Files, FailedWritesLeaveTheTargetAlone) {
    const std::string target = (m_dir / "ship.xml").string(), plain = (m_dir / "plain").string(),
                      missing = (m_dir / "missing" / "p.xml").string(), dir = (m_dir / "dir.xml").string();
    const std::string version = Contents("/proc/version");  // in a directory nobody can create files in
    for (const std::string& file : {target, plain}) std::ofstream(file) << m_old;
    fs::create_directory(dir);
    const std::string cases[][3] = {  // path, value, the innermost message (or its start)
        {missing, "1", "Failed to create a temporary file for [" + missing + "]: No such file or directory"},
        {plain + "/p.xml", "1", "Failed to create a temporary file for [" + plain + "/p.xml]: Not a directory"},
        {"/proc/version", "1", "Failed to create a temporary file for [/proc/version]: "},
        {dir, "1", "Failed to open the file [" + dir + "]: Is a directory"},
        {"/dev/full", "1", "Failed to write the file [/dev/full]: No space left on device"},
        {target, "1\x01", "The value of [schemaVersion] cannot be written as XML: byte 0x01 at offset 1 is a control character"},
        {target, "\xC3", "The value of [schemaVersion] cannot be written as XML: byte 0xC3 at offset 0 is not valid UTF-8 text"}};
    for (const auto& [path, value, innermost] : cases) {
        auto document = CVantrel::CreateInstance();
        document->SetSchemaVersion(value);
        const std::string& file = path;  // a lambda cannot capture a structured binding before C++20
        const auto chain = ChainOf([&] { document->ToXmlFile(file); });
        ASSERT_FALSE(chain.empty());
        EXPECT_EQ(chain.back().rfind(innermost, 0), 0u) << chain.back();
    }
    EXPECT_EQ(Contents(target) + Contents(plain) + Contents("/proc/version"), m_old + m_old + version);
    EXPECT_TRUE(fs::is_empty(dir));
    EXPECT_EQ(Listing(), (std::vector<std::string>{"dir.xml", "plain", "ship.xml"}));
    for (const auto& entry : fs::directory_iterator("/dev"))
        EXPECT_NE(entry.path().filename().string().rfind("full.tmp", 0), 0u) << entry.path();
}

// A file system that fills up half-way through the temporary file: a file size
// limit makes write() fail with EFBIG after 4 KiB (SIGXFSZ ignored).
TEST_F(Files, AFullDiskLeavesTheTargetAlone) {
    const fs::path target = m_dir / "ship.xml", fresh = m_dir / "new.xml";
    std::ofstream(target) << m_old;
    const std::string report = Bounded(
        [&] {
            signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{4096, 4096};
            setrlimit(RLIMIT_FSIZE, &limit);
            auto document = CVantrel::CreateInstance();
            document->SetSchemaVersion(std::string(64 * 1024, 's'));
            std::string result;
            for (const fs::path& path : {target, fresh}) result += ChainOf([&] { document->ToXmlFile(path.string()); }).at(0) + "; ";
            return result;
        },
        64);
    EXPECT_EQ(report, "Failed to write the file [" + target.string() + "]: File too large; Failed to write the file [" +
                          fresh.string() + "]: File too large; ");
    EXPECT_EQ(Contents(target), m_old);
    EXPECT_EQ(Listing(), std::vector<std::string>{"ship.xml"});
}

// Writing through a symbolic link replaces the file it points to; the link stays.
TEST_F(Files, WritingThroughALinkKeepsTheLink) {
    fs::create_directory(m_dir / "real");
    { std::ofstream(m_dir / "real" / "ship.xml") << m_old; }
    fs::create_symlink("real/ship.xml", m_dir / "relative.xml");
    fs::create_symlink(m_dir / "relative.xml", m_dir / "chain.xml");  // absolute, to a link
    fs::create_symlink("real/new.xml", m_dir / "dangling.xml");
    fs::create_symlink("loop-b.xml", m_dir / "loop-a.xml");
    fs::create_symlink("loop-a.xml", m_dir / "loop-b.xml");
    auto point = gdt::CPoint::CreateInstance();
    for (const char* link : {"relative.xml", "chain.xml", "dangling.xml"}) {
        point->SetX(point->GetX() + 1);
        point->ToXmlFile((m_dir / link).string());
        EXPECT_TRUE(fs::is_symlink(m_dir / link)) << link;
        EXPECT_EQ(Contents(m_dir / link), point->ToXml()) << link;
    }
    const std::string loop = (m_dir / "loop-a.xml").string();
    EXPECT_EQ(ChainOf([&] { point->ToXmlFile(loop); }),
              std::vector<std::string>{"Failed to open the file [" + loop + "]: Too many levels of symbolic links"});
    EXPECT_TRUE(fs::is_symlink(m_dir / "loop-a.xml"));
    EXPECT_TRUE(fs::exists(m_dir / "real" / "new.xml"));
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir / "real"), {}), 2);
}
