#include <Palimo/Output/JsonSink.h>
#include <Palimo/Output/SummaryOutput.h>
#include <Palimo/Output/TerminalText.h>

#include "JsonString.h"

#include <Palimo/Identifiers/Hex.h>

#include <cstdio>

namespace Palimo {
namespace Output {

using namespace MXF;

namespace {

std::string auidText(const Palimo::Identifiers::AUID& auid) {
    return auid.isLabel() ? auid.label().dotted() : auid.uuid().text();
}
std::string labelText(const NamedLabel& label) {
    return label.name.empty() ? auidText(label.auid) : label.name;
}
std::string rationalText(const Rational& rational) {
    return std::to_string(rational.numerator) + '/' + std::to_string(rational.denominator);
}
// The essence element key's last 4 bytes, in the order of the key.
std::string trackNumberText(std::uint32_t number) {
    const std::uint8_t bytes[] = {
        static_cast<std::uint8_t>(number >> 24), static_cast<std::uint8_t>(number >> 16),
        static_cast<std::uint8_t>(number >> 8), static_cast<std::uint8_t>(number)};
    return Palimo::Identifiers::dottedHexText(bytes, sizeof bytes);
}
std::string statusText(bool closed, bool complete) {
    return std::string(closed ? "closed" : "open") + (complete ? " complete" : " incomplete");
}
// Quoted and escaped as JSON escapes it, so that the line stays one line.
std::string quoted(const std::string& text) {
    return jsonString(text);
}
std::optional<std::string> timecodeOf(const TrackSummary& track) {
    if (!track.timecode)
        return std::nullopt;
    const std::optional<TimecodeFields> fields = timecodeFields(*track.timecode);
    if (!fields)
        return std::nullopt;
    return timecodeText(*fields);
}
std::optional<std::string> durationTimeOf(const TrackSummary& track) {
    if (!track.duration || *track.duration < 0 || !track.editRate)
        return std::nullopt;
    const std::optional<std::int64_t> milliseconds =
        editUnitsToMilliseconds(*track.duration, *track.editRate);
    if (!milliseconds)
        return std::nullopt;
    return durationText(*milliseconds);
}
bool sameSize(const std::optional<PictureSize>& a, const std::optional<PictureSize>& b) {
    return a && b && a->width == b->width && a->height == b->height;
}
std::string sizeText(const PictureSize& size) {
    return std::to_string(size.width) + 'x' + std::to_string(size.height);
}

std::string trackText(const TrackSummary& track) {
    std::string text = track.kind ? std::string(trackKindName(*track.kind)) + " track" : "track";
    if (track.id)
        text += ' ' + std::to_string(*track.id);
    if (track.name)
        text += ' ' + quoted(*track.name);
    if (!track.kind && track.dataDefinition)
        text += " kind " + labelText(*track.dataDefinition);
    if (track.number)
        text += " number " + trackNumberText(*track.number);
    if (track.editRate)
        text += " rate " + rationalText(*track.editRate);
    if (track.duration) {
        text += " duration " + std::to_string(*track.duration);
        if (const auto time = durationTimeOf(track))
            text += " (" + *time + ')';
    }
    if (const auto timecode = timecodeOf(track))
        text += " start " + *timecode;
    return text;
}

std::string descriptorText(const DescriptorSummary& d) {
    std::string text = d.set.empty() ? "descriptor" : d.set;
    if (d.linkedTrackID)
        text += " for track " + std::to_string(*d.linkedTrackID);
    if (d.codec)
        text += " codec " + labelText(*d.codec);
    if (d.sampleRate)
        text += " rate " + rationalText(*d.sampleRate);
    if (d.size)
        text += " size " + sizeText(*d.size);
    if (d.displaySize && !sameSize(d.size, d.displaySize))
        text += " display " + sizeText(*d.displaySize);
    if (d.aspectRatio)
        text += " aspect " + rationalText(*d.aspectRatio);
    if (d.frameLayout)
        text += " layout " + (d.frameLayout->name.empty() ? std::to_string(d.frameLayout->value)
                                                          : d.frameLayout->name);
    if (d.audioSampleRate)
        text += " audio " + rationalText(*d.audioSampleRate);
    if (d.channels)
        text += " channels " + std::to_string(*d.channels);
    if (d.bitDepth)
        text += " depth " + std::to_string(*d.bitDepth);
    return text;
}

template <typename T, typename F>
std::string joined(const std::vector<T>& items, const char* separator, F text) {
    std::string result;
    for (const T& item : items)
        result += (result.empty() ? "" : separator) + text(item);
    return result;
}

std::string packageText(const PackageSummary& package) {
    std::string text = std::string(packageKindName(package.kind)) + " package";
    if (package.name)
        text += ' ' + quoted(*package.name);
    if (package.umid)
        text += ' ' + package.umid->dotted();
    std::string inside = joined(package.tracks, ", ", trackText);
    if (!package.descriptors.empty())
        inside += (inside.empty() ? "" : "; ") + joined(package.descriptors, ", ", descriptorText);
    return text + " [" + inside + ']';
}

void describeLabel(JsonSink& sink, const NamedLabel& label) {
    sink.beginObject();
    sink.key("label");
    sink.string(auidText(label.auid));
    if (!label.name.empty()) {
        sink.key("name");
        sink.string(label.name);
    }
    sink.endObject();
}

void describeRational(JsonSink& sink, const char* key, const std::optional<Rational>& rational) {
    if (!rational)
        return;
    sink.key(key);
    sink.string(rationalText(*rational));
}

template <typename Integer>
void describeInteger(JsonSink& sink, const char* key, const std::optional<Integer>& value) {
    if (!value)
        return;
    sink.key(key);
    sink.integer(*value);
}

void describeTrack(JsonSink& sink, const TrackSummary& track) {
    sink.beginObject();
    describeInteger(sink, "id", track.id);
    if (track.name) {
        sink.key("name");
        sink.string(*track.name);
    }
    if (track.kind) {
        sink.key("kind");
        sink.string(trackKindName(*track.kind));
    } else if (track.dataDefinition) {
        sink.key("dataDefinition");
        describeLabel(sink, *track.dataDefinition);
    }
    if (track.number) {
        sink.key("number");
        sink.string(trackNumberText(*track.number));
    }
    describeRational(sink, "editRate", track.editRate);
    describeInteger(sink, "duration", track.duration);
    if (const auto time = durationTimeOf(track)) {
        sink.key("durationTime");
        sink.string(*time);
    }
    if (const auto timecode = timecodeOf(track)) {
        sink.key("timecode");
        sink.string(*timecode);
    }
    sink.endObject();
}

void describeDescriptor(JsonSink& sink, const DescriptorSummary& d) {
    sink.beginObject();
    if (!d.set.empty()) {
        sink.key("set");
        sink.string(d.set);
    }
    describeInteger(sink, "linkedTrackID", d.linkedTrackID);
    if (d.codec) {
        sink.key("codec");
        describeLabel(sink, *d.codec);
    }
    describeRational(sink, "sampleRate", d.sampleRate);
    if (d.size) {
        sink.key("width");
        sink.integer(d.size->width);
        sink.key("height");
        sink.integer(d.size->height);
    }
    if (d.displaySize) {
        sink.key("displayWidth");
        sink.integer(d.displaySize->width);
        sink.key("displayHeight");
        sink.integer(d.displaySize->height);
    }
    describeRational(sink, "aspectRatio", d.aspectRatio);
    if (d.frameLayout) {
        sink.key("frameLayout");
        sink.beginObject();
        sink.key("value");
        sink.integer(d.frameLayout->value);
        if (!d.frameLayout->name.empty()) {
            sink.key("symbol");
            sink.string(d.frameLayout->name);
        }
        sink.endObject();
    }
    describeRational(sink, "audioSampleRate", d.audioSampleRate);
    describeInteger(sink, "channels", d.channels);
    describeInteger(sink, "bitDepth", d.bitDepth);
    sink.endObject();
}

void describePackage(JsonSink& sink, const PackageSummary& package) {
    sink.beginObject();
    sink.key("kind");
    sink.string(packageKindName(package.kind));
    if (package.name) {
        sink.key("name");
        sink.string(*package.name);
    }
    if (package.umid) {
        sink.key("umid");
        sink.string(package.umid->dotted());
    }
    sink.key("tracks");
    sink.beginArray();
    for (const TrackSummary& track : package.tracks)
        describeTrack(sink, track);
    sink.endArray();
    if (package.kind != PackageSummary::Kind::Material) {
        sink.key("descriptors");
        sink.beginArray();
        for (const DescriptorSummary& descriptor : package.descriptors)
            describeDescriptor(sink, descriptor);
        sink.endArray();
    }
    sink.endObject();
}

void describePartitionStatus(JsonSink& sink, const PartitionStatus& status, bool where) {
    sink.beginObject();
    if (where) {
        sink.key("partition");
        sink.string(kindName(status.kind));
        sink.key("offset");
        sink.integer(status.offset);
    }
    sink.key("closed");
    sink.boolean(status.closed);
    sink.key("complete");
    sink.boolean(status.complete);
    sink.endObject();
}

// {"formatVersion", "file", then what `members` adds} on one line.
template <typename Members>
void writeJsonLine(std::ostream& out, const std::string& path, Members members) {
    JsonStreamWriter sink(out, JsonStreamWriter::Layout::OneLine);
    beginDocument(sink);
    sink.key("file");
    sink.string(path);
    members(sink);
    sink.endObject();
    sink.finish();
}

} // namespace

std::string timecodeText(const TimecodeFields& fields) {
    char text[48];
    std::snprintf(text, sizeof text, "%s%02llu:%02u:%02u%c%02u", fields.negative ? "-" : "",
                  static_cast<unsigned long long>(fields.hours), fields.minutes, fields.seconds,
                  fields.dropFrame ? ';' : ':', fields.frames);
    return text;
}

std::string durationText(std::int64_t milliseconds) {
    const bool negative = milliseconds < 0;
    const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(milliseconds)
                                             : static_cast<std::uint64_t>(milliseconds);
    const std::uint64_t seconds = magnitude / 1000;
    char text[48];
    std::snprintf(text, sizeof text, "%s%02llu:%02u:%02u.%03u", negative ? "-" : "",
                  static_cast<unsigned long long>(seconds / 3600),
                  static_cast<unsigned>(seconds / 60 % 60), static_cast<unsigned>(seconds % 60),
                  static_cast<unsigned>(magnitude % 1000));
    return text;
}

void printSummary(std::ostream& out, const std::string& path, const Summary& summary) {
    std::vector<std::string> parts;
    if (summary.operationalPattern)
        parts.push_back(labelText(*summary.operationalPattern));
    std::string header = "header partition " + statusText(summary.headerPartition.closed,
                                                          summary.headerPartition.complete);
    if (summary.copyRead.offset != summary.headerPartition.offset)
        header += ", read the " + std::string(kindName(summary.copyRead.kind)) +
                  " partition at byte " + std::to_string(summary.copyRead.offset) + " (" +
                  statusText(summary.copyRead.closed, summary.copyRead.complete) + ')';
    parts.push_back(header);
    if (summary.essenceContainers)
        parts.push_back("essence " + (summary.essenceContainers->empty()
                                          ? std::string("none")
                                          : joined(*summary.essenceContainers, ", ", labelText)));
    for (const PackageSummary& package : summary.packages)
        parts.push_back(packageText(package));
    std::string problems;
    for (const auto& [kind, count] : summary.problems)
        problems +=
            (problems.empty() ? "" : ", ") + std::to_string(count) + ' ' + problemKindName(kind);
    if (summary.problemsNotKept > 0)
        problems += (problems.empty() ? "" : ", ") + std::to_string(summary.problemsNotKept) +
                    " more not kept";
    parts.push_back("problems " + (problems.empty() ? std::string("none") : problems));
    out << shownFileName(path) << ": "
        << shown(joined(parts, "; ", [](const std::string& part) { return part; })) << '\n';
}

void writeSummaryJson(std::ostream& out, const std::string& path, const Summary& summary) {
    writeJsonLine(out, path, [&summary](JsonSink& sink) {
        if (summary.operationalPattern) {
            sink.key("operationalPattern");
            describeLabel(sink, *summary.operationalPattern);
        }
        if (summary.essenceContainers) {
            sink.key("essenceContainers");
            sink.beginArray();
            for (const NamedLabel& container : *summary.essenceContainers)
                describeLabel(sink, container);
            sink.endArray();
        }
        sink.key("headerPartition");
        describePartitionStatus(sink, summary.headerPartition, false);
        sink.key("copyRead");
        describePartitionStatus(sink, summary.copyRead, true);
        sink.key("packages");
        sink.beginArray();
        for (const PackageSummary& package : summary.packages)
            describePackage(sink, package);
        sink.endArray();
        sink.key("problems");
        sink.beginObject();
        for (const auto& [kind, count] : summary.problems) {
            sink.key(problemKindName(kind));
            sink.integer(count);
        }
        sink.endObject();
        if (summary.problemsNotKept > 0) {
            sink.key("problemsNotKept");
            sink.integer(summary.problemsNotKept);
        }
    });
}

void printUnreadableSummary(std::ostream& out, const std::string& path,
                            const std::string& message) {
    out << shownFileName(path) << ": cannot read: " << shown(message) << '\n';
}

void writeUnreadableSummaryJson(std::ostream& out, const std::string& path,
                                const std::string& message) {
    writeJsonLine(out, path, [&message](JsonSink& sink) {
        sink.key("error");
        sink.string(message);
    });
}

} // namespace Output
} // namespace Palimo
