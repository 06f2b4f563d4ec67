// Files read with type definitions: a small file for each kind of value, the
// weak references found in the file, and the findings that are no faults of
// the file (a set the dictionary does not know, InstanceID in any set).
#include "TypeFixture.h"
#include "TypedFiles.h"
#include "ValueDescription.h"

#include <Palimo/MXF/FileReader.h>

namespace {

using namespace MxfTest;
using Palimo::MXF::DecodedFile;
using Palimo::MXF::kNoSet;
using Palimo::MXF::MemorySource;

DecodedFile read(const Bytes& bytes) {
    const MemorySource source(bytes.data(), bytes.size());
    return Palimo::MXF::readMXFFile(source, typedFixtureDictionary(), &fixtureTypes());
}

// The item with `tag` of the first set, its notes and weak targets (by set
// index), then every problem of the file.
std::string outcome(const DecodedFile& file, std::uint16_t tag) {
    std::string text;
    for (const auto& item : file.sets.at(0).items) {
        if (item.localTag != tag)
            continue;
        text += item.value ? describe(*item.value) : "raw";
        for (const std::string& note : item.notes)
            text += "; note: " + note;
        for (const std::size_t target : item.weakTargets)
            text += "; -> " + (target == kNoSet ? std::string("none") : std::to_string(target));
    }
    for (const auto& problem : file.problems)
        text +=
            std::string("; ") + Palimo::MXF::problemKindName(problem.kind) + ": " + problem.message;
    return text;
}

TEST(TypedFile, EachKindDecodesAsTheRegistersDefineIt) {
    struct Case {
        const char* what;
        std::uint16_t tag;
        Bytes value;
        Bytes more; // sets after the Thing
        std::string expected;
    };
    const std::string picture = std::string("AUID label ") + kPicture + " name=PictureEssenceTrack";
    const std::vector<Case> cases = {
        {"fixed array: 8 items, no header",
         Layout,
         rgbaLayout(),
         {},
         "List [Record {Code: Enum 82 CompRed, ComponentSize: UInt 8}, Record {Code: Enum 71 "
         "CompGreen, ComponentSize: UInt 8}, Record {Code: Enum 66 CompBlue, ComponentSize: UInt "
         "8}, Record {Code: Enum 0 CompNull, ComponentSize: UInt 0}, Record {Code: Enum 0 "
         "CompNull, ComponentSize: UInt 0}, Record {Code: Enum 0 CompNull, ComponentSize: UInt "
         "0}, Record {Code: Enum 0 CompNull, ComponentSize: UInt 0}, Record {Code: Enum 0 "
         "CompNull, ComponentSize: UInt 0}]"},
        {"string array: NUL-terminated, no header",
         Names,
         utf16("Numerator") + Bytes{0, 0} + utf16("Denominator") + Bytes{0, 0},
         {},
         "List [Text \"Numerator\", Text \"Denominator\"]"},
        {"Indirect", Tagged, taggedText(), {}, "Indirect UTF16String LE Text \"C:\\\\\""},
        {"swapped AUID",
         Identifier,
         swappedAUID(),
         {},
         "AUID uuid 05cba731-1daa-11d3-80ad-006008143e6f"},
        {"record",
         Version,
         productVersion(),
         {},
         "Record {Major: UInt 1, Minor: UInt 2, Tertiary: UInt 3, PatchLevel: UInt 4, "
         "BuildType: Enum 1 VersionReleased}"},
        {"enumeration", FrameLayout, hex("01"), {}, "Enum 1 SeparateFields"},
        {"enumeration value the dictionary does not name: no problem",
         FrameLayout,
         hex("07"),
         {},
         "Enum 7 ?"},
        {"extendible enumeration",
         Primaries,
         hex("06.0e.2b.34.04.01.01.06.04.01.01.01.03.03.00.00"),
         {},
         "AUID label 06.0e.2b.34.04.01.01.06.04.01.01.01.03.03.00.00 "
         "known=ColorPrimaries_ITU709 name=ColorPrimariesLabel"},
        {"weak reference to a package by its InstanceID", PackageRef, uid(3),
         set(kPackage, 3, {{PackageID, umid(1)}}),
         "UMID " + Palimo::Identifiers::UMID::fromBytes(umid(1).data(), 32).urn() + "; -> 1"},
        {"weak reference to a package by its UMID", PackageRef, umid(1),
         set(kPackage, 3, {{PackageID, umid(1)}}),
         "UMID " + Palimo::Identifiers::UMID::fromBytes(umid(1).data(), 32).urn() + "; -> 1"},
        {"weak reference to a package not in the file: no problem",
         PackageRef,
         uid(9),
         {},
         "UUID " + uidText(9) + "; -> none"},
        {"weak references to a definition in the file and to one that is not", Definitions,
         array({hex(kPicture), hex(kSound)}, 16),
         set(kDefinition, 4, {{DefinitionID, hex(kPicture)}}),
         "List [" + picture + ", AUID label " + kSound + "]; -> 1; -> none"},
        {"embedded NUL",
         Title,
         utf16("F") + Bytes{0, 0} + utf16("A") + Bytes{0, 0},
         {},
         "Text \"F\\x00A\"; note: the text goes on after a NUL (character 2 of 3)"},
        {"odd UTF-16 byte count",
         Title,
         hex("00 41 00"),
         {},
         "Text \"A\xef\xbf\xbd\"; badValue: Thing at byte 478: Title (7f.0a): 3 bytes, an "
         "odd number, for UTF-16 text"},
        {"GenerationID: a UUID, though the registers say AUID",
         GenerationID,
         hex("ad ab 44 24 2f 25 4d c7 92 ff 00 0c 00 00 00 01"),
         {},
         "UUID adab4424-2f25-4dc7-92ff-000c00000001"},
        {"a record whose last member takes the rest",
         Capabilities,
         hex("00 00 00 01 00 00 00 02 00 00 00 02 00 07 00 08"),
         {},
         "Record {Pcap: UInt 1, Ccapi: List [UInt 7, UInt 8]}"},
        {"opaque bytes", Blob, hex("de ad"), {}, "Bytes dead"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(outcome(read(typedFile(set(kThing, 1, {{c.tag, c.value}}) + c.more)), c.tag),
                  c.expected)
            << c.what;
}

TEST(TypedFile, FindingsThatAreNoFaultsOfTheFile) {
    // The Thing owns a set newer than the dictionary and a Package, which it
    // may not own; the Bare set holds an InstanceID it does not declare.
    const DecodedFile file = read(
        typedFile(set(kThing, 1, {{Children, array({uid(2), uid(3)}, 16)}}) +
                  set("06.0e.2b.34.02.53.01.01.0e.7f.01.01.01.01.7f.00", 2, {}) +
                  set(kPackage, 3, {{PackageID, umid(1)}}) + set(kBare, 4, {{Title, utf16("x")}})));
    EXPECT_EQ(outcome(file, Children),
              "List [UUID " + uidText(2) + ", UUID " + uidText(3) +
                  "]; unknownSet: set key 06.0e.2b.34.02.53.01.01.0e.7f.01.01.01.01.7f.00 is not "
                  "in the dictionary; wrongTarget: Thing at byte 478: Children (7f.0d) refers to "
                  "Package at byte 602, which is none of the sets it may refer to");
}

// Every kind in one file: nothing undecoded and no problem.
TEST(TypedFile, EveryKindAtOnce) {
    const DecodedFile file = read(everyKindFile());
    EXPECT_TRUE(file.problems.empty()) << file.problems.front().message;
    for (const auto& set : file.sets)
        for (const auto& item : set.items)
            EXPECT_TRUE(item.value && item.definition) << item.name;
}

// Values that take memory far beyond their bytes (arrays of empty strings,
// about 100 bytes each from 2 in the file) are decoded up to the limit on
// decoded values: the item that reaches it and those after it keep their
// bytes, with one problem.
TEST(TypedFile, DecodedValuesStopAtTheirLimit) {
    std::vector<Item> items(60, Item{Names, Bytes(65532, 0)});
    const DecodedFile file = read(typedFile(set(kThing, 1, items)));
    ASSERT_EQ(file.sets.size(), 1u);
    const auto& read = file.sets[0].items;
    ASSERT_EQ(read.size(), 61u);
    std::size_t firstRaw = 1;
    while (firstRaw < read.size() && read[firstRaw].value)
        ++firstRaw;
    ASSERT_GT(firstRaw, 10u);
    ASSERT_LT(firstRaw, read.size());
    for (std::size_t i = firstRaw; i < read.size(); ++i) {
        EXPECT_FALSE(read[i].value) << i;
        EXPECT_EQ(read[i].bytes.size(), 65532u) << i;
        EXPECT_EQ(read[i].type, read[1].type) << i;
    }
    ASSERT_EQ(file.problems.size(), 1u);
    EXPECT_EQ(file.problems[0].kind, Palimo::MXF::Problem::Kind::OverLimit);
    EXPECT_EQ(file.problems[0].offset, read[firstRaw].offset);
    EXPECT_EQ(file.problems[0].message,
              "the decoded values take more than the limit of 134217728 bytes: the items from "
              "byte " +
                  std::to_string(read[firstRaw].offset) +
                  " on are not decoded, only their bytes are kept");
}

} // namespace
