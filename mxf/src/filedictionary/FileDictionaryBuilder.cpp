#include "FileDictionaryBuilder.h"

#include "DictionaryIndexes.h"

#include <algorithm>
#include <utility>

namespace Palimo {
namespace MXF {

using Definitions::definitionText;

FileDictionaryBuilder::FileDictionaryBuilder(const HeaderMetadata& metadata,
                                             Definitions::MetaDefinitions definitions,
                                             const MetaMetadata::Dictionary& dictionary,
                                             const TypeDefinitions::TypeDictionary* types,
                                             const Definitions::LoadedIndex& loaded,
                                             const Definitions::TakenNames& names)
    : metadata_(metadata), dictionary_(dictionary), loadedTypes_(types), loaded_(loaded),
      definitions_(std::move(definitions)), result_(new FileDictionary(types)), names_(names) {}

std::shared_ptr<const FileDictionary> FileDictionaryBuilder::run() {
    result_->problems_ = std::move(definitions_.problems);
    index();
    resolveClasses();
    claimNames();
    buildTypes();
    buildProperties();
    gatherMembers();
    findUniqueIdentifiers();
    listClasses();
    buildSets();
    std::stable_sort(result_->problems_.begin(), result_->problems_.end(),
                     [](const Problem& a, const Problem& b) { return a.offset < b.offset; });
    return std::shared_ptr<const FileDictionary>(std::move(result_));
}

void FileDictionaryBuilder::problem(const Definitions::Definition& definition,
                                    const std::string& message) {
    result_->problems_.push_back(
        Problem{Problem::Kind::FileDictionary, definition.offset, message});
}

// Definitions by identification, each the first given: a later one of the
// same identification is refused.
void FileDictionaryBuilder::index() {
    const auto byIdentification = [this](auto& list, std::unordered_map<Label, std::size_t>& index,
                                         std::vector<bool>& duplicate, const char* what) {
        duplicate.assign(list.size(), false);
        for (std::size_t i = 0; i < list.size(); ++i) {
            const auto& definition = list[i];
            const auto [first, added] = index.emplace(definition.identification, i);
            if (!added) {
                duplicate[i] = true;
                problem(definition,
                        definitionText(what, definition.name, definition.identification) +
                            " of the file's dictionary is not used: it is defined "
                            "twice (first at byte " +
                            std::to_string(list[first->second].offset) + ")");
            }
            if (definition.instanceUID)
                identificationOfSet_.emplace(*definition.instanceUID, definition.identification);
        }
    };
    byIdentification(definitions_.classes, classes_, duplicate_[0], "class");
    byIdentification(definitions_.properties, properties_, duplicate_[1], "property");
    byIdentification(definitions_.types, types_, duplicate_[2], "type");
    for (std::size_t i = 0; i < definitions_.properties.size(); ++i)
        if (definitions_.properties[i].instanceUID && !duplicate_[1][i])
            propertyOfSet_.emplace(*definitions_.properties[i].instanceUID, i);
    for (const Definitions::ExtensionScheme& scheme : definitions_.schemes)
        if (!scheme.namespaceURI.empty())
            for (const UUID& listed : scheme.metaDefinitions)
                schemeNamespace_.emplace(listed, scheme.namespaceURI);
}

Label FileDictionaryBuilder::referent(const Label& value) const {
    if (classes_.count(value) || properties_.count(value) || types_.count(value))
        return value;
    const auto set = identificationOfSet_.find(UUID::fromBytes(value.data()));
    return set == identificationOfSet_.end() ? value : set->second;
}

std::string FileDictionaryBuilder::namespaceOf(const Definitions::Definition& definition) const {
    if (definition.instanceUID) {
        const auto scheme = schemeNamespace_.find(*definition.instanceUID);
        if (scheme != schemeNamespace_.end())
            return scheme->second;
    }
    return kFileDictionaryNamespace;
}

// Names in the order of the labels, classes first, so that the same
// definitions get the same names whatever order a file gives them in.
void FileDictionaryBuilder::claimNames() {
    std::vector<std::size_t> order;
    const auto byLabel = [&order](const auto& list, const std::vector<bool>& duplicate) {
        order.clear();
        for (std::size_t i = 0; i < list.size(); ++i)
            if (!duplicate[i])
                order.push_back(i);
        std::sort(order.begin(), order.end(), [&list](std::size_t a, std::size_t b) {
            return list[a].identification < list[b].identification;
        });
    };
    byLabel(definitions_.classes, duplicate_[0]);
    for (const std::size_t i : order)
        if (classStates_[i].use == ClassState::Use::Added)
            classStates_[i].name =
                names_.claim(definitions_.classes[i].name, definitions_.classes[i].identification,
                             Definitions::DefinitionNames::Kind::Set);
    propertyNames_.assign(definitions_.properties.size(), std::string());
    byLabel(definitions_.properties, duplicate_[1]);
    for (const std::size_t i : order) {
        const PropertyDefinition& property = definitions_.properties[i];
        if (!loaded_.elements.find(property.identification))
            propertyNames_[i] = names_.claim(property.name, property.identification,
                                             Definitions::DefinitionNames::Kind::Element);
    }
    typeNames_.assign(definitions_.types.size(), std::string());
    byLabel(definitions_.types, duplicate_[2]);
    for (const std::size_t i : order) {
        const TypeDefinition& type = definitions_.types[i];
        if (!loadedTypes_ || !loadedTypes_->findType(type.identification))
            typeNames_[i] = names_.claim(type.name, type.identification,
                                         Definitions::DefinitionNames::Kind::Type);
    }
}

std::shared_ptr<const FileDictionary>
FileDictionary::read(const HeaderMetadata& metadata, const MetaMetadata::Dictionary& dictionary,
                     const TypeDefinitions::TypeDictionary* types) {
    Definitions::MetaDefinitions definitions = Definitions::readMetaDefinitions(metadata);
    if (definitions.empty() && definitions.problems.empty())
        return nullptr;
    // For one file, only what its definitions are checked against is indexed.
    const Definitions::LoadedIndex loaded(dictionary);
    const Definitions::TakenNames names(dictionary, types);
    return FileDictionaryBuilder(metadata, std::move(definitions), dictionary, types, loaded, names)
        .run();
}

std::shared_ptr<const FileDictionary> FileDictionary::read(const HeaderMetadata& metadata,
                                                           const DictionaryIndex& index) {
    std::vector<std::uint8_t> bytes = Definitions::definitionBytes(metadata);
    if (bytes.empty())
        return nullptr;
    const FileDictionaryCache& cache = index.indexes().fileDictionaries;
    if (std::shared_ptr<const FileDictionary> built = cache.find(bytes))
        return built;
    Definitions::MetaDefinitions definitions = Definitions::readMetaDefinitions(metadata);
    if (definitions.empty() && definitions.problems.empty())
        return nullptr;
    std::shared_ptr<const FileDictionary> built =
        FileDictionaryBuilder(metadata, std::move(definitions), index.dictionary(), index.types(),
                              index.indexes().loaded, index.indexes().names)
            .run();
    cache.add(std::move(bytes), built);
    return built;
}

const MetaMetadata::MetaMetadataSet* FileDictionary::findSet(const Label& key) const {
    const auto found = sets_.find(key.withoutVersion());
    return found == sets_.end() ? nullptr : found->second;
}

const MetaMetadata::MetaElement* FileDictionary::findElement(const Label& label) const {
    const auto exact = exactElements_.find(label);
    if (exact != exactElements_.end())
        return exact->second;
    const auto loose = looseElements_.find(label.withoutVersion());
    return loose == looseElements_.end() ? nullptr : loose->second;
}

const std::vector<Label>&
FileDictionary::ancestors(const MetaMetadata::MetaMetadataSet& set) const {
    static const std::vector<Label> none;
    const auto found = ancestors_.find(&set);
    return found == ancestors_.end() ? none : found->second;
}

bool FileDictionary::holds(const MetaMetadata::MetaMetadataSet& set, const Label& element) const {
    const auto found = members_.find(&set);
    return found != members_.end() && found->second.count(element) != 0;
}

} // namespace MXF
} // namespace Palimo
