#include "FailureSearch.h"

#include "LoadRules.h"
#include "Messages.h"
#include "SchemaDom.h"
#include "schema/Annotations.h"

#include <MetaMetadata/Loading/Exceptions.h>

#include <Palimo/Exceptions/CoreExceptions.h>

#include <filesystem>
#include <set>
#include <unordered_map>
#include <vector>

namespace Palimo {
namespace Check {

namespace {

namespace Source = MetaMetadata::Loading::AppinfoSource;
namespace Message = MetaMetadata::Loading::Message;
using MetaMetadata::Loading::kReferenceTypes;
using Failure = FailureKind;

// A top-level component of the schema set.
struct Component {
    const xercesc::DOMElement* element;
};

bool startsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

} // namespace

std::optional<FailureKind> failureKind(const Exceptions::BaseException& failure) {
    namespace E = Palimo::Exceptions;
    const std::string message = failure.what();
    if (dynamic_cast<const E::InvalidMetaElementDeclaration*>(&failure))
        return Failure::Declaration;
    if (dynamic_cast<const E::InvalidULDesignator*>(&failure))
        return Failure::Label;
    if (dynamic_cast<const E::InvalidStringRepresentation*>(&failure))
        return Failure::Text;
    if (!dynamic_cast<const E::ParseError*>(&failure))
        return std::nullopt;
    if (startsWith(message, "XQillaException:") || startsWith(message, "XQException:"))
        return Failure::Query;
    if (startsWith(message, "Cannot read schema file \"") || startsWith(message, "Schema \""))
        return Failure::File;
    for (const std::string& prefix : {std::string("!namespaceURI.empty (): "),
                                      std::string("it != namespace2PrefixMap_.end (): "),
                                      std::string("Set "), utf8(Message::kCircularBaseTypeChain)})
        if (startsWith(message, prefix))
            return Failure::Check;
    return std::nullopt;
}

namespace {

// The message the property map of `declaration` fails with, when it lacks a
// namespace or has one that may have no prefix.
std::string namespaceFailure(const SchemaSet& schema, const xercesc::DOMElement& declaration) {
    const std::string uri = schema.appinfo(declaration, Source::kNamespaceURI).value_or("");
    if (uri.empty())
        return "!namespaceURI.empty (): Couldn't retrieve node's NamespaceURI: " +
               loaderQuoted(schema.appinfo(declaration, Source::kNameInSpecification).value_or(""));
    return "it != namespace2PrefixMap_.end (): No default prefix defined for namespace: " +
           loaderQuoted(uri);
}

// A collection's item name, as the property map reads it.
bool hasItemName(const xercesc::DOMElement& declaration) {
    for (const xercesc::DOMElement* type : schemaChildren(declaration, "complexType"))
        for (const xercesc::DOMElement* content : schemaChildren(*type, "complexContent"))
            for (const xercesc::DOMElement* derivation : schemaChildren(*content))
                if (attribute(*derivation, "base"))
                    for (const xercesc::DOMElement* sequence :
                         schemaChildren(*derivation, "sequence"))
                        for (const xercesc::DOMElement* item : schemaChildren(*sequence, "element"))
                            return !attribute(*item, "name").value_or("").empty();
    return false;
}

// The text inside the first and last double quote of a core library message
// ("Invalid UUID text: \"x\"").
std::string quotedPart(const std::string& message) {
    const std::size_t first = message.find('"');
    const std::size_t last = message.rfind('"');
    return first == std::string::npos || last <= first
               ? std::string()
               : message.substr(first + 1, last - first - 1);
}

// The declarations of a schema set in the order the load reads them.
class Declarations {
public:
    explicit Declarations(const SchemaSet& schema) {
        for (const xercesc::DOMElement* element : schema.components())
            components_.push_back({element});
        for (const Component& component : components_) {
            const xercesc::DOMElement& element = *component.element;
            const std::string name = attribute(element, "name").value_or("");
            if (schema.isRegistered(element))
                elements.push_back(&component);
            const std::string kind = localName(element);
            if (kind == "element")
                topElements_.emplace(name, &component);
            else if (kind == "complexType")
                complexTypes_.emplace(name, &component);
        }
        // "Ref" typed ones first, then "ff:Ref" ones, as the load asks.
        for (const char16_t* type : kReferenceTypes)
            for (const Component& component : components_)
                if (localName(*component.element) == "element" &&
                    attribute(*component.element, "type") == std::optional<std::string>(utf8(type)))
                    references.push_back(&component);
        for (const Component* reference : references) {
            const std::string group =
                localPart(attribute(*reference->element, "substitutionGroup").value_or(""));
            if (breaksPastedLiteral(group))
                continue;
            if (const Component* set = topElement(soughtName(group)))
                sets.push_back(set);
        }
    }

    const Component* topElement(const std::string& name) const {
        const auto found = topElements_.find(name);
        return found == topElements_.end() ? nullptr : found->second;
    }
    const Component* complexType(const std::string& name) const {
        const auto found = complexTypes_.find(name);
        return found == complexTypes_.end() ? nullptr : found->second;
    }

    std::vector<const Component*> elements;   // RP210 declarations
    std::vector<const Component*> references; // typed Ref: they name the sets
    std::vector<const Component*> sets;       // one per reference, repeats kept

private:
    std::vector<Component> components_;                              // in the load's order
    std::unordered_map<std::string, const Component*> topElements_;  // first of a name
    std::unordered_map<std::string, const Component*> complexTypes_; // first of a name
};

class Search {
public:
    Search(const SchemaSet& schema, Failure kind, std::string message)
        : schema_(schema), declarations_(schema), kind_(kind), message_(std::move(message)) {}

    std::optional<FailurePlace> run() {
        if (kind_ == Failure::File)
            return directive();
        // Discovery: the groups that name the sets, then the sets' keys.
        for (const Component* reference : declarations_.references)
            if (kind_ == Failure::Query &&
                breaksPastedLiteral(
                    localPart(attribute(*reference->element, "substitutionGroup").value_or(""))))
                return at(*reference, *reference->element);
        for (const Component* set : declarations_.sets)
            if (labelFails(*set->element, Source::kULDesignator, labelFailure))
                return at(*set, *set->element, {}, true);
        for (const Component* element : declarations_.elements)
            if (auto found = inElement(*element))
                return found;
        for (const Component* set : declarations_.sets)
            if (schema_.appinfo(*set->element, Source::kULDesignator))
                if (auto found = inSet(*set))
                    return found;
        return std::nullopt;
    }

private:
    template <class Rule>
    bool labelFails(const xercesc::DOMElement& declaration, const char16_t* source,
                    Rule rule) const {
        if (kind_ != Failure::Label && kind_ != Failure::Text)
            return false;
        const std::optional<std::string> text = schema_.appinfo(declaration, source);
        return text && rule(*text) == std::optional<std::string>(message_);
    }

    FailurePlace at(const Component& component, const xercesc::DOMElement& element,
                    std::string declaration = {}, bool label = false) const {
        FailurePlace found;
        const SourcePlace place = schema_.place(element);
        found.file = place.file;
        found.line = place.line;
        found.subject = "declaration " + (declaration.empty()
                                              ? attribute(*component.element, "name").value_or("")
                                              : std::move(declaration));
        found.label = label;
        return found;
    }

    // The directive that names the file the message names ("Cannot read schema
    // file \"P\": ..."), or whose location it quotes ("Schema \"F\" names a
    // network location \"L\"; ...", "... the location \"L\", which holds a NUL").
    std::optional<FailurePlace> directive() const {
        const std::string unreadable = "Cannot read schema file \"";
        std::string path;
        if (startsWith(message_, unreadable))
            path = message_.substr(unreadable.size(),
                                   message_.find("\": ", unreadable.size()) - unreadable.size());
        for (const XMLUtils::SchemaSources::Directive& directive : schema_.directives()) {
            const bool names =
                path.empty()
                    ? message_.find("location \"" + loaderQuoted(directive.location) + "\"") !=
                          std::string::npos
                    : directive.path &&
                          std::filesystem::path(path).lexically_normal() ==
                              std::filesystem::path(*directive.path).lexically_normal();
            if (!names)
                continue;
            FailurePlace found;
            const SourcePlace place = schema_.place(directive.place);
            found.file = place.file;
            found.line = place.line;
            found.subject =
                "xs:" + directive.kind + " \"" + loaderQuoted(directive.location) + "\"";
            return found;
        }
        return std::nullopt;
    }

    std::optional<FailurePlace> inElement(const Component& component) const {
        const xercesc::DOMElement& element = *component.element;
        const std::string name = loaderQuoted(attribute(element, "name").value_or(""));
        if (kind_ == Failure::Declaration) {
            if (!schema_.appinfo(element, Source::kULDesignator) &&
                message_ == utf8(Message::kNoULDesignator) + name)
                return at(component, element);
            if (message_ == utf8(Message::kUnknownDataType) + name ||
                message_ == utf8(Message::kUnknownSubDataType) + name) {
                FailurePlace found = at(component, element);
                found.type = true;
                if (const std::optional<UnknownType> unknown = unknownType(schema_, element))
                    found.note = unknown->reason;
                return found;
            }
            const std::string raw = attribute(element, "name").value_or("");
            if (startsWith(message_, utf8(Message::kCircularTargets) + raw + ": ") ||
                message_ == utf8(Message::kTooManyTargets) + raw)
                return at(component, element);
            if (message_ == Message::kEmptyName && isCollectionDeclaration(schema_, element) &&
                !hasItemName(element))
                return at(component, element);
        }
        if (labelFails(element, Source::kULDesignator, labelFailure) ||
            labelFails(element, Source::kLocalTag, localTagFailure))
            return at(component, element, {}, true);
        if (kind_ == Failure::Query)
            for (const xercesc::DOMElement* target : schemaDescendants(element, "element"))
                if (breaksPastedLiteral(localPart(attribute(*target, "ref").value_or(""))))
                    return at(component, element);
        if (kind_ == Failure::Check && message_ == namespaceFailure(schema_, element))
            return at(component, element);
        return std::nullopt;
    }

    std::optional<FailurePlace> inSet(const Component& component) const {
        const xercesc::DOMElement& set = *component.element;
        const std::string name = attribute(set, "name").value_or("");
        const std::optional<std::string> typeName = attribute(set, "type");
        if (kind_ == Failure::Check && startsWith(message_, "Set " + name + " has "))
            return at(component, set);
        if (kind_ == Failure::Query && typeName && breaksPastedLiteral(localPart(*typeName)))
            return at(component, set);

        // The set's type and its bases, as the load walks them.
        std::vector<std::pair<const Component*, const xercesc::DOMElement*>> chain;
        if (typeName) {
            if (const Component* type = declarations_.complexType(localPart(*typeName)))
                chain.emplace_back(type, type->element);
        } else if (const auto inlineType = schemaChildren(set, "complexType");
                   !inlineType.empty()) {
            chain.emplace_back(&component, inlineType.front());
        }
        if (kind_ == Failure::Check && !chain.empty() &&
            startsWith(message_, utf8(Message::kCircularBaseTypeChain) +
                                     (typeName ? localPart(*typeName) : "(inline type)") + " -> "))
            return at(*chain.front().first, *chain.front().second,
                      typeName ? localPart(*typeName) : name);
        std::set<const xercesc::DOMElement*> walked;
        for (std::size_t i = 0; i < chain.size() && walked.insert(chain[i].second).second; ++i)
            for (const xercesc::DOMElement* content : schemaChildren(*chain[i].second))
                for (const xercesc::DOMElement* derivation : schemaChildren(*content))
                    if (const auto base = attribute(*derivation, "base"))
                        if (const Component* type = declarations_.complexType(localPart(*base)))
                            chain.emplace_back(type, type->element);

        if (kind_ == Failure::Text) {
            const std::string text = quotedPart(message_);
            for (const auto& [type, element] : chain)
                for (const char* kind : {"element", "attribute"})
                    for (const xercesc::DOMElement* member : schemaDescendants(*element, kind)) {
                        const std::string value =
                            schema_.appinfo(*member, Source::kDistinguishedValue).value_or("");
                        if (!text.empty() && value.find(text) != std::string::npos)
                            return at(*type, *member,
                                      attribute(*element, "name").value_or(name) + " member " +
                                          attribute(*member, "ref")
                                              .value_or(attribute(*member, "name").value_or("")));
                    }
        }
        if (kind_ == Failure::Check && message_ == namespaceFailure(schema_, set))
            return at(component, set);
        return std::nullopt;
    }

    const SchemaSet& schema_;
    const Declarations declarations_;
    const Failure kind_;
    const std::string message_;
};

} // namespace

std::optional<FailurePlace> locateLoadFailure(const SchemaSet& schema, FailureKind kind,
                                              const Exceptions::BaseException& failure) {
    return Search(schema, kind, failure.what()).run();
}

std::optional<FailurePlace> locateLoadFailure(const std::string& topFile,
                                              const Exceptions::BaseException& failure) {
    const std::optional<FailureKind> kind = failureKind(failure);
    if (!kind)
        return std::nullopt;
    // A file the load could not read stops this reading at the same place.
    const SchemaSet schema(topFile, *kind == FailureKind::File);
    return locateLoadFailure(schema, *kind, failure);
}

} // namespace Check
} // namespace Palimo
