#pragma once
// Readable names of dictionary entries, for decoded sets and items and for
// messages.
#include <Palimo/MetaMetadata/PropertyMap.h>
#include <Palimo/Types/Identifiers.h>
#include <Palimo/Utils/StringConversion.h>

#include <string>

namespace Palimo {
namespace MXF {

/// The XML tag name, else the name in the MXF standard ("name"), else "".
inline std::string entryName(const MetaMetadata::PropertyMap& map) {
    static const WString tagName = Utils::stringToWstring("XMLTagName");
    static const WString name = Utils::stringToWstring("name");
    if (map.hasProperty(tagName))
        return Utils::wstringToString(map.getProperty(tagName));
    return Utils::wstringToString(map.getProperty(name));
}

/// The identifier's name ("UInt32"); "NoIdentifier" for the value that
/// stands for no type and for values the core does not name.
inline std::string identifierName(Types::Identifier id) {
    const std::string name = Types::Identifiers::identifierToString(id);
    return name.empty() ? "NoIdentifier" : name;
}

} // namespace MXF
} // namespace Palimo
