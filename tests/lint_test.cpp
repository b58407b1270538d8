// `vantrel lint` and `vantrel masses`, run as processes: exit statuses, the
// line and JSON forms, the rule switches, the sample's mass tree.

#include <gtest/gtest.h>

#ifdef VANTREL_TOOL_EXE

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace {

namespace fs = std::filesystem;

// A mass that does not add up (a warning, line 3) and, with kDangling, a reference to no mass (an error, line 4).
const std::string kWarning = R"(<Vantrel schemaVersion=""><Masses><MassElementGroups><ElementGroupEntry Id="3" Buoyancy="true"/>
</MassElementGroups><MassAssembled>
<AssembledEntry Id="1" Mass="2"><CoG x="0" y="0"/>
<ElementgroupEntry Value="1" MassId="3"/></AssembledEntry></MassAssembled></Masses></Vantrel>)";
const std::string kDangling = R"(MassId="4")";

struct Outcome {
    int status = -1;
    std::string out, err;
};

class Lint : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "vantrel-lint-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_dir = pattern;
        File("warning.xml", kWarning);
        std::string error = kWarning;
        File("error.xml", error.replace(error.find(R"(MassId="3")"), 10, kDangling));
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string File(const std::string& name, const std::string& text) const {
        std::ofstream(m_dir / name, std::ios::binary) << text;
        return (m_dir / name).string();
    }
    std::string Read(const std::string& name) const {
        std::ifstream in(m_dir / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    Outcome Run(const std::vector<std::string>& args) const {
        std::string command = "cd '" + m_dir.string() + "' && '" VANTREL_TOOL_EXE "'";
        for (const std::string& arg : args) command += " '" + arg + "'";
        const int wait = std::system((command + " >stdout 2>stderr").c_str());
        Outcome outcome;
        if (wait != -1 && WIFEXITED(wait)) outcome.status = WEXITSTATUS(wait);
        outcome.out = Read("stdout");
        outcome.err = Read("stderr");
        return outcome;
    }

    fs::path m_dir;
};

const std::string kSample = VANTREL_SOURCE_DIR "/examples/ship.xml";
const std::string kWarningLine =
    "warning.xml:3: warning: Mass is 2 but the entries' values add up to 1; expected them to agree within 0.1% "
    "[mass-sum-mismatch]\n";

TEST_F(Lint, ExitsByTheWorstFindingAndPrintsOneLineEach) {
    Outcome outcome = Run({"lint", kSample, "warning.xml"});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, kWarningLine + "0 errors, 1 warning\n");
    outcome = Run({"lint", "--warnings-as-errors", "warning.xml"});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.out.substr(0, 22), "warning.xml:3: error: ");
    outcome = Run({"lint", "error.xml"});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.out, "error.xml:3: warning: Mass is 2 but the entries' values add up to 1; expected them to "
                           "agree within 0.1% [mass-sum-mismatch]\n"
                           "error.xml:4: error: ElementgroupEntry names element group mass 4, which does not exist; "
                           "expected the Id of an element group mass [dangling-reference]\n"
                           "1 error, 1 warning\n");
    outcome = Run({"lint", "--disable", "dangling-reference", "--disable", "mass-sum-mismatch", "error.xml"});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, "0 errors, 0 warnings\n");
    outcome = Run({"lint", "missing.xml", "warning.xml"});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.out, kWarningLine + "0 errors, 1 warning\n");  // goes on past the unreadable file
    EXPECT_NE(outcome.err.find("missing.xml: Failed to open the file"), std::string::npos) << outcome.err;
    for (const std::vector<std::string>& usage : {std::vector<std::string>{"lint"}, {"lint", "--disable", "x", "a.xml"}})
        EXPECT_EQ(Run(usage).status, 2) << usage.back();
}

TEST_F(Lint, JsonListsEveryFileWithItsFindings) {
    const Outcome outcome = Run({"lint", "--json", "error.xml", kSample});
    EXPECT_EQ(outcome.status, 1);
    const nlohmann::json json = nlohmann::json::parse(outcome.out);
    ASSERT_EQ(json["files"].size(), 2u);
    EXPECT_EQ(json["files"][0]["file"], "error.xml");
    ASSERT_EQ(json["files"][0]["findings"].size(), 2u);
    EXPECT_EQ(json["files"][0]["findings"][0],
              nlohmann::json::parse(R"({"rule": "mass-sum-mismatch", "severity": "warning", "line": 3,
                "path": "Masses/MassAssembled/AssembledEntry[Id=1]",
                "message": "Mass is 2 but the entries' values add up to 1; expected them to agree within 0.1%"})"));
    EXPECT_EQ(json["files"][1]["findings"], nlohmann::json::array());
}

TEST_F(Lint, MassesPrintsTheLoadingConditionsAsATree) {
    Outcome outcome = Run({"masses", kSample});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, kSample + ": loading conditions\n"
              "  1004 \"Full load departure\": mass 14868, parts 14868, CoG (82.6, 0, 11.1)\n"
              "    1001 \"Lightship\": mass 8200, parts 8200, CoG (78.4, 0, 9.6)\n"
              "    1002 \"Container cargo, 14 t/TEU\": mass 4788, parts 4788, CoG (104.9, 0, 16.2)\n"
              "    1003 \"Tank contents, departure\": mass 1880, parts 1880, CoG (44.6, 0, 4.6)\n"
              "  1005 \"Ballast arrival\": mass 10921, parts 10921, CoG (89.7, 0, 7.6)\n"
              "    1001 \"Lightship\": mass 8200, parts 8200, CoG (78.4, 0, 9.6)\n"
              "    1003 \"Tank contents, departure\": mass 1880, parts 1880, CoG (44.6, 0, 4.6)\n"
              "masses by kind\n  box: 6, declared 4605\n  element group: 3\n  tank: 5\n  container: 5\n"
              "  assembled: 5, declared 40657\n");
    outcome = Run({"masses", "--json", "warning.xml"});
    EXPECT_EQ(nlohmann::json::parse(outcome.out)["loadingConditions"],
              nlohmann::json::parse(R"([{"id": 1, "title": null, "mass": 2, "partsSum": 1,
                                         "cog": {"x": 0, "y": 0, "z": null}, "nested": []}])"));
}

}  // namespace

#endif  // VANTREL_TOOL_EXE
