// `vantrel report`: one HTML page of what stats, masses and lint print, with the pictures inline.
#include <new>

#include "Analysis.h"
#include "Commands.h"
#include "DocumentIo.h"
#include "Markup.h"
#include "Plot.h"
#include "Summary.h"

namespace VantrelTool {

namespace {

namespace An = VantrelLib::Analysis;

constexpr const char* kStyle =
    "body{font-family:sans-serif;max-width:1040px;margin:2em auto;padding:0 1em;color:#222}"
    "table{border-collapse:collapse;margin:.5em 0}"
    "th,td{border-bottom:1px solid #ddd;padding:.25em .75em;text-align:left;vertical-align:top}"
    "td.count{text-align:right}ul{list-style:none;padding-left:0}li{margin:.15em 0}"
    ".error{color:#b00020}.warning{color:#8a5a00}svg{max-width:100%;height:auto;display:block;margin:1em 0}";

void SummarySection(Markup& html, const DocumentSummary& summary) {
    html.Open("section", {{"id", "summary"}}).Element("h2", {}, "Summary");
    html.Element("p", {}, "schemaVersion \"" + summary.schemaVersion + "\"");
    html.Open("table").Open("tr");
    for (const char* heading : {"Section", "Item", "Count", "Details"}) html.Element("th", {}, heading);
    html.Close();
    std::string section;
    for (const SummaryRow& row : SummaryRows(summary)) {
        html.Open("tr").Element("td", {}, row.section != section ? row.section : "");
        html.Element("td", {}, row.item).Element("td", {{"class", "count"}}, row.count).Element("td", {}, row.detail);
        html.Close();
        section = row.section;
    }
    html.Close().Close();
}

void MassesSection(Markup& html, const An::MassIndex& index) {
    html.Open("section", {{"id", "masses"}}).Element("h2", {}, "Loading conditions");
    const std::vector<MassTreeLine> lines = LoadingConditionLines(index);
    if (lines.empty()) html.Element("p", {}, "No assembled masses.");
    html.Open("ul");
    for (const MassTreeLine& line : lines)
        html.Element("li", {{"style", "margin-left:" + std::to_string(2 * line.depth) + "em"}}, line.text);
    html.Close().Element("h3", {}, "Masses by kind").Open("ul");
    for (const std::string& line : KindLines(index)) html.Element("li", {}, line);
    html.Close().Close();
}

void FindingsSection(Markup& html, const VantrelLib::CVantrel& document, const LtXmlLib3::CSourceLines& lines) {
    html.Open("section", {{"id", "lint"}}).Element("h2", {}, "Findings of the engineering checks");
    An::CheckOptions check;
    check.sourceLines = &lines;
    const std::vector<An::Finding> findings = An::CheckDocument(document, check);
    int errors = 0, warnings = 0;
    if (!findings.empty()) {
        html.Open("table").Open("tr");
        for (const char* heading : {"Line", "Severity", "Message", "Rule"}) html.Element("th", {}, heading);
        html.Close();
        for (const An::Finding& finding : findings) {
            ++(finding.severity == An::Severity::Error ? errors : warnings);
            const char* severity = An::SeverityName(finding.severity);
            html.Open("tr", {{"class", severity}})
                .Element("td", {{"class", "count"}}, finding.line > 0 ? std::to_string(finding.line) : "")
                .Element("td", {}, severity)
                .Element("td", {}, finding.message)
                .Element("td", {}, finding.rule)
                .Close();
        }
        html.Close();
    }
    html.Element("p", {}, CountLine(errors, warnings)).Close();
}

}  // namespace

int RunReport(const ReportOptions& options, std::ostream& out, std::ostream& err) {
    LtXmlLib3::CSourceLines lines;
    const ReadResult read = ReadDocument(options.file, nullptr, &lines);
    if (!read.document) {
        err << read.errors;
        return kExitFailure;
    }
    const std::string name = DisplayName(options.file);
    Markup html;
    try {
        html.Raw("<!DOCTYPE html>\n").Open("html", {{"lang", "en"}}).Open("head");
        html.Empty("meta", {{"charset", "utf-8"}}).Element("title", {}, "Vantrel report: " + name);
        html.Open("style").Raw(kStyle).Close().Close().Open("body");
        html.Element("h1", {}, "Vantrel report: " + name);
        SummarySection(html, Summarize(*read.document));
        MassesSection(html, An::MassIndex(*read.document));
        FindingsSection(html, *read.document, lines);
        html.Open("section", {{"id", "pictures"}}).Element("h2", {}, "Pictures");
        for (const PlotKind kind : {PlotKind::Envelopes, PlotKind::Masses, PlotKind::Weight})
            html.Raw(Draw(*read.document, kind, name).svg);
    } catch (const std::bad_alloc&) {
        err << "vantrel: " << name << ": out of memory\n";
        return kExitFailure;
    }
    if (!WriteText(html.Take(), options.output, "report", out, err)) return kExitFailure;
    return kExitOk;
}

}  // namespace VantrelTool
