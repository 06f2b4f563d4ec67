#include "JsonExport.h"

#include "TextForms.h"

namespace Mxfdict {

using namespace Palimo::MetaMetadata;

namespace {

template <class T>
Json orNull(const std::optional<T>& value) {
    return value ? Json(*value) : Json(nullptr);
}

} // namespace

Json propertiesToJson(const PropertyMap& map) {
    Json properties = Json::object();
    for (const auto& entry : map.properties())
        properties[utf8(entry.first)] = utf8(entry.second);
    return properties;
}

Json elementToJson(const MetaElement& element, const Dictionary& dictionary) {
    Json json;
    json["name"] = orNull(tagName(element));
    json["ul"] = labelText(element.universalLabel());
    json["kind"] = kindName(element);
    json["dataType"] = identifierName(element.dataType());
    const auto subType = subTypeOf(element);
    json["subType"] = subType ? Json(identifierName(*subType)) : Json(nullptr);
    const Palimo::Types::LocalTag* tag = dictionary.findLocalTag(element.universalLabel());
    json["localTag"] = tag ? Json(tagText(*tag)) : Json(nullptr);
    if (const Palimo::KLV::KeyVector* targets = targetsOf(element)) {
        json["targets"] = Json::array();
        for (const auto& key : *targets)
            json["targets"].push_back(keyText(key));
    } else {
        json["targets"] = nullptr;
    }
    json["properties"] = propertiesToJson(element);
    return json;
}

Json attributeToJson(const MetaAttribute& attribute) {
    const MetaElement& element = attribute.metaElement();
    Json json;
    json["element"] = orNull(tagName(element));
    json["ul"] = labelText(element.universalLabel());
    json["required"] = statusName(attribute.requiredStatus());
    json["default"] =
        attribute.defaultValue() ? Json(attribute.defaultValue()->text()) : Json(nullptr);
    json["localTag"] = attribute.localTag() ? Json(tagText(*attribute.localTag())) : Json(nullptr);
    json["properties"] = propertiesToJson(attribute);
    return json;
}

Json setToJson(const MetaMetadataSet& set) {
    Json json;
    json["key"] = keyText(set.key());
    json["properties"] = propertiesToJson(set);
    json["attributes"] = Json::array();
    for (const auto& attribute : set.attributes())
        json["attributes"].push_back(attributeToJson(*attribute));
    return json;
}

Json dictionaryToJson(const Dictionary& dictionary) {
    Json json = jsonDocument();
    json["elements"] = Json::array();
    for (const MetaElement* element : dictionary.metaElements())
        json["elements"].push_back(elementToJson(*element, dictionary));
    json["sets"] = Json::array();
    for (const MetaMetadataSet* set : dictionary.metaMetadataSets())
        json["sets"].push_back(setToJson(*set));
    return json;
}

} // namespace Mxfdict
