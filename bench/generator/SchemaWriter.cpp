// Writes a drawn dictionary as XML Schema files, in one file or split by
// namespace, the components in the same order either way.
#include "GeneratorModel.h"

#include <fstream>
#include <stdexcept>

namespace Palimo {
namespace Bench {

namespace {

namespace fs = std::filesystem;

const char kTopFile[] = "MXFDictionary.xsd";
const char kTypesFile[] = "FileFormatTypes.xsd";
const char kElementsFile[] = "Elements.xsd";
const char kSetsFile[] = "Sets.xsd";

class Writer {
public:
    explicit Writer(const fs::path& path) : path_(path) {}
    Writer& line(int indent, const std::string& text) {
        text_.append(static_cast<std::size_t>(indent) * 2, ' ');
        text_ += text;
        text_ += '\n';
        return *this;
    }
    void save() const {
        std::ofstream out(path_, std::ios::binary | std::ios::trunc);
        out << text_;
        out.close();
        if (!out)
            throw std::runtime_error("cannot write " + path_.string());
    }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
    std::string text_;
};

std::string appinfo(const std::string& source, const std::string& text) {
    return "<xs:appinfo source=\"" + source + "\">" + text + "</xs:appinfo>";
}

class SchemaWriter {
public:
    SchemaWriter(const Model& model, const Profile& profile, bool oneFile)
        : model_(model), profile_(profile), oneFile_(oneFile) {}

    void openSchema(Writer& w, std::size_t vocabulary, const std::string& comment) const {
        w.line(0, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
        w.line(0, "<!-- " + comment + " -->");
        w.line(0, "<xs:schema xmlns:xs=\"http://www.w3.org/2001/XMLSchema\"");
        for (const Vocabulary& v : model_.vocabularies)
            w.line(0, "           xmlns:" + v.prefix + "=\"" + v.uri + "\"");
        w.line(0, "           targetNamespace=\"" + model_.vocabularies[vocabulary].uri +
                      "\" elementFormDefault=\"qualified\">");
    }

    // A reference to a component: in one file everything is in the file
    // format namespace, split each component is in its own.
    std::string qualified(std::size_t vocabulary, const std::string& name) const {
        return model_.vocabularies[oneFile_ ? 0 : vocabulary].prefix + ":" + name;
    }

    void writeTypes(Writer& w) const;
    void writeElement(Writer& w, const Element& e) const;
    void writeSetType(Writer& w, const Set& set) const;
    void writeSetDeclaration(Writer& w, const Set& set) const;

    // The components of one namespace: elements, set types, set declarations.
    void writeComponents(std::size_t vocabulary, Writer& elements, Writer& sets) const {
        for (const Element& e : model_.elements)
            if (e.vocabulary == vocabulary)
                writeElement(elements, e);
        for (const Set& s : model_.sets)
            if (s.vocabulary == vocabulary)
                writeSetType(sets, s);
        for (const Set& s : model_.sets)
            if (s.vocabulary == vocabulary)
                writeSetDeclaration(sets, s);
    }

private:
    void writeFacts(Writer& w, int indent, const std::vector<Fact>& facts) const {
        for (const Fact& fact : facts)
            w.line(indent, appinfo(fact.source, fact.text));
    }

    const Model& model_;
    const Profile& profile_;
    bool oneFile_;
};

void SchemaWriter::writeTypes(Writer& w) const {
    static const std::array<std::pair<const char*, const char*>, 22> simpleTypes = {{
        {"UInt8", "xs:unsignedByte"},
        {"UInt16", "xs:unsignedShort"},
        {"UInt32", "xs:unsignedInt"},
        {"UInt64", "xs:unsignedLong"},
        {"Int8", "xs:byte"},
        {"Int16", "xs:short"},
        {"Int32", "xs:int"},
        {"Int64", "xs:long"},
        {"Boolean", "xs:boolean"},
        {"UTF16String", "xs:string"},
        {"ISO7String", "xs:string"},
        {"UTF16", "xs:string"},
        {"UniversalLabel", "xs:string"},
        {"UUID", "xs:string"},
        {"UMID32", "xs:string"},
        {"Length", "xs:long"},
        {"Position", "xs:long"},
        {"Timestamp", "xs:dateTime"},
        {"VersionType", "xs:string"},
        {"ProductVersion", "xs:string"},
        {"Rational", "xs:string"},
        {"DataValue", "xs:hexBinary"},
    }};
    static const std::array<const char*, 9> baseTypes = {
        "Ref",           "Array",          "Batch",          "StrongRefHolder",
        "WeakRefHolder", "StrongRefArray", "StrongRefBatch", "WeakRefArray",
        "WeakRefBatch"};
    auto simpleType = [&w](const std::string& name, const std::string& base) {
        w.line(1, "<xs:simpleType name=\"" + name + "\">");
        w.line(2, "<xs:restriction base=\"" + base + "\"/>");
        w.line(1, "</xs:simpleType>");
    };
    for (const auto& [name, base] : simpleTypes)
        simpleType(name, base);
    if (profile_.everyType)
        simpleType("UMID64", "xs:string");
    for (const char* name : baseTypes) {
        w.line(1, "<xs:complexType name=\"" + std::string(name) + "\" abstract=\"true\">");
        w.line(2, "<xs:sequence/>");
        w.line(1, "</xs:complexType>");
    }
}

void SchemaWriter::writeElement(Writer& w, const Element& e) const {
    const bool named = e.kind == Kind::Simple;
    w.line(1, "<xs:element name=\"" + e.name + "\"" +
                  (named ? " type=\"ff:" + e.type + "\"" : std::string()) + ">");
    w.line(2, "<xs:annotation>");
    w.line(3, "<xs:documentation>" +
                  (e.documentation.empty()
                       ? "The " + e.standardName + " property of the benchmark dictionary."
                       : e.documentation) +
                  "</xs:documentation>");
    w.line(3, "<xs:appinfo source=\"RP210\"/>");
    w.line(3, appinfo("UL Designator", e.label));
    if (!e.tag.empty())
        w.line(3, appinfo("Local Tag", e.tag));
    w.line(3, appinfo("Name In Specification", e.standardName));
    w.line(3, appinfo("XMLNamespaceURI", model_.vocabularies[e.vocabulary].uri));
    writeFacts(w, 3, e.facts);
    w.line(2, "</xs:annotation>");
    switch (e.kind) {
    case Kind::Simple:
        break;
    case Kind::Enumeration:
        w.line(2, "<xs:simpleType>");
        w.line(3, "<xs:restriction base=\"ff:" + e.type + "\">");
        for (std::size_t v = 0; v < e.enumerationSize; ++v)
            w.line(4, "<xs:enumeration value=\"" + std::to_string(v) + "\"/>");
        w.line(3, "</xs:restriction>");
        w.line(2, "</xs:simpleType>");
        break;
    case Kind::Collection:
        w.line(2, "<xs:complexType>");
        w.line(3, "<xs:complexContent>");
        w.line(4, "<xs:extension base=\"ff:" + e.base + "\">");
        w.line(5, "<xs:sequence>");
        w.line(6, "<xs:element name=\"" + e.type + "\" type=\"ff:" + e.type +
                      "\" minOccurs=\"0\" maxOccurs=\"unbounded\"/>");
        w.line(5, "</xs:sequence>");
        w.line(4, "</xs:extension>");
        w.line(3, "</xs:complexContent>");
        w.line(2, "</xs:complexType>");
        break;
    case Kind::Reference:
    case Kind::ReferenceCollection:
        w.line(2, "<xs:complexType>");
        w.line(3, "<xs:complexContent>");
        w.line(4, "<xs:extension base=\"ff:" + e.base + "\">");
        w.line(5, e.kind == Kind::Reference
                      ? "<xs:choice>"
                      : "<xs:choice minOccurs=\"0\" maxOccurs=\"unbounded\">");
        for (std::size_t target : e.targets) {
            const Set& set = model_.sets[target];
            w.line(6, "<xs:element ref=\"" + qualified(set.vocabulary, set.name) + "\"/>");
        }
        w.line(5, "</xs:choice>");
        w.line(4, "</xs:extension>");
        w.line(3, "</xs:complexContent>");
        w.line(2, "</xs:complexType>");
        break;
    }
    w.line(1, "</xs:element>");
}

void SchemaWriter::writeSetType(Writer& w, const Set& set) const {
    const std::string typeName = set.name + "Type";
    int indent = 2;
    w.line(1, "<xs:complexType name=\"" + typeName + "\"" +
                  (set.abstract ? " abstract=\"true\"" : "") + ">");
    if (set.parent != kNone) {
        const Set& parent = model_.sets[set.parent];
        w.line(2, "<xs:complexContent>");
        w.line(3, "<xs:extension base=\"" + qualified(parent.vocabulary, parent.name + "Type") +
                      "\">");
        indent = 4;
    }
    w.line(indent, "<xs:sequence>");
    for (const Member& m : set.members) {
        const Element& e = model_.elements[m.element];
        w.line(indent + 1, "<xs:element ref=\"" + qualified(e.vocabulary, e.name) + "\"" +
                               (m.use == "required" ? "" : " minOccurs=\"0\"") + ">");
        w.line(indent + 2, "<xs:annotation>");
        w.line(indent + 3, appinfo("use", m.use));
        if (!m.distinguishedValue.empty())
            w.line(indent + 3, appinfo("Distinguished Value", m.distinguishedValue));
        if (!m.semantics.empty())
            w.line(indent + 3, appinfo("RequiresSemanticsValidation", m.semantics));
        if (e.vocabulary != 0)
            w.line(indent + 3, appinfo("XMLNamespaceURI", model_.vocabularies[e.vocabulary].uri));
        writeFacts(w, indent + 3, m.facts);
        w.line(indent + 2, "</xs:annotation>");
        w.line(indent + 1, "</xs:element>");
    }
    w.line(indent, "</xs:sequence>");
    if (set.parent != kNone) {
        w.line(3, "</xs:extension>");
        w.line(2, "</xs:complexContent>");
    }
    w.line(1, "</xs:complexType>");
}

void SchemaWriter::writeSetDeclaration(Writer& w, const Set& set) const {
    std::string head = "<xs:element name=\"" + set.name + "\" type=\"" +
                       qualified(set.vocabulary, set.name + "Type") + "\"";
    if (set.abstract)
        head += " abstract=\"true\"";
    if (set.substitutionHead != kNone) {
        const Set& group = model_.sets[set.substitutionHead];
        head += " substitutionGroup=\"" + qualified(group.vocabulary, group.name) + "\"";
    }
    w.line(1, head + ">");
    w.line(2, "<xs:annotation>");
    w.line(3, "<xs:documentation>" +
                  (set.documentation.empty()
                       ? "The " + set.standardName + " set of the benchmark dictionary."
                       : set.documentation) +
                  "</xs:documentation>");
    w.line(3, appinfo("UL Designator", set.label));
    w.line(3, appinfo("Name In Specification", set.standardName));
    w.line(3, appinfo("XMLNamespaceURI", model_.vocabularies[set.vocabulary].uri));
    writeFacts(w, 3, set.facts);
    w.line(2, "</xs:annotation>");
    w.line(1, "</xs:element>");
    // The reference declaration through which the loader finds the set.
    w.line(1, "<xs:element name=\"" + set.name +
                  "Reference\" type=\"ff:Ref\" substitutionGroup=\"" +
                  qualified(set.vocabulary, set.name) + "\"/>");
}

// The namespaces besides the file format's that hold a component.
std::vector<std::size_t> usedVocabularies(const Model& model) {
    std::vector<bool> used(model.vocabularies.size(), false);
    for (const Element& e : model.elements)
        used[e.vocabulary] = true;
    for (const Set& s : model.sets)
        used[s.vocabulary] = true;
    std::vector<std::size_t> result;
    for (std::size_t v = 1; v < used.size(); ++v)
        if (used[v])
            result.push_back(v);
    return result;
}

std::vector<fs::path> writeSplit(const fs::path& directory, const Model& model,
                                 const SchemaWriter& writer) {
    const std::vector<std::size_t> imported = usedVocabularies(model);
    Writer top(directory / kTopFile);
    writer.openSchema(top, 0, "Benchmark MXF dictionary (generated)");
    for (const char* file : {kTypesFile, kElementsFile, kSetsFile})
        top.line(1, std::string("<xs:include schemaLocation=\"") + file + "\"/>");
    for (std::size_t v : imported)
        top.line(1, "<xs:import namespace=\"" + model.vocabularies[v].uri + "\" schemaLocation=\"" +
                        model.vocabularies[v].file + "\"/>");
    top.line(0, "</xs:schema>");
    top.save();

    Writer types(directory / kTypesFile);
    writer.openSchema(types, 0,
                      "Types of the MXF file format namespace used by the benchmark dictionary");
    writer.writeTypes(types);
    types.line(0, "</xs:schema>");
    types.save();

    std::vector<fs::path> files = {top.path(), types.path()};
    Writer elements(directory / kElementsFile);
    Writer sets(directory / kSetsFile);
    writer.openSchema(elements, 0, "Meta element declarations of the benchmark dictionary");
    writer.openSchema(sets, 0, "Set types and set declarations of the benchmark dictionary");
    writer.writeComponents(0, elements, sets);
    for (Writer* w : {&elements, &sets}) {
        w->line(0, "</xs:schema>");
        w->save();
        files.push_back(w->path());
    }
    for (std::size_t v : imported) {
        Writer w(directory / model.vocabularies[v].file);
        writer.openSchema(w, v, model.vocabularies[v].description);
        writer.writeComponents(v, w, w);
        w.line(0, "</xs:schema>");
        w.save();
        files.push_back(w.path());
    }
    return files;
}

std::vector<fs::path> writeOneFile(const fs::path& directory, const Model& model,
                                   const Profile& profile, const SchemaWriter& writer) {
    Writer w(directory / kTopFile);
    writer.openSchema(w, 0,
                      std::string("Benchmark MXF dictionary of the ") + profile.name +
                          " shape (generated)");
    writer.writeTypes(w);
    writer.writeComponents(0, w, w);
    for (std::size_t v : usedVocabularies(model))
        writer.writeComponents(v, w, w);
    w.line(0, "</xs:schema>");
    w.save();
    return {w.path()};
}

} // namespace

std::vector<fs::path> writeSchema(const fs::path& directory, const Model& model,
                                  const Profile& profile, bool oneFile) {
    fs::create_directories(directory);
    const SchemaWriter writer(model, profile, oneFile);
    return oneFile ? writeOneFile(directory, model, profile, writer)
                   : writeSplit(directory, model, writer);
}

} // namespace Bench
} // namespace Palimo
