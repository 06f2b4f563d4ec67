#include <Palimo/Output/DictionaryJson.h>
#include <Palimo/Output/DictionaryNames.h>

#include "EntryJson.h"
#include "SinkValues.h"

#include <Palimo/TypeDefinitions/TypeText.h>
#include <Palimo/Utils/StringConversion.h>

#include <optional>
#include <string>

namespace Palimo {
namespace Output {

using namespace MetaMetadata;

namespace {

void describeProperties(JsonSink& sink, const PropertyMap& map) {
    sink.key("properties");
    sink.beginObject();
    for (const auto& entry : map.properties()) {
        sink.key(Utils::wstringToString(entry.first));
        sink.string(Utils::wstringToString(entry.second));
    }
    sink.endObject();
}

void describeAttribute(JsonSink& sink, const MetaAttribute& attribute) {
    const MetaElement& element = attribute.metaElement();
    sink.beginObject();
    sink.key("element");
    stringOrNull(sink, Query::tagName(element));
    sink.key("ul");
    sink.string(labelText(element.universalLabel()));
    sink.key("required");
    sink.string(statusName(attribute.requiredStatus()));
    sink.key("default");
    stringOrNull(sink, attribute.defaultValue()
                           ? std::optional<std::string>(attribute.defaultValue()->text())
                           : std::nullopt);
    sink.key("localTag");
    stringOrNull(sink, attribute.localTag()
                           ? std::optional<std::string>(tagText(*attribute.localTag()))
                           : std::nullopt);
    describeProperties(sink, attribute);
    sink.endObject();
}

// {"symbol", "ul", "kind", "summary"}, or null.
void describeTypeDefinition(JsonSink& sink, const TypeDefinitions::TypeDefinition* type) {
    sink.key("typeDefinition");
    if (!type) {
        sink.null();
        return;
    }
    sink.beginObject();
    sink.key("symbol");
    sink.string(type->symbol);
    sink.key("ul");
    sink.string(type->label.dotted());
    sink.key("kind");
    sink.string(TypeDefinitions::typeKindName(type->kind));
    sink.key("summary");
    sink.string(TypeDefinitions::typeSummary(*type));
    sink.endObject();
}

} // namespace

void describeElementMembers(JsonSink& sink, const MetaElement& element,
                            const Dictionary& dictionary,
                            const TypeDefinitions::TypeDictionary* types) {
    sink.key("name");
    stringOrNull(sink, Query::tagName(element));
    sink.key("ul");
    sink.string(labelText(element.universalLabel()));
    sink.key("kind");
    sink.string(kindName(element));
    sink.key("dataType");
    sink.string(identifierName(element.dataType()));
    sink.key("subType");
    const auto subType = Query::subTypeOf(element);
    stringOrNull(sink,
                 subType ? std::optional<std::string>(identifierName(*subType)) : std::nullopt);
    sink.key("localTag");
    const Types::LocalTag* tag = dictionary.findLocalTag(element.universalLabel());
    stringOrNull(sink, tag ? std::optional<std::string>(tagText(*tag)) : std::nullopt);
    sink.key("targets");
    if (const KLV::KeyVector* targets = Query::targetsOf(element)) {
        sink.beginArray();
        for (const auto& key : *targets)
            sink.string(keyText(key));
        sink.endArray();
    } else {
        sink.null();
    }
    describeProperties(sink, element);
    if (types)
        describeTypeDefinition(
            sink, types->elementType(Identifiers::Label(element.universalLabel().array())));
}

void describeElement(JsonSink& sink, const MetaElement& element, const Dictionary& dictionary,
                     const TypeDefinitions::TypeDictionary* types) {
    sink.beginObject();
    describeElementMembers(sink, element, dictionary, types);
    sink.endObject();
}

void describeSet(JsonSink& sink, const MetaMetadataSet& set) {
    sink.beginObject();
    sink.key("key");
    sink.string(keyText(set.key()));
    describeProperties(sink, set);
    sink.key("attributes");
    sink.beginArray();
    for (const auto& attribute : set.attributes())
        describeAttribute(sink, *attribute);
    sink.endArray();
    sink.endObject();
}

void writeDictionaryJson(std::ostream& out, const Dictionary& dictionary,
                         const TypeDefinitions::TypeDictionary* types) {
    JsonStreamWriter sink(out);
    beginDocument(sink);
    sink.key("elements");
    sink.beginArray();
    for (const MetaElement* element : dictionary.metaElements())
        describeElement(sink, *element, dictionary, types);
    sink.endArray();
    describeSets(sink, dictionary.metaMetadataSets());
    sink.endObject();
    sink.finish();
}

void describeSets(JsonSink& sink, const std::vector<const MetaMetadataSet*>& sets) {
    sink.key("sets");
    sink.beginArray();
    for (const MetaMetadataSet* set : sets)
        describeSet(sink, *set);
    sink.endArray();
}

} // namespace Output
} // namespace Palimo
