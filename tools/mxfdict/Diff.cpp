#include "Diff.h"

#include "TextForms.h"

#include <string>
#include <utility>

namespace Mxfdict {

using namespace Palimo::Diff;

namespace {

// The names of the fields in the JSON form of the dictionary.
std::string fieldName(const FieldChange& change) {
    switch (change.field) {
    case Field::Name:
        return "name";
    case Field::Kind:
        return "kind";
    case Field::DataType:
        return "dataType";
    case Field::SubType:
        return "subType";
    case Field::LocalTag:
        return "localTag";
    case Field::Targets:
        return "targets";
    case Field::Element:
        return "element";
    case Field::Required:
        return "required";
    case Field::Default:
        return "default";
    case Field::Property:
        break;
    }
    return "properties." + change.property;
}

// A value as the JSON form of the dictionary writes it.
struct ValueJson {
    Json operator()(std::monostate) const { return nullptr; }
    Json operator()(const std::string& text) const { return text; }
    Json operator()(Palimo::Query::ElementKind kind) const { return kindName(kind); }
    Json operator()(Palimo::Types::Identifier id) const { return identifierName(id); }
    Json operator()(const Palimo::Types::LocalTag& tag) const { return tagText(tag); }
    Json operator()(const Palimo::KLV::KeyVector& keys) const {
        Json json = Json::array();
        for (const auto& key : keys)
            json.push_back(keyText(key));
        return json;
    }
    Json operator()(Palimo::MetaMetadata::AttributeRequiredStatus::Status status) const {
        return statusName(status);
    }
};

Json valueJson(const Value& value) {
    return std::visit(ValueJson(), value);
}

char sign(Change change) {
    return change == Change::Added ? '+' : change == Change::Removed ? '-' : '~';
}

const char* changeName(Change change) {
    return change == Change::Added ? "added" : change == Change::Removed ? "removed" : "changed";
}

std::string nameText(const std::optional<std::string>& name) {
    return name ? *name : "(unnamed)";
}

std::string absentOr(const std::optional<Value>& value) {
    return value ? valueJson(*value).dump() : "\"(absent)\"";
}

std::string fieldLine(const FieldChange& change) {
    return fieldName(change) + ": " + absentOr(change.before) + " -> " + absentOr(change.after);
}

void printEntries(std::ostream& out, const char* kind, const std::vector<EntryDiff>& entries) {
    for (const EntryDiff& entry : entries) {
        out << sign(entry.change) << ' ' << kind << ' ' << entry.id.dotted() << ' '
            << nameText(entry.name) << '\n';
        for (const FieldChange& field : entry.fields)
            out << "    " << fieldLine(field) << '\n';
        for (const MemberDiff& member : entry.members) {
            const std::string head = std::string("    ") + sign(member.change) + " member " +
                                     member.label.dotted() + ' ' + nameText(member.name);
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
        change["field"] = fieldName(field);
        if (field.before)
            change["before"] = valueJson(*field.before);
        if (field.after)
            change["after"] = valueJson(*field.after);
        json.push_back(std::move(change));
    }
    return json;
}

} // namespace

void printDiff(std::ostream& out, const DictionaryDiff& diff) {
    printEntries(out, "element", diff.elements);
    printEntries(out, "set", diff.sets);
}

Json diffToJson(const DictionaryDiff& diff) {
    Json json = jsonDocument();
    json["elements"] = Json::array();
    for (const EntryDiff& entry : diff.elements)
        json["elements"].push_back({{"change", changeName(entry.change)},
                                    {"ul", entry.id.dotted()},
                                    {"name", nameText(entry.name)},
                                    {"fields", fieldsToJson(entry.fields)}});
    json["sets"] = Json::array();
    for (const EntryDiff& entry : diff.sets) {
        Json members = Json::array();
        for (const MemberDiff& member : entry.members)
            members.push_back({{"change", changeName(member.change)},
                               {"ul", member.label.dotted()},
                               {"name", nameText(member.name)},
                               {"fields", fieldsToJson(member.fields)}});
        json["sets"].push_back({{"change", changeName(entry.change)},
                                {"key", entry.id.dotted()},
                                {"name", nameText(entry.name)},
                                {"fields", fieldsToJson(entry.fields)},
                                {"members", std::move(members)},
                                {"memberOrderChanged", entry.memberOrderChanged}});
    }
    return json;
}

} // namespace Mxfdict
