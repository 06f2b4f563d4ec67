#pragma once
// The header metadata of an MXF file as bytes: the partition it is read
// from, its primer pack and its local sets, each item with its local tag and
// value. Nothing here knows the dictionary; FileReader.h decodes.
#include <Palimo/MXF/ByteSource.h>
#include <Palimo/MXF/Klv.h>
#include <Palimo/MXF/Partition.h>
#include <Palimo/MXF/Primer.h>
#include <Palimo/MXF/Problem.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace Palimo {
namespace MXF {

/// One item of a local set: 2-byte tag, 2-byte length, value.
struct RawItem {
    std::uint64_t offset = 0; // of the tag
    std::uint16_t tag = 0;
    std::vector<std::uint8_t> value;
};

/// One KLV of the header metadata other than fill: a local set with 2-byte
/// tags and lengths (key byte 6 is 0x53), whose items are listed, or any
/// other KLV, whose value is kept whole.
struct RawSet {
    KlvHeader klv;
    bool localSet = false;
    std::vector<RawItem> items;      // local sets
    std::vector<std::uint8_t> value; // other KLVs
};

struct HeaderMetadata {
    std::uint64_t runIn = 0; // bytes before the header partition pack
    PartitionPack headerPartition;
    /// The partition whose header metadata was read (see PartitionChoice).
    PartitionPack partition;
    /// None when the partition holds no header metadata or it starts with no
    /// readable primer pack (then a problem says so).
    std::optional<Primer> primer;
    std::vector<RawSet> sets; // in file order
    /// Faults of the structure of the header metadata read (UnreadableKlv,
    /// MalformedSet, MalformedPrimer, Truncated, OverLimit), in file order;
    /// at most Limits::kProblems, further ones counted in problemsNotKept.
    std::vector<Problem> problems;
    std::size_t problemsNotKept = 0;
    /// Remarks on what was read and why ("the header partition is open
    /// incomplete; read the header metadata of the footer partition...").
    std::vector<std::string> notes;
};

/// Which copy of the header metadata readHeaderMetadata reads.
enum class PartitionChoice {
    /// The header partition's when it is closed and complete. Otherwise the
    /// best copy: of the best status (closed complete, closed incomplete,
    /// open complete, open incomplete, in that order) and, among those, the
    /// last in the file. The other copies are found in the footer partition
    /// that the header partition pack's FooterPartition points to and, when
    /// that one holds no closed complete copy, in the body and footer
    /// partitions that the random index pack at the end of the file lists.
    /// The header partition's copy is read when no other is as good, or
    /// when every better one is damaged.
    Best,
    /// The header partition's, whatever its status.
    Header,
    /// The footer partition's, found as above; MissingPartition when the file
    /// has no footer partition or it holds no header metadata.
    Footer
};

/// Reads the header metadata: finds the header partition pack (at the start,
/// or after a run-in of at most Limits::kRunIn bytes), picks the partition to
/// read by `choice`, then reads its primer pack and every KLV up to
/// HeaderByteCount bytes from the primer's key, in one request of that byte
/// count. Besides, reads only partition packs and the random index pack,
/// never the essence; every offset is checked against the size of the file
/// before it is read. A footer offset, random index pack or copy that is
/// damaged costs only that copy, with a note saying so; the notes also say
/// which partition was read and why, unless it is a header partition that is
/// closed and complete.
///
/// Whatever is wrong inside the header metadata read is a problem, and
/// everything readable is read: after a KLV that cannot be read, reading
/// goes on at the next key of a set, pack or fill item (06.0e.2b.34, then
/// 02 or fill) inside the header metadata; a local set keeps its items up to
/// a faulty one; a file that ends inside the header metadata gives every set
/// before the cut; a primer pack that is missing or malformed leaves the
/// tags it cannot give unresolved; what lies beyond a limit of Limits.h is
/// not read. On a forward-only source the header partition's copy is read
/// first and kept, the random index pack is not looked for (a note says
/// so), and copies before what has been read are passed over.
///
/// Throws MalformedMXFFile (naming the byte offset) only when there is no
/// header partition pack or it cannot be read; MissingPartition as
/// PartitionChoice says; UnreadableMXFFile when the source fails. Memory: the
/// header metadata read, twice over at most, besides the sets (bounded by
/// Limits::kSets and kItems). Reads `source` only: calls may run
/// concurrently on separate sources, or on one FileSource or MemorySource.
HeaderMetadata readHeaderMetadata(const ByteSource& source,
                                  PartitionChoice choice = PartitionChoice::Best);

} // namespace MXF
} // namespace Palimo
