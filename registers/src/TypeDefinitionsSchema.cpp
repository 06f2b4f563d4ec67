#include "TypeDefinitionsSchema.h"

#include "XmlText.h"

#include <sstream>

namespace Palimo {
namespace Registers {

const char kTypeDefinitionsFileName[] = "MXFTypeDefinitions.xsd";

namespace {

// One appinfo: the annotations stay on one line each, for a short file.
std::string appinfo(const char* source, const std::string& text) {
    return std::string("<xs:appinfo source=\"") + source + "\">" + escapeText(text) +
           "</xs:appinfo>";
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
void writeAnnotation(std::ostream& out, const TypeDeclaration& type) {
    const TypeEntry& entry = *type.entry;
    out << "    <xs:annotation>" << appinfo("Type Kind", TypeDefinitions::typeKindName(type.kind))
        << appinfo("UL Designator", entry.ul.dotted());
    if (!entry.name.empty() && entry.name != entry.symbol)
        out << appinfo("Name In Specification", entry.name);
    out << appinfo("XMLNamespaceURI", entry.namespaceName);
    switch (type.kind) {
    case TypeKind::Integer:
        out << appinfo("Size", std::to_string(type.size))
            << appinfo("Signed", type.isSigned ? "true" : "false");
        break;
    case TypeKind::Float:
    case TypeKind::Character:
        out << appinfo("Size", std::to_string(type.size));
        break;
    case TypeKind::String:
        out << appinfo("Element Type", type.element);
        break;
    case TypeKind::FixedArray:
        out << appinfo("Element Count", std::to_string(type.count));
        break;
    case TypeKind::StrongReference:
    case TypeKind::WeakReference:
        if (type.target)
            out << appinfo("Reference Target", type.target->dotted());
        break;
    default:
        break;
    }
    out << "</xs:annotation>\n";
}

void writeValues(std::ostream& out, const TypeDeclaration& type) {
    for (const TypeValue& value : type.values) {
        out << "      <xs:enumeration value=\"" << escapeAttribute(value.value)
            << "\"><xs:annotation>" << appinfo("Symbol", value.symbol);
        if (!value.name.empty())
            out << appinfo("Name In Specification", value.name);
        out << "</xs:annotation></xs:enumeration>\n";
    }
}

void writeSimpleType(std::ostream& out, const TypeDeclaration& type) {
    out << "  <xs:simpleType name=\"" << type.name << "\">\n";
    writeAnnotation(out, type);
    switch (type.kind) {
    case TypeKind::Integer:
        out << "    <xs:restriction base=\"" << integerBase(type.size, type.isSigned) << "\"/>\n";
        break;
    case TypeKind::Float:
        out << "    <xs:restriction base=\"" << (type.size == 4 ? "xs:float" : "xs:double")
            << "\"/>\n";
        break;
    case TypeKind::Character:
        out << "    <xs:restriction base=\"xs:string\"><xs:length value=\"1\"/></xs:restriction>\n";
        break;
    case TypeKind::Rename:
        out << "    <xs:restriction base=\"" << type.element << "\"/>\n";
        break;
    case TypeKind::Enumeration:
    case TypeKind::ExtendibleEnumeration:
        if (type.values.empty()) {
            out << "    <xs:restriction base=\"" << type.element << "\"/>\n";
            break;
        }
        out << "    <xs:restriction base=\"" << type.element << "\">\n";
        writeValues(out, type);
        out << "    </xs:restriction>\n";
        break;
    case TypeKind::Indirect:
    case TypeKind::Opaque:
    case TypeKind::Stream:
        out << "    <xs:restriction base=\"xs:hexBinary\"/>\n";
        break;
    default: // strings and references
        out << "    <xs:restriction base=\"xs:string\"/>\n";
        break;
    }
    out << "  </xs:simpleType>\n";
}

void writeComplexType(std::ostream& out, const TypeDeclaration& type) {
    out << "  <xs:complexType name=\"" << type.name << "\">\n";
    writeAnnotation(out, type);
    switch (type.kind) {
    case TypeKind::Rename:
        out << "    <xs:complexContent><xs:extension base=\"" << type.element
            << "\"/></xs:complexContent>\n";
        break;
    case TypeKind::Record:
        out << "    <xs:sequence>\n";
        for (const TypeMember& member : type.members)
            out << "      <xs:element name=\"" << escapeAttribute(member.symbol) << "\" type=\""
                << member.type << "\"/>\n";
        out << "    </xs:sequence>\n";
        break;
    default: { // arrays and sets: the item element is named by its type
        const std::string occurs = type.kind == TypeKind::FixedArray
                                       ? "minOccurs=\"" + std::to_string(type.count) +
                                             "\" maxOccurs=\"" + std::to_string(type.count) + "\""
                                       : "minOccurs=\"0\" maxOccurs=\"unbounded\"";
        out << "    <xs:sequence><xs:element name=\"" << type.element << "\" type=\""
            << type.element << "\" " << occurs << "/></xs:sequence>\n";
        break;
    }
    }
    out << "  </xs:complexType>\n";
}

} // namespace

std::string typeDefinitionsSchema(const SchemaModel& model) {
    const TypeDefinitionModel& types = model.typeDefinitions;
    const std::string uri = escapeAttribute(types.namespaceURI);
    std::ostringstream out;
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    if (types.description.empty())
        out << "<!-- The register types that the elements use, and the names of the labels of the\n"
            << "     Labels register, as docs/type-definitions.md of mxfdict describes them. The\n"
            << "     loader of the dictionary does not read them. -->\n";
    else
        out << "<!-- " << commentText(types.description) << " -->\n";
    out << "<xs:schema xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" xmlns=\"" << uri << "\"\n"
        << "           targetNamespace=\"" << uri << "\" elementFormDefault=\"qualified\">\n";
    if (model.labelNames) {
        out << "  <xs:annotation><xs:appinfo source=\"Label Names\">\n";
        for (const NamedLabel& label : *model.labelNames)
            out << label.urn << ' ' << escapeText(label.symbol) << '\n';
        out << "</xs:appinfo></xs:annotation>\n";
    }
    for (const TypeDeclaration& type : types.types) {
        if (type.complex)
            writeComplexType(out, type);
        else
            writeSimpleType(out, type);
    }
    out << "</xs:schema>\n";
    return out.str();
}

} // namespace Registers
} // namespace Palimo
