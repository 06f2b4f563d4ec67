#pragma once
// Default values written as text ("Distinguished Value" annotations) turned
// into typed values of the core library.
#include "bindings/CoreNames.h"

#include <vector>

namespace Palimo {
namespace MetaMetadata {
namespace Loading {

/// A new value of the class that `type` names, read from `text`; empty when
/// the type has no parsing rule or the text gives no value (an integer rule
/// that finds no number in range, a rational without two integer items).
/// `subType` is read only for Array (0) and Batch (1). Failures of the core
/// library's value constructors (a label text it refuses) pass through.
auto_ptr<Types::BaseType> parseTypedValue(Identifier type, Identifier subType, const WString& text);

/// The collection rule: a new, possibly empty collection of the items of a
/// "{a,b,...}" text parsed as `subType`. Items that give no value are left out.
auto_ptr<Types::Array> parseArray(const WString& text, Identifier subType);
auto_ptr<Types::Batch> parseBatch(const WString& text, Identifier subType);

/// "{numerator,denominator}" as two 32-bit integers (later items ignored);
/// empty when there are fewer than two items or one is not an integer.
auto_ptr<Types::Rational> parseRational(const WString& text);

/// The items of "{a,b,...}" in text order, untrimmed. Empty for a text shorter
/// than four characters or not enclosed in braces; a comma directly before
/// the closing brace starts no item.
std::vector<WString> splitCollectionText(const WString& text);

/// The size argument an Array or Batch of `subType` items is created with.
int collectionSizeArgument(Identifier subType);

} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
