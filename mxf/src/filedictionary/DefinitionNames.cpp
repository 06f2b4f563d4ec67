#include "DefinitionNames.h"

#include "../Names.h"

#include <Palimo/Identifiers/Hex.h>

namespace Palimo {
namespace MXF {
namespace Definitions {
namespace {

bool isNameStart(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

bool isNameChar(char c) {
    return isNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
}

// The name as an XML name (NCName, ASCII only): other characters become "_",
// and a name that cannot start with its first character gets a "_" before it.
std::string xmlName(const std::string& name) {
    std::string result;
    for (const char c : name)
        result += isNameChar(c) ? c : '_';
    if (result.empty() || !isNameStart(result.front()))
        result.insert(result.begin(), '_');
    return result;
}

constexpr std::size_t kShownCharacters = 64;

} // namespace

TakenNames::TakenNames(const MetaMetadata::Dictionary& dictionary,
                       const TypeDefinitions::TypeDictionary* typeDefinitions) {
    for (const MetaMetadata::MetaElement* element : dictionary.metaElements())
        declarations.insert(entryName(*element));
    for (const MetaMetadata::MetaMetadataSet* set : dictionary.metaMetadataSets()) {
        const std::string name = entryName(*set);
        declarations.insert(name);
        declarations.insert(name + "Reference");
        types.insert(name + "Type");
    }
    for (const TypeDefinitions::TypeDictionary* layer = typeDefinitions; layer;
         layer = layer->base())
        for (const TypeDefinitions::TypeDefinition& type : layer->types())
            types.insert(type.symbol);
    for (const char* base : {"Ref", "StrongRefHolder", "WeakRefHolder", "StrongRefArray",
                             "StrongRefBatch", "WeakRefArray", "WeakRefBatch"})
        dataTypes.insert(base);
    for (int i = 0; i <= Types::Identifiers::LastIdentifier; ++i) {
        const std::string name =
            Types::Identifiers::identifierToString(static_cast<Types::Identifier>(i));
        if (!name.empty())
            dataTypes.insert(name);
    }
}

bool DefinitionNames::free(const std::string& name, Kind kind) const {
    switch (kind) {
    case Kind::Element:
        return !declared(name);
    case Kind::Set:
        return !declared(name) && !declared(name + "Reference") && !typed(name + "Type") &&
               taken_.dataTypes.count(name + "Type") == 0;
    case Kind::Type:
        return !typed(name);
    }
    return false;
}

void DefinitionNames::take(const std::string& name, Kind kind) {
    if (kind == Kind::Type) {
        types_.insert(name);
        return;
    }
    declarations_.insert(name);
    if (kind == Kind::Set) {
        declarations_.insert(name + "Reference");
        types_.insert(name + "Type");
    }
}

std::string DefinitionNames::claim(const std::string& fileName, const Label& label, Kind kind) {
    const std::string base = xmlName(fileName);
    std::string name = base;
    if (!free(name, kind))
        name = base + "_" + Identifiers::hexText(label.data() + 8, 8);
    // Labels are unique among the definitions: this is for names that the
    // loaded dictionary happens to have.
    for (int i = 2; !free(name, kind); ++i)
        name = base + "_" + Identifiers::hexText(label.data() + 8, 8) + "_" + std::to_string(i);
    take(name, kind);
    return name;
}

std::string quotedName(const std::string& fileName) {
    // Cut at a character boundary of the UTF-8 text.
    std::size_t characters = 0;
    for (std::size_t i = 0; i < fileName.size(); ++i) {
        if ((static_cast<unsigned char>(fileName[i]) & 0xc0) == 0x80)
            continue;
        if (characters++ == kShownCharacters)
            return "\"" + fileName.substr(0, i) + "...\" (cut, " + std::to_string(fileName.size()) +
                   " bytes in all)";
    }
    return "\"" + fileName + "\"";
}

std::string auidText(const Label& label) {
    const auto auid = Identifiers::AUID::fromLabel(label);
    return auid.isLabel() ? label.dotted() : auid.uuid().text();
}

std::string namedText(const std::string& fileName, const Label& label) {
    return quotedName(fileName) + " (" + auidText(label) + ")";
}

std::string definitionText(const char* what, const std::string& fileName, const Label& label) {
    return std::string(what) + " " + namedText(fileName, label);
}

} // namespace Definitions
} // namespace MXF
} // namespace Palimo
