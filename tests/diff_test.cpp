// Deep copies (Clone) and the semantic diff (VantrelLib::Diff), over random
// trees through the reflection; `vantrel diff` run as a process.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <set>
#include <string>
#include <tuple>
#include <type_traits>
#include <vector>

#include <VantrelLib/VantrelLib.h>

#ifdef VANTREL_TOOL_EXE
#include <nlohmann/json.hpp>

#include "TestSupport.h"
#include "ToolRun.h"
#endif

#include "RandomTree.h"
#include "TreeCompare.h"

namespace {

using LtXmlLib3::CSmartPtr;
using LtXmlLib3::CXmlObjectBase;
using VantrelLib::Diff::Difference;
using VantrelLib::Diff::Kind;
using VantrelLib::Reflection::ClassOf;
using VantrelLib::Reflection::Property;

// Every object of a tree: elements, the collections they hold and the items
// (held: editing the tree may drop them from it).
void Collect(CXmlObjectBase& object, std::vector<CSmartPtr<CXmlObjectBase>>& out) {
    out.emplace_back(&object);
    for (const Property& property : ClassOf(object)->Properties()) {
        if (property.IsAttribute()) continue;
        if (property.IsCollection()) out.push_back(property.GetChild(object));
        for (CXmlObjectBase* child : property.Children(object)) Collect(*child, out);
    }
}

template <class C>
constexpr bool kClonesAsItself = std::is_same_v<decltype(std::declval<const C&>().Clone()), CSmartPtr<C>>;
static_assert(kClonesAsItself<gdt::CPoint> && kClonesAsItself<VantrelLib::CVantrel> &&
              kClonesAsItself<VantrelLib::CRestEntry> && kClonesAsItself<VantrelLib::CMassBoxDataCol> &&
              kClonesAsItself<VantrelLib::CIRestEntryCol> && kClonesAsItself<VantrelLib::IRestEntry>);

TEST(Clone, SharesNothingWritesTheSameAndEditingItLeavesTheSourceAlone) {
    for (std::uint64_t seed = 1; seed <= 12; ++seed) {
        SCOPED_TRACE(seed);
        randomtree::Options options;
        options.full = seed % 3 == 0;
        const auto source = randomtree::RandomVantrel(seed, options);
        const std::string text = source->ToXml();
        const auto clone = source->Clone();
        EXPECT_EQ(clone->ToXml(), text);
        EXPECT_TRUE(treecompare::Equal(*source, *clone));

        std::vector<CSmartPtr<CXmlObjectBase>> sourceObjects, cloneObjects;
        Collect(*source, sourceObjects);
        Collect(*clone, cloneObjects);
        ASSERT_EQ(cloneObjects.size(), sourceObjects.size());
        const std::set<CXmlObjectBase*> shared(sourceObjects.begin(), sourceObjects.end());
        for (const auto& object : cloneObjects) EXPECT_EQ(shared.count(object), 0u) << object->GetElementName();

        randomtree::Generator editor(seed + 1000);
        for (const auto& object : cloneObjects)
            if (ClassOf(*object) != nullptr) editor.Fill(*object);
        EXPECT_EQ(source->ToXml(), text);
    }
}

TEST(Clone, ARestEntryClonesAsItsClassThroughItsInterface) {
    const auto tank = VantrelLib::CTankEntry::CreateInstance();
    tank->SetMassId(7);
    const CSmartPtr<VantrelLib::IRestEntry> entry(tank.get());
    const auto copy = entry->Clone();
    ASSERT_NE(dynamic_cast<VantrelLib::CTankEntry*>(copy.get()), nullptr);
    EXPECT_NE(copy.get(), entry.get());
    EXPECT_EQ(copy->GetMassId(), 7);
}

// --- the diff -----------------------------------------------------------------

TEST(Diff, ListItemsAreIdentifiedByTheirIdAttributes) {
    const std::vector<std::pair<const char*, const char*>> rows = {
        {"CMassBoxData", "Id"},        {"CMassAssembledData", "Id"}, {"CHydroData", "Id"},
        {"CRestEntry", "MassId"},      {"CTankEntry", "MassId"},     {"CContainerEntry", "MassId"},
        {"CLoadcase", "LoadcaseId"},   {"CLongitudinalPosition", "XPosition"},
        {"CFrameTableEntry", "No"},    {"CRow", ""},                 {"CBox", ""}};
    for (const auto& [className, identity] : rows) {
        const Property* found = VantrelLib::Diff::IdentityOf(*VantrelLib::Reflection::FindClass(className));
        EXPECT_EQ(found ? found->Name() : std::string(), identity) << className;
    }
}

using Row = std::tuple<Kind, std::string, std::string, std::string>;

std::multiset<Row> Rows(const std::vector<Difference>& differences) {
    std::multiset<Row> rows;
    for (const Difference& d : differences) {
        // An element added or removed whole: its text is checked by the exact tests.
        const bool whole =
            (d.kind == Kind::Added || d.kind == Kind::Removed) && d.path.find('@') == std::string::npos;
        EXPECT_TRUE(!whole || (d.oldText + d.newText).rfind('<', 0) == 0) << d.path;
        rows.emplace(d.kind, d.path, whole ? "" : d.oldText, whole ? "" : d.newText);
    }
    return rows;
}

// Edits a copy of a random tree at random and records the differences each
// edit must give: items removed from, moved in and added to lists with an
// identity, then attributes changed, unset or set where no other edit is.
class Editor {
public:
    Editor(CXmlObjectBase& tree, std::uint64_t seed) : m_random(seed) {
        // One list edit at a time, each in a list neither within nor around one edited before.
        std::vector<std::string> edited;
        for (int edit = 0; edit < 4; ++edit) {
            Rewalk(tree);
            std::vector<List> lists;
            for (const List& list : m_lists)
                if (std::none_of(edited.begin(), edited.end(), [&](const std::string& path) {
                        return path.rfind(list.path, 0) == 0 || list.path.rfind(path, 0) == 0;
                    }))
                    lists.push_back(list);
            if (lists.empty()) break;
            const List& list = lists[static_cast<std::size_t>(m_random.Below(static_cast<int>(lists.size())))];
            EditList(list, edit % 3);
            edited.push_back(list.path);
        }
        Rewalk(tree);
        for (int edit = 0; edit < 6 && !m_attributes.empty(); ++edit) {
            const std::size_t pick = static_cast<std::size_t>(m_random.Below(static_cast<int>(m_attributes.size())));
            EditAttribute(m_attributes[pick]);
            m_attributes.erase(m_attributes.begin() + static_cast<std::ptrdiff_t>(pick));
        }
    }
    const std::multiset<Row>& Expected() const { return m_expected; }

private:
    struct Site {
        std::string path;
        CXmlObjectBase* object;
        const Property* property;
    };
    struct List {
        std::string path;
        CXmlObjectBase* owner;
        const Property* property;
        std::vector<std::string> keys;
    };

    void Rewalk(CXmlObjectBase& tree) {
        m_attributes.clear();
        m_lists.clear();
        Walk("", tree);
    }

    static std::string Below(const std::string& parent, const char* name) {
        return parent.empty() ? std::string(name) : parent + "/" + name;
    }

    static std::string Key(const CXmlObjectBase& item) {
        const Property* identity = VantrelLib::Diff::IdentityOf(*ClassOf(item));
        return identity ? std::string("[") + identity->Name() + "=" + identity->GetText(item) + "]" : "";
    }

    void Walk(const std::string& path, CXmlObjectBase& object) {
        if (m_added.count(&object) != 0) return;
        const Property* identity = VantrelLib::Diff::IdentityOf(*ClassOf(object));
        for (const Property& property : ClassOf(object)->Properties()) {
            if (property.IsAttribute()) {
                if (&property != identity) m_attributes.push_back({path + "@" + property.Name(), &object, &property});
            } else if (property.IsCollection()) {
                const std::string at = Below(path, property.Name());
                const auto items = property.Children(object);
                std::vector<std::string> keys;
                for (const CXmlObjectBase* item : items) keys.push_back(Key(*item));
                const bool keyed = std::find(keys.begin(), keys.end(), "") == keys.end() &&
                                   std::set<std::string>(keys.begin(), keys.end()).size() == keys.size();
                if (keyed && !items.empty()) m_lists.push_back({at, &object, &property, keys});
                for (std::size_t i = 0; i < items.size(); ++i)
                    Walk(at + (keyed ? keys[i] : "[" + std::to_string(i + 1) + "]"), *items[i]);
            } else {
                for (const Property& child : property.GetKind() == Property::Kind::Choice
                                                 ? property.Branches() : std::vector<Property>{property})
                    if (CXmlObjectBase* held = child.GetChild(object)) Walk(Below(path, child.Name()), *held);
            }
        }
    }

    void EditList(const List& list, int edit) {
        auto* collection = static_cast<VantrelLib::Framework::CCollection*>(list.property->GetChild(*list.owner));
        const int count = collection->GetCount();
        if (edit == 0 && count > list.property->MinOccurs()) {  // remove one
            const int index = m_random.Below(count);
            collection->Remove(index);
            m_expected.emplace(Kind::Removed, list.path + list.keys[static_cast<std::size_t>(index)], "", "");
        } else if (edit == 1 && count >= 3) {  // the first to the end: the others kept their order
            CSmartPtr<CXmlObjectBase> first(collection->ItemObject(0));
            collection->Remove(0);
            collection->AddObject(first);
            m_expected.emplace(Kind::Moved, list.path + list.keys[0], "1", std::to_string(count));
        } else if (list.property->MaxOccurs() < 0 || count < list.property->MaxOccurs()) {  // add one, a new identity
            const auto& types = VantrelLib::Reflection::PolymorphicTypes();
            const auto* info = list.property->ItemClass();
            if (info == nullptr) info = types[static_cast<std::size_t>(m_random.Below(static_cast<int>(types.size())))];
            CSmartPtr<CXmlObjectBase> item = info->Create();
            m_random.Fill(*item);
            const Property& identity = *VantrelLib::Diff::IdentityOf(*info);
            while (std::find(list.keys.begin(), list.keys.end(), Key(*item)) != list.keys.end())
                identity.SetText(*item, std::to_string(m_random.Below(1000000)));
            list.property->Add(*list.owner, item);
            m_added.insert(item.get());
            m_expected.emplace(Kind::Added, list.path + Key(*item), "", "");
        }
    }

    void EditAttribute(const Site& site) {
        CXmlObjectBase& object = *site.object;
        const Property& property = *site.property;
        const bool valid = property.IsValid(object);
        const std::string old = valid ? property.GetText(object) : "";
        if (valid && !property.IsRequired() && m_random.Bool()) {
            property.SetValid(object, false);
            m_expected.emplace(Kind::Removed, site.path, old, "");
            return;
        }
        // A value of another random object of the class, until one differs.
        for (int attempt = 0; attempt < 50 && (!property.IsValid(object) || property.GetText(object) == old);
             ++attempt) {
            const auto donor = ClassOf(object)->Create();
            m_random.Fill(*donor);
            if (property.IsValid(*donor)) property.SetText(object, property.GetText(*donor));
        }
        if (!valid)
            m_expected.emplace(Kind::Added, site.path, "", property.GetText(object));
        else if (property.GetText(object) != old)
            m_expected.emplace(Kind::Changed, site.path, old, property.GetText(object));
    }

    randomtree::Generator m_random;
    std::vector<Site> m_attributes;
    std::vector<List> m_lists;
    std::set<const CXmlObjectBase*> m_added;
    std::multiset<Row> m_expected;
};

TEST(Diff, ARandomTreeAgainstARandomlyEditedCopyGivesExactlyTheEdits) {
    for (std::uint64_t seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE(seed);
        randomtree::Options options;
        options.maxItems = 5;
        const auto before = randomtree::RandomVantrel(seed, options);
        auto reread = VantrelLib::CVantrel::CreateInstance();
        reread->FromXml(before->ToXml());
        EXPECT_TRUE(VantrelLib::Diff::Compare(*before, *before).empty());
        EXPECT_TRUE(VantrelLib::Diff::Compare(*before, *reread).empty());

        const auto after = before->Clone();
        const Editor editor(*after, seed);
        EXPECT_FALSE(editor.Expected().empty());
        EXPECT_EQ(Rows(VantrelLib::Diff::Compare(*before, *after)), editor.Expected());
    }
}

CSmartPtr<gdt::CPoint> Point(double x) {
    auto point = gdt::CPoint::CreateInstance();
    point->SetX(x);
    return point;
}

TEST(Diff, DoublesCompareByBitsOrWithinARelativeTolerance) {
    const double inf = std::numeric_limits<double>::infinity(), nan = std::nan("");
    const std::vector<std::tuple<double, double, double, bool>> rows = {
        {1, 1 + 1e-12, 0, false}, {1, 1 + 1e-12, 1e-9, true}, {0, -0.0, 0, false}, {0, -0.0, 1e-9, true},
        {nan, -nan, 0, true},     {inf, inf, 0, true},         {inf, 1e308, 1, false}, {nan, 1, 1e9, false},
        {100, 101, 0.01, true},   {100, 102, 0.01, false}};
    for (const auto& [a, b, tolerance, equal] : rows) {
        VantrelLib::Diff::Options options;
        options.tolerance = tolerance;
        const auto differences = VantrelLib::Diff::Compare(*Point(a), *Point(b), options);
        EXPECT_EQ(differences.empty(), equal) << a << " " << b << " " << tolerance;
    }
    VantrelLib::Diff::Options negative;
    negative.tolerance = -1;
    EXPECT_THROW(VantrelLib::Diff::Compare(*Point(1), *Point(1), negative), LtXmlLib3::CLtException);
    EXPECT_THROW(VantrelLib::Diff::Compare(*Point(1), *VantrelLib::CRestEntry::CreateInstance()),
                 LtXmlLib3::CLtException);
}

std::vector<std::string> Lines(const std::string& before, const std::string& after) {
    auto a = VantrelLib::CVantrel::CreateInstance(), b = VantrelLib::CVantrel::CreateInstance();
    a->FromXml(before);
    b->FromXml(after);
    std::vector<std::string> lines;
    for (const Difference& difference : VantrelLib::Diff::Compare(*a, *b))
        lines.push_back(VantrelLib::Diff::FormatLine(difference));
    return lines;
}

TEST(Diff, LinesNameTheWholeItemsAndFallBackToPositionsForSharedIds) {
    const std::string head =
        R"(<Vantrel xmlns:xs="http://www.w3.org/2001/XMLSchema-instance" schemaVersion="1"><Masses>)";
    const std::string tail = "</Masses></Vantrel>";
    const auto boxes = [&](const std::string& entries) {
        return head + "<MassBoxes>" + entries + "</MassBoxes>" + tail;
    };
    const auto assembled = [&](const std::string& entry) {
        return head + R"(<MassAssembled><AssembledEntry Id="6" Mass="7"><CoG x="1" y="0"/>)" + entry +
               "</AssembledEntry></MassAssembled>" + tail;
    };
    const std::string box = R"(<Interval><Min x="0" y="0"/><Max x="1" y="1"/></Interval><CoG x="0" y="0"/>)"
                            R"(<NodeSelection UseSelected="All"/>)";
    const std::string box1 = R"(<BoxEntry Id="1" Title="a&#9;b" Mass="1">)" + box + "</BoxEntry>";
    const std::string box2 = R"(<BoxEntry Id="1" Mass="2">)" + box + "</BoxEntry>";
    EXPECT_EQ(Lines(boxes(""), boxes(box1)),
              std::vector<std::string>{"Masses/MassBoxes/BoxEntry[Id=1]: (none) -> " + box1});
    EXPECT_EQ(Lines(boxes(box1 + box2), boxes(box1 + box1)),
              (std::vector<std::string>{"Masses/MassBoxes/BoxEntry[2]@Title: (none) -> a\\tb",
                                        "Masses/MassBoxes/BoxEntry[2]@Mass: 2 -> 1"}));
    EXPECT_EQ(Lines(assembled(R"(<BoxEntry xs:type="RestEntry" Value="1" MassId="1"/>)"),
                    assembled(R"(<BoxEntry xs:type="TankEntry" Value="1" MassId="1" SpecificWeight="1"/>)")),
              std::vector<std::string>{
                  R"(Masses/MassAssembled/AssembledEntry[Id=6]/BoxEntry[MassId=1]: <BoxEntry )"
                  R"(xmlns:xs="http://www.w3.org/2001/XMLSchema-instance" xs:type="RestEntry" Value="1" MassId="1"/>)"
                  R"( -> <BoxEntry xmlns:xs="http://www.w3.org/2001/XMLSchema-instance" xs:type="TankEntry" )"
                  R"(Value="1" MassId="1" SpecificWeight="1"/>)"});
}

// --- vantrel diff ---------------------------------------------------------------

#ifdef VANTREL_TOOL_EXE

using Args = toolrun::Lines;

using testsupport::Replaced;

class DiffTool : public toolrun::ProcessTest {
protected:
    // The exit status and standard output of `vantrel args`.
    std::pair<int, std::string> Run(const Args& args, const std::string& input = "/dev/null") {
        const toolrun::Outcome outcome = RunTool(args, input);
        m_err = outcome.err;
        return {outcome.status, outcome.out};
    }
    std::string m_err;
};

TEST_F(DiffTool, PrintsOneLinePerDifferenceAndExitsByTheOutcome) {
    ASSERT_EQ(Run({"sample", "-o", "a.xml"}).first, 0);
    const std::string text = toolrun::Read(m_dir / "a.xml");
    std::string flat;  // the same document on one line, and that written back by format
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] != '\n') flat += text[i];
        else while (i + 1 < text.size() && text[i + 1] == ' ') ++i;
    File("flat.xml", flat);
    ASSERT_EQ(Run({"format", "flat.xml", "-o", "formatted.xml"}).first, 0);
    EXPECT_EQ(Run({"diff", "a.xml", "a.xml"}), std::make_pair(0, std::string()));
    EXPECT_EQ(Run({"diff", "flat.xml", "formatted.xml"}), std::make_pair(0, std::string()));
    ASSERT_EQ(Run({"convert", "a.xml", "-o", "a.json"}).first, 0);  // either side may be JSON
    EXPECT_EQ(Run({"diff", "a.json", "a.xml"}), std::make_pair(0, std::string()));

    File("b.xml", Replaced(text, R"(Mass="420")", R"(Mass="421")"));
    const std::string line = "Masses/MassBoxes/BoxEntry[Id=2]@Mass: 420 -> 421\n";
    EXPECT_EQ(Run({"diff", "a.xml", "b.xml"}), std::make_pair(1, line));
    EXPECT_EQ(Run({"diff", "-", "b.xml"}, (m_dir / "a.xml").string()), std::make_pair(1, line));
    EXPECT_EQ(Run({"diff", "--tolerance", "0.01", "a.xml", "b.xml"}), std::make_pair(0, std::string()));
    const auto json = nlohmann::json::parse(Run({"diff", "--json", "b.xml", "a.xml"}).second);
    EXPECT_EQ(json, nlohmann::json::parse(R"([{"path": "Masses/MassBoxes/BoxEntry[Id=2]@Mass",
                                              "kind": "changed", "old": "421", "new": "420"}])"));

    const std::size_t second = text.find(R"(<BoxEntry Id="2")"), third = text.find(R"(<BoxEntry Id="3")"),
                      fourth = text.find(R"(<BoxEntry Id="4")");
    File("swapped.xml", text.substr(0, second) + text.substr(third, fourth - third) +
                            text.substr(second, third - second) + text.substr(fourth));
    EXPECT_EQ(Run({"diff", "a.xml", "swapped.xml"}),
              std::make_pair(1, std::string("Masses/MassBoxes/BoxEntry[Id=2]: position 2 -> position 3\n")));
}

TEST_F(DiffTool, AnUnreadableSideOrABadOptionExitsWithTwo) {
    File("good.xml", R"(<Vantrel schemaVersion="1"/>)");
    File("bad.xml", "<Vantrel");
    File("a.json", "{}");
    for (const Args& args : std::vector<Args>{{"diff", "good.xml", "missing.xml"},
                                                {"diff", "bad.xml", "good.xml"},
                                                {"diff", "good.xml", "a.json"},
                                                {"diff", "--tolerance", "-1", "good.xml", "good.xml"},
                                                {"diff", "good.xml"}}) {
        EXPECT_EQ(Run(args), std::make_pair(2, std::string())) << args[1];
        EXPECT_NE(m_err, "") << args[1];
    }
    Run({"diff", "good.xml", "missing.xml"});
    EXPECT_NE(m_err.find("missing.xml"), std::string::npos) << m_err;
}

#endif  // VANTREL_TOOL_EXE

}  // namespace
