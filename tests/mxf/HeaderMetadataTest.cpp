// The header metadata as bytes: where it is found, what is skipped, and the
// refusal of every malformed structure with the offset where it goes wrong.
#include "MxfBytes.h"
#include "support/TestSupport.h"

#include <Palimo/MXF/Exceptions.h>
#include <Palimo/MXF/HeaderMetadata.h>

namespace {

using namespace MxfTest;
using Palimo::Exceptions::MalformedMXFFile;
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

TEST(HeaderMetadata, OpenHeaderPartitionGivesWayToTheFooter) {
    const Bytes metadata = kPrimer + localSet(kSetKey, {{0x3c0a, uid(2)}});
    const Bytes footer = partitionPack(0x04, 0x04, metadata.size(), kPackSize);
    const auto got = readBytes(partitionPack(0x02, 0x01, 0, 0, kPackSize) + footer + metadata);
    EXPECT_EQ(got.headerPartition.kind, PartitionPack::Header);
    EXPECT_EQ(got.partition.kind, PartitionPack::Footer);
    EXPECT_EQ(got.partition.klv.offset, kPackSize);
    ASSERT_EQ(got.sets.size(), 1u);
    EXPECT_EQ(got.notes, std::vector<std::string>{"the header partition is open incomplete; "
                                                  "read the header metadata of the footer "
                                                  "partition at byte 108"});

    // Without a footer the open header partition's metadata is read, with a note.
    const auto alone = readBytes(partitionPack(0x02, 0x03, metadata.size()) + metadata);
    EXPECT_EQ(alone.partition.kind, PartitionPack::Header);
    EXPECT_EQ(alone.sets.size(), 1u);
    EXPECT_EQ(alone.notes, std::vector<std::string>{"the header partition is open complete: its "
                                                    "header metadata may not be final"});
}

TEST(HeaderMetadata, IndexTableSegmentEndsTheHeaderMetadata) {
    // As when a writer counts HeaderByteCount from the partition pack.
    const Bytes metadata =
        kPrimer + localSet("06.0e.2b.34.02.53.01.01.0d.01.02.01.01.10.01.00", {{0x3f06, be(1, 4)}});
    EXPECT_TRUE(readBytes(headerFile(metadata)).sets.empty());
    const auto empty = readBytes(partitionPack(0x02, 0x04, 0));
    EXPECT_FALSE(empty.primer);
    EXPECT_EQ(empty.notes,
              std::vector<std::string>{"the header partition holds no header metadata"});
}

TEST(HeaderMetadata, RefusesMalformedStructuresNamingTheOffset) {
    const Bytes set = localSet(kSetKey, {{0x3c0a, uid(1)}});
    const std::size_t setOffset = kPackSize + kPrimer.size();
    const Bytes cutItem = klv(hex(kSetKey), hex("3c 0a 00 10 01 02"));
    const Bytes hugePrimer = klv(hex("06.0e.2b.34.02.05.01.01.0d.01.02.01.01.05.01.00"),
                                 be(0x80000000u, 4) + be(18, 4) + Bytes(18, 0));
    Bytes badBatch = partitionPack(0x02, 0x04, 0);
    badBatch[kPackSize - 8 + 3] = 5; // five essence containers, none there
    struct Case {
        const char* what;
        Bytes file;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"empty file",
         {},
         "byte 0: no header partition pack in the first 0 bytes: not an MXF file"},
        {"no partition pack", Bytes(70000, 0x06),
         "byte 0: no header partition pack in the first 65536 bytes: not an MXF file"},
        {"partition pack cut off", first(partitionPack(0x02, 0x04, 0), 60),
         "byte 0: KLV 06.0e.2b.34.02.05.01.01.0d.01.02.01.01.02.04.00: length 88 runs past the "
         "end of the file (60 bytes)"},
        {"essence container count", badBatch,
         "byte 100: EssenceContainers of the partition pack at byte 0: 5 items of 16 bytes do "
         "not fit in the 0 bytes left (items are labels of 16 bytes)"},
        {"primer with 2^31 entries", headerFile(hugePrimer),
         "byte 128: the primer pack at byte 108 lists 2147483648 entries of 18 bytes in 18 bytes "
         "(entries are 18 bytes: a local tag and a label)"},
        {"primer entry size",
         headerFile(klv(hex("06.0e.2b.34.02.05.01.01.0d.01.02.01.01.05.01.00"),
                        be(1, 4) + be(20, 4) + Bytes(20, 0))),
         "byte 128: the primer pack at byte 108 lists 1 entries of 20 bytes in 20 bytes "
         "(entries are 18 bytes: a local tag and a label)"},
        {"no primer", headerFile(set),
         "byte 108: the header metadata of the header partition does not start with a primer "
         "pack (found KLV 06.0e.2b.34.02.53.01.01.0d.01.01.01.01.01.2f.00)"},
        {"header byte count past the end", partitionPack(0x02, 0x04, 1000000) + kPrimer,
         "byte 0: HeaderByteCount 1000000 of the header partition runs past the end of the file "
         "(154 bytes)"},
        {"set past the header metadata",
         partitionPack(0x02, 0x04, kPrimer.size() + 10) + kPrimer + set,
         "byte 154: KLV 06.0e.2b.34.02.53.01.01.0d.01.01.01.01.01.2f.00 (length 20) runs past "
         "the end of the header metadata (byte 164)"},
        {"item past the end of its set", headerFile(kPrimer + cutItem),
         "byte " + std::to_string(setOffset + 20) + ": item 3c.0a of the local set at byte " +
             std::to_string(setOffset) + ": length 16 runs past the end of the set (2 bytes left)"},
        {"item header cut off", headerFile(kPrimer + klv(hex(kSetKey), hex("3c 0a 00"))),
         "byte " + std::to_string(setOffset + 22) + ": item length of the local set at byte " +
             std::to_string(setOffset) + " cut off: 2 bytes needed, 1 left"},
        {"metadata cut off", first(headerFile(kPrimer + set), kPackSize + 85),
         "byte 0: HeaderByteCount 86 of the header partition runs past the end of the file (193 "
         "bytes)"},
    };
    for (const Case& c : cases)
        EXPECT_THROWS_EXACTLY(MalformedMXFFile, readBytes(c.file), c.message) << c.what;
}

} // namespace
