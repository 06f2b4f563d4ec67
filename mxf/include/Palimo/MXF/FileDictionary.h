#pragma once
// The file's own dictionary: what the definitions in an MXF file's header
// metadata (the ClassDefinition, PropertyDefinition and TypeDefinition sets
// of an AAF MetaDictionary, or of SMPTE ST 377-2 extension schemes) add to the
// dictionary the file is read with.
//
// Only what the loaded dictionary does not hold is added: classes whose keys
// it lacks (each with its parent, a class of the dictionary or another added
// one), properties whose labels it lacks (as members of the classes that list
// them, classes of the dictionary included), and types whose labels its type
// definitions lack. A definition the dictionary holds is never replaced, and
// one that contradicts the dictionary or the file's other definitions is
// reported (Problem::Kind::FileDictionary) and not used: a property whose
// label the dictionary gives another type or local tag, a class whose parent
// is unknown or whose parents lead back to it, a local tag used twice, a
// type that names an unknown type or contains itself, a definition given
// twice. Classes deeper than kMaxFileClassDepth below their root, types
// nested deeper than kMaxFileTypeDepth, and sets of more than
// kMaxFileSetMembers members are refused likewise, so that what a file's
// dictionary costs stays in proportion to its bytes.
//
// Names: every added class, property and type gets an XML name made from the
// name the file gives it ("Avid Scope" is Avid_Scope), unique among the
// names of the loaded dictionary (elements, sets and their types and
// reference declarations, type definitions, the file format's data types)
// and of each other: a name that is taken takes "_" and the hex digits of
// label bytes 9 to 16. Names are given in the order of the labels, so a
// definition is named alike in every file that holds the same definitions.
//
// Namespace: a definition that an extension scheme lists is in the scheme's
// namespace (its SymbolSpaceURI); any other in kFileDictionaryNamespace.
//
// The dictionary answers lookups after the loaded one: the decoder asks the
// loaded dictionary first and this one only for what it lacks. It never
// changes the loaded dictionaries, which may be read by any number of other
// files at once; once built it is read-only, and any number of threads may
// read it.
#include <Palimo/MXF/DecodedFile.h>
#include <Palimo/MXF/DictionaryIndex.h>
#include <Palimo/MXF/HeaderMetadata.h>
#include <Palimo/MetaMetadata/Dictionary.h>
#include <Palimo/TypeDefinitions/CoreTypeMapping.h>
#include <Palimo/TypeDefinitions/TypeDictionary.h>
#include <Palimo/Types/Identifiers.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace Palimo {
namespace MXF {

/// The namespace of the definitions of a file's dictionary that no extension
/// scheme places in a namespace of its own.
inline constexpr char kFileDictionaryNamespace[] = "urn:palimo:mxf:file-dictionary";

/// How many classes deep a class the file adds may lie below its root.
constexpr std::size_t kMaxFileClassDepth = 32;
/// How many types deep a type the file adds may nest (renames, arrays,
/// records, strings, enumerations).
constexpr std::size_t kMaxFileTypeDepth = 32;
/// How many members a set may have, inherited ones included, when the file
/// adds to it.
constexpr std::size_t kMaxFileSetMembers = 4096;

/// How a property's values are declared in a dictionary schema: the flat data
/// type of the core library that its type maps onto (as the register import
/// maps register types).
struct FlatType {
    using Kind = TypeDefinitions::CoreTypeMapping::Kind;
    Kind kind = Kind::Simple;
    /// Simple: the value type. Collection and ReferenceCollection: Array or
    /// Batch. Reference: StrongReference or WeakReference.
    Types::Identifier identifier = Types::Identifiers::DataValue;
    /// Collection: the item type; ReferenceCollection: StrongReference or
    /// WeakReference; otherwise NoIdentifier.
    Types::Identifier itemIdentifier = Types::Identifiers::NoIdentifier;
    /// Collection: the name of the item element (the item type's symbol).
    std::string itemName;
    /// References: the keys of the sets referred to (a set of the dictionary
    /// or a class the file adds); empty when the type names no known class.
    std::vector<Label> targets;
};

/// A property the file adds.
struct FileProperty {
    std::uint64_t offset = 0; // of its PropertyDefinition set
    Label label;
    std::string name;     // its XML name (the XMLTagName of its element)
    std::string fileName; // as the file names it
    std::string description;
    std::string namespaceURI;
    /// A static local tag (below 80.00); dynamic tags are the primer's business.
    std::optional<std::uint16_t> localTag;
    const MetaMetadata::MetaElement* element = nullptr;    // in this dictionary
    const TypeDefinitions::TypeDefinition* type = nullptr; // in types()
    FlatType flat;
};

/// A member that the file gives a class.
struct FileMember {
    Label label;
    /// A property the file adds, or (in a class the file adds) one of the
    /// loaded dictionary.
    const MetaMetadata::MetaElement* element = nullptr;
    bool optional = true;
    bool uniqueIdentifier = false; // the member identifies the sets that hold it
};

/// A class the file adds, or a class of the loaded dictionary that the file
/// adds properties to.
struct FileClass {
    std::uint64_t offset = 0; // of its ClassDefinition set
    Label key;                // a local set key; the dictionary's own, for its classes
    bool added = false;       // false: a class of the dictionary
    std::string name;         // its XML name; the dictionary's name for its classes
    std::string fileName;     // as the file names it
    std::string description;
    std::string namespaceURI; // for added classes
    /// Added classes: the key of the parent, a set of the loaded dictionary or
    /// another added class; none for a root.
    std::optional<Label> parent;
    bool concrete = true;
    /// The members the file gives the class itself (not inherited ones), in
    /// the file's order; for a class of the dictionary, only properties the
    /// file adds.
    std::vector<FileMember> members;
};

class FileDictionary {
public:
    /// The file's own dictionary of `metadata`, over `dictionary` and its type
    /// definitions `types` (may be null), which must outlive the result; null
    /// when the header metadata holds no definitions. Never throws for any
    /// bytes: what cannot be used is in problems().
    static std::shared_ptr<const FileDictionary> read(const HeaderMetadata& metadata,
                                                      const MetaMetadata::Dictionary& dictionary,
                                                      const TypeDefinitions::TypeDictionary* types);
    /// The same through an index of the loaded dictionaries made once for
    /// many files, which must outlive the result.
    static std::shared_ptr<const FileDictionary> read(const HeaderMetadata& metadata,
                                                      const DictionaryIndex& index);

    FileDictionary(const FileDictionary&) = delete;
    FileDictionary& operator=(const FileDictionary&) = delete;

    /// Classes in the order of their keys, added ones and extended ones.
    const std::vector<FileClass>& classes() const { return classes_; }
    /// Properties the file adds, in the order of their labels.
    const std::vector<FileProperty>& properties() const { return properties_; }
    /// The type definitions to decode by: the loaded ones first, then the
    /// file's own (types().types() lists the file's own, in label order).
    const TypeDefinitions::TypeDictionary& types() const { return types_; }
    /// What could not be used, in the order of the definitions in the file.
    const std::vector<Problem>& problems() const { return problems_; }

    // For the decoder.

    /// The set to decode the sets of `key` by (any version byte): an added
    /// class's, or a copy of the loaded dictionary's set with the members the
    /// file adds; null when the file adds nothing there, or the class is not
    /// used. Only the classes of sets the header metadata holds have one.
    const MetaMetadata::MetaMetadataSet* findSet(const Label& key) const;
    /// The element of a property the file adds (any version byte); null when none.
    const MetaMetadata::MetaElement* findElement(const Label& label) const;
    /// Whether `set` (one findSet gave) has a member of label `element`.
    bool holds(const MetaMetadata::MetaMetadataSet& set, const Label& element) const;
    /// Whether `set` is the set of a class the file adds (not of an extended
    /// class of the dictionary).
    bool adds(const MetaMetadata::MetaMetadataSet* set) const { return added_.count(set) != 0; }
    /// The keys of the classes above the class of `set` (one findSet gave),
    /// its parent first, as the file's dictionary gives them.
    const std::vector<Label>& ancestors(const MetaMetadata::MetaMetadataSet& set) const;

private:
    friend class FileDictionaryBuilder;
    explicit FileDictionary(const TypeDefinitions::TypeDictionary* types) : types_(types) {}

    MetaMetadata::Dictionary own_; // the elements and sets of this dictionary
    /// own_'s elements by label, exact and without the version byte:
    /// Dictionary's lookup of another version scans every label of the same
    /// first bytes, which a file's dictionary could make very many.
    std::unordered_map<Label, const MetaMetadata::MetaElement*> exactElements_;
    std::unordered_map<Label, const MetaMetadata::MetaElement*> looseElements_;
    TypeDefinitions::TypeDictionary types_;
    std::vector<FileClass> classes_;
    std::vector<FileProperty> properties_;
    std::vector<Problem> problems_;
    std::unordered_map<Label, const MetaMetadata::MetaMetadataSet*> sets_; // by key without version
    std::unordered_map<const MetaMetadata::MetaMetadataSet*, std::unordered_set<Label>> members_;
    std::unordered_set<const MetaMetadata::MetaMetadataSet*> added_;
    std::unordered_map<const MetaMetadata::MetaMetadataSet*, std::vector<Label>> ancestors_;
};

} // namespace MXF
} // namespace Palimo
