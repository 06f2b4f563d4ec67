#pragma once
// Builds a FileDictionary from the definitions a file holds, in steps: types
// (FileTypes.cpp), classes (FileClasses.cpp), properties and the members of
// classes (FileProperties.cpp), then the sets to decode by (FileSets.cpp).
// Every step visits each definition a bounded number of times, without
// recursion, so that any number of definitions, chained or cyclic, costs time
// and memory in proportion to their count.
#include "DefinitionNames.h"
#include "LoadedIndex.h"
#include "MetaDefinitions.h"

#include <Palimo/MXF/FileDictionary.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace Palimo {
namespace MXF {

class FileDictionaryBuilder {
public:
    /// `definitions`: those of `metadata`, not empty; `loaded` and `names`:
    /// those of `dictionary` and `types`, which all outlive the builder.
    FileDictionaryBuilder(const HeaderMetadata& metadata, Definitions::MetaDefinitions definitions,
                          const MetaMetadata::Dictionary& dictionary,
                          const TypeDefinitions::TypeDictionary* types,
                          const Definitions::LoadedIndex& loaded,
                          const Definitions::TakenNames& names);

    std::shared_ptr<const FileDictionary> run();

private:
    using UUID = Identifiers::UUID;
    using ClassDefinition = Definitions::ClassDefinition;
    using PropertyDefinition = Definitions::PropertyDefinition;
    using TypeDefinition = Definitions::TypeDefinition;

    // What became of a class definition.
    struct ClassState {
        enum class Use { Refused, Dictionary, Added };
        Use use = Use::Refused;
        Label key; // the dictionary's key, for its classes
        const MetaMetadata::MetaMetadataSet* dictionarySet = nullptr;
        std::optional<std::size_t> parent; // the parent's definition, if the file defines it
        /// Added classes: the parent, a set of the dictionary the file does not define.
        const MetaMetadata::MetaMetadataSet* dictionaryParent = nullptr;
        std::size_t depth = 0; // added classes: of added classes, itself included
        std::string name;
        std::vector<FileMember> members; // its own, in the file's order
    };

    // FileDictionaryBuilder.cpp
    void index();
    void problem(const Definitions::Definition& definition, const std::string& message);
    /// What a reference of the file names: a definition's identification
    /// (also when the file holds the InstanceUID of its set), else the
    /// label as it is (which may name an entry of the loaded dictionary).
    Label referent(const Label& value) const;
    std::string namespaceOf(const Definitions::Definition& definition) const;
    void claimNames();

    // FileTypes.cpp
    void buildTypes();
    std::vector<Label> containedTypes(const TypeDefinition& type) const;
    /// Builds `type`, whose contained types are built; an empty string, or
    /// why it is not used.
    std::string buildType(const TypeDefinition& type);
    std::optional<Label> classKey(const Label& identification) const;

    // FileClasses.cpp
    void resolveClasses();
    void linkParents();
    void checkAncestry();
    void findUniqueIdentifiers();

    // FileProperties.cpp
    void buildProperties();
    void checkDictionaryProperty(const PropertyDefinition& property,
                                 const MetaMetadata::MetaElement& element);
    std::string buildProperty(const PropertyDefinition& property, std::size_t index);
    /// The keys a reference to the class of `key` may point to: the class and
    /// every class of the file below it; empty (any set) when they are too
    /// many.
    KLV::KeyVector referenceTargets(const Label& key);
    void gatherMembers();
    void listClasses();

    // FileSets.cpp
    void buildSets();
    void buildSet(std::size_t klass, std::size_t& budget);

    const HeaderMetadata& metadata_;
    const MetaMetadata::Dictionary& dictionary_;
    const TypeDefinitions::TypeDictionary* loadedTypes_;
    const Definitions::LoadedIndex& loaded_;
    Definitions::MetaDefinitions definitions_;
    std::unique_ptr<FileDictionary> result_;
    Definitions::DefinitionNames names_;

    // Definitions by identification (the first of each) and sets by InstanceUID.
    std::unordered_map<Label, std::size_t> classes_;
    std::unordered_map<Label, std::size_t> properties_;
    std::unordered_map<Label, std::size_t> types_;
    std::map<UUID, Label> identificationOfSet_;
    std::map<UUID, std::size_t> propertyOfSet_;
    std::map<UUID, std::string> schemeNamespace_;
    std::vector<bool> duplicate_[3]; // classes, properties, types given twice

    std::vector<ClassState> classStates_;
    std::unordered_map<Label, std::size_t> classesByKey_; // by key without version
    std::vector<std::string> propertyNames_;              // claimed, by definition
    std::vector<bool> propertyUsed_;
    std::vector<std::string> typeNames_;                      // claimed, by definition
    std::vector<std::vector<std::size_t>> children_;          // of each class, by definition
    std::unordered_map<std::size_t, KLV::KeyVector> targets_; // referenceTargets, by class
    std::size_t targetBudget_ = 0; // keys that reference targets may still take
};

} // namespace MXF
} // namespace Palimo
