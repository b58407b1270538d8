#pragma once
// What a document holds, counted once and shown three ways: the one line of
// `vantrel check`, the table of `vantrel stats` and its JSON form.

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
    std::optional<Span> frameNumbers;      // "No" of the first and the last frame entry
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

struct MassesSummary {
    int boxMasses = 0;
    double boxMassTotal = 0;
    int elementGroupMasses = 0;
    int tankMasses = 0;
    int containerMasses = 0;
    int containerRows = 0;
    int assembledMasses = 0;
    double assembledMassTotal = 0;
    int restEntries = 0;  // all five lists of every assembled mass
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

// An aligned table of counts and totals, one row per item, grouped by section.
std::string FormatTable(const DocumentSummary& summary);

// The same facts for scripts, keys in the order above; unknown spans and
// absent sections are null.
nlohmann::ordered_json ToJson(const DocumentSummary& summary);

// A number for people: up to twelve significant digits, no trailing zeros.
std::string FormatNumber(double value);

}  // namespace VantrelTool
