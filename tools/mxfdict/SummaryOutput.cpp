#include "SummaryOutput.h"

#include "TerminalText.h"

#include <Palimo/Identifiers/Hex.h>

#include <cstdio>

namespace Mxfdict {

using namespace Palimo::MXF;

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
    return Json(text).dump(-1, ' ', false, Json::error_handler_t::replace);
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

Json labelJson(const NamedLabel& label) {
    Json json = {{"label", auidText(label.auid)}};
    if (!label.name.empty())
        json["name"] = label.name;
    return json;
}

Json trackJson(const TrackSummary& track) {
    Json json = Json::object();
    if (track.id)
        json["id"] = *track.id;
    if (track.name)
        json["name"] = *track.name;
    if (track.kind)
        json["kind"] = trackKindName(*track.kind);
    else if (track.dataDefinition)
        json["dataDefinition"] = labelJson(*track.dataDefinition);
    if (track.number)
        json["number"] = trackNumberText(*track.number);
    if (track.editRate)
        json["editRate"] = rationalText(*track.editRate);
    if (track.duration)
        json["duration"] = *track.duration;
    if (const auto time = durationTimeOf(track))
        json["durationTime"] = *time;
    if (const auto timecode = timecodeOf(track))
        json["timecode"] = *timecode;
    return json;
}

Json descriptorJson(const DescriptorSummary& d) {
    Json json = Json::object();
    if (!d.set.empty())
        json["set"] = d.set;
    if (d.linkedTrackID)
        json["linkedTrackID"] = *d.linkedTrackID;
    if (d.codec)
        json["codec"] = labelJson(*d.codec);
    if (d.sampleRate)
        json["sampleRate"] = rationalText(*d.sampleRate);
    if (d.size) {
        json["width"] = d.size->width;
        json["height"] = d.size->height;
    }
    if (d.displaySize) {
        json["displayWidth"] = d.displaySize->width;
        json["displayHeight"] = d.displaySize->height;
    }
    if (d.aspectRatio)
        json["aspectRatio"] = rationalText(*d.aspectRatio);
    if (d.frameLayout) {
        json["frameLayout"] = {{"value", d.frameLayout->value}};
        if (!d.frameLayout->name.empty())
            json["frameLayout"]["symbol"] = d.frameLayout->name;
    }
    if (d.audioSampleRate)
        json["audioSampleRate"] = rationalText(*d.audioSampleRate);
    if (d.channels)
        json["channels"] = *d.channels;
    if (d.bitDepth)
        json["bitDepth"] = *d.bitDepth;
    return json;
}

Json packageJson(const PackageSummary& package) {
    Json json = {{"kind", packageKindName(package.kind)}};
    if (package.name)
        json["name"] = *package.name;
    if (package.umid)
        json["umid"] = package.umid->dotted();
    json["tracks"] = Json::array();
    for (const TrackSummary& track : package.tracks)
        json["tracks"].push_back(trackJson(track));
    if (package.kind != PackageSummary::Kind::Material) {
        json["descriptors"] = Json::array();
        for (const DescriptorSummary& descriptor : package.descriptors)
            json["descriptors"].push_back(descriptorJson(descriptor));
    }
    return json;
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

Json summaryToJson(const std::string& path, const Summary& summary) {
    Json json = jsonDocument();
    json["file"] = path;
    if (summary.operationalPattern)
        json["operationalPattern"] = labelJson(*summary.operationalPattern);
    if (summary.essenceContainers) {
        json["essenceContainers"] = Json::array();
        for (const NamedLabel& container : *summary.essenceContainers)
            json["essenceContainers"].push_back(labelJson(container));
    }
    json["headerPartition"] = {{"closed", summary.headerPartition.closed},
                               {"complete", summary.headerPartition.complete}};
    json["copyRead"] = {{"partition", kindName(summary.copyRead.kind)},
                        {"offset", summary.copyRead.offset},
                        {"closed", summary.copyRead.closed},
                        {"complete", summary.copyRead.complete}};
    json["packages"] = Json::array();
    for (const PackageSummary& package : summary.packages)
        json["packages"].push_back(packageJson(package));
    json["problems"] = Json::object();
    for (const auto& [kind, count] : summary.problems)
        json["problems"][problemKindName(kind)] = count;
    if (summary.problemsNotKept > 0)
        json["problemsNotKept"] = summary.problemsNotKept;
    return json;
}

void printUnreadableSummary(std::ostream& out, const std::string& path,
                            const std::string& message) {
    out << shownFileName(path) << ": cannot read: " << shown(message) << '\n';
}

Json unreadableSummaryToJson(const std::string& path, const std::string& message) {
    Json json = jsonDocument();
    json["file"] = path;
    json["error"] = message;
    return json;
}

void writeJsonLine(std::ostream& out, const Json& document) {
    out << document.dump(-1, ' ', false, Json::error_handler_t::replace) << '\n';
}

} // namespace Mxfdict
