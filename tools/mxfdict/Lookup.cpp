#include "Lookup.h"

#include "JsonExport.h"
#include "TextDump.h"
#include "TextForms.h"

#include <Palimo/MetaMetadata/MetaMetadataSet.h>

namespace Mxfdict {

using namespace Palimo;
using namespace Palimo::MetaMetadata;
using Palimo::Query::LookupResult;
using Palimo::Query::MatchedBy;

namespace {

std::string versionNote(const std::string& asked, const std::string& found) {
    return "no exact match for " + asked + "; matched ignoring the version byte (byte 8): " + found;
}

const char* matchedByName(MatchedBy matchedBy) {
    switch (matchedBy) {
    case MatchedBy::Label:
        return "label";
    case MatchedBy::LocalTag:
        return "localTag";
    case MatchedBy::Name:
        return "name";
    case MatchedBy::Nothing:
        break;
    }
    return nullptr;
}

std::string nameOrKey(const MetaMetadataSet& set) {
    return displayName(set, keyText(set.key()));
}

} // namespace

std::vector<std::string> lookupNotes(const std::string& key, const LookupResult& result) {
    std::vector<std::string> notes;
    if (result.elementIgnoringVersion)
        notes.push_back(versionNote(labelText(Types::UniversalLabel(result.label->bytes())),
                                    labelText(result.elements.front()->universalLabel())));
    if (result.setIgnoringVersion)
        notes.push_back(versionNote(keyText(KLV::Key(result.label->bytes())),
                                    keyText(result.sets.front()->key())));
    if (result.nameIgnoringCase)
        notes.push_back("no exact match for the name " + key + "; matched ignoring case");
    return notes;
}

void printLookup(std::ostream& out, const Dictionary& dictionary,
                 const Palimo::TypeDefinitions::TypeDictionary* types, const LookupResult& result) {
    if (result.tagLabel)
        out << "local tag " << tagText(*result.localTag) << " is " << labelText(*result.tagLabel)
            << '\n';
    for (const MetaElement* element : result.elements) {
        printElement(out, *element, dictionary, types);
        out << "    held by:";
        const auto holders = Query::setsHolding(dictionary, *element);
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
    const char* matchedBy = matchedByName(result.matchedBy);
    json["matchedBy"] = matchedBy ? Json(matchedBy) : Json(nullptr);
    json["exact"] = result.exact();
    json["localTagLabel"] = result.tagLabel ? Json(labelText(*result.tagLabel)) : Json(nullptr);
    json["elements"] = Json::array();
    for (const MetaElement* element : result.elements) {
        Json entry = elementToJson(*element, dictionary, types);
        entry["heldBy"] = Json::array();
        for (const MetaMetadataSet* set : Query::setsHolding(dictionary, *element))
            entry["heldBy"].push_back({{"key", keyText(set->key())}, {"name", nameOrKey(*set)}});
        json["elements"].push_back(std::move(entry));
    }
    json["sets"] = Json::array();
    for (const MetaMetadataSet* set : result.sets)
        json["sets"].push_back(setToJson(*set));
    return json;
}

} // namespace Mxfdict
