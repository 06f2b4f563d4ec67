#pragma once
// Reading the header metadata of an MXF file with a loaded dictionary.
#include <Palimo/MXF/ByteSource.h>
#include <Palimo/MXF/DecodedFile.h>
#include <Palimo/MXF/HeaderMetadata.h>
#include <Palimo/MetaMetadata/Dictionary.h>

#include <string>

namespace Palimo {
namespace MXF {

/// Decodes header metadata read by readHeaderMetadata. Each set key is looked
/// up in the dictionary, and each item's local tag through the primer (for a
/// static tag the primer lacks, through the dictionary) to a label and then
/// an element; labels and keys that differ only in the version byte match.
/// Values are decoded by the element's data type. What does not fit is
/// recorded as a problem, never thrown; the result points into `dictionary`.
DecodedFile decodeHeaderMetadata(const HeaderMetadata& metadata,
                                 const MetaMetadata::Dictionary& dictionary);

/// Adds the problems that need the whole header metadata: required members
/// missing, shared InstanceUIDs, strong references to no set, to a set that
/// another reference owns too, to a set they may not refer to, and cycles.
void checkHeaderMetadata(DecodedFile& file);

/// readHeaderMetadata, decodeHeaderMetadata and checkHeaderMetadata. Throws
/// MalformedMXFFile and UnreadableMXFFile.
DecodedFile readMXFFile(const ByteSource& source, const MetaMetadata::Dictionary& dictionary);
DecodedFile readMXFFile(const std::string& path, const MetaMetadata::Dictionary& dictionary);

} // namespace MXF
} // namespace Palimo
