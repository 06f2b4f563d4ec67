#include <Palimo/MXF/Partition.h>

#include <Palimo/Identifiers/Hex.h>
#include <Palimo/MXF/Limits.h>

#include "ByteCursor.h"

namespace Palimo {
namespace MXF {

bool isPartitionPackKey(const Label& key) {
    static const Label prefix({0x06, 0x0e, 0x2b, 0x34, 0x02, 0x05, 0x01, 0x01, 0x0d, 0x01, 0x02,
                               0x01, 0x01, 0x00, 0x00, 0x00});
    for (std::size_t i = 0; i < 13; ++i)
        if (i != 7 && key[i] != prefix[i])
            return false;
    return key[13] >= 0x02 && key[13] <= 0x04 && key[14] >= 0x01 && key[14] <= 0x04 &&
           key[15] == 0x00;
}

namespace {

// The fixed part of a partition pack's value: everything up to and with the
// header of its batch of essence container labels.
constexpr std::uint64_t kFixedLayout = 88;

} // namespace

PartitionPack readPartitionPack(const ByteSource& source, const KlvHeader& klv) {
    const std::string context = "partition pack at byte " + std::to_string(klv.offset);
    const auto fail = [&](std::uint64_t offset, const std::string& what) {
        throw MalformedMXFFile(offset, what, __FILE__, __LINE__);
    };
    // The fixed layout first: its batch header says how long the rest is.
    if (klv.length < kFixedLayout)
        fail(klv.offset, "the " + context + " holds " + std::to_string(klv.length) +
                             " bytes, fewer than the " + std::to_string(kFixedLayout) +
                             " of its fixed layout");
    const std::vector<std::uint8_t> fixed = source.read(klv.valueOffset, kFixedLayout);
    ByteCursor in(fixed, klv.valueOffset, context);

    PartitionPack pack;
    pack.klv = klv;
    pack.kind = static_cast<PartitionPack::Kind>(klv.key[13] - 0x02);
    // Status 1 open incomplete, 2 closed incomplete, 3 open complete, 4 closed complete.
    pack.closed = klv.key[14] == 0x02 || klv.key[14] == 0x04;
    pack.complete = klv.key[14] >= 0x03;
    pack.majorVersion = in.u16("MajorVersion");
    pack.minorVersion = in.u16("MinorVersion");
    pack.kagSize = in.u32("KAGSize");
    pack.thisPartition = in.u64("ThisPartition");
    pack.previousPartition = in.u64("PreviousPartition");
    pack.footerPartition = in.u64("FooterPartition");
    pack.headerByteCount = in.u64("HeaderByteCount");
    pack.indexByteCount = in.u64("IndexByteCount");
    pack.indexSID = in.u32("IndexSID");
    pack.bodyOffset = in.u64("BodyOffset");
    pack.bodySID = in.u32("BodySID");
    pack.operationalPattern = in.label("OperationalPattern");

    const std::uint64_t batchOffset = in.offset();
    const std::uint64_t count = in.u32("EssenceContainers count");
    const std::uint32_t itemSize = in.u32("EssenceContainers item size");
    if (itemSize != 16)
        fail(batchOffset, "EssenceContainers of the " + context + ": items of " +
                              std::to_string(itemSize) + " bytes (items are labels of 16 bytes)");
    const std::uint64_t layout = kFixedLayout + 16 * count;
    if (klv.length < layout)
        fail(klv.offset, "the " + context + " holds " + std::to_string(klv.length) +
                             " bytes, where its layout with " + std::to_string(count) +
                             " essence container labels takes 88 + 16 x " + std::to_string(count) +
                             " = " + std::to_string(layout));
    if (layout > Limits::kSetSize)
        fail(klv.offset, "the " + context + " holds " + std::to_string(klv.length) +
                             " bytes, over the limit of " + std::to_string(Limits::kSetSize) +
                             " bytes for one KLV");
    const std::vector<std::uint8_t> labels =
        source.read(batchOffset + 8, static_cast<std::size_t>(16 * count));
    pack.bytesBeyondLayout = klv.length - layout;
    ByteCursor batch(labels, batchOffset + 8, context);
    pack.essenceContainers.reserve(static_cast<std::size_t>(count));
    for (std::uint64_t i = 0; i < count; ++i)
        pack.essenceContainers.push_back(batch.label("EssenceContainers item"));
    return pack;
}

PartitionPack readPartitionPackAt(const ByteSource& source, std::uint64_t offset) {
    const KlvHeader klv = readKlvHeader(source, offset);
    if (!isPartitionPackKey(klv.key))
        throw MalformedMXFFile(offset,
                               "a partition pack was expected here, found KLV " + klv.key.dotted(),
                               __FILE__, __LINE__);
    return readPartitionPack(source, klv);
}

const char* kindName(PartitionPack::Kind kind) {
    switch (kind) {
    case PartitionPack::Header:
        return "header";
    case PartitionPack::Body:
        return "body";
    case PartitionPack::Footer:
        return "footer";
    }
    return "";
}

std::string statusText(const PartitionPack& pack) {
    return std::string(pack.closed ? "closed" : "open") +
           (pack.complete ? " complete" : " incomplete");
}

} // namespace MXF
} // namespace Palimo
