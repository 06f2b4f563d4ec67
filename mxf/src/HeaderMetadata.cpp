#include <Palimo/MXF/HeaderMetadata.h>

#include <Palimo/MXF/Exceptions.h>
#include <Palimo/MXF/Limits.h>

#include "KlvBytes.h"
#include "MetadataParser.h"
#include "PartitionSearch.h"
#include "ProblemList.h"
#include "ReadAhead.h"

#include <algorithm>

namespace Palimo {
namespace MXF {
namespace {

[[noreturn]] void fail(std::uint64_t offset, const std::string& what) {
    throw MalformedMXFFile(offset, what, __FILE__, __LINE__);
}

// The offset of the header partition pack's key: the first place in the
// file, at most Limits::kRunIn bytes in, that holds one.
std::uint64_t findHeaderPartition(const ByteSource& source) {
    const std::vector<std::uint8_t> start = source.readUpTo(0, Limits::kRunIn + 16);
    for (std::size_t i = 0; i <= Limits::kRunIn && i + 16 <= start.size(); ++i) {
        if (start[i] != 0x06)
            continue;
        const Label key = Label::fromBytes(start.data() + i);
        if (isPartitionPackKey(key) && key[13] == 0x02)
            return i;
    }
    if (start.size() < Limits::kRunIn + 16)
        fail(0, "no header partition pack in the " + std::to_string(start.size()) +
                    " bytes of the file: not an MXF file");
    fail(0, "no header partition pack in the first " + std::to_string(Limits::kRunIn + 1) +
                " bytes (a run-in takes at most " + std::to_string(Limits::kRunIn) +
                "): not an MXF file");
}

// Where the header metadata of `pack` starts: after the fill that may stand
// between the partition pack and the primer pack. Reads KLV keys and lengths
// only. `cut` tells that the file ends inside the fill that starts there.
std::uint64_t skipFill(const ByteSource& source, const PartitionPack& pack, bool& cut) {
    std::uint64_t offset = pack.klv.end();
    for (;;) {
        const std::vector<std::uint8_t> bytes = source.readUpTo(offset, 25);
        KlvHeader klv;
        const bool fill =
            decodeKlvHeader(bytes.data(), bytes.size(), offset, klv) == KlvFault::None &&
            isFillKey(klv.key);
        // A stream's end becomes known only once it has been passed.
        cut = fill ? klv.length > source.size() - klv.valueOffset : offset > source.size();
        if (!fill || cut)
            return offset;
        offset = klv.end();
    }
}

// Reads the header metadata of `pack` into `metadata` (which holds none);
// none when HeaderByteCount is 0.
void readPartition(const ByteSource& source, const PartitionPack& pack, HeaderMetadata& metadata) {
    metadata.partition = pack;
    if (pack.headerByteCount == 0)
        return;
    if (pack.headerByteCount > Limits::kHeaderMetadataSize) {
        ProblemList(metadata.problems, metadata.problemsNotKept)
            .add(Problem::Kind::OverLimit, pack.klv.offset,
                 "HeaderByteCount " + std::to_string(pack.headerByteCount) + " of the " +
                     kindName(pack.kind) + " partition at byte " + std::to_string(pack.klv.offset) +
                     " is over the limit of " + std::to_string(Limits::kHeaderMetadataSize) +
                     " bytes for one header metadata: it is not read");
        return;
    }
    bool cut = false;
    const std::uint64_t start = skipFill(source, pack, cut);
    if (cut) {
        ProblemList(metadata.problems, metadata.problemsNotKept)
            .add(Problem::Kind::Truncated, std::min(start, source.size()),
                 "the file ends at byte " + std::to_string(source.size()) +
                     ", inside the fill after the " + kindName(pack.kind) +
                     " partition pack, before its header metadata");
        return;
    }
    // One request of the byte count, fewer bytes when the file ends sooner.
    const std::vector<std::uint8_t> bytes =
        source.readUpTo(start, static_cast<std::size_t>(pack.headerByteCount));
    parseHeaderMetadata(bytes, start, start + pack.headerByteCount, metadata);
}

// A copy of the header metadata read from `pack`, apart from `metadata`.
HeaderMetadata readCopy(const ByteSource& source, const PartitionPack& pack,
                        const HeaderMetadata& metadata) {
    HeaderMetadata copy;
    copy.runIn = metadata.runIn;
    copy.headerPartition = metadata.headerPartition;
    readPartition(source, pack, copy);
    return copy;
}

// Takes the copy read into `metadata`, whose notes stay.
void take(HeaderMetadata& metadata, HeaderMetadata&& copy) {
    metadata.partition = copy.partition;
    metadata.primer = std::move(copy.primer);
    metadata.sets = std::move(copy.sets);
    metadata.problems = std::move(copy.problems);
    metadata.problemsNotKept = copy.problemsNotKept;
}

// The first problem of the copy's structure, or null when it has none.
const Problem* damage(const HeaderMetadata& copy) {
    const auto found = std::find_if(copy.problems.begin(), copy.problems.end(),
                                    [](const Problem& p) { return isStructural(p.kind); });
    return found == copy.problems.end() ? nullptr : &*found;
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
    // A source read forward only cannot come back for it.
    std::optional<HeaderMetadata> headerCopy;
    if (source.forwardOnly() && !holdsNone)
        headerCopy = readCopy(source, header, metadata);
    PartitionSearch search(source, metadata.runIn, header, metadata.notes);
    // Without header metadata of its own, the header partition is left with
    // the best damaged copy, if that is all there is.
    std::optional<HeaderMetadata> damaged;
    std::string damagedNote;
    for (const FoundPartition& found : search.copies()) {
        HeaderMetadata copy = readCopy(source, found.pack, metadata);
        const std::string read = "read the header metadata of " + partitionText(found.pack) +
                                 ", which is " + statusText(found.pack) + " (found through " +
                                 found.route + ")";
        if (const Problem* problem = damage(copy)) {
            metadata.notes.push_back("the header metadata of " + partitionText(found.pack) +
                                     " is unusable: byte " + std::to_string(problem->offset) +
                                     ": " + problem->message);
            if (holdsNone && !damaged) {
                damagedNote =
                    state + ", and no other copy is usable; " + read + " as far as it can be read";
                damaged = std::move(copy);
            }
            continue;
        }
        metadata.notes.push_back(state + "; " + read);
        take(metadata, std::move(copy));
        return;
    }
    if (damaged) {
        metadata.notes.push_back(damagedNote);
        take(metadata, std::move(*damaged));
        return;
    }
    std::string note = state;
    if (search.routes().empty())
        note += std::string(source.forwardOnly()
                                ? ", and no footer partition offset leads to another partition"
                                : ", and neither a footer partition offset nor a random index "
                                  "pack leads to another partition") +
                (holdsNone ? "" : ": its header metadata may not be final");
    else
        note += ", and no partition found through " + joined(search.routes(), " or ") +
                (holdsNone ? " holds any"
                           : " holds a better copy of its header metadata, which may not be final");
    metadata.notes.push_back(note);
    if (headerCopy)
        take(metadata, std::move(*headerCopy));
    else
        readPartition(source, header, metadata);
}

void readFooter(const ByteSource& source, HeaderMetadata& metadata) {
    const std::string missing = "the file has no footer partition with header metadata: ";
    PartitionSearch search(source, metadata.runIn, metadata.headerPartition, metadata.notes);
    std::string why;
    const std::optional<FoundPartition> footer = search.footer(why);
    if (!footer)
        throw MissingPartition(missing + why, __FILE__, __LINE__);
    if (footer->pack.headerByteCount == 0)
        throw MissingPartition(missing + partitionText(footer->pack) + " (found through " +
                                   footer->route + ") holds none",
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

HeaderMetadata readHeaderMetadata(const ByteSource& file, PartitionChoice choice) {
    const ReadAhead source(file);
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
    for (const PartitionPack* pack : {&metadata.headerPartition, &metadata.partition}) {
        if (pack->bytesBeyondLayout != 0 &&
            (pack == &metadata.headerPartition ||
             pack->klv.offset != metadata.headerPartition.klv.offset))
            metadata.notes.push_back(
                "the " + std::string(kindName(pack->kind)) + " partition pack at byte " +
                std::to_string(pack->klv.offset) + " holds " +
                std::to_string(pack->bytesBeyondLayout) + " bytes beyond its layout of 88 + 16 x " +
                std::to_string(pack->essenceContainers.size()) + " bytes; they are not read");
    }
    return metadata;
}

} // namespace MXF
} // namespace Palimo
