// The runtime: conversions, the writer, the parser, exceptions and files.

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <map>
#include <random>
#include <sstream>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "RandomTree.h"
#include "runtime/ObjectPool.h"
#include "runtime/ShortCopy.h"
#include "runtime/XmlDocument.h"
#include "TestSupport.h"

using LtXmlLib3::CConversions;
using LtXmlLib3::CLtException;
using LtXmlLib3::CLtInvalidValueException;
using LtXmlLib3::CLtValidationException;
using LtXmlLib3::CXmlDocument;
using LtXmlLib3::CXmlTextWriter;
using testsupport::ChainOf;

namespace {

std::uint64_t Bits(double value) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

}  // namespace

TEST(RuntimeConversions, DoublesRoundTripBitForBit) {
    const double values[] = {0.0,
                             -0.0,
                             1.0,
                             0.1,
                             -123.456,
                             1e21,
                             1e-7,
                             3.141592653589793,
                             std::numeric_limits<double>::max(),
                             std::numeric_limits<double>::lowest(),
                             std::numeric_limits<double>::min(),
                             std::numeric_limits<double>::denorm_min(),
                             std::nextafter(std::numeric_limits<double>::min(), 0.0),  // largest subnormal
                             std::numeric_limits<double>::infinity(),
                             -std::numeric_limits<double>::infinity()};
    for (double value : values) {
        const std::string text = CConversions::r8ToString(value);
        EXPECT_EQ(Bits(CConversions::r8FromString(text, 2)), Bits(value)) << text;
    }
    EXPECT_TRUE(std::isnan(CConversions::r8FromString(CConversions::r8ToString(std::nan("")), 2)));
}

TEST(RuntimeConversions, DoubleTextForms) {
    EXPECT_EQ(CConversions::r8ToString(std::numeric_limits<double>::infinity()), "INF");
    EXPECT_EQ(CConversions::r8ToString(-std::numeric_limits<double>::infinity()), "-INF");
    EXPECT_EQ(CConversions::r8ToString(std::nan("")), "NaN");
    EXPECT_EQ(CConversions::r8ToString(-0.0), "-0");
    EXPECT_EQ(CConversions::r8ToString(0.1), "0.1");
    EXPECT_EQ(CConversions::r8ToString(5.0), "5");
    EXPECT_EQ(CConversions::r8ToString(-300000.0), "-300000");
    EXPECT_EQ(CConversions::r8ToString(0.00025), "0.00025");
    EXPECT_EQ(CConversions::r8ToString(1e22), "1e+22");
    EXPECT_EQ(CConversions::r8ToString(1.5e-7), "1.5e-07");

    struct Case {
        const char* text;
        double expected;
    };
    const Case accepted[] = {{" 1.5 ", 1.5},     {"+2", 2.0},     {"-.5", -0.5},       {"5.", 5.0},
                             {"1E3", 1000.0},    {"1e-3", 0.001}, {"\t\n7\r", 7.0},    {"1e400", HUGE_VAL},
                             {"-1e400", -HUGE_VAL}, {"1e-400", 0.0}, {"0.000e999999999", 0.0}};
    for (const Case& c : accepted) EXPECT_EQ(CConversions::r8FromString(c.text, 2), c.expected) << c.text;
    // Plain decimals beyond the range of double, written out in full.
    EXPECT_EQ(CConversions::r8FromString("1" + std::string(400, '0'), 2), HUGE_VAL);
    EXPECT_EQ(CConversions::r8FromString("-1" + std::string(400, '0') + ".5", 2), -HUGE_VAL);
    EXPECT_EQ(Bits(CConversions::r8FromString("-0." + std::string(400, '0') + "1", 2)), Bits(-0.0));
    EXPECT_EQ(CConversions::r8FromString("0." + std::string(330, '0') + "49", 2), 0.0);
    EXPECT_EQ(CConversions::r8FromString("0." + std::string(323, '0') + "5", 2), 5e-324);

    const char* refused[] = {"", " ", "abc", "1,5", "0x10", "inf", "nan", "Infinity", "+INF", "1e", "1.2.3",
                             ".", "-", "1 2", "e5", "1e+", "--1"};
    for (const char* text : refused) {
        EXPECT_THROW(CConversions::r8FromString(text, 2), CLtInvalidValueException) << text;
    }
}

TEST(RuntimeConversions, DecimalTextReadsAsTheNearestDouble) {
    // Every form the reader takes must give the correctly rounded value, the
    // one std::from_chars gives: short decimals, leading and trailing zeros,
    // exponents, and more digits than a double holds.
    std::mt19937_64 random(7);
    auto digits = [&](int count) {
        std::string text;
        for (int i = 0; i < count; ++i) text += static_cast<char>('0' + random() % 10);
        return text;
    };
    std::vector<std::string> texts = {"0.001", "123.456e-2", "1000000000000000000000", "0.1e1", "9007199254740993",
                                      "00012.5000", ".000000000000000000000000001", "1e22", "1e23", "4.9e-324",
                                      "123456789012345678901234567890", "0.30000000000000004"};
    for (int i = 0; i < 20000; ++i) {
        std::string text = digits(1 + random() % 20);
        if (random() % 2) text.insert(random() % (text.size() + 1), ".");
        if (text == ".") text = "0";
        if (random() % 3 == 0) text += "e" + std::string(random() % 2 ? "-" : "") + std::to_string(random() % 40);
        texts.push_back(text);
    }
    for (const std::string& text : texts) {
        double expected = 0;
        const std::string plain = text[0] == '.' ? "0" + text : text;
        std::from_chars(plain.data(), plain.data() + plain.size(), expected);
        EXPECT_EQ(Bits(CConversions::r8FromString(text, 2)), Bits(expected)) << text;
        EXPECT_EQ(Bits(CConversions::r8FromString("-" + text, 2)), Bits(-expected)) << text;
    }
}

TEST(RuntimeConversions, ShortDecimalsAreTheShortestText) {
    // Values with few decimals take a fast path; its text must be the shortest
    // that reads back, as the general conversion gives it.
    std::mt19937_64 random(11);
    for (int i = 0; i < 20000; ++i) {
        const int decimals = static_cast<int>(random() % 9);
        const double whole = static_cast<double>(random() % 100000000000ull) - 5e10;
        const double value = whole / std::pow(10.0, decimals) * (random() % 7 == 0 ? 1e-3 : 1.0);
        char general[64];
        auto [end, error] = std::to_chars(general, general + sizeof general, value);
        (void)error;
        const std::string text = CConversions::r8ToString(value);
        EXPECT_EQ(Bits(CConversions::r8FromString(text, 2)), Bits(value)) << text;
        // Same significant digits as the general shortest form.
        auto significant = [](std::string s) {
            const auto e = s.find('e');
            if (e != std::string::npos) s.erase(e);
            std::string digits;
            for (char c : s)
                if (c >= '0' && c <= '9') digits += c;
            digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size()));
            while (!digits.empty() && digits.back() == '0') digits.pop_back();
            return digits;
        };
        EXPECT_EQ(significant(text), significant(std::string(general, end))) << text;
    }
}

TEST(RuntimeConversions, IntegersAreRangeChecked) {
    EXPECT_EQ(CConversions::i8FromString("-9223372036854775808", 2), std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(CConversions::i8FromString(" +9223372036854775807 ", 2), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(CConversions::ui8FromString("18446744073709551615", 2), std::numeric_limits<std::uint64_t>::max());
    EXPECT_EQ(CConversions::ui8FromString("-0", 2), 0u);
    EXPECT_EQ(CConversions::i8ToString(std::numeric_limits<std::int64_t>::min()), "-9223372036854775808");
    EXPECT_EQ(CConversions::ui8ToString(std::numeric_limits<std::uint64_t>::max()), "18446744073709551615");

    const char* refusedSigned[] = {"9223372036854775808", "-9223372036854775809", "1.0", "1e3", "", "+", "12a", "0x1"};
    for (const char* text : refusedSigned) EXPECT_THROW(CConversions::i8FromString(text, 2), CLtInvalidValueException) << text;
    const char* refusedUnsigned[] = {"18446744073709551616", "-1", "1.5", "", "1 2"};
    for (const char* text : refusedUnsigned) EXPECT_THROW(CConversions::ui8FromString(text, 2), CLtInvalidValueException) << text;

    // Every length of digits, short ones (read directly) and long ones (range
    // checked), reads as std::from_chars reads it or is refused as out of range.
    std::mt19937_64 random(5);
    for (int length = 1; length <= 21; ++length) {
        for (int i = 0; i < 200; ++i) {
            std::string digits;
            for (int d = 0; d < length; ++d) digits += static_cast<char>('0' + random() % 10);
            for (const std::string& text : {digits, "-" + digits}) {
                std::int64_t expected = 0;
                const auto parsed = std::from_chars(text.data(), text.data() + text.size(), expected);
                if (parsed.ec == std::errc())
                    EXPECT_EQ(CConversions::i8FromString(text, 2), expected) << text;
                else
                    EXPECT_THROW(CConversions::i8FromString(text, 2), CLtInvalidValueException) << text;
            }
            std::uint64_t expected = 0;
            if (std::from_chars(digits.data(), digits.data() + digits.size(), expected).ec == std::errc())
                EXPECT_EQ(CConversions::ui8FromString(digits, 2), expected) << digits;
            else
                EXPECT_THROW(CConversions::ui8FromString(digits, 2), CLtInvalidValueException) << digits;
        }
    }
}

TEST(RuntimeConversions, BooleansAndWhitespaceRules) {
    EXPECT_TRUE(CConversions::booleanFromString(" true", 2));
    EXPECT_TRUE(CConversions::booleanFromString("1", 2));
    EXPECT_FALSE(CConversions::booleanFromString("false\n", 2));
    EXPECT_FALSE(CConversions::booleanFromString("0", 2));
    EXPECT_THROW(CConversions::booleanFromString("True", 2), CLtInvalidValueException);
    EXPECT_THROW(CConversions::booleanFromString("yes", 2), CLtInvalidValueException);

    EXPECT_EQ(LtXmlLib3::CWhitespaceUtils::Collapse("  a \t\n b  c "), "a b c");
    EXPECT_EQ(LtXmlLib3::CWhitespaceUtils::Collapse(" \t "), "");
    // Texts one whitespace character away from collapsed, and collapsed ones.
    for (const auto& [text, collapsed] : std::vector<std::pair<std::string, std::string>>{
             {"a b c", "a b c"}, {"a\tb", "a b"}, {"a  b", "a b"}, {"a \nb", "a b"}, {"\na", "a"}, {"a\r", "a"},
             {" a", "a"}, {"a ", "a"}, {"", ""}, {"ab", "ab"}, {"a", "a"}})
        EXPECT_EQ(LtXmlLib3::CWhitespaceUtils::Collapse(text), collapsed) << "[" << text << "]";
    EXPECT_EQ(CConversions::stringFromString(" a  b ", 0), " a  b ");
    EXPECT_EQ(CConversions::stringFromString(" a  b ", 2), "a b");
    EXPECT_EQ(LtXmlLib3::FormatString("[%s] %d", "x", 42), "[x] 42");
}

// Names are compared a word at a time: a difference at any position, of any
// length, is found, and nothing beyond either text is read (exact-size buffers).
TEST(RuntimeShortText, SameTextFindsADifferenceAnywhere) {
    using LtXmlLib3::detail::SameText;
    for (std::size_t n = 0; n <= 40; ++n) {
        const std::vector<char> a(n, 'x');
        std::vector<char> b(n, 'x');
        const std::string_view viewA(a.data(), n);
        EXPECT_TRUE(SameText(viewA, std::string_view(b.data(), n))) << n;
        const std::vector<char> longer(n + 1, 'x');
        EXPECT_FALSE(SameText(viewA, std::string_view(longer.data(), n + 1))) << n;
        for (std::size_t i = 0; i < n; ++i) {
            b[i] = 'y';
            EXPECT_FALSE(SameText(viewA, std::string_view(b.data(), n))) << n << " bytes, differing at " << i;
            b[i] = 'x';
        }
    }
}

TEST(RuntimeWriter, IndentsAndEscapes) {
    CXmlTextWriter writer;
    writer.AddNamespace("xs", LtXmlLib3::kXmlSchemaInstanceNamespace);
    writer.WriteStartElement("Root", "");
    writer.WriteAttributeString("a", "", "<&>\"'\t\n\r end");
    writer.WriteStartElement("Child", "");
    writer.WriteAttributeType("", "RestEntry");
    writer.WriteEndElement();
    writer.WriteStartElement("Child", "urn:x");
    writer.WriteEndElement();
    writer.WriteEndElement();
    EXPECT_EQ(writer.TakeDocument(),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<Root xmlns:xs=\"http://www.w3.org/2001/XMLSchema-instance\" a=\"&lt;&amp;&gt;&quot;'&#9;&#10;&#13; end\">\n"
              "  <Child xs:type=\"RestEntry\"/>\n"
              "  <ns2:Child xmlns:ns2=\"urn:x\"/>\n"
              "</Root>\n");
}

TEST(RuntimeWriter, RefusesTextXmlCannotCarry) {
    const std::string refused[] = {std::string("a\x01b"), std::string("nul\0", 4), "\xC3", "\xC3\x28",
                                   "\xED\xA0\x80" /* surrogate */, "\xEF\xBF\xBF" /* U+FFFF */,
                                   "\xC0\xAF" /* overlong */, "\xF8\x88\x80\x80\x80"};
    for (const std::string& value : refused) {
        CXmlTextWriter writer;
        writer.WriteStartElement("E", "");
        EXPECT_THROW(writer.WriteAttributeString("a", "", value), CLtValidationException);
    }
    CXmlTextWriter writer;
    writer.WriteStartElement("E", "");
    EXPECT_NO_THROW(writer.WriteAttributeString("a", "", "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x9A\xA2"));  // é € 🚢
    EXPECT_THROW(writer.WriteStartElement("1bad", ""), CLtValidationException);
}

// The writer's estimate of the size changes where the text is kept, never the
// text: estimates too small, about right and far too large, with values longer
// than the steps the reserved room is opened by and longer than a piece.
TEST(RuntimeWriter, TheTextDoesNotDependOnTheEstimate) {
    const std::string longValue(600 << 10, 'v');
    const std::string hugeValue(3 << 20, 'w');
    auto write = [&](std::size_t estimate) {
        CXmlTextWriter writer(estimate);
        writer.WriteStartElement("Root", "");
        for (int i = 0; i < 60000; ++i) {
            writer.WriteStartElement("Item", "");
            writer.WriteAttributeString("n", "", std::to_string(i));
            if (i == 20000) writer.WriteAttributeString("long", "", longValue);
            if (i == 40000) writer.WriteAttributeString("huge", "", hugeValue);
            writer.WriteEndElement();
        }
        writer.WriteEndElement();
        return writer.TakeDocument();
    };
    const std::string expected = write(0);
    ASSERT_GT(expected.size(), std::size_t{4} << 20);
    for (std::size_t estimate : {std::size_t{1}, std::size_t{4096}, std::size_t{1} << 20, std::size_t{3} << 20,
                                 expected.size() - 1, expected.size(), expected.size() * 3}) {
        const std::string text = write(estimate);
        EXPECT_TRUE(text == expected) << "estimate " << estimate << ": " << text.size() << " bytes, not " << expected.size();
        // Room reserved beyond the text is given back.
        EXPECT_LE(text.capacity(), text.size() + text.size() / 8) << "estimate " << estimate;
    }
}

// The pool cuts separate, aligned memory across several blocks, for sizes it
// takes; what it cut stays after the pool is gone, until each piece is freed.
TEST(RuntimeObjectPool, CutsSeparateAlignedMemoryThatOutlivesThePool) {
    struct Cut {
        unsigned char* memory;
        std::size_t size;
        std::uint8_t shift;
        unsigned char fill;
    };
    std::vector<Cut> cuts;
    {
        LtXmlLib3::CObjectPool pool;
        for (std::size_t i = 0; i < 20000; ++i) {
            Cut cut{nullptr, 8 + i * 37 % 300, 0, static_cast<unsigned char>(i)};
            cut.memory = static_cast<unsigned char*>(pool.Allocate(cut.size, cut.shift));
            ASSERT_NE(cut.memory, nullptr);
            ASSERT_NE(cut.shift, 0);
            EXPECT_EQ(reinterpret_cast<std::uintptr_t>(cut.memory) % alignof(std::max_align_t), 0u);
            std::memset(cut.memory, cut.fill, cut.size);
            cuts.push_back(cut);
        }
        std::uint8_t shift = 0;
        EXPECT_EQ(pool.Allocate(std::size_t{1} << 20, shift), nullptr);  // left to the heap
    }
    // Free in an order unrelated to the cutting; every piece still holds what was written to it.
    std::shuffle(cuts.begin(), cuts.end(), std::mt19937(7));
    for (const Cut& cut : cuts) {
        EXPECT_TRUE(std::all_of(cut.memory, cut.memory + cut.size, [&](unsigned char c) { return c == cut.fill; }))
            << "a piece of " << cut.size << " bytes was overwritten";
        LtXmlLib3::CObjectPool::Free(cut.memory, cut.shift);
    }
}

namespace {

// A frame table of `entries` entries, entry i numbered i with spacing i / 2.
std::string FrameTableText(int entries) {
    auto table = VantrelLib::CFrameTableData::CreateInstance();
    for (int i = 0; i < entries; ++i) {
        auto entry = table->GetFrameEntry()->Add();
        entry->SetNo(i);
        entry->SetSpacing(i * 0.5);
    }
    return table->ToXml();
}

}  // namespace

// Objects read share blocks: each stays usable for as long as it is held,
// whatever is released before it, the tree it was read into included.
TEST(RuntimeObjectPool, ObjectsReadOutliveTheirTreeAndEachOther) {
    auto table = VantrelLib::CFrameTableData::CreateInstance();
    table->FromXml(FrameTableText(5000));
    std::vector<LtXmlLib3::CSmartPtr<VantrelLib::CFrameTableEntry>> entries;
    for (int i = 0; i < 5000; ++i) entries.push_back(table->GetFrameEntry()->Item(i));
    table = nullptr;
    std::shuffle(entries.begin(), entries.end(), std::mt19937(11));
    while (!entries.empty()) {
        for (std::size_t i = 0; i < entries.size(); i += 97)
            ASSERT_EQ(entries[i]->GetSpacing(), entries[i]->GetNo() * 0.5);
        entries.resize(entries.size() > 250 ? entries.size() - 250 : 0);
    }
}

#if defined(__SANITIZE_ADDRESS__)
// In a sanitizer build the memory of a pooled object is poisoned when the
// object goes, though its block stays for the objects beside it: a use after
// that is caught as a use of freed memory is.
TEST(RuntimeObjectPoolDeathTest, AUseOfAReleasedObjectIsCaught) {
    auto table = VantrelLib::CFrameTableData::CreateInstance();
    table->FromXml(FrameTableText(3));
    VantrelLib::CFrameTableEntry* entry = table->GetFrameEntry()->Item(0);
    const LtXmlLib3::CSmartPtr<VantrelLib::CFrameTableEntry> neighbour = table->GetFrameEntry()->Item(1);
    table = nullptr;
    EXPECT_EQ(neighbour->GetSpacing(), 0.5);
    EXPECT_DEATH(std::printf("%g\n", entry->GetSpacing()), "use-after-poison");
}
#endif

// Every parser test runs twice: with the parser on the calling thread, and on
// a thread of its own.
class RuntimeParser : public ::testing::TestWithParam<bool> {
protected:
    static LtXmlLib3::CReadOptions Options() {
        LtXmlLib3::CReadOptions options;
        options.parseOnThreadFromBytes = GetParam() ? 0 : UINT64_MAX;
        return options;
    }
};

INSTANTIATE_TEST_SUITE_P(Runtime, RuntimeParser, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "ParserThread" : "CallingThread";
                         });

TEST_P(RuntimeParser, ReadsElementsAttributesAndNamespaces) {
    CXmlDocument document(
        "<?xml version=\"1.0\"?>\n"
        "<r xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" xmlns:g=\"urn:g\" a=\"1\">\n"
        "  <!-- comment -->\n"
        "  <g:first xsi:type=\"p:T\" b=\"x&#10;y\"/>\n"
        "  <second/>\n"
        "</r>",
        Options());
    const LtXmlLib3::CXmlElement* root = document.GetDocumentElement();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->GetLocalName(), "r");
    ASSERT_EQ(root->GetAttributes().size(), 1u);  // namespace declarations are not attributes
    const LtXmlLib3::CXmlElement* first = root->GetFirstElement();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->GetLocalName(), "first");
    EXPECT_EQ(first->GetNamespaceUri(), "urn:g");
    EXPECT_EQ(first->GetLine(), 4);
    EXPECT_EQ(LtXmlLib3::CClassfactoryBase::GetElementType(first), "T");
    for (const LtXmlLib3::CXmlAttribute& attribute : first->GetAttributes()) {
        if (attribute.GetLocalName() == "type") {
            EXPECT_TRUE(LtXmlLib3::CXmlObjectBase::IsNamespaceAttribute(attribute));
        }
        if (attribute.GetLocalName() == "b") {
            EXPECT_FALSE(LtXmlLib3::CXmlObjectBase::IsNamespaceAttribute(attribute));
            EXPECT_EQ(attribute.GetValue(), "x\ny");
        }
    }
    EXPECT_EQ(first->GetFirstElement(), nullptr);
    const LtXmlLib3::CXmlElement* second = first->GetNextSiblingElement();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->GetLocalName(), "second");
    EXPECT_EQ(second->GetFirstElement(), nullptr);
    EXPECT_EQ(second->GetNextSiblingElement(), nullptr);
    EXPECT_EQ(root->GetNextSiblingElement(), nullptr);
    EXPECT_NO_THROW(document.Finish());
}

TEST_P(RuntimeParser, EmptyElementTagsAndEmptyContentReadAlike) {
    // "<a/>" is known to be empty without parsing on; "<b></b>" only once its
    // end is parsed. Either way the element's attributes stay readable until
    // the walk moves past it, and its parent's while its children are walked.
    // UTF-16 takes the general path for both.
    const std::string text =
        "<r k='0'><a x='1'/><b y='2'></b><c z='3'><d w='4'/><e/></c><f v='5'/></r>";
    auto walk = [](CXmlDocument& document) {
        std::string seen;
        auto note = [&seen](const LtXmlLib3::CXmlElement* element) {
            seen += std::string(element->GetLocalName());
            for (const LtXmlLib3::CXmlAttribute& attribute : element->GetAttributes())
                seen += "@" + std::string(attribute.GetLocalName()) + "=" + std::string(attribute.GetValue());
            seen += ";";
        };
        const LtXmlLib3::CXmlElement* root = document.GetDocumentElement();
        for (const LtXmlLib3::CXmlElement* child = root->GetFirstElement(); child != nullptr;
             child = child->GetNextSiblingElement()) {
            const LtXmlLib3::CXmlElement* grandchild = child->GetFirstElement();
            EXPECT_EQ(grandchild != nullptr, child->GetLocalName() == "c") << child->GetLocalName();
            for (; grandchild != nullptr; grandchild = grandchild->GetNextSiblingElement()) {
                EXPECT_EQ(grandchild->GetFirstElement(), nullptr);
                EXPECT_EQ(grandchild->GetFirstElement(), nullptr);  // asking again changes nothing
                note(grandchild);
            }
            note(child);  // read after its children
        }
        note(root);
        document.Finish();
        return seen;
    };
    const std::string expected = "a@x=1;b@y=2;d@w=4;e;c@z=3;f@v=5;r@k=0;";
    CXmlDocument utf8(text, Options());
    EXPECT_EQ(walk(utf8), expected);

    std::string utf16 = "\xFF\xFE";  // little-endian byte order mark
    for (char c : text) utf16 += std::string{c, '\0'};
    CXmlDocument wide(utf16, Options());
    EXPECT_EQ(walk(wide), expected);
}

TEST_P(RuntimeParser, SkipsWhatIsNotWalked) {
    CXmlDocument document("<r><a><deep><deeper/></deep><x/></a><b/></r>", Options());
    const LtXmlLib3::CXmlElement* a = document.GetDocumentElement()->GetFirstElement();
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->GetLocalName(), "a");
    const LtXmlLib3::CXmlElement* b = a->GetNextSiblingElement();  // a's content never looked at
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->GetLocalName(), "b");
    EXPECT_EQ(b->GetNextSiblingElement(), nullptr);
}

TEST_P(RuntimeParser, AWalkLeftAnywhereEndsCleanly) {
    // Documents dropped after each number of steps of a walk: the parser, still
    // inside the document, must be wound up without leaking or touching freed
    // memory (checked under the sanitizers).
    const std::string text = "<r a='1'><x b='2'><y/><y c='3'/></x><x/><z>  </z></r>";
    for (int steps = 0; steps < 8; ++steps) {
        CXmlDocument document(text, Options());
        const LtXmlLib3::CXmlElement* element = document.GetDocumentElement();
        std::string seen;
        for (int step = 0; step < steps && element != nullptr; ++step) {
            seen += std::string(element->GetLocalName());
            for (const LtXmlLib3::CXmlAttribute& attribute : element->GetAttributes())
                seen += "@" + std::string(attribute.GetValue());
            const LtXmlLib3::CXmlElement* child = element->GetFirstElement();
            element = child != nullptr ? child : element->GetNextSiblingElement();
        }
        EXPECT_EQ(seen, std::string("r@1x@2yy@3").substr(0, seen.size())) << steps;
    }
}

TEST_P(RuntimeParser, AskingPastTheEndChangesNothing) {
    // The last batch starts inside the document: its events taken again would
    // end elements that never started.
    std::string text = "<r>";
    for (int i = 0; i < 1024; ++i) text += "<e></e>";
    CXmlDocument document(text + "</r>", Options());
    const LtXmlLib3::CXmlElement* root = document.GetDocumentElement();
    int count = 0;
    for (const LtXmlLib3::CXmlElement* e = root->GetFirstElement(); e != nullptr; e = e->GetNextSiblingElement()) ++count;
    EXPECT_EQ(count, 1024);
    EXPECT_EQ(root->GetNextSiblingElement(), nullptr);
    EXPECT_EQ(root->GetNextSiblingElement(), nullptr);
    EXPECT_NO_THROW(document.Finish());
    EXPECT_NO_THROW(document.Finish());
}

TEST_P(RuntimeParser, CountsWhatTheObjectsDoNotHoldOnRequest) {
    const std::string text = R"(<?xml version="1.0"?>
<!-- before --><?before one?>
<Vantrel xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance" xsi:schemaLocation="urn:v v.xsd" schemaVersion="2">
  <!-- inside -->
  <Masses>
    <MassAssembled>
      <AssembledEntry Id="6" Mass="7" xsi:nil="false">
        <CoG x="1" y="0"/>
        <BoxEntry xsi:type="TankEntry" Value="0.5" MassId="4" SpecificWeight="1.025"/>
        <TankEntry xsi:type="ContainerEntry" Value="1" MassId="2" SpecificWeight="3"/>
      </AssembledEntry>
    </MassAssembled>
  </Masses>
</Vantrel>
<!-- after --><?after two?>)";
    LtXmlLib3::CDroppedContent dropped;
    LtXmlLib3::CReadOptions options = Options();
    options.dropped = &dropped;
    auto root = VantrelLib::CVantrel::CreateInstance();
    auto expect = [&dropped](const char* how) {
        EXPECT_EQ(dropped.comments, 3u) << how;
        EXPECT_EQ(dropped.processingInstructions, 2u) << how;
        // The type that chose the rest entry's class is written again; the typed list's is not.
        const std::map<std::string, std::uint64_t> attributes{{"nil", 1}, {"schemaLocation", 1}, {"type", 1}};
        EXPECT_EQ(dropped.schemaInstanceAttributes, attributes) << how;
    };
    dropped.comments = 99;  // left by an earlier read
    root->FromXml(text, options);
    expect("text");
    const std::string written = root->ToXml();
    EXPECT_NE(written.find("<BoxEntry xs:type=\"TankEntry\""), std::string::npos) << written;
    EXPECT_EQ(written.find("ContainerEntry"), std::string::npos) << written;
    std::istringstream stream(text);
    root->FromXmlStream(stream, options);
    expect("stream");
}

TEST(RuntimeParser, MalformedXmlWinsOverStructuralFaults) {
    // The structure fails at <Bad/> first, but the document is not even well formed.
    auto point = gdt::CPoint::CreateInstance();
    const auto chain = ChainOf([&] { point->FromXml("<Point x='1' y='2'><Bad/></Point><trailing>"); });
    ASSERT_EQ(chain.size(), 1u);
    EXPECT_NE(chain[0].find("Malformed XML"), std::string::npos) << chain[0];
    // Trailing garbage after a good document is refused too.
    EXPECT_THROW(point->FromXml("<Point x='1' y='2'/><Point x='1' y='2'/>"), CLtException);
}

TEST_P(RuntimeParser, RefusesMalformedAndHostileInput) {
    struct Case {
        std::string text;
        std::string fragment;  // expected in the message
    };
    const Case cases[] = {
        {"<a><b></a>", "mismatched tag"},
        {"<a>", "no element found"},
        {"", "no element found"},
        {"<a x='1' x='2'/>", "duplicate attribute"},
        {"<!DOCTYPE a [<!ENTITY e 'x'>]><a>&e;</a>", "DOCTYPE"},
        {"<!DOCTYPE a SYSTEM 'file:///etc/passwd'><a/>", "DOCTYPE"},
        {"<a>&undefined;</a>", "undefined entity"},
        {"<a v='\xff'/>", "invalid token"},
    };
    for (const Case& c : cases) {
        try {
            CXmlDocument document(c.text, Options());
            document.Finish();
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const CLtException& error) {
            EXPECT_NE(std::string(error.what()).find(c.fragment), std::string::npos) << error.what();
            EXPECT_GT(error.GetLine(), 0) << c.text;
        }
    }
}

TEST_P(RuntimeParser, LimitsDepthAndSize) {
    std::string deep;
    for (int i = 0; i < 100000; ++i) deep += "<a>";
    try {
        CXmlDocument document(deep, Options());
        document.Finish();
        ADD_FAILURE() << "deep nesting accepted";
    } catch (const CLtException& error) {
        EXPECT_NE(std::string(error.what()).find("nested deeper"), std::string::npos) << error.what();
    }
    LtXmlLib3::CReadOptions options = Options();
    options.maxInputBytes = 10;
    EXPECT_THROW(CXmlDocument("<a>          </a>", options), CLtException);
}

TEST_P(RuntimeParser, ManyBatchesReadInOrder) {
    // Enough elements and text for many batches of events, nested and flat,
    // with a value far larger than a batch on an element that has children:
    // every name, value and position arrives where it belongs, and the large
    // element's attributes stay readable while its children are walked.
    const std::string huge(300000, 'h');
    std::string text = "<r>\n";
    for (int i = 0; i < 6000; ++i) {
        text += "<e n='" + std::to_string(i) + "' v='" + std::string(static_cast<std::size_t>(i % 50), 'x') + "'>";
        text += i % 3 == 0 ? "<c/>" : "<c k='" + std::to_string(i) + "'><d/></c>";
        text += "</e>\n";
        if (i == 2500) text += "<big h='" + huge + "'><c k='in'/><c k='big'/></big>\n";
    }
    text += "</r>";
    CXmlDocument document(text, Options());
    EXPECT_EQ(document.ParsesOnThread(), GetParam());
    const LtXmlLib3::CXmlElement* root = document.GetDocumentElement();
    int index = 0;
    std::size_t line = 2;
    for (const LtXmlLib3::CXmlElement* e = root->GetFirstElement(); e != nullptr; e = e->GetNextSiblingElement()) {
        EXPECT_EQ(e->GetLine(), static_cast<int>(line++));
        const LtXmlLib3::CXmlElement* child = e->GetFirstElement();
        if (e->GetLocalName() == "big") {
            ASSERT_NE(child, nullptr);
            EXPECT_EQ(child->GetAttributes().begin()->GetValue(), "in");
            child = child->GetNextSiblingElement();
            ASSERT_NE(child, nullptr);
            EXPECT_EQ(child->GetAttributes().begin()->GetValue(), "big");
            EXPECT_EQ(child->GetNextSiblingElement(), nullptr);
            ASSERT_EQ(e->GetAttributes().size(), 1u);
            EXPECT_TRUE(e->GetAttributes().begin()->GetValue() == huge);
            continue;
        }
        ASSERT_EQ(e->GetLocalName(), "e");
        ASSERT_NE(child, nullptr);
        EXPECT_EQ(child->GetLocalName(), "c");
        const LtXmlLib3::CXmlElement* grandchild = child->GetFirstElement();
        EXPECT_EQ(grandchild != nullptr, index % 3 != 0) << index;
        if (grandchild != nullptr) {
            EXPECT_EQ(grandchild->GetNextSiblingElement(), nullptr);
            EXPECT_EQ(child->GetAttributes().begin()->GetValue(), std::to_string(index));
        }
        EXPECT_EQ(child->GetNextSiblingElement(), nullptr);
        // Read after the children: the element's own strings were kept.
        ASSERT_EQ(e->GetAttributes().size(), 2u);
        EXPECT_EQ(e->GetAttributes().begin()->GetValue(), std::to_string(index));
        EXPECT_EQ((e->GetAttributes().begin() + 1)->GetValue().size(), static_cast<std::size_t>(index % 50));
        ++index;
        if (HasFailure()) break;
    }
    EXPECT_EQ(index, 6000);
    EXPECT_NO_THROW(document.Finish());
}

TEST(RuntimeParserNames, SplitIntoNamespaceAndLocalNameAtEveryLength) {
    // Names of every length up to past where the short-name scan stops, with
    // and without a namespace (URIs of many lengths).
    std::string text = "<r>";
    std::vector<std::pair<std::string, std::string>> expected;  // uri, local
    for (std::size_t local = 1; local <= 40; ++local) {
        const std::string name = "n" + std::string(local - 1, 'a' + static_cast<char>(local % 26));
        for (std::size_t uri = 0; uri <= 40; uri += (uri < 12 ? 1 : 7)) {
            std::string space = uri == 0 ? "" : std::string(uri, 'u');
            if (uri == 0) {
                text += "<" + name + " " + name + "='v'/>";
            } else {
                text += "<p:" + name + " xmlns:p='" + space + "' p:" + name + "='v'/>";
            }
            expected.emplace_back(space, name);
        }
    }
    text += "</r>";
    CXmlDocument document(text);
    std::size_t index = 0;
    for (auto e = document.GetDocumentElement()->GetFirstElement(); e != nullptr; e = e->GetNextSiblingElement()) {
        ASSERT_LT(index, expected.size());
        const auto& [uri, local] = expected[index++];
        EXPECT_EQ(e->GetNamespaceUri(), uri) << local;
        EXPECT_EQ(e->GetLocalName(), local) << uri;
        ASSERT_EQ(e->GetAttributes().size(), 1u);
        EXPECT_EQ(e->GetAttributes().begin()->GetNamespaceUri(), uri) << local;
        EXPECT_EQ(e->GetAttributes().begin()->GetLocalName(), local) << uri;
        if (HasFailure()) break;
    }
    EXPECT_EQ(index, expected.size());
}

TEST_P(RuntimeParser, FaultsAfterManyBatchesAndWalksLeftBetweenThem) {
    std::string text = "<r>";
    for (int i = 0; i < 20000; ++i) text += "<e a='" + std::to_string(i) + "'/>" + (i % 2 == 0 ? "\n" : "\r\n");
    // Malformed far from the start: the elements before it are walked, then
    // the fault is thrown, at its own line and column however many batches
    // (and chunks of a stream) came before it.
    const std::string broken = text + "<e>\n  </r>";
    for (const bool streamed : {false, true}) {
        std::size_t at = 0;
        auto document = streamed ? std::make_unique<CXmlDocument>([&](char* buffer, std::size_t size) {
            const std::size_t count = std::min({size, std::size_t{1009}, broken.size() - at});
            std::memcpy(buffer, broken.data() + at, count);
            at += count;
            return count;
        })
                                 : std::make_unique<CXmlDocument>(broken, Options());
        int seen = 0;
        try {
            for (auto e = document->GetDocumentElement()->GetFirstElement(); e != nullptr; e = e->GetNextSiblingElement())
                ++seen;
            document->Finish();
            ADD_FAILURE() << "accepted";
        } catch (const CLtException& error) {
            EXPECT_NE(std::string(error.what()).find("mismatched tag"), std::string::npos) << error.what();
            EXPECT_EQ(error.GetLine(), 20002) << streamed;
            EXPECT_EQ(error.GetColumn(), 5) << streamed;
        }
        EXPECT_EQ(seen, 20001);
    }
    // Documents dropped part way, between and inside batches, wind up cleanly.
    text += "</r>";
    for (int stop : {0, 1, 2047, 2048, 2049, 9000}) {
        CXmlDocument dropped(text, Options());
        auto e = dropped.GetDocumentElement()->GetFirstElement();
        for (int i = 0; i < stop && e != nullptr; ++i) e = e->GetNextSiblingElement();
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(e->GetAttributes().begin()->GetValue(), std::to_string(stop));
    }
}

TEST(RuntimeExceptions, ChainKeepsClassesAndLines) {
    CLtInvalidValueException inner("bad value");
    inner.SetLocation(7, 0);  // column unknown
    inner.SetHint("the inner hint");
    CLtValidationException outer("wrapper", inner);
    outer.SetLocation(2, 5);
    outer.SetContext("index 3, Id 7");
    EXPECT_EQ(outer.FindHint(), "the inner hint");
    ASSERT_NE(outer.GetInnerException(), nullptr);
    EXPECT_NE(dynamic_cast<const CLtInvalidValueException*>(outer.GetInnerException()), nullptr);
    EXPECT_STREQ(outer.what(), "wrapper");
    EXPECT_EQ(&outer.GetInnermost(), outer.GetInnerException());
    EXPECT_EQ(outer.FormatChain("ship.xml"), "ship.xml:2:5: wrapper (index 3, Id 7)\nship.xml:7: bad value\n");
    EXPECT_EQ(outer.FormatChain(), "2:5: wrapper (index 3, Id 7)\n7: bad value\n");

    // A copy thrown by value keeps its inner exception's class.
    try {
        outer.GetInnerException()->Rethrow();
    } catch (const CLtInvalidValueException& caught) {
        EXPECT_STREQ(caught.what(), "bad value");
    }
}

class RuntimeFiles : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = std::filesystem::temp_directory_path() /
                ("vantrel-files-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(m_dir);
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }
    static std::string Read(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    std::size_t EntriesInDir() const {
        return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(m_dir), {}));
    }
    std::filesystem::path m_dir;
};

TEST_F(RuntimeFiles, WritesAndReadsFiles) {
    auto point = gdt::CPoint::CreateInstance();
    point->SetX(2.5);
    const std::string path = (m_dir / "point.xml").string();
    point->ToXmlFile(path);
    EXPECT_EQ(Read(path), point->ToXml());
    auto read = gdt::CPoint::CreateInstance();
    read->FromXmlFile(path);
    EXPECT_EQ(read->GetX(), 2.5);
    EXPECT_EQ(EntriesInDir(), 1u);
}

// ToXml estimates the size from the text the tree was last read from or
// written to; a tree grown or shrunk since is written in full all the same.
TEST_F(RuntimeFiles, ATreeChangedSinceItsLastTextIsWrittenInFull) {
    randomtree::Options large;
    large.full = true;
    large.maxItems = 50;
    const std::string smallText = randomtree::RandomVantrel(1)->ToXml();
    const std::string largeText = randomtree::RandomVantrel(2, large)->ToXml();
    ASSERT_GT(largeText.size(), std::size_t{3} << 20);
    ASSERT_LT(smallText.size(), std::size_t{64} << 10);
    const std::string path = (m_dir / "tree.xml").string();
    for (const bool grow : {true, false}) {
        auto root = VantrelLib::CVantrel::CreateInstance();
        root->FromXml(grow ? smallText : largeText);
        if (grow)
            randomtree::Generator(3, large).Fill(*root);
        else
            randomtree::Generator(4).Fill(*root);
        root->ToXmlFile(path);
        const std::string file = Read(path);
        ASSERT_EQ(file.size() > largeText.size() / 2, grow);
        const std::string text = root->ToXml();
        EXPECT_TRUE(text == file) << (grow ? "grown: " : "shrunk: ") << text.size() << " bytes, not " << file.size();
        EXPECT_TRUE(root->ToXml() == file) << (grow ? "grown" : "shrunk") << ", written again";
    }
}

TEST_F(RuntimeFiles, FailedWriteLeavesTheOldFileAndNoTemporary) {
    const std::string path = (m_dir / "keep.xml").string();
    { std::ofstream(path) << "old content"; }
    auto loadcase = gdt::CLoadcase::CreateInstance();
    loadcase->SetName(std::string("bad\x02name"));
    EXPECT_THROW(loadcase->ToXmlFile(path), CLtValidationException);
    EXPECT_EQ(Read(path), "old content");
    EXPECT_EQ(EntriesInDir(), 1u);

    auto point = gdt::CPoint::CreateInstance();
    const auto chain = ChainOf([&] { point->ToXmlFile((m_dir / "missing-dir" / "p.xml").string()); });
    ASSERT_EQ(chain.size(), 1u);
    EXPECT_NE(chain[0].find("missing-dir"), std::string::npos);
}

// A regular file is read straight into the parser; a pipe, whose size is not
// known in advance, is parsed as it arrives. Both give what the text gives.
TEST_F(RuntimeFiles, AFileAndAPipeReadAsTheirText) {
    const std::string text = randomtree::RandomVantrel(21)->ToXml();
    const std::string path = (m_dir / "tree.xml").string();
    { std::ofstream(path, std::ios::binary) << text; }
    auto fromFile = VantrelLib::CVantrel::CreateInstance();
    fromFile->FromXmlFile(path);
    EXPECT_TRUE(fromFile->ToXml() == text);

    const std::string pipe = (m_dir / "pipe").string();
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    std::signal(SIGPIPE, SIG_IGN);  // a reader that gives up early must not end the test process
    std::thread writer([&] { std::ofstream(pipe, std::ios::binary) << text; });
    auto fromPipe = VantrelLib::CVantrel::CreateInstance();
    try {
        fromPipe->FromXmlFile(pipe);
    } catch (const CLtException& error) {
        ADD_FAILURE() << error.what();
        ::close(::open(pipe.c_str(), O_RDONLY | O_NONBLOCK));  // lets the writer's open return
    }
    writer.join();
    EXPECT_TRUE(fromPipe->ToXml() == text);
}

TEST_F(RuntimeFiles, ReadFailuresNameTheFile) {
    const std::string missing = (m_dir / "nope.xml").string();
    auto point = gdt::CPoint::CreateInstance();
    auto chain = ChainOf([&] { point->FromXmlFile(missing); });
    ASSERT_EQ(chain.size(), 1u);
    EXPECT_NE(chain[0].find(missing), std::string::npos);
    EXPECT_NE(chain[0].find("No such file"), std::string::npos);

    const std::string broken = (m_dir / "broken.xml").string();
    { std::ofstream(broken) << "<Point x='1'>\n<oops>\n</Point>"; }
    try {
        point->FromXmlFile(broken);
        ADD_FAILURE() << "malformed file accepted";
    } catch (const CLtException& error) {
        EXPECT_NE(std::string(error.what()).find("Malformed XML at line 3"), std::string::npos) << error.what();
        EXPECT_EQ(error.GetLine(), 3);
        // The file is named once, by the caller's formatting.
        EXPECT_EQ(error.FormatChain(broken), broken + ":3:" + std::to_string(error.GetColumn()) + ": " + error.what() + "\n");
    }

    LtXmlLib3::CReadOptions small;
    small.maxInputBytes = 8;
    chain = ChainOf([&] { point->FromXmlFile(broken, small); });
    ASSERT_EQ(chain.size(), 1u);
    EXPECT_NE(chain[0].find("limit"), std::string::npos);

    chain = ChainOf([&] { point->FromXmlFile(m_dir.string()); });
    ASSERT_EQ(chain.size(), 1u);
}
