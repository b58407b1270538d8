#include "DocumentIo.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <sys/stat.h>

namespace VantrelTool {

namespace {

constexpr const char* kStandardStream = "-";

// The whole text of `path`; throws CLtException with the system's reason.
std::string ReadText(const std::string& path, std::uint64_t limit) {
    if (path == kStandardStream) {
        std::string text{std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>()};
        if (std::cin.bad()) throw LtXmlLib3::CLtException("Failed to read standard input");
        return text;
    }
    const auto fail = [](const char* what, int error) {
        throw LtXmlLib3::CLtException(std::string(what) + ": " + std::strerror(error));
    };
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file) fail("Failed to open the file", errno);
    struct stat info {};
    if (::fstat(::fileno(file.get()), &info) != 0) fail("Failed to read the file", errno);
    if (S_ISDIR(info.st_mode)) fail("Failed to read the file", EISDIR);
    if (static_cast<std::uint64_t>(info.st_size) > limit)
        throw LtXmlLib3::CLtException("The file is " + std::to_string(info.st_size) +
                                      " bytes long, more than the limit of " + std::to_string(limit) + " bytes");
    std::string text;
    char buffer[65536];
    std::size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) text.append(buffer, count);
    if (std::ferror(file.get())) fail("Failed to read the file", errno);
    return text;
}

}  // namespace

std::string DisplayName(const std::string& path) {
    return path == kStandardStream ? std::string("<stdin>") : path;
}

ReadResult ReadDocument(const std::string& path) {
    const std::string name = DisplayName(path);
    const LtXmlLib3::CReadOptions options;
    ReadResult result;
    try {
        const std::string text = ReadText(path, options.maxInputBytes);
        auto document = VantrelLib::CVantrel::CreateInstance();
        document->FromXml(text, options);
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
    }
    return result;
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

}  // namespace VantrelTool
