#include "ReadOutput.h"

#include "ValueJson.h"
#include "ValueText.h"

#include <Palimo/Identifiers/Hex.h>
#include <Palimo/MXF/References.h>

#include <iomanip>

namespace Mxfdict {

using namespace Palimo::MXF;

namespace {

std::string hex(const std::vector<std::uint8_t>& bytes) {
    return Palimo::Identifiers::hexText(bytes.data(), bytes.size());
}
std::string labelText(const Label& label) {
    return label.dotted();
}
std::string tagText(std::uint16_t tag) {
    return Palimo::Identifiers::localTagText(tag);
}

std::string setName(const DecodedSet& set) {
    return set.name.empty() ? "(unknown set)" : set.name;
}

// What the file's own dictionary defines is marked where it is named.
constexpr char kFromFile[] = " [file]";

void printSetLine(std::ostream& out, const std::string& indent, const DecodedSet& set) {
    out << indent << "set " << setName(set) << (set.fromFileDictionary ? kFromFile : "") << "  key "
        << labelText(set.klv.key) << "  byte " << set.klv.offset;
    if (set.instanceUID)
        out << "  InstanceUID " << set.instanceUID->text();
    out << '\n';
    if (!set.localSet)
        out << indent << "    raw " << hex(set.bytes) << '\n';
}

// An item's label is an AUID: a UUID (AAF-style files name their own items
// so) is shown as such.
std::string itemLabelText(const Label& label) {
    const auto auid = Palimo::Identifiers::AUID::fromLabel(label);
    return auid.isLabel() ? label.dotted() : auid.uuid().text();
}

// The sets that an item's weak references refer to, where the file has them.
std::string weakTargetsText(const DecodedFile& file, const DecodedItem& item) {
    std::string text;
    for (const std::size_t target : item.weakTargets)
        if (target != kNoSet)
            text += std::string(text.empty() ? "  -> " : ", ") + setName(file.sets[target]) +
                    " at byte " + std::to_string(file.sets[target].klv.offset);
    return text;
}

void printItems(std::ostream& out, const std::string& indent, const DecodedFile& file,
                const DecodedSet& set) {
    for (const DecodedItem& item : set.items) {
        std::string name = item.name;
        if (name.empty())
            name = item.label ? "? " + itemLabelText(*item.label) : "?";
        else if (item.fromFileDictionary)
            name += kFromFile;
        const std::string type = item.definition ? item.definition->symbol : item.type;
        out << indent << "    " << tagText(item.localTag) << "  " << std::left << std::setw(26)
            << name << ' ' << std::setw(24) << (type.empty() ? "-" : type) << std::right << ' '
            << (item.value ? valueText(*item.value) : "raw " + hex(item.bytes))
            << weakTargetsText(file, item);
        for (const std::string& note : item.notes)
            out << "  (note: " << note << ')';
        out << '\n';
    }
}

void printPartition(std::ostream& out, const DecodedFile& file) {
    const PartitionPack& p = file.partition;
    out << "Partition: " << kindName(p.kind) << " partition at byte " << p.klv.offset << ", "
        << statusText(p) << ", version " << p.majorVersion << '.' << p.minorVersion << ", KAG "
        << p.kagSize << '\n';
    if (p.kind != PartitionPack::Header)
        out << "           read in place of the header partition at byte "
            << file.headerPartition.klv.offset << ", " << statusText(file.headerPartition) << '\n';
    out << "           operational pattern " << labelText(p.operationalPattern)
        << "\n           header byte count " << p.headerByteCount << ", index byte count "
        << p.indexByteCount << ", body SID " << p.bodySID << ", index SID " << p.indexSID
        << ", footer partition at byte " << p.footerPartition << '\n';
    for (const Label& container : p.essenceContainers)
        out << "           essence container " << labelText(container) << '\n';
    if (file.primer)
        out << "Primer:    " << file.primerEntries << " entries at byte " << file.primer->offset
            << '\n';
    else
        out << "Primer:    none\n";
    out << "Sets:      " << file.sets.size() << '\n';
}

void printTree(std::ostream& out, const DecodedFile& file) {
    std::vector<bool> shown(file.sets.size(), false);
    for (const TreeLine& line : strongReferenceTree(file)) {
        const std::string indent(4 * line.depth, ' ');
        if (line.parent != kNoSet)
            out << indent << file.sets[line.parent].items[line.item].name << " -> ";
        else
            out << indent;
        if (line.set == kNoSet) {
            out << "no set has InstanceUID " << line.target.text() << '\n';
            continue;
        }
        const DecodedSet& set = file.sets[line.set];
        if (line.repeated) {
            out << setName(set) << " at byte " << set.klv.offset << " (shown above)\n";
            continue;
        }
        shown[line.set] = true;
        printSetLine(out, line.parent == kNoSet ? indent : "", set);
        printItems(out, indent, file, set);
    }
    // Sets that only strong references in a cycle reach.
    for (std::size_t i = 0; i < file.sets.size(); ++i)
        if (!shown[i]) {
            out << "outside the tree: ";
            printSetLine(out, "", file.sets[i]);
            printItems(out, "", file, file.sets[i]);
        }
}

Json itemToJson(const DecodedItem& item) {
    Json json = {
        {"offset", item.offset},
        {"localTag", tagText(item.localTag)},
        {"ul", item.label ? Json(labelText(*item.label)) : Json(nullptr)},
        {"name", item.name.empty() ? Json(nullptr) : Json(item.name)},
        {"type", item.type.empty() ? Json(nullptr) : Json(item.type)},
        {"typeDefinition", item.definition ? Json(item.definition->symbol) : Json(nullptr)},
        {"value", item.value ? valueToJson(*item.value) : Json(nullptr)},
        {"raw", item.value ? Json(nullptr) : Json(hex(item.bytes))}};
    if (!item.weakTargets.empty()) {
        Json targets = Json::array();
        for (const std::size_t target : item.weakTargets)
            targets.push_back(target == kNoSet ? Json(nullptr) : Json(target));
        json["weakTargets"] = targets;
    }
    if (!item.notes.empty())
        json["notes"] = item.notes;
    if (item.fromFileDictionary)
        json["source"] = "file";
    return json;
}

} // namespace

void printRead(std::ostream& out, const std::string& path, const DecodedFile& file, bool tree) {
    out << "File:      " << path << '\n';
    printPartition(out, file);
    out << '\n';
    if (tree) {
        printTree(out, file);
    } else {
        for (const DecodedSet& set : file.sets) {
            printSetLine(out, "", set);
            printItems(out, "", file, set);
        }
    }
    if (!file.problems.empty()) {
        out << "\nProblems (" << file.problems.size() << "):\n";
        for (const Problem& problem : file.problems)
            out << "    byte " << problem.offset << ": " << problem.message << " ["
                << problemKindName(problem.kind) << "]\n";
    }
}

Json readToJson(const std::string& path, const DecodedFile& file, bool tree) {
    Json json = jsonDocument();
    json["file"] = path;
    const PartitionPack& p = file.partition;
    Json containers = Json::array();
    for (const Label& container : p.essenceContainers)
        containers.push_back(labelText(container));
    json["partition"] = {{"kind", kindName(p.kind)},
                         {"status", statusText(p)},
                         {"offset", p.klv.offset},
                         {"majorVersion", p.majorVersion},
                         {"minorVersion", p.minorVersion},
                         {"kagSize", p.kagSize},
                         {"thisPartition", p.thisPartition},
                         {"previousPartition", p.previousPartition},
                         {"footerPartition", p.footerPartition},
                         {"headerByteCount", p.headerByteCount},
                         {"indexByteCount", p.indexByteCount},
                         {"indexSID", p.indexSID},
                         {"bodyOffset", p.bodyOffset},
                         {"bodySID", p.bodySID},
                         {"operationalPattern", labelText(p.operationalPattern)},
                         {"essenceContainers", containers}};
    if (p.kind != PartitionPack::Header)
        json["partition"]["headerPartition"] = {{"offset", file.headerPartition.klv.offset},
                                                {"status", statusText(file.headerPartition)}};
    json["primer"] = file.primer
                         ? Json{{"offset", file.primer->offset}, {"entries", file.primerEntries}}
                         : Json(nullptr);
    json["sets"] = Json::array();
    for (const DecodedSet& set : file.sets) {
        Json items = Json::array();
        for (const DecodedItem& item : set.items)
            items.push_back(itemToJson(item));
        Json entry = {
            {"offset", set.klv.offset},
            {"key", labelText(set.klv.key)},
            {"name", set.name.empty() ? Json(nullptr) : Json(set.name)},
            {"instanceUID", set.instanceUID ? Json(set.instanceUID->text()) : Json(nullptr)},
            {"items", items},
            {"raw", set.localSet ? Json(nullptr) : Json(hex(set.bytes))}};
        if (set.fromFileDictionary)
            entry["source"] = "file";
        json["sets"].push_back(std::move(entry));
    }
    if (tree) {
        // Flat, in depth-first order: a nested document could be deeper than
        // any JSON reader (or writer) recurses.
        json["tree"] = Json::array();
        for (const TreeLine& line : strongReferenceTree(file))
            json["tree"].push_back(
                {{"depth", line.depth},
                 {"set", line.set == kNoSet ? Json(nullptr) : Json(line.set)},
                 {"via", line.parent == kNoSet
                             ? Json(nullptr)
                             : Json(file.sets[line.parent].items[line.item].name)},
                 {"target", line.parent == kNoSet ? Json(nullptr) : Json(line.target.text())},
                 {"repeated", line.repeated}});
    }
    json["problems"] = Json::array();
    for (const Problem& problem : file.problems)
        json["problems"].push_back({{"kind", problemKindName(problem.kind)},
                                    {"offset", problem.offset},
                                    {"message", problem.message}});
    return json;
}

} // namespace Mxfdict
