#pragma once
// The values of a decoded set's items, found by label and taken as the kinds
// a summary keeps. A value of another kind than its type gives (bytes not
// decoded, a dictionary that types the item otherwise) counts as absent.
#include <Palimo/MXF/DecodedFile.h>
#include <Palimo/MXF/Summary.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace Palimo {
namespace MXF {

/// The decoded value of the first item of `set` whose label is `label`, the
/// version byte aside; null when there is none.
const Value* itemValue(const DecodedSet& set, const Label& label);

bool hasItem(const DecodedSet& set, const Label& label);

std::optional<std::uint64_t> unsignedValue(const Value* value);
std::optional<std::int64_t> signedValue(const Value* value);
std::optional<bool> booleanValue(const Value* value);
std::optional<Rational> rationalValue(const Value* value);
std::optional<std::string> textValue(const Value* value);
std::optional<Identifiers::UMID> umidValue(const Value* value);
std::optional<NamedLabel> labelValue(const Value* value);
/// A list of labels, as sets and arrays of AUIDs hold them; none when any
/// item is no label.
std::optional<std::vector<NamedLabel>> labelListValue(const Value* value);
/// An enumeration's value with its symbol, or an integer.
std::optional<NamedNumber> enumerationValue(const Value* value);
/// The InstanceUIDs a strong reference, or a list of them, refers to.
std::vector<Identifiers::UUID> referencesOf(const Value* value);

} // namespace MXF
} // namespace Palimo
