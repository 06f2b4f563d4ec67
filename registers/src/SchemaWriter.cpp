#include "SchemaWriter.h"

#include "DataTypesSchema.h"
#include "TypeDefinitionsSchema.h"
#include "XmlText.h"

#include <Palimo/Identifiers/Hex.h>
#include <Palimo/Registers/RegisterError.h>

#include <fstream>
#include <sstream>

namespace Palimo {
namespace Registers {

const char kTopFileName[] = "MXFDictionary.xsd";

namespace {

namespace Id = Types::Identifiers;

const char kSchemaStart[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<xs:schema xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" "
    "xmlns:ff=\"urn:SMPTE:MXF:file_format\"\n"
    "           targetNamespace=\"urn:SMPTE:MXF:file_format\" elementFormDefault=\"qualified\">\n";

std::string typeName(Types::Identifier id) {
    return std::string("ff:") + Id::identifierToString(id);
}

class Annotation {
public:
    explicit Annotation(std::ostream& out, const char* indent) : out_(out), indent_(indent) {
        out_ << indent_ << "<xs:annotation>\n";
    }
    ~Annotation() { out_ << indent_ << "</xs:annotation>\n"; }
    Annotation(const Annotation&) = delete;
    Annotation& operator=(const Annotation&) = delete;

    void documentation(const std::string& text) {
        if (!text.empty())
            out_ << indent_ << "  <xs:documentation>" << escapeText(text)
                 << "</xs:documentation>\n";
    }
    void appinfo(const char* source, const std::string& text, bool evenIfEmpty = false) {
        if (text.empty() && !evenIfEmpty)
            return;
        out_ << indent_ << "  <xs:appinfo source=\"" << source << "\"";
        if (text.empty())
            out_ << "/>\n";
        else
            out_ << ">" << escapeText(text) << "</xs:appinfo>\n";
    }

private:
    std::ostream& out_;
    const char* indent_;
};

void writeEnumeration(std::ostream& out, const ElementDeclaration& element) {
    out << "    <xs:simpleType>\n"
        << "      <xs:restriction base=\"" << typeName(element.type.identifier) << "\">\n";
    for (const EnumerationValue& value : element.enumeration) {
        out << "        <xs:enumeration value=\"" << escapeAttribute(value.value) << "\"";
        if (value.documentation.empty()) {
            out << "/>\n";
            continue;
        }
        out << "><xs:annotation><xs:documentation>" << escapeText(value.documentation)
            << "</xs:documentation></xs:annotation></xs:enumeration>\n";
    }
    out << "      </xs:restriction>\n"
        << "    </xs:simpleType>\n";
}

const char* referenceBase(const MappedType& type) {
    const bool strong =
        (type.kind == MappedType::Kind::Reference ? type.identifier : type.itemIdentifier) ==
        Id::StrongReference;
    if (type.kind == MappedType::Kind::Reference)
        return strong ? "ff:StrongRefHolder" : "ff:WeakRefHolder";
    if (type.identifier == Id::Batch)
        return strong ? "ff:StrongRefBatch" : "ff:WeakRefBatch";
    return strong ? "ff:StrongRefArray" : "ff:WeakRefArray";
}

void writeDerivation(std::ostream& out, const ElementDeclaration& element) {
    const MappedType& type = element.type;
    const bool collection = type.kind == MappedType::Kind::Collection;
    const std::string base = collection ? typeName(type.identifier) : referenceBase(type);
    out << "    <xs:complexType>\n"
        << "      <xs:complexContent>\n";
    if (collection) {
        out << "        <xs:extension base=\"" << base << "\">\n"
            << "          <xs:sequence>\n"
            << "            <xs:element name=\"" << escapeAttribute(type.itemName) << "\" type=\""
            << typeName(type.itemIdentifier) << "\" minOccurs=\"0\" maxOccurs=\"unbounded\"/>\n"
            << "          </xs:sequence>\n"
            << "        </xs:extension>\n";
    } else if (element.targets.empty()) {
        out << "        <xs:extension base=\"" << base << "\"/>\n";
    } else {
        out << "        <xs:extension base=\"" << base << "\">\n"
            << "          <xs:choice"
            << (type.kind == MappedType::Kind::ReferenceCollection
                    ? " minOccurs=\"0\" maxOccurs=\"unbounded\""
                    : "")
            << ">\n";
        for (const std::string& target : element.targets)
            out << "            <xs:element ref=\"ff:" << target << "\"/>\n";
        out << "          </xs:choice>\n"
            << "        </xs:extension>\n";
    }
    out << "      </xs:complexContent>\n"
        << "    </xs:complexType>\n";
}

void writeElement(std::ostream& out, const ElementDeclaration& element) {
    const ElementEntry& entry = *element.entry;
    const bool named = element.type.kind == MappedType::Kind::Simple && !element.type.enumeration;
    out << "  <xs:element name=\"" << element.name << "\"";
    if (named)
        out << " type=\"" << typeName(element.type.identifier) << "\"";
    out << ">\n";
    {
        Annotation annotation(out, "    ");
        annotation.documentation(entry.definition);
        annotation.appinfo("RP210", "", true);
        annotation.appinfo("UL Designator", entry.ul.dotted());
        if (element.localTag)
            annotation.appinfo("Local Tag", Identifiers::localTagText(*element.localTag));
        annotation.appinfo("Name In Specification", entry.name);
        annotation.appinfo("Length", entry.valueLength);
        annotation.appinfo("XMLNamespaceURI", entry.namespaceName);
        annotation.appinfo("Type Definition", element.typeDefinition);
        if (element.name != entry.symbol)
            annotation.appinfo("Symbol", entry.symbol);
    }
    if (element.type.kind == MappedType::Kind::Simple) {
        if (element.type.enumeration)
            writeEnumeration(out, element);
    } else {
        writeDerivation(out, element);
    }
    out << "  </xs:element>\n";
}

void writeMembers(std::ostream& out, const std::vector<MemberDeclaration>& members,
                  const char* indent) {
    if (members.empty()) {
        out << indent << "<xs:sequence/>\n";
        return;
    }
    out << indent << "<xs:sequence>\n";
    for (const MemberDeclaration& member : members) {
        out << indent << "  <xs:element ref=\"ff:" << member.element << "\""
            << (member.optional ? " minOccurs=\"0\"" : "") << ">\n";
        out << indent << "    <xs:annotation>\n"
            << indent << "      <xs:appinfo source=\"use\">"
            << (member.optional ? "optional" : "required") << "</xs:appinfo>\n";
        if (!member.value.empty())
            out << indent << "      <xs:appinfo source=\"Distinguished Value\">"
                << escapeText(member.value) << "</xs:appinfo>\n";
        if (member.uniqueIdentifier)
            out << indent << "      <xs:appinfo source=\"Unique Identifier\">true</xs:appinfo>\n";
        out << indent << "    </xs:annotation>\n" << indent << "  </xs:element>\n";
    }
    out << indent << "</xs:sequence>\n";
}

void writeSet(std::ostream& out, const SetDeclaration& set) {
    const GroupEntry& entry = *set.entry;
    const bool abstract = entry.concrete && !*entry.concrete;
    out << "  <!-- " << commentText(entry.name.empty() ? entry.symbol : entry.name) << " -->\n";
    out << "  <xs:element name=\"" << set.name << "\" type=\"ff:" << set.typeName << "\"";
    if (!set.parentName.empty())
        out << " substitutionGroup=\"ff:" << set.parentName << "\"";
    if (abstract)
        out << " abstract=\"true\"";
    out << ">\n";
    {
        Annotation annotation(out, "    ");
        annotation.documentation(entry.definition);
        annotation.appinfo("UL Designator", localSetKey(entry.ul).dotted());
        annotation.appinfo("Name In Specification", entry.name);
        annotation.appinfo("XMLNamespaceURI", entry.namespaceName);
        if (set.name != entry.symbol)
            annotation.appinfo("Symbol", entry.symbol);
    }
    out << "  </xs:element>\n";
    out << "  <xs:element name=\"" << set.referenceName
        << "\" type=\"ff:Ref\" substitutionGroup=\"ff:" << set.name << "\"/>\n";
    out << "  <xs:complexType name=\"" << set.typeName << "\""
        << (abstract ? " abstract=\"true\"" : "") << ">\n";
    const char* indent = "    ";
    if (!set.parentTypeName.empty()) {
        out << "    <xs:complexContent>\n"
            << "      <xs:extension base=\"ff:" << set.parentTypeName << "\">\n";
        indent = "        ";
    }
    writeMembers(out, set.members, indent);
    if (!set.parentTypeName.empty())
        out << "      </xs:extension>\n"
            << "    </xs:complexContent>\n";
    out << "  </xs:complexType>\n";
}

std::string topFile(const SchemaModel& model) {
    std::ostringstream out;
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<!-- An MXF metadata dictionary imported from the SMPTE metadata registers";
    std::string revisions;
    for (const auto& [file, revision] : model.revisions)
        if (!revision.empty())
            revisions += (revisions.empty() ? "" : ", ") + file + " " + revision;
    if (!revisions.empty())
        out << "\n     (" << commentText(revisions) << ")";
    out << ":\n     " << model.sets.size() << " local sets, " << model.elements.size()
        << " elements and " << model.typeDefinitions.types.size()
        << " type definitions. Written by mxfdict\n"
        << "     import-registers; import the registers again rather than edit it. Every\n"
        << "     register namespace is declared with a prefix of its own on this root. -->\n"
        << "<xs:schema xmlns:xs=\"http://www.w3.org/2001/XMLSchema\"\n"
        << "           xmlns:ff=\"urn:SMPTE:MXF:file_format\"\n";
    for (const auto& [uri, prefix] : model.prefixes)
        if (prefix != "ff")
            out << "           xmlns:" << prefix << "=\"" << escapeAttribute(uri) << "\"\n";
    out << "           targetNamespace=\"urn:SMPTE:MXF:file_format\"\n"
        << "           elementFormDefault=\"qualified\" version=\"1.0\">\n"
        << "  <xs:include schemaLocation=\"MXFTypes.xsd\"/>\n"
        << "  <xs:include schemaLocation=\"MXFSets.xsd\"/>\n"
        << "  <xs:include schemaLocation=\"MXFElements.xsd\"/>\n"
        << "  <xs:import namespace=\"" << escapeAttribute(model.typeDefinitions.namespaceURI)
        << "\" schemaLocation=\"" << kTypeDefinitionsFileName << "\"/>\n"
        << "</xs:schema>\n";
    return out.str();
}

} // namespace

std::string setsSchema(const SchemaModel& model) {
    std::ostringstream out;
    out << kSchemaStart;
    for (const SetDeclaration& set : model.sets)
        writeSet(out, set);
    out << "</xs:schema>\n";
    return out.str();
}

std::string elementsSchema(const SchemaModel& model) {
    std::ostringstream out;
    out << kSchemaStart;
    for (const ElementDeclaration& element : model.elements)
        writeElement(out, element);
    out << "</xs:schema>\n";
    return out.str();
}

std::string setTypeExtension(const std::string& typeName,
                             const std::vector<MemberDeclaration>& members) {
    std::ostringstream out;
    out << "    <xs:complexType name=\"" << typeName << "\">\n"
        << "      <xs:complexContent>\n"
        << "        <xs:extension base=\"ff:" << typeName << "\">\n";
    writeMembers(out, members, "          ");
    out << "        </xs:extension>\n"
        << "      </xs:complexContent>\n"
        << "    </xs:complexType>\n";
    return out.str();
}

std::vector<std::pair<std::string, std::string>> schemaTexts(const SchemaModel& model) {
    return {{kTopFileName, topFile(model)},
            {"MXFTypes.xsd", dataTypesSchema()},
            {"MXFSets.xsd", setsSchema(model)},
            {"MXFElements.xsd", elementsSchema(model)},
            {kTypeDefinitionsFileName, typeDefinitionsSchema(model)}};
}

std::vector<WrittenFile> writeSchema(const SchemaModel& model,
                                     const std::filesystem::path& directory) {
    return writeSchemaFiles(schemaTexts(model), directory);
}

std::vector<WrittenFile>
writeSchemaFiles(const std::vector<std::pair<std::string, std::string>>& texts,
                 const std::filesystem::path& directory) {
    std::error_code error;
    std::filesystem::create_directories(directory, error);
    if (error || !std::filesystem::is_directory(directory))
        throw RegisterError("cannot create the directory " + directory.string() +
                                (error ? ": " + error.message() : std::string()),
                            __FILE__, __LINE__);
    std::vector<WrittenFile> written;
    for (const auto& [name, text] : texts) {
        const std::filesystem::path path = directory / name;
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << text;
        out.close();
        if (!out)
            throw RegisterError("cannot write " + path.string(), __FILE__, __LINE__);
        written.push_back({path, text.size()});
    }
    return written;
}

} // namespace Registers
} // namespace Palimo
