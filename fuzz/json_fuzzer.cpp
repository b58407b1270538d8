// Reads arbitrary bytes as a JSON document. Whatever reads must write as
// JSON, read back and write the very same text again, and go through XML and
// back to that same text too. A write that fails after a successful read, a
// text that does not read back, or two texts that differ are findings: each
// aborts with a message saying which.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include <VantrelLib/VantrelLib.h>

namespace {

[[noreturn]] void Fail(const char* what, const std::string& detail) {
    std::fprintf(stderr, "json_fuzzer: %s\n%s\n", what, detail.c_str());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    LtXmlLib3::CSmartPtr<VantrelLib::CVantrel> root;
    try {
        root = VantrelLib::Json::FromJson<VantrelLib::CVantrel>(text);
    } catch (const LtXmlLib3::CLtException&) {
        return 0;  // refused: nothing to write
    }

    std::string json, xml;
    try {
        json = VantrelLib::Json::ToJson(*root);
        xml = root->ToXml();
    } catch (const LtXmlLib3::CLtException& error) {
        Fail("a document that was read cannot be written", error.FormatChain());
    }

    try {
        const auto again = VantrelLib::Json::FromJson<VantrelLib::CVantrel>(json);
        if (VantrelLib::Json::ToJson(*again) != json) Fail("the JSON written does not read back to the same text", json);
    } catch (const LtXmlLib3::CLtException& error) {
        Fail("the JSON written does not read back", error.FormatChain() + "\n--- written:\n" + json);
    }
    try {
        auto viaXml = VantrelLib::CVantrel::CreateInstance();
        viaXml->FromXml(xml);
        if (VantrelLib::Json::ToJson(*viaXml) != json) Fail("JSON to XML to JSON gives another text", json + "\n---\n" + xml);
    } catch (const LtXmlLib3::CLtException& error) {
        Fail("the XML written does not read back", error.FormatChain() + "\n--- written:\n" + xml);
    }
    return 0;
}
