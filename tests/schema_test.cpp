// The library against an independent validator: every document the library
// writes must validate against schemas/Vantrel.xsd (and lone gdt objects
// against schemas/gdt.xsd) with xmllint, and on thousands of mutated documents
// the library's reader and xmllint must agree on accepting or refusing, apart
// from the few differences the schemas' header comments document.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
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
using LtXmlLib3::CLtException;
using LtXmlLib3::CSmartPtr;
using namespace VantrelLib;

const std::string kVantrelSchema = VANTREL_SOURCE_DIR "/schemas/Vantrel.xsd";
const std::string kGdtSchema = VANTREL_SOURCE_DIR "/schemas/gdt.xsd";

// A fresh directory, removed with everything in it at the end. In memory
// (/dev/shm) where there is one: thousands of small files are made here, and
// creating files on a disk can cost milliseconds each.
class TempDir {
public:
    TempDir() {
        std::error_code error;
        const fs::path base = fs::is_directory("/dev/shm", error) && access("/dev/shm", W_OK) == 0
                                  ? fs::path("/dev/shm")
                                  : fs::temp_directory_path();
        std::string pattern = (base / "vantrel-schema-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
        m_path = pattern;
    }
    ~TempDir() {
        std::error_code ignored;
        fs::remove_all(m_path, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const fs::path& Path() const { return m_path; }
    void Write(const std::string& name, const std::string& text) const {
        std::ofstream out(m_path / name, std::ios::binary);
        out << text;
        if (!out) throw std::runtime_error("cannot write " + name);
    }

private:
    fs::path m_path;
};

std::string ReadWhole(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Validates the named files of `dir` against `schema` with xmllint, a batch of
// files per process (xmllint compiles the schema once per run). Gives true for
// each file xmllint reports as valid; a file it refuses, or cannot parse, is false.
std::vector<bool> XmllintAccepts(const std::string& schema, const TempDir& dir, const std::vector<std::string>& names) {
    std::vector<bool> accepted(names.size(), false);
    const std::string output = (dir.Path() / "xmllint.out").string();
    constexpr std::size_t kBatch = 1000;
    for (std::size_t first = 0; first < names.size(); first += kBatch) {
        const std::size_t last = std::min(names.size(), first + kBatch);
        std::vector<std::string> args = {"xmllint", "--noout", "--schema", schema};
        args.insert(args.end(), names.begin() + static_cast<std::ptrdiff_t>(first),
                    names.begin() + static_cast<std::ptrdiff_t>(last));
        std::vector<char*> argv;
        for (std::string& arg : args) argv.push_back(arg.data());
        argv.push_back(nullptr);
        const std::string directory = dir.Path().string();

        const pid_t pid = fork();
        if (pid < 0) throw std::runtime_error("fork failed");
        if (pid == 0) {
            const int fd = open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (fd < 0 || chdir(directory.c_str()) != 0) _exit(126);
            dup2(fd, 1);
            dup2(fd, 2);
            execvp("xmllint", argv.data());
            _exit(127);
        }
        int status = 0;
        waitpid(pid, &status, 0);
        const std::string log = ReadWhole(output);
        if (!WIFEXITED(status) || WEXITSTATUS(status) == 127 || WEXITSTATUS(status) == 126) {
            ADD_FAILURE() << "xmllint could not be run (is libxml2-utils installed?)";
            return accepted;
        }
        // 0: all valid; 1: some not well-formed; 3: some invalid. Anything else
        // (a schema that does not compile, ...) is a fault of the test set-up.
        const int code = WEXITSTATUS(status);
        if (code != 0 && code != 1 && code != 3) {
            ADD_FAILURE() << "xmllint exited with " << code << ":\n" << log.substr(0, 2000);
            return accepted;
        }
        std::set<std::string> valid;
        std::istringstream lines(log);
        for (std::string line; std::getline(lines, line);) {
            static const std::string kValidates = " validates";
            if (line.size() > kValidates.size() &&
                line.compare(line.size() - kValidates.size(), kValidates.size(), kValidates) == 0)
                valid.insert(line.substr(0, line.size() - kValidates.size()));
        }
        for (std::size_t i = first; i < last; ++i) accepted[i] = valid.count(names[i]) > 0;
    }
    return accepted;
}

// The library's verdict on a document: empty when it reads it, else the chain.
std::string LibraryRefusal(const std::string& text) {
    auto root = CVantrel::CreateInstance();
    try {
        root->FromXml(text);
        return std::string();
    } catch (const CLtException& error) {
        std::string chain;
        for (const std::string& message : testsupport::Chain(error)) chain += message + " | ";
        return chain;
    }
}

// --- Documents built through the API -----------------------------------------

// Every class, every optional property and child set, default values.
CSmartPtr<CVantrel> DefaultsEverywhere() {
    auto root = CVantrel::CreateInstance();
    auto general = CGeneralData::CreateInstance();
    general->SetPrincipalDimension(CPrincipalDimension::CreateInstance());
    general->SetGeneralConstants(CGeneralConstants::CreateInstance());
    auto files = CAttachedFiles::CreateInstance();
    files->SetFrameTable(gdt::CAttachedFile::CreateInstance());
    files->SetFiniteElement(gdt::CAttachedFile::CreateInstance());
    files->SetHullformDescription(gdt::CAttachedFile::CreateInstance());
    files->SetFiniteElementExport(gdt::CAttachedFile::CreateInstance());
    general->SetAttachedFiles(files);
    auto table = CFrameTableData::CreateInstance();
    table->GetFrameEntry()->Add();
    general->SetFrameTable(table);
    root->SetGeneralData(general);

    auto loadcases = CLoadcaseData::CreateInstance();
    auto input = CLoadcaseInputData::CreateInstance();
    input->GetUnitLoadCase()->Add();
    loadcases->SetLoadcaseInput(input);
    auto envelopes = CLoadEnvelopeData::CreateInstance();
    envelopes->GetLongitudinalPosition()->Add();
    loadcases->SetLoadEnvelopes(envelopes);
    root->SetLoadcaseData(loadcases);

    auto masses = CMasses::CreateInstance();
    auto boxes = CMassBoxes::CreateInstance();
    boxes->GetBoxEntry()->Add()->GetInterval()->Add();
    masses->SetMassBoxes(boxes);
    auto groups = CMassElementGroups::CreateInstance();
    groups->GetElementGroupEntry()->Add();
    masses->SetMassElementGroups(groups);
    auto tanks = CMassTanks::CreateInstance();
    tanks->GetTankEntry()->Add()->GetInterval()->Add();
    masses->SetMassTanks(tanks);
    auto container = CMassContainer::CreateInstance();
    container->GetContainerEntry()->Add()->GetRow()->Add();
    masses->SetMassContainer(container);
    auto assembled = CMassAssembled::CreateInstance();
    auto entry = assembled->GetAssembledEntry()->Add();
    entry->GetContainerEntry()->Add();
    entry->GetTankEntry()->Add();
    for (auto list : {entry->GetBoxEntry(), entry->GetElementgroupEntry(), entry->GetAssembledEntry()}) {
        list->Add(CRestEntry::CreateInstance());
        list->Add(CContainerEntry::CreateInstance());
        list->Add(CTankEntry::CreateInstance());
    }
    masses->SetMassAssembled(assembled);
    root->SetMasses(masses);

    auto hydrodynamic = CHydrodynamic::CreateInstance();
    auto data = hydrodynamic->GetMassDistribution()->Add();
    data->GetScan()->GetScanBlock()->Add();
    data->GetSelect()->GetSelectEntry()->Add()->SetFactor(CHydroSelectFactorEntry::CreateInstance());
    data->GetSelect()->GetSelectEntry()->Add()->SetWave(CHydroSelectWaveEntry::CreateInstance());
    root->SetHydrodynamic(hydrodynamic);
    return root;
}

// Default-constructed objects: the root alone, the root with its four sections,
// the root with their subsections, and DefaultsEverywhere().
std::vector<CSmartPtr<CVantrel>> DefaultSections() {
    std::vector<CSmartPtr<CVantrel>> documents;
    documents.push_back(CVantrel::CreateInstance());
    auto sections = CVantrel::CreateInstance();
    sections->SetGeneralData(CGeneralData::CreateInstance());
    sections->SetLoadcaseData(CLoadcaseData::CreateInstance());
    sections->SetMasses(CMasses::CreateInstance());
    sections->SetHydrodynamic(CHydrodynamic::CreateInstance());
    documents.push_back(sections);
    auto subsections = CVantrel::CreateInstance();
    auto masses = CMasses::CreateInstance();
    masses->SetMassBoxes(CMassBoxes::CreateInstance());
    masses->SetMassElementGroups(CMassElementGroups::CreateInstance());
    masses->SetMassTanks(CMassTanks::CreateInstance());
    masses->SetMassContainer(CMassContainer::CreateInstance());
    masses->SetMassAssembled(CMassAssembled::CreateInstance());
    subsections->SetMasses(masses);
    auto general = CGeneralData::CreateInstance();
    general->SetAttachedFiles(CAttachedFiles::CreateInstance());
    general->SetFrameTable(CFrameTableData::CreateInstance());
    subsections->SetGeneralData(general);
    auto loadcases = CLoadcaseData::CreateInstance();
    loadcases->SetLoadcaseInput(CLoadcaseInputData::CreateInstance());
    loadcases->SetLoadEnvelopes(CLoadEnvelopeData::CreateInstance());
    subsections->SetLoadcaseData(loadcases);
    documents.push_back(subsections);
    documents.push_back(DefaultsEverywhere());
    return documents;
}

randomtree::Options FullOptions() {
    randomtree::Options options;
    options.full = true;
    options.maxItems = 2;
    return options;
}

// --- A small DOM over the writer's regular output -------------------------------

// One element per line, attributes with escaped values, no text: the form the
// library writes. Attribute values are kept escaped, as written.
struct Node {
    std::string name;
    std::vector<std::pair<std::string, std::string>> attributes;
    std::vector<Node> children;
    std::string text;  // character data a mutation puts right after the start tag
};

Node ParseWritten(const std::string& xml) {
    std::istringstream lines(xml);
    std::string line;
    std::getline(lines, line);  // the XML declaration
    Node document;              // holds the root as its only child
    std::vector<Node*> open = {&document};
    while (std::getline(lines, line)) {
        std::size_t i = line.find('<');
        if (i == std::string::npos) continue;
        if (line.compare(i, 2, "</") == 0) {
            open.pop_back();
            continue;
        }
        Node node;
        std::size_t end = line.find_first_of(" />", i + 1);
        node.name = line.substr(i + 1, end - i - 1);
        i = end;
        for (;;) {
            while (line[i] == ' ') ++i;
            if (line[i] == '/' || line[i] == '>') break;
            const std::size_t equals = line.find('=', i);
            const std::size_t close = line.find('"', equals + 2);
            node.attributes.emplace_back(line.substr(i, equals - i), line.substr(equals + 2, close - equals - 2));
            i = close + 1;
        }
        const bool empty = line[i] == '/';
        open.back()->children.push_back(std::move(node));
        if (!empty) open.push_back(&open.back()->children.back());
    }
    return std::move(document.children.at(0));
}

void Serialize(const Node& node, int depth, std::string& out) {
    out.append(static_cast<std::size_t>(depth) * 2, ' ');
    out += '<' + node.name;
    for (const auto& [name, value] : node.attributes) out += ' ' + name + "=\"" + value + '"';
    if (node.children.empty() && node.text.empty()) {
        out += "/>\n";
        return;
    }
    out += '>' + node.text;
    if (!node.children.empty()) {
        out += '\n';
        for (const Node& child : node.children) Serialize(child, depth + 1, out);
        out.append(static_cast<std::size_t>(depth) * 2, ' ');
    }
    out += "</" + node.name + ">\n";
}

std::string Serialize(const Node& root) {
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    Serialize(root, 0, out);
    return out;
}

// --- The mutator ---------------------------------------------------------------

// Why the library and xmllint may give different answers on a mutant. Each
// is documented in the schemas' header comments.
enum class Allowance {
    None,
    // The library does not check the document element's name.
    RootName,
    // Whitespace in an element with empty content: ignored by the library,
    // refused by a validator.
    WhitespaceInEmptyElement,
    // libxml2 refuses white space around an xs:long or xs:unsignedLong value,
    // which XML Schema collapses.
    Libxml2IntegerSpace,
    // libxml2 refuses a sign on an xs:unsignedLong ("+5", "-0").
    Libxml2UnsignedSign,
    // libxml2 refuses white space after "INF", "-INF" and "NaN".
    Libxml2SpecialValueSpace,
    // libxml2 accepts an xs:double whose exponent has no digits ("1e", "1E+").
    Libxml2EmptyExponent,
};

const char* AllowanceName(Allowance allowance) {
    switch (allowance) {
        case Allowance::None: return "none";
        case Allowance::RootName: return "document element name not checked";
        case Allowance::WhitespaceInEmptyElement: return "whitespace in an empty element";
        case Allowance::Libxml2IntegerSpace: return "libxml2: white space around an integer";
        case Allowance::Libxml2UnsignedSign: return "libxml2: sign on an unsignedLong";
        case Allowance::Libxml2SpecialValueSpace: return "libxml2: white space after INF/NaN";
        case Allowance::Libxml2EmptyExponent: return "libxml2: exponent without digits";
    }
    return "?";
}

// Whether the library accepts where the validator refuses under this allowance
// (true), or the other way round.
bool LibraryAcceptsUnder(Allowance allowance) { return allowance != Allowance::Libxml2EmptyExponent; }

struct BadValue {
    const char* text;       // as written into the attribute (escaped)
    Allowance allowance;    // the documented difference it may show
    const char* canonical;  // with an allowance: the plain form both must accept
};

// Values put into attributes: malformed numbers, booleans and tokens, values out
// of range, tokens of the wrong enumeration or case, and some valid but unusual
// forms (the reader must accept those exactly when the validator does).
const BadValue kValues[] = {
    {"abc", Allowance::None, ""},
    {"", Allowance::None, ""},
    {" ", Allowance::None, ""},
    {"1.2.3", Allowance::None, ""},
    {"1e", Allowance::Libxml2EmptyExponent, "1e0"},
    {"1E+", Allowance::Libxml2EmptyExponent, "1E+0"},
    {"+INF", Allowance::None, ""},
    {"inf", Allowance::None, ""},
    {"-NaN", Allowance::None, ""},
    {"0x1F", Allowance::None, ""},
    {"1,5", Allowance::None, ""},
    {"1 5", Allowance::None, ""},
    {"--1", Allowance::None, ""},
    {"1d5", Allowance::None, ""},
    {"1e400", Allowance::None, ""},
    {"-1e-400", Allowance::None, ""},
    {"1.", Allowance::None, ""},
    {"-.5e-3", Allowance::None, ""},
    {"9223372036854775807", Allowance::None, ""},
    {"9223372036854775808", Allowance::None, ""},
    {"-9223372036854775809", Allowance::None, ""},
    {"18446744073709551615", Allowance::None, ""},
    {"18446744073709551616", Allowance::None, ""},
    {"-1", Allowance::None, ""},
    {"+5", Allowance::Libxml2UnsignedSign, "5"},
    {"-0", Allowance::Libxml2UnsignedSign, "0"},
    {" 7 ", Allowance::Libxml2IntegerSpace, "7"},
    {"7&#10;", Allowance::Libxml2IntegerSpace, "7"},
    {"INF ", Allowance::Libxml2SpecialValueSpace, "INF"},
    {" NaN&#9;", Allowance::Libxml2SpecialValueSpace, "NaN"},
    {" -INF", Allowance::None, ""},
    {"0005", Allowance::None, ""},
    {"TRUE", Allowance::None, ""},
    {"yes", Allowance::None, ""},
    {"2", Allowance::None, ""},
    {"01", Allowance::None, ""},
    {" true ", Allowance::None, ""},
    {"0", Allowance::None, ""},
    {"p", Allowance::None, ""},
    {" P+S ", Allowance::None, ""},
    {"P +S", Allowance::None, ""},
    {"In-box", Allowance::None, ""},
    {"srd-box", Allowance::None, ""},
    {"TWE", Allowance::None, ""},
    {"sfminx", Allowance::None, ""},
    {"BMmaxZ", Allowance::None, ""},
    {"forward", Allowance::None, ""},
    {"Aft&#10;", Allowance::None, ""},
    {"Selection", Allowance::None, ""},
    {"Fix", Allowance::None, ""},
    {"x&amp;y &lt;z&gt;", Allowance::None, ""},
    {"&#xE9;&#x20AC;", Allowance::None, ""},
};

enum class Kind {
    DropAttribute,
    AddAttribute,
    SwapChildren,
    RepeatChild,
    DropChild,
    RenameElement,
    ChangeCase,
    BadValue,
    InsertText,
    InsertWhitespace,
    Count
};

const char* KindName(Kind kind) {
    static const char* const names[] = {"drop attribute", "add attribute",    "swap children", "repeat child",
                                        "drop child",     "rename element",   "change case",   "bad value",
                                        "insert text",    "insert whitespace"};
    return names[static_cast<int>(kind)];
}

struct Mutant {
    Kind kind;
    std::string description;
    Allowance allowance = Allowance::None;  // the documented difference this mutant may show
    std::string text;
    // With an allowance: the same document without the form the difference is
    // about (the value in its plain form, or the mutation undone). Both sides
    // must accept it, so that the difference is shown to come from that form alone.
    std::string canonical;
};

class Mutator {
public:
    // `texts` are valid documents as the library writes them; `bases` their DOMs.
    Mutator(std::uint64_t seed, const std::vector<std::string>& texts, const std::vector<Node>& bases)
        : m_engine(seed), m_texts(texts), m_bases(bases) {
        for (const Node& base : bases) CollectNames(base);
    }

    Mutant Next() {
        for (;;) {
            const std::size_t base = Below(m_bases.size());
            Node copy = m_bases[base];
            std::vector<std::pair<Node*, int>> nodes;  // node, depth
            Walk(copy, 0, nodes);
            const Kind kind = static_cast<Kind>(Below(static_cast<std::size_t>(Kind::Count)));
            Mutant mutant{kind, "", Allowance::None, "", ""};
            if (Apply(kind, nodes, mutant)) {
                mutant.text = Serialize(copy);
                if (mutant.allowance != Allowance::None && mutant.canonical.empty()) mutant.canonical = m_texts[base];
                return mutant;
            }
        }
    }

private:
    std::size_t Below(std::size_t count) { return static_cast<std::size_t>(m_engine() % count); }

    void CollectNames(const Node& node) {
        m_elementNames.insert(node.name);
        for (const auto& attribute : node.attributes)
            if (attribute.first.rfind("xmlns", 0) != 0 && attribute.first.find(':') == std::string::npos)
                m_attributeNames.insert(attribute.first);
        for (const Node& child : node.children) CollectNames(child);
    }
    static void Walk(Node& node, int depth, std::vector<std::pair<Node*, int>>& nodes) {
        nodes.emplace_back(&node, depth);
        for (Node& child : node.children) Walk(child, depth + 1, nodes);
    }
    template <class Set>
    std::string Pick(const Set& set) {
        auto it = set.begin();
        std::advance(it, static_cast<std::ptrdiff_t>(Below(set.size())));
        return *it;
    }
    // A node for which `eligible` holds, or null.
    template <class Predicate>
    std::pair<Node*, int> Choose(std::vector<std::pair<Node*, int>>& nodes, Predicate eligible) {
        std::vector<std::pair<Node*, int>> candidates;
        for (const auto& entry : nodes)
            if (eligible(*entry.first)) candidates.push_back(entry);
        if (candidates.empty()) return {nullptr, 0};
        return candidates[Below(candidates.size())];
    }

    bool Apply(Kind kind, std::vector<std::pair<Node*, int>>& nodes, Mutant& mutant) {
        const auto hasAttributes = [](const Node& n) { return !n.attributes.empty(); };
        const auto hasChildren = [](const Node& n) { return !n.children.empty(); };
        const auto any = [](const Node&) { return true; };
        switch (kind) {
            case Kind::DropAttribute: {
                auto [node, depth] = Choose(nodes, hasAttributes);
                if (node == nullptr) return false;
                const std::size_t i = Below(node->attributes.size());
                mutant.description = "drop " + node->attributes[i].first + " of " + node->name;
                node->attributes.erase(node->attributes.begin() + static_cast<std::ptrdiff_t>(i));
                return true;
            }
            case Kind::AddAttribute: {
                auto [node, depth] = Choose(nodes, any);
                // A name used elsewhere in the format (sometimes one this element
                // takes), or one no element takes.
                static const char* const kForeign[] = {"Foo", "id", "X", "value", "massId"};
                const std::string name = Below(3) == 0 ? kForeign[Below(5)] : Pick(m_attributeNames);
                mutant.description = "add " + name + " to " + node->name;
                node->attributes.emplace_back(name, Below(2) == 0 ? "1" : "true");
                return true;
            }
            case Kind::SwapChildren: {
                auto [node, depth] = Choose(nodes, [](const Node& n) { return n.children.size() >= 2; });
                if (node == nullptr) return false;
                const std::size_t i = Below(node->children.size());
                std::size_t j = Below(node->children.size() - 1);
                if (j >= i) ++j;
                if (node->children[i].name == node->children[j].name) return false;
                mutant.description =
                    "swap " + node->children[i].name + " and " + node->children[j].name + " in " + node->name;
                std::swap(node->children[i], node->children[j]);
                return true;
            }
            case Kind::RepeatChild: {
                auto [node, depth] = Choose(nodes, hasChildren);
                if (node == nullptr) return false;
                const std::size_t i = Below(node->children.size());
                mutant.description = "repeat " + node->children[i].name + " in " + node->name;
                Node copy = node->children[i];
                node->children.insert(node->children.begin() + static_cast<std::ptrdiff_t>(i) + 1, std::move(copy));
                return true;
            }
            case Kind::DropChild: {
                auto [node, depth] = Choose(nodes, hasChildren);
                if (node == nullptr) return false;
                const std::size_t i = Below(node->children.size());
                mutant.description = "drop " + node->children[i].name + " of " + node->name;
                node->children.erase(node->children.begin() + static_cast<std::ptrdiff_t>(i));
                return true;
            }
            case Kind::RenameElement:
            case Kind::ChangeCase: {
                auto [node, depth] = Choose(nodes, any);
                std::string name = node->name;
                if (kind == Kind::RenameElement) {
                    name = Pick(m_elementNames);
                } else {
                    switch (Below(3)) {
                        case 0: name[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(name[0]))); break;
                        case 1:
                            for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
                            break;
                        default:
                            for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
                            break;
                    }
                }
                if (name == node->name) return false;
                mutant.description = "rename " + node->name + " to " + name;
                node->name = name;
                if (depth == 0) mutant.allowance = Allowance::RootName;
                return true;
            }
            case Kind::BadValue: {
                auto [node, depth] = Choose(nodes, hasAttributes);
                if (node == nullptr) return false;
                auto& attribute = node->attributes[Below(node->attributes.size())];
                if (attribute.first.rfind("xmlns", 0) == 0) return false;
                const BadValue& value = kValues[Below(std::size(kValues))];
                mutant.description =
                    std::string("value [") + value.text + "] for " + attribute.first + " of " + node->name;
                mutant.allowance = value.allowance;
                if (value.allowance != Allowance::None) {
                    attribute.second = value.canonical;
                    mutant.canonical = Serialize(*nodes.front().first);  // the root of the copy
                }
                attribute.second = value.text;
                return true;
            }
            case Kind::InsertText:
            case Kind::InsertWhitespace: {
                auto [node, depth] = Choose(nodes, any);
                static const char* const kText[] = {"abc", "0", "x&amp;y", "<![CDATA[z]]>", "&#160;"};
                static const char* const kSpace[] = {" ", "\n  ", "&#9;", "<![CDATA[ ]]>", "&#10;&#13;"};
                const char* text = kind == Kind::InsertText ? kText[Below(5)] : kSpace[Below(5)];
                mutant.description = std::string("text [") + text + "] in " + node->name;
                node->text = text;
                if (kind == Kind::InsertWhitespace) mutant.allowance = Allowance::WhitespaceInEmptyElement;
                return true;
            }
            case Kind::Count: break;
        }
        return false;
    }

    std::mt19937_64 m_engine;
    const std::vector<std::string>& m_texts;
    const std::vector<Node>& m_bases;
    std::set<std::string> m_elementNames;
    std::set<std::string> m_attributeNames;
};

// A document whose GeneralData holds `inner`, for the tests of the text rule.
std::string WithText(const std::string& inner) {
    return "<Vantrel schemaVersion=\"1\"><GeneralData>" + inner + "</GeneralData></Vantrel>";
}

}  // namespace

// --- Everything the library writes is valid -------------------------------------

TEST(SchemaValidity, EveryWrittenDocumentValidates) {
    TempDir dir;
    std::vector<std::string> names;
    std::vector<std::string> texts;
    auto add = [&](const std::string& text) {
        names.push_back("doc" + std::to_string(names.size()) + ".xml");
        texts.push_back(text);
        dir.Write(names.back(), text);
    };
    for (const auto& document : DefaultSections()) add(document->ToXml());
    for (std::uint64_t seed = 1; seed <= 10; ++seed) add(randomtree::RandomVantrel(seed, FullOptions())->ToXml());
    for (std::uint64_t seed = 100; seed < 300; ++seed) add(randomtree::RandomVantrel(seed)->ToXml());

    const std::vector<bool> valid = XmllintAccepts(kVantrelSchema, dir, names);
    int invalid = 0;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (valid[i]) continue;
        if (++invalid <= 3) ADD_FAILURE() << names[i] << " does not validate:\n" << texts[i].substr(0, 4000);
    }
    EXPECT_EQ(invalid, 0);
}

// A gdt object written alone is a gdt document element in the gdt namespace.
TEST(SchemaValidity, LoneGdtObjectsValidateAgainstTheGdtSchema) {
    TempDir dir;
    std::vector<std::string> names;
    randomtree::Generator generator(7);
    auto add = [&](LtXmlLib3::CXmlObjectBase& object) {
        names.push_back("gdt" + std::to_string(names.size()) + ".xml");
        dir.Write(names.back(), object.ToXml());
    };
    for (int round = 0; round < 5; ++round) {
        auto point = gdt::CPoint::CreateInstance();
        auto range = gdt::CRangeDouble::CreateInstance();
        auto box = gdt::CBox::CreateInstance();
        auto frame = gdt::CFrame::CreateInstance();
        auto loadcase = gdt::CLoadcase::CreateInstance();
        auto file = gdt::CAttachedFile::CreateInstance();
        if (round > 0) {  // round 0: default-constructed
            generator.Fill(*point);
            generator.Fill(*range);
            generator.Fill(*box);
            generator.Fill(*frame);
            generator.Fill(*loadcase);
            generator.Fill(*file);
        }
        for (LtXmlLib3::CXmlObjectBase* object : std::initializer_list<LtXmlLib3::CXmlObjectBase*>{
                 point.get(), range.get(), box.get(), frame.get(), loadcase.get(), file.get()})
            add(*object);
    }
    const std::vector<bool> valid = XmllintAccepts(kGdtSchema, dir, names);
    for (std::size_t i = 0; i < names.size(); ++i)
        EXPECT_TRUE(valid[i]) << names[i] << ":\n" << ReadWhole(dir.Path() / names[i]);
}

// --- The reader and the validator agree on mutated documents ----------------------

TEST(SchemaDifferential, ReaderAndValidatorAgreeOnMutants) {
    // Valid documents to mutate: the default sections (not the bare root, where
    // every mutation would hit the document element), a full tree, small random ones.
    std::vector<std::string> valid;
    const auto defaults = DefaultSections();
    for (std::size_t i = 1; i < defaults.size(); ++i) valid.push_back(defaults[i]->ToXml());
    valid.push_back(randomtree::RandomVantrel(1, FullOptions())->ToXml());
    randomtree::Options small;
    small.maxItems = 2;
    for (std::uint64_t seed = 11; seed < 17; ++seed) valid.push_back(randomtree::RandomVantrel(seed, small)->ToXml());
    std::vector<Node> bases;
    for (const std::string& text : valid) {
        bases.push_back(ParseWritten(text));
        // The DOM gives back the written text exactly: a mutant differs only by its mutation.
        ASSERT_EQ(Serialize(bases.back()), text);
    }

    constexpr int kMutants = 3000;
    Mutator mutator(20240611, valid, bases);
    TempDir dir;
    std::vector<Mutant> mutants;
    std::vector<std::string> names;
    for (int i = 0; i < kMutants; ++i) {
        mutants.push_back(mutator.Next());
        names.push_back("m" + std::to_string(i) + ".xml");
        dir.Write(names.back(), mutants.back().text);
    }
    const std::vector<bool> validatorAccepts = XmllintAccepts(kVantrelSchema, dir, names);

    int bothAccept = 0, bothRefuse = 0, undocumented = 0;
    std::map<std::string, int> documented;
    std::map<std::string, int> perKind;
    std::vector<std::size_t> allowed;  // disagreements an allowance may explain
    auto report = [&](std::size_t i, const std::string& why) {
        if (++undocumented <= 10)
            ADD_FAILURE() << "disagreement on " << names[i] << " (" << mutants[i].description << "): " << why << "\n"
                          << mutants[i].text.substr(0, 3000);
    };
    for (std::size_t i = 0; i < mutants.size(); ++i) {
        const Mutant& mutant = mutants[i];
        const std::string refusal = LibraryRefusal(mutant.text);
        const bool libraryAccepts = refusal.empty();
        ++perKind[KindName(mutant.kind)];
        if (libraryAccepts == validatorAccepts[i]) {
            (libraryAccepts ? bothAccept : bothRefuse)++;
        } else if (mutant.allowance != Allowance::None && LibraryAcceptsUnder(mutant.allowance) == libraryAccepts) {
            allowed.push_back(i);
        } else {
            report(i, "library " + (libraryAccepts ? std::string("accepts") : "refuses: " + refusal) + ", xmllint " +
                          (libraryAccepts ? "refuses" : "accepts"));
        }
    }
    // An allowed difference must vanish with the form it is about: the
    // canonical variant is accepted by both.
    std::vector<std::string> canonicalNames;
    for (std::size_t i : allowed) {
        canonicalNames.push_back("c" + std::to_string(i) + ".xml");
        dir.Write(canonicalNames.back(), mutants[i].canonical);
    }
    const std::vector<bool> validatorAcceptsCanonical = XmllintAccepts(kVantrelSchema, dir, canonicalNames);
    for (std::size_t k = 0; k < allowed.size(); ++k) {
        const Mutant& mutant = mutants[allowed[k]];
        const std::string refusal = LibraryRefusal(mutant.canonical);
        if (validatorAcceptsCanonical[k] && refusal.empty())
            ++documented[AllowanceName(mutant.allowance)];
        else
            report(allowed[k], std::string("not explained by '") + AllowanceName(mutant.allowance) +
                                   "': the canonical form is " +
                                   (refusal.empty() ? "accepted" : "refused: " + refusal) + " by the library and " +
                                   (validatorAcceptsCanonical[k] ? "accepted" : "refused") + " by xmllint");
    }
    int documentedTotal = 0;
    for (const auto& [reason, count] : documented) documentedTotal += count;
    std::printf(
        "[ mutants  ] %d mutants: %d agreements (%d both accept, %d both refuse), %d documented differences, "
        "%d undocumented\n",
        kMutants, bothAccept + bothRefuse, bothAccept, bothRefuse, documentedTotal, undocumented);
    for (const auto& [reason, count] : documented)
        std::printf("[ mutants  ]   documented: %s: %d\n", reason.c_str(), count);
    for (const auto& [kind, count] : perKind) std::printf("[ mutants  ]   kind: %s: %d\n", kind.c_str(), count);

    EXPECT_EQ(undocumented, 0);
    // The mutants must mostly be invalid, and both verdicts must occur.
    EXPECT_GT(bothRefuse, kMutants / 2);
    EXPECT_GT(bothAccept, kMutants / 50);
}

// Each documented difference, shown once on a small document, with both answers
// as documented. Should either side change, the allowance above is stale.
TEST(SchemaDifferential, DocumentedDifferencesHoldAsDocumented) {
    struct Case {
        const char* name;
        std::string text;
        bool libraryAccepts;
        bool validatorAccepts;
    };
    const std::string input =
        "<Vantrel schemaVersion=\"1\"><LoadcaseData><LoadcaseInput LoadComponent=\"SFminX\" "
        "IsHalfModel=\"true\" NoOfIntervals=\"";
    const std::string inputEnd =
        "\"><BaseLoadCase LoadcaseId=\"1\"/><Origin x=\"0\" y=\"0\"/></LoadcaseInput>"
        "</LoadcaseData></Vantrel>";
    const std::string lpp = "<Vantrel schemaVersion=\"1\"><GeneralData><PrincipalDimension Lpp=\"";
    const std::string lppEnd = "\"/></GeneralData></Vantrel>";
    const Case cases[] = {
        {"root name", "<vantrel schemaVersion=\"1\"/>", true, false},
        {"whitespace in empty element", lpp + "1\"> </PrincipalDimension></GeneralData></Vantrel>", true, false},
        {"whitespace in element-only content", "<Vantrel schemaVersion=\"1\"> <GeneralData/> </Vantrel>", true, true},
        {"integer with spaces", input + " 5 " + inputEnd, true, false},
        {"unsigned with plus", input + "+5" + inputEnd, true, false},
        {"unsigned minus zero", input + "-0" + inputEnd, true, false},
        {"INF with trailing space", lpp + "INF " + lppEnd, true, false},
        {"empty exponent", lpp + "1e" + lppEnd, false, true},
        {"text content", WithText("abc"), false, false},
        {"plain valid", input + "5" + inputEnd, true, true},
    };
    TempDir dir;
    std::vector<std::string> names;
    for (const Case& c : cases) {
        names.push_back("case" + std::to_string(names.size()) + ".xml");
        dir.Write(names.back(), c.text);
    }
    const std::vector<bool> validator = XmllintAccepts(kVantrelSchema, dir, names);
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].name);
        EXPECT_EQ(LibraryRefusal(cases[i].text).empty(), cases[i].libraryAccepts) << LibraryRefusal(cases[i].text);
        EXPECT_EQ(validator[i], cases[i].validatorAccepts);
    }
}

// --- Text content -------------------------------------------------------------------

// No element carries text: character data other than whitespace is refused,
// wherever it stands, as a fault of the element's child block.
TEST(SchemaTextContent, NonWhitespaceTextIsRefused) {
    using testsupport::ChildrenOf;
    const std::string unexpected = "Unexpected text content found in element [GeneralData]";
    const std::vector<std::string> inGeneralData = {ChildrenOf("Vantrel"), ChildrenOf("GeneralData"), unexpected};
    for (const std::string inner :
         {"abc", "abc<PrincipalDimension/>", "<PrincipalDimension/>abc", "<![CDATA[x]]>", "&#160;", "&amp;"}) {
        SCOPED_TRACE(inner);
        EXPECT_EQ(testsupport::ReadFailure<CVantrel>(WithText(inner)), inGeneralData);
    }
    // In an empty element, in the root, and in a lone gdt object.
    EXPECT_EQ(
        testsupport::ReadFailure<CVantrel>(WithText("<PrincipalDimension>1.5</PrincipalDimension>")),
        (std::vector<std::string>{ChildrenOf("Vantrel"), ChildrenOf("GeneralData"), ChildrenOf("PrincipalDimension"),
                                  "Unexpected text content found in element [PrincipalDimension]"}));
    EXPECT_EQ(testsupport::ReadFailure<CVantrel>("<Vantrel schemaVersion=\"1\">x</Vantrel>"),
              (std::vector<std::string>{ChildrenOf("Vantrel"), "Unexpected text content found in element [Vantrel]"}));
    EXPECT_EQ(testsupport::ReadFailure<gdt::CPoint>("<Point x=\"1\" y=\"2\">3</Point>"),
              (std::vector<std::string>{ChildrenOf("Point"), "Unexpected text content found in element [Point]"}));
    // A fault of a child comes first; the text of an item is its own fault.
    EXPECT_EQ(testsupport::ReadFailure<gdt::CBox>("<Box>t<Min x=\"1\"/><Max x=\"1\" y=\"1\"/></Box>"),
              (std::vector<std::string>{ChildrenOf("Box"), testsupport::AttributesOf("Min"),
                                        "Failed to find the required Attribute [y]"}));
    EXPECT_EQ(testsupport::ReadFailure<gdt::CBox>("<Box><Min x=\"1\" y=\"1\"/><Max x=\"1\" y=\"1\">t</Max></Box>"),
              (std::vector<std::string>{ChildrenOf("Box"), ChildrenOf("Max"),
                                        "Unexpected text content found in element [Max]"}));
}

TEST(SchemaTextContent, WhitespaceCommentsAndProcessingInstructionsAreNotText) {
    auto root = CVantrel::CreateInstance();
    root->FromXml(
        "<Vantrel schemaVersion=\"1\">\n\t <GeneralData> <!-- note --> <?pi x?>"
        "<PrincipalDimension Lpp=\"2\">&#10;<![CDATA[ ]]>&#32;</PrincipalDimension>\r\n</GeneralData> "
        "</Vantrel>");
    ASSERT_NE(root->GetGeneralData(), nullptr);
    EXPECT_EQ(root->GetGeneralData()->GetPrincipalDimension()->GetLpp(), 2.0);
}
