#include "CommandLine.h"

#include <CLI/CLI.hpp>

#include "Commands.h"
#include "JsonCommands.h"

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
    check->footer("Exit status: 0 all files good, 1 any file bad, 2 usage error.");

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

    StatsOptions statsOptions;
    CLI::App* stats = app.add_subcommand(
        "stats", "Print the counts and totals of a document per section, as a table or as JSON");
    stats->add_option("FILE", statsOptions.file, "Document to summarise (- for standard input)")->required();
    stats->add_flag("--json", statsOptions.json, "Print JSON instead of a table");
    stats->footer(kExitStatusFooter);

    SampleOptions sampleOptions;
    CLI::App* sample = app.add_subcommand("sample", "Write the bundled sample document (to standard output by default)");
    sample->add_option("-o,--output", sampleOptions.output, "Write to this file instead of standard output");
    sample->footer(kExitStatusFooter);

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

    try {
        app.parse(argc, argv);
        if (app.get_subcommands().empty()) throw CLI::RequiredError("A subcommand");
    } catch (const CLI::ParseError& error) {
        // Help and version are "errors" of exit code 0, printed on `out`.
        return app.exit(error, out, err) == 0 ? kExitOk : kExitUsage;
    }

    if (app.got_subcommand(check)) return RunCheck(checkOptions, out, err);
    if (app.got_subcommand(format)) return RunFormat(formatOptions, out, err);
    if (app.got_subcommand(stats)) return RunStats(statsOptions, out, err);
    if (app.got_subcommand(sample)) return RunSample(sampleOptions, out, err);
    if (app.got_subcommand(convert)) return RunConvert(convertOptions, out, err);
    if (app.got_subcommand(jsonSchema)) return RunJsonSchema(jsonSchemaOptions, out, err);
    return kExitUsage;  // unreachable: exactly one subcommand was parsed
}

}  // namespace VantrelTool
