#pragma once
// The header metadata of an MXF file as bytes: the partition it is read
// from, its primer pack and its local sets, each item with its local tag and
// value. Nothing here knows the dictionary; FileReader.h decodes.
#include <Palimo/MXF/ByteSource.h>
#include <Palimo/MXF/Klv.h>
#include <Palimo/MXF/Partition.h>
#include <Palimo/MXF/Primer.h>

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
    std::optional<Primer> primer; // none when the partition holds no header metadata
    std::vector<RawSet> sets;     // in file order
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
/// or after a run-in of less than 64 KiB), picks the partition to read by
/// `choice`, then reads its primer pack and every KLV up to HeaderByteCount
/// bytes from the primer's key. Besides, reads only partition packs and the
/// random index pack, never the essence; every offset is checked against the
/// size of the file before it is read. A footer offset, random index pack or
/// copy that is damaged costs only that copy, with a note saying so; the
/// notes also say which partition was read and why, unless it is a header
/// partition that is closed and complete. Throws MalformedMXFFile (naming
/// the byte offset) when there is no header partition pack, when the header
/// metadata read does not start with a primer pack, and when any KLV, set or
/// item of it is cut off or runs past what holds it; MissingPartition as
/// PartitionChoice says. Reads `source` only: calls on separate sources may
/// run concurrently.
HeaderMetadata readHeaderMetadata(const ByteSource& source,
                                  PartitionChoice choice = PartitionChoice::Best);

} // namespace MXF
} // namespace Palimo
