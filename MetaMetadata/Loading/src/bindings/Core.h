#pragma once
// What the loader uses of the Palimo core library.
#include <Palimo/Exceptions/BaseException.h>
#include <Palimo/Exceptions/CoreExceptions.h>
#include <Palimo/Initializer.h>
#include <Palimo/KLV/Key.h>
#include <Palimo/MetaMetadata/AttributeRequiredStatus.h>
#include <Palimo/MetaMetadata/Dictionary.h>
#include <Palimo/MetaMetadata/MetaAttribute.h>
#include <Palimo/MetaMetadata/MetaElement.h>
#include <Palimo/MetaMetadata/MetaMetadataSet.h>
#include <Palimo/MetaMetadata/PropertyMap.h>
#include <Palimo/MetaMetadata/Visitors.h>
#include <Palimo/Platform/Allocator.h>
#include <Palimo/Templates/AutoPtr.h>
#include <Palimo/Templates/SharedPtr.h>
#include <Palimo/Templates/String.h>
#include <Palimo/Types/BaseType.h>
#include <Palimo/Types/BaseTypeFactory.h>
#include <Palimo/Types/Identifiers.h>
#include <Palimo/Types/LocalTag.h>
#include <Palimo/Utils/StringConversion.h>

namespace Palimo {
namespace MetaMetadata {
namespace Loading {

using Palimo::WString;
using Palimo::Templates::auto_ptr;
using Palimo::Types::Identifier;
using Palimo::Types::LocalTag;
using Palimo::Types::UniversalLabel;

/// The only text encoding the schema uses for labels, keys and tags.
constexpr Palimo::Types::StringRepresentationEncodingType kDottedHex = Palimo::Types::DottedHex;

} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
