#include <Palimo/MXF/HeaderMetadata.h>

#include <Palimo/Identifiers/Hex.h>

#include "ByteCursor.h"
#include "PartitionSearch.h"

#include <algorithm>

namespace Palimo {
namespace MXF {
namespace {

constexpr std::uint64_t kMaxRunIn = 65536;

[[noreturn]] void fail(std::uint64_t offset, const std::string& what) {
    throw Exceptions::MalformedMXFFile(offset, what, __FILE__, __LINE__);
}

// The offset of the header partition pack's key: the first place in the
// first 64 KiB that holds one.
std::uint64_t findHeaderPartition(const ByteSource& source) {
    const std::size_t scanned =
        static_cast<std::size_t>(std::min<std::uint64_t>(source.size(), kMaxRunIn + 16));
    const std::vector<std::uint8_t> start = source.read(0, scanned);
    for (std::size_t i = 0; i + 16 <= start.size(); ++i) {
        if (start[i] != 0x06)
            continue;
        const Label key = Label::fromBytes(start.data() + i);
        if (isPartitionPackKey(key) && key[13] == 0x02)
            return i;
    }
    fail(0, "no header partition pack in the first " +
                std::to_string(std::min<std::uint64_t>(source.size(), kMaxRunIn)) +
                " bytes: not an MXF file");
}

// The items of a local set with 2-byte tags and 2-byte lengths.
std::vector<RawItem> readItems(const std::vector<std::uint8_t>& value, const KlvHeader& klv) {
    const std::string context = "local set at byte " + std::to_string(klv.offset);
    ByteCursor in(value, klv.valueOffset, context);
    std::vector<RawItem> items;
    while (in.remaining() > 0) {
        RawItem item;
        item.offset = in.offset();
        item.tag = in.u16("item tag");
        const std::uint16_t length = in.u16("item length");
        if (length > in.remaining())
            fail(item.offset, "item " + Identifiers::localTagText(item.tag) + " of the " + context +
                                  ": length " + std::to_string(length) +
                                  " runs past the end of the set (" +
                                  std::to_string(in.remaining()) + " bytes left)");
        const std::uint8_t* bytes = in.take(length, "item value");
        item.value.assign(bytes, bytes + length);
        items.push_back(std::move(item));
    }
    return items;
}

// Index table segments and partition packs do not belong to header
// metadata: a writer that counted HeaderByteCount from the partition pack
// rather than from the primer makes the count run into them.
bool endsHeaderMetadata(const Label& key) {
    static const Label indexSegment({0x06, 0x0e, 0x2b, 0x34, 0x02, 0x53, 0x01, 0x01, 0x0d, 0x01,
                                     0x02, 0x01, 0x01, 0x10, 0x01, 0x00});
    return isPartitionPackKey(key) || key.equalIgnoringVersion(indexSegment);
}

void readSets(const ByteSource& source, HeaderMetadata& metadata) {
    const PartitionPack& pack = metadata.partition;
    // Fill may stand between the partition pack and the primer pack.
    std::uint64_t offset = pack.klv.end();
    KlvHeader klv = readKlvHeader(source, offset);
    while (isFillKey(klv.key))
        klv = readKlvHeader(source, klv.end());
    if (!Primer::isPrimerKey(klv.key))
        fail(klv.offset, "the header metadata of the " + std::string(kindName(pack.kind)) +
                             " partition does not start with a primer pack (found KLV " +
                             klv.key.dotted() + ")");
    if (pack.headerByteCount > source.size() - klv.offset)
        fail(pack.klv.offset, "HeaderByteCount " + std::to_string(pack.headerByteCount) +
                                  " of the " + kindName(pack.kind) +
                                  " partition runs past the end of the file (" +
                                  std::to_string(source.size()) + " bytes)");
    const std::uint64_t end = klv.offset + pack.headerByteCount;
    if (klv.end() > end)
        fail(klv.offset, "the primer pack runs past the end of the header metadata (byte " +
                             std::to_string(end) + ")");
    metadata.primer = Primer::read(source, klv);

    for (offset = klv.end(); offset < end; offset = klv.end()) {
        klv = readKlvHeader(source, offset);
        if (endsHeaderMetadata(klv.key))
            break;
        if (klv.end() > end)
            fail(offset, "KLV " + klv.key.dotted() + " (length " + std::to_string(klv.length) +
                             ") runs past the end of the header metadata (byte " +
                             std::to_string(end) + ")");
        if (isFillKey(klv.key))
            continue;
        RawSet set;
        set.klv = klv;
        std::vector<std::uint8_t> value =
            source.read(klv.valueOffset, static_cast<std::size_t>(klv.length));
        set.localSet = klv.key[4] == 0x02 && klv.key[5] == 0x53;
        if (set.localSet)
            set.items = readItems(value, klv);
        else
            set.value = std::move(value);
        metadata.sets.push_back(std::move(set));
    }
}

// Reads the header metadata of `pack` into `metadata`, dropping what an
// earlier attempt left; none when HeaderByteCount is 0.
void readPartition(const ByteSource& source, const PartitionPack& pack, HeaderMetadata& metadata) {
    metadata.partition = pack;
    metadata.primer.reset();
    metadata.sets.clear();
    if (pack.headerByteCount > 0)
        readSets(source, metadata);
}

std::string joined(const std::vector<std::string>& parts, const char* separator) {
    std::string text;
    for (const std::string& part : parts)
        text += (text.empty() ? "" : separator) + part;
    return text;
}

void readBest(const ByteSource& source, HeaderMetadata& metadata) {
    const PartitionPack& header = metadata.headerPartition;
    const bool holdsNone = header.headerByteCount == 0;
    if (header.closed && header.complete && !holdsNone) {
        readPartition(source, header, metadata);
        return;
    }
    const std::string state = "the header partition is " + statusText(header) +
                              (holdsNone ? " and holds no header metadata" : "");
    PartitionSearch search(source, metadata.runIn, header, metadata.notes);
    for (const FoundPartition& copy : search.copies()) {
        try {
            readPartition(source, copy.pack, metadata);
            metadata.notes.push_back(state + "; read the header metadata of " +
                                     partitionText(copy.pack) + ", which is " +
                                     statusText(copy.pack) + " (found through " + copy.route + ")");
            return;
        } catch (const Exceptions::MalformedMXFFile& e) {
            metadata.notes.push_back("the header metadata of " + partitionText(copy.pack) +
                                     " is unusable: " + e.what());
        }
    }
    std::string note = state;
    if (search.routes().empty())
        note += ", and neither a footer partition offset nor a random index pack leads to "
                "another partition" +
                std::string(holdsNone ? "" : ": its header metadata may not be final");
    else
        note += ", and no partition found through " + joined(search.routes(), " or ") +
                (holdsNone ? " holds any"
                           : " holds a better copy of its header metadata, which may not be final");
    metadata.notes.push_back(note);
    readPartition(source, header, metadata);
}

void readFooter(const ByteSource& source, HeaderMetadata& metadata) {
    const std::string missing = "the file has no footer partition with header metadata: ";
    PartitionSearch search(source, metadata.runIn, metadata.headerPartition, metadata.notes);
    std::string why;
    const std::optional<FoundPartition> footer = search.footer(why);
    if (!footer)
        throw Exceptions::MissingPartition(missing + why, __FILE__, __LINE__);
    if (footer->pack.headerByteCount == 0)
        throw Exceptions::MissingPartition(missing + partitionText(footer->pack) +
                                               " (found through " + footer->route + ") holds none",
                                           __FILE__, __LINE__);
    readPartition(source, footer->pack, metadata);
    metadata.notes.push_back("read the header metadata of " + partitionText(footer->pack) +
                             ", which is " + statusText(footer->pack) + " (found through " +
                             footer->route + "), as asked; the header partition is " +
                             statusText(metadata.headerPartition));
}

void readHeader(const ByteSource& source, HeaderMetadata& metadata) {
    const PartitionPack& header = metadata.headerPartition;
    if (!header.closed || !header.complete)
        metadata.notes.push_back("read the header metadata of the header partition as asked; it "
                                 "is " +
                                 statusText(header) + " and may not be final");
    if (header.headerByteCount == 0)
        metadata.notes.push_back("the header partition holds no header metadata");
    readPartition(source, header, metadata);
}

} // namespace

HeaderMetadata readHeaderMetadata(const ByteSource& source, PartitionChoice choice) {
    HeaderMetadata metadata;
    metadata.runIn = findHeaderPartition(source);
    metadata.headerPartition = readPartitionPackAt(source, metadata.runIn);
    switch (choice) {
    case PartitionChoice::Best:
        readBest(source, metadata);
        break;
    case PartitionChoice::Header:
        readHeader(source, metadata);
        break;
    case PartitionChoice::Footer:
        readFooter(source, metadata);
        break;
    }
    return metadata;
}

} // namespace MXF
} // namespace Palimo
