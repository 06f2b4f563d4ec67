#include "SchemaWriter.h"

#include "DataTypesSchema.h"
#include "Naming.h"
#include "TypeDefinitionsSchema.h"

#include <Palimo/Identifiers/Hex.h>
#include <Palimo/Registers/RegisterError.h>

#include <fstream>
#include <sstream>

namespace Palimo {
namespace Registers {

const char kTopFileName[] = "MXFDictionary.xsd";
const char kXmlSchemaNamespace[] = "http://www.w3.org/2001/XMLSchema";

namespace {

namespace Id = Types::Identifiers;
using Output::XmlLine;
using Output::XmlWriter;

std::string typeName(Types::Identifier id) {
    return std::string("ff:") + Id::identifierToString(id);
}

void start(XmlWriter& out, const char* name) {
    out.startElement(kXmlSchemaNamespace, name);
}

// An element that ends on a line of its own even when nothing is in it.
void startBlock(XmlWriter& out, const char* name) {
    start(out, name);
    out.keepEndTag();
}

void attribute(XmlWriter& out, const char* name, const std::string& value) {
    out.attribute("", name, value);
}

// An element that holds only the annotation's documentation or appinfo text.
void textElement(XmlWriter& out, const char* name, const char* source, const std::string& text) {
    start(out, name);
    if (source)
        attribute(out, "source", source);
    out.text(text);
    out.endElement();
}

// <xs:appinfo source="SOURCE">TEXT</xs:appinfo>, self-closed for no text.
void writeAppinfo(XmlWriter& out, const char* source, const std::string& text) {
    textElement(out, "appinfo", source, text);
}

// Documentation and appinfo with text; none for empty text.
void documentation(XmlWriter& out, const std::string& text) {
    if (!text.empty())
        textElement(out, "documentation", nullptr, text);
}

void appinfoIfAny(XmlWriter& out, const char* source, const std::string& text) {
    if (!text.empty())
        writeAppinfo(out, source, text);
}

void writeEnumeration(XmlWriter& out, const ElementDeclaration& element) {
    startBlock(out, "simpleType");
    startBlock(out, "restriction");
    attribute(out, "base", typeName(element.type.identifier));
    for (const EnumerationValue& value : element.enumeration) {
        start(out, "enumeration");
        attribute(out, "value", value.value);
        if (!value.documentation.empty()) {
            out.inlineContent();
            start(out, "annotation");
            documentation(out, value.documentation);
            out.endElement();
        }
        out.endElement();
    }
    out.endElement();
    out.endElement();
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

void writeDerivation(XmlWriter& out, const ElementDeclaration& element) {
    const MappedType& type = element.type;
    const bool collection = type.kind == MappedType::Kind::Collection;
    start(out, "complexType");
    start(out, "complexContent");
    start(out, "extension");
    attribute(out, "base", collection ? typeName(type.identifier) : referenceBase(type));
    if (collection) {
        start(out, "sequence");
        start(out, "element");
        attribute(out, "name", type.itemName);
        attribute(out, "type", typeName(type.itemIdentifier));
        attribute(out, "minOccurs", "0");
        attribute(out, "maxOccurs", "unbounded");
        out.endElement();
        out.endElement();
    } else if (!element.targets.empty()) {
        start(out, "choice");
        if (type.kind == MappedType::Kind::ReferenceCollection) {
            attribute(out, "minOccurs", "0");
            attribute(out, "maxOccurs", "unbounded");
        }
        for (const std::string& target : element.targets) {
            start(out, "element");
            attribute(out, "ref", "ff:" + target);
            out.endElement();
        }
        out.endElement();
    }
    out.endElement();
    out.endElement();
    out.endElement();
}

void writeElement(XmlWriter& out, const ElementDeclaration& element) {
    const ElementEntry& entry = *element.entry;
    const bool named = element.type.kind == MappedType::Kind::Simple && !element.type.enumeration;
    start(out, "element");
    attribute(out, "name", element.name);
    if (named)
        attribute(out, "type", typeName(element.type.identifier));
    startBlock(out, "annotation");
    documentation(out, entry.definition);
    writeAppinfo(out, "RP210", "");
    appinfoIfAny(out, "UL Designator", entry.ul.dotted());
    if (element.localTag)
        appinfoIfAny(out, "Local Tag", Identifiers::localTagText(*element.localTag));
    appinfoIfAny(out, "Name In Specification", entry.name);
    appinfoIfAny(out, "Length", entry.valueLength);
    appinfoIfAny(out, "XMLNamespaceURI", entry.namespaceName);
    appinfoIfAny(out, "Type Definition", element.typeDefinition);
    if (element.name != entry.symbol)
        appinfoIfAny(out, "Symbol", entry.symbol);
    out.endElement();
    if (element.type.kind == MappedType::Kind::Simple) {
        if (element.type.enumeration)
            writeEnumeration(out, element);
    } else {
        writeDerivation(out, element);
    }
    out.endElement();
}

void writeMembers(XmlWriter& out, const std::vector<MemberDeclaration>& members) {
    start(out, "sequence");
    for (const MemberDeclaration& member : members) {
        start(out, "element");
        attribute(out, "ref", "ff:" + member.element);
        if (member.optional)
            attribute(out, "minOccurs", "0");
        startBlock(out, "annotation");
        writeAppinfo(out, "use", member.optional ? "optional" : "required");
        appinfoIfAny(out, "Distinguished Value", member.value);
        if (member.uniqueIdentifier)
            writeAppinfo(out, "Unique Identifier", "true");
        out.endElement();
        out.endElement();
    }
    out.endElement();
}

void writeSet(XmlWriter& out, const SetDeclaration& set) {
    const GroupEntry& entry = *set.entry;
    const bool abstract = entry.concrete && !*entry.concrete;
    out.comment(" " + (entry.name.empty() ? entry.symbol : entry.name) + " ");
    start(out, "element");
    attribute(out, "name", set.name);
    attribute(out, "type", "ff:" + set.typeName);
    if (!set.parentName.empty())
        attribute(out, "substitutionGroup", "ff:" + set.parentName);
    if (abstract)
        attribute(out, "abstract", "true");
    startBlock(out, "annotation");
    documentation(out, entry.definition);
    appinfoIfAny(out, "UL Designator", localSetKey(entry.ul).dotted());
    appinfoIfAny(out, "Name In Specification", entry.name);
    appinfoIfAny(out, "XMLNamespaceURI", entry.namespaceName);
    if (set.name != entry.symbol)
        appinfoIfAny(out, "Symbol", entry.symbol);
    out.endElement();
    out.endElement();
    start(out, "element");
    attribute(out, "name", set.referenceName);
    attribute(out, "type", "ff:Ref");
    attribute(out, "substitutionGroup", "ff:" + set.name);
    out.endElement();
    start(out, "complexType");
    attribute(out, "name", set.typeName);
    if (abstract)
        attribute(out, "abstract", "true");
    if (!set.parentTypeName.empty()) {
        start(out, "complexContent");
        start(out, "extension");
        attribute(out, "base", "ff:" + set.parentTypeName);
    }
    writeMembers(out, set.members);
    if (!set.parentTypeName.empty()) {
        out.endElement();
        out.endElement();
    }
    out.endElement();
}

std::string topFile(const SchemaModel& model) {
    std::string revisions;
    for (const auto& [file, revision] : model.revisions)
        if (!revision.empty())
            revisions += (revisions.empty() ? "" : ", ") + file + " " + revision;
    std::ostringstream text;
    text << " An MXF metadata dictionary imported from the SMPTE metadata registers";
    if (!revisions.empty())
        text << "\n     (" << revisions << ")";
    text << ":\n     " << model.sets.size() << " local sets, " << model.elements.size()
         << " elements and " << model.typeDefinitions.types.size()
         << " type definitions. Written by mxfdict\n"
         << "     import-registers; import the registers again rather than edit it. Every\n"
         << "     register namespace is declared with a prefix of its own on this root. ";
    std::ostringstream out;
    XmlWriter writer(out, topFileNamespaces(model));
    writer.comment(text.str());
    startTopFile(writer);
    for (const char* file : {"MXFTypes.xsd", "MXFSets.xsd", "MXFElements.xsd"}) {
        start(writer, "include");
        attribute(writer, "schemaLocation", file);
        writer.endElement();
    }
    start(writer, "import");
    attribute(writer, "namespace", model.typeDefinitions.namespaceURI);
    attribute(writer, "schemaLocation", kTypeDefinitionsFileName);
    writer.endElement();
    writer.endElement();
    writer.finish();
    return out.str();
}

// A file of the file format namespace with `write`'s declarations.
template <typename Write>
std::string fileFormatSchema(Write write) {
    std::ostringstream out;
    XmlWriter writer(out, {{"xs", kXmlSchemaNamespace}, {"ff", kFileFormatNamespace}});
    startBlock(writer, "schema");
    writer.attribute("", "targetNamespace", kFileFormatNamespace, XmlLine::New);
    attribute(writer, "elementFormDefault", "qualified");
    write(writer);
    writer.endElement();
    writer.finish();
    return out.str();
}

} // namespace

std::vector<Output::XmlNamespace> topFileNamespaces(const SchemaModel& model) {
    std::vector<Output::XmlNamespace> namespaces{{"xs", kXmlSchemaNamespace},
                                                 {"ff", kFileFormatNamespace, XmlLine::New}};
    for (const auto& [uri, prefix] : model.prefixes)
        if (prefix != "ff")
            namespaces.push_back({prefix, uri, XmlLine::New});
    return namespaces;
}

void startTopFile(XmlWriter& out) {
    startBlock(out, "schema");
    out.attribute("", "targetNamespace", kFileFormatNamespace, XmlLine::New);
    out.attribute("", "elementFormDefault", "qualified", XmlLine::New);
    attribute(out, "version", "1.0");
}

std::string setsSchema(const SchemaModel& model) {
    return fileFormatSchema([&model](XmlWriter& out) {
        for (const SetDeclaration& set : model.sets)
            writeSet(out, set);
    });
}

std::string elementsSchema(const SchemaModel& model) {
    return fileFormatSchema([&model](XmlWriter& out) {
        for (const ElementDeclaration& element : model.elements)
            writeElement(out, element);
    });
}

void writeSetTypeExtension(XmlWriter& out, const std::string& typeName,
                           const std::vector<MemberDeclaration>& members) {
    start(out, "complexType");
    attribute(out, "name", typeName);
    start(out, "complexContent");
    start(out, "extension");
    attribute(out, "base", "ff:" + typeName);
    writeMembers(out, members);
    out.endElement();
    out.endElement();
    out.endElement();
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
