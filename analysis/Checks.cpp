#include "VantrelLib/analysis/Checks.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <unordered_map>
#include <utility>

#include "VantrelLib/analysis/FrameScale.h"
#include "VantrelLib/analysis/MassIndex.h"
#include "VantrelLib/framework/Reflection.h"

namespace VantrelLib {
namespace Analysis {

namespace {

using LtXmlLib3::CXmlObjectBase;
namespace Reflection = VantrelLib::Reflection;

const std::vector<RuleInfo> kRules = {
    {"dangling-reference", Severity::Error, "a MassId or MassAssembledIdRef that names no mass of its kind"},
    {"reference-cycle", Severity::Error, "an assembled mass that contains itself, directly or through others"},
    {"duplicate-id", Severity::Error, "two masses of one kind, data sets or load cases sharing an Id"},
    {"inverted-box", Severity::Error, "a box with Min above Max on an axis"},
    {"inverted-range", Severity::Error, "a RangeXLpp whose from lies above its to"},
    {"non-finite-value", Severity::Error, "NaN or an infinity in a number"},
    {"negative-mass", Severity::Error, "a negative declared mass"},
    {"frames-not-increasing", Severity::Error, "frame numbers not strictly increasing, or a spacing not above zero"},
    {"positions-not-increasing", Severity::Error, "load envelope positions not strictly increasing"},
    {"envelope-min-above-max", Severity::Error, "a MinForces component above its MaxForces one"},
    {"cog-outside-boxes", Severity::Warning, "a box mass whose centre of gravity lies outside its boxes"},
    {"container-cog-outside", Severity::Warning, "a container block whose CoGx lies outside its Aft..Forward frames"},
    {"mass-sum-mismatch", Severity::Warning, "an assembled mass whose entries do not add up to its mass (0.1%)"},
    {"frame-table-not-closing", Severity::Warning, "spacings from PP1 that miss the PP2 coordinate by over 1 mm"},
};

constexpr double kSumTolerance = 0.001;    // relative, of the declared mass
constexpr double kLengthTolerance = 0.001;  // 1 mm, in metres

std::string Number(double value) { return LtXmlLib3::CConversions::r8ToString(value); }

class Report;
void CheckShape(const CXmlObjectBase& object, Report& report);

// Collects the findings, each with the path and line of its element.
class Report {
public:
    explicit Report(const CheckOptions& options) : m_options(options) {}

    bool Enabled(const char* rule) const {
        return std::find(m_options.disabled.begin(), m_options.disabled.end(), rule) == m_options.disabled.end();
    }
    void Add(const char* rule, const CXmlObjectBase* element, const std::string& message) {
        if (!Enabled(rule)) return;
        const RuleInfo* info = FindRule(rule);
        m_findings.push_back(Finding{rule, info->severity, Line(element), PathOf(element), message});
    }
    int Line(const CXmlObjectBase* element) const {
        return m_options.sourceLines != nullptr && element != nullptr ? m_options.sourceLines->LineOf(element) : 0;
    }
    std::string PathOf(const CXmlObjectBase* element) const {
        const auto found = m_paths.find(element);
        return found != m_paths.end() ? found->second : std::string();
    }
    // "line 12" where lines are known, else the path.
    std::string Where(const CXmlObjectBase* element) const {
        const int line = Line(element);
        return line > 0 ? "line " + std::to_string(line) : PathOf(element);
    }

    // Walks the tree through the reflection: notes each element's path,
    // reports every double attribute that is not finite, checks its shape.
    void Walk(const CXmlObjectBase& object, const std::string& path) {
        m_paths[&object] = path;
        const Reflection::ClassInfo* info = Reflection::ClassOf(object);
        if (info == nullptr) return;
        CheckShape(object, *this);
        const std::string prefix = path.empty() ? std::string() : path + "/";
        for (const Reflection::Property& property : info->Properties()) {
            if (property.IsAttribute()) {
                if (property.GetType() == Reflection::Property::Type::Double && property.IsValid(object)) {
                    const double value = property.GetDouble(object);
                    if (!std::isfinite(value))
                        Add("non-finite-value", &object,
                            std::string(property.Name()) + " is " + Number(value) + "; expected a finite number");
                }
                continue;
            }
            const std::vector<CXmlObjectBase*> children = property.Children(object);
            if (!property.IsCollection()) {
                for (const CXmlObjectBase* child : children)
                    Walk(*child, prefix + std::string(child->GetElementName()));
                continue;
            }
            // An item goes by its Id where no other item of the list has it.
            std::vector<std::string> ids(children.size());
            std::map<std::string, int> uses;
            for (std::size_t i = 0; i < children.size(); ++i) {
                const Reflection::ClassInfo* item = Reflection::ClassOf(*children[i]);
                const Reflection::Property* id = item != nullptr ? item->FindProperty("Id") : nullptr;
                if (id != nullptr && id->IsAttribute() && id->IsValid(*children[i])) {
                    ids[i] = id->GetText(*children[i]);
                    ++uses[ids[i]];
                }
            }
            for (std::size_t i = 0; i < children.size(); ++i) {
                const bool byId = !ids[i].empty() && uses[ids[i]] == 1;
                Walk(*children[i], prefix + property.Name() +
                                       (byId ? "[Id=" + ids[i] + "]" : "[" + std::to_string(i + 1) + "]"));
            }
        }
    }

    std::vector<Finding> Take() {
        // Line order where lines are known; the walk's order among equals.
        if (m_options.sourceLines != nullptr)
            std::stable_sort(m_findings.begin(), m_findings.end(),
                             [](const Finding& a, const Finding& b) { return a.line < b.line; });
        return std::move(m_findings);
    }

private:
    const CheckOptions& m_options;
    std::unordered_map<const CXmlObjectBase*, std::string> m_paths;
    std::vector<Finding> m_findings;
};

// Boxes and ranges wherever they are (called by the walk).
void CheckShape(const CXmlObjectBase& object, Report& report) {
    if (const auto* box = dynamic_cast<const gdt::CBox*>(&object)) {
        const auto low = box->GetMin(), high = box->GetMax();
        std::string axes;
        auto axis = [&axes](const char* name, double a, double b) {
            if (a > b) axes += (axes.empty() ? "" : ", ") + std::string(name) + " " + Number(a) + " > " + Number(b);
        };
        axis("x", low->GetX(), high->GetX());
        axis("y", low->GetY(), high->GetY());
        if (low->IsValidZ() && high->IsValidZ()) axis("z", low->GetZ(), high->GetZ());
        if (!axes.empty())
            report.Add("inverted-box", box, "Min lies above Max (" + axes + "); expected Min at or below Max on each axis");
    }
    if (const auto* range = dynamic_cast<const gdt::CRangeDouble*>(&object);
        range != nullptr && range->GetElementName() == "RangeXLpp" && range->GetFrom() > range->GetTo())
        report.Add("inverted-range", range,
                   "from " + Number(range->GetFrom()) + " lies above to " + Number(range->GetTo()) +
                       "; expected from at or below to");
}

// Reports the second and later of several elements with one key.
template <class Key>
class Duplicates {
public:
    Duplicates(Report& report, std::string what) : m_report(report), m_what(std::move(what)) {}
    void Note(const Key& key, const std::string& shown, const CXmlObjectBase* element) {
        const auto [first, added] = m_first.emplace(key, element);
        if (!added)
            m_report.Add("duplicate-id", element,
                         "Id " + shown + " is already the " + m_what + "'s at " + m_report.Where(first->second) +
                             "; expected each " + m_what + " to have an Id of its own");
    }

private:
    Report& m_report;
    std::string m_what;
    std::map<Key, const CXmlObjectBase*> m_first;
};

void CheckMasses(const MassIndex& index, Report& report) {
    Duplicates<double> boxIds(report, "box mass");
    for (const auto* box : index.Boxes()) {
        if (!std::isnan(box->GetId())) boxIds.Note(box->GetId(), Number(box->GetId()), box);
        if (box->GetMass() < 0)
            report.Add("negative-mass", box,
                       "Mass is " + Number(box->GetMass()) + "; expected a mass of zero or more");
        // The centre of gravity within one of the boxes, on each axis both give (1 mm of slack).
        const auto cog = box->GetCoG();
        bool inside = false, finite = std::isfinite(cog->GetX()) && std::isfinite(cog->GetY()) &&
                                      (!cog->IsValidZ() || std::isfinite(cog->GetZ()));
        for (const auto& interval : *box->GetInterval()) {
            const auto low = interval->GetMin(), high = interval->GetMax();
            auto within = [&](double value, double a, double b) {
                if (!std::isfinite(a) || !std::isfinite(b)) finite = false;
                return value >= std::min(a, b) - kLengthTolerance && value <= std::max(a, b) + kLengthTolerance;
            };
            const bool z = !cog->IsValidZ() || !low->IsValidZ() || !high->IsValidZ() ||
                           within(cog->GetZ(), low->GetZ(), high->GetZ());
            if (within(cog->GetX(), low->GetX(), high->GetX()) && within(cog->GetY(), low->GetY(), high->GetY()) && z)
                inside = true;
        }
        if (!inside && finite && !box->GetInterval()->empty())
            report.Add("cog-outside-boxes", cog.get(),
                       "CoG (" + Number(cog->GetX()) + ", " + Number(cog->GetY()) +
                           (cog->IsValidZ() ? ", " + Number(cog->GetZ()) : std::string()) +
                           ") lies outside every Interval of the box mass; expected it within one of them");
    }
    Duplicates<std::int64_t> groupIds(report, "element group mass"), tankIds(report, "tank mass"),
        containerIds(report, "container mass"), assembledIds(report, "assembled mass");
    for (const auto* group : index.ElementGroups()) groupIds.Note(group->GetId(), std::to_string(group->GetId()), group);
    for (const auto* tank : index.Tanks()) tankIds.Note(tank->GetId(), std::to_string(tank->GetId()), tank);
    for (const auto* container : index.Containers()) {
        containerIds.Note(container->GetId(), std::to_string(container->GetId()), container);
        const auto aft = container->GetAft(), forward = container->GetForward();
        if (!aft->IsValidCoordinate() || !forward->IsValidCoordinate()) continue;
        const double from = std::min(aft->GetCoordinate(), forward->GetCoordinate()),
                     to = std::max(aft->GetCoordinate(), forward->GetCoordinate()), x = container->GetCoGx();
        if (std::isfinite(from) && std::isfinite(to) && std::isfinite(x) &&
            (x < from - kLengthTolerance || x > to + kLengthTolerance))
            report.Add("container-cog-outside", container,
                       "CoGx " + Number(x) + " lies outside the block's frames " + Number(from) + " .. " + Number(to) +
                           "; expected it between Aft and Forward");
    }

    for (const auto* mass : index.Assembled()) {
        assembledIds.Note(mass->GetId(), std::to_string(mass->GetId()), mass);
        if (mass->GetMass() < 0)
            report.Add("negative-mass", mass, "Mass is " + Number(mass->GetMass()) + "; expected a mass of zero or more");
        for (const auto& [list, entry] : RestEntriesOf(*mass)) {
            if (index.Resolve(list, *entry) != nullptr) continue;
            const std::string kind = KindName(*KindOfList(list));
            const char* article = kind[0] == 'a' || kind[0] == 'e' ? "an " : "a ";
            report.Add("dangling-reference", entry,
                       std::string(list) + " names " + kind + " mass " + std::to_string(entry->GetMassId()) +
                           ", which does not exist; expected the Id of " + article + kind + " mass");
        }
        const Composition composition = index.Compose(*mass);
        const double declared = composition.declaredMass, sum = composition.entriesSum;
        if (std::isfinite(declared) && std::isfinite(sum) && std::fabs(declared - sum) > kSumTolerance * std::fabs(declared))
            report.Add("mass-sum-mismatch", mass,
                       "Mass is " + Number(declared) + " but the entries' values add up to " + Number(sum) +
                           "; expected them to agree within 0.1%");
    }
}

// Depth first over the assembled masses, with an explicit stack: an edge back
// to a mass still open closes a cycle, reported once, at the entry closing it.
void CheckCycles(const MassIndex& index, Report& report) {
    enum class State { New, Open, Done };
    std::unordered_map<const CMassAssembledData*, State> state;
    struct Frame {
        const CMassAssembledData* mass;
        std::vector<const IRestEntry*> entries;  // its "AssembledEntry" list
        std::size_t next = 0;
    };
    auto entriesOf = [](const CMassAssembledData* mass) {
        std::vector<const IRestEntry*> entries;
        if (const auto list = mass->GetAssembledEntry())
            for (const auto& entry : *list) entries.push_back(entry.get());
        return entries;
    };
    for (const auto* root : index.Assembled()) {
        if (state[root] != State::New) continue;
        std::vector<Frame> stack{Frame{root, entriesOf(root)}};
        state[root] = State::Open;
        while (!stack.empty()) {
            Frame& top = stack.back();
            if (top.next == top.entries.size()) {
                state[top.mass] = State::Done;
                stack.pop_back();
                continue;
            }
            const IRestEntry* entry = top.entries[top.next++];
            const CMassAssembledData* nested = index.FindAssembled(entry->GetMassId());
            if (nested == nullptr) continue;
            State& seen = state[nested];
            if (seen == State::New) {
                seen = State::Open;
                stack.push_back(Frame{nested, entriesOf(nested)});
            } else if (seen == State::Open) {
                std::string chain;
                auto at = std::find_if(stack.begin(), stack.end(), [nested](const Frame& f) { return f.mass == nested; });
                for (; at != stack.end(); ++at) chain += std::to_string(at->mass->GetId()) + " > ";
                chain += std::to_string(nested->GetId());
                report.Add("reference-cycle", entry,
                           "assembled mass " + std::to_string(nested->GetId()) + " contains itself (" + chain +
                               "); expected no assembled mass to contain itself");
            }
        }
    }
}

void CheckFrames(const CFrameTableData& table, Report& report) {
    const CFrameTableEntry* previous = nullptr;
    for (const auto& entry : *table.GetFrameEntry()) {
        // NaN is the non-finite rule's: only numbers in the wrong order are reported here.
        if (previous != nullptr && entry->GetNo() <= previous->GetNo())
            report.Add("frames-not-increasing", entry.get(),
                       "No " + Number(entry->GetNo()) + " follows No " + Number(previous->GetNo()) +
                           "; expected frame numbers to increase strictly");
        if (entry->GetSpacing() <= 0)
            report.Add("frames-not-increasing", entry.get(),
                       "Spacing is " + Number(entry->GetSpacing()) + "; expected a spacing above zero");
        previous = entry.get();
    }
    const auto pp2 = table.GetFrameNoPP2();
    if (!pp2->IsValidId() || !pp2->IsValidCoordinate() || !std::isfinite(pp2->GetCoordinate())) return;
    double pp2Frame = 0;
    try {
        pp2Frame = LtXmlLib3::CConversions::r8FromString(pp2->GetId(), LtXmlLib3::CWhitespaceUtils::Collapse_Rule);
        const double reached = FrameScale(table).ToCoordinate(pp2Frame);
        if (std::isfinite(pp2Frame) && !(std::fabs(reached - pp2->GetCoordinate()) <= kLengthTolerance))
            report.Add("frame-table-not-closing", pp2.get(),
                       "the spacings from FrameNoPP1 reach " + Number(reached) + " at frame " + Number(pp2Frame) +
                           ", not its Coordinate " + Number(pp2->GetCoordinate()) + "; expected them to agree within 1 mm");
    } catch (const LtXmlLib3::CLtException&) {
        // A table that cannot map frames (reported above, or without a PP1) cannot be closed.
    }
}

void CheckLoadcases(const CLoadcaseData& data, Report& report) {
    if (const auto input = data.GetLoadcaseInput()) {
        Duplicates<std::uint64_t> ids(report, "load case");
        ids.Note(input->GetBaseLoadCase()->GetLoadcaseId(), std::to_string(input->GetBaseLoadCase()->GetLoadcaseId()),
                 input->GetBaseLoadCase().get());
        for (const auto& unit : *input->GetUnitLoadCase())
            ids.Note(unit->GetLoadcaseId(), std::to_string(unit->GetLoadcaseId()), unit.get());
    }
    const auto envelopes = data.GetLoadEnvelopes();
    if (!envelopes) return;
    const CLongitudinalPosition* previous = nullptr;
    for (const auto& position : *envelopes->GetLongitudinalPosition()) {
        if (previous != nullptr && position->GetXPosition() <= previous->GetXPosition())
            report.Add("positions-not-increasing", position.get(),
                       "XPosition " + Number(position->GetXPosition()) + " follows " +
                           Number(previous->GetXPosition()) + "; expected positions to increase strictly");
        previous = position.get();
        const auto low = position->GetMinForces(), high = position->GetMaxForces();
        const std::pair<const char*, std::pair<double, double>> components[] = {
            {"x", {low->GetX(), high->GetX()}},    {"y", {low->GetY(), high->GetY()}},
            {"z", {low->GetZ(), high->GetZ()}},    {"xx", {low->GetXx(), high->GetXx()}},
            {"yy", {low->GetYy(), high->GetYy()}}, {"zz", {low->GetZz(), high->GetZz()}}};
        std::string above;
        for (const auto& [name, values] : components)
            if (values.first > values.second)
                above += (above.empty() ? "" : ", ") + std::string(name) + " " + Number(values.first) + " > " +
                         Number(values.second);
        if (!above.empty())
            report.Add("envelope-min-above-max", position.get(),
                       "MinForces lies above MaxForces (" + above + "); expected each minimum at or below its maximum");
    }
}

void CheckHydrodynamic(const CHydrodynamic& hydrodynamic, const MassIndex& index, Report& report) {
    Duplicates<std::int64_t> ids(report, "hydrodynamic data set");
    for (const auto& set : *hydrodynamic.GetMassDistribution()) {
        ids.Note(set->GetId(), std::to_string(set->GetId()), set.get());
        if (set->IsValidMassAssembledIdRef() && index.FindAssembled(set->GetMassAssembledIdRef()) == nullptr)
            report.Add("dangling-reference", set.get(),
                       "MassAssembledIdRef names assembled mass " + std::to_string(set->GetMassAssembledIdRef()) +
                           ", which does not exist; expected the Id of an assembled mass");
    }
}

}  // namespace

const char* SeverityName(Severity severity) noexcept { return severity == Severity::Error ? "error" : "warning"; }

const std::vector<RuleInfo>& Rules() { return kRules; }

const RuleInfo* FindRule(std::string_view id) noexcept {
    for (const RuleInfo& rule : kRules)
        if (id == rule.id) return &rule;
    return nullptr;
}

std::vector<Finding> CheckDocument(const CVantrel& document, const CheckOptions& options) {
    Report report(options);
    report.Walk(document, "");
    if (const auto general = document.GetGeneralData())
        if (const auto table = general->GetFrameTable()) CheckFrames(*table, report);
    if (const auto loadcases = document.GetLoadcaseData()) CheckLoadcases(*loadcases, report);
    const MassIndex index(document);
    CheckMasses(index, report);
    CheckCycles(index, report);
    if (const auto hydrodynamic = document.GetHydrodynamic()) CheckHydrodynamic(*hydrodynamic, index, report);
    return report.Take();
}

}  // namespace Analysis
}  // namespace VantrelLib
