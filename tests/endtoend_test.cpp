// Whole documents, end to end: the bundled sample text byte for byte, a
// document holding every class and optional value through a file, faults deep
// in a document with their whole chain and positions, the root's own reading,
// and the sample summary client run as a process.

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include <VantrelLib/VantrelLib.h>

#include "RandomTree.h"
#include "SampleShip.h"
#include "TestSupport.h"
#include "TreeCompare.h"

namespace {

using namespace VantrelLib;
using LtXmlLib3::CLtException;
using LtXmlLib3::CSmartPtr;
using testsupport::AttributesOf;
using testsupport::ChildrenOf;

const std::string kSamplePath = std::string(VANTREL_SOURCE_DIR) + "/examples/ship.xml";

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in.good()) << "cannot open " << path;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// A scratch file in the build tree, named after the running test.
std::string ScratchPath(const std::string& suffix) {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    return std::string(VANTREL_BINARY_DIR) + "/endtoend_" + test->test_suite_name() + "_" + test->name() + suffix;
}

// The sample without the one occurrence of `part`.
std::string SampleWithout(const std::string& part) {
    std::string text = ReadText(kSamplePath);
    const std::size_t at = text.find(part);
    EXPECT_TRUE(at != std::string::npos && text.find(part, at + 1) == std::string::npos) << part;
    return at == std::string::npos ? text : text.erase(at, part.size());
}

// A fault deep in the sample: the attribute removed, and each level of the
// chain (outermost first) as "line:column: message" of the element it is about.
struct FaultCase {
    const char* removed;
    std::vector<std::string> levels;
};
const FaultCase kFaults[] = {
    {" y=\"12600\"",  // of the maxima at the sixth longitudinal position
     {"2:1: " + ChildrenOf("Vantrel"), "64:3: " + ChildrenOf("LoadcaseData"), "74:5: " + ChildrenOf("LoadEnvelopes"),
      "95:7: " + ChildrenOf("LongitudinalPosition"), "97:9: " + AttributesOf("MaxForces"),
      "97:9: Failed to find the required Attribute [y]"}},
    {" to=\"0.95\"",  // of a range of a factor selection
     {"2:1: " + ChildrenOf("Vantrel"), "291:3: " + ChildrenOf("Hydrodynamic"), "292:5: " + ChildrenOf("MassDistribution"),
      "297:7: " + ChildrenOf("Select"), "310:9: " + ChildrenOf("SelectEntry"), "311:11: " + ChildrenOf("Factor"),
      "313:13: " + AttributesOf("RangeXLpp"), "313:13: Failed to find the required Attribute [to]"}},
    {" SpecificWeight=\"2.3\"",  // of a rest entry typed as a tank entry
     {"2:1: " + ChildrenOf("Vantrel"), "105:3: " + ChildrenOf("Masses"), "248:5: " + ChildrenOf("MassAssembled"),
      "249:7: " + ChildrenOf("AssembledEntry"), "256:9: " + AttributesOf("BoxEntry"),
      "256:9: Failed to find the required Attribute [SpecificWeight]"}},
};

std::string Expected(const FaultCase& fault, const std::string& path) {
    std::string text;
    for (const std::string& level : fault.levels) text += path + ":" + level + "\n";
    return text;
}

}  // namespace

TEST(EndToEndSample, IsWrittenAgainByteForByteAndThroughAFile) {
    const std::string text = ReadText(kSamplePath);
    ASSERT_FALSE(text.empty());
    CSmartPtr<CVantrel> ship = CVantrel::CreateInstance();
    ship->FromXml(text);
    EXPECT_EQ(ship->ToXml(), text);
    const CSmartPtr<CVantrel> built = VantrelSample::BuildSampleShip();
    EXPECT_EQ(built->ToXml(), text) << "examples/ship.xml and BuildSampleShip() have drifted apart";

    const std::string path = ScratchPath(".xml");
    ship->ToXmlFile(path);
    EXPECT_EQ(ReadText(path), text);
    CSmartPtr<CVantrel> again = CVantrel::CreateInstance();
    again->FromXmlFile(path);
    std::remove(path.c_str());
    EXPECT_TRUE(treecompare::Equal(*built, *again));
}

TEST(EndToEndFullDocument, EveryClassAndValueSurvivesAFile) {
    randomtree::Options full;
    full.full = true;
    const std::string path = ScratchPath(".xml");
    for (std::uint64_t seed = 1; seed <= 3; ++seed) {
        const CSmartPtr<CVantrel> built = randomtree::RandomVantrel(seed, full);
        built->ToXmlFile(path);
        CSmartPtr<CVantrel> read = CVantrel::CreateInstance();
        read->FromXmlFile(path);
        EXPECT_EQ(ReadText(path), built->ToXml());
        treecompare::TreeComparer comparer(treecompare::TreeComparer::Mode::SourceComplete);
        comparer.Compare(*built, *read);
        EXPECT_EQ(comparer.Mismatches(), std::vector<std::string>());
        EXPECT_EQ(comparer.ClassesSeen(), treecompare::AllClassNames());
    }
    std::remove(path.c_str());
}

// Every level of the chain is a validation fault carrying the position of its
// element, whether the text comes from memory or from a file.
TEST(EndToEndFaults, ADeepFaultReachesTheCallerWithItsWholeChainAndPositions) {
    const std::string path = ScratchPath(".xml");
    for (const FaultCase& fault : kFaults) {
        SCOPED_TRACE(fault.removed);
        const std::string document = SampleWithout(fault.removed);
        std::ofstream(path, std::ios::binary) << document;
        for (const bool fromFile : {false, true}) {
            CSmartPtr<CVantrel> root = CVantrel::CreateInstance();
            try {
                fromFile ? root->FromXmlFile(path) : root->FromXml(document);
                ADD_FAILURE() << "no exception";
            } catch (const CLtException& error) {
                for (const CLtException* level = &error; level != nullptr; level = level->GetInnerException())
                    EXPECT_NE(dynamic_cast<const LtXmlLib3::CLtValidationException*>(level), nullptr) << level->what();
                EXPECT_EQ(error.FormatChain(fromFile ? path : "doc"), Expected(fault, fromFile ? path : "doc"));
            }
        }
    }
    std::remove(path.c_str());
}

TEST(EndToEndRoot, AReadReplacesEverythingTheRootHeld) {
    randomtree::Options full;
    full.full = true;
    CSmartPtr<CVantrel> root = randomtree::RandomVantrel(1, full);
    const std::string small = "<Vantrel schemaVersion=\"2\"><Hydrodynamic/></Vantrel>";
    root->FromXml(small);
    CSmartPtr<CVantrel> fresh = CVantrel::CreateInstance();
    fresh->FromXml(small);
    EXPECT_TRUE(treecompare::Equal(*fresh, *root));
    EXPECT_EQ(root->ToXml(), fresh->ToXml());

    root = randomtree::RandomVantrel(2, full);
    root->FromXml(ReadText(kSamplePath));
    EXPECT_EQ(root->ToXml(), ReadText(kSamplePath));
}

TEST(EndToEndRoot, ADocumentElementOfAnyNameIsReadAndWrittenUnderIt) {
    std::string text = ReadText(kSamplePath);
    text.replace(text.rfind("</Vantrel>"), 10, "</ShipData>");
    text.replace(text.find("<Vantrel "), 8, "<ShipData");
    CSmartPtr<CVantrel> root = CVantrel::CreateInstance();
    root->FromXml(text);
    EXPECT_EQ(root->GetElementName(), "ShipData");
    EXPECT_EQ(root->ToXml(), text);
}

// Trees share nothing: threads each reading and writing their own trees, and
// failing part-way, all get the document back exactly.
TEST(EndToEndSample, SeparateTreesInSeparateThreads) {
    const std::string text = ReadText(kSamplePath);
    const std::string broken = text.substr(0, text.size() / 2);
    std::vector<int> failures(4, 0);
    std::vector<std::thread> threads;
    for (int& failed : failures) {
        threads.emplace_back([&] {
            for (int round = 0; round < 20; ++round) {
                CSmartPtr<CVantrel> ship = CVantrel::CreateInstance();
                ship->FromXml(text);
                failed += ship->ToXml() != text;
                try {
                    CVantrel::CreateInstance()->FromXml(broken);
                    ++failed;
                } catch (const CLtException&) {
                }
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(failures, std::vector<int>(4, 0));
}

// The summary client (examples/ship_summary.cpp) on the sample, and on a
// faulty document: the chain with positions and a failing status.
TEST(EndToEndSummary, SummarisesTheSampleAndReportsFaults) {
#ifdef VANTREL_SHIP_SUMMARY_EXE
    const std::string program = VANTREL_SHIP_SUMMARY_EXE;
#else
    const std::string program = std::string(VANTREL_BINARY_DIR) + "/examples/ship_summary";
#endif
    if (!std::ifstream(program).good()) GTEST_SKIP() << "ship_summary is not built";
    const std::string faulty = ScratchPath(".xml"), errors = ScratchPath(".err");
    std::ofstream(faulty, std::ios::binary) << SampleWithout(kFaults[0].removed);
    const auto run = [&](const std::string& path) {
        std::pair<int, std::string> outcome{-1, ""};
        if (std::FILE* pipe = popen(("'" + program + "' '" + path + "' 2>'" + errors + "'").c_str(), "r")) {
            char buffer[512];
            while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) outcome.second += buffer;
            const int status = pclose(pipe);
            outcome.first = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        return outcome;
    };
    EXPECT_EQ(run(kSamplePath), std::make_pair(0, kSamplePath + " (schema version 1.0)\n"
                                                                "GeneralData: present\n"
                                                                "  principal dimensions: present\n"
                                                                "  general constants:    present\n"
                                                                "  attached files:       4\n"
                                                                "  frames:               47\n"
                                                                "LoadcaseData: present\n"
                                                                "  load cases:           1 base + 5 unit\n"
                                                                "  envelope positions:   7\n"
                                                                "Masses: present\n"
                                                                "  box masses:           6\n"
                                                                "  element groups:       3\n"
                                                                "  tanks:                5\n"
                                                                "  container blocks:     5 (20 rows)\n"
                                                                "  assembled masses:     5\n"
                                                                "Hydrodynamic: present\n"
                                                                "  data sets:            2\n"));
    EXPECT_EQ(ReadText(errors), "");
    EXPECT_EQ(run(faulty), std::make_pair(1, std::string()));
    EXPECT_EQ(ReadText(errors), Expected(kFaults[0], faulty));
    std::remove(faulty.c_str());
    std::remove(errors.c_str());
}
