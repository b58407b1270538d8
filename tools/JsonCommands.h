#pragma once
// The JSON subcommands of `vantrel`: convert between XML and JSON, and write
// the JSON Schema of the mapping.

#include <ostream>
#include <string>

#include "DocumentIo.h"

namespace VantrelTool {

struct ConvertOptions {
    std::string input;
    std::string output = "-";
    std::string to;  // "json" or "xml"; "" to go by the output's extension, else the other form
    bool compact = false;  // JSON on one line
};

struct JsonSchemaOptions {
    std::string output = "-";
};

// Reads `path` ("-": standard input) as XML or JSON: by its extension, else by
// its first character other than whitespace ("{" is JSON); `json` tells which.
// XML counts what it drops in `dropped` (may be null).
ReadResult ReadEitherForm(const std::string& path, LtXmlLib3::CDroppedContent* dropped, bool& json);

// Reads `options.input` (XML or JSON: by its extension, else by its first
// character) and writes it in the other form, or in `options.to`, to
// `options.output` ("-": `out`). Nothing is written when the input is bad.
int RunConvert(const ConvertOptions& options, std::ostream& out, std::ostream& err);

// Writes the JSON Schema of the mapping for a whole document.
int RunJsonSchema(const JsonSchemaOptions& options, std::ostream& out, std::ostream& err);

}  // namespace VantrelTool
