#pragma once
// Reading the header metadata of an MXF file with a loaded dictionary.
#include <Palimo/MXF/ByteSource.h>
#include <Palimo/MXF/DecodedFile.h>
#include <Palimo/MXF/HeaderMetadata.h>
#include <Palimo/MetaMetadata/Dictionary.h>
#include <Palimo/TypeDefinitions/TypeDictionary.h>

#include <string>

namespace Palimo {
namespace MXF {

/// Decodes header metadata read by readHeaderMetadata. Each set key is looked
/// up in the dictionary, and each item's local tag through the primer (for a
/// static tag the primer lacks, through the dictionary) to a label and then
/// an element; labels and keys that differ only in the version byte match.
/// InstanceID is allowed in every set. Values are decoded by the element's
/// type definition in `types` (ValueDecoder.h), else (no `types`, or none
/// for the element) by the element's flat data type; then each weak
/// reference's target is looked for among the sets by its identifier (not
/// finding it is no problem). What does not fit is recorded as a problem,
/// never thrown; the result points into `dictionary` and `types`.
DecodedFile decodeHeaderMetadata(const HeaderMetadata& metadata,
                                 const MetaMetadata::Dictionary& dictionary,
                                 const TypeDefinitions::TypeDictionary* types = nullptr);

/// Adds the problems that need the whole header metadata: required members
/// missing, shared InstanceUIDs, strong references to no set, to a set that
/// another reference owns too, to a known set they may not refer to (a set
/// the dictionary does not know is already a problem of its own), and cycles.
void checkHeaderMetadata(DecodedFile& file);

/// readHeaderMetadata (of the partition `choice` picks), decodeHeaderMetadata
/// and checkHeaderMetadata. Throws MalformedMXFFile, UnreadableMXFFile and
/// MissingPartition.
///
/// Threads: reading only reads the dictionaries; any number of files may be
/// read at once with the same ones.
DecodedFile readMXFFile(const ByteSource& source, const MetaMetadata::Dictionary& dictionary,
                        const TypeDefinitions::TypeDictionary* types = nullptr,
                        PartitionChoice choice = PartitionChoice::Best);
DecodedFile readMXFFile(const std::string& path, const MetaMetadata::Dictionary& dictionary,
                        const TypeDefinitions::TypeDictionary* types = nullptr,
                        PartitionChoice choice = PartitionChoice::Best);

} // namespace MXF
} // namespace Palimo
