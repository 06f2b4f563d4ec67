#include <Palimo/MXF/RandomIndexPack.h>

#include <Palimo/MXF/Exceptions.h>
#include <Palimo/MXF/Limits.h>

#include "ByteCursor.h"

#include <algorithm>

namespace Palimo {
namespace MXF {
namespace {

constexpr std::uint64_t kEntrySize = 12;     // BodySID, ByteOffset
constexpr std::uint64_t kEntriesRead = 4096; // per read: a long pack is not held whole twice

[[noreturn]] void fail(std::uint64_t offset, const std::string& what) {
    throw MalformedMXFFile(offset, what, __FILE__, __LINE__);
}

} // namespace

bool isRandomIndexPackKey(const Label& key) {
    static const Label rip({0x06, 0x0e, 0x2b, 0x34, 0x02, 0x05, 0x01, 0x01, 0x0d, 0x01, 0x02, 0x01,
                            0x01, 0x11, 0x01, 0x00});
    return key.equalIgnoringVersion(rip);
}

std::optional<RandomIndexPack> readRandomIndexPack(const ByteSource& source) {
    const std::uint64_t size = source.size();
    if (size < 4 || size == ByteSource::kUnknownSize)
        return std::nullopt;
    const std::vector<std::uint8_t> tail = source.read(size - 4, 4);
    const std::uint64_t length = ByteCursor(tail, size - 4, "end of the file").u32("length");
    // The smallest pack: a key, a one-byte length and the 4-byte length.
    if (length < 16 + 1 + 4 || length > size)
        return std::nullopt;
    const std::uint64_t start = size - length;
    const std::vector<std::uint8_t> keyBytes = source.read(start, 16);
    const Label key = Label::fromBytes(keyBytes.data());
    if (!isRandomIndexPackKey(key))
        return std::nullopt;

    RandomIndexPack pack;
    pack.klv = readKlvHeader(source, start);
    const std::string context = "random index pack at byte " + std::to_string(start);
    if (pack.klv.end() != size)
        fail(start, "the " + context + " ends at byte " + std::to_string(pack.klv.end()) +
                        ", not at the end of the file (" + std::to_string(size) +
                        " bytes) where its length says it does");
    if (pack.klv.length < 4 || (pack.klv.length - 4) % kEntrySize != 0)
        fail(start, "the " + context + " holds " + std::to_string(pack.klv.length) +
                        " bytes, not 12-byte entries and a 4-byte length");
    const std::uint64_t count = (pack.klv.length - 4) / kEntrySize;
    if (count > Limits::kPartitions)
        fail(start, "the " + context + " lists " + std::to_string(count) +
                        " partitions, over the limit of " + std::to_string(Limits::kPartitions));
    pack.partitions.reserve(static_cast<std::size_t>(std::min(count, kEntriesRead)));
    for (std::uint64_t first = 0; first < count; first += kEntriesRead) {
        const std::uint64_t offset = pack.klv.valueOffset + first * kEntrySize;
        const std::uint64_t entries = std::min(kEntriesRead, count - first);
        const std::vector<std::uint8_t> bytes =
            source.read(offset, static_cast<std::size_t>(entries * kEntrySize));
        ByteCursor in(bytes, offset, context);
        for (std::uint64_t i = 0; i < entries; ++i) {
            RandomIndexEntry entry;
            entry.bodySID = in.u32("BodySID");
            entry.byteOffset = in.u64("ByteOffset");
            pack.partitions.push_back(entry);
        }
    }
    return pack;
}

} // namespace MXF
} // namespace Palimo
