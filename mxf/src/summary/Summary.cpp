#include <Palimo/MXF/Summary.h>

#include "SetValues.h"
#include "SummaryLabels.h"

#include <map>

namespace Palimo {
namespace MXF {

using namespace SummaryLabels;

const char* trackKindName(TrackKind kind) {
    switch (kind) {
    case TrackKind::Picture:
        return "picture";
    case TrackKind::Sound:
        return "sound";
    case TrackKind::Data:
        return "data";
    case TrackKind::Timecode:
        return "timecode";
    case TrackKind::DescriptiveMetadata:
        return "descriptiveMetadata";
    case TrackKind::AuxiliaryData:
        return "auxiliaryData";
    case TrackKind::ParsedText:
        return "parsedText";
    }
    return "";
}

const char* packageKindName(PackageSummary::Kind kind) {
    switch (kind) {
    case PackageSummary::Kind::Material:
        return "material";
    case PackageSummary::Kind::File:
        return "file";
    case PackageSummary::Kind::Source:
        return "source";
    }
    return "";
}

namespace {

// The track kinds of the registers: 06.0e.2b.34.04.01.01.vv.01.03.02.gg.kk.00.00.00.
std::optional<TrackKind> trackKind(const Identifiers::AUID& dataDefinition) {
    if (!dataDefinition.isLabel())
        return std::nullopt;
    const Label& l = dataDefinition.label();
    constexpr std::uint8_t prefix[] = {0x06, 0x0e, 0x2b, 0x34, 0x04, 0x01, 0x01};
    for (std::size_t i = 0; i < sizeof prefix; ++i)
        if (l[i] != prefix[i])
            return std::nullopt;
    if (l[8] != 0x01 || l[9] != 0x03 || l[10] != 0x02 || l[13] != 0 || l[14] != 0 || l[15] != 0)
        return std::nullopt;
    const unsigned group = l[11];
    const unsigned kind = l[12];
    if (group == 0x01 && kind >= 0x01 && kind <= 0x03)
        return TrackKind::Timecode;
    if (group == 0x01 && kind == 0x10)
        return TrackKind::DescriptiveMetadata;
    if (group == 0x02 && kind == 0x01)
        return TrackKind::Picture;
    if (group == 0x02 && kind == 0x02)
        return TrackKind::Sound;
    if (group == 0x02 && kind == 0x03)
        return TrackKind::Data;
    if (group == 0x03 && kind == 0x01)
        return TrackKind::AuxiliaryData;
    if (group == 0x03 && kind == 0x02)
        return TrackKind::ParsedText;
    return std::nullopt;
}

class Walk {
public:
    explicit Walk(const DecodedFile& file) : file_(file) {
        // As the strong references resolve: the first set with the InstanceUID.
        for (std::size_t i = 0; i < file.sets.size(); ++i)
            if (file.sets[i].instanceUID)
                byInstanceUID_.emplace(*file.sets[i].instanceUID, i);
    }

    // The sets that the strong references of `set`'s item `label` refer to
    // and the file holds, in their order.
    std::vector<const DecodedSet*> referred(const DecodedSet& set, const Label& label) const {
        std::vector<const DecodedSet*> sets;
        for (const Identifiers::UUID& target : referencesOf(itemValue(set, label)))
            if (const auto found = byInstanceUID_.find(target); found != byInstanceUID_.end())
                sets.push_back(&file_.sets[found->second]);
        return sets;
    }
    const DecodedSet* referredOne(const DecodedSet& set, const Label& label) const {
        const std::vector<const DecodedSet*> sets = referred(set, label);
        return sets.empty() ? nullptr : sets.front();
    }

    TrackSummary track(const DecodedSet& set) const {
        TrackSummary track;
        track.id = unsignedValue(itemValue(set, kTrackID));
        if (const auto number = unsignedValue(itemValue(set, kEssenceTrackNumber));
            number && *number <= 0xffffffffu)
            track.number = static_cast<std::uint32_t>(*number);
        track.name = textValue(itemValue(set, kTrackName));
        track.editRate = rationalValue(itemValue(set, kEditRate));
        if (const DecodedSet* segment = referredOne(set, kTrackSegment)) {
            track.dataDefinition = labelValue(itemValue(*segment, kComponentDataDefinition));
            if (track.dataDefinition)
                track.kind = trackKind(track.dataDefinition->auid);
            track.duration = signedValue(itemValue(*segment, kComponentLength));
            track.timecode = timecode(*segment);
            for (const DecodedSet* component : referred(*segment, kComponentObjects)) {
                if (track.timecode)
                    break;
                track.timecode = timecode(*component);
            }
        }
        return track;
    }

    std::vector<DescriptorSummary> descriptors(const DecodedSet& descriptor) const {
        std::vector<DescriptorSummary> summaries;
        if (hasItem(descriptor, kFileDescriptors)) {
            for (const DecodedSet* sub : referred(descriptor, kFileDescriptors))
                summaries.push_back(describe(*sub));
        } else {
            summaries.push_back(describe(descriptor));
        }
        return summaries;
    }

private:
    static std::optional<TimecodeStart> timecode(const DecodedSet& component) {
        const std::optional<std::int64_t> start = signedValue(itemValue(component, kStartTimecode));
        const std::optional<std::uint64_t> base =
            unsignedValue(itemValue(component, kRoundedTimecodeBase));
        if (!start || !base || *base > 0xffff)
            return std::nullopt;
        return TimecodeStart{*start, static_cast<std::uint16_t>(*base),
                             booleanValue(itemValue(component, kDropFrame)).value_or(false)};
    }

    static std::optional<PictureSize> size(const DecodedSet& set, const Label& width,
                                           const Label& height, std::uint64_t fields) {
        const std::optional<std::uint64_t> w = unsignedValue(itemValue(set, width));
        const std::optional<std::uint64_t> h = unsignedValue(itemValue(set, height));
        if (!w || !h)
            return std::nullopt;
        return PictureSize{*w, *h * fields};
    }

    static DescriptorSummary describe(const DecodedSet& set) {
        DescriptorSummary d;
        d.set = set.name;
        d.linkedTrackID = unsignedValue(itemValue(set, kLinkedTrackID));
        for (const Label& coding : {kPictureCompression, kSoundCompression, kDataEssenceCoding})
            if (!d.codec)
                d.codec = labelValue(itemValue(set, coding));
        d.sampleRate = rationalValue(itemValue(set, kSampleRate));
        d.frameLayout = enumerationValue(itemValue(set, kFrameLayout));
        // SeparateFields (1) and SegmentedFrame (4) store the height of a field.
        const std::uint64_t fields =
            d.frameLayout && (d.frameLayout->value == 1 || d.frameLayout->value == 4) ? 2 : 1;
        d.size = size(set, kSampledWidth, kSampledHeight, fields);
        if (!d.size)
            d.size = size(set, kStoredWidth, kStoredHeight, fields);
        d.displaySize = size(set, kDisplayWidth, kDisplayHeight, fields);
        d.aspectRatio = rationalValue(itemValue(set, kImageAspectRatio));
        d.audioSampleRate = rationalValue(itemValue(set, kAudioSampleRate));
        d.channels = unsignedValue(itemValue(set, kChannelCount));
        d.bitDepth = unsignedValue(itemValue(set, kQuantizationBits));
        if (!d.bitDepth)
            d.bitDepth = unsignedValue(itemValue(set, kComponentDepth));
        return d;
    }

    const DecodedFile& file_;
    std::map<Identifiers::UUID, std::size_t> byInstanceUID_;
};

PartitionStatus statusOf(const PartitionPack& pack) {
    return {pack.kind, pack.klv.offset, pack.closed, pack.complete};
}

} // namespace

Summary summarize(const DecodedFile& file) {
    Summary summary;
    summary.headerPartition = statusOf(file.headerPartition);
    summary.copyRead = statusOf(file.partition);
    const Walk walk(file);
    bool prefaceSeen = false;
    for (const DecodedSet& set : file.sets) {
        if (!prefaceSeen && set.klv.key.equalIgnoringVersion(kPreface)) {
            prefaceSeen = true;
            summary.operationalPattern = labelValue(itemValue(set, kOperationalPattern));
            summary.essenceContainers = labelListValue(itemValue(set, kEssenceContainers));
        }
        const bool material = set.klv.key.equalIgnoringVersion(kMaterialPackage);
        if (!material && !set.klv.key.equalIgnoringVersion(kSourcePackage))
            continue;
        PackageSummary package;
        package.kind = PackageSummary::Kind::Material;
        package.name = textValue(itemValue(set, kPackageName));
        package.umid = umidValue(itemValue(set, kPackageID));
        for (const DecodedSet* track : walk.referred(set, kPackageTracks))
            package.tracks.push_back(walk.track(*track));
        if (!material) {
            const DecodedSet* descriptor = walk.referredOne(set, kEssenceDescription);
            const bool fileDescriptor = descriptor && (hasItem(*descriptor, kSampleRate) ||
                                                       hasItem(*descriptor, kContainerFormat));
            package.kind =
                fileDescriptor ? PackageSummary::Kind::File : PackageSummary::Kind::Source;
            if (descriptor)
                package.descriptors = walk.descriptors(*descriptor);
        }
        summary.packages.push_back(std::move(package));
    }
    std::map<Problem::Kind, std::size_t> counts;
    for (const Problem& problem : file.problems)
        ++counts[problem.kind];
    summary.problems.assign(counts.begin(), counts.end());
    summary.problemsNotKept = file.problemsNotKept;
    return summary;
}

} // namespace MXF
} // namespace Palimo
