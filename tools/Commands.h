#pragma once
// The subcommands of `vantrel`, each a function of its options and the two
// output streams, returning the process exit status.

#include <ostream>
#include <string>
#include <vector>

#include <VantrelLib/VantrelLib.h>

namespace VantrelTool {

// Exit statuses of every subcommand.
constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;  // a document could not be read or written
constexpr int kExitUsage = 2;    // the command line was wrong

struct CheckOptions {
    std::vector<std::string> files;
};

struct FormatOptions {
    std::string file;
    std::string output = "-";
    bool inPlace = false;
    bool allowDrop = false;  // in place: replace a file whose comments, ... are dropped
    bool force = false;      // in place: replace a read-only file
};

struct StatsOptions {
    std::string file;
    bool json = false;
};

struct LintOptions {
    std::vector<std::string> files;
    bool json = false;
    std::vector<std::string> disabled;  // rule ids
    bool warningsAsErrors = false;
};

// `vantrel masses` reads one file and prints a tree or JSON, as stats does.
using MassesOptions = StatsOptions;

struct SampleOptions {
    std::string output = "-";
};

struct DiffOptions {
    std::string before;
    std::string after;
    bool json = false;
    double tolerance = 0;  // relative, for doubles; 0 compares their bits
};

// Reads every file: one summary line on `out` for each good one, the whole
// chain of messages on `err` for each bad one. 1 when any file is bad.
int RunCheck(const CheckOptions& options, std::ostream& out, std::ostream& err);

// Reads the file and writes it back in the library's form, to `options.output`
// ("-": `out`) or over the file itself. Nothing is written when the file is bad.
// What the document cannot hold (comments, ...) is named in one warning line;
// in place, such a file is left as it is unless `options.allowDrop`, and so is
// a read-only one unless `options.force`.
int RunFormat(const FormatOptions& options, std::ostream& out, std::ostream& err);

// Reads the file and prints its counts and totals, as a table or as JSON.
int RunStats(const StatsOptions& options, std::ostream& out, std::ostream& err);

// Runs the engineering checks on every file: one "FILE:LINE: severity:
// message [rule]" line per finding and a count, or JSON. 1 when any file is
// unreadable or has an error (a warning too, with `warningsAsErrors`).
int RunLint(const LintOptions& options, std::ostream& out, std::ostream& err);

// Prints the loading conditions as a tree of assembled masses, and the count
// and declared total of each kind of mass.
int RunMasses(const MassesOptions& options, std::ostream& out, std::ostream& err);

// Writes `document` to `path` ("-": `out`); a failure is reported on `err` as
// "vantrel COMMAND: message" and gives kExitFailure.
int WriteOrReport(VantrelLib::CVantrel& document, const std::string& path, const char* command, std::ostream& out,
                  std::ostream& err);

// Writes the bundled sample document.
int RunSample(const SampleOptions& options, std::ostream& out, std::ostream& err);

// Prints the differences from one document to another, one line each ("path:
// old -> new") or as JSON. Exit status 0 when they are equal, 1 when they
// differ, 2 when either cannot be read (diff(1)'s convention).
int RunDiff(const DiffOptions& options, std::ostream& out, std::ostream& err);

}  // namespace VantrelTool
