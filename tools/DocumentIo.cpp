#include "DocumentIo.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <iostream>
#include <memory>
#include <new>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace VantrelTool {

namespace {

constexpr const char* kStandardStream = "-";

}  // namespace

std::string DisplayName(const std::string& path) {
    return path == kStandardStream ? std::string("<stdin>") : path;
}

ReadResult ReadDocument(const std::string& path, LtXmlLib3::CDroppedContent* dropped,
                        LtXmlLib3::CSourceLines* lines) {
    const std::string name = DisplayName(path);
    LtXmlLib3::CReadOptions options;
    options.dropped = dropped;
    options.sourceLines = lines;
    ReadResult result;
    try {
        auto document = VantrelLib::CVantrel::CreateInstance();
        if (path == kStandardStream)
            document->FromXmlStream(std::cin, options);
        else
            document->FromXmlFile(path, options);
        // The root reads any document element; a tool that rewrites files
        // should not turn some other document into a "Vantrel" lookalike.
        if (document->GetElementName() != "Vantrel")
            throw LtXmlLib3::CLtValidationException("The document element is [" + std::string(document->GetElementName()) +
                                                    "], not [Vantrel]");
        result.document = document;
    } catch (const LtXmlLib3::CLtException& error) {
        result.errors = error.FormatChain(name);
        // Where the message alone may mislead, one line more (worked out by the library).
        if (const std::string& hint = error.FindHint(); !hint.empty()) result.errors += "hint: " + hint + "\n";
    } catch (const std::bad_alloc&) {
        result.errors = "vantrel: " + name + ": out of memory while reading the document\n";
    }
    return result;
}

std::string DescribeDropped(const LtXmlLib3::CDroppedContent& dropped) {
    std::string text;
    auto add = [&text](std::uint64_t count, const std::string& one, const std::string& many) {
        if (count == 0) return;
        text += (text.empty() ? "" : ", ") + std::to_string(count) + " " + (count == 1 ? one : many);
    };
    add(dropped.comments, "comment", "comments");
    add(dropped.processingInstructions, "processing instruction", "processing instructions");
    for (const auto& [localName, count] : dropped.schemaInstanceAttributes)
        add(count, "xsi:" + localName + " attribute", "xsi:" + localName + " attributes");
    return text;
}

std::string InPlaceRefusal(const std::string& path, bool force) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::string();
    // access() lets root write anything: the mode bits say whether the file is meant to be written.
    const mode_t writeBits = info.st_uid == ::geteuid() ? S_IWUSR : (S_IWUSR | S_IWGRP | S_IWOTH);
    const bool writable = ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0 && (info.st_mode & writeBits) != 0;
    if (!writable && !force)
        return path + ": the file is read-only, so --in-place leaves it as it is (--force replaces it all the same)";

    // The new text is written beside the file the path leads to, then renamed over it.
    std::unique_ptr<char, decltype(&std::free)> real(::realpath(path.c_str(), nullptr), &std::free);
    if (!real) return std::string();
    std::string directory(real.get());
    directory.erase(std::max<std::size_t>(directory.rfind('/'), 1));
    if (::faccessat(AT_FDCWD, directory.c_str(), W_OK | X_OK, AT_EACCESS) != 0) {
        const std::string reason = std::strerror(errno);
        return path + ": --in-place needs a writable directory, to write the new text beside the file and rename it "
                      "over it, and " + directory + " is not (" + reason + ")";
    }
    return std::string();
}

void WriteDocument(VantrelLib::CVantrel& document, const std::string& path, std::ostream& out) {
    if (path != kStandardStream) {
        document.ToXmlFile(path);
        return;
    }
    const std::string text = document.ToXml();  // all of it, before anything is printed
    out << text;
    out.flush();
    if (!out) throw std::runtime_error("Failed to write to standard output");
}

bool WriteText(const std::string& text, const std::string& path, const char* command, std::ostream& out,
               std::ostream& err) {
    try {
        if (path != "-") {
            LtXmlLib3::WriteTextFile(path, text);
            return true;
        }
        if ((out << text).flush()) return true;
        err << "vantrel " << command << ": " << DisplayName(path) << ": cannot be written\n";
    } catch (const LtXmlLib3::CLtException& error) {
        err << "vantrel " << command << ": " << error.GetMessage() << '\n';
    }
    return false;
}

}  // namespace VantrelTool
