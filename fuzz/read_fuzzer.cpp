// Reads arbitrary bytes as a document. Refusing the input with CLtException
// is an expected outcome; any other exception, a crash, a sanitizer report or
// a leak is a finding.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include <VantrelLib/VantrelLib.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    auto root = VantrelLib::CVantrel::CreateInstance();
    try {
        root->FromXml(text);
    } catch (const LtXmlLib3::CLtException& error) {
        // Every level of a refusal says something.
        for (const LtXmlLib3::CLtException* level = &error; level != nullptr; level = level->GetInnerException()) {
            if (level->GetMessage().empty()) {
                std::fprintf(stderr, "read_fuzzer: an exception of the chain has an empty message:\n%s\n",
                             error.FormatChain().c_str());
                std::abort();
            }
        }
    }
    return 0;
}
