#pragma once
// What an inventory of MXF files asks of each file, taken from its decoded
// header metadata: the operational pattern and essence containers, the copy
// of the header metadata read, the packages with their tracks and
// descriptors, and the problems by kind.
//
// Nothing is parsed again: every field is the value of an item of a decoded
// set, found by the item's label (the version byte aside), so any dictionary
// that decodes those items will do. A field the file lacks, or whose value
// was not decoded as its type says, is absent: never a default.
#include <Palimo/MXF/DecodedFile.h>
#include <Palimo/MXF/Partition.h>
#include <Palimo/MXF/Problem.h>
#include <Palimo/MXF/Timecode.h>
#include <Palimo/MXF/Value.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace Palimo {
namespace MXF {

/// A label, or an AUID that holds a UUID, with the name the dictionary's type
/// definitions give it ("" when they give none).
struct NamedLabel {
    Identifiers::AUID auid;
    std::string name;
};

/// The value of an enumeration with its symbol ("" when the dictionary names
/// it not, or has no type definitions).
struct NamedNumber {
    std::int64_t value = 0;
    std::string name;
};

/// What a track carries, as its data definition says: the data definitions
/// of the registers' track kinds, whatever their version byte.
enum class TrackKind {
    Picture,
    Sound,
    Data,
    Timecode,
    DescriptiveMetadata,
    AuxiliaryData,
    ParsedText
};

/// "picture", "sound", "data", "timecode", "descriptiveMetadata",
/// "auxiliaryData", "parsedText".
const char* trackKindName(TrackKind kind);

struct TrackSummary {
    std::optional<std::uint64_t> id; // TrackID
    std::optional<std::uint32_t>
        number;                      // EssenceTrackNumber: the essence element key's last 4 bytes
    std::optional<std::string> name; // TrackName
    std::optional<NamedLabel> dataDefinition; // ComponentDataDefinition of the track's segment
    std::optional<TrackKind> kind;            // when the data definition is of a known kind
    std::optional<Rational> editRate;
    /// ComponentLength of the track's segment, in edit units, as the file
    /// holds it (an open header partition may hold -1: not known yet).
    std::optional<std::int64_t> duration;
    /// The segment's start, when it is a timecode component or a sequence
    /// holding one (its first).
    std::optional<TimecodeStart> timecode;
};

/// A picture's width and height in pixels and lines of a whole frame.
struct PictureSize {
    std::uint64_t width = 0;
    std::uint64_t height = 0;
};

struct DescriptorSummary {
    std::string set; // the descriptor set's name; "" when the dictionary does not know it
    std::optional<std::uint64_t> linkedTrackID;
    /// PictureCompression, SoundCompression or DataEssenceCoding.
    std::optional<NamedLabel> codec;
    /// SampleRate: of the essence as the container holds it (for pictures the
    /// frame rate).
    std::optional<Rational> sampleRate;
    /// The sampled picture's size (SampledWidth and SampledHeight), else the
    /// stored one; for the layouts that store a frame as two fields
    /// (SeparateFields, SegmentedFrame) the height of the frame, twice that of
    /// a field. Only with both width and height.
    std::optional<PictureSize> size;
    std::optional<PictureSize> displaySize; // DisplayWidth and DisplayHeight, whole frames as above
    std::optional<Rational> aspectRatio;    // ImageAspectRatio
    std::optional<NamedNumber> frameLayout;
    std::optional<Rational> audioSampleRate;
    std::optional<std::uint64_t> channels; // ChannelCount
    /// QuantizationBits (sound), else ComponentDepth (pictures).
    std::optional<std::uint64_t> bitDepth;
};

struct PackageSummary {
    /// A source package is a file package when its descriptor is a file
    /// descriptor (one with a SampleRate or ContainerFormat); other source
    /// packages describe tapes, imported files and the like.
    enum class Kind { Material, File, Source };
    Kind kind = Kind::Material;
    std::optional<std::string> name;       // PackageName
    std::optional<Identifiers::UMID> umid; // PackageID
    std::vector<TrackSummary> tracks;      // in the order of PackageTracks
    /// Of a source package: its descriptor, or the descriptors a
    /// MultipleDescriptor holds, in their order.
    std::vector<DescriptorSummary> descriptors;
};

/// "material", "file", "source".
const char* packageKindName(PackageSummary::Kind kind);

/// A partition pack's kind, place and status.
struct PartitionStatus {
    PartitionPack::Kind kind = PartitionPack::Header;
    std::uint64_t offset = 0;
    bool closed = false;
    bool complete = false;
};

struct Summary {
    /// Preface: OperationalPattern and EssenceContainers.
    std::optional<NamedLabel> operationalPattern;
    std::optional<std::vector<NamedLabel>> essenceContainers;
    PartitionStatus headerPartition;
    /// The partition whose header metadata was read (the header partition's
    /// own, or a better copy's).
    PartitionStatus copyRead;
    /// Material and source packages, in file order.
    std::vector<PackageSummary> packages;
    /// The problems kept, counted by kind, in the order of Problem::Kind;
    /// only kinds found.
    std::vector<std::pair<Problem::Kind, std::size_t>> problems;
    std::size_t problemsNotKept = 0;
};

/// The summary of `file`. Only reads `file`: may run on any number of files at
/// once. The result is its caller's and holds no pointer into `file` or the
/// dictionaries.
Summary summarize(const DecodedFile& file);

} // namespace MXF
} // namespace Palimo
