// Inputs found by fuzzing (fuzz/), kept as regression tests.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <VantrelLib/VantrelLib.h>

#include "TestSupport.h"

namespace {

using VantrelLib::CVantrel;
using testsupport::ChainOf;
using testsupport::ConvertOf;
using testsupport::ReadFailure;
using testsupport::RoundTrip;
using Chain = std::vector<std::string>;

// A document of `latin1` (one byte a character) in UTF-16LE, with a byte
// order mark and a declaration line.
std::string Utf16(const std::string& latin1) {
    std::string out = "\xFF\xFE";
    for (char c : "<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n" + latin1) {
        out += c;
        out += '\0';
    }
    return out;
}

std::string Latin1(const std::string& text) { return "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n" + text; }

// A Latin-1 byte as UTF-8.
std::string Utf8(unsigned char c) {
    return {static_cast<char>(0xC0 | (c >> 6)), static_cast<char>(0x80 | (c & 0x3F))};
}

// Expat takes U+00AA, U+00B5 and U+00BA for name characters in ISO-8859-1 and
// UTF-16 documents, though XML does not (nor expat in UTF-8): a document
// element so named was read, then written as UTF-8 that no parser reads back.
// The reader now refuses such names as malformed.
TEST(FuzzFindings, LatinLettersThatAreNoNameCharactersAreRefused) {
    for (const unsigned char letter : {0xAA, 0xB5, 0xBA}) {
        const std::string root = std::string("V") + static_cast<char>(letter);
        const std::string message = "The element name [V" + Utf8(letter) + "] is not a valid XML name";
        SCOPED_TRACE(static_cast<int>(letter));
        EXPECT_EQ(ReadFailure<CVantrel>(Latin1("<" + root + " schemaVersion=\"1\"/>")),
                  Chain{"Malformed XML at line 2, column 1: " + message});
        EXPECT_EQ(ReadFailure<CVantrel>(Utf16("<" + root + " schemaVersion=\"1\"/>")),
                  Chain{"Malformed XML at line 2, column 1: " + message});
        // Below the document element too, before any structural fault.
        EXPECT_EQ(ReadFailure<CVantrel>(Latin1("<Vantrel schemaVersion=\"1\">\n  <" + root + "/>\n</Vantrel>")),
                  Chain{"Malformed XML at line 3, column 3: " + message});
    }
}

// The Latin-1 letters that are name characters still read, and the document
// written from them (UTF-8) reads back to the same text.
TEST(FuzzFindings, LatinNameCharactersRoundTrip) {
    for (const unsigned char letter : {0xB7, 0xC0, 0xD8, 0xFF}) {
        const std::string root = std::string("V") + static_cast<char>(letter);
        SCOPED_TRACE(static_cast<int>(letter));
        for (const std::string& text : {Latin1("<" + root + " schemaVersion=\"1\"/>"),
                                        Utf16("<" + root + " schemaVersion=\"1\"/>")}) {
            auto document = CVantrel::CreateInstance();
            document->FromXml(text);
            EXPECT_EQ(document->GetElementName(), "V" + Utf8(letter));
            RoundTrip(document.get());
        }
    }
}

// The writer checks every name it writes against the XML name rules, so a
// name given through the API that XML cannot carry fails the write instead of
// producing a document that does not parse.
TEST(FuzzFindings, WriterRefusesNamesXmlCannotCarry) {
    const std::vector<std::string> refused = {
        "",
        "V\xC2\xAA",        // U+00AA
        "\xC2\xB7V",        // U+00B7 may follow, not start
        "1V",               // a digit may not start
        "V:W",              // no colons: prefixes are the writer's
        "V W",              // no spaces
        "V\xFF",            // not UTF-8
        "V\xC0\x80",        // overlong
        "V\xED\xA0\x80",    // a surrogate
        "V\xEF\xBF\xBE",    // U+FFFE
    };
    for (const std::string& name : refused) {
        SCOPED_TRACE(name);
        auto document = CVantrel::CreateInstance();
        LtXmlLib3::CXmlObjectBase::SetElementName(document.get(), name);
        EXPECT_EQ(ChainOf([&] { document->ToXml(); }),
                  (Chain{ConvertOf(name), "The name [" + name + "] is not a valid XML name"}));
    }
    const std::vector<std::string> accepted = {"V\xC2\xB7", "\xC3\x80V", "\xE8\x88\xB9", "_V-1.2"};
    for (const std::string& name : accepted) {
        SCOPED_TRACE(name);
        auto document = CVantrel::CreateInstance();
        LtXmlLib3::CXmlObjectBase::SetElementName(document.get(), name);
        EXPECT_EQ(RoundTrip(document.get())->GetElementName(), name);
    }
}

}  // namespace
