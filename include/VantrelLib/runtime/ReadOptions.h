#pragma once
// What a caller may ask of a read (FromXml, FromXmlFile, FromXmlStream), and
// what a read can report back beside the objects.

#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>

namespace LtXmlLib3 {

class CXmlObjectBase;

// What a read met in the text that the objects do not hold, so that writing
// them again leaves it out (see CReadOptions::dropped).
struct CDroppedContent {
    std::uint64_t comments = 0;
    std::uint64_t processingInstructions = 0;  // the XML declaration is not one
    // Attributes of the XML Schema instance namespace the objects skip, by
    // local name ("schemaLocation", "nil", ...). A type attribute that chose the
    // class of a rest entry is kept (written again), so it is not counted.
    std::map<std::string, std::uint64_t> schemaInstanceAttributes;

    bool Empty() const noexcept {
        return comments == 0 && processingInstructions == 0 && schemaInstanceAttributes.empty();
    }
};

// The line each object of a read began on (see CReadOptions::sourceLines):
// for checks that point at the element a finding is about.
struct CSourceLines {
    // The line (from 1) of the start tag each element object was read from,
    // the document element's included; collections have none. The keys are
    // the objects of the tree read, valid while they live.
    std::unordered_map<const CXmlObjectBase*, int> lineOf;

    // The line `object` was read from, or 0 (made after the read, or not read at all).
    int LineOf(const CXmlObjectBase* object) const noexcept {
        const auto found = lineOf.find(object);
        return found != lineOf.end() ? found->second : 0;
    }
};

// Limits applied when a document is read.
struct CReadOptions {
    // A file or text larger than this is refused before it is parsed.
    std::uint64_t maxInputBytes = std::uint64_t{4} << 30;
    // Elements nested deeper than this are refused while parsing.
    int maxDepth = 256;
    // An input of at least this many bytes is parsed on a second thread while
    // the calling thread builds the objects: a large read then takes less
    // time but two cores, and more CPU time in all. By default every read
    // stays on the calling thread. Where no thread can be started the read
    // goes on without one.
    std::uint64_t parseOnThreadFromBytes = UINT64_MAX;
    // When set, the read empties it, then counts there what it meets that the
    // objects do not hold; the counts are whole once the read has succeeded.
    // Unset (the default), nothing is counted.
    CDroppedContent* dropped = nullptr;
    // When set, the read empties it, then notes there the line of every
    // element object it reads. Unset (the default), no line is counted.
    CSourceLines* sourceLines = nullptr;
};

}  // namespace LtXmlLib3
