// Inputs found by fuzzing (fuzz/), kept as regression tests.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <VantrelLib/VantrelLib.h>

#include "TestSupport.h"

namespace {

using VantrelLib::CVantrel;
using Chain = std::vector<std::string>;

// A document of `latin1` (one byte a character) as ISO-8859-1, or as UTF-16LE
// with a byte order mark, each with a declaration line.
std::string Latin1(const std::string& text) { return "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n" + text; }
std::string Utf16(const std::string& latin1) {
    std::string out = "\xFF\xFE";
    for (char c : "<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n" + latin1) out += {c, '\0'};
    return out;
}
// A Latin-1 byte as UTF-8.
std::string Utf8(unsigned char c) { return {static_cast<char>(0xC0 | (c >> 6)), static_cast<char>(0x80 | (c & 0x3F))}; }

// Expat takes U+00AA, U+00B5 and U+00BA for name characters in ISO-8859-1 and
// UTF-16 documents, though XML does not: a document element so named was read,
// then written as UTF-8 that no parser reads back. The reader refuses them;
// the Latin-1 letters that are name characters still read and round-trip.
TEST(FuzzFindings, LatinLettersAreNameCharactersOnlyWhereXmlSaysSo) {
    for (const unsigned char letter : {0xAA, 0xB5, 0xBA}) {
        SCOPED_TRACE(static_cast<int>(letter));
        const std::string root = std::string("V") + static_cast<char>(letter);
        const std::string element = "<" + root + " schemaVersion=\"1\"/>";
        const std::string message = "The element name [V" + Utf8(letter) + "] is not a valid XML name";
        for (const std::string& text : {Latin1(element), Utf16(element)})
            EXPECT_EQ(testsupport::ReadFailure<CVantrel>(text), Chain{"Malformed XML at line 2, column 1: " + message});
        // Below the document element too, before any structural fault.
        const std::string below = Latin1("<Vantrel schemaVersion=\"1\">\n  <" + root + "/>\n</Vantrel>");
        EXPECT_EQ(testsupport::ReadFailure<CVantrel>(below), Chain{"Malformed XML at line 3, column 3: " + message});
    }
    for (const unsigned char letter : {0xB7, 0xC0, 0xD8, 0xFF}) {
        SCOPED_TRACE(static_cast<int>(letter));
        const std::string element = std::string("<V") + static_cast<char>(letter) + " schemaVersion=\"1\"/>";
        for (const std::string& text : {Latin1(element), Utf16(element)}) {
            auto document = CVantrel::CreateInstance();
            document->FromXml(text);
            EXPECT_EQ(document->GetElementName(), "V" + Utf8(letter));
            testsupport::RoundTrip(document.get());
        }
    }
}

// The writer checks every name it writes against the XML name rules, so a
// name given through the API that XML cannot carry fails the write instead of
// producing a document that does not parse.
TEST(FuzzFindings, WriterRefusesNamesXmlCannotCarry) {
    // U+00AA; U+00B7 may follow, not start; a digit may not start; no colons
    // (prefixes are the writer's); no spaces; not UTF-8; overlong; a surrogate; U+FFFE.
    for (const std::string name : {"", "V\xC2\xAA", "\xC2\xB7V", "1V", "V:W", "V W", "V\xFF", "V\xC0\x80",
                                   "V\xED\xA0\x80", "V\xEF\xBF\xBE"}) {
        SCOPED_TRACE(name);
        auto document = CVantrel::CreateInstance();
        LtXmlLib3::CXmlObjectBase::SetElementName(document.get(), name);
        EXPECT_EQ(testsupport::ChainOf([&] { document->ToXml(); }),
                  (Chain{testsupport::ConvertOf(name), "The name [" + name + "] is not a valid XML name"}));
    }
    for (const std::string name : {"V\xC2\xB7", "\xC3\x80V", "\xE8\x88\xB9", "_V-1.2"}) {
        auto document = CVantrel::CreateInstance();
        LtXmlLib3::CXmlObjectBase::SetElementName(document.get(), name);
        EXPECT_EQ(testsupport::RoundTrip(document.get())->GetElementName(), name);
    }
}

}  // namespace
