#pragma once
// A semantic diff of two trees: the differences as data, one per changed
// value, added or removed attribute or element, or moved list item, found by
// one walk over the class declarations (reflection).
//
// The items of a list are matched by their identity where their class has one
// (IdentityOf: Id, MassId, LoadcaseId, XPosition, No), so a reordering is a
// move and an insertion one added item; other lists are matched by position.
//
//   for (const auto& difference : VantrelLib::Diff::Compare(*before, *after))
//       std::cout << VantrelLib::Diff::FormatLine(difference) << '\n';

#include <string>
#include <vector>

#include "VantrelLib/Export.h"
#include "VantrelLib/framework/Reflection.h"
#include "VantrelLib/runtime/XmlObjectBase.h"

namespace VantrelLib {
namespace Diff {

enum class Kind { Changed, Added, Removed, Moved };

struct Difference {
    // Where: element names below the outermost object, "@name" for an
    // attribute, "[Id=3]" for a list item matched by identity and "[2]" (from
    // 1) for one matched by position: "Masses/MassBoxes/BoxEntry[Id=3]/CoG@x",
    // "@schemaVersion" for an attribute of the outermost object.
    std::string path;
    Kind kind = Kind::Changed;
    // Changed: the values as written in XML (a whole element where a rest
    // entry changed its class). Added and Removed: the attribute's value or
    // the element whole, as one line of XML; the absent side is "". Moved:
    // the item's positions in its list, from 1.
    std::string oldText;
    std::string newText;
};

struct Options {
    // Doubles are equal when they differ by at most `tolerance` times the
    // larger magnitude; 0 (the default) compares their bits. NaN always
    // equals NaN; an infinity equals only itself.
    double tolerance = 0;
};

// The differences from `before` to `after`, two objects of the same element
// class, in document order (the removed items of a list first). Throws
// CLtException for objects of different or unknown classes or a negative
// tolerance, and what writing an added or removed element throws.
VANTREL_EXPORT std::vector<Difference> Compare(const LtXmlLib3::CXmlObjectBase& before,
                                               const LtXmlLib3::CXmlObjectBase& after,
                                               const Options& options = Options());

// "changed", "added", "removed", "moved".
VANTREL_EXPORT const char* KindName(Kind kind) noexcept;

// One line "path: old -> new"; an absent side is "(none)", a move's sides are
// "position N". Control characters of the values are shown escaped (\n, \t,
// \r, \xNN) so that the line stays one line.
VANTREL_EXPORT std::string FormatLine(const Difference& difference);

// The attribute that identifies the items of a list of `itemClass`: its first
// required attribute named Id, No or XPosition, or ending in "Id" (MassId,
// LoadcaseId); null when it has none. A list is matched by identity only when
// every item on both sides has one and no two items of a side share it.
VANTREL_EXPORT const Reflection::Property* IdentityOf(const Reflection::ClassInfo& itemClass) noexcept;

}  // namespace Diff
}  // namespace VantrelLib
