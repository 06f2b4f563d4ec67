#include "TypeDefinitionsSchema.h"

#include "SchemaWriter.h"

#include <sstream>

namespace Palimo {
namespace Registers {

const char kTypeDefinitionsFileName[] = "MXFTypeDefinitions.xsd";

namespace {

using Output::XmlLine;
using Output::XmlWriter;

void start(XmlWriter& out, const char* name) {
    out.startElement(kXmlSchemaNamespace, name);
}

void attribute(XmlWriter& out, const char* name, const std::string& value) {
    out.attribute("", name, value);
}

// An element that ends on a line of its own even when nothing is in it.
void startBlock(XmlWriter& out, const char* name) {
    start(out, name);
    out.keepEndTag();
}

// One appinfo, with its end tag even when it holds no text.
void appinfo(XmlWriter& out, const char* source, const std::string& text) {
    start(out, "appinfo");
    out.keepEndTag();
    attribute(out, "source", source);
    out.text(text);
    out.endElement();
}

// An element whose content stays on its line, for a short file.
void startInline(XmlWriter& out, const char* name) {
    start(out, name);
    out.inlineContent();
}

// An element with one attribute and nothing in it.
void emptyElement(XmlWriter& out, const char* name, const char* key, const std::string& value) {
    start(out, name);
    attribute(out, key, value);
    out.endElement();
}

const char* integerBase(std::size_t size, bool isSigned) {
    if (size <= 1)
        return isSigned ? "xs:byte" : "xs:unsignedByte";
    if (size <= 2)
        return isSigned ? "xs:short" : "xs:unsignedShort";
    if (size <= 4)
        return isSigned ? "xs:int" : "xs:unsignedInt";
    return isSigned ? "xs:long" : "xs:unsignedLong";
}

// The facts every type carries, and those of its kind that are no content.
void writeAnnotation(XmlWriter& out, const TypeDeclaration& type) {
    const TypeEntry& entry = *type.entry;
    startInline(out, "annotation");
    appinfo(out, "Type Kind", TypeDefinitions::typeKindName(type.kind));
    appinfo(out, "UL Designator", entry.ul.dotted());
    if (!entry.name.empty() && entry.name != entry.symbol)
        appinfo(out, "Name In Specification", entry.name);
    appinfo(out, "XMLNamespaceURI", entry.namespaceName);
    switch (type.kind) {
    case TypeKind::Integer:
        appinfo(out, "Size", std::to_string(type.size));
        appinfo(out, "Signed", type.isSigned ? "true" : "false");
        break;
    case TypeKind::Float:
    case TypeKind::Character:
        appinfo(out, "Size", std::to_string(type.size));
        break;
    case TypeKind::String:
        appinfo(out, "Element Type", type.element);
        break;
    case TypeKind::FixedArray:
        appinfo(out, "Element Count", std::to_string(type.count));
        break;
    case TypeKind::StrongReference:
    case TypeKind::WeakReference:
        if (type.target)
            appinfo(out, "Reference Target", type.target->dotted());
        break;
    default:
        break;
    }
    out.endElement();
}

void writeValues(XmlWriter& out, const TypeDeclaration& type) {
    for (const TypeValue& value : type.values) {
        start(out, "enumeration");
        attribute(out, "value", value.value);
        out.inlineContent();
        start(out, "annotation");
        appinfo(out, "Symbol", value.symbol);
        if (!value.name.empty())
            appinfo(out, "Name In Specification", value.name);
        out.endElement();
        out.endElement();
    }
}

void writeSimpleType(XmlWriter& out, const TypeDeclaration& type) {
    start(out, "simpleType");
    attribute(out, "name", type.name);
    writeAnnotation(out, type);
    switch (type.kind) {
    case TypeKind::Integer:
        emptyElement(out, "restriction", "base", integerBase(type.size, type.isSigned));
        break;
    case TypeKind::Float:
        emptyElement(out, "restriction", "base", type.size == 4 ? "xs:float" : "xs:double");
        break;
    case TypeKind::Character:
        startInline(out, "restriction");
        attribute(out, "base", "xs:string");
        emptyElement(out, "length", "value", "1");
        out.endElement();
        break;
    case TypeKind::Rename:
        emptyElement(out, "restriction", "base", type.element);
        break;
    case TypeKind::Enumeration:
    case TypeKind::ExtendibleEnumeration:
        start(out, "restriction");
        attribute(out, "base", type.element);
        writeValues(out, type);
        out.endElement();
        break;
    case TypeKind::Indirect:
    case TypeKind::Opaque:
    case TypeKind::Stream:
        emptyElement(out, "restriction", "base", "xs:hexBinary");
        break;
    default: // strings and references
        emptyElement(out, "restriction", "base", "xs:string");
        break;
    }
    out.endElement();
}

void writeComplexType(XmlWriter& out, const TypeDeclaration& type) {
    start(out, "complexType");
    attribute(out, "name", type.name);
    writeAnnotation(out, type);
    switch (type.kind) {
    case TypeKind::Rename:
        startInline(out, "complexContent");
        emptyElement(out, "extension", "base", type.element);
        out.endElement();
        break;
    case TypeKind::Record:
        startBlock(out, "sequence");
        for (const TypeMember& member : type.members) {
            start(out, "element");
            attribute(out, "name", member.symbol);
            attribute(out, "type", member.type);
            out.endElement();
        }
        out.endElement();
        break;
    default: { // arrays and sets: the item element is named by its type
        const bool fixed = type.kind == TypeKind::FixedArray;
        startInline(out, "sequence");
        start(out, "element");
        attribute(out, "name", type.element);
        attribute(out, "type", type.element);
        attribute(out, "minOccurs", fixed ? std::to_string(type.count) : "0");
        attribute(out, "maxOccurs", fixed ? std::to_string(type.count) : "unbounded");
        out.endElement();
        out.endElement();
        break;
    }
    }
    out.endElement();
}

} // namespace

std::string typeDefinitionsSchema(const SchemaModel& model) {
    const TypeDefinitionModel& types = model.typeDefinitions;
    std::vector<Output::XmlNamespace> namespaces{{"xs", kXmlSchemaNamespace}};
    // Types name each other without a prefix.
    if (!types.namespaceURI.empty())
        namespaces.push_back({"", types.namespaceURI});
    std::ostringstream out;
    XmlWriter writer(out, std::move(namespaces));
    if (types.description.empty())
        writer.comment(
            " The register types that the elements use, and the names of the labels of the\n"
            "     Labels register, as docs/type-definitions.md of mxfdict describes them. The\n"
            "     loader of the dictionary does not read them. ");
    else
        writer.comment(" " + types.description + " ");
    startBlock(writer, "schema");
    writer.attribute("", "targetNamespace", types.namespaceURI, XmlLine::New);
    attribute(writer, "elementFormDefault", "qualified");
    if (model.labelNames) {
        startInline(writer, "annotation");
        std::string lines = "\n";
        for (const NamedLabel& label : *model.labelNames)
            lines += label.urn + ' ' + label.symbol + '\n';
        appinfo(writer, "Label Names", lines);
        writer.endElement();
    }
    for (const TypeDeclaration& type : types.types) {
        if (type.complex)
            writeComplexType(writer, type);
        else
            writeSimpleType(writer, type);
    }
    writer.endElement();
    writer.finish();
    return out.str();
}

} // namespace Registers
} // namespace Palimo
