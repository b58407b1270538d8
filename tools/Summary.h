#pragma once
// What a document holds, counted once and shown three ways: the one line of
// `vantrel check`, the table of `vantrel stats` and its JSON form.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include <VantrelLib/VantrelLib.h>

namespace VantrelTool {

// A closed interval of numbers, as found in the document.
struct Span {
    double from = 0;
    double to = 0;
};

struct GeneralDataSummary {
    bool principalDimension = false;
    bool generalConstants = false;
    int attachedFiles = 0;  // files set in "AttachedFiles" (0 to 4)
    bool frameTable = false;
    int frames = 0;
    std::optional<Span> frameNumbers;      // smallest and largest "No" (a NaN takes no part)
    bool framesIncreasing = true;          // each "No" greater than the one before it
    std::optional<Span> frameCoordinates;  // "Coordinate" of "FrameNoPP1" and "FrameNoPP2", when both are set
};

struct LoadcaseDataSummary {
    bool loadcaseInput = false;
    int unitLoadCases = 0;
    bool loadEnvelopes = false;
    int positions = 0;
    std::optional<Span> xPositions;  // smallest and largest "XPosition"

    // The base load case (when there is an input) and the unit load cases.
    int LoadCases() const { return (loadcaseInput ? 1 : 0) + unitLoadCases; }
};

// An assembled mass that no other one takes in through its "AssembledEntry" list.
struct TopLevelAssembledMass {
    std::int64_t id = 0;
    std::optional<std::string> title;
    double mass = 0;  // as declared, not the sum of its parts
};

// Only box and assembled masses declare a mass; element groups, tanks and
// containers get theirs elsewhere, so they are counted only.
struct MassesSummary {
    int boxMasses = 0;
    double boxMassTotal = 0;  // the sum of the declared masses
    int boxMassesNotFinite = 0;
    int elementGroupMasses = 0;
    int tankMasses = 0;
    int containerMasses = 0;
    int containerRows = 0;
    int assembledMasses = 0;
    int assembledMassesNotFinite = 0;
    int restEntries = 0;  // all five lists of every assembled mass
    // Assembled masses contain one another, so their masses are never summed:
    // the top-level ones are listed instead, in document order.
    std::vector<TopLevelAssembledMass> topLevelAssembled;

    // Declared masses that are NaN or infinite, of any kind.
    int NotFinite() const { return boxMassesNotFinite + assembledMassesNotFinite; }
};

struct HydrodynamicSummary {
    int dataSets = 0;
    int scanBlocks = 0;
    int selectEntries = 0;
    int factorSelections = 0;
    int waveSelections = 0;
};

struct DocumentSummary {
    std::string schemaVersion;
    std::optional<GeneralDataSummary> generalData;  // empty when the section is absent
    std::optional<LoadcaseDataSummary> loadcaseData;
    std::optional<MassesSummary> masses;
    std::optional<HydrodynamicSummary> hydrodynamic;

    // The names of the sections present, in document order.
    std::vector<std::string> Sections() const;
    int Frames() const { return generalData ? generalData->frames : 0; }
    int LoadCases() const { return loadcaseData ? loadcaseData->LoadCases() : 0; }
    int Positions() const { return loadcaseData ? loadcaseData->positions : 0; }
    int DataSets() const { return hydrodynamic ? hydrodynamic->dataSets : 0; }
};

// Counts what `document` holds. Never throws for a tree that was read or built
// through the library.
DocumentSummary Summarize(const VantrelLib::CVantrel& document);

// One line: sections present, then the counts, e.g.
// "sections GeneralData, Masses; 3 frames, 0 load cases, ...".
std::string FormatLine(const DocumentSummary& summary);

// One row of the stats table: an item of a section, its count and details.
struct SummaryRow {
    std::string section;
    std::string item;
    std::string count;
    std::string detail;
};

// The rows of the table, grouped by section, every section named (absent ones too).
std::vector<SummaryRow> SummaryRows(const DocumentSummary& summary);

// An aligned table of counts and totals, one row per item, grouped by section.
std::string FormatTable(const DocumentSummary& summary);

// The same facts for scripts, keys in the order above; unknown spans and
// absent sections are null, numbers that are not finite the strings "NaN",
// "INF" and "-INF".
nlohmann::ordered_json ToJson(const DocumentSummary& summary);

// A number for people: up to twelve significant digits, no trailing zeros;
// "NaN", "INF" and "-INF" for the values that are not finite.
std::string FormatNumber(double value);

}  // namespace VantrelTool
