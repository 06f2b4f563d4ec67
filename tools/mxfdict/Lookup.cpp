#include "Lookup.h"

#include "JsonExport.h"
#include "TextDump.h"
#include "TextForms.h"

#include <Palimo/Identifiers/Hex.h>
#include <Palimo/Identifiers/Label.h>
#include <Palimo/MetaMetadata/MetaMetadataSet.h>

#include <strings.h>

namespace Mxfdict {

using namespace Palimo;
using namespace Palimo::MetaMetadata;

namespace {

std::string versionNote(const std::string& asked, const std::string& found) {
    return "no exact match for " + asked + "; matched ignoring the version byte (byte 8): " + found;
}

bool lookupByLabel(const Dictionary& dictionary, const std::string& key, LookupResult& result) {
    const std::optional<Palimo::Identifiers::Label> parsed = Palimo::Identifiers::Label::parse(key);
    if (!parsed)
        return false;
    const Types::UniversalLabel label(parsed->bytes());
    bool exact = false;
    if (const MetaElement* element = dictionary.findMetaElementIgnoringVersion(label, &exact)) {
        if (!exact)
            result.notes.push_back(
                versionNote(labelText(label), labelText(element->universalLabel())));
        result.elements.push_back(element);
    }
    const KLV::Key setKey(parsed->bytes());
    if (const MetaMetadataSet* set =
            dictionary.findMetaMetadataSetIgnoringVersion(setKey, &exact)) {
        if (!exact)
            result.notes.push_back(versionNote(keyText(setKey), keyText(set->key())));
        result.sets.push_back(set);
    }
    return !result.elements.empty() || !result.sets.empty();
}

bool lookupByLocalTag(const Dictionary& dictionary, const std::string& key, LookupResult& result) {
    const auto value = Palimo::Identifiers::parseLocalTag(key);
    if (!value)
        return false;
    const Types::UniversalLabel* label = dictionary.findLabelByLocalTag(Types::LocalTag(*value));
    if (!label)
        return false;
    result.localTag = tagText(Types::LocalTag(*value));
    result.tagLabel = labelText(*label);
    if (const MetaElement* element = dictionary.findMetaElement(*label))
        result.elements.push_back(element);
    return true;
}

template <class Equal>
bool namedBy(const PropertyMap& map, const std::string& key, Equal equal) {
    for (const auto& name : {tagName(map), property(map, "name")})
        if (name && equal(*name, key))
            return true;
    return false;
}

template <class Equal>
bool lookupByName(const Dictionary& dictionary, const std::string& key, Equal equal,
                  LookupResult& result) {
    for (const MetaElement* element : dictionary.metaElements())
        // A later element with the same label hides the earlier one.
        if (namedBy(*element, key, equal) &&
            dictionary.findMetaElement(element->universalLabel()) == element)
            result.elements.push_back(element);
    for (const MetaMetadataSet* set : dictionary.metaMetadataSets())
        if (namedBy(*set, key, equal))
            result.sets.push_back(set);
    return !result.elements.empty() || !result.sets.empty();
}

bool sameText(const std::string& a, const std::string& b) {
    return a == b;
}

bool sameTextIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && strncasecmp(a.c_str(), b.c_str(), a.size()) == 0;
}

std::string nameOrKey(const MetaMetadataSet& set) {
    return displayName(set, keyText(set.key()));
}

} // namespace

std::vector<const MetaMetadataSet*> setsHolding(const Dictionary& dictionary,
                                                const MetaElement& element) {
    std::vector<const MetaMetadataSet*> holders;
    for (const MetaMetadataSet* set : dictionary.metaMetadataSets())
        for (const auto& attribute : set->attributes())
            if (attribute->metaElement().universalLabel() == element.universalLabel()) {
                holders.push_back(set);
                break;
            }
    return holders;
}

LookupResult lookup(const Dictionary& dictionary, const std::string& key) {
    LookupResult result;
    if (lookupByLabel(dictionary, key, result))
        result.matchedBy = "label";
    else if (lookupByLocalTag(dictionary, key, result))
        result.matchedBy = "localTag";
    else if (lookupByName(dictionary, key, sameText, result))
        result.matchedBy = "name";
    else if (lookupByName(dictionary, key, sameTextIgnoringCase, result)) {
        result.matchedBy = "name";
        result.notes.push_back("no exact match for the name " + key + "; matched ignoring case");
    }
    return result;
}

void printLookup(std::ostream& out, const Dictionary& dictionary,
                 const Palimo::TypeDefinitions::TypeDictionary* types, const LookupResult& result) {
    if (result.tagLabel)
        out << "local tag " << *result.localTag << " is " << *result.tagLabel << '\n';
    for (const MetaElement* element : result.elements) {
        printElement(out, *element, dictionary, types);
        out << "    held by:";
        const auto holders = setsHolding(dictionary, *element);
        for (const MetaMetadataSet* set : holders)
            out << ' ' << nameOrKey(*set);
        out << (holders.empty() ? " (no set)\n" : "\n");
    }
    for (const MetaMetadataSet* set : result.sets)
        printSet(out, *set);
}

Json lookupToJson(const Dictionary& dictionary,
                  const Palimo::TypeDefinitions::TypeDictionary* types, const std::string& key,
                  const LookupResult& result) {
    Json json = jsonDocument();
    json["key"] = key;
    json["matchedBy"] = result.matchedBy.empty() ? Json(nullptr) : Json(result.matchedBy);
    json["exact"] = result.notes.empty();
    json["localTagLabel"] = result.tagLabel ? Json(*result.tagLabel) : Json(nullptr);
    json["elements"] = Json::array();
    for (const MetaElement* element : result.elements) {
        Json entry = elementToJson(*element, dictionary, types);
        entry["heldBy"] = Json::array();
        for (const MetaMetadataSet* set : setsHolding(dictionary, *element))
            entry["heldBy"].push_back({{"key", keyText(set->key())}, {"name", nameOrKey(*set)}});
        json["elements"].push_back(std::move(entry));
    }
    json["sets"] = Json::array();
    for (const MetaMetadataSet* set : result.sets)
        json["sets"].push_back(setToJson(*set));
    return json;
}

} // namespace Mxfdict
