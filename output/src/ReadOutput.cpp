#include <Palimo/Output/JsonSink.h>
#include <Palimo/Output/ReadOutput.h>
#include <Palimo/Output/TerminalText.h>
#include <Palimo/Output/ValueJson.h>
#include <Palimo/Output/ValueText.h>

#include <Palimo/Identifiers/Hex.h>
#include <Palimo/MXF/References.h>

#include "Put.h"

#include <algorithm>
#include <streambuf>
#include <utility>

namespace Palimo {
namespace Output {

using namespace MXF;

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
    return set.name.empty() ? "(unknown set)" : shown(set.name);
}

// Levels of the tree shown by indentation; deeper ones are indented as the
// last of them and start with their depth, so that a chain of 10,000 sets
// does not write 10,000 times 40,000 spaces.
constexpr std::size_t kTreeIndentLevels = 16;

std::string treeIndent(std::size_t depth) {
    std::string indent(4 * std::min(depth, kTreeIndentLevels), ' ');
    if (depth > kTreeIndentLevels)
        indent += "[depth " + std::to_string(depth) + "] ";
    return indent;
}

// What the file's own dictionary defines is marked where it is named.
constexpr char kFromFile[] = " [file]";

void printSetLine(std::ostream& out, const std::string& indent, const DecodedSet& set) {
    put(out, indent);
    put(out, "set ");
    put(out, setName(set));
    if (set.fromFileDictionary)
        put(out, kFromFile);
    put(out, "  key ");
    put(out, labelText(set.klv.key));
    put(out, "  byte ");
    putNumber(out, set.klv.offset);
    if (set.instanceUID) {
        put(out, "  InstanceUID ");
        put(out, set.instanceUID->text());
    }
    put(out, "\n");
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
void printWeakTargets(std::ostream& out, const DecodedFile& file, const DecodedItem& item) {
    bool first = true;
    for (const std::size_t target : item.weakTargets) {
        if (target == kNoSet)
            continue;
        out << (first ? "  -> " : ", ") << setName(file.sets[target]) << " at byte "
            << file.sets[target].klv.offset;
        first = false;
    }
}

// `text` left-aligned in `width` columns (counted in bytes), then a blank.
void printColumn(std::ostream& out, std::string_view text, std::size_t width) {
    static const std::string kBlanks(64, ' ');
    put(out, text);
    const std::size_t pad = text.size() < width ? width - text.size() + 1 : 1;
    put(out, std::string_view(kBlanks).substr(0, std::min(pad, kBlanks.size())));
}

void printItems(std::ostream& out, const std::string& indent, const DecodedFile& file,
                const DecodedSet& set) {
    for (const DecodedItem& item : set.items) {
        // Shown as they are, without a copy, unless they need an escape.
        std::string nameText;
        std::string_view name = item.name;
        if (!isShownAsIs(name))
            name = nameText = shown(name);
        if (name.empty())
            name = nameText = item.label ? "? " + itemLabelText(*item.label) : "?";
        else if (item.fromFileDictionary)
            name = nameText = std::string(name) + kFromFile;
        std::string typeText;
        std::string_view type = item.definition ? item.definition->symbol : item.type;
        if (!isShownAsIs(type))
            type = typeText = shown(type);
        put(out, indent);
        put(out, "    ");
        put(out, tagText(item.localTag));
        put(out, "  ");
        printColumn(out, name, 26);
        printColumn(out, type.empty() ? std::string_view("-") : type, 24);
        if (item.value)
            writeValueText(out, *item.value);
        else
            out << "raw " << hex(item.bytes);
        printWeakTargets(out, file, item);
        for (const std::string& note : item.notes) {
            out << "  (note: ";
            writeShown(out, note);
            out << ')';
        }
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
    std::vector<bool> shownSets(file.sets.size(), false);
    for (const TreeLine& line : strongReferenceTree(file)) {
        const std::string indent = treeIndent(line.depth);
        out << indent;
        if (line.parent != kNoSet)
            out << shown(file.sets[line.parent].items[line.item].name) << " -> ";
        if (line.set == kNoSet) {
            out << "no set has InstanceUID " << line.target.text() << '\n';
            continue;
        }
        const DecodedSet& set = file.sets[line.set];
        if (line.repeated) {
            out << setName(set) << " at byte " << set.klv.offset << " (shown above)\n";
            continue;
        }
        shownSets[line.set] = true;
        printSetLine(out, "", set);
        printItems(out, std::string(4 * std::min(line.depth, kTreeIndentLevels), ' '), file, set);
    }
    // Sets that only strong references in a cycle reach.
    for (std::size_t i = 0; i < file.sets.size(); ++i)
        if (!shownSets[i]) {
            out << "outside the tree: ";
            printSetLine(out, "", file.sets[i]);
            printItems(out, "", file, file.sets[i]);
        }
}

void stringOrNull(JsonSink& sink, const std::string& text) {
    if (text.empty())
        sink.null();
    else
        sink.string(text);
}

void describeItem(JsonSink& sink, const DecodedItem& item) {
    sink.beginObject();
    sink.key("offset");
    sink.integer(item.offset);
    sink.key("localTag");
    sink.string(tagText(item.localTag));
    sink.key("ul");
    if (item.label)
        sink.string(labelText(*item.label));
    else
        sink.null();
    sink.key("name");
    stringOrNull(sink, item.name);
    sink.key("type");
    stringOrNull(sink, item.type);
    sink.key("typeDefinition");
    if (item.definition)
        sink.string(item.definition->symbol);
    else
        sink.null();
    sink.key("value");
    if (item.value)
        describeValue(sink, *item.value);
    else
        sink.null();
    sink.key("raw");
    if (item.value)
        sink.null();
    else
        sink.string(hex(item.bytes));
    if (!item.weakTargets.empty()) {
        sink.key("weakTargets");
        sink.beginArray();
        for (const std::size_t target : item.weakTargets)
            if (target == kNoSet)
                sink.null();
            else
                sink.integer(target);
        sink.endArray();
    }
    if (!item.notes.empty()) {
        sink.key("notes");
        sink.beginArray();
        for (const std::string& note : item.notes)
            sink.string(note);
        sink.endArray();
    }
    if (item.fromFileDictionary) {
        sink.key("source");
        sink.string("file");
    }
    sink.endObject();
}

void describePartition(JsonSink& sink, const DecodedFile& file) {
    const PartitionPack& p = file.partition;
    sink.key("partition");
    sink.beginObject();
    sink.key("kind");
    sink.string(kindName(p.kind));
    sink.key("status");
    sink.string(statusText(p));
    const std::pair<const char*, std::uint64_t> numbers[] = {
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
        {"bodySID", p.bodySID}};
    for (const auto& [name, value] : numbers) {
        sink.key(name);
        sink.integer(value);
    }
    sink.key("operationalPattern");
    sink.string(labelText(p.operationalPattern));
    sink.key("essenceContainers");
    sink.beginArray();
    for (const Label& container : p.essenceContainers)
        sink.string(labelText(container));
    sink.endArray();
    if (p.kind != PartitionPack::Header) {
        sink.key("headerPartition");
        sink.beginObject();
        sink.key("offset");
        sink.integer(file.headerPartition.klv.offset);
        sink.key("status");
        sink.string(statusText(file.headerPartition));
        sink.endObject();
    }
    sink.endObject();
}

void describeSet(JsonSink& sink, const DecodedSet& set) {
    sink.beginObject();
    sink.key("offset");
    sink.integer(set.klv.offset);
    sink.key("key");
    sink.string(labelText(set.klv.key));
    sink.key("name");
    stringOrNull(sink, set.name);
    sink.key("instanceUID");
    if (set.instanceUID)
        sink.string(set.instanceUID->text());
    else
        sink.null();
    sink.key("items");
    sink.beginArray();
    for (const DecodedItem& item : set.items)
        describeItem(sink, item);
    sink.endArray();
    sink.key("raw");
    if (set.localSet)
        sink.null();
    else
        sink.string(hex(set.bytes));
    if (set.fromFileDictionary) {
        sink.key("source");
        sink.string("file");
    }
    sink.endObject();
}

// Flat, in depth-first order: a nested document could be deeper than any
// JSON reader recurses.
void describeTree(JsonSink& sink, const DecodedFile& file) {
    sink.key("tree");
    sink.beginArray();
    for (const TreeLine& line : strongReferenceTree(file)) {
        sink.beginObject();
        sink.key("depth");
        sink.integer(line.depth);
        sink.key("set");
        if (line.set == kNoSet)
            sink.null();
        else
            sink.integer(line.set);
        sink.key("via");
        if (line.parent == kNoSet)
            sink.null();
        else
            sink.string(file.sets[line.parent].items[line.item].name);
        sink.key("target");
        if (line.parent == kNoSet)
            sink.null();
        else
            sink.string(line.target.text());
        sink.key("repeated");
        sink.boolean(line.repeated);
        sink.endObject();
    }
    sink.endArray();
}

// {"formatVersion", "file", "partition", "primer", "sets", ["tree",] "problems"}
void describeRead(JsonSink& sink, const std::string& path, const DecodedFile& file, bool tree) {
    beginDocument(sink);
    sink.key("file");
    sink.string(path);
    describePartition(sink, file);
    sink.key("primer");
    if (file.primer) {
        sink.beginObject();
        sink.key("offset");
        sink.integer(file.primer->offset);
        sink.key("entries");
        sink.integer(file.primerEntries);
        sink.endObject();
    } else {
        sink.null();
    }
    sink.key("sets");
    sink.beginArray();
    for (const DecodedSet& set : file.sets)
        describeSet(sink, set);
    sink.endArray();
    if (tree)
        describeTree(sink, file);
    sink.key("problems");
    sink.beginArray();
    for (const Problem& problem : file.problems) {
        sink.beginObject();
        sink.key("kind");
        sink.string(problemKindName(problem.kind));
        sink.key("offset");
        sink.integer(problem.offset);
        sink.key("message");
        sink.string(problem.message);
        sink.endObject();
    }
    sink.endArray();
    sink.endObject();
}

// Gathers the many small pieces of the text in 64 KiB before they go to the
// stream they are for, which may write each piece through to the system.
class TextBuffer : public std::streambuf {
public:
    explicit TextBuffer(std::ostream& out) : out_(out) { setp(buffer_, buffer_ + sizeof buffer_); }
    TextBuffer(const TextBuffer&) = delete;
    TextBuffer& operator=(const TextBuffer&) = delete;

protected:
    int_type overflow(int_type c) override {
        sync();
        if (!traits_type::eq_int_type(c, traits_type::eof()))
            sputc(traits_type::to_char_type(c));
        return traits_type::not_eof(c);
    }
    int sync() override {
        out_.write(pbase(), pptr() - pbase());
        setp(buffer_, buffer_ + sizeof buffer_);
        return out_ ? 0 : -1;
    }

private:
    std::ostream& out_;
    char buffer_[1 << 16];
};

void printText(std::ostream& out, const std::string& path, const DecodedFile& file, bool tree) {
    out << "File:      " << shownFileName(path) << '\n';
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
        for (const Problem& problem : file.problems) {
            out << "    byte " << problem.offset << ": ";
            writeShown(out, problem.message);
            out << " [" << problemKindName(problem.kind) << "]\n";
        }
    }
}

} // namespace

void printRead(std::ostream& out, const std::string& path, const DecodedFile& file, bool tree) {
    TextBuffer buffer(out);
    std::ostream text(&buffer);
    printText(text, path, file, tree);
    text.flush();
}

void writeReadJson(std::ostream& out, const std::string& path, const DecodedFile& file, bool tree,
                   bool compact) {
    JsonStreamWriter sink(out, compact ? JsonStreamWriter::Layout::OneLine
                                       : JsonStreamWriter::Layout::Indented);
    describeRead(sink, path, file, tree);
    sink.finish();
}

} // namespace Output
} // namespace Palimo
