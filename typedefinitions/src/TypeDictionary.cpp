#include <Palimo/TypeDefinitions/TypeDefinitionError.h>
#include <Palimo/TypeDefinitions/TypeDictionary.h>

namespace Palimo {
namespace TypeDefinitions {
namespace {

template <typename Map>
auto findExactOrLoose(const Map& exact, const Map& loose, const Label& label) -> const
    typename Map::mapped_type* {
    const auto found = exact.find(label);
    if (found != exact.end())
        return &found->second;
    const auto looseFound = loose.find(label.withoutVersion());
    return looseFound == loose.end() ? nullptr : &looseFound->second;
}

} // namespace

const TypeDefinition* TypeDictionary::findType(const Label& label) const {
    if (base_)
        if (const TypeDefinition* type = base_->findType(label))
            return type;
    const auto found = findExactOrLoose(byLabel_, byLooseLabel_, label);
    return found ? *found : nullptr;
}

const TypeDefinition* TypeDictionary::findType(const std::string& symbol) const {
    if (base_)
        if (const TypeDefinition* type = base_->findType(symbol))
            return type;
    const auto found = bySymbol_.find(symbol);
    return found == bySymbol_.end() ? nullptr : found->second;
}

const TypeDefinition* TypeDictionary::elementType(const Label& element) const {
    if (base_)
        if (const TypeDefinition* type = base_->elementType(element))
            return type;
    const auto found = findExactOrLoose(elementTypes_, looseElementTypes_, element);
    return found ? *found : nullptr;
}

const Label* TypeDictionary::uniqueIdentifier(const Label& setKey) const {
    if (base_)
        if (const Label* identifier = base_->uniqueIdentifier(setKey))
            return identifier;
    return findExactOrLoose(identifiers_, looseIdentifiers_, setKey);
}

const LabelName* TypeDictionary::labelName(const Label& label) const {
    if (base_)
        if (const LabelName* name = base_->labelName(label))
            return name;
    const auto found = findExactOrLoose(labelNamesByLabel_, looseLabelNames_, label);
    return found ? *found : nullptr;
}

const std::string* TypeDictionary::registerSymbol(const Label& label) const {
    if (base_)
        if (const std::string* symbol = base_->registerSymbol(label))
            return symbol;
    const auto found = symbols_.find(label);
    return found == symbols_.end() ? nullptr : &found->second;
}

void TypeDictionary::setRegisterSymbol(const Label& label, std::string symbol) {
    symbols_[label] = std::move(symbol);
}

TypeDefinition& TypeDictionary::addType(TypeDefinition type) {
    if (base_) {
        const TypeDefinition* taken = base_->findType(type.symbol);
        if (!taken) {
            taken = base_->findType(type.label);
            if (taken && taken->label != type.label)
                taken = nullptr; // another version of the label: no clash
        }
        if (taken)
            throw TypeDefinitionError("type " + type.symbol + " (" + type.label.dotted() +
                                          ") is a type of the base dictionary",
                                      __FILE__, __LINE__);
    }
    if (bySymbol_.count(type.symbol))
        throw TypeDefinitionError("type " + type.symbol + " is defined twice", __FILE__, __LINE__);
    if (byLabel_.count(type.label))
        throw TypeDefinitionError("types " + byLabel_.at(type.label)->symbol + " and " +
                                      type.symbol + " have the same label " + type.label.dotted(),
                                  __FILE__, __LINE__);
    TypeDefinition& added = types_.emplace_back(std::move(type));
    ownTypes_.insert(&added);
    bySymbol_.emplace(added.symbol, &added);
    byLabel_.emplace(added.label, &added);
    byLooseLabel_.emplace(added.label.withoutVersion(), &added);
    return added;
}

void TypeDictionary::linkElement(const Label& element, const TypeDefinition& type) {
    elementTypes_[element] = &type;
    looseElementTypes_[element.withoutVersion()] = &type;
}

void TypeDictionary::setUniqueIdentifier(const Label& setKey, const Label& identifier) {
    identifiers_[setKey] = identifier;
    looseIdentifiers_[setKey.withoutVersion()] = identifier;
}

void TypeDictionary::addLabelName(LabelName name) {
    if (labelNamesByLabel_.count(name.label))
        return;
    const LabelName& added = labelNames_.emplace_back(std::move(name));
    labelNamesByLabel_.emplace(added.label, &added);
    looseLabelNames_.emplace(added.label.withoutVersion(), &added);
}

} // namespace TypeDefinitions
} // namespace Palimo
