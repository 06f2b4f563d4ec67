// The properties a file's dictionary adds, as elements of the core library
// typed by the type definitions, and the members it gives classes. A
// property the loaded dictionary holds stays as the dictionary defines it;
// where the file says otherwise, that is reported.
#include "FileDictionaryBuilder.h"

#include "../Names.h"
#include "FlatTypes.h"

#include <Palimo/Identifiers/Hex.h>
#include <Palimo/Utils/StringConversion.h>

#include <algorithm>
#include <unordered_set>

namespace Palimo {
namespace MXF {

using Definitions::auidText;
using Definitions::definitionText;
using Definitions::namedText;
using Identifiers::localTagText;

namespace {

namespace Id = Types::Identifiers;

std::unique_ptr<MetaMetadata::MetaElement> makeElement(const Label& label, const FlatType& flat,
                                                       const KLV::KeyVector& targets) {
    const Types::UniversalLabel ul(label.bytes());
    switch (flat.kind) {
    case FlatType::Kind::Collection:
        return std::make_unique<MetaMetadata::MetaCollection>(
            ul, MetaMetadata::CollectionSizeLimits(), flat.identifier, flat.itemIdentifier);
    case FlatType::Kind::Reference:
        return std::make_unique<MetaMetadata::MetaReferenceElement>(ul, targets, flat.identifier);
    case FlatType::Kind::ReferenceCollection:
        return std::make_unique<MetaMetadata::MetaReferenceCollection>(
            ul, MetaMetadata::CollectionSizeLimits(), targets, flat.identifier,
            flat.itemIdentifier);
    default:
        return std::make_unique<MetaMetadata::MetaSimpleElement>(ul, flat.identifier);
    }
}

void addProperty(MetaMetadata::PropertyMap& map, const char* key, const std::string& value) {
    map.addProperty(Utils::stringToWstring(key), Utils::stringToWstring(value));
}

} // namespace

void FileDictionaryBuilder::buildProperties() {
    const std::vector<PropertyDefinition>& properties = definitions_.properties;
    propertyUsed_.assign(properties.size(), false);
    children_.assign(classStates_.size(), {});
    for (std::size_t i = 0; i < classStates_.size(); ++i)
        if (classStates_[i].use != ClassState::Use::Refused && classStates_[i].parent)
            children_[*classStates_[i].parent].push_back(i);
    targetBudget_ = 65536 + 4 * (classStates_.size() + properties.size());
    // Local tags of the properties the dictionary holds first: a tag the file
    // gives one of its own properties must be free of them.
    std::unordered_map<std::uint16_t, std::size_t> tags;
    std::vector<std::size_t> own;
    for (std::size_t i = 0; i < properties.size(); ++i) {
        if (duplicate_[1][i])
            continue;
        const PropertyDefinition& property = properties[i];
        const MetaMetadata::MetaElement* known = loaded_.elements.find(property.identification);
        if (!known) {
            own.push_back(i);
            continue;
        }
        checkDictionaryProperty(property, *known);
        if (property.localTag)
            tags.emplace(*property.localTag, i);
    }
    for (const std::size_t i : own) {
        const PropertyDefinition& property = properties[i];
        std::string why;
        if (property.localTag) {
            const Types::UniversalLabel* tagged =
                *property.localTag < 0x8000
                    ? dictionary_.findLabelByLocalTag(Types::LocalTag(*property.localTag))
                    : nullptr;
            const auto taken = tags.find(*property.localTag);
            if (tagged) {
                const MetaMetadata::MetaElement* holder = dictionary_.findMetaElement(*tagged);
                why = "its local tag " + localTagText(*property.localTag) +
                      " is the dictionary's tag of " +
                      (holder ? entryName(*holder) + " " : std::string()) + "(" +
                      Label(tagged->array()).dotted() + ")";
            } else if (taken != tags.end()) {
                const PropertyDefinition& holder = properties[taken->second];
                why = "its local tag " + localTagText(*property.localTag) +
                      " is also that of property " + namedText(holder.name, holder.identification);
            }
        }
        if (why.empty())
            why = buildProperty(property, i);
        if (!why.empty()) {
            problem(property, definitionText("property", property.name, property.identification) +
                                  " of the file's dictionary is not used: " + why);
            continue;
        }
        propertyUsed_[i] = true;
        if (property.localTag)
            tags.emplace(*property.localTag, i);
    }
    std::sort(result_->properties_.begin(), result_->properties_.end(),
              [](const FileProperty& a, const FileProperty& b) { return a.label < b.label; });
}

void FileDictionaryBuilder::checkDictionaryProperty(const PropertyDefinition& property,
                                                    const MetaMetadata::MetaElement& element) {
    const std::string what = definitionText("property", property.name, property.identification) +
                             " of the file's dictionary ";
    const TypeDefinitions::TypeDefinition* known =
        loadedTypes_ ? loadedTypes_->elementType(property.identification) : nullptr;
    if (known && property.type) {
        const Label type = referent(*property.type);
        if (!known->label.equalIgnoringVersion(type)) {
            const auto defined = types_.find(type);
            const TypeDefinitions::TypeDefinition* loaded = loadedTypes_->findType(type);
            const std::string fileType =
                defined != types_.end()
                    ? namedText(definitions_.types[defined->second].name, type)
                    : (loaded ? loaded->symbol + " (" + auidText(type) + ")" : auidText(type));
            problem(property, what + "has the type " + fileType + ", where the dictionary gives " +
                                  entryName(element) + " the type " + known->symbol + " (" +
                                  known->label.dotted() + "): the dictionary's is used");
        }
    }
    if (property.localTag && *property.localTag < 0x8000) {
        const Types::LocalTag* tag = dictionary_.findLocalTag(element.universalLabel());
        if (tag && tag->value() != *property.localTag)
            problem(property, what + "has the local tag " + localTagText(*property.localTag) +
                                  ", where the dictionary gives " + entryName(element) + " " +
                                  localTagText(tag->value()) + ": the dictionary's is used");
    }
}

std::string FileDictionaryBuilder::buildProperty(const PropertyDefinition& property,
                                                 std::size_t index) {
    if (!property.type)
        return "it has no PropertyType";
    const Label typeLabel = referent(*property.type);
    const TypeDefinitions::TypeDefinition* type = result_->types_.findType(typeLabel);
    if (!type) {
        const auto defined = types_.find(typeLabel);
        return defined != types_.end()
                   ? "its type " + namedText(definitions_.types[defined->second].name, typeLabel) +
                         " is not used"
                   : "its type " + auidText(typeLabel) +
                         " is defined neither by the file nor by the dictionary";
    }
    FileProperty added;
    added.offset = property.offset;
    added.label = property.identification;
    added.name = propertyNames_[index];
    added.fileName = property.name;
    added.description = property.description;
    added.namespaceURI = namespaceOf(property);
    if (property.localTag && *property.localTag < 0x8000)
        added.localTag = property.localTag;
    added.type = type;
    added.flat = Definitions::flatType(*type);
    // Targets are sets of the dictionary (by the dictionary's key) or classes
    // the file adds, each with the classes of the file below it; others are
    // dropped.
    KLV::KeyVector targets;
    std::vector<Label> keys;
    for (const Label& target : added.flat.targets) {
        const auto defined = classesByKey_.find(target.withoutVersion());
        if (defined != classesByKey_.end() &&
            classStates_[defined->second].use != ClassState::Use::Refused) {
            keys.push_back(classStates_[defined->second].key);
            targets = referenceTargets(keys.back());
        } else if (const MetaMetadata::MetaMetadataSet* set = loaded_.sets.find(target)) {
            keys.push_back(Label(set->key().bytes()));
            targets = {set->key()};
        }
    }
    added.flat.targets = keys;

    std::unique_ptr<MetaMetadata::MetaElement> element =
        makeElement(property.identification, added.flat, targets);
    addProperty(*element, "name", property.name);
    addProperty(*element, "XMLTagName", added.name);
    addProperty(*element, "XMLNamespaceURI", added.namespaceURI);
    const Types::UniversalLabel ul(property.identification.bytes());
    MetaMetadata::Dictionary& own = result_->own_;
    if (added.localTag)
        own.addLocalTag(Types::LocalTag(*added.localTag), ul);
    added.element = element.get();
    own.addMetaElement(ul, std::move(element));
    result_->exactElements_.emplace(property.identification, added.element);
    result_->looseElements_.emplace(property.identification.withoutVersion(), added.element);
    result_->types_.linkElement(property.identification, *type);
    result_->properties_.push_back(std::move(added));
    return std::string();
}

KLV::KeyVector FileDictionaryBuilder::referenceTargets(const Label& key) {
    const std::size_t klass = classesByKey_.at(key.withoutVersion());
    const auto known = targets_.find(klass);
    if (known != targets_.end())
        return known->second;
    KLV::KeyVector keys;
    std::vector<std::size_t> next{klass};
    while (!next.empty() && keys.size() <= kMaxFileSetMembers) {
        const std::size_t at = next.back();
        next.pop_back();
        keys.push_back(KLV::Key(classStates_[at].key.bytes()));
        next.insert(next.end(), children_[at].begin(), children_[at].end());
    }
    // Too many to list (or to hand out again): a reference that lists no
    // targets may refer to any set.
    if (keys.size() > kMaxFileSetMembers || keys.size() > targetBudget_)
        keys.clear();
    targetBudget_ -= std::min(targetBudget_, keys.size());
    targets_.emplace(klass, keys);
    return keys;
}

// The members of each class: those its definition lists and the properties
// that name it (MemberOf), each once, in that order. A class of the
// dictionary gets only the properties the file adds.
void FileDictionaryBuilder::gatherMembers() {
    const std::vector<PropertyDefinition>& properties = definitions_.properties;
    std::vector<std::unordered_set<Label>> listed(classStates_.size());
    const auto add = [&](std::size_t klass, std::size_t i) {
        ClassState& state = classStates_[klass];
        const PropertyDefinition& property = properties[i];
        const MetaMetadata::MetaElement* element = nullptr;
        if (propertyUsed_[i])
            element = result_->findElement(property.identification);
        else if (state.use == ClassState::Use::Added)
            element = loaded_.elements.find(property.identification);
        if (!element || !listed[klass].insert(property.identification).second)
            return;
        state.members.push_back(
            {property.identification, element, property.optional, property.uniqueIdentifier});
    };
    for (std::size_t klass = 0; klass < definitions_.classes.size(); ++klass) {
        if (classStates_[klass].use == ClassState::Use::Refused)
            continue;
        for (const UUID& set : definitions_.classes[klass].properties) {
            const auto found = propertyOfSet_.find(set);
            if (found != propertyOfSet_.end())
                add(klass, found->second);
        }
    }
    for (std::size_t i = 0; i < properties.size(); ++i) {
        if (duplicate_[1][i] || !properties[i].memberOf)
            continue;
        const auto klass = classes_.find(referent(*properties[i].memberOf));
        if (klass != classes_.end() && classStates_[klass->second].use != ClassState::Use::Refused)
            add(klass->second, i);
    }
}

void FileDictionaryBuilder::listClasses() {
    const std::vector<ClassDefinition>& classes = definitions_.classes;
    for (std::size_t i = 0; i < classes.size(); ++i) {
        const ClassState& state = classStates_[i];
        const bool added = state.use == ClassState::Use::Added;
        if (!added && (state.use == ClassState::Use::Refused || state.members.empty()))
            continue;
        FileClass klass;
        klass.offset = classes[i].offset;
        klass.key = state.key;
        klass.added = added;
        klass.name = added ? state.name : entryName(*state.dictionarySet);
        klass.fileName = classes[i].name;
        klass.description = classes[i].description;
        if (added) {
            klass.namespaceURI = namespaceOf(classes[i]);
            if (state.parent)
                klass.parent = classStates_[*state.parent].key;
            else if (state.dictionaryParent)
                klass.parent = Label(state.dictionaryParent->key().bytes());
        }
        klass.concrete = classes[i].concrete;
        klass.members = state.members;
        result_->classes_.push_back(std::move(klass));
    }
    std::sort(result_->classes_.begin(), result_->classes_.end(),
              [](const FileClass& a, const FileClass& b) { return a.key < b.key; });
}

} // namespace MXF
} // namespace Palimo
