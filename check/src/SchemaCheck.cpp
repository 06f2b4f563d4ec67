#include "Checks.h"
#include "LoadRules.h"
#include "SchemaDom.h"
#include "schema/Annotations.h"

#include <Palimo/Identifiers/Label.h>
#include <Palimo/MetaMetadata/MetaMetadataSet.h>
#include <Palimo/Query/Entries.h>

#include <map>
#include <set>

namespace Palimo {
namespace Check {

using namespace MetaMetadata;

namespace {

namespace Source = Loading::AppinfoSource;
using Loading::kReferenceTypes;

std::string displayName(const MetaElement& element) {
    return Query::displayName(element, "(unnamed)");
}

// The merged document's top-level components that the checks look at.
struct Components {
    std::set<std::string> elementNames; // declarations carrying "RP210": the meta elements
    std::map<std::string, const xercesc::DOMElement*> topElements;  // first of each name
    std::map<std::string, const xercesc::DOMElement*> complexTypes; // first of each name
    std::vector<const xercesc::DOMElement*> references;             // typed Ref / ff:Ref
};

// Typed "Ref" or "ff:Ref", as written: the declarations that name the sets.
bool isReference(const xercesc::DOMElement& element) {
    const auto type = attribute(element, "type");
    for (const char16_t* reference : kReferenceTypes)
        if (type == std::optional<std::string>(utf8(reference)))
            return true;
    return false;
}

Components readComponents(const SchemaSet& schema) {
    Components components;
    for (const xercesc::DOMElement* child : schema.components()) {
        const std::string name = attribute(*child, "name").value_or("");
        if (schema.isRegistered(*child))
            components.elementNames.insert(name);
        const std::string kind = localName(*child);
        if (kind == "element") {
            components.topElements.emplace(name, child);
            if (isReference(*child))
                components.references.push_back(child);
        } else if (kind == "complexType") {
            components.complexTypes.emplace(name, child);
        }
    }
    return components;
}

// The local names of complexType/*/(extension|restriction)/choice/element/@ref
// of an element's anonymous type: the sets a reference may point to.
std::vector<std::string> choiceTargets(const xercesc::DOMElement& declaration) {
    std::vector<std::string> targets;
    for (const xercesc::DOMElement* type : schemaChildren(declaration, "complexType"))
        for (const xercesc::DOMElement* content : schemaChildren(*type))
            for (const xercesc::DOMElement* derivation : schemaChildren(*content))
                for (const xercesc::DOMElement* choice : schemaChildren(*derivation, "choice"))
                    for (const xercesc::DOMElement* target : schemaChildren(*choice, "element"))
                        if (const auto ref = attribute(*target, "ref"))
                            targets.push_back(localPart(*ref));
    return targets;
}

class Checker {
public:
    Checker(const SchemaSet& schema, const Dictionary& dictionary)
        : dictionary_(dictionary), schema_(schema) {}

    void checkSets(const Components& components) {
        std::map<std::string, std::string> setsByKey; // label text -> set name
        std::set<const xercesc::DOMElement*> checked;
        for (const xercesc::DOMElement* reference : components.references) {
            const std::string referenceName = attribute(*reference, "name").value_or("");
            const std::string group =
                localPart(attribute(*reference, "substitutionGroup").value_or(""));
            const auto set = components.topElements.find(soughtName(group));
            if (set == components.topElements.end()) {
                add("unknownSubstitutionGroup", "reference declaration " + referenceName,
                    referenceName,
                    "its substitution group '" + group +
                        "' names no top-level element declaration; it makes no set");
                continue;
            }
            if (!checked.insert(set->second).second)
                continue;
            const std::string setName = set->first;
            const auto key = schema_.appinfo(*set->second, Source::kULDesignator);
            if (!key || key->empty()) {
                add("setWithoutKey", "set " + setName, setName,
                    "it has no \"UL Designator\" annotation; the load skips the set");
                continue;
            }
            if (const auto parsed = Palimo::Identifiers::Label::parse(*key)) {
                const std::string text = KLV::Key(parsed->bytes()).text();
                const auto [earlier, fresh] = setsByKey.emplace(text, setName);
                if (!fresh && earlier->second != setName)
                    add("duplicateSetKey", "set " + setName, setName,
                        "its key " + text + " is also the key of set " + earlier->second +
                            "; the dictionary keeps one set under it");
            }
            keyedSets_.insert(setName);
            checkMembers(components, setName, attribute(*set->second, "type").value_or(""));
        }
    }

    // The targets of every reference declaration, as the load resolves them:
    // a set declaration with a designator, or the head of a substitution group.
    void checkReferenceTargets(const Components& components) {
        std::set<std::string> heads; // reference declarations make no member of a group
        for (const auto& [name, element] : components.topElements)
            if (const auto group = attribute(*element, "substitutionGroup"))
                if (!isReference(*element))
                    heads.insert(localPart(*group));
        for (const auto& [name, element] : components.topElements) {
            if (!components.elementNames.count(name))
                continue;
            for (const std::string& target : choiceTargets(*element)) {
                const auto set = keyedSets_.find(target);
                if (set != keyedSets_.end() || heads.count(target))
                    continue;
                targetsReported_.insert(name);
                add("referenceWithoutSet", "element " + name, name,
                    "its target '" + target +
                        "' is no set declaration with a \"UL Designator\"; the load drops it");
            }
        }
    }

    void checkElements() {
        std::map<std::string, std::string> elementsByTag; // local tag -> element name
        std::set<Types::UniversalLabel> held;             // labels of every set member
        for (const MetaMetadataSet* set : dictionary_.metaMetadataSets())
            for (const auto& attribute : set->attributes())
                held.insert(attribute->metaElement().universalLabel());
        for (const MetaElement* element : dictionary_.metaElements()) {
            const std::string name = displayName(*element);
            const MetaElement* visible = dictionary_.findMetaElement(element->universalLabel());
            if (visible != element) {
                add("duplicateLabel", "element " + name, name,
                    "its label " + element->universalLabel().text() + " is also that of element " +
                        displayName(*visible) + ", declared later, which hides it");
                continue;
            }
            if (const auto* tag = dictionary_.findLocalTag(element->universalLabel())) {
                const auto [earlier, fresh] = elementsByTag.emplace(tag->text(), name);
                if (!fresh)
                    add("duplicateLocalTag", "element " + name, name,
                        "its local tag " + tag->text() + " is also that of element " +
                            earlier->second);
            }
            checkTargets(*element, name);
            if (!held.count(element->universalLabel()))
                add("unusedElement", "element " + name, name, "no set holds it");
        }
    }

    std::vector<Finding> findings() && {
        // A member of a base type is reported once, with every set that inherits it.
        for (const auto& [typeAndMember, sets] : unknownMembers_) {
            std::string names;
            for (const std::string& set : sets)
                names += (names.empty() ? "" : ", ") + set;
            add("unknownMember", "type " + typeAndMember.first, typeAndMember.first,
                "its member " + typeAndMember.second +
                    " names no element declaration; the load skips it in " +
                    (sets.size() == 1 ? "set " : "sets ") + names);
        }
        return std::move(findings_);
    }

private:
    void add(const char* kind, std::string declaration, const std::string& name,
             std::string message) {
        const std::optional<SourcePlace> place = schema_.declaration(name);
        findings_.push_back({kind, std::move(declaration), place ? place->file : std::string(),
                             place ? place->line : 0, std::move(message)});
    }

    // Members of the set's type and of every base, as the load gathers them.
    void checkMembers(const Components& components, const std::string& setName,
                      const std::string& typeName) {
        std::set<std::string> visited;
        std::string type = localPart(typeName);
        while (!type.empty() && visited.insert(type).second) {
            const auto found = components.complexTypes.find(type);
            if (found == components.complexTypes.end())
                return; // the load refuses such a schema

            for (const char* kind : {"element", "attribute"})
                for (const xercesc::DOMElement* member : schemaDescendants(*found->second, kind)) {
                    const auto ref = attribute(*member, "ref");
                    const std::string shown =
                        ref ? *ref : "named " + attribute(*member, "name").value_or("");
                    if (!components.elementNames.count(localPart(ref.value_or(""))))
                        unknownMember(type, shown, setName);
                }
            type.clear();
            for (const xercesc::DOMElement* content : schemaChildren(*found->second))
                for (const xercesc::DOMElement* derivation : schemaChildren(*content))
                    if (type.empty() && attribute(*derivation, "base"))
                        type = localPart(*attribute(*derivation, "base"));
        }
    }

    void unknownMember(const std::string& type, const std::string& member, const std::string& set) {
        std::vector<std::string>& sets = unknownMembers_[{type, member}];
        if (sets.empty() || sets.back() != set)
            sets.push_back(set);
    }

    void checkTargets(const MetaElement& element, const std::string& name) {
        const KLV::KeyVector* targets = Query::targetsOf(element);
        if (!targets)
            return;
        if (targets->empty() && !targetsReported_.count(name))
            add("referenceWithoutSet", "element " + name, name,
                "it is a reference, but names no set it may point to");
        for (const auto& key : *targets)
            if (!dictionary_.findMetaMetadataSet(key))
                add("referenceWithoutSet", "element " + name, name,
                    "its target " + key.text() + " is no set of the dictionary");
    }

    const Dictionary& dictionary_;
    const SchemaSet& schema_;
    std::vector<Finding> findings_;
    std::map<std::pair<std::string, std::string>, std::vector<std::string>> unknownMembers_;
    std::set<std::string> keyedSets_;       // set declarations with a designator
    std::set<std::string> targetsReported_; // elements with a target already reported
};

} // namespace

std::vector<Finding> checkSchema(const std::string& topFile, const Dictionary& dictionary) {
    const SchemaSet schema(topFile);
    Checker checker(schema, dictionary);
    const Components components = readComponents(schema);
    checker.checkSets(components);
    checker.checkReferenceTargets(components);
    checker.checkElements();
    return std::move(checker).findings();
}

} // namespace Check
} // namespace Palimo
