#include "Diff.h"

#include "JsonExport.h"

#include <string>
#include <utility>

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
        Json json = elementToJson(*element, dictionary, nullptr);
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

std::optional<Json> member(const Json& object, const std::string& key) {
    if (!object.contains(key))
        return std::nullopt;
    return object.at(key);
}

// Field-by-field differences of two JSON objects; nested objects by path.
void fieldChanges(const Json& before, const Json& after, const std::string& path,
                  std::vector<FieldChange>& changes) {
    std::vector<std::string> keys;
    for (const auto& item : before.items())
        keys.push_back(item.key());
    for (const auto& item : after.items())
        if (!before.contains(item.key()))
            keys.push_back(item.key());
    for (const std::string& key : keys) {
        const std::optional<Json> b = member(before, key);
        const std::optional<Json> a = member(after, key);
        if (b == a)
            continue;
        if (b && a && b->is_object() && a->is_object())
            fieldChanges(*b, *a, path + key + ".", changes);
        else
            changes.push_back({path + key, b, a});
    }
}

void memberChanges(const Json& before, const Json& after, EntryDiff& diff) {
    const Entries oldMembers = attributeEntries(before);
    const Entries newMembers = attributeEntries(after);
    for (const auto& [ul, attribute] : newMembers)
        if (!find(oldMembers, ul))
            diff.members.push_back({Change::Added, ul, nameOf(attribute, "element"), {}});
    std::vector<std::string> common;
    for (const auto& [ul, attribute] : oldMembers) {
        const Json* counterpart = find(newMembers, ul);
        if (!counterpart) {
            diff.members.push_back({Change::Removed, ul, nameOf(attribute, "element"), {}});
            continue;
        }
        common.push_back(ul);
        MemberDiff changed{Change::Changed, ul, nameOf(attribute, "element"), {}};
        fieldChanges(attribute, *counterpart, "", changed.fields);
        if (!changed.fields.empty())
            diff.members.push_back(std::move(changed));
    }
    std::vector<std::string> newOrder;
    for (const auto& entry : newMembers)
        if (find(oldMembers, entry.first))
            newOrder.push_back(entry.first);
    diff.memberOrderChanged = newOrder != common;
}

// One kind of entry; `compare` fills the changes of an entry found on both sides.
template <class Compare>
std::vector<EntryDiff> diffEntries(const char* nameField, const Entries& before,
                                   const Entries& after, Compare compare) {
    std::vector<EntryDiff> diffs;
    for (const auto& [id, entry] : after)
        if (!find(before, id))
            diffs.push_back({Change::Added, id, nameOf(entry, nameField), {}, {}, false});
    for (const auto& [id, entry] : before) {
        const Json* counterpart = find(after, id);
        EntryDiff diff{counterpart ? Change::Changed : Change::Removed,
                       id,
                       nameOf(entry, nameField),
                       {},
                       {},
                       false};
        if (counterpart) {
            compare(entry, *counterpart, diff);
            if (diff.fields.empty() && diff.members.empty() && !diff.memberOrderChanged)
                continue;
        }
        diffs.push_back(std::move(diff));
    }
    return diffs;
}

char sign(Change change) {
    return change == Change::Added ? '+' : change == Change::Removed ? '-' : '~';
}

const char* changeName(Change change) {
    return change == Change::Added ? "added" : change == Change::Removed ? "removed" : "changed";
}

std::string absentOr(const std::optional<Json>& value) {
    return value ? value->dump() : "\"(absent)\"";
}

std::string fieldLine(const FieldChange& change) {
    return change.field + ": " + absentOr(change.before) + " -> " + absentOr(change.after);
}

void printEntries(std::ostream& out, const char* kind, const std::vector<EntryDiff>& entries) {
    for (const EntryDiff& entry : entries) {
        out << sign(entry.change) << ' ' << kind << ' ' << entry.id << ' ' << entry.name << '\n';
        for (const FieldChange& field : entry.fields)
            out << "    " << fieldLine(field) << '\n';
        for (const MemberDiff& member : entry.members) {
            const std::string head = std::string("    ") + sign(member.change) + " member " +
                                     member.ul + ' ' + member.name;
            if (member.fields.empty())
                out << head << '\n';
            for (const FieldChange& field : member.fields)
                out << head << ": " << fieldLine(field) << '\n';
        }
        if (entry.memberOrderChanged)
            out << "    member order changed\n";
    }
}

Json fieldsToJson(const std::vector<FieldChange>& fields) {
    Json json = Json::array();
    for (const FieldChange& field : fields) {
        Json change;
        change["field"] = field.field;
        if (field.before)
            change["before"] = *field.before;
        if (field.after)
            change["after"] = *field.after;
        json.push_back(std::move(change));
    }
    return json;
}

} // namespace

DictionaryDiff diffDictionaries(const Dictionary& before, const Dictionary& after) {
    DictionaryDiff diff;
    diff.elements = diffEntries("name", elementEntries(before), elementEntries(after),
                                [](const Json& b, const Json& a, EntryDiff& entry) {
                                    fieldChanges(b, a, "", entry.fields);
                                });
    diff.sets = diffEntries("", setEntries(before), setEntries(after),
                            [](const Json& b, const Json& a, EntryDiff& entry) {
                                Json bWithout = b, aWithout = a;
                                bWithout.erase("attributes");
                                aWithout.erase("attributes");
                                fieldChanges(bWithout, aWithout, "", entry.fields);
                                memberChanges(b, a, entry);
                            });
    return diff;
}

void printDiff(std::ostream& out, const DictionaryDiff& diff) {
    printEntries(out, "element", diff.elements);
    printEntries(out, "set", diff.sets);
}

Json diffToJson(const DictionaryDiff& diff) {
    Json json = jsonDocument();
    json["elements"] = Json::array();
    for (const EntryDiff& entry : diff.elements)
        json["elements"].push_back({{"change", changeName(entry.change)},
                                    {"ul", entry.id},
                                    {"name", entry.name},
                                    {"fields", fieldsToJson(entry.fields)}});
    json["sets"] = Json::array();
    for (const EntryDiff& entry : diff.sets) {
        Json members = Json::array();
        for (const MemberDiff& member : entry.members)
            members.push_back({{"change", changeName(member.change)},
                               {"ul", member.ul},
                               {"name", member.name},
                               {"fields", fieldsToJson(member.fields)}});
        json["sets"].push_back({{"change", changeName(entry.change)},
                                {"key", entry.id},
                                {"name", entry.name},
                                {"fields", fieldsToJson(entry.fields)},
                                {"members", std::move(members)},
                                {"memberOrderChanged", entry.memberOrderChanged}});
    }
    return json;
}

} // namespace Mxfdict
