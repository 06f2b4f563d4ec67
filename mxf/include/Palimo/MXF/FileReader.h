#pragma once
// Reading the header metadata of an MXF file with a loaded dictionary.
//
// Threads: a loaded Dictionary and TypeDictionary are read-only; every
// function here only reads them (their const lookups), so any number of
// threads may read files at once through one dictionary and one type
// dictionary, each call on a source of its own (ByteSource.h says which
// sources may be shared). The result of a call belongs to its caller and
// points into the dictionaries, which must outlive it; nothing is cached
// between calls. Loading a dictionary is another matter: one loader serves
// one thread, and a dictionary is read only once its load has returned.
#include <Palimo/MXF/ByteSource.h>
#include <Palimo/MXF/DecodedFile.h>
#include <Palimo/MXF/DictionaryIndex.h>
#include <Palimo/MXF/HeaderMetadata.h>
#include <Palimo/MetaMetadata/Dictionary.h>
#include <Palimo/TypeDefinitions/TypeDictionary.h>

#include <string>

namespace Palimo {
namespace MXF {

/// Whether the definitions of the file's own dictionary (its MetaDictionary:
/// FileDictionary.h) are used to decode what the loaded dictionary lacks.
enum class FileDefinitions { Use, Ignore };

/// Decodes header metadata read by readHeaderMetadata. Each set key is looked
/// up in the dictionary, and each item's local tag through the primer (for a
/// static tag the primer lacks, through the dictionary) to a label and then
/// an element; labels and keys that differ only in the version byte match.
/// InstanceID is allowed in every set. Values are decoded by the element's
/// type definition in `types` (ValueDecoder.h), else (no `types`, or none
/// for the element) by the element's flat data type; then each weak
/// reference's target is looked for among the sets by its identifier (not
/// finding it is no problem). With FileDefinitions::Use, the file's own
/// dictionary is read first (DecodedFile::fileDictionary, null when the file
/// has none), and sets, items and types the loaded dictionaries lack are
/// looked for there; what it refuses is a problem of the file. What does not
/// fit is recorded as a problem, never thrown; the result points into
/// `dictionary`, `types` and the file's own dictionary. The problems of
/// `metadata` (faults of its structure) come first.
DecodedFile decodeHeaderMetadata(const HeaderMetadata& metadata,
                                 const MetaMetadata::Dictionary& dictionary,
                                 const TypeDefinitions::TypeDictionary* types = nullptr,
                                 FileDefinitions definitions = FileDefinitions::Use);
/// The same, taking over the bytes of `metadata` set by set rather than
/// copying them, so that the raw and the decoded sets are not held whole at
/// once.
DecodedFile decodeHeaderMetadata(HeaderMetadata&& metadata,
                                 const MetaMetadata::Dictionary& dictionary,
                                 const TypeDefinitions::TypeDictionary* types = nullptr,
                                 FileDefinitions definitions = FileDefinitions::Use);

/// The same through `index` (DictionaryIndex.h), made once for many files,
/// which must outlive the result.
DecodedFile decodeHeaderMetadata(HeaderMetadata&& metadata, const DictionaryIndex& index,
                                 FileDefinitions definitions = FileDefinitions::Use);

/// Adds the problems that need the whole header metadata: required members
/// missing (the first 16 of a set named, the others counted in one problem),
/// shared InstanceUIDs, strong references to no set, to a set that
/// another reference owns too, to a known set they may not refer to (a set
/// the dictionary does not know is already a problem of its own), and cycles.
void checkHeaderMetadata(DecodedFile& file);

/// readHeaderMetadata (of the partition `choice` picks), decodeHeaderMetadata
/// and checkHeaderMetadata: the result carries everything that could be read,
/// and the problems (a note counts those beyond Limits::kProblems). Throws
/// MalformedMXFFile only when not even the header partition pack can be read,
/// UnreadableMXFFile when the file cannot be opened or read, and
/// MissingPartition. The path "-" is standard input (openSource); any other
/// path must name a regular file, which is checked before it is opened.
///
/// Threads: reading only reads the dictionaries (a file's own dictionary is
/// the file's); any number of files may be read at once with the same ones.
DecodedFile readMXFFile(const ByteSource& source, const MetaMetadata::Dictionary& dictionary,
                        const TypeDefinitions::TypeDictionary* types = nullptr,
                        PartitionChoice choice = PartitionChoice::Best,
                        FileDefinitions definitions = FileDefinitions::Use);
DecodedFile readMXFFile(const std::string& path, const MetaMetadata::Dictionary& dictionary,
                        const TypeDefinitions::TypeDictionary* types = nullptr,
                        PartitionChoice choice = PartitionChoice::Best,
                        FileDefinitions definitions = FileDefinitions::Use);
/// The same through `index`: for many files read with one dictionary, of which
/// some carry their own dictionaries.
DecodedFile readMXFFile(const ByteSource& source, const DictionaryIndex& index,
                        PartitionChoice choice = PartitionChoice::Best,
                        FileDefinitions definitions = FileDefinitions::Use);
DecodedFile readMXFFile(const std::string& path, const DictionaryIndex& index,
                        PartitionChoice choice = PartitionChoice::Best,
                        FileDefinitions definitions = FileDefinitions::Use);

} // namespace MXF
} // namespace Palimo
