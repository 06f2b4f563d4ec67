#include <Palimo/Output/DictionaryNames.h>
#include <Palimo/Output/DictionaryText.h>
#include <Palimo/Output/JsonSink.h>
#include <Palimo/Output/LookupOutput.h>

#include "EntryJson.h"
#include "SinkValues.h"

#include <Palimo/MetaMetadata/MetaMetadataSet.h>

namespace Palimo {
namespace Output {

using namespace MetaMetadata;
using Query::LookupResult;
using Query::MatchedBy;

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
                 const TypeDefinitions::TypeDictionary* types, const LookupResult& result) {
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

void writeLookupJson(std::ostream& out, const Dictionary& dictionary,
                     const TypeDefinitions::TypeDictionary* types, const std::string& key,
                     const LookupResult& result) {
    JsonStreamWriter sink(out);
    beginDocument(sink);
    sink.key("key");
    sink.string(key);
    sink.key("matchedBy");
    const char* matchedBy = matchedByName(result.matchedBy);
    if (matchedBy)
        sink.string(matchedBy);
    else
        sink.null();
    sink.key("exact");
    sink.boolean(result.exact());
    sink.key("localTagLabel");
    stringOrNull(sink, result.tagLabel ? std::optional<std::string>(labelText(*result.tagLabel))
                                       : std::nullopt);
    sink.key("elements");
    sink.beginArray();
    for (const MetaElement* element : result.elements) {
        sink.beginObject();
        describeElementMembers(sink, *element, dictionary, types);
        sink.key("heldBy");
        sink.beginArray();
        for (const MetaMetadataSet* set : Query::setsHolding(dictionary, *element)) {
            sink.beginObject();
            sink.key("key");
            sink.string(keyText(set->key()));
            sink.key("name");
            sink.string(nameOrKey(*set));
            sink.endObject();
        }
        sink.endArray();
        sink.endObject();
    }
    sink.endArray();
    describeSets(sink, result.sets);
    sink.endObject();
    sink.finish();
}

} // namespace Output
} // namespace Palimo
