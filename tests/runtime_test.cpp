// The runtime: conversions, the writer, the parser and its streams, the object
// pool and exceptions. Built against the static library to reach its internals.

#include <gtest/gtest.h>

#include <malloc.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <cstdint>
#include <random>
#include <sstream>
#include <vector>
#include <thread>

#include "runtime/ObjectPool.h"
#include "runtime/XmlDocument.h"
#include "TestSupport.h"

using LtXmlLib3::CConversions;
using LtXmlLib3::CLtException;
using LtXmlLib3::CLtInvalidValueException;
using LtXmlLib3::CLtValidationException;
using LtXmlLib3::CXmlDocument;
using LtXmlLib3::CXmlElement;
using LtXmlLib3::CXmlTextWriter;
using testsupport::ChainOf;

namespace {

std::uint64_t Bits(double value) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

}  // namespace

TEST(RuntimeConversions, DoubleTextForms) {
    using Limits = std::numeric_limits<double>;
    const double roundTrip[] = {0.0, -0.0, 0.1, -123.456, 1e21, 1e-7, 3.141592653589793, Limits::max(), Limits::lowest(),
                                Limits::min(), Limits::denorm_min(), std::nextafter(Limits::min(), 0.0), HUGE_VAL, -HUGE_VAL};
    for (double value : roundTrip) {
        const std::string text = CConversions::r8ToString(value);
        EXPECT_EQ(Bits(CConversions::r8FromString(text, 2)), Bits(value)) << text;
    }
    EXPECT_TRUE(std::isnan(CConversions::r8FromString(CConversions::r8ToString(std::nan("")), 2)));
    // Plain decimals from 1e-5 up to below 1e16, exponents outside.
    const std::pair<double, const char*> written[] = {
        {HUGE_VAL, "INF"}, {-HUGE_VAL, "-INF"}, {std::nan(""), "NaN"}, {-0.0, "-0"}, {0.1, "0.1"}, {5.0, "5"},
        {-300000.0, "-300000"}, {0.00025, "0.00025"}, {1e22, "1e+22"}, {1.5e-7, "1.5e-07"}, {1e-5, "0.00001"},
        {-1e-5, "-0.00001"}, {9.999999999999999e-6, "9.999999999999999e-06"}, {1e16, "1e+16"},
        {9999999999999998.0, "9999999999999998"}};
    for (const auto& [value, text] : written) EXPECT_EQ(CConversions::r8ToString(value), text);

    const std::string zeros(400, '0');  // plain decimals beyond the range of double, written out in full
    const std::pair<std::string, double> accepted[] = {
        {" 1.5 ", 1.5}, {"+2", 2.0}, {"-.5", -0.5}, {"5.", 5.0}, {"1E3", 1000.0}, {"1e-3", 0.001}, {"\t\n7\r", 7.0},
        {"1e400", HUGE_VAL}, {"-1e400", -HUGE_VAL}, {"1e-400", 0.0}, {"0.000e999999999", 0.0}, {"1" + zeros, HUGE_VAL},
        {"-1" + zeros + ".5", -HUGE_VAL}, {"-0." + zeros + "1", -0.0}, {"0." + zeros.substr(70) + "49", 0.0},
        {"0." + zeros.substr(77) + "5", 5e-324}};
    for (const auto& [text, value] : accepted) EXPECT_EQ(Bits(CConversions::r8FromString(text, 2)), Bits(value)) << text;
    for (const char* text : {"", " ", "abc", "1,5", "0x10", "inf", "nan", "Infinity", "+INF", "1e", "1.2.3", ".", "-",
                             "1 2", "e5", "1e+", "--1"})
        EXPECT_THROW(CConversions::r8FromString(text, 2), CLtInvalidValueException) << text;
}

// Random decimals read as std::from_chars reads them (correctly rounded), and
// values with few decimals (a fast path) are written with the shortest digits.
TEST(RuntimeConversions, RandomDecimalsReadAndWriteExactly) {
    std::mt19937_64 random(7);
    std::vector<std::string> texts = {"9007199254740993", "00012.5000", ".000000000000000000000000001", "1e23",
                                      "4.9e-324", "0.30000000000000004", "123456789012345678901234567890"};
    for (int i = 0; i < 20000; ++i) {
        std::string text;
        for (int d = 0, count = 1 + random() % 20; d < count; ++d) text += static_cast<char>('0' + random() % 10);
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
    auto significant = [](const std::string& text) {
        std::string digits;
        for (char c : text.substr(0, text.find('e')))
            if (c >= '0' && c <= '9') digits += c;
        digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size()));
        return digits.erase(digits.find_last_not_of('0') + 1);
    };
    for (int i = 0; i < 20000; ++i) {
        const double whole = static_cast<double>(random() % 100000000000ull) - 5e10;
        const double value = whole / std::pow(10.0, static_cast<int>(random() % 9)) * (random() % 7 == 0 ? 1e-3 : 1.0);
        char general[64];
        const auto end = std::to_chars(general, general + sizeof general, value).ptr;
        const std::string text = CConversions::r8ToString(value);
        EXPECT_EQ(Bits(CConversions::r8FromString(text, 2)), Bits(value)) << text;
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
    for (const char* text : {"9223372036854775808", "-9223372036854775809", "1.0", "1e3", "", "+", "12a", "0x1"})
        EXPECT_THROW(CConversions::i8FromString(text, 2), CLtInvalidValueException) << text;
    for (const char* text : {"18446744073709551616", "-1", "1.5", "", "1 2"})
        EXPECT_THROW(CConversions::ui8FromString(text, 2), CLtInvalidValueException) << text;
}

TEST(RuntimeConversions, BooleansAndWhitespaceRules) {
    for (const auto& [text, value] : std::vector<std::pair<const char*, bool>>{{" true", true}, {"1", true}, {"false\n", false}, {"0", false}})
        EXPECT_EQ(CConversions::booleanFromString(text, 2), value) << text;
    for (const char* text : {"True", "yes", ""}) EXPECT_THROW(CConversions::booleanFromString(text, 2), CLtInvalidValueException);
    // Texts one whitespace character away from collapsed, and collapsed ones.
    for (const auto& [text, collapsed] : std::vector<std::pair<std::string, std::string>>{
             {"  a \t\n b  c ", "a b c"}, {" \t ", ""}, {"a b c", "a b c"}, {"a\tb", "a b"}, {"a  b", "a b"},
             {"a \nb", "a b"}, {"\na", "a"}, {"a\r", "a"}, {" a", "a"}, {"a ", "a"}, {"", ""}, {"ab", "ab"}})
        EXPECT_EQ(LtXmlLib3::CWhitespaceUtils::Collapse(text), collapsed) << "[" << text << "]";
    EXPECT_EQ(CConversions::stringFromString(" a  b ", 0), " a  b ");
    EXPECT_EQ(CConversions::stringFromString(" a  b ", 2), "a b");
    EXPECT_EQ(LtXmlLib3::FormatString("[%s] %d", "x", 42), "[x] 42");
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
    EXPECT_EQ(writer.TakeDocument(), R"(<?xml version="1.0" encoding="UTF-8"?>
<Root xmlns:xs="http://www.w3.org/2001/XMLSchema-instance" a="&lt;&amp;&gt;&quot;'&#9;&#10;&#13; end">
  <Child xs:type="RestEntry"/>
  <ns2:Child xmlns:ns2="urn:x"/>
</Root>
)");
}

namespace {
std::string Utf8(char32_t c) {
    if (c < 0x80) return std::string(1, static_cast<char>(c));
    if (c < 0x800) return {static_cast<char>(0xC0 | c >> 6), static_cast<char>(0x80 | (c & 0x3F))};
    if (c < 0x10000)
        return {static_cast<char>(0xE0 | c >> 12), static_cast<char>(0x80 | (c >> 6 & 0x3F)),
                static_cast<char>(0x80 | (c & 0x3F))};
    return {static_cast<char>(0xF0 | c >> 18), static_cast<char>(0x80 | (c >> 12 & 0x3F)),
            static_cast<char>(0x80 | (c >> 6 & 0x3F)), static_cast<char>(0x80 | (c & 0x3F))};
}
}  // namespace

// Values XML cannot carry and names it does not allow fail the write.
TEST(RuntimeWriter, RefusesTextAndNamesXmlCannotCarry) {
    for (const std::string& value : {std::string("a\x01b"), std::string("nul\0", 4), std::string("\xC3"),
                                     std::string("\xC3\x28"), std::string("\xED\xA0\x80") /* surrogate */,
                                     std::string("\xEF\xBF\xBF") /* U+FFFF */, std::string("\xC0\xAF") /* overlong */,
                                     std::string("\xF8\x88\x80\x80\x80"), std::string("\x80") /* lone continuation */,
                                     std::string("\x80\x90\x80\x80"), std::string("\xF8\x90\x80\x80"),
                                     std::string("\xF5\x80\x80\x80"), std::string("\xF0\x9F\x9A") /* cut short */}) {
        CXmlTextWriter writer;
        writer.WriteStartElement("E", "");
        EXPECT_THROW(writer.WriteAttributeString("a", "", value), CLtValidationException) << testing::PrintToString(value);
    }
    CXmlTextWriter writer;
    writer.WriteStartElement("E", "");
    EXPECT_NO_THROW(writer.WriteAttributeString("a", "", "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x9A\xA2\xF4\x8F\xBF\xBD"));
    // The first and last characters of each range a name may start with, and characters just outside.
    const char32_t starts[] = {'a', 'z', 'A', 'Z', '_', 0xC0, 0xD6, 0xD8, 0xF6, 0xF8, 0x2FF, 0x370, 0x37D, 0x37F,
                               0x1FFF, 0x200C, 0x200D, 0x2070, 0x218F, 0x2C00, 0x2FEF, 0x3001, 0xD7FF, 0xF900, 0xFDCF,
                               0xFDF0, 0xFFFD, 0x10000, 0xEFFFF};
    const char32_t others[] = {'0', '-', '.', '@', '`', '{', '[', 0xB7, 0xD7, 0xF7, 0x300, 0x37E, 0x2000, 0x200B,
                               0x200E, 0x206F, 0x2190, 0x2BFF, 0x2FF0, 0x3000, 0xF8FF, 0xFDD0, 0xFDEF, 0xFFFE, 0xF0000};
    for (const char32_t c : starts) {  // a middle dot (a name character) takes ASCII names off the fast path
        EXPECT_NO_THROW(CXmlTextWriter().WriteStartElement(Utf8(c) + "1-.\xC2\xB7" + Utf8(c), "")) << std::hex << c;
        EXPECT_NO_THROW(LtXmlLib3::CXmlAttributeName(Utf8(c))) << std::hex << c;
    }
    for (const char32_t c : others) {
        EXPECT_THROW(CXmlTextWriter().WriteStartElement(Utf8(c) + "a", ""), CLtValidationException) << std::hex << c;
        EXPECT_THROW(LtXmlLib3::CXmlAttributeName(Utf8(c) + "a"), CLtValidationException) << std::hex << c;
    }
    for (const char* name : {"", "a b", "a>", "a\xC3"}) {
        EXPECT_THROW(LtXmlLib3::CXmlAttributeName{name}, CLtValidationException) << name;
        EXPECT_THROW(CXmlTextWriter().WriteStartElement(name, ""), CLtValidationException) << name;
    }
}

// A collection never holds more than its maximum when written, a maximum of 0 included.
TEST(RuntimeCollections, TheMaximumIsCheckedOnWriting) {
    struct Limited : gdt::CLoadcaseCol {
        explicit Limited(long maxOccurs) : CLoadcaseCol("Loadcase", 0, maxOccurs) {}
    };
    for (const long maxOccurs : {0L, 1L, -1L}) {
        Limited collection(maxOccurs);
        CXmlTextWriter writer;
        writer.WriteStartElement("Root", "");
        for (int count = 1; count <= 2; ++count) {
            collection.Add()->SetName("a");
            if (maxOccurs >= 0 && count > maxOccurs)
                EXPECT_THROW(collection.ToXml_Int(&writer, false, ""), CLtValidationException) << maxOccurs;
            else
                EXPECT_NO_THROW(collection.ToXml_Int(&writer, false, "")) << maxOccurs;
        }
    }
}

TEST(RuntimeReflection, FindsClassesByName) {
    for (const auto& [name, known] : std::vector<std::pair<const char*, bool>>{
             {"CPoint", true}, {"gdt::CPoint", true}, {"", false}, {"Point", false}, {"CPointX", false}, {"gdt::Point", false}}) {
        const auto* found = VantrelLib::Reflection::FindClass(std::string_view(name));
        EXPECT_EQ(found != nullptr && found->QualifiedName() == "gdt::CPoint", known) << name;
    }
}

// The pool cuts separate, aligned memory across several blocks, for sizes it
// takes; what it cut stays after the pool is gone, until each piece is freed.
TEST(RuntimeObjectPool, CutsSeparateAlignedMemoryThatOutlivesThePool) {
    std::vector<std::pair<unsigned char*, std::uint8_t>> cuts;  // each piece filled with its size
    {
        LtXmlLib3::CObjectPool pool;
        for (std::size_t i = 0; i < 20000; ++i) {
            const std::size_t size = 8 + i * 37 % 240;
            std::uint8_t shift = 0;
            auto* memory = static_cast<unsigned char*>(pool.Allocate(size, shift));
            ASSERT_TRUE(memory != nullptr && shift != 0);
            EXPECT_EQ(reinterpret_cast<std::uintptr_t>(memory) % alignof(std::max_align_t), 0u);
            cuts.emplace_back(static_cast<unsigned char*>(std::memset(memory, static_cast<int>(size), size)), shift);
        }
        std::uint8_t shift = 0;
        EXPECT_EQ(pool.Allocate(std::size_t{1} << 20, shift), nullptr);  // left to the heap
    }
    std::shuffle(cuts.begin(), cuts.end(), std::mt19937(7));
    for (const auto& [memory, shift] : cuts) {
        const unsigned char fill = memory[0];
        EXPECT_TRUE(std::all_of(memory, memory + fill, [fill](unsigned char c) { return c == fill; }));
        LtXmlLib3::CObjectPool::Free(memory, shift);
    }
}

// Objects read (here by a parser thread, over many batches) share pool blocks:
// each stays usable for as long as it is held, whatever is released before it,
// and they may be released on several threads at once.
TEST(RuntimeObjectPool, ObjectsReadOutliveTheirTreeAndAreReleasedOnAnyThread) {
    auto written = VantrelLib::CFrameTableData::CreateInstance();
    for (int i = 0; i < 20000; ++i) {
        auto entry = written->GetFrameEntry()->Add();
        entry->SetNo(i);
        entry->SetSpacing(i * 0.5);
    }
    LtXmlLib3::CReadOptions options;
    options.parseOnThreadFromBytes = 0;
    auto table = VantrelLib::CFrameTableData::CreateInstance();
    table->FromXml(written->ToXml(), options);
    std::vector<LtXmlLib3::CSmartPtr<VantrelLib::CFrameTableEntry>> entries(table->GetFrameEntry()->begin(),
                                                                          table->GetFrameEntry()->end());
    ASSERT_EQ(entries.size(), 20000u);
    table = nullptr;
    std::shuffle(entries.begin(), entries.end(), std::mt19937(11));
    std::vector<std::thread> threads;
    for (std::size_t t = 0; t < 4; ++t)
        threads.emplace_back([&entries, t] {
            for (std::size_t i = t; i < entries.size(); i += 4) {
                EXPECT_EQ(entries[i]->GetSpacing(), entries[i]->GetNo() * 0.5);
                entries[i] = nullptr;
            }
        });
    for (std::thread& thread : threads) thread.join();
}

// Every parser test runs twice: with the parser on the calling thread, and on
// a thread of its own.
class RuntimeParser : public ::testing::TestWithParam<bool> {
protected:
    static LtXmlLib3::CReadOptions Options() {
        LtXmlLib3::CReadOptions options;
        options.parseOnThreadFromBytes = GetParam() ? 0 : UINT64_MAX;
        return options;
    }
    // "uri|name@attribute=value...;" of every element walked, each noted after
    // its children (all of them, or none when `skip`).
    static std::string Walk(CXmlDocument& document, bool skip = false) {
        std::string seen;
        auto walk = [&](const CXmlElement* element, auto& self) -> void {
            for (; element != nullptr; element = element->GetNextSiblingElement()) {
                if (!skip) self(element->GetFirstElement(), self);
                seen += std::string(element->GetNamespaceUri()) + "|" + std::string(element->GetLocalName());
                for (const LtXmlLib3::CXmlAttribute& attribute : element->GetAttributes())
                    seen += "@" + std::string(attribute.GetLocalName()) + "=" + std::string(attribute.GetValue());
                seen += ";";
            }
        };
        walk(document.GetDocumentElement(), walk);
        document.Finish();
        return seen;
    }
};

INSTANTIATE_TEST_SUITE_P(Runtime, RuntimeParser, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "ParserThread" : "CallingThread";
                         });

// "<a/>" is known to be empty without parsing on, "<b></b>" only once its end
// is parsed; an element's attributes stay readable while its children are
// walked. UTF-16 takes the general path.
TEST_P(RuntimeParser, WalksElementsAttributesAndNamespaces) {
    const std::string text =
        "<r xmlns:xsi='http://www.w3.org/2001/XMLSchema-instance' xmlns:g='urn:g' k='0'><!-- c -->"
        "<a x='1'/><b y='2'></b><c z='3'><d w='4'/><g:e xsi:type='p:T' v='x&#10;y'/></c><f v='5'/></r>";
    const std::string expected = "|a@x=1;|b@y=2;|d@w=4;urn:g|e@type=p:T@v=x\ny;|c@z=3;|f@v=5;|r@k=0;";
    CXmlDocument utf8(text, Options());
    EXPECT_EQ(Walk(utf8), expected);
    std::string utf16 = "\xFF\xFE";  // little-endian byte order mark
    for (char c : text) utf16 += std::string{c, '\0'};
    CXmlDocument wide(utf16, Options());
    EXPECT_EQ(Walk(wide), expected);
    CXmlDocument skipped(text, Options());
    EXPECT_EQ(Walk(skipped, true), "|r@k=0;");

    CXmlDocument typed("<r xmlns:x='http://www.w3.org/2001/XMLSchema-instance'>\n<e x:type='p:T' b='1'/></r>", Options());
    const CXmlElement* e = typed.GetDocumentElement()->GetFirstElement();
    EXPECT_EQ(e->GetLine(), 2);
    EXPECT_EQ(LtXmlLib3::CClassfactoryBase::GetElementType(e), "T");
    EXPECT_TRUE(LtXmlLib3::CXmlObjectBase::IsNamespaceAttribute(*e->GetAttributes().begin()));
    EXPECT_FALSE(LtXmlLib3::CXmlObjectBase::IsNamespaceAttribute(*(e->GetAttributes().begin() + 1)));
}

// A value far larger than a batch keeps its room only until the walk has
// passed it: the rest of the read does not hold it.
TEST(RuntimeParserMemory, RoomForAHugeValueIsGivenBack) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    GTEST_SKIP() << "the sanitizers keep a heap of their own";
#endif
    constexpr std::size_t kHuge = 64u << 20;
    std::string text = "<r><a v='" + std::string(kHuge, 'h') + "'/>";
    for (int i = 0; i < 20000; ++i) text += "<b/>";
    CXmlDocument document(text + "</r>", LtXmlLib3::CReadOptions());
    const CXmlElement* element = document.GetDocumentElement()->GetFirstElement();
    ASSERT_EQ(element->GetAttributes().begin()->GetValue().size(), kHuge);
    auto allocated = [] { return mallinfo2().uordblks + mallinfo2().hblkhd; };  // heap and mapped blocks
    const std::size_t holding = allocated();
    int count = 0;
    while ((element = element->GetNextSiblingElement()) != nullptr) ++count;
    EXPECT_EQ(count, 20000);
    EXPECT_LT(allocated() + kHuge / 2, holding);
    document.Finish();
}

// The parser hands out no namespace declarations, but the test holds for any
// attribute: "xmlns" and "xmlns:p" without a namespace are declarations.
TEST(RuntimeParserNames, NamespaceDeclarationsAreKnownByName) {
    for (const auto& [name, declaration] : std::vector<std::pair<std::string_view, bool>>{
             {"xmlns", true}, {"xmlns:p", true}, {"xmlnsx", false}, {"p", false}})
        EXPECT_EQ(LtXmlLib3::CXmlObjectBase::IsNamespaceAttribute(LtXmlLib3::CXmlAttribute(name, "", "v")), declaration)
            << name;
}

TEST_P(RuntimeParser, ManyBatchesReadInOrder) {
    // Enough elements for many batches, nested and flat, with a value far
    // larger than a batch on an element that has children, names of every
    // length past where the short-name scan stops, with and without a
    // namespace: every name, value and position arrives where it belongs.
    const std::string huge(300000, 'h');
    std::string text = "<r>\n", expected;
    for (int i = 0; i < 6000; ++i) {
        const std::string n = std::to_string(i), v(static_cast<std::size_t>(i % 50), 'x'), uri(i % 23, 'u'),
                          name = "e" + std::string(static_cast<std::size_t>(i % 41), static_cast<char>('a' + i % 26)),
                          prefix = uri.empty() ? "" : "p:", declaration = uri.empty() ? "" : " xmlns:p='" + uri + "'";
        text += "<" + prefix + name + declaration + " n='" + n + "' " + prefix + "v='" + v + "'>" +
                (i % 3 == 0 ? "<c/>" : "<c k='" + n + "'><d/></c>") + "</" + prefix + name + ">\n";
        expected += std::string(i % 3 == 0 ? "" : "|d;") + "|c" + (i % 3 == 0 ? "" : "@k=" + n) + ";" + uri + "|" + name +
                    "@n=" + n + "@v=" + v + ";";
        if (i == 2500) {
            text += "<big h='" + huge + "'><c k='in'/><c k='big'/></big>\n";
            expected += "|c@k=in;|c@k=big;|big@h=" + huge + ";";
        }
    }
    CXmlDocument document(text + "</r>", Options());
    EXPECT_EQ(document.ParsesOnThread(), GetParam());
    EXPECT_TRUE(Walk(document) == expected + "|r;");
    // Lines; asking past the end changes nothing (the last batch's events are not taken twice).
    CXmlDocument lines(text + "</r>", Options());
    const CXmlElement* root = lines.GetDocumentElement();
    int line = 2;
    for (auto e = root->GetFirstElement(); e != nullptr && !HasFailure(); e = e->GetNextSiblingElement(), ++line)
        EXPECT_EQ(e->GetLine(), line);
    EXPECT_EQ(root->GetNextSiblingElement(), nullptr);
    EXPECT_EQ(root->GetNextSiblingElement(), nullptr);
    EXPECT_NO_THROW(lines.Finish());
    EXPECT_NO_THROW(lines.Finish());
}

namespace {
// A document read from `text` in pieces of at most `piece` bytes.
std::unique_ptr<CXmlDocument> Streamed(const std::string& text, std::size_t piece) {
    return std::make_unique<CXmlDocument>([&text, piece, at = std::size_t{0}](char* buffer, std::size_t size) mutable {
        const std::size_t count = std::min({size, piece, text.size() - at});
        std::memcpy(buffer, text.data() + at, count);
        at += count;
        return count;
    });
}
}  // namespace

TEST_P(RuntimeParser, FaultsAfterManyBatchesAndWalksLeftBetweenThem) {
    std::string text = "<r>";
    for (int i = 0; i < 20000; ++i) text += "<e a='" + std::to_string(i) + "'/>" + (i % 2 == 0 ? "\n" : "\r\n");
    // Malformed far from the start: the elements before it are walked, then the
    // fault is thrown at its own line and column, however many batches (and
    // chunks of a stream) came before it.
    const std::string broken = text + "<e>\n  </r>";
    for (const bool streamed : {false, true}) {
        auto document = streamed ? Streamed(broken, 1009) : std::make_unique<CXmlDocument>(broken, Options());
        int seen = 0;
        try {
            for (auto e = document->GetDocumentElement()->GetFirstElement(); e != nullptr; e = e->GetNextSiblingElement())
                ++seen;
            document->Finish();
            ADD_FAILURE() << "accepted";
        } catch (const CLtException& error) {
            EXPECT_NE(std::string(error.what()).find("mismatched tag"), std::string::npos) << error.what();
            EXPECT_EQ(std::make_pair(error.GetLine(), error.GetColumn()), std::make_pair(20002, 5)) << streamed;
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

// Elements keep their lines and columns however a stream's chunks fall (inside
// tags, between a CR and its LF): lines end in LF, CRLF and CR, and a comment,
// a run of line ends and a value each longer than a chunk lie between elements.
TEST(RuntimeStreams, ElementsKeepTheirLinesAndColumnsAcrossChunks) {
    const char* const ends[] = {"\n", "\r\n", "\r"};
    std::string text = "<r>\n", expected = "r@1:1;";
    int line = 2;
    auto at = [&line](const char* name, int column) { return name + ("@" + std::to_string(line)) + ":" + std::to_string(column) + ";"; };
    for (int i = 0; i < 3000; ++i) {
        text += std::string(static_cast<std::size_t>(i % 5), ' ') + "<e>" + (i % 2 == 0 ? "<c/>" : "<c >\r\n</c>") + "</e>" + ends[i % 3];
        expected += at("e", i % 5 + 1) + at("c", i % 5 + 4);
        line += 1 + i % 2;
        if (i == 999) text += "<!--" + std::string(100000, 'c') + "\n" + std::string(100000, 'c') + "-->\n", line += 2;
        if (i == 2001) text += std::string(70000, '\n') + std::string(70000, '\r'), line += 140000;
        if (i == 2499) text += "<big v='" + std::string(200000, 'v') + "'\n/>\r", expected += at("big", 1), line += 2;
    }
    text += "</r>\n";
    for (const std::size_t piece : {std::size_t{1} << 20, std::size_t{1009}}) {
        auto document = Streamed(text, piece);
        std::string seen;
        auto walk = [&seen](const CXmlElement* element, auto& self) -> void {
            for (; element != nullptr; element = element->GetNextSiblingElement()) {
                seen += std::string(element->GetLocalName()) + "@" + std::to_string(element->GetLine()) + ":" +
                        std::to_string(element->GetColumn()) + ";";
                self(element->GetFirstElement(), self);
            }
        };
        walk(document->GetDocumentElement(), walk);
        document->Finish();
        EXPECT_TRUE(seen == expected) << "pieces of " << piece;
    }
}

namespace {
// Serves a text in pieces, noting the threads that ask for more.
struct NotingBuffer : std::stringbuf {
    using std::stringbuf::stringbuf;
    std::vector<std::thread::id> readers;
    int_type underflow() override {
        readers.push_back(std::this_thread::get_id());
        return std::stringbuf::underflow();
    }
};
}  // namespace

// A stream is the caller's: it is read on the caller's thread even where large
// reads are asked to parse on a thread of their own; and one longer than the
// limit is refused at the limit, not at its end.
TEST(RuntimeStreams, AStreamIsReadOnTheCallersThreadUpToTheLimit) {
    auto table = VantrelLib::CFrameTableData::CreateInstance();
    for (int i = 0; i < 2000; ++i) table->GetFrameEntry()->Add()->SetNo(i);
    NotingBuffer buffer(table->ToXml());
    std::istream stream(&buffer);
    LtXmlLib3::CReadOptions options;
    options.parseOnThreadFromBytes = 0;
    auto read = VantrelLib::CFrameTableData::CreateInstance();
    read->FromXmlStream(stream, options);
    EXPECT_EQ(read->GetFrameEntry()->GetCount(), 2000);
    const auto caller = std::this_thread::get_id();
    EXPECT_TRUE(!buffer.readers.empty() && std::count(buffer.readers.begin(), buffer.readers.end(), caller) ==
                                               static_cast<std::ptrdiff_t>(buffer.readers.size()));

    std::istringstream spaces("<Vantrel schemaVersion='1'><GeneralData>" + std::string(std::size_t{4} << 20, ' '));
    options.maxInputBytes = std::uint64_t{1} << 20;
    EXPECT_EQ(ChainOf([&] { VantrelLib::CVantrel::CreateInstance()->FromXmlStream(spaces, options); }),
              std::vector<std::string>{"The document is longer than the limit of 1048576 bytes"});
    const auto at = static_cast<std::uint64_t>(spaces.rdbuf()->pubseekoff(0, std::ios::cur, std::ios::in));
    EXPECT_TRUE(at >= options.maxInputBytes && at <= options.maxInputBytes + (std::size_t{128} << 10)) << at;
}

TEST(RuntimeExceptions, ChainKeepsClassesAndLines) {
    CLtInvalidValueException inner("bad value");
    inner.SetLocation(7, 0);  // column unknown
    CLtValidationException outer("wrapper", inner);
    outer.SetLocation(2, 5);
    outer.SetContext("index 3, Id 7");
    EXPECT_EQ(outer.FormatChain("ship.xml"), "ship.xml:2:5: wrapper (index 3, Id 7)\nship.xml:7: bad value\n");
    EXPECT_THROW(outer.GetInnermost().Rethrow(), CLtInvalidValueException);  // a copy keeps its class
}
