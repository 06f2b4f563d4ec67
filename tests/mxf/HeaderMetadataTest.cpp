// The header metadata as bytes: where it is found, what is skipped, and the
// refusal of every malformed structure with the offset where it goes wrong.
#include "MxfBytes.h"
#include "support/TestSupport.h"

#include <Palimo/MXF/Exceptions.h>
#include <Palimo/MXF/HeaderMetadata.h>
#include <Palimo/MXF/Limits.h>
#include <Palimo/MXF/RandomIndexPack.h>

namespace {

using namespace MxfTest;
using Palimo::MXF::MalformedMXFFile;
using Palimo::MXF::MemorySource;
using Palimo::MXF::PartitionPack;
using Palimo::MXF::readHeaderMetadata;

const char kSetKey[] = "06.0e.2b.34.02.53.01.01.0d.01.01.01.01.01.2f.00";
const Bytes kFill = klv(hex("06.0e.2b.34.01.01.01.02.03.01.02.10.01.00.00.00"), Bytes(7, 0));
const Bytes kPrimer = primer({{0x3c0a, "06.0e.2b.34.01.01.01.01.01.01.15.02.00.00.00.00"}});

Palimo::MXF::HeaderMetadata readBytes(const Bytes& file) {
    const MemorySource source(file.data(), file.size());
    return readHeaderMetadata(source);
}

Bytes first(const Bytes& bytes, std::size_t count) {
    return Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(count));
}

TEST(HeaderMetadata, SkipsRunInAndFillAndKeepsSetsInOrder) {
    const Bytes metadata = kPrimer + localSet(kSetKey, {{0x3c0a, uid(1)}, {0x3b05, hex("0103")}}) +
                           kFill + localSet(kSetKey, {}) +
                           klv(hex("06.0e.2b.34.01.01.01.01.0e.7f.00.00.00.00.00.00"), hex("01"));
    const Bytes file =
        hex("aa bb cc") + partitionPack(0x02, 0x04, metadata.size()) + kFill + metadata;
    const auto got = readBytes(file);
    EXPECT_EQ(got.runIn, 3u);
    ASSERT_TRUE(got.primer);
    EXPECT_EQ(got.primer->klv().offset, 3 + kPackSize + kFill.size());
    ASSERT_EQ(got.sets.size(), 3u);
    ASSERT_EQ(got.sets[0].items.size(), 2u);
    EXPECT_EQ(got.sets[0].items[1].tag, 0x3b05);
    EXPECT_EQ(got.sets[0].items[1].value, hex("0103"));
    EXPECT_EQ(got.sets[0].items[1].offset, got.sets[0].klv.valueOffset + 20);
    EXPECT_TRUE(got.sets[1].items.empty());
    EXPECT_FALSE(got.sets[2].localSet); // a KLV that is no local set stays whole
    EXPECT_EQ(got.sets[2].value, hex("01"));
    EXPECT_TRUE(got.notes.empty());
}

// Header metadata whose one set has InstanceID uid(n): 86 bytes, so that a
// partition holding it takes 194 bytes and one holding none 108.
Bytes copy(std::uint8_t n) {
    return kPrimer + localSet(kSetKey, {{0x3c0a, uid(n)}});
}
const Bytes kEssence = Bytes(8, 0); // no KLV: reading it would fail

// Which copy of the header metadata is read, and the notes that say why.
TEST(HeaderMetadata, ReadsTheBestCopyOfTheHeaderMetadata) {
    using Palimo::MXF::PartitionChoice;
    const Partition openHeader{0x02, 0x01, copy(1), {}};
    struct Case {
        const char* what;
        Bytes file;
        PartitionChoice choice;
        std::uint64_t partition; // offset of the pack of the partition read
        std::uint8_t read;       // n of the copy read
        std::vector<std::string> notes;
    };
    const std::string byOffset = "(found through the footer partition offset)";
    const std::string byRip = "(found through the random index pack)";
    const std::string openRead = "the header partition is open incomplete; read the header "
                                 "metadata of the ";
    const std::vector<Case> cases = {
        {"closed complete header: nothing else is looked at",
         layout({{0x02, 0x04, copy(1), {}}, {0x04, 0x04, copy(2), {}}}),
         PartitionChoice::Best,
         0,
         1,
         {}},
        {"open header, closed complete footer through the footer offset",
         layout({openHeader, {0x03, 0x04, {}, kEssence}, {0x04, 0x04, copy(3), {}}},
                {std::nullopt, false}),
         PartitionChoice::Best,
         310,
         3,
         {openRead + "footer partition at byte 310, which is closed complete " + byOffset}},
        {"footer offset 0: the random index pack",
         layout({openHeader, {0x03, 0x04, {}, kEssence}, {0x04, 0x04, copy(3), {}}}, {0}),
         PartitionChoice::Best,
         310,
         3,
         {openRead + "footer partition at byte 310, which is closed complete " + byRip}},
        {"offsets count from the header partition pack, after the run-in",
         layout({openHeader, {0x04, 0x04, copy(2), {}}}, {std::nullopt, false, 5}),
         PartitionChoice::Best,
         199,
         2,
         {openRead + "footer partition at byte 199, which is closed complete " + byOffset}},
        {"the last closed complete body copy when the footer holds none",
         layout({openHeader,
                 {0x03, 0x04, copy(2), kEssence},
                 {0x03, 0x04, copy(3), kEssence},
                 {0x03, 0x03, copy(4), kEssence},
                 {0x04, 0x04, {}, {}}}),
         PartitionChoice::Best,
         396,
         3,
         {openRead + "body partition at byte 396, which is closed complete " + byRip}},
        {"closed incomplete before open complete, open complete before open incomplete",
         layout({openHeader,
                 {0x03, 0x02, copy(2), {}},
                 {0x03, 0x03, copy(3), {}},
                 {0x04, 0x01, copy(4), {}}}),
         PartitionChoice::Best,
         194,
         2,
         {openRead + "body partition at byte 194, which is closed incomplete " + byRip}},
        {"of one status the latest, the header's own status included",
         layout({{0x02, 0x03, copy(1), {}}, {0x03, 0x03, copy(2), {}}, {0x04, 0x04, {}, {}}}),
         PartitionChoice::Best,
         194,
         2,
         {"the header partition is open complete; read the header metadata of the body "
          "partition at byte 194, which is open complete " +
          byRip}},
        {"worse copies are passed over",
         layout({{0x02, 0x02, copy(1), {}}, {0x03, 0x03, copy(2), {}}, {0x04, 0x01, copy(3), {}}}),
         PartitionChoice::Best,
         0,
         1,
         {"the header partition is closed incomplete, and no partition found through the footer "
          "partition offset or the random index pack holds a better copy of its header "
          "metadata, which may not be final"}},
        {"a header partition without header metadata takes any copy",
         layout({{0x02, 0x04, {}, {}}, {0x04, 0x01, copy(2), {}}}),
         PartitionChoice::Best,
         108,
         2,
         {"the header partition is closed complete and holds no header metadata; read the "
          "header metadata of the footer partition at byte 108, which is open incomplete " +
          byOffset}},
        {"nothing to follow",
         layout({openHeader}, {std::nullopt, false}),
         PartitionChoice::Best,
         0,
         1,
         {"the header partition is open incomplete, and neither a footer partition offset nor "
          "a random index pack leads to another partition: its header metadata may not be "
          "final"}},
        {"header, as asked",
         layout({openHeader, {0x04, 0x04, copy(2), {}}}),
         PartitionChoice::Header,
         0,
         1,
         {"read the header metadata of the header partition as asked; it is open incomplete "
          "and may not be final"}},
        {"footer, as asked, through the random index pack",
         layout({openHeader, {0x03, 0x04, copy(2), {}}, {0x04, 0x02, copy(3), {}}}, {0}),
         PartitionChoice::Footer,
         388,
         3,
         {"read the header metadata of the footer partition at byte 388, which is closed "
          "incomplete " +
          byRip + ", as asked; the header partition is open incomplete"}},
    };
    for (const Case& c : cases) {
        const MemorySource source(c.file.data(), c.file.size());
        const auto got = readHeaderMetadata(source, c.choice);
        EXPECT_EQ(got.headerPartition.klv.offset, c.file[0] == 0xaa ? 5u : 0u) << c.what;
        EXPECT_EQ(got.partition.klv.offset, c.partition) << c.what;
        ASSERT_EQ(got.sets.size(), 1u) << c.what;
        EXPECT_EQ(got.sets[0].items[0].value, uid(c.read)) << c.what;
        EXPECT_EQ(got.notes, c.notes) << c.what;
    }
}

TEST(HeaderMetadata, IndexTableSegmentEndsTheHeaderMetadata) {
    // As when a writer counts HeaderByteCount from the partition pack.
    const Bytes metadata =
        kPrimer + localSet("06.0e.2b.34.02.53.01.01.0d.01.02.01.01.10.01.00", {{0x3f06, be(1, 4)}});
    EXPECT_TRUE(readBytes(headerFile(metadata)).sets.empty());
    const auto empty = readBytes(partitionPack(0x02, 0x04, 0));
    EXPECT_FALSE(empty.primer);
    EXPECT_EQ(empty.notes,
              std::vector<std::string>{"the header partition is closed complete and holds no "
                                       "header metadata, and neither a footer partition offset "
                                       "nor a random index pack leads to another partition"});
}

// A footer offset, random index pack or copy that leads nowhere costs that
// way or copy only; the next best copy is read, at worst the header
// partition's.
TEST(HeaderMetadata, DamagedWaysToACopyArePassedOver) {
    const Partition openHeader{0x02, 0x01, copy(1), {}};
    const Partition footer{0x04, 0x04, copy(3), {}};
    const Partition body{0x03, 0x04, {}, kEssence};
    const std::string readFooter = "the header partition is open incomplete; read the header "
                                   "metadata of the footer partition at byte 310, which is "
                                   "closed complete (found through the random index pack)";
    // A random index pack whose value of 9 bytes is no whole number of entries.
    const Bytes oddRip =
        layout({openHeader, body, footer}, {0, false}) +
        klv(hex("06.0e.2b.34.02.05.01.01.0d.01.02.01.01.11.01.00"), Bytes(5, 0) + be(29, 4));
    Bytes noPrimer = layout({openHeader, body, footer});
    noPrimer[310 + kPackSize + 13] = 0x7f; // the footer's primer key
    Bytes pastEnd = layout({openHeader, body, footer});
    pastEnd[310 + 20 + 39] = 0xff; // the footer's HeaderByteCount, low byte
    struct Case {
        const char* what;
        Bytes file;
        std::uint8_t read; // n of the copy read
        std::vector<std::string> notes;
    };
    const std::vector<Case> cases = {
        {"footer offset past the end",
         layout({openHeader, body, footer}, {999999}),
         3,
         {"the footer partition offset 999999 of the header partition pack is unusable: it lies "
          "past the end of the file (564 bytes, 0 of them run-in)",
          readFooter}},
        {"footer offset into the essence",
         layout({openHeader, body, footer}, {302}),
         3,
         {"the footer partition offset 302 of the header partition pack is unusable: byte 302: "
          "no SMPTE key here (00000000...)",
          readFooter}},
        {"footer offset at a body partition",
         layout({openHeader, body, footer}, {194}),
         3,
         {"the footer partition offset 194 of the header partition pack is unusable: byte 194 "
          "holds a body partition pack",
          readFooter}},
        {"random index pack not a whole number of entries",
         oddRip,
         1,
         {"the random index pack is unusable: byte 504: the random index pack at byte 504 holds "
          "9 bytes, not 12-byte entries and a 4-byte length",
          "the header partition is open incomplete, and neither a footer partition offset nor a "
          "random index pack leads to another partition: its header metadata may not be "
          "final"}},
        {"random index pack entries that lead nowhere",
         layout({openHeader, body, footer}, {0, false}) +
             randomIndexPack({{0, 0}, {1, 302}, {0, 999999}, {0, 310}}),
         3,
         {"the random index pack at byte 504 lists 2 partitions that cannot be used (the first, "
          "offset 302: byte 302: no SMPTE key here (00000000...))",
          readFooter}},
        {"a copy whose header metadata is damaged",
         noPrimer,
         1,
         {"the header metadata of the footer partition at byte 310 is unusable: byte 418: the "
          "header metadata of the footer partition does not start with a primer pack (found KLV "
          "06.0e.2b.34.02.05.01.01.0d.01.02.01.01.7f.01.00): local tags resolve through the "
          "dictionary's static tags only",
          "the header partition is open incomplete, and no partition found through the footer "
          "partition offset holds a better copy of its header metadata, which may not be "
          "final"}},
        {"a copy whose HeaderByteCount runs past the end",
         pastEnd,
         1,
         {"the footer partition at byte 310 is passed over: its HeaderByteCount 255 runs past "
          "the end of the file (564 bytes)",
          "the header partition is open incomplete, and no partition found through the footer "
          "partition offset or the random index pack holds a better copy of its header "
          "metadata, which may not be final"}},
    };
    for (const Case& c : cases) {
        const auto got = readBytes(c.file);
        ASSERT_EQ(got.sets.size(), 1u) << c.what;
        EXPECT_EQ(got.sets[0].items[0].value, uid(c.read)) << c.what;
        EXPECT_EQ(got.notes, c.notes) << c.what;
    }
}

TEST(HeaderMetadata, RefusesAFooterPartitionThatIsNotThere) {
    using Palimo::MXF::MissingPartition;
    const auto readFooter = [](const Bytes& file) {
        const MemorySource source(file.data(), file.size());
        return readHeaderMetadata(source, Palimo::MXF::PartitionChoice::Footer);
    };
    const std::string missing = "the file has no footer partition with header metadata: ";
    EXPECT_THROWS_EXACTLY(MissingPartition, readFooter(headerFile(copy(1))),
                          missing +
                              "the header partition pack gives no footer partition offset, and "
                              "the file ends in no random index pack");
    EXPECT_THROWS_EXACTLY(
        MissingPartition,
        readFooter(layout({{0x02, 0x04, copy(1), {}}, {0x03, 0x04, copy(2), {}}})),
        missing + "the header partition pack gives no footer partition offset, and "
                  "the random index pack lists no footer partition");
    EXPECT_THROWS_EXACTLY(MissingPartition,
                          readFooter(layout({{0x02, 0x04, copy(1), {}}, {0x04, 0x04, {}, {}}})),
                          missing + "the footer partition at byte 194 (found through the footer "
                                    "partition offset) holds none");
}

// Only a file without a header partition pack that can be read is refused.
TEST(HeaderMetadata, RefusesAFileWithoutAHeaderPartitionPack) {
    const Bytes packKey = hex("06.0e.2b.34.02.05.01.01.0d.01.02.01.01.02.04.00");
    const Bytes pack = partitionPack(0x02, 0x04, 0);
    const Bytes packValue(pack.begin() + 20, pack.end()); // after the key and 4-byte length
    Bytes itemSize = pack;
    itemSize[kPackSize - 1] = 17;
    struct Case {
        const char* what;
        Bytes file;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"empty file",
         {},
         "byte 0: no header partition pack in the 0 bytes of the file: not an MXF file"},
        {"no partition pack", Bytes(70000, 0x06),
         "byte 0: no header partition pack in the first 65536 bytes (a run-in takes at most "
         "65535): not an MXF file"},
        {"a run-in of 65536 bytes", Bytes(65536, 0) + pack,
         "byte 0: no header partition pack in the first 65536 bytes (a run-in takes at most "
         "65535): not an MXF file"},
        {"partition pack cut off", first(pack, 60),
         "byte 0: KLV 06.0e.2b.34.02.05.01.01.0d.01.02.01.01.02.04.00: length 88 runs past the "
         "end of the file (60 bytes)"},
        {"partition pack shorter than its fixed layout", klv(packKey, first(packValue, 87)),
         "byte 0: the partition pack at byte 0 holds 87 bytes, fewer than the 88 of its fixed "
         "layout"},
        {"essence containers the pack does not hold",
         klv(packKey, first(packValue, 80) + be(5, 4) + be(16, 4)),
         "byte 0: the partition pack at byte 0 holds 88 bytes, where its layout with 5 essence "
         "container labels takes 88 + 16 x 5 = 168"},
        {"essence container item size", itemSize,
         "byte 100: EssenceContainers of the partition pack at byte 0: items of 17 bytes (items "
         "are labels of 16 bytes)"},
    };
    for (const Case& c : cases)
        EXPECT_THROWS_EXACTLY(MalformedMXFFile, readBytes(c.file), c.message) << c.what;
    // The longest run-in there may be.
    EXPECT_EQ(readBytes(Bytes(65535, 0) + pack).runIn, 65535u);
    // Bytes beyond the layout are left unread, with a note.
    const auto padded = readBytes(klv(packKey, packValue + Bytes{0, 0, 0}));
    EXPECT_EQ(padded.headerPartition.bytesBeyondLayout, 3u);
    EXPECT_EQ(padded.notes.back(), "the header partition pack at byte 0 holds 3 bytes beyond its "
                                   "layout of 88 + 16 x 0 bytes; they are not read");
}

// Entries read in several pieces, and the endings that are no random index
// pack at all (then the reader looks no further).
TEST(RandomIndexPack, ListsEveryEntryOrIsNotThere) {
    std::vector<std::pair<std::uint32_t, std::uint64_t>> entries;
    for (std::uint32_t i = 0; i < 5000; ++i)
        entries.emplace_back(i, std::uint64_t{i} << 32 | 7);
    const Bytes file = hex("01 02 03") + randomIndexPack(entries);
    const MemorySource source(file.data(), file.size());
    const auto rip = Palimo::MXF::readRandomIndexPack(source);
    ASSERT_TRUE(rip);
    EXPECT_EQ(rip->klv.offset, 3u);
    ASSERT_EQ(rip->partitions.size(), 5000u);
    EXPECT_EQ(rip->partitions[4097].bodySID, 4097u);
    EXPECT_EQ(rip->partitions[4999].byteOffset, std::uint64_t{4999} << 32 | 7);

    const Bytes one = randomIndexPack({{0, 0}});
    for (const Bytes& none : {Bytes{}, hex("00 00 00"), be(20, 24), be(one.size() + 1, 4),
                              hex("00") + first(one, one.size() - 4) + be(one.size() + 1, 4)}) {
        const MemorySource bytes(none.data(), none.size());
        EXPECT_FALSE(Palimo::MXF::readRandomIndexPack(bytes)) << none.size();
    }

    // One entry over the limit: the pack is refused before its entries are read.
    const std::size_t count = Palimo::MXF::Limits::kPartitions + 1;
    const Bytes many = hex("06.0e.2b.34.02.05.01.01.0d.01.02.01.01.11.01.00") + hex("83") +
                       be(count * 12 + 4, 3) + Bytes(count * 12, 0) + be(20 + count * 12 + 4, 4);
    const MemorySource bytes(many.data(), many.size());
    EXPECT_THROWS_EXACTLY(MalformedMXFFile, Palimo::MXF::readRandomIndexPack(bytes),
                          "byte 0: the random index pack at byte 0 lists 100001 partitions, over "
                          "the limit of 100000");
}

// The primer pack read on its own: its batch header is checked before its
// entries are read.
TEST(Primer, ReadsItsEntriesWhenItsBatchHeaderFits) {
    const auto read = [](const Bytes& value) {
        const Bytes pack = klv(hex("06.0e.2b.34.02.05.01.01.0d.01.02.01.01.05.01.00"), value);
        const MemorySource source(pack.data(), pack.size());
        return Palimo::MXF::Primer::read(source, Palimo::MXF::readKlvHeader(source, 0));
    };
    const Palimo::MXF::Primer primer =
        read(be(2, 4) + be(18, 4) + be(0x3c0a, 2) + Bytes(16, 1) + be(0x3c0a, 2) + Bytes(16, 2));
    EXPECT_EQ(primer.size(), 2u);
    ASSERT_TRUE(primer.find(0x3c0a));
    EXPECT_EQ(*primer.find(0x3c0a), Palimo::MXF::Label::fromBytes(Bytes(16, 1).data()));
    EXPECT_EQ(primer.repeatedTags(), std::vector<std::uint16_t>{0x3c0a});
    EXPECT_THROWS_EXACTLY(MalformedMXFFile, read(be(0x80000000u, 4) + be(18, 4) + Bytes(18, 0)),
                          "byte 20: the primer pack at byte 0 lists 2147483648 entries of 18 bytes "
                          "in 18 bytes (entries are 18 bytes: a local tag and a label)");
    EXPECT_THROWS_EXACTLY(MalformedMXFFile, read(Bytes(5, 0)),
                          "byte 20: the primer pack at byte 0 holds 5 bytes, too few for the "
                          "8-byte header of its batch of entries");
}

} // namespace
