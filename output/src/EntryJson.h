#pragma once
// Parts of the dictionary's JSON that other documents reuse: an element's
// members, for outputs that add their own before closing the object, and an
// array of sets.
#include <Palimo/MetaMetadata/Dictionary.h>
#include <Palimo/Output/JsonSink.h>
#include <Palimo/TypeDefinitions/TypeDictionary.h>

#include <vector>

namespace Palimo {
namespace Output {

/// What describeElement writes between the braces of the object.
void describeElementMembers(JsonSink& sink, const MetaMetadata::MetaElement& element,
                            const MetaMetadata::Dictionary& dictionary,
                            const TypeDefinitions::TypeDictionary* types);

/// "sets": [...], each as describeSet gives it.
void describeSets(JsonSink& sink, const std::vector<const MetaMetadata::MetaMetadataSet*>& sets);

} // namespace Output
} // namespace Palimo
