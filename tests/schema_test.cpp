// The library against an independent validator: every document the library
// writes validates against schemas/Vantrel.xsd with xmllint, and on thousands of mutated documents the
// reader and xmllint agree on accepting or refusing, apart from the few
// differences the schemas' header comments document.

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include <VantrelLib/VantrelLib.h>

#include "RandomTree.h"
#include "TestSupport.h"

namespace {

namespace fs = std::filesystem;
using namespace VantrelLib;
using Reflection::Property;
using Lines = std::vector<std::string>;

const std::string kSchema = VANTREL_SOURCE_DIR "/schemas/Vantrel.xsd";

std::string ReadWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Whether xmllint finds each document valid against schemas/Vantrel.xsd, in
// one run (it compiles the schema once a run) over files in a fresh
// directory: in memory (/dev/shm) where there is one, as thousands are made.
std::vector<bool> XmllintValid(const Lines& texts) {
    struct Scratch {
        std::string path;
        ~Scratch() {
            std::error_code ignored;
            fs::remove_all(path, ignored);
        }
    } dir{((access("/dev/shm", W_OK) == 0 ? fs::path("/dev/shm") : fs::temp_directory_path()) / "vantrel-XXXXXX")};
    if (mkdtemp(dir.path.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    std::string command = "cd '" + dir.path + "' && xmllint --noout --schema '" + kSchema + "'";
    for (std::size_t i = 0; i < texts.size(); ++i) {
        std::ofstream(dir.path + "/" + std::to_string(i), std::ios::binary) << texts[i];
        command += ' ' + std::to_string(i);
    }
    const int status = std::system((command + " >log 2>&1").c_str());
    const std::string log = ReadWhole(dir.path + "/log");
    // 0: all valid, 1: some not well-formed, 3: some invalid; else a fault of the set-up.
    const int code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (code != 0 && code != 1 && code != 3) ADD_FAILURE() << "xmllint exited with " << code << ":\n" << log;
    std::vector<bool> valid(texts.size(), false);
    std::istringstream lines(log);
    for (std::string line; std::getline(lines, line);)  // "12 validates"
        if (line.size() > 10 && line.compare(line.size() - 10, 10, " validates") == 0) valid.at(std::stoul(line)) = 1;
    return valid;
}

// The library's verdict on a document: "" when it reads it, else the chain.
std::string LibraryRefusal(const std::string& text) {
    std::string chain;
    try {
        CVantrel::CreateInstance()->FromXml(text);
    } catch (const LtXmlLib3::CLtException& error) {
        for (const std::string& message : testsupport::Chain(error)) chain += message + " | ";
    }
    return chain;
}

// A root of default-constructed objects: required parts always, optional
// children and three items a collection only `depth` levels down; the
// choice's branches and the rest entry classes taken in turn.
void AddDefaults(LtXmlLib3::CXmlObjectBase& object, int depth, std::size_t& turn) {
    const auto make = [&](const Reflection::ClassInfo* info) {
        auto child = info->Create();
        AddDefaults(*child, depth - 1, turn);
        return child;
    };
    for (const Property& p : Reflection::ClassOf(object)->Properties()) {
        const Property& branch = p.GetKind() == Property::Kind::Choice ? p.Branches()[turn++ % p.Branches().size()] : p;
        const auto& types = Reflection::PolymorphicTypes();
        if (p.GetKind() == Property::Kind::RequiredChild)
            AddDefaults(*p.GetChild(object), depth - 1, turn);
        else if (p.GetKind() == Property::Kind::Choice || (p.GetKind() == Property::Kind::OptionalChild && depth > 0))
            branch.SetChild(object, make(branch.ItemClass()));
        else if (p.IsCollection())
            for (long i = 0; i < std::max(p.MinOccurs(), depth > 0 ? 3L : 0L); ++i)
                p.Add(object, make(p.ItemClass() ? p.ItemClass() : types[static_cast<std::size_t>(i) % types.size()]));
    }
}
std::string Defaults(int depth) {
    auto root = CVantrel::CreateInstance();
    std::size_t turn = 0;
    AddDefaults(*root, depth, turn);
    return root->ToXml();
}

// --- The mutator: one change to a document as the library writes it (one
// element a line, each child two spaces further in), made on its lines. ----------

bool IsStart(const std::string& line) { return line[line.find('<') + 1] != '/'; }
std::size_t NameEnd(const std::string& line) { return line.find_first_of(" />", line.find('<') + 1); }
std::string NameOf(const std::string& line) {
    return line.substr(line.find('<') + 1, NameEnd(line) - line.find('<') - 1);
}
// The line after the element starting at line `i`.
std::size_t After(const Lines& lines, std::size_t i) {
    const std::size_t indent = lines[i].find('<');
    if (lines[i].compare(lines[i].size() - 2, 2, "/>") == 0) return i + 1;
    while (lines[++i].compare(indent, 2, "</") != 0) {
    }
    return i + 1;
}
// Each attribute of a start tag: the offsets of its name, its value and the quote after it.
std::vector<std::array<std::size_t, 3>> AttributesOf(const std::string& line) {
    std::vector<std::array<std::size_t, 3>> found;
    for (std::size_t i = NameEnd(line); line[i] == ' ';) {
        const std::size_t equals = line.find('=', i), end = line.find('"', equals + 2);
        found.push_back({i + 1, equals + 2, end});
        i = end + 1;
    }
    return found;
}
std::string Join(const Lines& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + '\n';
    return text;
}

// The documented differences a mutant may show. With all but the last the
// library accepts what the validator refuses.
const char* const kRootName = "document element name not checked";
const char* const kIntegerSpace = "libxml2 refuses white space around an integer";
const char* const kUnsignedSign = "libxml2 refuses a sign on an unsignedLong";
const char* const kSpecialSpace = "libxml2 refuses white space after INF, -INF and NaN";
const char* const kEmptyExponent = "libxml2 accepts an exponent without digits";

// Attribute values (escaped): malformed numbers, booleans and tokens, values
// out of range, tokens of the wrong enumeration or case, and valid but unusual
// forms. With a documented difference: the plain form both must accept.
const struct {
    const char* text;
    const char* allowance = nullptr;
    const char* canonical = nullptr;
} kValues[] = {
    {"abc"}, {""}, {" "}, {"1.2.3"}, {"1e", kEmptyExponent, "1e0"}, {"1E+", kEmptyExponent, "1E+0"}, {"+INF"},
    {"inf"}, {"-NaN"}, {"0x1F"}, {"1,5"}, {"1 5"}, {"--1"}, {"1d5"}, {"1e400"}, {"-1e-400"}, {"1."}, {"-.5e-3"},
    {"9223372036854775807"}, {"9223372036854775808"}, {"-9223372036854775809"}, {"18446744073709551615"},
    {"18446744073709551616"}, {"-1"}, {"+5", kUnsignedSign, "5"}, {"-0", kUnsignedSign, "0"},
    {" 7 ", kIntegerSpace, "7"}, {"7&#10;", kIntegerSpace, "7"}, {"INF ", kSpecialSpace, "INF"},
    {" NaN&#9;", kSpecialSpace, "NaN"}, {" -INF"}, {"0005"}, {"TRUE"}, {"yes"}, {"2"}, {"01"}, {" true "}, {"0"},
    {"p"}, {" P+S "}, {"P +S"}, {"In-box"}, {"srd-box"}, {"TWE"}, {"sfminx"}, {"BMmaxZ"}, {"forward"},
    {"Aft&#10;"}, {"Selection"}, {"Fix"}, {"x&amp;y &lt;z&gt;"}, {"&#xE9;&#x20AC;"},
};
struct Mutant {
    std::string description;
    const char* allowance = nullptr;
    std::string text;
    std::string canonical;  // with an allowance: the document without the form it is about
};

class Mutator {
public:
    explicit Mutator(const Lines& texts) {
        for (const std::string& text : texts) {
            std::istringstream in(text);
            Lines& lines = m_bases.emplace_back();
            for (std::string line; std::getline(in, line);) lines.push_back(line);
        }
        for (const Reflection::ClassInfo* info : Reflection::Classes()) {  // the names of the format
            for (const Property& p : info->Properties()) {
                if (*p.Name() != '\0') (p.IsAttribute() ? m_attributeNames : m_elementNames).insert(p.Name());
                for (const Property& branch : p.Branches()) m_elementNames.insert(branch.Name());
            }
        }
    }

    Mutant Next() {
        for (;;) {
            Mutant mutant;
            const Lines& base = m_bases[Below(m_bases.size())];
            Lines lines = base;
            if (!Apply(lines, mutant)) continue;
            mutant.text = Join(lines);
            if (mutant.allowance != nullptr && mutant.canonical.empty()) mutant.canonical = Join(base);
            return mutant;
        }
    }

private:
    std::size_t Below(std::size_t count) { return static_cast<std::size_t>(m_engine() % count); }
    template <class Set>
    std::string Pick(const Set& set) {
        return *std::next(set.begin(), static_cast<std::ptrdiff_t>(Below(set.size())));
    }

    // Drops or adds an attribute, swaps, repeats or drops an element, renames
    // one, or gives an attribute a bad value: false when the element drawn has
    // nothing to change.
    bool Apply(Lines& lines, Mutant& mutant) {
        static const int kKinds[] = {0, 1, 2, 3, 4, 5, 5, 6, 6};
        const int kind = kKinds[Below(std::size(kKinds))];
        const std::size_t i = 1 + Below(lines.size() - 1);
        if (!IsStart(lines[i]) || (kind >= 2 && kind <= 4 && i == 1)) return false;  // the root has no siblings
        const std::size_t after = After(lines, i), indent = lines[i].find('<');
        std::string& line = lines[i];
        const std::string name = NameOf(line);
        const auto attributes = AttributesOf(line);
        if ((kind == 0 || kind == 6) && attributes.empty()) return false;
        const auto a = attributes.empty() ? std::array<std::size_t, 3>{} : attributes[Below(attributes.size())];
        if ((kind == 0 || kind == 6) && line.find(':', a[0]) < a[1]) return false;  // a namespace declaration
        static const char* const kNames[] = {"drop attribute", "add attribute", "swap", "repeat", "drop element",
                                             "rename", "bad value"};
        mutant.description = std::string(kNames[kind]) + " at line " + std::to_string(i + 1);
        const auto at = [&](std::size_t k) { return lines.begin() + static_cast<std::ptrdiff_t>(k); };
        switch (kind) {
            case 0:
                line.erase(a[0] - 1, a[2] - a[0] + 2);
                return true;
            case 1: {  // a name used elsewhere in the format, or one no element takes
                static const std::set<std::string> kForeign = {"Foo", "id", "X", "value", "massId"};
                const std::string added = Below(3) == 0 ? Pick(kForeign) : Pick(m_attributeNames);
                line.insert(NameEnd(line), " " + added + (Below(2) == 0 ? "=\"1\"" : "=\"true\""));
                return true;
            }
            case 2: {  // with the next sibling
                if (!IsStart(lines[after]) || lines[after].find('<') != indent || NameOf(lines[after]) == name)
                    return false;
                std::rotate(at(i), at(after), at(After(lines, after)));
                return true;
            }
            case 3: {
                const Lines copy(at(i), at(after));
                lines.insert(at(after), copy.begin(), copy.end());
                return true;
            }
            case 4:
                lines.erase(at(i), at(after));
                return true;
            case 5: {  // another element's name, or this one's with its first or every letter in another case
                std::string renamed = Below(2) == 0 ? Pick(m_elementNames) : name;
                const bool upper = Below(2) == 0, all = Below(2) == 0, recase = renamed == name;
                for (std::size_t k = 0; recase && k < (all ? name.size() : 1); ++k)
                    renamed[k] = static_cast<char>(upper ? std::toupper(static_cast<unsigned char>(renamed[k]))
                                                         : std::tolower(static_cast<unsigned char>(renamed[k])));
                if (renamed == name) return false;
                if (after != i + 1) lines[after - 1].replace(indent + 2, name.size(), renamed);
                line.replace(indent + 1, name.size(), renamed);
                if (i == 1) mutant.allowance = kRootName;
                return true;
            }
            default: {
                const auto& value = kValues[Below(std::size(kValues))];
                const std::string saved = line;
                if ((mutant.allowance = value.allowance) != nullptr) {
                    line.replace(a[1], a[2] - a[1], value.canonical);
                    mutant.canonical = Join(lines);
                    line = saved;
                }
                line.replace(a[1], a[2] - a[1], value.text);
                return true;
            }
        }
    }

    std::mt19937_64 m_engine{20240611};
    std::vector<Lines> m_bases;
    std::set<std::string> m_elementNames, m_attributeNames;
};

}  // namespace

TEST(SchemaValidity, EveryWrittenDocumentValidates) {
    Lines docs = {ReadWhole(VANTREL_SOURCE_DIR "/examples/ship.xml")};
    for (int depth : {0, 1, 2, 99}) docs.push_back(Defaults(depth));  // the root, its sections, ..., everything
    randomtree::Options full;
    full.full = true;
    full.maxItems = 2;
    for (std::uint64_t seed = 1; seed <= 10; ++seed) docs.push_back(randomtree::RandomVantrel(seed, full)->ToXml());
    for (std::uint64_t seed = 100; seed < 300; ++seed) docs.push_back(randomtree::RandomVantrel(seed)->ToXml());
    const std::vector<bool> valid = XmllintValid(docs);
    for (std::size_t i = 0, shown = 0; i < valid.size(); ++i)
        if (!valid[i] && ++shown <= 3) ADD_FAILURE() << "does not validate:\n" << docs[i].substr(0, 4000);

}

TEST(SchemaDifferential, ReaderAndValidatorAgreeOnMutants) {
    // Documents to mutate: default sections (not the bare root, where every
    // mutation would hit the document element), small random ones, a full one.
    Lines valid = {Defaults(1), Defaults(2), Defaults(99)};
    randomtree::Options options;
    options.maxItems = 2;
    for (std::uint64_t seed = 11; seed < 17; ++seed) valid.push_back(randomtree::RandomVantrel(seed, options)->ToXml());
    options.full = true;
    valid.push_back(randomtree::RandomVantrel(1, options)->ToXml());
    Mutator mutator(valid);
    constexpr int kMutants = 3000;
    std::vector<Mutant> mutants;
    Lines texts, canonicals;
    for (int i = 0; i < kMutants; ++i) texts.push_back(mutants.emplace_back(mutator.Next()).text);
    const std::vector<bool> validatorAccepts = XmllintValid(texts);

    int agreements[2] = {0, 0}, undocumented = 0;  // [both refuse, both accept]
    std::vector<const Mutant*> allowed;  // disagreements an allowance may explain
    const auto report = [&](const Mutant& mutant, const std::string& why) {
        if (++undocumented <= 10) ADD_FAILURE() << mutant.description << ": " << why << "\n" << mutant.text;
    };
    for (std::size_t i = 0; i < mutants.size(); ++i) {
        const std::string refusal = LibraryRefusal(mutants[i].text);
        if (refusal.empty() == validatorAccepts[i]) {
            ++agreements[refusal.empty()];
        } else if (mutants[i].allowance != nullptr && refusal.empty() == (mutants[i].allowance != kEmptyExponent)) {
            allowed.push_back(&mutants[i]);
            canonicals.push_back(mutants[i].canonical);
        } else {
            report(mutants[i], refusal.empty() ? "xmllint refuses, the library accepts"
                                               : "xmllint accepts, the library refuses: " + refusal);
        }
    }
    // An allowed difference vanishes with the form it is about: both accept the canonical form.
    std::map<std::string, int> documented;
    const std::vector<bool> validatorAcceptsCanonical = XmllintValid(canonicals);
    for (std::size_t k = 0; k < allowed.size(); ++k) {
        const std::string refusal = LibraryRefusal(allowed[k]->canonical);
        if (validatorAcceptsCanonical[k] && refusal.empty())
            ++documented[allowed[k]->allowance];
        else
            report(*allowed[k], std::string("not explained by '") + allowed[k]->allowance + "': " + refusal);
    }
    std::printf("[ mutants  ] %d mutants: %d both refuse, %d both accept\n", kMutants, agreements[0], agreements[1]);
    for (const auto& [reason, count] : documented) std::printf("[ mutants  ]   %s: %d\n", reason.c_str(), count);
    EXPECT_EQ(undocumented, 0);
    // The mutants must mostly be invalid, and both verdicts must occur.
    EXPECT_GT(agreements[0], kMutants / 2);
    EXPECT_GT(agreements[1], kMutants / 50);
}

// Each documented difference once on a small document, both answers as
// documented: should either side change, the allowance above is stale.
TEST(SchemaDifferential, DocumentedDifferencesHoldAsDocumented) {
    const auto intervals = [](const std::string& value) {  // an xs:unsignedLong
        return "<Vantrel schemaVersion=\"1\"><LoadcaseData><LoadcaseInput LoadComponent=\"SFminX\" "
               "IsHalfModel=\"true\" NoOfIntervals=\"" + value + "\"><BaseLoadCase LoadcaseId=\"1\"/>"
               "<Origin x=\"0\" y=\"0\"/></LoadcaseInput></LoadcaseData></Vantrel>";
    };
    const auto lpp = [](const std::string& value) {  // an xs:double
        return "<Vantrel schemaVersion=\"1\"><GeneralData><PrincipalDimension Lpp=" + value +
               "</GeneralData></Vantrel>";
    };
    const std::pair<std::string, std::pair<bool, bool>> cases[] = {  // the library's and the validator's verdicts
        {"<vantrel schemaVersion=\"1\"/>", {true, false}},     {lpp("\"1\"> </PrincipalDimension>"), {true, false}},
        {"<Vantrel schemaVersion=\"1\"> <GeneralData/> </Vantrel>", {true, true}},
        {intervals(" 5 "), {true, false}}, {intervals("+5"), {true, false}}, {intervals("-0"), {true, false}},
        {lpp("\"INF \"/>"), {true, false}}, {lpp("\"1e\"/>"), {false, true}}, {intervals("5"), {true, true}},
    };
    Lines texts;
    for (const auto& c : cases) texts.push_back(c.first);
    const std::vector<bool> validator = XmllintValid(texts);
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(std::make_pair(LibraryRefusal(cases[i].first).empty(), bool(validator[i])), cases[i].second)
            << cases[i].first << "\n" << LibraryRefusal(cases[i].first);
}
