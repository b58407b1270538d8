#pragma once
// Reading and writing whole documents for the subcommands. The path "-"
// stands for standard input or output.

#include <ostream>
#include <string>

#include <VantrelLib/VantrelLib.h>

namespace VantrelTool {

// The name a path goes by in messages ("<stdin>" for "-").
std::string DisplayName(const std::string& path);

// A document read from a file, or why it could not be read.
struct ReadResult {
    LtXmlLib3::CSmartPtr<VantrelLib::CVantrel> document;  // null when the read failed
    // The whole chain of messages, outermost first, one "FILE:LINE: message"
    // line each (the line is left out where it is unknown), then a "hint: ..."
    // line where the library has one. Empty on success.
    std::string errors;
};

// Reads `path` into a new document; standard input and other pipes are parsed
// as they arrive. Every fault of the file or of the document (unreadable,
// malformed, not a "Vantrel" document, structurally wrong, out of memory) is
// reported in the result, never thrown. `dropped`, when given, receives the
// counts of what the document cannot hold (comments, ...); `lines`, the line
// of each element read.
ReadResult ReadDocument(const std::string& path, LtXmlLib3::CDroppedContent* dropped = nullptr,
                        LtXmlLib3::CSourceLines* lines = nullptr);

// What was dropped, for people: "3 comments, 1 processing instruction,
// 1 xsi:schemaLocation attribute"; empty when nothing was.
std::string DescribeDropped(const LtXmlLib3::CDroppedContent& dropped);

// Why `path` may not be replaced in place, as a message naming it; empty when
// it may (or when it cannot be looked at: the read reports that). A file its
// user may not write is refused unless `force`, even for root, who may write
// any file; a file in a directory its user may not write is always refused,
// since the new text is written beside it and renamed over it.
std::string InPlaceRefusal(const std::string& path, bool force);

// Writes `document` in the library's form to `path`, or to `out` for "-". A
// file is replaced only once the whole document is written. Throws
// LtXmlLib3::CLtException when the tree cannot be written or the file cannot
// be replaced, std::runtime_error when `out` fails.
void WriteDocument(VantrelLib::CVantrel& document, const std::string& path, std::ostream& out);

// Writes `text` to `path` ("-": `out`), a file replaced only once all is
// written; false, with "vantrel COMMAND: " and why on `err`, when it cannot.
bool WriteText(const std::string& text, const std::string& path, const char* command, std::ostream& out,
               std::ostream& err);

}  // namespace VantrelTool
