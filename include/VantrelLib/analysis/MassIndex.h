#pragma once
// The masses of a document by kind and Id: what a rest entry names, the
// loading conditions, and each assembled mass flattened into its parts.
// Beside the format: the document is only read, never changed, and must
// outlive the index.

#include <cstdint>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "VantrelLib/document/Vantrel.h"

namespace VantrelLib {
namespace Analysis {

enum class MassKind { Box, ElementGroup, Tank, Container, Assembled };

// "box", "element group", "tank", "container", "assembled": for messages.
VANTREL_EXPORT const char* KindName(MassKind kind) noexcept;
// The kind of mass the rest entries of an assembled mass's list name:
// "BoxEntry" box masses, "ElementgroupEntry" element groups, "TankEntry"
// tanks, "ContainerEntry" containers, "AssembledEntry" assembled masses.
VANTREL_EXPORT std::optional<MassKind> KindOfList(std::string_view listName) noexcept;

// One mass an assembled mass is made of, after flattening.
struct MassPart {
    MassKind kind = MassKind::Box;
    std::int64_t massId = 0;
    // The mass named (Find), or null where the Id names none. An assembled
    // mass is a part only where it could not be flattened (see Composition).
    const LtXmlLib3::CXmlObjectBase* mass = nullptr;
    // Its share: the entries' values, each scaled through the nested
    // assembled masses it is reached by.
    double value = 0;
};

struct Composition {
    double declaredMass = 0;  // the assembled mass's own "Mass"
    double entriesSum = 0;    // the sum of its own entries' values, all five lists
    // Every mass it takes in, each once, in the order first met: the lists in
    // schema order, a nested assembled mass replaced by its own parts, each
    // scaled by (the entry's value) / (the nested mass's entries sum). A
    // nested assembled mass that is missing, has no entries summing to a
    // finite non-zero value, or contains itself stays a part of its own.
    std::vector<MassPart> parts;
    bool cyclic = false;  // a nested mass contains itself: flattening stopped there
};

// Counts and declared totals of one kind.
struct KindTotals {
    int count = 0;
    // Box and assembled masses declare a mass: their sum (NaN and infinities
    // included); none for the other kinds.
    std::optional<double> declaredSum;
    int notFinite = 0;  // declared masses that are NaN or infinite
};

class VANTREL_EXPORT MassIndex {
public:
    // Indexes the masses of `document` (none when it has no "Masses").
    explicit MassIndex(const CVantrel& document);
    explicit MassIndex(const CMasses* masses);

    // The mass of `kind` with this Id, the first in document order when
    // several share it; null when none has it. A box mass's Id is a number
    // that may have a fraction: only whole ones can be named.
    const LtXmlLib3::CXmlObjectBase* Find(MassKind kind, std::int64_t id) const;
    const CMassBoxData* FindBox(std::int64_t id) const;
    const CElementgroupData* FindElementGroup(std::int64_t id) const;
    const CMassTankData* FindTank(std::int64_t id) const;
    const CMassContainerData* FindContainer(std::int64_t id) const;
    const CMassAssembledData* FindAssembled(std::int64_t id) const;
    // The mass a rest entry of the list `listName` of an assembled mass names,
    // or null (a dangling reference, or a list of no known name).
    const LtXmlLib3::CXmlObjectBase* Resolve(std::string_view listName, const IRestEntry& entry) const;

    // Every mass of a kind, in document order.
    const std::vector<const CMassBoxData*>& Boxes() const noexcept { return m_boxes; }
    const std::vector<const CElementgroupData*>& ElementGroups() const noexcept { return m_groups; }
    const std::vector<const CMassTankData*>& Tanks() const noexcept { return m_tanks; }
    const std::vector<const CMassContainerData*>& Containers() const noexcept { return m_containers; }
    const std::vector<const CMassAssembledData*>& Assembled() const noexcept { return m_assembled; }
    KindTotals Totals(MassKind kind) const;

    // The assembled masses no other assembled mass takes in through its
    // "AssembledEntry" list (one that names only itself still counts), in
    // document order.
    std::vector<const CMassAssembledData*> LoadingConditions() const;
    // The assembled masses that `mass` names in its "AssembledEntry" list
    // and that exist, in list order.
    std::vector<const CMassAssembledData*> Nested(const CMassAssembledData& mass) const;
    // `mass` flattened into the masses of the other kinds. Ends on any graph.
    Composition Compose(const CMassAssembledData& mass) const;

private:
    std::vector<const CMassBoxData*> m_boxes;
    std::vector<const CElementgroupData*> m_groups;
    std::vector<const CMassTankData*> m_tanks;
    std::vector<const CMassContainerData*> m_containers;
    std::vector<const CMassAssembledData*> m_assembled;
    // Per kind (MassKind's order): Id to the first mass with it.
    std::unordered_map<std::int64_t, const LtXmlLib3::CXmlObjectBase*> m_byId[5];
};

// The five lists of an assembled mass in schema order, with their names, for
// walking every rest entry: ("ContainerEntry", entry), ("BoxEntry", entry), ...
VANTREL_EXPORT std::vector<std::pair<const char*, const IRestEntry*>> RestEntriesOf(const CMassAssembledData& mass);

}  // namespace Analysis
}  // namespace VantrelLib
