#include "RegXMLWalk.h"

#include "RegXMLText.h"

#include <Palimo/Identifiers/Hex.h>
#include <Palimo/MXF/FileDictionary.h>
#include <Palimo/Output/RegXML.h>

namespace Palimo {
namespace Output {
namespace {

using MXF::DecodedItem;
using MXF::DecodedSet;
using MXF::Value;
using TypeDefinitions::TypeDefinition;
using TypeDefinitions::TypeKind;

const std::string kAttributes = kRegXMLAttributesNamespace;

// Preface ByteOrder: written by name, not as the Int16 it is.
const Identifiers::Label kByteOrder({0x06, 0x0e, 0x2b, 0x34, 0x01, 0x01, 0x01, 0x01, 0x03, 0x01,
                                     0x02, 0x01, 0x02, 0x00, 0x00, 0x00});

std::string hexOf(const std::vector<std::uint8_t>& bytes) {
    return Identifiers::hexText(bytes.data(), bytes.size());
}

std::string byteOrderText(const Value& value) {
    const std::int64_t* number = std::get_if<std::int64_t>(&value.data);
    if (number && *number == 0x4d4d)
        return "BigEndian";
    if (number && *number == 0x4949)
        return "LittleEndian";
    return scalarText(value.data).value_or("");
}

bool isStrongReference(const Value& value) {
    return value.type && value.type->resolved().kind == TypeKind::StrongReference &&
           std::holds_alternative<Identifiers::UUID>(value.data);
}

} // namespace

RegXMLWalk::RegXMLWalk(const MXF::DecodedFile& file, const TypeDefinitions::TypeDictionary& types,
                       bool fileDefinitions, RegXMLSink& sink)
    : file_(file), types_(types), fileDefinitions_(fileDefinitions), sink_(sink), names_(types),
      onPath_(file.sets.size()), written_(file.sets.size()) {
    for (std::size_t i = 0; i < file.sets.size(); ++i)
        if (file.sets[i].instanceUID)
            byInstanceUID_.emplace(*file.sets[i].instanceUID, i);
}

void RegXMLWalk::walk(std::size_t root) {
    writeSet(root);
}

void RegXMLWalk::start(const XmlName& name) {
    sink_.useNamespace(name.namespaceURI);
    sink_.startElement(name.namespaceURI, name.localName);
}

bool RegXMLWalk::known(const DecodedSet& set) const {
    return set.set && (fileDefinitions_ || !set.fromFileDictionary);
}

bool RegXMLWalk::known(const DecodedItem& item) const {
    return item.element && (fileDefinitions_ || !item.fromFileDictionary);
}

bool RegXMLWalk::known(const TypeDefinition& type) const {
    return fileDefinitions_ || !file_.fileDictionary || !file_.fileDictionary->types().owns(&type);
}

const DecodedItem* RegXMLWalk::identifyingItem(const DecodedSet& set) const {
    const Identifiers::Label* identifier = types_.uniqueIdentifier(set.klv.key);
    if (!identifier)
        return nullptr;
    for (const DecodedItem& item : set.items)
        if (known(item) && item.label && item.value &&
            item.label->equalIgnoringVersion(*identifier))
            return &item;
    return nullptr;
}

void RegXMLWalk::writeSet(std::size_t index) {
    const DecodedSet& set = file_.sets[index];
    onPath_[index] = written_[index] = true;
    ++depth_;
    start(names_.ofSet(*set.set));
    const DecodedItem* identifying = identifyingItem(set);
    const std::optional<std::string> uid =
        identifying ? scalarText(identifying->value->data) : std::nullopt;
    if (uid)
        sink_.attribute(kAttributes, "uid", *uid);
    for (const DecodedItem& item : set.items) {
        writeItem(item);
        // The attribute's namespace counts as used once the item is written.
        if (uid && &item == identifying)
            sink_.useNamespace(kAttributes);
    }
    sink_.endElement();
    --depth_;
    onPath_[index] = false;
}

void RegXMLWalk::writeReferencedSet(const Identifiers::UUID& target) {
    const auto found = byInstanceUID_.find(target);
    if (found == byInstanceUID_.end()) {
        sink_.comment("Strong reference target " + target.urn() + " not found");
        return;
    }
    const std::size_t index = found->second;
    const DecodedSet& set = file_.sets[index];
    if (!known(set))
        sink_.comment("Set not in the dictionary\nKey: " + set.klv.key.urn() +
                      "\nInstanceID: " + target.urn());
    else if (onPath_[index])
        sink_.comment("Circular strong reference to the set with InstanceID " + target.urn());
    else if (written_[index])
        sink_.comment("Second strong reference to the set with InstanceID " + target.urn() +
                      ", written above");
    else if (depth_ >= kMaxRegXMLSetDepth)
        sink_.comment("Strong reference more than " + std::to_string(kMaxRegXMLSetDepth) +
                      " sets deep, not followed: " + target.urn());
    else
        writeSet(index);
}

void RegXMLWalk::writeItem(const DecodedItem& item) {
    if (!known(item)) {
        const std::string key =
            item.label
                ? Identifiers::AUID::fromLabel(*item.label).urn()
                : "local tag " + Identifiers::localTagText(item.localTag) + ", not in the primer";
        sink_.comment("Unknown property\nKey: " + key + "\nData: " + hexOf(item.bytes));
        return;
    }
    start(names_.ofElement(*item.element));
    if (!item.value)
        sink_.comment("Value not decoded\nData: " + hexOf(item.bytes));
    else if (!item.value->type)
        sink_.comment("Value without a type definition\nData: " + hexOf(item.bytes));
    else if (item.label && item.label->equalIgnoringVersion(kByteOrder))
        sink_.text(byteOrderText(*item.value));
    else
        writeContent(*item.value);
    sink_.endElement();
}

void RegXMLWalk::writeContent(const Value& value) {
    if (const auto* text = std::get_if<MXF::Text>(&value.data)) {
        const RegXMLString string = regxmlString(text->utf8);
        if (string.escaped) {
            sink_.useNamespace(kAttributes);
            sink_.attribute(kAttributes, "escape", "true");
        }
        sink_.text(string.text);
    } else if (const auto* uuid = std::get_if<Identifiers::UUID>(&value.data)) {
        if (isStrongReference(value))
            writeReferencedSet(*uuid);
        else if (value.type)
            writeIdentifier(*uuid, value.type->resolved());
        else
            sink_.text(uuid->urn());
    } else if (const auto* enumerated = std::get_if<MXF::Enumerated>(&value.data)) {
        sink_.text(*scalarText(value.data));
        if (!enumerated->known)
            sink_.comment("Undefined value " + std::to_string(enumerated->value));
    } else if (const auto* record = std::get_if<MXF::Record>(&value.data)) {
        writeRecord(*record, value.type);
    } else if (const auto* list = std::get_if<MXF::List>(&value.data)) {
        writeList(*list);
    } else if (const auto* indirect = std::get_if<MXF::Indirect>(&value.data)) {
        writeIndirect(*indirect);
    } else {
        sink_.text(scalarText(value.data).value_or(""));
    }
}

void RegXMLWalk::writeIdentifier(const Identifiers::UUID& uuid, const TypeDefinition& type) {
    // A weak reference to sets identified by something other than 16 bytes
    // (a package, by its UMID) holds the target's InstanceID; the reader puts
    // the identifier in its place when it finds the target.
    if (type.kind == TypeKind::WeakReference && type.target) {
        const Identifiers::Label* identifier = types_.uniqueIdentifier(*type.target);
        const TypeDefinition* identifierType =
            identifier ? types_.elementType(*identifier) : nullptr;
        const auto size = identifierType ? identifierType->fixedSize() : std::nullopt;
        if (size && *size != 16) {
            sink_.comment("Weak reference target with InstanceID " + uuid.urn() + " not found");
            return;
        }
    }
    sink_.text(uuid.urn());
}

void RegXMLWalk::writeRecord(const MXF::Record& record, const TypeDefinition* type) {
    // Members are in the record type's namespace.
    const std::string namespaceURI = type ? type->resolved().namespaceURI : std::string();
    for (const MXF::Field& field : record.fields) {
        start(XmlName{namespaceURI, field.name});
        writeContent(field.value);
        sink_.endElement();
    }
}

void RegXMLWalk::writeList(const MXF::List& list) {
    for (const Value& item : list.items) {
        if (isStrongReference(item)) {
            writeReferencedSet(std::get<Identifiers::UUID>(item.data));
            continue;
        }
        if (!item.type) {
            sink_.comment("Item without a type definition: " +
                          scalarText(item.data).value_or("not text"));
            continue;
        }
        start(typeName(*item.type));
        writeContent(item);
        sink_.endElement();
    }
}

void RegXMLWalk::writeIndirect(const MXF::Indirect& indirect) {
    if (!indirect.type || indirect.value.empty() || !known(*indirect.type)) {
        sink_.comment("Indirect value of a type not in the dictionary\nType: " +
                      Identifiers::AUID::fromLabel(indirect.typeLabel).urn() +
                      "\nData: " + hexOf(indirect.bytes));
        return;
    }
    // The type as the value names it, before renames.
    sink_.useNamespace(kAttributes);
    sink_.attribute(kAttributes, "actualType", indirect.type->symbol);
    writeContent(indirect.value[0]);
}

} // namespace Output
} // namespace Palimo
