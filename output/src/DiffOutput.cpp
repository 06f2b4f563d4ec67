#include <Palimo/Output/DictionaryNames.h>
#include <Palimo/Output/DiffOutput.h>
#include <Palimo/Output/JsonSink.h>

#include <sstream>
#include <string>

namespace Palimo {
namespace Output {

using namespace Diff;

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
struct DescribeValue {
    JsonSink& sink;

    void operator()(std::monostate) const { sink.null(); }
    void operator()(const std::string& text) const { sink.string(text); }
    void operator()(Query::ElementKind kind) const { sink.string(kindName(kind)); }
    void operator()(Types::Identifier id) const { sink.string(identifierName(id)); }
    void operator()(const Types::LocalTag& tag) const { sink.string(tagText(tag)); }
    void operator()(const KLV::KeyVector& keys) const {
        sink.beginArray();
        for (const auto& key : keys)
            sink.string(keyText(key));
        sink.endArray();
    }
    void operator()(MetaMetadata::AttributeRequiredStatus::Status status) const {
        sink.string(statusName(status));
    }
};

void describeValue(JsonSink& sink, const Value& value) {
    std::visit(DescribeValue{sink}, value);
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

// The value's JSON on one line, without the document's newline.
std::string absentOr(const std::optional<Value>& value) {
    if (!value)
        return "\"(absent)\"";
    std::ostringstream text;
    JsonStreamWriter writer(text, JsonStreamWriter::Layout::OneLine);
    describeValue(writer, *value);
    writer.finish();
    std::string json = text.str();
    json.pop_back();
    return json;
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

void describeFields(JsonSink& sink, const std::vector<FieldChange>& fields) {
    sink.key("fields");
    sink.beginArray();
    for (const FieldChange& field : fields) {
        sink.beginObject();
        sink.key("field");
        sink.string(fieldName(field));
        if (field.before) {
            sink.key("before");
            describeValue(sink, *field.before);
        }
        if (field.after) {
            sink.key("after");
            describeValue(sink, *field.after);
        }
        sink.endObject();
    }
    sink.endArray();
}

// {"change", IDKEY, "name", "fields"}, left open for what a set adds.
void beginEntry(JsonSink& sink, Change change, const char* idKey, const std::string& id,
                const std::optional<std::string>& name, const std::vector<FieldChange>& fields) {
    sink.beginObject();
    sink.key("change");
    sink.string(changeName(change));
    sink.key(idKey);
    sink.string(id);
    sink.key("name");
    sink.string(nameText(name));
    describeFields(sink, fields);
}

} // namespace

void printDiff(std::ostream& out, const DictionaryDiff& diff) {
    printEntries(out, "element", diff.elements);
    printEntries(out, "set", diff.sets);
}

void writeDiffJson(std::ostream& out, const DictionaryDiff& diff) {
    JsonStreamWriter sink(out);
    beginDocument(sink);
    sink.key("elements");
    sink.beginArray();
    for (const EntryDiff& entry : diff.elements) {
        beginEntry(sink, entry.change, "ul", entry.id.dotted(), entry.name, entry.fields);
        sink.endObject();
    }
    sink.endArray();
    sink.key("sets");
    sink.beginArray();
    for (const EntryDiff& entry : diff.sets) {
        beginEntry(sink, entry.change, "key", entry.id.dotted(), entry.name, entry.fields);
        sink.key("members");
        sink.beginArray();
        for (const MemberDiff& member : entry.members) {
            beginEntry(sink, member.change, "ul", member.label.dotted(), member.name,
                       member.fields);
            sink.endObject();
        }
        sink.endArray();
        sink.key("memberOrderChanged");
        sink.boolean(entry.memberOrderChanged);
        sink.endObject();
    }
    sink.endArray();
    sink.endObject();
    sink.finish();
}

} // namespace Output
} // namespace Palimo
