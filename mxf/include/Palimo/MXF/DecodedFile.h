#pragma once
// The header metadata of a file decoded with a dictionary: every set with its
// dictionary entry and every item with its element and value, and the
// problems found on the way and by the checks.
#include <Palimo/MXF/HeaderMetadata.h>
#include <Palimo/MXF/Klv.h>
#include <Palimo/MXF/Partition.h>
#include <Palimo/MXF/Problem.h>
#include <Palimo/MXF/Value.h>
#include <Palimo/MetaMetadata/MetaElement.h>
#include <Palimo/MetaMetadata/MetaMetadataSet.h>

#include <Palimo/Identifiers/Label.h>
#include <Palimo/TypeDefinitions/TypeDefinition.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace Palimo {
namespace MXF {

class FileDictionary;

/// The index of no set in DecodedFile::sets.
constexpr std::size_t kNoSet = static_cast<std::size_t>(-1);

struct DecodedItem {
    enum class Reference { None, Strong, Weak };

    std::uint64_t offset = 0; // of the local tag
    std::uint16_t localTag = 0;
    std::optional<Label> label;                         // through the primer
    const MetaMetadata::MetaElement* element = nullptr; // null: not in the dictionary
    bool exactLabel = true; // false: the element matched but for the version byte
    /// The element is a property the file's own dictionary adds (FileDictionary.h).
    bool fromFileDictionary = false;
    std::string name; // the element's XML tag name (else its name); "" when unknown
    /// The element's flat data type: "UInt32", "Array of StrongReference"; ""
    /// when unknown.
    std::string type;
    /// The element's type definition, when the dictionary has type
    /// definitions and one for this element; the value was decoded by it.
    const TypeDefinitions::TypeDefinition* definition = nullptr;
    /// Whether the value is (or holds) strong or weak references.
    Reference reference = Reference::None;
    std::optional<Value> value; // none: not decoded, shown as raw bytes
    std::vector<std::uint8_t> bytes;
    /// For each weak reference in the value, depth first: the index in
    /// DecodedFile::sets of the set it refers to, or kNoSet when the file
    /// holds no such set (definitions are often not in the file: that is no
    /// problem).
    std::vector<std::size_t> weakTargets;
    /// Remarks on the value that are no fault of the file ("the text holds a
    /// NUL at character 3 and more text after it").
    std::vector<std::string> notes;
};

struct DecodedSet {
    KlvHeader klv;
    const MetaMetadata::MetaMetadataSet* set = nullptr; // null: key not in the dictionary
    bool exactKey = true;
    /// The set is of a class the file's own dictionary adds.
    bool fromFileDictionary = false;
    std::string name; // the set's XML tag name (else its name); "" when unknown
    /// The value of its InstanceID item (the first one, when 16 bytes long).
    std::optional<Identifiers::UUID> instanceUID;
    bool localSet = true;            // false: a KLV of another kind, kept as raw bytes
    std::vector<DecodedItem> items;  // local sets
    std::vector<std::uint8_t> bytes; // other KLVs
};

struct DecodedFile {
    std::uint64_t runIn = 0;
    PartitionPack headerPartition;
    PartitionPack partition; // the one whose header metadata was read
    std::optional<KlvHeader> primer;
    std::size_t primerEntries = 0;
    std::vector<DecodedSet> sets; // in file order
    /// Those of the header metadata's structure first, then those of
    /// decoding and checking; at most Limits::kProblems.
    std::vector<Problem> problems;
    std::size_t problemsNotKept = 0; // found beyond Limits::kProblems
    std::vector<std::string> notes;
    /// What the file's own dictionary adds, when it was read and the file has
    /// one; the sets and items point into it, and it stays as long as a copy
    /// of this file does.
    std::shared_ptr<const FileDictionary> fileDictionary;
};

/// The type definitions the file was decoded by: its own dictionary's, which
/// answer `loaded`'s entries first, else `loaded`.
const TypeDefinitions::TypeDictionary& decodingTypes(const DecodedFile& file,
                                                     const TypeDefinitions::TypeDictionary& loaded);

} // namespace MXF
} // namespace Palimo
