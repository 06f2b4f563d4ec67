#include "ItemValues.h"

#include "Names.h"
#include "ValueWalk.h"

#include <Palimo/MetaMetadata/Visitors.h>

namespace Palimo {
namespace MXF {
namespace {

using namespace Types::Identifiers;
using TypeDefinitions::TypeDefinition;
using TypeDefinitions::TypeKind;

// 06.0e.2b.34.01.01.01.vv.05.20.07.01.nn.00.00.00: GenerationID (01),
// ApplicationProductID (07), LinkedGenerationID (08).
bool storedAsUUID(const Identifiers::Label& element) {
    static const Identifiers::Label generationID({0x06, 0x0e, 0x2b, 0x34, 0x01, 0x01, 0x01, 0x02,
                                                  0x05, 0x20, 0x07, 0x01, 0x01, 0x00, 0x00, 0x00});
    Identifiers::Label::Bytes bytes = element.bytes();
    if (bytes[12] != 0x07 && bytes[12] != 0x08)
        return element.equalIgnoringVersion(generationID);
    bytes[12] = 0x01;
    return Identifiers::Label(bytes).equalIgnoringVersion(generationID);
}

// 06.0e.2b.34.01.04.01.01.01.03.03.00.00.00.00.00
const TypeDefinition* uuidType(const TypeDefinitions::TypeDictionary& types) {
    static const Identifiers::Label label({0x06, 0x0e, 0x2b, 0x34, 0x01, 0x04, 0x01, 0x01, 0x01,
                                           0x03, 0x03, 0x00, 0x00, 0x00, 0x00, 0x00});
    return types.findType(label);
}

DecodedItem::Reference referenceKind(const TypeDefinition& type) {
    const TypeDefinition* resolved = &type.resolved();
    if ((resolved->kind == TypeKind::FixedArray || resolved->kind == TypeKind::VariableArray ||
         resolved->kind == TypeKind::Set) &&
        resolved->element)
        resolved = &resolved->element->resolved();
    if (resolved->kind == TypeKind::StrongReference)
        return DecodedItem::Reference::Strong;
    if (resolved->kind == TypeKind::WeakReference)
        return DecodedItem::Reference::Weak;
    return DecodedItem::Reference::None;
}

} // namespace

ItemValue decodeItemValue(const MetaMetadata::MetaElement& element, const Identifiers::Label& label,
                          const TypeDefinitions::TypeDictionary* types,
                          const std::vector<std::uint8_t>& bytes, bool decode) {
    ItemValue item;
    const Identifier type = element.dataType();
    Identifier subType = NoIdentifier;
    MetaMetadata::GetMetaElementVisitor<MetaMetadata::MetaCollectionElement> collection;
    element.accept(collection);
    if (collection.result())
        subType = collection.result()->dataSubType();
    item.type = identifierName(type);
    if (collection.result())
        item.type += " of " + identifierName(subType);

    const Identifiers::Label elementLabel(element.universalLabel().array());
    if (storedAsUUID(elementLabel)) {
        item.definition = types ? uuidType(*types) : nullptr;
        if (!decode)
            return item;
        item.decoded = item.definition
                           ? decodeValue(*item.definition, *types, bytes.data(), bytes.size())
                           : decodeValue(UUID, NoIdentifier, bytes.data(), bytes.size());
        return item;
    }
    if (types) {
        item.definition = types->elementType(elementLabel);
        if (!item.definition)
            item.definition = types->elementType(label);
    }
    if (item.definition) {
        item.reference = referenceKind(*item.definition);
        if (decode)
            item.decoded = decodeValue(*item.definition, *types, bytes.data(), bytes.size());
        return item;
    }
    if (type == StrongReference || subType == StrongReference)
        item.reference = DecodedItem::Reference::Strong;
    else if (type == WeakReference || subType == WeakReference)
        item.reference = DecodedItem::Reference::Weak;
    if (decode)
        item.decoded = decodeValue(type, subType, bytes.data(), bytes.size(), types);
    return item;
}

std::size_t decodedSize(const Value& value) {
    std::size_t size = 0;
    forEachValue(value, [&size](const Value& inner) {
        size += sizeof(Value);
        if (const auto* text = std::get_if<Text>(&inner.data))
            size += text->utf8.capacity();
        else if (const auto* bytes = std::get_if<Bytes>(&inner.data))
            size += bytes->bytes.capacity();
        else if (const auto* record = std::get_if<Record>(&inner.data))
            size += record->fields.size() * (sizeof(Field) - sizeof(Value));
    });
    return size;
}

} // namespace MXF
} // namespace Palimo
