#include "Summary.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sstream>

namespace VantrelTool {

namespace {

using LtXmlLib3::CSmartPtr;

// Widens `span` (or starts it) to take in `value`. A NaN has no place in an
// order, so it leaves the span as it was.
void Extend(std::optional<Span>& span, double value) {
    if (std::isnan(value)) return;
    if (!span)
        span = Span{value, value};
    else
        span = Span{std::min(span->from, value), std::max(span->to, value)};
}

template <class Collection>
int CountOf(const CSmartPtr<Collection>& collection) {
    return collection ? collection->GetCount() : 0;
}

GeneralDataSummary SummarizeGeneralData(const VantrelLib::CGeneralData& data) {
    GeneralDataSummary summary;
    summary.principalDimension = data.GetPrincipalDimension() != nullptr;
    summary.generalConstants = data.GetGeneralConstants() != nullptr;
    if (const auto files = data.GetAttachedFiles()) {
        summary.attachedFiles = (files->GetFrameTable() ? 1 : 0) + (files->GetFiniteElement() ? 1 : 0) +
                                (files->GetHullformDescription() ? 1 : 0) +
                                (files->GetFiniteElementExport() ? 1 : 0);
    }
    if (const auto table = data.GetFrameTable()) {
        summary.frameTable = true;
        std::optional<double> previous;
        for (const auto& entry : *table->GetFrameEntry()) {
            ++summary.frames;
            const double number = entry->GetNo();
            Extend(summary.frameNumbers, number);
            // Written so that a NaN on either side breaks the order too.
            if (previous && !(*previous < number)) summary.framesIncreasing = false;
            previous = number;
        }
        const auto pp1 = table->GetFrameNoPP1();
        const auto pp2 = table->GetFrameNoPP2();
        if (pp1->IsValidCoordinate() && pp2->IsValidCoordinate())
            summary.frameCoordinates = Span{pp1->GetCoordinate(), pp2->GetCoordinate()};
    }
    return summary;
}

LoadcaseDataSummary SummarizeLoadcaseData(const VantrelLib::CLoadcaseData& data) {
    LoadcaseDataSummary summary;
    if (const auto input = data.GetLoadcaseInput()) {
        summary.loadcaseInput = true;
        summary.unitLoadCases = CountOf(input->GetUnitLoadCase());
    }
    if (const auto envelopes = data.GetLoadEnvelopes()) {
        summary.loadEnvelopes = true;
        for (const auto& position : *envelopes->GetLongitudinalPosition()) {
            ++summary.positions;
            Extend(summary.xPositions, position->GetXPosition());
        }
    }
    return summary;
}

MassesSummary SummarizeMasses(const VantrelLib::CMasses& masses) {
    namespace An = VantrelLib::Analysis;
    const An::MassIndex index(&masses);
    MassesSummary summary;
    const An::KindTotals boxes = index.Totals(An::MassKind::Box), assembled = index.Totals(An::MassKind::Assembled);
    summary.boxMasses = boxes.count;
    summary.boxMassTotal = boxes.declaredSum.value_or(0);
    summary.boxMassesNotFinite = boxes.notFinite;
    summary.elementGroupMasses = index.Totals(An::MassKind::ElementGroup).count;
    summary.tankMasses = index.Totals(An::MassKind::Tank).count;
    summary.containerMasses = index.Totals(An::MassKind::Container).count;
    for (const auto* container : index.Containers()) summary.containerRows += CountOf(container->GetRow());
    summary.assembledMasses = assembled.count;
    summary.assembledMassesNotFinite = assembled.notFinite;
    for (const auto* mass : index.Assembled())
        summary.restEntries += static_cast<int>(An::RestEntriesOf(*mass).size());
    for (const auto* mass : index.LoadingConditions())
        summary.topLevelAssembled.push_back(
            {mass->GetId(), mass->IsValidTitle() ? std::optional<std::string>(mass->GetTitle()) : std::nullopt,
             mass->GetMass()});
    return summary;
}

HydrodynamicSummary SummarizeHydrodynamic(const VantrelLib::CHydrodynamic& hydrodynamic) {
    HydrodynamicSummary summary;
    for (const auto& dataSet : *hydrodynamic.GetMassDistribution()) {
        ++summary.dataSets;
        summary.scanBlocks += CountOf(dataSet->GetScan()->GetScanBlock());
        for (const auto& select : *dataSet->GetSelect()->GetSelectEntry()) {
            ++summary.selectEntries;
            const std::string branch = select->GetChoiceSelectedElement();
            if (branch == "Factor") ++summary.factorSelections;
            if (branch == "Wave") ++summary.waveSelections;
        }
    }
    return summary;
}

std::string Plural(int count, const std::string& one, const std::string& many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

std::string SpanText(const std::optional<Span>& span) {
    return span ? FormatNumber(span->from) + " .. " + FormatNumber(span->to) : std::string("unknown");
}

// A number, or the text of one that JSON has no number for.
nlohmann::ordered_json NumberJson(double value) {
    if (std::isfinite(value)) return value;
    return FormatNumber(value);
}

nlohmann::ordered_json SpanJson(const std::optional<Span>& span) {
    if (!span) return nullptr;
    return {{"from", NumberJson(span->from)}, {"to", NumberJson(span->to)}};
}

// `text` in double quotes, with quotes and control characters escaped so
// that a title cannot break the table's lines.
std::string Quoted(const std::string& text) {
    return nlohmann::ordered_json(text).dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

}  // namespace

std::vector<SummaryRow> SummaryRows(const DocumentSummary& summary) {
    std::vector<SummaryRow> rows;
    auto add = [&rows](const std::string& section, const std::string& item, const std::string& count,
                       const std::string& detail = std::string()) {
        rows.push_back({section, item, count, detail});
    };
    auto n = [](int value) { return std::to_string(value); };

    if (const auto& general = summary.generalData) {
        add("GeneralData", "principal dimensions", general->principalDimension ? "yes" : "no");
        add("GeneralData", "general constants", general->generalConstants ? "yes" : "no");
        add("GeneralData", "attached files", n(general->attachedFiles));
        if (general->frameTable)
            add("GeneralData", "frames", n(general->frames),
                "No " + SpanText(general->frameNumbers) +
                    (general->framesIncreasing ? "" : ", not in increasing order") + "; PP1..PP2 coordinates " +
                    SpanText(general->frameCoordinates));
        else
            add("GeneralData", "frames", "-", "no frame table");
    } else {
        add("GeneralData", "absent", "-");
    }

    if (const auto& loadcases = summary.loadcaseData) {
        add("LoadcaseData", "load cases", n(loadcases->LoadCases()),
            loadcases->loadcaseInput ? "base 1, unit " + n(loadcases->unitLoadCases) : "no load case input");
        add("LoadcaseData", "positions", n(loadcases->positions),
            loadcases->loadEnvelopes ? "XPosition " + SpanText(loadcases->xPositions) : "no load envelopes");
    } else {
        add("LoadcaseData", "absent", "-");
    }

    if (const auto& masses = summary.masses) {
        add("Masses", "box masses", n(masses->boxMasses),
            "total declared mass " + FormatNumber(masses->boxMassTotal));
        add("Masses", "element group masses", n(masses->elementGroupMasses));
        add("Masses", "tank masses", n(masses->tankMasses));
        add("Masses", "container masses", n(masses->containerMasses), Plural(masses->containerRows, "row", "rows"));
        add("Masses", "assembled masses", n(masses->assembledMasses),
            Plural(masses->restEntries, "rest entry", "rest entries"));
        auto described = [](const TopLevelAssembledMass& mass) {
            return "Id " + std::to_string(mass.id) + (mass.title ? " " + Quoted(*mass.title) : std::string()) +
                   ", declared mass " + FormatNumber(mass.mass);
        };
        const auto& topLevel = masses->topLevelAssembled;
        add("Masses", "top-level assembled", n(static_cast<int>(topLevel.size())),
            topLevel.empty() ? std::string() : described(topLevel.front()));
        for (std::size_t i = 1; i < topLevel.size(); ++i) add("Masses", "", "", described(topLevel[i]));
        if (masses->NotFinite() > 0)
            add("Masses", "masses not finite", n(masses->NotFinite()),
                "box " + n(masses->boxMassesNotFinite) + ", assembled " + n(masses->assembledMassesNotFinite));
    } else {
        add("Masses", "absent", "-");
    }

    if (const auto& hydrodynamic = summary.hydrodynamic) {
        add("Hydrodynamic", "data sets", n(hydrodynamic->dataSets));
        add("Hydrodynamic", "scan blocks", n(hydrodynamic->scanBlocks));
        add("Hydrodynamic", "select entries", n(hydrodynamic->selectEntries),
            "factor " + n(hydrodynamic->factorSelections) + ", wave " + n(hydrodynamic->waveSelections));
    } else {
        add("Hydrodynamic", "absent", "-");
    }
    return rows;
}

std::vector<std::string> DocumentSummary::Sections() const {
    std::vector<std::string> names;
    if (generalData) names.push_back("GeneralData");
    if (loadcaseData) names.push_back("LoadcaseData");
    if (masses) names.push_back("Masses");
    if (hydrodynamic) names.push_back("Hydrodynamic");
    return names;
}

DocumentSummary Summarize(const VantrelLib::CVantrel& document) {
    DocumentSummary summary;
    summary.schemaVersion = document.GetSchemaVersion();
    if (const auto general = document.GetGeneralData()) summary.generalData = SummarizeGeneralData(*general);
    if (const auto loadcases = document.GetLoadcaseData()) summary.loadcaseData = SummarizeLoadcaseData(*loadcases);
    if (const auto masses = document.GetMasses()) summary.masses = SummarizeMasses(*masses);
    if (const auto hydrodynamic = document.GetHydrodynamic())
        summary.hydrodynamic = SummarizeHydrodynamic(*hydrodynamic);
    return summary;
}

std::string FormatNumber(double value) {
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
    char text[64];
    std::snprintf(text, sizeof text, "%.12g", value);
    return text;
}

std::string FormatLine(const DocumentSummary& summary) {
    std::ostringstream line;
    const auto sections = summary.Sections();
    line << "sections ";
    if (sections.empty()) line << "none";
    for (std::size_t i = 0; i < sections.size(); ++i) line << (i ? ", " : "") << sections[i];

    const MassesSummary masses = summary.masses.value_or(MassesSummary{});
    line << "; " << Plural(summary.Frames(), "frame", "frames") << ", "
         << Plural(summary.LoadCases(), "load case", "load cases") << ", "
         << Plural(summary.Positions(), "position", "positions") << "; masses: " << masses.boxMasses << " box, "
         << masses.elementGroupMasses << " element group, " << masses.tankMasses << " tank, "
         << masses.containerMasses << " container, " << masses.assembledMasses << " assembled; "
         << Plural(summary.DataSets(), "data set", "data sets");
    return line.str();
}

std::string FormatTable(const DocumentSummary& summary) {
    const std::vector<SummaryRow> rows = SummaryRows(summary);
    const SummaryRow heading{"Section", "Item", "Count", "Details"};
    std::size_t sectionWidth = heading.section.size(), itemWidth = heading.item.size(),
                countWidth = heading.count.size();
    for (const SummaryRow& row : rows) {
        sectionWidth = std::max(sectionWidth, row.section.size());
        itemWidth = std::max(itemWidth, row.item.size());
        countWidth = std::max(countWidth, row.count.size());
    }

    std::ostringstream table;
    table << "schemaVersion \"" << summary.schemaVersion << "\"\n";
    auto print = [&](const SummaryRow& row, bool showSection) {
        std::string line = showSection ? row.section : std::string();
        line.resize(sectionWidth + 2, ' ');
        line += row.item;
        line.resize(sectionWidth + 2 + itemWidth + 2, ' ');
        line += std::string(countWidth - row.count.size(), ' ') + row.count;  // counts align right
        if (!row.detail.empty()) line += "  " + row.detail;
        table << line << '\n';
    };
    print(heading, true);
    // The section name stands on its first row only.
    for (std::size_t i = 0; i < rows.size(); ++i) print(rows[i], i == 0 || rows[i - 1].section != rows[i].section);
    return table.str();
}

nlohmann::ordered_json ToJson(const DocumentSummary& summary) {
    nlohmann::ordered_json json;
    json["schemaVersion"] = summary.schemaVersion;
    json["sections"] = summary.Sections();

    json["generalData"] = nullptr;
    if (const auto& general = summary.generalData) {
        nlohmann::ordered_json frameTable = nullptr;
        if (general->frameTable)
            frameTable = {{"frames", general->frames},
                          {"frameNumbers", SpanJson(general->frameNumbers)},
                          {"numbersIncreasing", general->framesIncreasing},
                          {"coordinates", SpanJson(general->frameCoordinates)}};
        json["generalData"] = {{"principalDimension", general->principalDimension},
                               {"generalConstants", general->generalConstants},
                               {"attachedFiles", general->attachedFiles},
                               {"frameTable", frameTable}};
    }

    json["loadcaseData"] = nullptr;
    if (const auto& loadcases = summary.loadcaseData)
        json["loadcaseData"] = {{"loadCases", loadcases->LoadCases()},
                                {"baseLoadCase", loadcases->loadcaseInput},
                                {"unitLoadCases", loadcases->unitLoadCases},
                                {"positions", loadcases->positions},
                                {"xPositions", SpanJson(loadcases->xPositions)}};

    json["masses"] = nullptr;
    if (const auto& masses = summary.masses) {
        nlohmann::ordered_json topLevel = nlohmann::ordered_json::array();
        for (const TopLevelAssembledMass& mass : masses->topLevelAssembled)
            topLevel.push_back({{"id", mass.id},
                                {"title", mass.title ? nlohmann::ordered_json(*mass.title) : nullptr},
                                {"mass", NumberJson(mass.mass)}});
        json["masses"] = {
            {"box",
             {{"count", masses->boxMasses},
              {"totalMass", NumberJson(masses->boxMassTotal)},
              {"notFinite", masses->boxMassesNotFinite}}},
            {"elementGroup", {{"count", masses->elementGroupMasses}}},
            {"tank", {{"count", masses->tankMasses}}},
            {"container", {{"count", masses->containerMasses}, {"rows", masses->containerRows}}},
            {"assembled",
             {{"count", masses->assembledMasses},
              {"restEntries", masses->restEntries},
              {"notFinite", masses->assembledMassesNotFinite},
              {"topLevel", topLevel}}},
            {"notFinite", masses->NotFinite()}};
    }

    json["hydrodynamic"] = nullptr;
    if (const auto& hydrodynamic = summary.hydrodynamic)
        json["hydrodynamic"] = {{"dataSets", hydrodynamic->dataSets},
                                {"scanBlocks", hydrodynamic->scanBlocks},
                                {"selectEntries", hydrodynamic->selectEntries},
                                {"factorSelections", hydrodynamic->factorSelections},
                                {"waveSelections", hydrodynamic->waveSelections}};
    return json;
}

}  // namespace VantrelTool
