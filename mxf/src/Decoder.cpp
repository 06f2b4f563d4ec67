// Decoding of the header metadata with the dictionary.
#include <Palimo/MXF/FileReader.h>

#include <Palimo/MXF/TextForms.h>
#include <Palimo/MXF/ValueDecoder.h>
#include <Palimo/MetaMetadata/Visitors.h>
#include <Palimo/Types/LocalTag.h>

#include "Names.h"

namespace Palimo {
namespace MXF {
namespace {

using MetaMetadata::Dictionary;
using MetaMetadata::MetaElement;
using namespace Types::Identifiers;

const Label kInstanceUID = {0x06, 0x0e, 0x2b, 0x34, 0x01, 0x01, 0x01, 0x01,
                            0x01, 0x01, 0x15, 0x02, 0x00, 0x00, 0x00, 0x00};

class Decoder {
public:
    Decoder(const HeaderMetadata& metadata, const Dictionary& dictionary, DecodedFile& file)
        : metadata_(metadata), dictionary_(dictionary), file_(file) {}

    void run() {
        if (metadata_.primer)
            for (std::uint16_t tag : metadata_.primer->repeatedTags())
                problem(Problem::Kind::RepeatedPrimerTag, metadata_.primer->klv().offset,
                        "the primer pack lists local tag " + tagText(tag) + " more than once");
        for (const RawSet& raw : metadata_.sets)
            file_.sets.push_back(decodeSet(raw));
    }

private:
    void problem(Problem::Kind kind, std::uint64_t offset, std::string message) {
        file_.problems.push_back(Problem{kind, offset, std::move(message)});
    }

    static std::string where(const DecodedSet& set) {
        return (set.name.empty() ? "set " + labelText(set.klv.key) : set.name) + " at byte " +
               std::to_string(set.klv.offset);
    }

    DecodedSet decodeSet(const RawSet& raw) {
        DecodedSet set;
        set.klv = raw.klv;
        set.localSet = raw.localSet;
        set.set =
            dictionary_.findMetaMetadataSetIgnoringVersion(KLV::Key(raw.klv.key), &set.exactKey);
        if (set.set)
            set.name = entryName(*set.set);
        else
            problem(Problem::Kind::UnknownSet, raw.klv.offset,
                    "set key " + labelText(raw.klv.key) + " is not in the dictionary");
        if (!raw.localSet) {
            set.bytes = raw.value;
            return set;
        }
        for (const RawItem& item : raw.items) {
            set.items.push_back(decodeItem(set, item));
            const DecodedItem& decoded = set.items.back();
            if (!set.instanceUID && decoded.label &&
                equalIgnoringVersion(*decoded.label, kInstanceUID) && item.value.size() == 16)
                set.instanceUID = uuidText(item.value.data());
        }
        return set;
    }

    // The label of a local tag: the primer's, else for a static tag the
    // dictionary's.
    std::optional<Label> labelOf(const DecodedSet& set, const RawItem& item) {
        if (metadata_.primer)
            if (const Label* label = metadata_.primer->find(item.tag))
                return *label;
        std::string message =
            where(set) + ": local tag " + tagText(item.tag) + " is not in the primer pack";
        std::optional<Label> label;
        if (item.tag < 0x8000)
            if (const Types::UniversalLabel* known =
                    dictionary_.findLabelByLocalTag(Types::LocalTag(item.tag))) {
                label = known->array();
                message += "; read as the dictionary's " + labelText(*label);
            }
        problem(Problem::Kind::TagNotInPrimer, item.offset, message);
        return label;
    }

    bool allowed(const DecodedSet& set, const MetaElement& element) const {
        for (const auto& attribute : set.set->attributes())
            if (attribute->metaElement().universalLabel() == element.universalLabel())
                return true;
        return false;
    }

    DecodedItem decodeItem(const DecodedSet& set, const RawItem& raw) {
        DecodedItem item;
        item.offset = raw.offset;
        item.localTag = raw.tag;
        item.bytes = raw.value;
        item.label = labelOf(set, raw);
        if (!item.label)
            return item;
        item.element = dictionary_.findMetaElementIgnoringVersion(
            Types::UniversalLabel(*item.label), &item.exactLabel);
        const std::string itemText = "item " + tagText(raw.tag) + " (" + labelText(*item.label);
        if (!item.element) {
            if (set.set)
                problem(Problem::Kind::UnknownItem, raw.offset,
                        where(set) + ": " + itemText + ") is not in the dictionary");
            return item;
        }
        item.name = entryName(*item.element);
        if (set.set && !allowed(set, *item.element))
            problem(Problem::Kind::ItemNotAllowed, raw.offset,
                    where(set) + ": " + itemText + ", " + item.name + ") is no member of the set");

        const Identifier type = item.element->dataType();
        Identifier subType = NoIdentifier;
        MetaMetadata::GetMetaElementVisitor<MetaMetadata::MetaCollectionElement> collection;
        item.element->accept(collection);
        if (collection.result())
            subType = collection.result()->dataSubType();
        item.type = identifierName(type);
        if (collection.result())
            item.type += " of " + identifierName(subType);
        if (type == StrongReference || subType == StrongReference)
            item.reference = DecodedItem::Reference::Strong;
        else if (type == WeakReference || subType == WeakReference)
            item.reference = DecodedItem::Reference::Weak;

        DecodedValue decoded = decodeValue(type, subType, raw.value.data(), raw.value.size());
        item.value = std::move(decoded.value);
        if (!decoded.problem.empty())
            problem(Problem::Kind::BadValue, raw.offset,
                    where(set) + ": " + item.name + " (" + tagText(raw.tag) +
                        "): " + decoded.problem);
        return item;
    }

    const HeaderMetadata& metadata_;
    const Dictionary& dictionary_;
    DecodedFile& file_;
};

} // namespace

const char* problemKindName(Problem::Kind kind) {
    switch (kind) {
    case Problem::Kind::UnknownSet:
        return "unknownSet";
    case Problem::Kind::UnknownItem:
        return "unknownItem";
    case Problem::Kind::ItemNotAllowed:
        return "itemNotAllowed";
    case Problem::Kind::MissingRequired:
        return "missingRequired";
    case Problem::Kind::BadValue:
        return "badValue";
    case Problem::Kind::TagNotInPrimer:
        return "tagNotInPrimer";
    case Problem::Kind::RepeatedPrimerTag:
        return "repeatedPrimerTag";
    case Problem::Kind::DuplicateInstanceUID:
        return "duplicateInstanceUID";
    case Problem::Kind::DanglingReference:
        return "danglingReference";
    case Problem::Kind::SharedReference:
        return "sharedReference";
    case Problem::Kind::WrongTarget:
        return "wrongTarget";
    case Problem::Kind::ReferenceCycle:
        return "referenceCycle";
    }
    return "";
}

DecodedFile decodeHeaderMetadata(const HeaderMetadata& metadata, const Dictionary& dictionary) {
    DecodedFile file;
    file.runIn = metadata.runIn;
    file.headerPartition = metadata.headerPartition;
    file.partition = metadata.partition;
    if (metadata.primer) {
        file.primer = metadata.primer->klv();
        file.primerEntries = metadata.primer->size();
    }
    file.notes = metadata.notes;
    Decoder(metadata, dictionary, file).run();
    return file;
}

DecodedFile readMXFFile(const ByteSource& source, const Dictionary& dictionary) {
    DecodedFile file = decodeHeaderMetadata(readHeaderMetadata(source), dictionary);
    checkHeaderMetadata(file);
    return file;
}

DecodedFile readMXFFile(const std::string& path, const Dictionary& dictionary) {
    return readMXFFile(FileSource(path), dictionary);
}

} // namespace MXF
} // namespace Palimo
