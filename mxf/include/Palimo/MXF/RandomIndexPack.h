#pragma once
// The random index pack: the KLV that may end an MXF file, listing where
// each partition starts.
#include <Palimo/MXF/ByteSource.h>
#include <Palimo/MXF/Klv.h>

#include <cstdint>
#include <optional>
#include <vector>

namespace Palimo {
namespace MXF {

struct RandomIndexEntry {
    std::uint32_t bodySID = 0;
    /// Of the partition pack's key, counted from the header partition pack's key.
    std::uint64_t byteOffset = 0;
};

struct RandomIndexPack {
    KlvHeader klv;
    std::vector<RandomIndexEntry> partitions; // in the order the pack lists them
};

/// 06.0e.2b.34.02.05.01.vv.0d.01.02.01.01.11.01.00, any version byte vv.
bool isRandomIndexPackKey(const Label& key);

/// The random index pack that ends `source`: its last 4 bytes give the
/// pack's whole length, key to end. None when they do not lead back to a
/// random index pack key. Throws MalformedMXFFile (naming the pack's offset)
/// when a key is there but the pack does not end the file exactly where that
/// length says, or its value is not a whole number of 12-byte entries and
/// the 4-byte length, or it lists more than Limits::kPartitions entries.
/// Reads the pack only, a few entries at a time. None on
/// a forward-only source whose end has not been reached: its size is unknown.
std::optional<RandomIndexPack> readRandomIndexPack(const ByteSource& source);

} // namespace MXF
} // namespace Palimo
