#pragma once
// Engineering checks of a whole document, beyond its structure: references
// that name no mass, assembled masses that contain themselves, repeated Ids,
// inverted boxes and ranges, values that are not finite, masses that do not
// add up, frames and positions out of order. Every finding is returned, not
// only the first; the document is only read.
//
//   LtXmlLib3::CSourceLines lines;
//   LtXmlLib3::CReadOptions read;
//   read.sourceLines = &lines;                 // lines are kept only when asked for
//   document->FromXmlFile(path, read);
//   VantrelLib::Analysis::CheckOptions check;
//   check.sourceLines = &lines;
//   for (const auto& finding : VantrelLib::Analysis::CheckDocument(*document, check))
//       std::cout << path << ':' << finding.line << ": " << finding.message << '\n';

#include <string>
#include <string_view>
#include <vector>

#include "VantrelLib/document/Vantrel.h"

namespace VantrelLib {
namespace Analysis {

enum class Severity { Warning, Error };

// "warning", "error".
VANTREL_EXPORT const char* SeverityName(Severity severity) noexcept;

// One rule: its id ("dangling-reference"), its severity and what it finds.
struct RuleInfo {
    const char* id;
    Severity severity;
    const char* finds;
};

// Every rule, in the order of the README's table.
VANTREL_EXPORT const std::vector<RuleInfo>& Rules();
// The rule with this id, or null.
VANTREL_EXPORT const RuleInfo* FindRule(std::string_view id) noexcept;

struct Finding {
    std::string rule;  // a RuleInfo id
    Severity severity = Severity::Error;
    int line = 0;      // of the element's start tag; 0 when unknown
    // The element from below the root, each collection item by its Id where
    // that is one of a kind in its list, else by its place from 1:
    // "Masses/MassAssembled/AssembledEntry[Id=1004]/BoxEntry[3]".
    std::string path;
    std::string message;  // what is wrong, then what was expected
};

struct CheckOptions {
    // The lines of the read the document came from (CReadOptions::sourceLines);
    // without them every finding's line is 0.
    const LtXmlLib3::CSourceLines* sourceLines = nullptr;
    // Ids of rules not to run.
    std::vector<std::string> disabled;
};

// Every finding in `document`: in line order where lines are known, else in
// the order the document is walked. Ends on any tree (a cycle of assembled
// masses is reported once, not followed).
VANTREL_EXPORT std::vector<Finding> CheckDocument(const CVantrel& document, const CheckOptions& options = CheckOptions());

}  // namespace Analysis
}  // namespace VantrelLib
