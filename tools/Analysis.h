#pragma once
// The figures `vantrel masses` and `vantrel lint` print, made once for their
// text and for the report's HTML.

#include <string>
#include <vector>

#include <VantrelLib/VantrelLib.h>

namespace VantrelTool {

// One line of the tree of loading conditions: an assembled mass, `depth`
// levels below a loading condition (0).
struct MassTreeLine {
    int depth = 0;
    std::string text;  // "1001 \"Lightship\": mass 8200, parts 8200, CoG (78.4, 0, 9.6)"
};

// Each loading condition with the assembled masses it takes in below it; one
// whose parts were shown already is not expanded again.
std::vector<MassTreeLine> LoadingConditionLines(const VantrelLib::Analysis::MassIndex& index);

// One line per kind of mass: "box: 6, declared 4605".
std::vector<std::string> KindLines(const VantrelLib::Analysis::MassIndex& index);

// "1 error, 2 warnings".
std::string CountLine(int errors, int warnings);

}  // namespace VantrelTool
