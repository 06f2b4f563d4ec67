#include "RegXMLNames.h"

#include <Palimo/MetaMetadata/MetaElement.h>
#include <Palimo/MetaMetadata/MetaMetadataSet.h>
#include <Palimo/Utils/StringConversion.h>

namespace Palimo {
namespace Output {
namespace {

XmlName nameOf(const MetaMetadata::PropertyMap& entry, const std::string* symbol) {
    static const WString tagName = Utils::stringToWstring("XMLTagName");
    static const WString namespaceURI = Utils::stringToWstring("XMLNamespaceURI");
    return XmlName{Utils::wstringToString(entry.getProperty(namespaceURI)),
                   symbol ? *symbol : Utils::wstringToString(entry.getProperty(tagName))};
}

} // namespace

const XmlName& RegXMLNames::ofSet(const MetaMetadata::MetaMetadataSet& set) {
    auto found = names_.find(&set);
    if (found == names_.end()) {
        const Identifiers::Label key(set.key().bytes());
        found = names_.emplace(&set, nameOf(set, types_.registerSymbol(key))).first;
    }
    return found->second;
}

const XmlName& RegXMLNames::ofElement(const MetaMetadata::MetaElement& element) {
    auto found = names_.find(&element);
    if (found == names_.end()) {
        const Identifiers::Label label(element.universalLabel().array());
        found = names_.emplace(&element, nameOf(element, types_.registerSymbol(label))).first;
    }
    return found->second;
}

XmlName typeName(const TypeDefinitions::TypeDefinition& type) {
    const TypeDefinitions::TypeDefinition& resolved = type.resolved();
    return XmlName{resolved.namespaceURI, resolved.symbol};
}

} // namespace Output
} // namespace Palimo
