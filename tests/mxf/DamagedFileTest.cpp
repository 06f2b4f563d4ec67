// Damaged and hostile header metadata: everything that can be read is read,
// each fault is a problem naming its offset, and the limits hold.
#include "MxfBytes.h"
#include "support/TestSupport.h"

#include <Palimo/MXF/Exceptions.h>
#include <Palimo/MXF/HeaderMetadata.h>
#include <Palimo/MXF/Limits.h>

namespace {

using namespace MxfTest;
using Palimo::MXF::HeaderMetadata;
using Palimo::MXF::MemorySource;

const char kSetKey[] = "06.0e.2b.34.02.53.01.01.0d.01.01.01.01.01.2f.00";
const Bytes kPrimerKey = hex("06.0e.2b.34.02.05.01.01.0d.01.02.01.01.05.01.00");
const char kInstanceID[] = "06.0e.2b.34.01.01.01.01.01.01.15.02.00.00.00.00";
const Bytes kPrimer = primer({{0x3c0a, kInstanceID}}); // 46 bytes

// A set of 40 bytes whose InstanceID is uid(n).
Bytes set(std::uint8_t n) {
    return localSet(kSetKey, {{0x3c0a, uid(n)}});
}

// The primer at 108, sets at 154, 194 and 234; 274 bytes.
const Bytes kThreeSets = headerFile(kPrimer + set(1) + set(2) + set(3));

HeaderMetadata readBytes(const Bytes& file) {
    const MemorySource source(file.data(), file.size());
    return Palimo::MXF::readHeaderMetadata(source);
}

Bytes first(const Bytes& bytes, std::size_t count) {
    return Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(count));
}

Bytes with(Bytes bytes, std::size_t at, const Bytes& replacement) {
    std::copy(replacement.begin(), replacement.end(),
              bytes.begin() + static_cast<std::ptrdiff_t>(at));
    return bytes;
}

std::vector<std::uint64_t> setOffsets(const HeaderMetadata& metadata) {
    std::vector<std::uint64_t> offsets;
    for (const auto& s : metadata.sets)
        offsets.push_back(s.klv.offset);
    return offsets;
}

std::vector<std::string> problems(const HeaderMetadata& metadata) {
    std::vector<std::string> texts;
    for (const auto& p : metadata.problems)
        texts.push_back(std::string(problemKindName(p.kind)) + " " + std::to_string(p.offset) +
                        ": " + p.message);
    return texts;
}

TEST(DamagedFile, GivesEverySetThatCanBeRead) {
    const std::string primerKey = "06.0e.2b.34.02.05.01.01.0d.01.02.01.01.05.01.00";
    const std::string setKey = "06.0e.2b.34.02.53.01.01.0d.01.01.01.01.01.2f.00";
    const std::string noTags = "local tags resolve through the dictionary's static tags only";
    const std::string entrySize = " (entries are 18 bytes: a local tag and a label)";
    struct Case {
        const char* what;
        Bytes file;
        std::vector<std::uint64_t> sets;
        std::size_t primerEntries;
        std::vector<std::string> problems;
    };
    const std::vector<Case> cases = {
        {"sound", kThreeSets, {154, 194, 234}, 1, {}},
        {"a corrupted key",
         with(kThreeSets, 194, {0x07}),
         {154, 234},
         1,
         {"unreadableKlv 194: no SMPTE key here (070e2b34...); 40 bytes skipped to the next key, "
          "at byte 234"}},
        {"a length past the header metadata",
         with(kThreeSets, 211, hex("ff ff ff")),
         {154, 234},
         1,
         {"unreadableKlv 194: KLV " + setKey +
          " (length 16777215) runs past the end of the header metadata (byte 274); 40 bytes "
          "skipped to the next key, at byte 234"}},
        {"the indefinite length",
         with(kThreeSets, 210, {0x80}),
         {154, 234},
         1,
         {"unreadableKlv 194: KLV " + setKey +
          ": bad BER length (first byte 80); 40 bytes skipped to the next key, at byte 234"}},
        {"an item past the end of its set",
         headerFile(kPrimer + set(1) + klv(hex(kSetKey), hex("3c 0a 00 10 01 02")) + set(3)),
         {154, 194, 220},
         1,
         {"malformedSet 214: local set at byte 194: item 3c.0a: length 16 runs past the end of "
          "the set (2 bytes left); the items before it are read"}},
        {"an item's tag and length cut off",
         headerFile(kPrimer + set(1) + klv(hex(kSetKey), hex("3c 0a 00")) + set(3)),
         {154, 194, 217},
         1,
         {"malformedSet 214: local set at byte 194: 3 bytes after the last item, too few for an "
          "item's tag and length; the items before are read"}},
        {"HeaderByteCount shorter than the sets",
         partitionPack(0x02, 0x04, 46 + 40 + 30) + kPrimer + set(1) + set(2),
         {154},
         1,
         {"unreadableKlv 194: KLV " + setKey +
          " (length 20) runs past the end of the header metadata (byte 224); no key follows: the "
          "last 30 bytes of the header metadata are skipped"}},
        {"no primer",
         headerFile(set(1) + set(2)),
         {108, 148},
         0,
         {"malformedPrimer 108: the header metadata of the header partition does not start with "
          "a primer pack (found KLV " +
          setKey + "): " + noTags}},
        {"a primer that claims 2^31 entries",
         headerFile(
             klv(kPrimerKey, be(0x80000000u, 4) + be(18, 4) + be(0x3c0a, 2) + hex(kInstanceID)) +
             set(1)),
         {154},
         1,
         {"malformedPrimer 128: the primer pack at byte 108 lists 2147483648 entries of 18 bytes "
          "in 18 bytes" +
          entrySize +
          "; its first 1 entries are read, other local tags resolve through the dictionary's "
          "static tags only"}},
        {"a primer that claims fewer entries than it holds",
         headerFile(klv(kPrimerKey, be(1, 4) + be(18, 4) + be(0x3c0a, 2) + hex(kInstanceID) +
                                        be(0x3c0b, 2) + hex(kInstanceID)) +
                    set(1)),
         {172},
         1,
         {"malformedPrimer 128: the primer pack at byte 108 lists 1 entries of 18 bytes in 36 "
          "bytes" +
          entrySize +
          "; its first 1 entries are read, other local tags resolve through the dictionary's "
          "static tags only"}},
        {"primer entries of 20 bytes",
         headerFile(klv(kPrimerKey, be(1, 4) + be(20, 4) + Bytes(20, 0)) + set(1)),
         {156},
         0,
         {"malformedPrimer 128: the primer pack at byte 108 lists 1 entries of 20 bytes in 20 "
          "bytes" +
          entrySize + "; none of its entries is read: " + noTags}},
        {"a primer too short for its batch header",
         headerFile(klv(kPrimerKey, Bytes(5, 0)) + set(1)),
         {133},
         0,
         {"malformedPrimer 128: the primer pack at byte 108 holds 5 bytes, too few for the 8-byte "
          "header of its batch of entries; none of its entries is read: " +
          noTags}},
        {"a primer with a corrupted key",
         with(kThreeSets, 108, {0x07}),
         {154, 194, 234},
         0,
         {"malformedPrimer 108: no primer pack: no SMPTE key here (070e2b34...); " + noTags +
          "; 46 bytes skipped to the next key, at byte 154"}},
        {"cut off inside a set",
         first(kThreeSets, 220),
         {154},
         1,
         {"truncated 194: the file ends at byte 220, inside KLV " + setKey +
          " at byte 194 (length 20), before the end of the header metadata at byte 274: the "
          "sets before it are read"}},
        {"cut off between sets",
         first(kThreeSets, 234),
         {154, 194},
         1,
         {"truncated 234: the file ends at byte 234, after the last whole KLV, before the end of "
          "the header metadata at byte 274: the sets before it are read"}},
        {"cut off inside the primer",
         first(kThreeSets, 130),
         {},
         0,
         {"truncated 108: the file ends at byte 130, inside the primer pack at byte 108 (length "
          "26), before the end of the header metadata at byte 274: the sets before it are read"}},
        {"cut off inside fill before the primer",
         first(partitionPack(0x02, 0x04, 86) +
                   klv(hex("06.0e.2b.34.01.01.01.02.03.01.02.10.01.00.00.00"), Bytes(100, 0)) +
                   kPrimer + set(1),
               150),
         {},
         0,
         {"truncated 108: the file ends at byte 150, inside the fill after the header partition "
          "pack, before its header metadata"}},
        {"HeaderByteCount over the limit",
         partitionPack(0x02, 0x04, Palimo::MXF::Limits::kHeaderMetadataSize + 1) + kPrimer,
         {},
         0,
         {"overLimit 0: HeaderByteCount 268435457 of the header partition at byte 0 is over the "
          "limit of 268435456 bytes for one header metadata: it is not read"}},
    };
    for (const Case& c : cases) {
        const HeaderMetadata got = readBytes(c.file);
        EXPECT_EQ(setOffsets(got), c.sets) << c.what;
        EXPECT_EQ(got.primer ? got.primer->size() : 0u, c.primerEntries) << c.what;
        EXPECT_EQ(problems(got), c.problems) << c.what;
    }
}

// A KLV over the limit is skipped; the limits on sets and items stop the
// reading where they are reached.
TEST(DamagedFile, LimitsOnOneSetTheSetsAndTheItems) {
    using Palimo::MXF::Limits::kItems;
    using Palimo::MXF::Limits::kSets;
    using Palimo::MXF::Limits::kSetSize;
    const Bytes bigKey = hex("06.0e.2b.34.02.53.01.01.0e.7f.00.00.00.00.00.00");
    Bytes big = bigKey + Bytes{0x84} + be(kSetSize + 1, 4);
    big.resize(big.size() + kSetSize + 1);
    const auto bigRead = readBytes(headerFile(kPrimer + big + set(2)));
    EXPECT_EQ(setOffsets(bigRead), std::vector<std::uint64_t>{154 + big.size()});
    EXPECT_EQ(problems(bigRead),
              std::vector<std::string>{"overLimit 154: KLV 06.0e.2b.34.02.53.01.01.0e.7f.00.00.00."
                                       "00.00.00 at byte 154 holds 16777217 bytes, over the limit "
                                       "of 16777216 bytes for one KLV: it is skipped"});

    const Bytes empty = localSet(kSetKey, {});
    Bytes many = kPrimer;
    many.reserve(kPrimer.size() + (kSets + 1) * empty.size());
    for (std::size_t i = 0; i <= kSets; ++i)
        many.insert(many.end(), empty.begin(), empty.end());
    const auto manyRead = readBytes(headerFile(many));
    const std::uint64_t last = 154 + kSets * empty.size();
    EXPECT_EQ(manyRead.sets.size(), kSets);
    EXPECT_EQ(problems(manyRead),
              std::vector<std::string>{"overLimit " + std::to_string(last) +
                                       ": the header metadata holds more than the limit of 100000 "
                                       "sets: the KLVs from byte " +
                                       std::to_string(last) + " on are not read"});

    Bytes items;
    items.reserve((kItems + 1) * 4);
    for (std::size_t i = 0; i <= kItems; ++i)
        items.insert(items.end(), {0x3c, 0x0a, 0x00, 0x00});
    const auto itemsRead = readBytes(headerFile(kPrimer + klv(hex(kSetKey), items) + set(2)));
    ASSERT_EQ(itemsRead.sets.size(), 1u);
    EXPECT_EQ(itemsRead.sets[0].items.size(), kItems);
    const std::uint64_t lastItem = 154 + 20 + kItems * 4;
    EXPECT_EQ(problems(itemsRead),
              std::vector<std::string>{"overLimit " + std::to_string(lastItem) +
                                       ": the header metadata holds more than the limit of 500000 "
                                       "items: the items from byte " +
                                       std::to_string(lastItem) + " on are not read"});
}

// Cut at every offset: before the header partition pack ends, the file is
// refused; after, the sets before the cut are read as they are in the whole
// file, with one problem when the cut falls inside the header metadata. An
// open header partition whose better copy is in the footer falls back to its
// own copy once the footer is cut off.
TEST(DamagedFile, CutAtEveryOffset) {
    const Bytes openHeader = layout({{0x02, 0x01, kPrimer + set(1) + set(2), {}},
                                     {0x03, 0x04, {}, Bytes(8, 0)},
                                     {0x04, 0x04, kPrimer + set(3), {}}});
    for (const Bytes& file : {kThreeSets, openHeader}) {
        const HeaderMetadata whole = readBytes(file);
        const HeaderMetadata header = [&] {
            const MemorySource source(file.data(), file.size());
            return Palimo::MXF::readHeaderMetadata(source, Palimo::MXF::PartitionChoice::Header);
        }();
        for (std::size_t cut = 0; cut < file.size(); ++cut) {
            SCOPED_TRACE(cut);
            const Bytes part = first(file, cut);
            if (cut < kPackSize) {
                EXPECT_THROW(readBytes(part), Palimo::MXF::MalformedMXFFile);
                continue;
            }
            const HeaderMetadata got = readBytes(part);
            // What the cut file has: the whole file's copy, else the header's.
            const HeaderMetadata& full =
                got.partition.klv.offset == whole.partition.klv.offset ? whole : header;
            ASSERT_LE(got.sets.size(), full.sets.size());
            for (std::size_t i = 0; i < got.sets.size(); ++i) {
                EXPECT_EQ(got.sets[i].klv.offset, full.sets[i].klv.offset);
                ASSERT_EQ(got.sets[i].items.size(), full.sets[i].items.size());
                EXPECT_EQ(got.sets[i].items[0].value, full.sets[i].items[0].value);
            }
            const std::uint64_t metadataEnd = kPackSize + full.partition.headerByteCount;
            if (got.partition.klv.offset == 0 && cut < metadataEnd) {
                ASSERT_EQ(got.problems.size(), 1u);
                EXPECT_EQ(got.problems[0].kind, Palimo::MXF::Problem::Kind::Truncated);
            } else {
                EXPECT_EQ(got.sets.size(), full.sets.size());
                EXPECT_TRUE(got.problems.empty());
            }
        }
    }
}

// One corrupted byte anywhere in the header metadata: never a refusal, and
// every set that ends before it is read as it is.
TEST(DamagedFile, CorruptedByteAtEveryOffsetOfTheHeaderMetadata) {
    const HeaderMetadata whole = readBytes(kThreeSets);
    for (std::size_t at = kPackSize; at < kThreeSets.size(); ++at) {
        SCOPED_TRACE(at);
        Bytes file = kThreeSets;
        file[at] ^= 0xff;
        const HeaderMetadata got = readBytes(file);
        for (const auto& original : whole.sets) {
            if (original.klv.end() > at)
                break;
            const auto same = std::find_if(got.sets.begin(), got.sets.end(), [&](const auto& s) {
                return s.klv.offset == original.klv.offset;
            });
            ASSERT_NE(same, got.sets.end());
            EXPECT_EQ(same->items[0].value, original.items[0].value);
        }
    }
}

} // namespace
