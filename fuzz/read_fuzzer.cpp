// Reads arbitrary bytes as a document, with the parser on the calling thread
// and on a thread of its own. Refusing the input with CLtException is an
// expected outcome; any other exception, a crash, a sanitizer report, a leak,
// or the two reads coming to different outcomes is a finding.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include <VantrelLib/VantrelLib.h>

namespace {

// The outcome of reading `text`: the tree written out again, or the refusal.
std::string Outcome(std::string_view text, const LtXmlLib3::CReadOptions& options) {
    auto root = VantrelLib::CVantrel::CreateInstance();
    try {
        root->FromXml(text, options);
    } catch (const LtXmlLib3::CLtException& error) {
        // Every level of a refusal says something.
        for (const LtXmlLib3::CLtException* level = &error; level != nullptr; level = level->GetInnerException()) {
            if (level->GetMessage().empty()) {
                std::fprintf(stderr, "read_fuzzer: an exception of the chain has an empty message:\n%s\n",
                             error.FormatChain().c_str());
                std::abort();
            }
        }
        return "refused: " + error.FormatChain();
    }
    try {
        return root->ToXml();
    } catch (const LtXmlLib3::CLtException& error) {
        return "read, not written: " + error.FormatChain();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string alone = Outcome(text, LtXmlLib3::CReadOptions());
    // The parser on a thread of its own must come to the same outcome.
    LtXmlLib3::CReadOptions threaded;
    threaded.parseOnThreadFromBytes = 0;
    if (Outcome(text, threaded) != alone) {
        std::fprintf(stderr, "read_fuzzer: the parser thread reads otherwise:\n%s\n", alone.c_str());
        std::abort();
    }
    return 0;
}
