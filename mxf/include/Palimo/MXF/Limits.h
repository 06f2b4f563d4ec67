#pragma once
// The bounds within which the reader reads a file, so that a hostile or
// damaged one costs time and memory in proportion to its header metadata,
// never to the lengths and counts it claims. What lies beyond one of them is
// refused with a message naming the byte offset and the limit: the file
// itself when there is no header partition pack, else that part only (a
// problem of kind OverLimit, the rest read). Hosts can quote these values.
#include <cstddef>
#include <cstdint>

namespace Palimo {
namespace MXF {
namespace Limits {

/// Bytes before the header partition pack (the run-in): less than 64 KiB.
constexpr std::uint64_t kRunIn = 65535;

/// Bytes of the value of one KLV of the header metadata (a local set, the
/// primer pack, any other KLV but fill, which is skipped unread) and of a
/// partition pack: 16 MiB, far more than any set needs (a set of the largest
/// real header metadata measured takes under 2 KB).
constexpr std::uint64_t kSetSize = 16ull * 1024 * 1024;

/// Bytes of the header metadata of one partition (its HeaderByteCount):
/// 256 MiB, a thousand times the largest real header metadata measured.
/// Checked before anything of it is read.
constexpr std::uint64_t kHeaderMetadataSize = 256ull * 1024 * 1024;

/// Sets (KLVs other than fill) of one header metadata; the KLVs after the
/// last one are not read. The largest real header metadata measured holds
/// 671 sets.
constexpr std::size_t kSets = 100000;

/// Items of all the local sets of one header metadata together; the items
/// after the last one are not read. Decoded, an item takes about 350 bytes
/// however few it takes in the file (4 bytes at least): with kSets, this
/// bounds what reading takes beside twice the header metadata's bytes to
/// about 200 MB.
constexpr std::size_t kItems = 500000;

/// Bytes that the decoded values of one header metadata take together (about:
/// each value, record field, text and byte string counts what it takes in
/// memory, a value 88 bytes on 64-bit systems): 128 MiB. Values take memory
/// out of proportion to their bytes (an array of 64 KiB one-byte items takes
/// 5.8 MB decoded); the items after the one that reaches the limit keep their
/// bytes, undecoded. The largest real header metadata measured decodes to
/// under 2 MB.
constexpr std::size_t kDecodedValueBytes = 128ull * 1024 * 1024;

/// Entries of the random index pack: a pack that lists more is not used
/// (one partition a second for a day takes 86,400).
constexpr std::size_t kPartitions = 100000;

/// Problems kept for one file; further ones are counted, not kept
/// (DecodedFile::problemsNotKept).
constexpr std::size_t kProblems = 10000;

} // namespace Limits
} // namespace MXF
} // namespace Palimo
