#include <Palimo/Query/Lookup.h>

#include <Palimo/Identifiers/Hex.h>
#include <Palimo/Query/Entries.h>

#include <strings.h>

namespace Palimo {
namespace Query {

using namespace MetaMetadata;

namespace {

bool lookupByLabel(const Dictionary& dictionary, const std::string& key, LookupResult& result) {
    const std::optional<Identifiers::Label> parsed = Identifiers::Label::parse(key);
    if (!parsed)
        return false;
    bool exact = false;
    if (const MetaElement* element = dictionary.findMetaElementIgnoringVersion(
            Types::UniversalLabel(parsed->bytes()), &exact)) {
        result.elementIgnoringVersion = !exact;
        result.elements.push_back(element);
    }
    if (const MetaMetadataSet* set =
            dictionary.findMetaMetadataSetIgnoringVersion(KLV::Key(parsed->bytes()), &exact)) {
        result.setIgnoringVersion = !exact;
        result.sets.push_back(set);
    }
    if (result.elements.empty() && result.sets.empty())
        return false;
    result.label = parsed;
    return true;
}

bool lookupByLocalTag(const Dictionary& dictionary, const std::string& key, LookupResult& result) {
    const auto value = Identifiers::parseLocalTag(key);
    if (!value)
        return false;
    const Types::UniversalLabel* label = dictionary.findLabelByLocalTag(Types::LocalTag(*value));
    if (!label)
        return false;
    result.localTag = Types::LocalTag(*value);
    result.tagLabel = label;
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
        if (namedBy(*element, key, equal) && isCurrent(dictionary, *element))
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
        result.matchedBy = MatchedBy::Label;
    else if (lookupByLocalTag(dictionary, key, result))
        result.matchedBy = MatchedBy::LocalTag;
    else if (lookupByName(dictionary, key, sameText, result))
        result.matchedBy = MatchedBy::Name;
    else if (lookupByName(dictionary, key, sameTextIgnoringCase, result)) {
        result.matchedBy = MatchedBy::Name;
        result.nameIgnoringCase = true;
    }
    return result;
}

} // namespace Query
} // namespace Palimo
