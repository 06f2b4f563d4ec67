#pragma once
// The core library's names as the loader's headers use them: the short names
// of the text, pointer and type identifier the phases work with, and the
// classes they pass by reference or pointer, declared but not defined. A
// source includes the core header of each class whose members it uses.
#include <Palimo/Templates/AutoPtr.h>
#include <Palimo/Templates/String.h>
#include <Palimo/Types/Identifiers.h>

namespace Palimo {
namespace KLV {
class Key;
} // namespace KLV
namespace Types {
class Array;
class BaseType;
class Batch;
class LocalTag;
class Rational;
class UniversalLabel;
} // namespace Types
namespace MetaMetadata {
class Dictionary;
class MetaAttribute;
class MetaCollectionElement;
class MetaElement;
class MetaMetadataSet;
class PropertyMap;

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
