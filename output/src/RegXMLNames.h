#pragma once
// The element names of RegXML: sets and items by their dictionary entries,
// values by their type definitions.
#include <Palimo/MXF/DecodedFile.h>
#include <Palimo/TypeDefinitions/TypeDictionary.h>

#include <string>
#include <unordered_map>

namespace Palimo {
namespace Output {

struct XmlName {
    std::string namespaceURI;
    std::string localName;
};

/// Names of dictionary entries, each worked out once (their properties are
/// UTF-16).
class RegXMLNames {
public:
    explicit RegXMLNames(const TypeDefinitions::TypeDictionary& types) : types_(types) {}

    /// The set's register symbol (else its XML tag name) and "XMLNamespaceURI".
    const XmlName& ofSet(const MetaMetadata::MetaMetadataSet& set);
    /// The element's register symbol (else its XML tag name) and "XMLNamespaceURI".
    const XmlName& ofElement(const MetaMetadata::MetaElement& element);

private:
    const TypeDefinitions::TypeDictionary& types_;
    std::unordered_map<const void*, XmlName> names_;
};

/// A value element's name: the symbol of its type after renames, in that
/// type's namespace.
XmlName typeName(const TypeDefinitions::TypeDefinition& type);

} // namespace Output
} // namespace Palimo
