#include "CommandLine.h"

#include <map>

#include <CLI/CLI.hpp>

#include "Commands.h"
#include "JsonCommands.h"
#include "Plot.h"

#ifndef VANTREL_VERSION
#error "VANTREL_VERSION must be defined by the build"
#endif

namespace VantrelTool {

namespace {

constexpr const char* kExitStatusFooter =
    "Exit status: 0 success, 1 a document could not be read or written, 2 usage error.";

}  // namespace

int RunCommandLine(int argc, char** argv, std::ostream& out, std::ostream& err) {
    CLI::App app{"Checks, formats and summarises Vantrel documents (a ship's load and mass data).", "vantrel"};
    app.set_version_flag("--version", "vantrel " VANTREL_VERSION);
    app.require_subcommand(0, 1);  // none is reported below, so that a stray word is named as such
    app.footer(kExitStatusFooter);
    // "vantrel check: FILE is required", naming the subcommand that was being parsed.
    app.failure_message([](const CLI::App* parsed, const CLI::Error& error) {
        std::string command = parsed->get_name();
        for (const CLI::App* subcommand : parsed->get_subcommands()) command += " " + subcommand->get_name();
        return command + ": " + error.what() + "\nRun '" + command + " --help' for more information.\n";
    });

    CheckOptions checkOptions;
    CLI::App* check = app.add_subcommand("check", "Check that documents read: a summary line for each good one, "
                                                  "every message (FILE:LINE: message) for each bad one");
    check->add_option("FILE", checkOptions.files, "Documents to check (- for standard input)")->required();
    check->footer("Only the structure is checked: `vantrel lint` checks references, Ids, boxes, frames and mass "
                  "sums.\nExit status: 0 all files good, 1 any file bad, 2 usage error.");

    LintOptions lintOptions;
    std::string ruleList;
    for (const auto& rule : VantrelLib::Analysis::Rules()) {
        ruleList += std::string("\n  ") + rule.id + " (" + VantrelLib::Analysis::SeverityName(rule.severity) + "): " +
                    rule.finds;
    }
    CLI::App* lint = app.add_subcommand(
        "lint", "Engineering checks: one line FILE:LINE: severity: message [rule] per finding, then a count");
    lint->add_option("FILE", lintOptions.files, "Documents to check (- for standard input)")->required();
    lint->add_flag("--json", lintOptions.json, "Print JSON instead of lines");
    lint->add_option("--disable", lintOptions.disabled, "Do not run this rule (repeatable)")
        ->check([](const std::string& id) {
            return VantrelLib::Analysis::FindRule(id) != nullptr ? std::string() : "no rule is named " + id;
        })
        ->type_name("RULE");
    lint->add_flag("--warnings-as-errors", lintOptions.warningsAsErrors, "Report warnings as errors");
    lint->footer("Rules:" + ruleList +
                 "\nExit status: 0 no error (warnings allowed), 1 an error or an unreadable file, 2 usage error.");

    FormatOptions formatOptions;
    CLI::App* format = app.add_subcommand(
        "format", "Write a document back in the library's canonical form (to standard output by default)");
    format->add_option("FILE", formatOptions.file, "Document to format (- for standard input)")->required();
    CLI::Option* output =
        format->add_option("-o,--output", formatOptions.output, "Write to this file instead of standard output");
    CLI::Option* inPlace = format->add_flag(
        "--in-place", formatOptions.inPlace,
        "Replace FILE itself, only once the whole output is written, by a new file with FILE's mode (other hard "
        "links to FILE keep the old text). Refuses a read-only FILE, and one holding what the document cannot "
        "keep: comments, processing instructions, xsi: attributes");
    output->excludes(inPlace);
    format->add_flag("--allow-drop", formatOptions.allowDrop,
                     "With --in-place: replace FILE even though comments, processing instructions or xsi: "
                     "attributes are dropped")
        ->needs(inPlace);
    format->add_flag("--force", formatOptions.force, "With --in-place: replace FILE even when it is read-only")
        ->needs(inPlace);
    format->footer(kExitStatusFooter);

    // One file read, printed as text or as JSON.
    auto report = [&app](const char* name, const char* description, StatsOptions& options, const char* as) {
        CLI::App* command = app.add_subcommand(name, description);
        command->add_option("FILE", options.file, "Document to read (- for standard input)")->required();
        command->add_flag("--json", options.json, std::string("Print JSON instead of ") + as);
        command->footer(kExitStatusFooter);
        return command;
    };
    StatsOptions statsOptions;
    CLI::App* stats =
        report("stats", "Print the counts and totals of a document per section, as a table or as JSON", statsOptions,
               "a table");
    MassesOptions massesOptions;
    CLI::App* masses = report(
        "masses", "Print the loading conditions as a tree of assembled masses, and the masses of each kind",
        massesOptions, "a tree");

    SampleOptions sampleOptions;
    CLI::App* sample = app.add_subcommand("sample", "Write the bundled sample document (to standard output by default)");
    sample->add_option("-o,--output", sampleOptions.output, "Write to this file instead of standard output");
    sample->footer(kExitStatusFooter);

    DiffOptions diffOptions;
    CLI::App* diff = app.add_subcommand(
        "diff", "Print the differences between two documents, one line each: list items with an identity (Id, "
                "MassId, LoadcaseId, XPosition, No) are matched by it, so a reordering shows as moves");
    diff->add_option("A", diffOptions.before, "The document before (- for standard input)")->required();
    diff->add_option("B", diffOptions.after, "The document after (- for standard input)")->required();
    diff->add_flag("--json", diffOptions.json, "Print a JSON array of {path, kind, old, new} instead of lines");
    diff->add_option("--tolerance", diffOptions.tolerance,
                     "Treat doubles as equal when they differ by at most REL times the larger (default: their bits "
                     "must be equal; NaN always equals NaN)")
        ->type_name("REL")
        ->check(CLI::NonNegativeNumber);
    diff->footer("Exit status: 0 equal, 1 different, 2 a document could not be read or a usage error.");

    ConvertOptions convertOptions;
    CLI::App* convert = app.add_subcommand(
        "convert", "Convert a document between XML and JSON (the form of FILE by its extension or its first "
                   "character; the other form, or that of OUTPUT's extension, unless --to says)");
    convert->add_option("FILE", convertOptions.input, "Document to convert (- for standard input)")->required();
    convert->add_option("-o,--output", convertOptions.output, "Write to this file instead of standard output");
    convert->add_option("--to", convertOptions.to, "The form to write")->check(CLI::IsMember({"json", "xml"}));
    convert->add_flag("--compact", convertOptions.compact, "JSON on one line instead of indented");
    convert->footer(kExitStatusFooter);

    JsonSchemaOptions jsonSchemaOptions;
    CLI::App* jsonSchema = app.add_subcommand(
        "json-schema", "Write the JSON Schema of the JSON form of a document, made from the class declarations");
    jsonSchema->add_option("-o,--output", jsonSchemaOptions.output, "Write to this file instead of standard output");
    jsonSchema->footer(kExitStatusFooter);

    PlotOptions plotOptions;
    CLI::App* plot = app.add_subcommand(
        "plot", "Draw a picture of a document as SVG: the load envelopes, the masses in side view, or the weight "
                "curve of the box masses");
    plot->add_option("FILE", plotOptions.file, "Document to draw (- for standard input)")->required();
    const std::map<std::string, PlotKind> plotKinds{
        {"envelopes", PlotKind::Envelopes}, {"masses", PlotKind::Masses}, {"weight", PlotKind::Weight}};
    std::string plotKind;
    plot->add_option("--kind", plotKind, "What to draw")->required()->check(CLI::IsMember(plotKinds))->type_name("KIND");
    plot->add_option("-o,--output", plotOptions.output, "Write to this file instead of standard output");
    plot->add_option("--data", plotOptions.data, "Also write the numbers plotted to this CSV file")->type_name("CSV");
    plot->footer(kExitStatusFooter);

    ReportOptions reportOptions;
    CLI::App* reportCommand = app.add_subcommand(
        "report", "Write one HTML page: the summary, the loading conditions, the findings of the checks and the "
                  "three pictures");
    reportCommand->add_option("FILE", reportOptions.file, "Document to report on (- for standard input)")->required();
    reportCommand->add_option("-o,--output", reportOptions.output, "Write to this file instead of standard output");
    reportCommand->footer(kExitStatusFooter);

    try {
        app.parse(argc, argv);
        if (app.get_subcommands().empty()) throw CLI::RequiredError("A subcommand");
    } catch (const CLI::ParseError& error) {
        // Help and version are "errors" of exit code 0, printed on `out`.
        return app.exit(error, out, err) == 0 ? kExitOk : kExitUsage;
    }

    if (app.got_subcommand(check)) return RunCheck(checkOptions, out, err);
    if (app.got_subcommand(lint)) return RunLint(lintOptions, out, err);
    if (app.got_subcommand(masses)) return RunMasses(massesOptions, out, err);
    if (app.got_subcommand(format)) return RunFormat(formatOptions, out, err);
    if (app.got_subcommand(stats)) return RunStats(statsOptions, out, err);
    if (app.got_subcommand(sample)) return RunSample(sampleOptions, out, err);
    if (app.got_subcommand(diff)) return RunDiff(diffOptions, out, err);
    if (app.got_subcommand(convert)) return RunConvert(convertOptions, out, err);
    if (app.got_subcommand(jsonSchema)) return RunJsonSchema(jsonSchemaOptions, out, err);
    if (app.got_subcommand(plot)) {
        plotOptions.kind = plotKinds.at(plotKind);
        return RunPlot(plotOptions, out, err);
    }
    if (app.got_subcommand(reportCommand)) return RunReport(reportOptions, out, err);
    return kExitUsage;  // unreachable: exactly one subcommand was parsed
}

}  // namespace VantrelTool
