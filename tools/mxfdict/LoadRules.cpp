#include "LoadRules.h"

#include "SchemaDom.h"

#include <Palimo/Exceptions/CoreExceptions.h>
#include <Palimo/Types/BaseType.h>
#include <Palimo/Types/Identifiers.h>
#include <Palimo/Types/LocalTag.h>
#include <Palimo/Utils/StringConversion.h>
#include <Palimo/XMLUtils/QuotedText.h>

#include <array>
#include <vector>

namespace Mxfdict {

namespace {

namespace Ids = Palimo::Types::Identifiers;

Ids::Identifier identifierOf(const std::string& typeName) {
    return Ids::stringToIdentifier(Palimo::Utils::stringToWstring(localPart(typeName)));
}

bool isCollection(Ids::Identifier id) {
    return id == Ids::Array || id == Ids::Batch;
}

// The schema's own names for references, which the core library does not know.
constexpr std::array<const char*, 6> kReferenceBases = {"StrongRefBatch", "WeakRefBatch",
                                                        "StrongRefArray", "WeakRefArray",
                                                        "WeakRefHolder",  "StrongRefHolder"};

bool isReferenceBase(const std::string& name) {
    for (const char* base : kReferenceBases)
        if (name == base)
            return true;
    return false;
}

std::vector<const xercesc::DOMElement*> elementChildren(const xercesc::DOMElement& parent) {
    std::vector<const xercesc::DOMElement*> children;
    for (const xercesc::DOMElement* child = parent.getFirstElementChild(); child;
         child = child->getNextElementSibling())
        children.push_back(child);
    return children;
}

// The first @base of "./*/*/*/@base", else of "./*/*/@base", in document order,
// whatever the elements on the way are called.
std::optional<std::string> typeBase(const xercesc::DOMElement& declaration) {
    for (const int depth : {3, 2}) {
        std::vector<const xercesc::DOMElement*> level{&declaration};
        for (int i = 0; i < depth; ++i) {
            std::vector<const xercesc::DOMElement*> next;
            for (const xercesc::DOMElement* element : level)
                for (const xercesc::DOMElement* child : elementChildren(*element))
                    next.push_back(child);
            level.swap(next);
        }
        for (const xercesc::DOMElement* element : level)
            if (const auto base = attribute(*element, "base"))
                return base;
    }
    return std::nullopt;
}

// The @type of the first member element of the derivation in the anonymous
// complex content: ./xs:complexType/xs:complexContent/*[@base]/*/xs:element/@type.
std::optional<std::string> itemType(const xercesc::DOMElement& declaration) {
    for (const xercesc::DOMElement* type : schemaChildren(declaration, "complexType"))
        for (const xercesc::DOMElement* content : schemaChildren(*type, "complexContent"))
            for (const xercesc::DOMElement* derivation : schemaChildren(*content))
                if (attribute(*derivation, "base"))
                    for (const xercesc::DOMElement* group : schemaChildren(*derivation))
                        for (const xercesc::DOMElement* item : schemaChildren(*group, "element"))
                            if (const auto type = attribute(*item, "type"))
                                return type;
    return std::nullopt;
}

std::string quote(const std::string& text) {
    return "\"" + loaderQuoted(text) + "\"";
}

} // namespace

std::string loaderQuoted(const std::string& text) {
    return Palimo::Utils::wstringToString(
        Palimo::XMLUtils::quotedText(Palimo::Utils::stringToWstring(text)));
}

std::optional<std::string> labelFailure(const std::string& text) {
    const Palimo::WString wide = Palimo::Utils::stringToWstring(text);
    if (wide.size() != 16 * 2 + 15)
        return Palimo::Utils::wstringToString(Palimo::XMLUtils::quotedText(wide));
    try {
        Palimo::Types::UniversalLabel(wide.c_str(), Palimo::Types::DottedHex);
    } catch (const Palimo::Exceptions::InvalidStringRepresentation& e) {
        return std::string(e.what());
    }
    return std::nullopt;
}

std::optional<std::string> localTagFailure(const std::string& text) {
    const Palimo::WString wide = Palimo::Utils::stringToWstring(text);
    if (Palimo::XMLUtils::quotedText(wide) != wide)
        return "Invalid local tag text: " + quote(text);
    try {
        Palimo::Types::LocalTag(wide.c_str(), Palimo::Types::DottedHex);
    } catch (const Palimo::Exceptions::InvalidStringRepresentation& e) {
        return std::string(e.what());
    }
    return std::nullopt;
}

std::optional<UnknownType> unknownType(const xercesc::DOMElement& declaration) {
    const std::string typeName = attribute(declaration, "type").value_or("");
    const Ids::Identifier named = identifierOf(typeName);
    if (isCollection(named))
        return UnknownType{true, "the type " + quote(typeName) +
                                     " is a collection whose item type is not written"};
    if (named != Ids::NoIdentifier)
        return std::nullopt;
    // A named type the core library does not know is not followed.
    if (!localPart(typeName).empty())
        return UnknownType{false,
                           "the type " + quote(typeName) + " is no data type the loader knows"};

    const std::optional<std::string> base = typeBase(declaration);
    if (!base)
        return UnknownType{false, "it has no type, and no anonymous type derived from one"};
    const Ids::Identifier baseId = identifierOf(*base);
    if (isCollection(baseId)) {
        const std::optional<std::string> item = itemType(declaration);
        if (!item)
            return UnknownType{true, "its anonymous type, derived from " + quote(*base) +
                                         ", declares no item element with a type"};
        if (identifierOf(*item) == Ids::NoIdentifier)
            return UnknownType{true, "the item type " + quote(*item) +
                                         " is no data type the loader knows"};
        return std::nullopt;
    }
    if (baseId != Ids::NoIdentifier || isReferenceBase(localPart(*base)))
        return std::nullopt;
    return UnknownType{false, "the base " + quote(*base) +
                                  " of its anonymous type is no data type the loader knows"};
}

bool isCollectionDeclaration(const xercesc::DOMElement& declaration) {
    const std::string typeName = attribute(declaration, "type").value_or("");
    if (!localPart(typeName).empty())
        return isCollection(identifierOf(typeName));
    const std::optional<std::string> base = typeBase(declaration);
    if (!base)
        return false;
    const std::string name = localPart(*base);
    return isCollection(identifierOf(*base)) || name == "StrongRefBatch" ||
           name == "WeakRefBatch" || name == "StrongRefArray" || name == "WeakRefArray";
}

bool breaksPastedLiteral(const std::string& name) {
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (name[i] != '\'')
            continue;
        if (i + 1 >= name.size() || name[i + 1] != '\'')
            return true;
        ++i; // "''" is the literal's own apostrophe
    }
    return false;
}

} // namespace Mxfdict
