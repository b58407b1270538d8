// Whatever reads as a document must write, read back and write again to the
// very same text. A write that fails after a successful read, a written text
// that does not read back, or two writes that differ are findings: each aborts
// with a message saying which.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include <VantrelLib/VantrelLib.h>

namespace {

[[noreturn]] void Fail(const char* what, const std::string& detail) {
    std::fprintf(stderr, "roundtrip_fuzzer: %s\n%s\n", what, detail.c_str());
    std::abort();
}

// The line where two texts first differ, with both versions of it.
std::string FirstDifference(const std::string& a, const std::string& b) {
    const auto mismatch = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
    const std::size_t offset = static_cast<std::size_t>(mismatch.first - a.begin());
    const std::size_t lineStart = a.rfind('\n', offset == 0 ? 0 : offset - 1);
    const std::size_t from = lineStart == std::string::npos ? 0 : lineStart + 1;
    const auto lineOf = [from](const std::string& text) {
        if (from >= text.size()) return std::string("<end of text>");
        return text.substr(from, text.find('\n', from) - from);
    };
    const auto line = std::count(a.begin(), a.begin() + static_cast<std::ptrdiff_t>(from), '\n') + 1;
    return "first difference at byte " + std::to_string(offset) + ", line " + std::to_string(line) +
           "\n  first write:  " + lineOf(a) + "\n  second write: " + lineOf(b);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    auto root = VantrelLib::CVantrel::CreateInstance();
    try {
        root->FromXml(text);
    } catch (const LtXmlLib3::CLtException&) {
        return 0;  // refused: nothing to write
    }

    std::string first;
    try {
        first = root->ToXml();
    } catch (const LtXmlLib3::CLtException& error) {
        Fail("a document that was read cannot be written", error.FormatChain());
    }

    auto again = VantrelLib::CVantrel::CreateInstance();
    try {
        again->FromXml(first);
    } catch (const LtXmlLib3::CLtException& error) {
        Fail("the written document does not read back", error.FormatChain() + "\n--- written:\n" + first);
    }

    std::string second;
    try {
        second = again->ToXml();
    } catch (const LtXmlLib3::CLtException& error) {
        Fail("the document read back cannot be written", error.FormatChain());
    }
    if (second != first) Fail("the two writes differ", FirstDifference(first, second));
    return 0;
}
