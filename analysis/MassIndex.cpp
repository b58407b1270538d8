#include "VantrelLib/analysis/MassIndex.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

namespace VantrelLib {
namespace Analysis {

namespace {

int Slot(MassKind kind) noexcept { return static_cast<int>(kind); }

template <class Collection>
void Append(const LtXmlLib3::CSmartPtr<Collection>& collection,
            std::vector<const typename Collection::ItemType*>& into) {
    if (!collection) return;
    for (const auto& item : *collection) into.push_back(item.get());
}

// A box mass's Id as a whole number a MassId can name, if it is one.
std::optional<std::int64_t> WholeId(double id) noexcept {
    // 2^63 is the first double beyond int64.
    if (!(id >= -9223372036854775808.0 && id < 9223372036854775808.0) || std::trunc(id) != id) return std::nullopt;
    return static_cast<std::int64_t>(id);
}

}  // namespace

const char* KindName(MassKind kind) noexcept {
    switch (kind) {
        case MassKind::Box: return "box";
        case MassKind::ElementGroup: return "element group";
        case MassKind::Tank: return "tank";
        case MassKind::Container: return "container";
        case MassKind::Assembled: return "assembled";
    }
    return "";
}

std::optional<MassKind> KindOfList(std::string_view listName) noexcept {
    if (listName == "BoxEntry") return MassKind::Box;
    if (listName == "ElementgroupEntry") return MassKind::ElementGroup;
    if (listName == "TankEntry") return MassKind::Tank;
    if (listName == "ContainerEntry") return MassKind::Container;
    if (listName == "AssembledEntry") return MassKind::Assembled;
    return std::nullopt;
}

std::vector<std::pair<const char*, const IRestEntry*>> RestEntriesOf(const CMassAssembledData& mass) {
    std::vector<std::pair<const char*, const IRestEntry*>> entries;
    auto add = [&entries](const char* name, const auto& collection) {
        if (!collection) return;
        for (const auto& entry : *collection) entries.emplace_back(name, entry.get());
    };
    add("ContainerEntry", mass.GetContainerEntry());
    add("BoxEntry", mass.GetBoxEntry());
    add("TankEntry", mass.GetTankEntry());
    add("ElementgroupEntry", mass.GetElementgroupEntry());
    add("AssembledEntry", mass.GetAssembledEntry());
    return entries;
}

MassIndex::MassIndex(const CVantrel& document) : MassIndex(document.GetMasses().get()) {}

MassIndex::MassIndex(const CMasses* masses) {
    if (masses == nullptr) return;
    if (const auto boxes = masses->GetMassBoxes()) Append(boxes->GetBoxEntry(), m_boxes);
    if (const auto groups = masses->GetMassElementGroups()) Append(groups->GetElementGroupEntry(), m_groups);
    if (const auto tanks = masses->GetMassTanks()) Append(tanks->GetTankEntry(), m_tanks);
    if (const auto containers = masses->GetMassContainer()) Append(containers->GetContainerEntry(), m_containers);
    if (const auto assembled = masses->GetMassAssembled()) Append(assembled->GetAssembledEntry(), m_assembled);
    // emplace keeps the first of several masses with one Id.
    for (const auto* box : m_boxes)
        if (const auto id = WholeId(box->GetId())) m_byId[Slot(MassKind::Box)].emplace(*id, box);
    for (const auto* group : m_groups) m_byId[Slot(MassKind::ElementGroup)].emplace(group->GetId(), group);
    for (const auto* tank : m_tanks) m_byId[Slot(MassKind::Tank)].emplace(tank->GetId(), tank);
    for (const auto* container : m_containers) m_byId[Slot(MassKind::Container)].emplace(container->GetId(), container);
    for (const auto* mass : m_assembled) m_byId[Slot(MassKind::Assembled)].emplace(mass->GetId(), mass);
}

const LtXmlLib3::CXmlObjectBase* MassIndex::Find(MassKind kind, std::int64_t id) const {
    const auto& byId = m_byId[Slot(kind)];
    const auto found = byId.find(id);
    return found != byId.end() ? found->second : nullptr;
}

const CMassBoxData* MassIndex::FindBox(std::int64_t id) const {
    return dynamic_cast<const CMassBoxData*>(Find(MassKind::Box, id));
}
const CElementgroupData* MassIndex::FindElementGroup(std::int64_t id) const {
    return dynamic_cast<const CElementgroupData*>(Find(MassKind::ElementGroup, id));
}
const CMassTankData* MassIndex::FindTank(std::int64_t id) const {
    return dynamic_cast<const CMassTankData*>(Find(MassKind::Tank, id));
}
const CMassContainerData* MassIndex::FindContainer(std::int64_t id) const {
    return dynamic_cast<const CMassContainerData*>(Find(MassKind::Container, id));
}
const CMassAssembledData* MassIndex::FindAssembled(std::int64_t id) const {
    return dynamic_cast<const CMassAssembledData*>(Find(MassKind::Assembled, id));
}

const LtXmlLib3::CXmlObjectBase* MassIndex::Resolve(std::string_view listName, const IRestEntry& entry) const {
    const auto kind = KindOfList(listName);
    return kind ? Find(*kind, entry.GetMassId()) : nullptr;
}

KindTotals MassIndex::Totals(MassKind kind) const {
    KindTotals totals;
    auto declared = [&totals](const auto& masses) {
        totals.declaredSum = 0.0;
        for (const auto* mass : masses) {
            *totals.declaredSum += mass->GetMass();
            if (!std::isfinite(mass->GetMass())) ++totals.notFinite;
        }
    };
    switch (kind) {
        case MassKind::Box:
            totals.count = static_cast<int>(m_boxes.size());
            declared(m_boxes);
            break;
        case MassKind::ElementGroup: totals.count = static_cast<int>(m_groups.size()); break;
        case MassKind::Tank: totals.count = static_cast<int>(m_tanks.size()); break;
        case MassKind::Container: totals.count = static_cast<int>(m_containers.size()); break;
        case MassKind::Assembled:
            totals.count = static_cast<int>(m_assembled.size());
            declared(m_assembled);
            break;
    }
    return totals;
}

std::vector<const CMassAssembledData*> MassIndex::LoadingConditions() const {
    // Every assembled mass some other one names, whichever of several with one Id that is.
    std::map<std::int64_t, std::vector<const CMassAssembledData*>> namedBy;
    for (const auto* mass : m_assembled)
        if (const auto nested = mass->GetAssembledEntry())
            for (const auto& entry : *nested) namedBy[entry->GetMassId()].push_back(mass);
    std::vector<const CMassAssembledData*> conditions;
    for (const auto* mass : m_assembled) {
        const auto found = namedBy.find(mass->GetId());
        const bool taken = found != namedBy.end() && std::any_of(found->second.begin(), found->second.end(),
                                                                 [mass](const auto* owner) { return owner != mass; });
        if (!taken) conditions.push_back(mass);
    }
    return conditions;
}

std::vector<const CMassAssembledData*> MassIndex::Nested(const CMassAssembledData& mass) const {
    std::vector<const CMassAssembledData*> nested;
    if (const auto entries = mass.GetAssembledEntry())
        for (const auto& entry : *entries)
            if (const auto* found = FindAssembled(entry->GetMassId())) nested.push_back(found);
    return nested;
}

namespace {

double EntriesSum(const CMassAssembledData& mass) {
    double sum = 0;
    for (const auto& [list, entry] : RestEntriesOf(mass)) sum += entry->GetValue();
    return sum;
}

}  // namespace

Composition MassIndex::Compose(const CMassAssembledData& mass) const {
    Composition composition;
    composition.declaredMass = mass.GetMass();
    composition.entriesSum = EntriesSum(mass);
    std::map<std::pair<int, std::int64_t>, std::size_t> at;  // (kind, Id) to its place in parts
    auto add = [&](MassKind kind, std::int64_t id, const LtXmlLib3::CXmlObjectBase* found, double value) {
        const auto [place, added] = at.emplace(std::make_pair(Slot(kind), id), composition.parts.size());
        if (added)
            composition.parts.push_back(MassPart{kind, id, found, value});
        else
            composition.parts[place->second].value += value;
    };
    // Depth first over an explicit stack of the masses being flattened: no
    // recursion, so a long chain cannot overflow the stack.
    struct Frame {
        const CMassAssembledData* mass;
        std::vector<std::pair<const char*, const IRestEntry*>> entries;
        std::size_t next;
        double scale;
    };
    std::vector<Frame> stack;
    std::set<const CMassAssembledData*> open{&mass};
    stack.push_back(Frame{&mass, RestEntriesOf(mass), 0, 1.0});
    while (!stack.empty()) {
        Frame& top = stack.back();
        if (top.next == top.entries.size()) {
            open.erase(top.mass);
            stack.pop_back();
            continue;
        }
        const auto [list, entry] = top.entries[top.next++];
        const MassKind kind = *KindOfList(list);
        const double value = entry->GetValue() * top.scale;
        const auto* found = Find(kind, entry->GetMassId());
        if (kind != MassKind::Assembled) {
            add(kind, entry->GetMassId(), found, value);
            continue;
        }
        const auto* nested = dynamic_cast<const CMassAssembledData*>(found);
        const double sum = nested != nullptr ? EntriesSum(*nested) : 0.0;
        if (nested != nullptr && open.count(nested) != 0) composition.cyclic = true;
        if (nested == nullptr || open.count(nested) != 0 || !std::isfinite(sum) || sum == 0) {
            add(kind, entry->GetMassId(), found, value);
            continue;
        }
        open.insert(nested);
        stack.push_back(Frame{nested, RestEntriesOf(*nested), 0, value / sum});
    }
    return composition;
}

}  // namespace Analysis
}  // namespace VantrelLib
