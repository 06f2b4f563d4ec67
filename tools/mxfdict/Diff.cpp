#include "Diff.h"

#include "JsonExport.h"

#include <string>
#include <utility>
#include <vector>

namespace Mxfdict {

using namespace Palimo::MetaMetadata;

namespace {

// Entries in order of addition, each identified by its label or key text.
using Entries = std::vector<std::pair<std::string, Json>>;

Entries elementEntries(const Dictionary& dictionary) {
    Entries entries;
    for (const MetaElement* element : dictionary.metaElements()) {
        // A later element with the same label hides the earlier one.
        if (dictionary.findMetaElement(element->universalLabel()) != element)
            continue;
        Json json = elementToJson(*element, dictionary);
        std::string ul = json.at("ul");
        entries.emplace_back(std::move(ul), std::move(json));
    }
    return entries;
}

Entries setEntries(const Dictionary& dictionary) {
    Entries entries;
    for (const MetaMetadataSet* set : dictionary.metaMetadataSets()) {
        Json json = setToJson(*set);
        std::string key = json.at("key");
        entries.emplace_back(std::move(key), std::move(json));
    }
    return entries;
}

Entries attributeEntries(const Json& set) {
    Entries entries;
    for (const Json& attribute : set.at("attributes"))
        entries.emplace_back(attribute["ul"].get<std::string>(), attribute);
    return entries;
}

const Json* find(const Entries& entries, const std::string& id) {
    for (const auto& entry : entries)
        if (entry.first == id)
            return &entry.second;
    return nullptr;
}

// The entry's name for the listing: `field` when it holds one, else its XML tag
// name or its name in the MXF standard.
std::string nameOf(const Json& json, const char* field) {
    if (json.contains(field) && json.at(field).is_string())
        return json.at(field).get<std::string>();
    const Json& properties = json.at("properties");
    for (const char* key : {"XMLTagName", "name"})
        if (properties.contains(key))
            return properties.at(key).get<std::string>();
    return "(unnamed)";
}

// Field-by-field differences of two JSON objects; nested objects by path.
void fieldChanges(const Json& before, const Json& after, const std::string& path,
                  std::vector<std::string>& changes) {
    std::vector<std::string> keys;
    for (const auto& item : before.items())
        keys.push_back(item.key());
    for (const auto& item : after.items())
        if (!before.contains(item.key()))
            keys.push_back(item.key());
    for (const std::string& key : keys) {
        const Json absent = "(absent)";
        const Json& b = before.contains(key) ? before.at(key) : absent;
        const Json& a = after.contains(key) ? after.at(key) : absent;
        if (b == a)
            continue;
        if (b.is_object() && a.is_object())
            fieldChanges(b, a, path + key + ".", changes);
        else
            changes.push_back(path + key + ": " + b.dump() + " -> " + a.dump());
    }
}

std::vector<std::string> memberChanges(const Json& before, const Json& after) {
    std::vector<std::string> changes;
    const Entries oldMembers = attributeEntries(before);
    const Entries newMembers = attributeEntries(after);
    std::vector<std::string> common;
    for (const auto& [ul, member] : newMembers)
        if (!find(oldMembers, ul))
            changes.push_back("+ member " + ul + " " + nameOf(member, "element"));
    for (const auto& [ul, member] : oldMembers) {
        const Json* counterpart = find(newMembers, ul);
        if (!counterpart) {
            changes.push_back("- member " + ul + " " + nameOf(member, "element"));
            continue;
        }
        common.push_back(ul);
        std::vector<std::string> fields;
        fieldChanges(member, *counterpart, "", fields);
        for (const std::string& field : fields)
            changes.push_back("~ member " + ul + " " + nameOf(member, "element") + ": " + field);
    }
    std::vector<std::string> newOrder;
    for (const auto& entry : newMembers)
        if (find(oldMembers, entry.first))
            newOrder.push_back(entry.first);
    if (newOrder != common)
        changes.push_back("member order changed");
    return changes;
}

// Reports one kind of entry; returns true when anything differs.
template <class Changes>
bool diffEntries(std::ostream& out, const char* kind, const char* nameField, const Entries& before,
                 const Entries& after, Changes changesOf) {
    bool differ = false;
    for (const auto& [id, entry] : after) {
        if (!find(before, id)) {
            out << "+ " << kind << ' ' << id << ' ' << nameOf(entry, nameField) << '\n';
            differ = true;
        }
    }
    for (const auto& [id, entry] : before) {
        const Json* counterpart = find(after, id);
        if (!counterpart) {
            out << "- " << kind << ' ' << id << ' ' << nameOf(entry, nameField) << '\n';
            differ = true;
            continue;
        }
        const std::vector<std::string> changes = changesOf(entry, *counterpart);
        if (changes.empty())
            continue;
        differ = true;
        out << "~ " << kind << ' ' << id << ' ' << nameOf(entry, nameField) << '\n';
        for (const std::string& change : changes)
            out << "    " << change << '\n';
    }
    return differ;
}

} // namespace

bool diffDictionaries(std::ostream& out, const Dictionary& before, const Dictionary& after) {
    const bool elementsDiffer =
        diffEntries(out, "element", "name", elementEntries(before), elementEntries(after),
                    [](const Json& b, const Json& a) {
                        std::vector<std::string> changes;
                        fieldChanges(b, a, "", changes);
                        return changes;
                    });
    const bool setsDiffer = diffEntries(out, "set", "", setEntries(before), setEntries(after),
                                        [](const Json& b, const Json& a) {
                                            std::vector<std::string> changes;
                                            Json bWithout = b, aWithout = a;
                                            bWithout.erase("attributes");
                                            aWithout.erase("attributes");
                                            fieldChanges(bWithout, aWithout, "", changes);
                                            for (std::string& change : memberChanges(b, a))
                                                changes.push_back(std::move(change));
                                            return changes;
                                        });
    return elementsDiffer || setsDiffer;
}

} // namespace Mxfdict
