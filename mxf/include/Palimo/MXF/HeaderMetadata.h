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
    /// The partition whose header metadata was read: the header partition,
    /// or the footer partition when the header partition is open or
    /// incomplete and the footer holds header metadata.
    PartitionPack partition;
    std::optional<Primer> primer; // none when the partition holds no header metadata
    std::vector<RawSet> sets;     // in file order
    /// Remarks on what was read ("the header partition is open and incomplete...").
    std::vector<std::string> notes;
};

/// Reads the header metadata: finds the header partition pack (at the start,
/// or after a run-in of less than 64 KiB), picks the partition to read, then
/// reads its primer pack and every KLV up to HeaderByteCount bytes from the
/// primer's key. Reads nothing beyond: never the essence. Throws
/// MalformedMXFFile (naming the byte offset) when there is no header
/// partition pack, when the header metadata does not start with a primer
/// pack, and when any KLV, set or item is cut off or runs past what holds it.
HeaderMetadata readHeaderMetadata(const ByteSource& source);

} // namespace MXF
} // namespace Palimo
