// Header metadata decoded with a dictionary: the files ffmpeg writes, read
// with the example dictionary, and the problems the checks report.
#include "Dictionaries.h"
#include "MxfBytes.h"
#include "support/TestSupport.h"

#include <Palimo/MXF/FileReader.h>

namespace {

using namespace MxfTest;
using Palimo::MXF::DecodedFile;
using Palimo::MXF::DecodedSet;
using Palimo::MXF::MemorySource;
using Palimo::MXF::PartitionPack;

DecodedFile readData(const char* name) {
    return Palimo::MXF::readMXFFile((PalimoTest::dataDir() / "mxf" / name).string(), example());
}

// The `n`th set named `set` (from 0), and the rendered value of its item `item`.
std::string value(const DecodedFile& file, const std::string& set, int n, const std::string& item) {
    for (const DecodedSet& s : file.sets)
        if (s.name == set && n-- == 0) {
            for (const auto& i : s.items)
                if (i.name == item)
                    return i.value ? render(*i.value) : "(raw)";
            return "(no " + item + ")";
        }
    return "(no " + set + ")";
}

const char* const kFiles[] = {"op1a-mpeg2-pcm.mxf", "op1a-open.mxf", "opatom-pcm.mxf",
                              "opatom-dnxhr.mxf", "d10-30mbps.mxf"};

TEST(FfmpegFiles, EverySetAndItemDecodesWithoutProblems) {
    for (const char* name : kFiles) {
        const DecodedFile file = readData(name);
        for (const auto& problem : file.problems)
            ADD_FAILURE() << name << ": byte " << problem.offset << ": " << problem.message;
        EXPECT_EQ(file.primerEntries, 100u) << name;
        ASSERT_FALSE(file.sets.empty()) << name;
        EXPECT_EQ(file.sets.front().name, "Preface") << name;
        for (const DecodedSet& set : file.sets) {
            EXPECT_TRUE(set.set && set.instanceUID) << name << " byte " << set.klv.offset;
            for (const auto& item : set.items)
                EXPECT_TRUE(item.element && item.value) << name << " byte " << item.offset;
        }
    }
}

TEST(FfmpegFiles, ValuesAreThoseTheCommandsFix) {
    struct Case {
        const char* file;
        const char* set;
        int n;
        const char* item;
        const char* value;
    };
    const char kOP1a[] = "06.0e.2b.34.04.01.01.01.0d.01.02.01.01.01.09.00";
    const char kOPAtom[] = "06.0e.2b.34.04.01.01.02.0d.01.02.01.10.03.00.00";
    const Case cases[] = {
        {"op1a-mpeg2-pcm.mxf", "Preface", 0, "OperationalPattern", kOP1a},
        {"op1a-mpeg2-pcm.mxf", "Preface", 0, "Version", "1.3"},
        {"op1a-mpeg2-pcm.mxf", "Preface", 0, "LastModifiedDate", "0000-00-00T00:00:00.000Z"},
        {"op1a-mpeg2-pcm.mxf", "Preface", 0, "Identifications",
         "[adab4424-2f25-4dc7-92ff-000c00000000]"},
        {"op1a-mpeg2-pcm.mxf", "Identification", 0, "CompanyName", "FFmpeg"},
        {"op1a-mpeg2-pcm.mxf", "Identification", 0, "ProductName", "OP1a Muxer"},
        {"op1a-mpeg2-pcm.mxf", "Identification", 0, "ProductVersion", "0.0.0.0.0"},
        {"op1a-mpeg2-pcm.mxf", "MaterialPackage", 0, "PackageUID",
         "06.0a.2b.34.01.01.01.05.01.01.0d.00.13.00.00.00.00.00.00.00.00.00.00.00.00.00.00.00.00."
         "00.00.00"},
        {"op1a-mpeg2-pcm.mxf", "Track", 0, "EditRate", "25/1"},
        {"op1a-mpeg2-pcm.mxf", "Sequence", 0, "Duration", "3"}, // 3 frames
        {"op1a-mpeg2-pcm.mxf", "TimecodeComponent", 0, "RoundedTimecodeBase", "25"},
        {"op1a-mpeg2-pcm.mxf", "TimecodeComponent", 0, "DropFrame", "false"},
        {"op1a-mpeg2-pcm.mxf", "SourceClip", 0, "SourceTrackID", "2"},
        {"op1a-mpeg2-pcm.mxf", "MPEGVideoDescriptor", 0, "StoredWidth", "64"},
        {"op1a-mpeg2-pcm.mxf", "MPEGVideoDescriptor", 0, "StoredHeight", "48"},
        {"op1a-mpeg2-pcm.mxf", "MPEGVideoDescriptor", 0, "AspectRatio", "4/3"},
        {"op1a-mpeg2-pcm.mxf", "MPEGVideoDescriptor", 0, "SampleRate", "25/1"},
        {"op1a-mpeg2-pcm.mxf", "MPEGVideoDescriptor", 0, "VideoLineMap", "[0, 0]"},
        {"op1a-mpeg2-pcm.mxf", "MPEGVideoDescriptor", 0, "ClosedGOP", "true"},
        {"op1a-mpeg2-pcm.mxf", "AES3AudioDescriptor", 0, "AudioSamplingRate", "48000/1"},
        {"op1a-mpeg2-pcm.mxf", "AES3AudioDescriptor", 0, "ChannelCount", "1"},
        {"op1a-mpeg2-pcm.mxf", "AES3AudioDescriptor", 0, "QuantizationBits", "16"},
        {"op1a-open.mxf", "Sequence", 0, "Duration", "-1"}, // not yet known to a pipe
        {"opatom-pcm.mxf", "Preface", 0, "OperationalPattern", kOPAtom},
        {"opatom-pcm.mxf", "Track", 3, "EditRate", "48000/1"},
        {"opatom-pcm.mxf", "Sequence", 3, "Duration", "5760"}, // 0.12 s at 48 kHz
        {"opatom-pcm.mxf", "WaveAudioDescriptor", 0, "ContainerDuration", "5760"},
        {"opatom-pcm.mxf", "WaveAudioDescriptor", 0, "BlockAlign", "2"},
        {"opatom-dnxhr.mxf", "Identification", 0, "ProductName", "OPAtom Muxer"},
        {"opatom-dnxhr.mxf", "Sequence", 3, "Duration", "2"},
        {"opatom-dnxhr.mxf", "CDCIEssenceDescriptor", 0, "SampledWidth", "256"},
        {"opatom-dnxhr.mxf", "CDCIEssenceDescriptor", 0, "SampledHeight", "120"},
        {"opatom-dnxhr.mxf", "CDCIEssenceDescriptor", 0, "HorizontalSubsampling", "2"},
        {"d10-30mbps.mxf", "Sequence", 0, "Duration", "1"},
        {"d10-30mbps.mxf", "CDCIEssenceDescriptor", 0, "StoredWidth", "720"},
        {"d10-30mbps.mxf", "CDCIEssenceDescriptor", 0, "StoredHeight", "304"}, // one field
        {"d10-30mbps.mxf", "CDCIEssenceDescriptor", 0, "FrameLayout", "1"},
        {"d10-30mbps.mxf", "CDCIEssenceDescriptor", 0, "VideoLineMap", "[7, 320]"},
        {"d10-30mbps.mxf", "GenericSoundEssenceDescriptor", 0, "ChannelCount", "4"},
        {"d10-30mbps.mxf", "GenericSoundEssenceDescriptor", 0, "AudioSamplingRate", "48000/1"},
    };
    std::map<std::string, DecodedFile> files;
    for (const Case& c : cases) {
        if (!files.count(c.file))
            files.emplace(c.file, readData(c.file));
        EXPECT_EQ(value(files.at(c.file), c.set, c.n, c.item), c.value)
            << c.file << " " << c.set << " " << c.n << " " << c.item;
    }
    const DecodedFile& open = files.at("op1a-open.mxf");
    EXPECT_FALSE(open.partition.closed || open.partition.complete);
    EXPECT_EQ(open.notes, std::vector<std::string>{"the header partition is open incomplete: its "
                                                   "header metadata may not be final"});
}

const char kRoot[] = "06.0e.2b.34.02.53.01.01.0e.7f.01.01.01.01.01.00";
const char kLeaf[] = "06.0e.2b.34.02.53.01.01.0e.7f.01.01.01.01.02.00";
const char kSizeLabel[] = "06.0e.2b.34.01.01.01.01.0e.7f.00.00.00.00.00.03";

// A file whose primer lists the fixture's tags, `extraPrimer` more, then `sets`.
Bytes fixtureFile(const Bytes& sets,
                  std::vector<std::pair<std::uint16_t, std::string>> extraPrimer = {}) {
    std::vector<std::pair<std::uint16_t, std::string>> entries = {
        {0x3c0a, "06.0e.2b.34.01.01.01.01.01.01.15.02.00.00.00.00"},
        {0x7f01, "06.0e.2b.34.01.01.01.01.0e.7f.00.00.00.00.00.01"},
        {0x7f02, "06.0e.2b.34.01.01.01.01.0e.7f.00.00.00.00.00.02"},
        {0x8001, kSizeLabel}};
    entries.insert(entries.end(), extraPrimer.begin(), extraPrimer.end());
    return headerFile(primer(entries) + sets);
}

Bytes root(std::uint8_t id, const std::vector<Bytes>& children) {
    return localSet(kRoot, {{0x3c0a, uid(id)}, {0x7f01, be(7, 2)}, {0x7f02, array(children, 16)}});
}
Bytes leaf(std::uint8_t id, const std::vector<Item>& more = {}) {
    std::vector<Item> items = {{0x3c0a, uid(id)}};
    items.insert(items.end(), more.begin(), more.end());
    return localSet(kLeaf, items);
}

std::vector<std::string> problems(const Bytes& bytes) {
    const MemorySource source(bytes.data(), bytes.size());
    std::vector<std::string> texts;
    for (const auto& p : Palimo::MXF::readMXFFile(source, fixture()).problems)
        texts.push_back(std::string(Palimo::MXF::problemKindName(p.kind)) + " " +
                        std::to_string(p.offset) + ": " + p.message);
    return texts;
}

TEST(Checks, ReportEveryProblemWithItsOffset) {
    // The sets start at byte 208: after the partition pack (108 bytes) and
    // the primer of 4 entries (100), 226 with one entry more. A Root set takes
    // 50 bytes and 16 a child, a Leaf 40 bytes and an item 4 more than its value.
    struct Case {
        const char* what;
        Bytes file;
        std::vector<std::string> problems;
    };
    const std::vector<Case> cases = {
        {"clean", fixtureFile(root(1, {uid(2)}) + leaf(2, {{0x8001, be(5, 4)}})), {}},
        {"missing required and item not allowed",
         fixtureFile(localSet(kLeaf, {{0x3c0a, uid(2)}, {0x7f01, be(1, 2)}}) + localSet(kRoot, {})),
         {"itemNotAllowed 248: Leaf at byte 208: item 7f.01 "
          "(06.0e.2b.34.01.01.01.01.0e.7f.00.00.00.00.00.01, Count) is no member of the set",
          "missingRequired 254: Root at byte 254: required item InstanceUID "
          "(06.0e.2b.34.01.01.01.01.01.01.15.02.00.00.00.00) is missing",
          "missingRequired 254: Root at byte 254: required item Count "
          "(06.0e.2b.34.01.01.01.01.0e.7f.00.00.00.00.00.01) is missing"}},
        {"unknown set, unknown item, bad length, tags not in the primer",
         fixtureFile(localSet("06.0e.2b.34.02.53.01.01.0e.7f.01.01.01.01.7f.00", {}) +
                         leaf(2, {{0x8002, hex("00")},
                                  {0x8001, be(5, 2)},
                                  {0x9000, {}},
                                  {0x7f02, array({}, 16)}}),
                     {{0x8002, "06.0e.2b.34.01.01.01.01.0e.7f.00.00.00.00.00.7f"}}),
         {"unknownSet 226: set key 06.0e.2b.34.02.53.01.01.0e.7f.01.01.01.01.7f.00 is not in "
          "the dictionary",
          "unknownItem 286: Leaf at byte 246: item 80.02 "
          "(06.0e.2b.34.01.01.01.01.0e.7f.00.00.00.00.00.7f) is not in the dictionary",
          "badValue 291: Leaf at byte 246: Size (80.01): 2 bytes where UInt32 takes 4",
          "tagNotInPrimer 297: Leaf at byte 246: local tag 90.00 is not in the primer pack"}},
        {"dangling, shared and wrong target references; duplicate InstanceUID",
         fixtureFile(root(1, {uid(2), uid(9), uid(2), uid(3)}) + leaf(2) + root(3, {}) + leaf(2)),
         {"duplicateInstanceUID 428: Leaf at byte 428: InstanceUID " + uidText(2) +
              " is also that of Leaf at byte 330",
          "danglingReference 254: Root at byte 208: Children (7f.02) refers to " + uidText(9) +
              ", the InstanceUID of no set in the file",
          "sharedReference 330: Leaf at byte 330 is owned by two strong references: Children "
          "(7f.02) of Root at byte 208 and Children (7f.02) of Root at byte 208",
          "wrongTarget 254: Root at byte 208: Children (7f.02) refers to Root at byte 370, "
          "which is none of the sets it may refer to"}},
        {"cycle",
         fixtureFile(root(1, {uid(2)}) + leaf(2, {{0x7f02, array({uid(3)}, 16)}}) +
                     leaf(3, {{0x7f02, array({uid(2)}, 16)}})),
         {"sharedReference 282: Leaf at byte 282 is owned by two strong references: Children "
          "(7f.02) of Root at byte 208 and Children (7f.02) of Leaf at byte 350",
          "referenceCycle 390: Leaf at byte 350: Children (7f.02) refers back to Leaf at byte "
          "282, which owns it through strong references"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(problems(c.file), c.problems) << c.what;
}

} // namespace
