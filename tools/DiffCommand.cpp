// vantrel diff: the library's semantic diff of two documents.
#include <new>
#include <string>

#include <nlohmann/json.hpp>

#include "Commands.h"
#include "DocumentIo.h"
#include "JsonCommands.h"

namespace VantrelTool {

namespace {

// A side of the diff: XML or JSON.
ReadResult ReadSide(const std::string& path) {
    bool json = false;
    return ReadEitherForm(path, nullptr, json);
}

void Print(const std::vector<VantrelLib::Diff::Difference>& differences, bool json, std::ostream& out) {
    using VantrelLib::Diff::Kind;
    if (!json) {
        for (const auto& difference : differences) out << VantrelLib::Diff::FormatLine(difference) << '\n';
        return;
    }
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const auto& difference : differences) {
        nlohmann::ordered_json entry{{"path", difference.path}, {"kind", VantrelLib::Diff::KindName(difference.kind)}};
        entry["old"] =
            difference.kind == Kind::Added ? nlohmann::ordered_json() : nlohmann::ordered_json(difference.oldText);
        entry["new"] =
            difference.kind == Kind::Removed ? nlohmann::ordered_json() : nlohmann::ordered_json(difference.newText);
        list.push_back(std::move(entry));
    }
    out << list.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
}

}  // namespace

int RunDiff(const DiffOptions& options, std::ostream& out, std::ostream& err) {
    if (options.before == "-" && options.after == "-") {
        err << "vantrel diff: only one side can be standard input\n";
        return kExitUsage;
    }
    const ReadResult before = ReadSide(options.before);
    const ReadResult after = before.document ? ReadSide(options.after) : ReadResult{};
    if (!before.document || !after.document) {
        err << (before.document ? after.errors : before.errors);
        return kExitUsage;
    }
    try {
        VantrelLib::Diff::Options diffOptions;
        diffOptions.tolerance = options.tolerance;
        const auto differences = VantrelLib::Diff::Compare(*before.document, *after.document, diffOptions);
        Print(differences, options.json, out);
        if (!out.flush()) {
            err << "vantrel: Failed to write to standard output\n";
            return kExitUsage;
        }
        return differences.empty() ? kExitOk : kExitFailure;
    } catch (const LtXmlLib3::CLtException& error) {
        err << "vantrel diff: " << error.FormatChain();
    } catch (const std::bad_alloc&) {
        err << "vantrel diff: out of memory\n";
    }
    return kExitUsage;
}

}  // namespace VantrelTool
