#pragma once
// What the reader found wrong in a file without stopping: faults of the
// header metadata's structure (found while reading its bytes) and of its
// contents (found while decoding and checking them).
#include <cstddef>
#include <cstdint>
#include <string>

namespace Palimo {
namespace MXF {

struct Problem {
    enum class Kind {
        UnknownSet,           // a set key the dictionary does not know
        UnknownItem,          // an item label the dictionary does not know
        ItemNotAllowed,       // an element that is no member of the set
        MissingRequired,      // a required member of the set is not there
        BadValue,             // bytes that do not fit the item's type (the value may
                              // still be decoded, e.g. text of an odd UTF-16 byte count
                              // or of invalid UTF-8, with U+FFFD for what is not text)
        TagNotInPrimer,       // a local tag that the primer pack does not list
        RepeatedPrimerTag,    // a local tag that the primer pack lists twice
        DuplicateInstanceUID, // two sets with the same InstanceUID
        DanglingReference,    // a strong reference to no set in the file
        SharedReference,      // a set that two strong references own
        WrongTarget,          // a strong reference to a known set it may not refer to
        ReferenceCycle,       // strong references that lead back to where they start
        UnreadableKlv,        // a KLV whose key or length cannot be read, or whose value
                              // runs past the header metadata: the bytes up to the next
                              // key are skipped
        MalformedSet,         // a local set whose items do not fill it exactly: the items
                              // before the faulty one are kept
        MalformedPrimer,      // no primer pack, or one whose entries do not fit its value:
                              // local tags resolve through the entries that fit, or through
                              // the dictionary's static tags only
        Truncated,            // the file ends inside the header metadata: every set
                              // before the cut is read
        OverLimit,            // a set, the header metadata, the sets or the items over a
                              // limit of Limits.h: what lies beyond is not read
        FileDictionary        // a definition of the file's own dictionary that is not used
    };
    Kind kind;
    std::uint64_t offset; // of the set, item or structure concerned
    std::string message;
};

/// "unknownSet", "missingRequired", ...
const char* problemKindName(Problem::Kind kind);

/// Whether a problem of `kind` is a fault of the header metadata's structure
/// (UnreadableKlv to OverLimit), found while reading its bytes: sets may be
/// missing, not only values wrong.
bool isStructural(Problem::Kind kind);

} // namespace MXF
} // namespace Palimo
