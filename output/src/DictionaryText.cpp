#include <Palimo/Output/DictionaryNames.h>
#include <Palimo/Output/DictionaryText.h>

#include <Palimo/TypeDefinitions/TypeText.h>
#include <Palimo/Utils/StringConversion.h>

#include <iomanip>
#include <map>

namespace Palimo {
namespace Output {

using namespace MetaMetadata;

namespace {

void printProperties(std::ostream& out, const PropertyMap& map, const char* indent) {
    for (const auto& entry : map.properties())
        out << indent << Utils::wstringToString(entry.first) << ": "
            << Utils::wstringToString(entry.second) << '\n';
}

} // namespace

void printDictionarySummary(std::ostream& out, const std::string& schemaPath,
                            const Dictionary& dictionary) {
    std::map<std::string, std::size_t> byKind;
    for (const MetaElement* element : dictionary.metaElements())
        ++byKind[kindName(*element)];
    out << "Schema:    " << schemaPath << '\n';
    out << "Elements:  " << dictionary.metaElementCount() << " (" << byKind["simple"] << " simple, "
        << byKind["collection"] << " collection, " << byKind["reference"] << " reference, "
        << byKind["referenceCollection"] << " reference collection)\n";
    out << "Sets:      " << dictionary.metaMetadataSetCount() << '\n';
}

void printSet(std::ostream& out, const MetaMetadataSet& set) {
    out << "set " << displayName(set, "(unnamed)") << "  key " << keyText(set.key()) << '\n';
    printProperties(out, set, "    ");
    out << "  members (" << set.attributes().size() << "):\n";
    for (const auto& attribute : set.attributes()) {
        const MetaElement& element = attribute->metaElement();
        const std::string tag = attribute->localTag() ? tagText(*attribute->localTag()) : "-";
        out << "    " << std::left << std::setw(34) << displayName(element, "(unnamed)") << ' '
            << labelText(element.universalLabel()) << "  " << std::setw(5) << tag << "  ";
        if (attribute->defaultValue())
            out << std::setw(12) << statusName(attribute->requiredStatus()) << "  default "
                << attribute->defaultValue()->text();
        else
            out << statusName(attribute->requiredStatus());
        out << std::right;
        out << '\n';
    }
}

void printElement(std::ostream& out, const MetaElement& element, const Dictionary& dictionary,
                  const TypeDefinitions::TypeDictionary* types) {
    out << "element " << displayName(element, "(unnamed)") << "  ul "
        << labelText(element.universalLabel()) << '\n';
    out << "    kind: " << kindName(element) << ", type " << identifierName(element.dataType());
    if (const auto subType = Query::subTypeOf(element))
        out << " of " << identifierName(*subType);
    out << '\n';
    if (const TypeDefinitions::TypeDefinition* type =
            types ? types->elementType(Identifiers::Label(element.universalLabel().array()))
                  : nullptr)
        out << "    type definition: " << type->symbol << ", "
            << TypeDefinitions::typeSummary(*type) << '\n';
    if (const Types::LocalTag* tag = dictionary.findLocalTag(element.universalLabel()))
        out << "    local tag: " << tagText(*tag) << '\n';
    if (const KLV::KeyVector* targets = Query::targetsOf(element)) {
        out << "    targets:";
        for (const auto& key : *targets) {
            const MetaMetadataSet* set = dictionary.findMetaMetadataSet(key);
            out << ' ' << (set ? displayName(*set, keyText(key)) : keyText(key));
        }
        out << (targets->empty() ? " (none)\n" : "\n");
    }
    printProperties(out, element, "    ");
}

void printDictionary(std::ostream& out, const Dictionary& dictionary,
                     const TypeDefinitions::TypeDictionary* types) {
    out << "\nSets\n====\n";
    for (const MetaMetadataSet* set : dictionary.metaMetadataSets())
        printSet(out, *set);
    out << "\nElements\n========\n";
    for (const MetaElement* element : dictionary.metaElements())
        printElement(out, *element, dictionary, types);
}

} // namespace Output
} // namespace Palimo
