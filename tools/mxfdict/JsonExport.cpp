#include "JsonExport.h"

#include <Palimo/TypeDefinitions/TypeText.h>

#include "TextForms.h"

namespace Mxfdict {

using namespace Palimo::MetaMetadata;

namespace {

void stringOrNull(JsonSink& sink, const std::optional<std::string>& value) {
    if (value)
        sink.string(*value);
    else
        sink.null();
}

void describeProperties(JsonSink& sink, const PropertyMap& map) {
    sink.key("properties");
    sink.beginObject();
    for (const auto& entry : map.properties()) {
        sink.key(utf8(entry.first));
        sink.string(utf8(entry.second));
    }
    sink.endObject();
}

void describeAttribute(JsonSink& sink, const MetaAttribute& attribute) {
    const MetaElement& element = attribute.metaElement();
    sink.beginObject();
    sink.key("element");
    stringOrNull(sink, tagName(element));
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
void describeTypeDefinition(JsonSink& sink, const Palimo::TypeDefinitions::TypeDefinition* type) {
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
    sink.string(Palimo::TypeDefinitions::typeKindName(type->kind));
    sink.key("summary");
    sink.string(Palimo::TypeDefinitions::typeSummary(*type));
    sink.endObject();
}

} // namespace

void describeElement(JsonSink& sink, const MetaElement& element, const Dictionary& dictionary,
                     const Palimo::TypeDefinitions::TypeDictionary* types) {
    sink.beginObject();
    sink.key("name");
    stringOrNull(sink, tagName(element));
    sink.key("ul");
    sink.string(labelText(element.universalLabel()));
    sink.key("kind");
    sink.string(kindName(element));
    sink.key("dataType");
    sink.string(identifierName(element.dataType()));
    sink.key("subType");
    const auto subType = subTypeOf(element);
    stringOrNull(sink,
                 subType ? std::optional<std::string>(identifierName(*subType)) : std::nullopt);
    sink.key("localTag");
    const Palimo::Types::LocalTag* tag = dictionary.findLocalTag(element.universalLabel());
    stringOrNull(sink, tag ? std::optional<std::string>(tagText(*tag)) : std::nullopt);
    sink.key("targets");
    if (const Palimo::KLV::KeyVector* targets = targetsOf(element)) {
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
            sink, types->elementType(Palimo::Identifiers::Label(element.universalLabel().array())));
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
                         const Palimo::TypeDefinitions::TypeDictionary* types) {
    JsonStreamWriter sink(out);
    sink.beginObject();
    sink.key("formatVersion");
    sink.integer(kJsonFormatVersion);
    sink.key("elements");
    sink.beginArray();
    for (const MetaElement* element : dictionary.metaElements())
        describeElement(sink, *element, dictionary, types);
    sink.endArray();
    sink.key("sets");
    sink.beginArray();
    for (const MetaMetadataSet* set : dictionary.metaMetadataSets())
        describeSet(sink, *set);
    sink.endArray();
    sink.endObject();
    sink.finish();
}

Json elementToJson(const MetaElement& element, const Dictionary& dictionary,
                   const Palimo::TypeDefinitions::TypeDictionary* types) {
    JsonTreeBuilder builder;
    describeElement(builder, element, dictionary, types);
    return std::move(builder.result());
}

Json setToJson(const MetaMetadataSet& set) {
    JsonTreeBuilder builder;
    describeSet(builder, set);
    return std::move(builder.result());
}

} // namespace Mxfdict
