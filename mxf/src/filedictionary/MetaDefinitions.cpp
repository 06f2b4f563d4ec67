#include "MetaDefinitions.h"

#include "../values/Texts.h"

#include <Palimo/Identifiers/Hex.h>

#include <unordered_map>

namespace Palimo {
namespace MXF {
namespace Definitions {
namespace {

using TypeDefinitions::TypeKind;

// The items that definition sets hold, by the last bytes of their labels;
// the registers give every one a static local tag.
enum class Field {
    InstanceID,
    Identification,
    Name,
    Description,
    ParentClass,
    Properties,
    IsConcrete,
    PropertyType,
    IsOptional,
    LocalIdentification,
    IsUniqueIdentifier,
    MemberOf,
    Size,
    IsSigned,
    ReferencedType,
    WeakReferencedType,
    ElementType,
    ElementNames,
    ElementValues,
    FixedArrayElementType,
    ElementCount,
    VariableArrayElementType,
    SetElementType,
    StringElementType,
    MemberTypes,
    MemberNames,
    RenamedType,
    ExtendibleElementNames,
    ExtendibleElementValues,
    SymbolSpaceURI,
    MetaDefinitions
};

struct KnownItem {
    const char* label; // any version byte
    std::uint16_t tag;
    Field field;
};

constexpr KnownItem kItems[] = {
    {"06.0e.2b.34.01.01.01.01.01.01.15.02.00.00.00.00", 0x3c0a, Field::InstanceID},
    {"06.0e.2b.34.01.01.01.02.06.01.01.07.13.00.00.00", 0x0005, Field::Identification},
    {"06.0e.2b.34.01.01.01.02.03.02.04.01.02.01.00.00", 0x0006, Field::Name},
    {"06.0e.2b.34.01.01.01.02.06.01.01.07.14.01.00.00", 0x0007, Field::Description},
    {"06.0e.2b.34.01.01.01.02.06.01.01.07.01.00.00.00", 0x0008, Field::ParentClass},
    {"06.0e.2b.34.01.01.01.02.06.01.01.07.02.00.00.00", 0x0009, Field::Properties},
    {"06.0e.2b.34.01.01.01.02.06.01.01.07.03.00.00.00", 0x000a, Field::IsConcrete},
    {"06.0e.2b.34.01.01.01.02.06.01.01.07.04.00.00.00", 0x000b, Field::PropertyType},
    {"06.0e.2b.34.01.01.01.02.03.01.02.02.01.00.00.00", 0x000c, Field::IsOptional},
    {"06.0e.2b.34.01.01.01.02.06.01.01.07.05.00.00.00", 0x000d, Field::LocalIdentification},
    {"06.0e.2b.34.01.01.01.02.06.01.01.07.06.00.00.00", 0x000e, Field::IsUniqueIdentifier},
    {"06.0e.2b.34.01.01.01.0d.06.01.01.07.22.00.00.00", 0x002b, Field::MemberOf},
    {"06.0e.2b.34.01.01.01.02.03.01.02.03.01.00.00.00", 0x000f, Field::Size},
    {"06.0e.2b.34.01.01.01.02.03.01.02.03.02.00.00.00", 0x0010, Field::IsSigned},
    {"06.0e.2b.34.01.01.01.02.06.01.01.07.09.00.00.00", 0x0011, Field::ReferencedType},
    {"06.0e.2b.34.01.01.01.02.06.01.01.07.0a.00.00.00", 0x0012, Field::WeakReferencedType},
    {"06.0e.2b.34.01.01.01.02.06.01.01.07.0b.00.00.00", 0x0014, Field::ElementType},
    {"06.0e.2b.34.01.01.01.02.03.01.02.03.04.00.00.00", 0x0015, Field::ElementNames},
    {"06.0e.2b.34.01.01.01.02.03.01.02.03.05.00.00.00", 0x0016, Field::ElementValues},
    {"06.0e.2b.34.01.01.01.02.06.01.01.07.0c.00.00.00", 0x0017, Field::FixedArrayElementType},
    {"06.0e.2b.34.01.01.01.02.03.01.02.03.03.00.00.00", 0x0018, Field::ElementCount},
    {"06.0e.2b.34.01.01.01.02.06.01.01.07.0d.00.00.00", 0x0019, Field::VariableArrayElementType},
    {"06.0e.2b.34.01.01.01.02.06.01.01.07.0e.00.00.00", 0x001a, Field::SetElementType},
    {"06.0e.2b.34.01.01.01.02.06.01.01.07.0f.00.00.00", 0x001b, Field::StringElementType},
    {"06.0e.2b.34.01.01.01.02.06.01.01.07.11.00.00.00", 0x001c, Field::MemberTypes},
    {"06.0e.2b.34.01.01.01.02.03.01.02.03.06.00.00.00", 0x001d, Field::MemberNames},
    {"06.0e.2b.34.01.01.01.02.06.01.01.07.12.00.00.00", 0x001e, Field::RenamedType},
    {"06.0e.2b.34.01.01.01.02.03.01.02.03.07.00.00.00", 0x001f, Field::ExtendibleElementNames},
    {"06.0e.2b.34.01.01.01.02.03.01.02.03.08.00.00.00", 0x0020, Field::ExtendibleElementValues},
    {"06.0e.2b.34.01.01.01.0d.06.01.01.07.1c.00.00.00", 0x0025, Field::SymbolSpaceURI},
    {"06.0e.2b.34.01.01.01.0d.06.01.01.07.1f.00.00.00", 0x0028, Field::MetaDefinitions},
};

// The definition sets, by byte 14 of their keys
// (06.0e.2b.34.02.53.01.vv.0d.01.01.01.02.xx.00.00).
enum class SetKind { Class, Property, Type, Scheme };
struct KnownSet {
    std::uint8_t byte;
    SetKind kind;
    TypeKind typeKind;
};
constexpr KnownSet kSets[] = {
    {0x01, SetKind::Class, TypeKind::Opaque},
    {0x02, SetKind::Property, TypeKind::Opaque},
    {0x04, SetKind::Type, TypeKind::Integer},
    {0x05, SetKind::Type, TypeKind::StrongReference},
    {0x06, SetKind::Type, TypeKind::WeakReference},
    {0x07, SetKind::Type, TypeKind::Enumeration},
    {0x08, SetKind::Type, TypeKind::FixedArray},
    {0x09, SetKind::Type, TypeKind::VariableArray},
    {0x0a, SetKind::Type, TypeKind::Set},
    {0x0b, SetKind::Type, TypeKind::String},
    {0x0c, SetKind::Type, TypeKind::Stream},
    {0x0d, SetKind::Type, TypeKind::Record},
    {0x0e, SetKind::Type, TypeKind::Rename},
    {0x20, SetKind::Type, TypeKind::ExtendibleEnumeration},
    {0x21, SetKind::Type, TypeKind::Indirect},
    {0x22, SetKind::Type, TypeKind::Opaque},
    {0x23, SetKind::Type, TypeKind::Character},
    {0x26, SetKind::Scheme, TypeKind::Opaque},
};

const KnownSet* knownSet(const Label& key) {
    static const Label prefix = *Label::parse("06.0e.2b.34.02.53.01.00.0d.01.01.01.02.00.00.00");
    Label::Bytes bytes = key.bytes();
    const std::uint8_t kind = bytes[13];
    bytes[13] = 0;
    if (Label(bytes).withoutVersion() != prefix)
        return nullptr;
    for (const KnownSet& known : kSets)
        if (known.byte == kind)
            return &known;
    return nullptr;
}

class ItemTable {
public:
    ItemTable() {
        for (const KnownItem& item : kItems) {
            byLabel_.emplace(Label::parse(item.label)->withoutVersion(), item.field);
            byStaticTag_.emplace(item.tag, item.field);
        }
    }
    // The field of an item; none for an item no definition set has.
    std::optional<Field> field(const HeaderMetadata& metadata, std::uint16_t tag) const {
        const Label* label = metadata.primer ? metadata.primer->find(tag) : nullptr;
        if (label) {
            const auto found = byLabel_.find(label->withoutVersion());
            return found == byLabel_.end() ? std::nullopt : std::optional<Field>(found->second);
        }
        const auto found = byStaticTag_.find(tag);
        return tag < 0x8000 && found != byStaticTag_.end() ? std::optional<Field>(found->second)
                                                           : std::nullopt;
    }

private:
    std::unordered_map<Label, Field> byLabel_;
    std::unordered_map<std::uint16_t, Field> byStaticTag_;
};

// A definition set's items, read by their fields; the first thing wrong
// with one is kept in `fault`.
class SetReader {
public:
    explicit SetReader(std::string& fault) : fault_(fault) {}

    void wrong(const RawItem& item, const std::string& what) {
        if (fault_.empty())
            fault_ = "item " + Identifiers::localTagText(item.tag) + " at byte " +
                     std::to_string(item.offset) + " " + what;
    }
    bool size(const RawItem& item, std::size_t expected) {
        if (item.value.size() == expected)
            return true;
        wrong(item, "has " + std::to_string(item.value.size()) + " bytes, not " +
                        std::to_string(expected));
        return false;
    }
    std::optional<Label> label(const RawItem& item) {
        return size(item, 16) ? std::optional<Label>(Label::fromBytes(item.value.data()))
                              : std::nullopt;
    }
    std::optional<std::uint64_t> number(const RawItem& item, std::size_t bytes) {
        if (!size(item, bytes))
            return std::nullopt;
        std::uint64_t value = 0;
        for (const std::uint8_t byte : item.value)
            value = (value << 8) | byte;
        return value;
    }
    bool flag(const RawItem& item, bool otherwise) {
        const std::optional<std::uint64_t> value = number(item, 1);
        return value ? *value != 0 : otherwise;
    }
    std::string text(const RawItem& item) {
        return decodeText(CharacterEncoding::UTF16, item.value.data(), item.value.size(), false,
                          true)
            .text.utf8;
    }
    std::vector<std::string> strings(const RawItem& item) {
        std::vector<std::string> strings;
        const DecodedStrings decoded = decodeStringArray(
            CharacterEncoding::UTF16, item.value.data(), item.value.size(), false, nullptr);
        for (const Value& string : decoded.strings.items)
            strings.push_back(std::get<Text>(string.data).utf8);
        return strings;
    }
    // The items of an array or set: an 8-byte header (count, size) and the items.
    std::vector<const std::uint8_t*> items(const RawItem& item, std::size_t itemSize) {
        const std::vector<std::uint8_t>& bytes = item.value;
        if (bytes.size() < 8) {
            wrong(item, "has no array header");
            return {};
        }
        std::uint64_t count = 0;
        std::uint64_t size = 0;
        for (int i = 0; i < 4; ++i) {
            count = (count << 8) | bytes[i];
            size = (size << 8) | bytes[4 + i];
        }
        if (size != itemSize || count * size != bytes.size() - 8) {
            wrong(item, "holds " + std::to_string(bytes.size() - 8) +
                            " bytes where its header says " + std::to_string(count) + " items of " +
                            std::to_string(size) + " bytes, and " + std::to_string(itemSize) +
                            " are wanted");
            return {};
        }
        std::vector<const std::uint8_t*> items;
        items.reserve(count);
        for (std::size_t i = 0; i < count; ++i)
            items.push_back(bytes.data() + 8 + i * itemSize);
        return items;
    }
    std::vector<Label> labels(const RawItem& item) {
        std::vector<Label> labels;
        for (const std::uint8_t* bytes : items(item, 16))
            labels.push_back(Label::fromBytes(bytes));
        return labels;
    }
    std::vector<UUID> uuids(const RawItem& item) {
        std::vector<UUID> uuids;
        for (const std::uint8_t* bytes : items(item, 16))
            uuids.push_back(UUID::fromBytes(bytes));
        return uuids;
    }

private:
    std::string& fault_;
};

class Reader {
public:
    explicit Reader(const HeaderMetadata& metadata) : metadata_(metadata) {}

    MetaDefinitions run() {
        for (const RawSet& set : metadata_.sets)
            if (set.localSet)
                if (const KnownSet* known = knownSet(set.klv.key))
                    read(set, *known);
        return std::move(definitions_);
    }

private:
    void read(const RawSet& set, const KnownSet& known) {
        std::string fault;
        SetReader in(fault);
        Definition common;
        common.offset = set.klv.offset;
        bool identified = false;
        ClassDefinition klass;
        PropertyDefinition property;
        TypeDefinition type;
        type.kind = known.typeKind;
        ExtensionScheme scheme;
        scheme.offset = set.klv.offset;
        for (const RawItem& item : set.items) {
            static const ItemTable items;
            const std::optional<Field> field = items.field(metadata_, item.tag);
            if (!field)
                continue;
            switch (*field) {
            case Field::InstanceID:
                if (in.size(item, 16))
                    common.instanceUID = UUID::fromBytes(item.value.data());
                break;
            case Field::Identification:
                if (const auto label = in.label(item)) {
                    common.identification = *label;
                    identified = true;
                }
                break;
            case Field::Name:
                common.name = in.text(item);
                break;
            case Field::Description:
                common.description = in.text(item);
                break;
            case Field::ParentClass:
                klass.parent = in.label(item);
                break;
            case Field::Properties:
                klass.properties = in.uuids(item);
                break;
            case Field::IsConcrete:
                klass.concrete = in.flag(item, true);
                break;
            case Field::PropertyType:
                property.type = in.label(item);
                break;
            case Field::IsOptional:
                property.optional = in.flag(item, true);
                break;
            case Field::LocalIdentification:
                if (const auto tag = in.number(item, 2))
                    property.localTag = static_cast<std::uint16_t>(*tag);
                break;
            case Field::IsUniqueIdentifier:
                property.uniqueIdentifier = in.flag(item, false);
                break;
            case Field::MemberOf:
                property.memberOf = in.label(item);
                break;
            case Field::Size:
                if (const auto size = in.number(item, 1))
                    type.size = static_cast<std::size_t>(*size);
                break;
            case Field::IsSigned:
                type.isSigned = in.flag(item, false);
                break;
            case Field::ElementCount:
                if (const auto count = in.number(item, 4))
                    type.count = static_cast<std::size_t>(*count);
                break;
            case Field::ReferencedType:
            case Field::WeakReferencedType:
            case Field::ElementType:
            case Field::FixedArrayElementType:
            case Field::VariableArrayElementType:
            case Field::SetElementType:
            case Field::StringElementType:
            case Field::RenamedType:
                type.element = in.label(item);
                break;
            case Field::ElementNames:
            case Field::ExtendibleElementNames:
            case Field::MemberNames:
                type.names = in.strings(item);
                break;
            case Field::ElementValues:
                for (const std::uint8_t* bytes : in.items(item, 8)) {
                    std::uint64_t value = 0;
                    for (int i = 0; i < 8; ++i)
                        value = (value << 8) | bytes[i];
                    type.values.push_back(static_cast<std::int64_t>(value));
                }
                break;
            case Field::ExtendibleElementValues:
                type.labels = in.labels(item);
                break;
            case Field::MemberTypes:
                type.memberTypes = in.labels(item);
                break;
            case Field::SymbolSpaceURI:
                scheme.namespaceURI = in.text(item);
                break;
            case Field::MetaDefinitions:
                scheme.metaDefinitions = in.uuids(item);
                break;
            }
        }
        if (known.kind == SetKind::Scheme) {
            if (fault.empty())
                definitions_.schemes.push_back(std::move(scheme));
            else
                refuse(set, "extension scheme", fault);
            return;
        }
        if (!identified && fault.empty())
            fault = "it has no MetaDefinitionIdentification";
        const char* what = known.kind == SetKind::Class      ? "class definition"
                           : known.kind == SetKind::Property ? "property definition"
                                                             : "type definition";
        if (!fault.empty()) {
            refuse(set, what, fault);
            return;
        }
        switch (known.kind) {
        case SetKind::Class:
            static_cast<Definition&>(klass) = std::move(common);
            definitions_.classes.push_back(std::move(klass));
            break;
        case SetKind::Property:
            static_cast<Definition&>(property) = std::move(common);
            definitions_.properties.push_back(std::move(property));
            break;
        default:
            static_cast<Definition&>(type) = std::move(common);
            definitions_.types.push_back(std::move(type));
            break;
        }
    }

    void refuse(const RawSet& set, const char* what, const std::string& fault) {
        definitions_.problems.push_back(Problem{Problem::Kind::FileDictionary, set.klv.offset,
                                                std::string("the ") + what + " at byte " +
                                                    std::to_string(set.klv.offset) +
                                                    " is not used: " + fault});
    }

    const HeaderMetadata& metadata_;
    MetaDefinitions definitions_;
};

} // namespace

MetaDefinitions readMetaDefinitions(const HeaderMetadata& metadata) {
    return Reader(metadata).run();
}

std::vector<std::uint8_t> definitionBytes(const HeaderMetadata& metadata) {
    std::vector<std::uint8_t> bytes;
    const auto number = [&bytes](std::uint64_t value, int size) {
        for (int i = size - 1; i >= 0; --i)
            bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    };
    for (const RawSet& set : metadata.sets) {
        if (!set.localSet || !knownSet(set.klv.key))
            continue;
        number(set.klv.offset, 8);
        bytes.insert(bytes.end(), set.klv.key.data(), set.klv.key.data() + 16);
        number(set.items.size(), 8);
        for (const RawItem& item : set.items) {
            number(item.offset, 8);
            number(item.tag, 2);
            const Label* label = metadata.primer ? metadata.primer->find(item.tag) : nullptr;
            bytes.push_back(label ? 1 : 0);
            if (label)
                bytes.insert(bytes.end(), label->data(), label->data() + 16);
            number(item.value.size(), 8);
            bytes.insert(bytes.end(), item.value.begin(), item.value.end());
        }
    }
    return bytes;
}

} // namespace Definitions
} // namespace MXF
} // namespace Palimo
