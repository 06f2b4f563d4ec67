#include "RegisterReader.h"

#include "RegisterDocument.h"

#include <Palimo/Identifiers/Hex.h>

#include <map>
#include <sstream>

namespace Palimo {
namespace Registers {
namespace {

using xercesc::DOMElement;

// The first child element of each local name.
class Fields {
public:
    explicit Fields(const DOMElement* parent) {
        for (const DOMElement* child : childElements(parent))
            byName_.emplace(localName(child), child);
    }
    const DOMElement* element(const std::string& name) const {
        const auto it = byName_.find(name);
        return it == byName_.end() ? nullptr : it->second;
    }
    std::optional<std::string> text(const std::string& name) const {
        const DOMElement* e = element(name);
        return e ? std::optional<std::string>(trimmedText(e)) : std::nullopt;
    }
    std::string textOr(const std::string& name, const std::string& fallback = "") const {
        return text(name).value_or(fallback);
    }

private:
    std::map<std::string, const DOMElement*> byName_;
};

std::optional<bool> readFlag(const Fields& fields, const std::string& name,
                             const EntryPlace& place) {
    const std::optional<std::string> text = fields.text(name);
    if (!text)
        return std::nullopt;
    if (*text == "true")
        return true;
    if (*text == "false")
        return false;
    throwMalformed(place, name + " \"" + *text + "\" is neither true nor false");
}

std::optional<Label> readLabel(const Fields& fields, const std::string& name,
                               const EntryPlace& place) {
    const std::optional<std::string> text = fields.text(name);
    if (!text)
        return std::nullopt;
    const std::optional<Label> label = parseRegisterLabel(*text);
    if (!label)
        throwMalformed(place, name + " \"" + *text + "\" is no universal label");
    return label;
}

std::string required(const Fields& fields, const std::string& name, const EntryPlace& place) {
    const std::optional<std::string> text = fields.text(name);
    if (!text || text->empty())
        throwMalformed(place, "no " + name);
    return *text;
}

void readCommon(const Fields& fields, EntryCommon& entry) {
    entry.symbol = fields.textOr("Symbol");
    entry.place.symbol = entry.symbol;
    const std::optional<Label> ul = readLabel(fields, "UL", entry.place);
    if (!ul)
        throwMalformed(entry.place, "no UL");
    entry.ul = *ul;
    required(fields, "Symbol", entry.place);
    entry.namespaceName = required(fields, "NamespaceName", entry.place);
    entry.name = fields.textOr("Name");
    entry.definition = fields.textOr("Definition");
    entry.leaf = fields.textOr("Kind", "LEAF") != "NODE";
    entry.deprecated = readFlag(fields, "IsDeprecated", entry.place).value_or(false);
}

// The entries of a register file, each read by `readEntry` (Fields, place).
template <class Entry, class ReadEntry>
std::vector<Entry> readRegisterFile(const std::filesystem::path& path, const char* rootName,
                                    std::string* revision, ReadEntry readEntry) {
    const std::string fileName = path.filename().string();
    const RegisterDocument document(path, fileName);
    if (revision)
        *revision = document.revision();
    if (localName(document.root()) != rootName)
        throw RegisterError(fileName + ": the root element is " + localName(document.root()) +
                                ", not " + rootName,
                            __FILE__, __LINE__);
    std::vector<Entry> entries;
    std::map<Label, std::size_t> byLabel;
    for (const DOMElement* list : childElements(document.root())) {
        if (localName(list) != "Entries")
            continue;
        for (const DOMElement* item : childElements(list)) {
            if (localName(item) != "Entry")
                continue;
            Entry entry;
            entry.place = EntryPlace{fileName, entries.size() + 1, std::string()};
            const Fields fields(item);
            readCommon(fields, entry);
            readEntry(fields, entry);
            const auto [it, added] = byLabel.emplace(entry.ul, entries.size());
            if (!added)
                throwMalformed(entry.place, "UL " + entry.ul.dotted() + " is also that of " +
                                                entries[it->second].place.text());
            entries.push_back(std::move(entry));
        }
    }
    return entries;
}

GroupRecord readRecord(const DOMElement* record, const EntryPlace& group, std::size_t number) {
    const EntryPlace place{group.file, group.entry,
                           group.symbol + ", Contents record " + std::to_string(number)};
    const Fields fields(record);
    GroupRecord result;
    const std::optional<Label> ul = readLabel(fields, "UL", place);
    if (!ul)
        throwMalformed(place, "no UL");
    result.ul = *ul;
    if (const std::optional<std::string> tag = fields.text("LocalTag")) {
        result.localTag = Identifiers::parseLocalTag(*tag);
        if (!result.localTag)
            throwMalformed(place, "LocalTag \"" + *tag + "\" is no local tag");
    }
    result.optional = readFlag(fields, "IsOptional", place).value_or(true);
    result.uniqueID = readFlag(fields, "IsUniqueID", place).value_or(false);
    result.value = fields.textOr("Value");
    return result;
}

void readGroup(const Fields& fields, GroupEntry& group) {
    group.parent = readLabel(fields, "Parent", group.place);
    group.concrete = readFlag(fields, "IsConcrete", group.place);
    std::istringstream syntax(fields.textOr("KLVSyntax"));
    for (std::string byte; syntax >> byte;)
        group.klvSyntax.push_back(byte);
    if (const DOMElement* contents = fields.element("Contents")) {
        for (const DOMElement* record : childElements(contents))
            if (localName(record) == "Record")
                group.contents.push_back(
                    readRecord(record, group.place, group.contents.size() + 1));
    }
}

TypeFacet readFacet(const DOMElement* facet, const EntryPlace& type, std::size_t number) {
    const EntryPlace place{type.file, type.entry,
                           type.symbol + ", facet " + std::to_string(number)};
    const Fields fields(facet);
    TypeFacet result;
    result.symbol = fields.textOr("Symbol");
    result.name = fields.textOr("Name");
    result.value = fields.textOr("Value");
    result.type = readLabel(fields, "Type", place);
    result.deprecated = readFlag(fields, "IsDeprecated", place).value_or(false);
    return result;
}

void readType(const Fields& fields, TypeEntry& type) {
    type.typeKind = fields.textOr("TypeKind");
    type.baseType = readLabel(fields, "BaseType", type.place);
    if (const std::optional<std::string> size = fields.text("TypeSize")) {
        if (size->empty() || size->size() > 9 ||
            size->find_first_not_of("0123456789") != std::string::npos)
            throwMalformed(type.place, "TypeSize \"" + *size + "\" is no number");
        type.typeSize = static_cast<unsigned>(std::stoul(*size));
    }
    type.qualifiers = fields.textOr("TypeQualifiers");
    if (const DOMElement* facets = fields.element("Facets")) {
        for (const DOMElement* facet : childElements(facets))
            if (localName(facet) == "Facet")
                type.facets.push_back(readFacet(facet, type.place, type.facets.size() + 1));
    }
}

} // namespace

bool GroupEntry::isLocalSet() const {
    for (const std::string& byte : klvSyntax)
        if (byte == "53")
            return true;
    return false;
}

std::vector<ElementEntry> readElementsRegister(const std::filesystem::path& path,
                                               std::string* revision) {
    return readRegisterFile<ElementEntry>(
        path, "ElementsRegister", revision, [](const Fields& fields, ElementEntry& element) {
            element.type = readLabel(fields, "Type", element.place);
            element.valueLength = fields.textOr("ValueLength");
        });
}

std::vector<GroupEntry> readGroupsRegister(const std::filesystem::path& path,
                                           std::string* revision) {
    return readRegisterFile<GroupEntry>(path, "GroupsRegister", revision, readGroup);
}

std::vector<TypeEntry> readTypesRegister(const std::filesystem::path& path, std::string* revision) {
    return readRegisterFile<TypeEntry>(path, "TypesRegister", revision, readType);
}

std::vector<LabelEntry> readLabelsRegister(const std::filesystem::path& path,
                                           std::string* revision) {
    return readRegisterFile<LabelEntry>(path, "LabelsRegister", revision,
                                        [](const Fields&, LabelEntry&) {});
}

Registers readRegisters(const std::filesystem::path& directory) {
    Registers registers;
    std::string revision;
    registers.elements = readElementsRegister(directory / "Elements.xml", &revision);
    registers.revisions.emplace_back("Elements.xml", revision);
    registers.groups = readGroupsRegister(directory / "Groups.xml", &revision);
    registers.revisions.emplace_back("Groups.xml", revision);
    registers.types = readTypesRegister(directory / "Types.xml", &revision);
    registers.revisions.emplace_back("Types.xml", revision);
    const std::filesystem::path labels = directory / "Labels.xml";
    std::error_code error;
    registers.hasLabels = std::filesystem::exists(labels, error);
    if (registers.hasLabels) {
        registers.labels = readLabelsRegister(labels, &revision);
        registers.revisions.emplace_back("Labels.xml", revision);
    }
    return registers;
}

} // namespace Registers
} // namespace Palimo
