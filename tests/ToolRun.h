#pragma once
// Running the command-line tool and the example programs as processes, each
// test in a fresh temporary directory of its own.

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace toolrun {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

inline std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// `word` quoted for the shell.
inline std::string Quoted(const fs::path& word) {
    std::string quoted = "'";
    for (const char c : word.string()) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

struct Outcome {
    int status = -1;  // the exit status, -1 when the process died of a signal
    std::string out;
    std::string err;
};

// Commands run in m_dir, which holds only the files the test makes; their
// output is caught beside it.
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
        std::ofstream(m_dir / name, std::ios::binary) << text;
        return m_dir / name;
    }

    // Runs `command` in the shell with standard input from `input`; captures its output and exit status.
    Outcome RunShell(const std::string& command, const fs::path& input = "/dev/null") const {
        const int wait = std::system(("cd " + Quoted(m_dir) + " && { " + command + "; } <" + Quoted(input) + " >" +
                                      Quoted(m_root / "stdout") + " 2>" + Quoted(m_root / "stderr"))
                                         .c_str());
        Outcome outcome;
        if (wait != -1 && WIFEXITED(wait) && WEXITSTATUS(wait) < 128) outcome.status = WEXITSTATUS(wait);
        outcome.out = Read(m_root / "stdout");
        outcome.err = Read(m_root / "stderr");
        return outcome;
    }
    Outcome RunProgram(const std::string& program, const Lines& args, const fs::path& input = "/dev/null") const {
        std::string command = Quoted(program);
        for (const std::string& arg : args) command += " " + Quoted(arg);
        return RunShell(command, input);
    }
#ifdef VANTREL_TOOL_EXE
    Outcome RunTool(const Lines& args, const fs::path& input = "/dev/null") const {
        return RunProgram(VANTREL_TOOL_EXE, args, input);
    }
#endif

    // The names of the files in the working directory.
    Lines Listing() const {
        Lines names;
        for (const auto& entry : fs::directory_iterator(m_dir)) names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path m_root;
    fs::path m_dir;
};

}  // namespace toolrun
