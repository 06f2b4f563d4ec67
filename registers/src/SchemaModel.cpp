#include "SchemaModel.h"

#include <algorithm>
#include <set>

namespace Palimo {
namespace Registers {
namespace {

std::vector<EnumerationValue> enumerationValues(const TypeEntry& type,
                                                const std::map<Label, std::string>& labelSymbols) {
    std::vector<EnumerationValue> values;
    for (const TypeFacet& facet : type.facets) {
        if (facet.deprecated || facet.value.empty())
            continue;
        EnumerationValue value{facet.value, facet.symbol};
        if (const std::optional<Label> label = parseRegisterLabel(facet.value)) {
            value.value = label->dotted();
            const auto named = labelSymbols.find(label->withoutVersion());
            if (value.documentation.empty() && named != labelSymbols.end())
                value.documentation = named->second;
        }
        values.push_back(std::move(value));
    }
    return values;
}

std::string registerTypeSymbol(const ElementEntry& element, const TypeMapper& types) {
    if (!element.type)
        return std::string();
    const TypeEntry* type = types.entry(*element.type);
    return type ? type->symbol : element.type->dotted();
}

// Symbols with white space in them could not be told from the label in a
// line of "Label Names"; no register has one.
std::vector<NamedLabel> namedLabels(const std::vector<LabelEntry>& labels,
                                    std::vector<std::string>& notes) {
    std::vector<const LabelEntry*> listed;
    std::size_t unlisted = 0;
    for (const LabelEntry& label : labels) {
        if (!label.leaf || label.deprecated)
            continue;
        if (label.symbol.find_first_of(" \t\r\n") != std::string::npos)
            ++unlisted;
        else
            listed.push_back(&label);
    }
    std::sort(listed.begin(), listed.end(),
              [](const LabelEntry* a, const LabelEntry* b) { return a->ul < b->ul; });
    std::vector<NamedLabel> named;
    named.reserve(listed.size());
    for (const LabelEntry* label : listed)
        named.push_back({label->ul.urn(), label->symbol});
    if (unlisted != 0)
        notes.push_back(std::to_string(unlisted) +
                        " labels have white space in their symbol and are not named");
    return named;
}

} // namespace

SchemaModel buildSchemaModel(const Registers& registers, const Selection& selection,
                             const Names& names, const TypeMapper& types) {
    SchemaModel model;
    model.revisions = registers.revisions;

    std::set<std::string> namespaces;
    for (const ElementEntry& e : registers.elements)
        namespaces.insert(e.namespaceName);
    for (const GroupEntry& g : registers.groups)
        namespaces.insert(g.namespaceName);
    for (const TypeEntry& t : registers.types)
        namespaces.insert(t.namespaceName);
    for (const LabelEntry& l : registers.labels)
        namespaces.insert(l.namespaceName);
    model.prefixes = namespacePrefixes(namespaces);
    model.typeDefinitions = defineTypes(registers, selection, types);
    if (registers.hasLabels)
        model.labelNames = namedLabels(registers.labels, model.notes);

    std::map<Label, std::string> labelSymbols;
    for (const LabelEntry& label : registers.labels)
        labelSymbols.emplace(label.ul.withoutVersion(), label.symbol);

    for (const SelectedSet& set : selection.sets) {
        SetDeclaration declaration{set.group,
                                   names.sets.at(set.group),
                                   names.types.at(set.group),
                                   names.references.at(set.group),
                                   set.parent ? names.sets.at(set.parent) : std::string(),
                                   set.parent ? names.types.at(set.parent) : std::string(),
                                   {}};
        for (const SelectedMember& member : set.members)
            declaration.members.push_back({names.elements.at(member.element),
                                           member.record->optional, member.record->value,
                                           member.record->uniqueID});
        model.sets.push_back(std::move(declaration));
    }

    for (const ElementEntry* element : selection.elements) {
        ElementDeclaration declaration{
            element, names.elements.at(element), types.map(element->type), {}, {}, std::nullopt,
            {}};
        const auto typeDefinition = model.typeDefinitions.elementTypes.find(element);
        if (typeDefinition != model.typeDefinitions.elementTypes.end())
            declaration.typeDefinition = typeDefinition->second;
        const auto tag = selection.localTags.find(element);
        if (tag != selection.localTags.end())
            declaration.localTag = tag->second;
        if (declaration.type.enumeration)
            declaration.enumeration =
                enumerationValues(*types.entry(*declaration.type.enumeration), labelSymbols);
        if (!declaration.type.fallback.empty())
            model.fallbacks.push_back(
                {declaration.name, registerTypeSymbol(*element, types), declaration.type.fallback});
        if (declaration.type.kind == MappedType::Kind::Reference ||
            declaration.type.kind == MappedType::Kind::ReferenceCollection) {
            const SelectedSet* target =
                declaration.type.target ? selection.findSet(*declaration.type.target) : nullptr;
            if (target) {
                declaration.targets.push_back(names.sets.at(target->group));
            } else {
                model.leftOut.push_back(
                    {"reference target of element " + declaration.name,
                     declaration.type.target
                         ? "group " + declaration.type.target->dotted() +
                               " is no written set: the reference is written without targets"
                         : "the register gives no target: the reference is written without "
                           "targets"});
            }
        }
        model.elements.push_back(std::move(declaration));
    }
    return model;
}

} // namespace Registers
} // namespace Palimo
