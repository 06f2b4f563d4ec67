// The summary of a decoded file: timecodes and durations as time, and what
// the summaries of the files ffmpeg writes say against the commands that
// made them (scripts/make-mxf-test-files.sh), and of damaged files.
#include "support/TestSupport.h"

#include <Palimo/MXF/FileReader.h>
#include <Palimo/MXF/Summary.h>
#include <Palimo/TypeDefinitions/SchemaLoading.h>

namespace {

using namespace Palimo::MXF;

std::string text(const std::optional<TimecodeFields>& f) {
    if (!f)
        return "none";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%s%02llu:%02u:%02u%c%02u", f->negative ? "-" : "",
                  static_cast<unsigned long long>(f->hours), f->minutes, f->seconds,
                  f->dropFrame ? ';' : ':', f->frames);
    return buffer;
}

TEST(Summary, TimecodeFields) {
    const struct {
        std::int64_t frames;
        std::uint16_t base;
        bool dropFrame;
        const char* expected;
    } cases[] = {
        {0, 25, false, "00:00:00:00"},
        {90000, 25, false, "01:00:00:00"},
        {899250, 25, false, "09:59:30:00"},
        {-25, 25, false, "-00:00:01:00"},
        {2160000, 25, false, "24:00:00:00"}, // not wrapped
        // Drop frame at 30: labels 0 and 1 skipped each minute but every tenth.
        {1799, 30, true, "00:00:59;29"},
        {1800, 30, true, "00:01:00;02"},
        {17981, 30, true, "00:09:59;29"},
        {17982, 30, true, "00:10:00;00"},
        {107892, 30, true, "01:00:00;00"},
        // At 60, labels 0 to 3.
        {3600, 60, true, "00:01:00;04"},
        {215784, 60, true, "01:00:00;00"},
        // Drop frame at a base where no labels are dropped: the separator only.
        {25, 25, true, "00:00:01;00"},
        {5, 0, false, "none"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(text(timecodeFields({c.frames, c.base, c.dropFrame})), c.expected)
            << c.frames << " at " << c.base;
}

TEST(Summary, EditUnitsAsMilliseconds) {
    const struct {
        std::int64_t count;
        Rational rate;
        std::optional<std::int64_t> expected;
    } cases[] = {
        {3, {25, 1}, 120},
        {5760, {48000, 1}, 120},
        {1, {24000, 1001}, 42}, // 41.7
        {750, {25, 1}, 30000},
        {-1, {25, 1}, -40},
        {1, {0, 1}, std::nullopt},
        {1, {25, -1}, std::nullopt},
        {INT64_MAX, {1, 1}, std::nullopt},
        {INT64_MAX / 1000, {1, 1}, (INT64_MAX / 1000) * 1000},
    };
    for (const auto& c : cases)
        EXPECT_EQ(editUnitsToMilliseconds(c.count, c.rate), c.expected) << c.count;
}

struct Example {
    Palimo::MetaMetadata::Dictionary dictionary;
    Palimo::TypeDefinitions::TypeDictionary types;
    Example() {
        Palimo::TypeDefinitions::loadDictionary((PalimoTest::dataDir() / ".." / ".." / "examples" /
                                                 "mxf-dictionary" / "MXFDictionary.xsd")
                                                    .string(),
                                                {}, dictionary, types);
    }
    Summary summary(const std::filesystem::path& path) const {
        return summarize(readMXFFile(path.string(), dictionary, &types));
    }
};

std::string rate(const std::optional<Rational>& r) {
    return r ? std::to_string(r->numerator) + '/' + std::to_string(r->denominator) : "none";
}
std::string size(const std::optional<PictureSize>& s) {
    return s ? std::to_string(s->width) + 'x' + std::to_string(s->height) : "none";
}

// What each command fixes: frame rate 25, the picture size, 48 kHz 16-bit
// sound of its channel count, and the durations (-t 0.12 is 3 frames, -t
// 0.04 one, -frames:v 2 two).
TEST(Summary, FfmpegFilesAsTheirCommandsMadeThem) {
    const Example example;
    const struct {
        const char* file;
        const char* operationalPattern;
        const char* pictureSize; // "" for no picture
        unsigned channels;       // 0 for no sound
        std::int64_t milliseconds;
        std::size_t tracks; // of each package: timecode, picture, sound
    } cases[] = {
        {"op1a-mpeg2-pcm.mxf", "MXFOP1aSingleItemSinglePackageMultiTrackStreamInternal", "64x48", 1,
         120, 3},
        {"opatom-pcm.mxf", "MXFOPAtomNTracksNSourceClips", "", 1, 120, 2},
        {"opatom-dnxhr.mxf", "MXFOPAtomNTracksNSourceClips", "256x120", 0, 80, 2},
        {"d10-30mbps.mxf", "MXFOP1aSingleItemSinglePackageMultiTrackStreamInternal", "720x608", 4,
         40, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const Summary s = example.summary(PalimoTest::dataDir() / "mxf" / c.file);
        ASSERT_TRUE(s.operationalPattern);
        EXPECT_EQ(s.operationalPattern->name, c.operationalPattern);
        ASSERT_TRUE(s.essenceContainers);
        EXPECT_FALSE(s.essenceContainers->empty());
        EXPECT_TRUE(s.headerPartition.closed && s.headerPartition.complete);
        EXPECT_EQ(s.copyRead.kind, PartitionPack::Header);
        EXPECT_TRUE(s.problems.empty());
        ASSERT_EQ(s.packages.size(), 2u);
        EXPECT_EQ(s.packages[0].kind, PackageSummary::Kind::Material);
        EXPECT_EQ(s.packages[1].kind, PackageSummary::Kind::File);
        for (const PackageSummary& package : s.packages) {
            ASSERT_TRUE(package.umid);
            ASSERT_EQ(package.tracks.size(), c.tracks);
            for (const TrackSummary& track : package.tracks) {
                ASSERT_TRUE(track.editRate && track.duration && track.kind);
                EXPECT_EQ(editUnitsToMilliseconds(*track.duration, *track.editRate),
                          c.milliseconds);
                const bool essence = *track.kind != TrackKind::Timecode;
                // Essence element keys: 15 picture, 16 sound; 05 and 06 for D-10.
                if (package.kind == PackageSummary::Kind::File && essence) {
                    EXPECT_NE(track.number.value_or(0), 0u) << track.id.value_or(0);
                }
                EXPECT_EQ(track.timecode.has_value(), !essence);
            }
            EXPECT_EQ(text(timecodeFields(*package.tracks[0].timecode)), "00:00:00:00");
        }
        const auto& descriptors = s.packages[1].descriptors;
        std::string picture = "", frameRate = "none";
        unsigned channels = 0;
        for (const DescriptorSummary& d : descriptors) {
            if (d.size) {
                picture = size(d.size);
                frameRate = rate(d.sampleRate);
            }
            if (d.channels) {
                channels = static_cast<unsigned>(*d.channels);
                EXPECT_EQ(rate(d.audioSampleRate), "48000/1");
                EXPECT_EQ(d.bitDepth, 16u);
            }
        }
        EXPECT_EQ(picture, c.pictureSize);
        EXPECT_EQ(channels, c.channels);
        if (*c.pictureSize) {
            EXPECT_EQ(frameRate, "25/1");
        }
        // The picture track's edit rate is the frame rate.
        EXPECT_EQ(rate(s.packages[0].tracks[1].editRate), *c.pictureSize ? "25/1" : "48000/1");
    }
}

// The pipe's open header: durations are -1 (not known when it was written),
// which stay as they are.
TEST(Summary, OpenHeaderDurationsAsTheFileHoldsThem) {
    const Summary s = Example().summary(PalimoTest::dataDir() / "mxf" / "op1a-open.mxf");
    EXPECT_FALSE(s.headerPartition.closed || s.headerPartition.complete);
    ASSERT_EQ(s.packages.size(), 2u);
    for (const TrackSummary& track : s.packages[0].tracks)
        EXPECT_EQ(track.duration, -1);
}

// What the file lacks is absent: no Preface, no packages past a cut.
TEST(Summary, DamagedFilesGiveWhatIsThere) {
    const Example example;
    const auto seeds = PalimoTest::dataDir() / ".." / ".." / "fuzz" / "mxf-corpus";
    const Summary noPreface = example.summary(seeds / "ber-past-end.mxf");
    EXPECT_FALSE(noPreface.operationalPattern);
    EXPECT_FALSE(noPreface.essenceContainers);
    EXPECT_FALSE(noPreface.packages.empty());

    const Summary cut = example.summary(seeds / "truncated.mxf");
    EXPECT_TRUE(cut.operationalPattern);
    EXPECT_TRUE(cut.packages.empty());
    const std::vector<std::pair<Problem::Kind, std::size_t>> expected = {
        {Problem::Kind::DanglingReference, 1}, {Problem::Kind::Truncated, 1}};
    EXPECT_EQ(cut.problems, expected);
}

} // namespace
