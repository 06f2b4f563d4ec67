// Decoding of the header metadata with the dictionary.
#include <Palimo/MXF/FileReader.h>

#include <Palimo/Identifiers/Hex.h>
#include <Palimo/MXF/FileDictionary.h>
#include <Palimo/MXF/Limits.h>
#include <Palimo/Types/LocalTag.h>

#include <algorithm>

#include "ItemValues.h"
#include "Names.h"
#include "ProblemList.h"
#include "WeakReferences.h"
#include "filedictionary/DictionaryIndexes.h"

namespace Palimo {
namespace MXF {
namespace {

using Identifiers::localTagText;
using MetaMetadata::Dictionary;
using MetaMetadata::MetaElement;

// InstanceID, any version byte: every set may hold it.
const Label kInstanceUID({0x06, 0x0e, 0x2b, 0x34, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x15, 0x02,
                          0x00, 0x00, 0x00, 0x00});

// Decodes the sets of `metadata`, whose item bytes it takes over, one set at
// a time: the raw and the decoded header metadata are never held whole at once.
class Decoder {
public:
    Decoder(HeaderMetadata& metadata, const Dictionary& dictionary,
            const TypeDefinitions::TypeDictionary* types, const DictionaryIndex* index,
            DecodedFile& file)
        : metadata_(metadata), dictionary_(dictionary),
          indexes_(index ? &index->indexes() : nullptr),
          loaded_(indexes_ ? &indexes_->loaded : nullptr),
          fileDictionary_(file.fileDictionary.get()),
          types_(fileDictionary_ ? &fileDictionary_->types() : types), file_(file),
          problems_(file.problems, file.problemsNotKept) {
        // A primer that is missing or malformed is one problem, not one for
        // each item whose tag it cannot give.
        primerDamaged_ =
            std::any_of(metadata.problems.begin(), metadata.problems.end(),
                        [](const Problem& p) { return p.kind == Problem::Kind::MalformedPrimer; });
    }

    void run() {
        if (metadata_.primer)
            for (std::uint16_t tag : metadata_.primer->repeatedTags())
                problem(Problem::Kind::RepeatedPrimerTag, metadata_.primer->klv().offset,
                        "the primer pack lists local tag " + localTagText(tag) + " more than once");
        if (fileDictionary_)
            for (const Problem& refused : fileDictionary_->problems())
                problem(refused.kind, refused.offset, refused.message);
        file_.sets.reserve(metadata_.sets.size());
        for (RawSet& raw : metadata_.sets) {
            file_.sets.push_back(decodeSet(raw));
            raw = RawSet();
        }
        resolveWeakReferences(file_, types_);
    }

private:
    void problem(Problem::Kind kind, std::uint64_t offset, std::string message) {
        problems_.add(kind, offset, std::move(message));
    }

    static std::string where(const DecodedSet& set) {
        return (set.name.empty() ? "set " + set.klv.key.dotted() : set.name) + " at byte " +
               std::to_string(set.klv.offset);
    }

    DecodedSet decodeSet(RawSet& raw) {
        DecodedSet set;
        set.klv = raw.klv;
        set.localSet = raw.localSet;
        set.set = loaded_ ? loaded_->sets.find(raw.klv.key, &set.exactKey)
                          : dictionary_.findMetaMetadataSetIgnoringVersion(
                                KLV::Key(raw.klv.key.bytes()), &set.exactKey);
        // The file's own dictionary adds classes, and members to the dictionary's.
        const MetaMetadata::MetaMetadataSet* own =
            fileDictionary_ ? fileDictionary_->findSet(raw.klv.key) : nullptr;
        if (own) {
            if (!set.set)
                set.exactKey = Label(own->key().bytes()) == raw.klv.key;
            set.set = own;
            set.fromFileDictionary = fileDictionary_->adds(own);
        }
        if (set.set)
            set.name = nameOf(*set.set);
        else
            problem(Problem::Kind::UnknownSet, raw.klv.offset,
                    "set key " + raw.klv.key.dotted() + " is not in the dictionary");
        if (!raw.localSet) {
            set.bytes = std::move(raw.value);
            return set;
        }
        set.items.reserve(raw.items.size());
        for (RawItem& item : raw.items) {
            set.items.push_back(decodeItem(set, item, own != nullptr));
            DecodedItem& decoded = set.items.back();
            if (!set.instanceUID && decoded.label &&
                decoded.label->equalIgnoringVersion(kInstanceUID) && item.value.size() == 16)
                set.instanceUID = Identifiers::UUID::fromBytes(item.value.data());
            decoded.bytes = std::move(item.value);
        }
        return set;
    }

    // The label of a local tag: the primer's, else for a static tag the
    // dictionary's.
    std::optional<Label> labelOf(const DecodedSet& set, const RawItem& item) {
        if (metadata_.primer)
            if (const Label* label = metadata_.primer->find(item.tag))
                return *label;
        std::optional<Label> label;
        if (item.tag < 0x8000)
            if (const Types::UniversalLabel* known =
                    dictionary_.findLabelByLocalTag(Types::LocalTag(item.tag)))
                label = Label(known->array());
        if (!primerDamaged_)
            problem(Problem::Kind::TagNotInPrimer, item.offset,
                    where(set) + ": local tag " + localTagText(item.tag) +
                        " is not in the primer pack" +
                        (label ? "; read as the dictionary's " + label->dotted() : ""));
        return label;
    }

    // `own`: the set is the file's own dictionary's, which indexes its members.
    bool allowed(const DecodedSet& set, const MetaElement& element, bool own) const {
        if (Label(element.universalLabel().array()).equalIgnoringVersion(kInstanceUID))
            return true;
        if (own)
            return fileDictionary_->holds(*set.set, Label(element.universalLabel().array()));
        // The dictionary's members are its elements themselves: compared by
        // address first, by label only for an item no member is.
        for (const auto& attribute : set.set->attributes())
            if (&attribute->metaElement() == &element)
                return true;
        for (const auto& attribute : set.set->attributes())
            if (attribute->metaElement().universalLabel() == element.universalLabel())
                return true;
        return false;
    }

    DecodedItem decodeItem(const DecodedSet& set, const RawItem& raw, bool ownSet) {
        DecodedItem item;
        item.offset = raw.offset;
        item.localTag = raw.tag;
        item.label = labelOf(set, raw);
        if (!item.label)
            return item;
        item.element = loaded_ ? loaded_->elements.find(*item.label, &item.exactLabel)
                               : dictionary_.findMetaElementIgnoringVersion(
                                     Types::UniversalLabel(item.label->bytes()), &item.exactLabel);
        if (!item.element && fileDictionary_) {
            item.element = fileDictionary_->findElement(*item.label);
            item.fromFileDictionary = item.element != nullptr;
            item.exactLabel =
                !item.element || Label(item.element->universalLabel().array()) == *item.label;
        }
        // Made only for a problem: most items have none.
        const auto itemText = [&] {
            return "item " + localTagText(raw.tag) + " (" + item.label->dotted();
        };
        if (!item.element) {
            if (set.set)
                problem(Problem::Kind::UnknownItem, raw.offset,
                        where(set) + ": " + itemText() + ") is not in the dictionary");
            return item;
        }
        item.name = nameOf(*item.element);
        if (set.set && !allowed(set, *item.element, ownSet))
            problem(Problem::Kind::ItemNotAllowed, raw.offset,
                    where(set) + ": " + itemText() + ", " + item.name +
                        ") is no member of the set");

        ItemValue value =
            decodeItemValue(*item.element, *item.label, types_, raw.value, !valuesFull_);
        item.type = std::move(value.type);
        item.definition = value.definition;
        item.reference = value.reference;
        if (value.decoded.value && !keepsWithinLimit(*value.decoded.value, raw.offset))
            return item;
        item.value = std::move(value.decoded.value);
        item.notes = std::move(value.decoded.notes);
        if (!value.decoded.problem.empty())
            problem(Problem::Kind::BadValue, raw.offset,
                    where(set) + ": " + item.name + " (" + localTagText(raw.tag) +
                        "): " + value.decoded.problem);
        return item;
    }

    // Whether the decoded values, with `value`, stay within the limit; past
    // it, no further item is decoded.
    bool keepsWithinLimit(const Value& value, std::uint64_t offset) {
        decodedBytes_ += decodedSize(value);
        if (decodedBytes_ <= Limits::kDecodedValueBytes)
            return true;
        valuesFull_ = true;
        problem(Problem::Kind::OverLimit, offset,
                "the decoded values take more than the limit of " +
                    std::to_string(Limits::kDecodedValueBytes) + " bytes: the items from byte " +
                    std::to_string(offset) + " on are not decoded, only their bytes are kept");
        return false;
    }

    template <class Entry>
    std::string nameOf(const Entry& entry) const {
        if (indexes_)
            if (const std::string* name = indexes_->entryName(&entry))
                return *name;
        return entryName(entry);
    }

    HeaderMetadata& metadata_;
    const Dictionary& dictionary_;
    const DictionaryIndex::Indexes* indexes_; // null: no index
    // The dictionary's entries by label, when files are read through an
    // index: one hash lookup for each set and item.
    const Definitions::LoadedIndex* loaded_;
    const FileDictionary* fileDictionary_;
    const TypeDefinitions::TypeDictionary* types_; // the file dictionary's, when there is one
    DecodedFile& file_;
    ProblemList problems_;
    bool primerDamaged_ = false;
    std::size_t decodedBytes_ = 0;
    bool valuesFull_ = false;
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
    case Problem::Kind::UnreadableKlv:
        return "unreadableKlv";
    case Problem::Kind::MalformedSet:
        return "malformedSet";
    case Problem::Kind::MalformedPrimer:
        return "malformedPrimer";
    case Problem::Kind::Truncated:
        return "truncated";
    case Problem::Kind::OverLimit:
        return "overLimit";
    case Problem::Kind::FileDictionary:
        return "fileDictionary";
    }
    return "";
}

bool isStructural(Problem::Kind kind) {
    return kind >= Problem::Kind::UnreadableKlv && kind <= Problem::Kind::OverLimit;
}

const TypeDefinitions::TypeDictionary&
decodingTypes(const DecodedFile& file, const TypeDefinitions::TypeDictionary& loaded) {
    return file.fileDictionary ? file.fileDictionary->types() : loaded;
}

namespace {

// `index`: the loaded dictionaries indexed for the file's own dictionary;
// null to index them only when the file has one.
DecodedFile decode(HeaderMetadata&& metadata, const Dictionary& dictionary,
                   const TypeDefinitions::TypeDictionary* types, const DictionaryIndex* index,
                   FileDefinitions definitions) {
    DecodedFile file;
    file.runIn = metadata.runIn;
    file.headerPartition = metadata.headerPartition;
    file.partition = metadata.partition;
    if (metadata.primer) {
        file.primer = metadata.primer->klv();
        file.primerEntries = metadata.primer->size();
    }
    file.notes = std::move(metadata.notes);
    file.problems = metadata.problems;
    file.problemsNotKept = metadata.problemsNotKept;
    if (definitions == FileDefinitions::Use)
        file.fileDictionary = index ? FileDictionary::read(metadata, *index)
                                    : FileDictionary::read(metadata, dictionary, types);
    Decoder(metadata, dictionary, types, index, file).run();
    return file;
}

DecodedFile checked(DecodedFile file) {
    checkHeaderMetadata(file);
    if (file.problemsNotKept > 0)
        file.notes.push_back(std::to_string(file.problemsNotKept) +
                             " more problems were found and not kept (the limit is " +
                             std::to_string(Limits::kProblems) + " problems)");
    return file;
}

} // namespace

DecodedFile decodeHeaderMetadata(HeaderMetadata&& metadata, const Dictionary& dictionary,
                                 const TypeDefinitions::TypeDictionary* types,
                                 FileDefinitions definitions) {
    return decode(std::move(metadata), dictionary, types, nullptr, definitions);
}

DecodedFile decodeHeaderMetadata(const HeaderMetadata& metadata, const Dictionary& dictionary,
                                 const TypeDefinitions::TypeDictionary* types,
                                 FileDefinitions definitions) {
    return decodeHeaderMetadata(HeaderMetadata(metadata), dictionary, types, definitions);
}

DecodedFile decodeHeaderMetadata(HeaderMetadata&& metadata, const DictionaryIndex& index,
                                 FileDefinitions definitions) {
    return decode(std::move(metadata), index.dictionary(), index.types(), &index, definitions);
}

DecodedFile readMXFFile(const ByteSource& source, const Dictionary& dictionary,
                        const TypeDefinitions::TypeDictionary* types, PartitionChoice choice,
                        FileDefinitions definitions) {
    return checked(
        decodeHeaderMetadata(readHeaderMetadata(source, choice), dictionary, types, definitions));
}

DecodedFile readMXFFile(const std::string& path, const Dictionary& dictionary,
                        const TypeDefinitions::TypeDictionary* types, PartitionChoice choice,
                        FileDefinitions definitions) {
    return readMXFFile(*openSource(path), dictionary, types, choice, definitions);
}

DecodedFile readMXFFile(const ByteSource& source, const DictionaryIndex& index,
                        PartitionChoice choice, FileDefinitions definitions) {
    return checked(decodeHeaderMetadata(readHeaderMetadata(source, choice), index, definitions));
}

DecodedFile readMXFFile(const std::string& path, const DictionaryIndex& index,
                        PartitionChoice choice, FileDefinitions definitions) {
    return readMXFFile(*openSource(path), index, choice, definitions);
}

} // namespace MXF
} // namespace Palimo
