// `vantrel lint` and `vantrel masses`: the library's checks and mass index, printed.
#include <cmath>
#include <new>
#include <set>

#include <nlohmann/json.hpp>

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
        out << errors << (errors == 1 ? " error, " : " errors, ") << warnings << (warnings == 1 ? " warning" : " warnings")
            << '\n';
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

    void Text(const VantrelLib::CMassAssembledData& mass, int depth, std::ostream& out) {
        out << std::string(2 * static_cast<std::size_t>(depth), ' ') << Heading(mass);
        const auto nested = m_index.Nested(mass);
        if (!nested.empty() && !m_shown.insert(&mass).second) {
            out << " (its parts shown above)\n";
            return;
        }
        out << '\n';
        for (const auto* part : nested) Text(*part, depth + 1, out);
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
            for (const auto* mass : index.LoadingConditions()) tree.Text(*mass, 1, out);
            out << "masses by kind\n";
            for (const An::MassKind kind : kKinds) {
                const An::KindTotals totals = index.Totals(kind);
                out << "  " << An::KindName(kind) << ": " << totals.count
                    << (totals.declaredSum ? ", declared " + FormatNumber(*totals.declaredSum) : std::string()) << '\n';
            }
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
