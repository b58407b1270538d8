// `vantrel lint` and `vantrel masses`: the library's checks and mass index, printed.
#include <cmath>
#include <new>
#include <set>

#include <nlohmann/json.hpp>

#include "Analysis.h"
#include "Commands.h"
#include "DocumentIo.h"
#include "Summary.h"

namespace VantrelTool {

namespace {

namespace An = VantrelLib::Analysis;
using Json = nlohmann::ordered_json;


// A number, or the text of one that JSON has no number for.
Json NumberJson(double value) {
    if (std::isfinite(value)) return value;
    return FormatNumber(value);
}

}  // namespace

int RunLint(const LintOptions& options, std::ostream& out, std::ostream& err) {
    An::CheckOptions check;
    check.disabled = options.disabled;
    int status = kExitOk, errors = 0, warnings = 0;
    Json files = Json::array();
    for (const std::string& file : options.files) {
        LtXmlLib3::CSourceLines lines;
        const ReadResult read = ReadDocument(file, nullptr, &lines);
        Json findings = Json::array();
        if (!read.document) {
            err << read.errors;
            status = kExitFailure;
            files.push_back({{"file", DisplayName(file)}, {"findings", findings}, {"error", read.errors}});
            continue;
        }
        check.sourceLines = &lines;
        try {
            for (An::Finding& finding : An::CheckDocument(*read.document, check)) {
                if (options.warningsAsErrors) finding.severity = An::Severity::Error;
                ++(finding.severity == An::Severity::Error ? errors : warnings);
                const char* severity = An::SeverityName(finding.severity);
                if (options.json)
                    findings.push_back({{"rule", finding.rule},
                                        {"severity", severity},
                                        {"line", finding.line},
                                        {"path", finding.path},
                                        {"message", finding.message}});
                else
                    out << DisplayName(file) << ':' << (finding.line > 0 ? std::to_string(finding.line) + ":" : "")
                        << ' ' << severity << ": " << finding.message << " [" << finding.rule << "]\n";
            }
        } catch (const std::bad_alloc&) {
            err << "vantrel: " << DisplayName(file) << ": out of memory\n";
            status = kExitFailure;
        }
        files.push_back({{"file", DisplayName(file)}, {"findings", findings}});
    }
    if (options.json)
        out << Json{{"files", files}}.dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
    else
        out << CountLine(errors, warnings) << '\n';
    if (errors > 0) status = kExitFailure;
    if (!out.flush()) {
        err << "vantrel: Failed to write to standard output\n";
        return kExitFailure;
    }
    return status;
}

namespace {

// The tree of one loading condition: each assembled mass it takes in, nested
// ones indented. A mass whose parts were shown already is named but not
// expanded again, so that the tree stays as large as the document, and a cycle ends.
class MassTree {
public:
    explicit MassTree(const An::MassIndex& index) : m_index(index) {}

    void Lines(const VantrelLib::CMassAssembledData& mass, int depth, std::vector<MassTreeLine>& lines) {
        lines.push_back({depth, Heading(mass)});
        const auto nested = m_index.Nested(mass);
        if (!nested.empty() && !m_shown.insert(&mass).second) {
            lines.back().text += " (its parts shown above)";
            return;
        }
        for (const auto* part : nested) Lines(*part, depth + 1, lines);
    }

    Json ToJson(const VantrelLib::CMassAssembledData& mass) {
        const auto cog = mass.GetCoG();
        Json json{{"id", mass.GetId()},
                  {"title", mass.IsValidTitle() ? Json(mass.GetTitle()) : Json(nullptr)},
                  {"mass", NumberJson(mass.GetMass())},
                  {"partsSum", NumberJson(m_index.Compose(mass).entriesSum)},
                  {"cog", {{"x", NumberJson(cog->GetX())},
                           {"y", NumberJson(cog->GetY())},
                           {"z", cog->IsValidZ() ? NumberJson(cog->GetZ()) : Json(nullptr)}}}};
        const auto nested = m_index.Nested(mass);
        if (!nested.empty() && !m_shown.insert(&mass).second) {
            json["expanded"] = false;  // shown above
            return json;
        }
        json["nested"] = Json::array();
        for (const auto* part : nested) json["nested"].push_back(ToJson(*part));
        return json;
    }

private:
    std::string Heading(const VantrelLib::CMassAssembledData& mass) const {
        const auto cog = mass.GetCoG();
        return std::to_string(mass.GetId()) + (mass.IsValidTitle() ? " " + Json(mass.GetTitle()).dump() : "") +
               ": mass " + FormatNumber(mass.GetMass()) + ", parts " + FormatNumber(m_index.Compose(mass).entriesSum) +
               ", CoG (" + FormatNumber(cog->GetX()) + ", " + FormatNumber(cog->GetY()) +
               (cog->IsValidZ() ? ", " + FormatNumber(cog->GetZ()) : std::string()) + ")";
    }

    const An::MassIndex& m_index;
    std::set<const VantrelLib::CMassAssembledData*> m_shown;
};

constexpr An::MassKind kKinds[] = {An::MassKind::Box, An::MassKind::ElementGroup, An::MassKind::Tank,
                                   An::MassKind::Container, An::MassKind::Assembled};

}  // namespace

std::vector<MassTreeLine> LoadingConditionLines(const An::MassIndex& index) {
    std::vector<MassTreeLine> lines;
    MassTree tree(index);
    for (const auto* mass : index.LoadingConditions()) tree.Lines(*mass, 0, lines);
    return lines;
}

std::vector<std::string> KindLines(const An::MassIndex& index) {
    std::vector<std::string> lines;
    for (const An::MassKind kind : kKinds) {
        const An::KindTotals totals = index.Totals(kind);
        lines.push_back(std::string(An::KindName(kind)) + ": " + std::to_string(totals.count) +
                        (totals.declaredSum ? ", declared " + FormatNumber(*totals.declaredSum) : std::string()));
    }
    return lines;
}

std::string CountLine(int errors, int warnings) {
    return std::to_string(errors) + (errors == 1 ? " error, " : " errors, ") + std::to_string(warnings) +
           (warnings == 1 ? " warning" : " warnings");
}

int RunMasses(const MassesOptions& options, std::ostream& out, std::ostream& err) {
    const ReadResult read = ReadDocument(options.file);
    if (!read.document) {
        err << read.errors;
        return kExitFailure;
    }
    try {
        const An::MassIndex index(*read.document);
        MassTree tree(index);
        if (options.json) {
            Json conditions = Json::array(), kinds = Json::object();
            for (const auto* mass : index.LoadingConditions()) conditions.push_back(tree.ToJson(*mass));
            for (const An::MassKind kind : kKinds) {
                const An::KindTotals totals = index.Totals(kind);
                Json entry{{"count", totals.count}};
                if (totals.declaredSum) entry["declaredSum"] = NumberJson(*totals.declaredSum);
                kinds[An::KindName(kind)] = entry;
            }
            out << Json{{"file", DisplayName(options.file)}, {"loadingConditions", conditions}, {"kinds", kinds}}.dump(
                       2, ' ', false, Json::error_handler_t::replace)
                << '\n';
        } else {
            out << DisplayName(options.file) << ": loading conditions\n";
            for (const MassTreeLine& line : LoadingConditionLines(index))
                out << std::string(2 * static_cast<std::size_t>(line.depth) + 2, ' ') << line.text << '\n';
            out << "masses by kind\n";
            for (const std::string& line : KindLines(index)) out << "  " << line << '\n';
        }
    } catch (const std::bad_alloc&) {
        err << "vantrel: " << DisplayName(options.file) << ": out of memory\n";
        return kExitFailure;
    }
    if (!out.flush()) {
        err << "vantrel: Failed to write to standard output\n";
        return kExitFailure;
    }
    return kExitOk;
}

}  // namespace VantrelTool
