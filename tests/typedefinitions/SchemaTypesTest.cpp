// Type definitions read from a schema in the same load as its dictionary.
#include "support/Describe.h"
#include "support/TestSupport.h"

#include <MetaMetadata/Loading/XSDDictionaryLoader.h>
#include <Palimo/MetaMetadata/MetaElement.h>
#include <Palimo/MetaMetadata/MetaMetadataSet.h>
#include <Palimo/TypeDefinitions/SchemaLoading.h>
#include <Palimo/TypeDefinitions/TypeDefinitionError.h>
#include <Palimo/TypeDefinitions/TypeText.h>

#include <gtest/gtest.h>

#include <sstream>

namespace {

using namespace PalimoTest;
using namespace Palimo::TypeDefinitions;
namespace fs = std::filesystem;

std::string describeTypes(const TypeDictionary& types,
                          const Palimo::MetaMetadata::Dictionary& dictionary) {
    std::ostringstream out;
    for (const TypeDefinition& type : types.types()) {
        out << "type " << type.symbol << " " << type.label.dotted() << ": " << typeSummary(type)
            << '\n';
        if (!type.name.empty())
            out << "  name " << type.name << '\n';
        if (!type.namespaceURI.empty())
            out << "  namespace " << type.namespaceURI << '\n';
        if (!type.documentation.empty())
            out << "  documentation " << type.documentation << '\n';
        for (const EnumerationValue& value : type.values)
            out << "  value "
                << (type.kind == TypeKind::ExtendibleEnumeration ? value.label.urn()
                                                                 : std::to_string(value.value))
                << " " << value.symbol << " (" << value.name << ")\n";
        if (const std::optional<std::size_t> size = type.fixedSize())
            out << "  size " << *size << '\n';
    }
    for (const auto* element : dictionary.metaElements()) {
        const Label label(element->universalLabel().array());
        if (const TypeDefinition* type = types.elementType(label))
            out << "element " << label.dotted() << ": " << type->symbol << '\n';
        if (const std::string* symbol = types.registerSymbol(label))
            out << "element " << label.dotted() << " has the register symbol " << *symbol << '\n';
    }
    for (const auto* set : dictionary.metaMetadataSets()) {
        const Label key(set->key().bytes());
        if (const Label* identifier = types.uniqueIdentifier(key))
            out << "set " << key.dotted() << " identified by " << identifier->dotted() << '\n';
    }
    for (const LabelName& name : types.labelNames())
        out << "label " << name.label.urn() << " " << name.symbol << '\n';
    return out.str();
}

fs::path kindsDir() {
    return dataDir() / "typedefinitions" / "kinds";
}

TEST(SchemaTypes, EveryKindAsTheSchemaDefinesIt) {
    Palimo::MetaMetadata::Dictionary dictionary;
    TypeDictionary types;
    loadDictionary((kindsDir() / "MXFDictionary.xsd").string(), {}, dictionary, types);
    expectMatchesGolden(describeTypes(types, dictionary),
                        dataDir() / "typedefinitions" / "kinds.expected");
}

// The dictionary of a load with types is the loader's own, switch for switch.
TEST(SchemaTypes, TheDictionaryIsTheLoadersOwn) {
    for (const fs::path& schema : {dataDir() / "../../examples/mxf-dictionary/MXFDictionary.xsd",
                                   kindsDir() / "MXFDictionary.xsd"})
        for (const bool on : {false, true}) {
            Palimo::MetaMetadata::Dictionary expected;
            Palimo::MetaMetadata::Loading::XSDDictionaryLoader loader;
            loader.loadMetaElementDocumentation(on);
            loader.loadMetaElementLengthDescription(on);
            loader.load(W(schema.string().c_str()).c_str(), expected);

            Palimo::MetaMetadata::Dictionary dictionary;
            TypeDictionary types;
            loadDictionary(schema.string(), {on, on}, dictionary, types);
            EXPECT_EQ(describe(dictionary), describe(expected)) << schema;
        }
}

// Each row changes one text of the fixture and names the refusal.
TEST(SchemaTypes, RefusesDefinitionsThatCannotBeRead) {
    const struct {
        const char* from;
        const char* to;
        const char* message;
    } cases[] = {
        {"\"Element Type\">t:Character", "\"Element Type\">t:Nothing",
         "type definition UTF16String refers to type Nothing, which the schema does not define"},
        {"<xs:element name=\"Code\" type=\"t:UInt8\"/>",
         "<xs:element name=\"Code\" type=\"t:RGBALayout\"/>",
         "type definition RGBAComponent is defined through itself"},
        {"<xs:restriction base=\"t:Int64\"/>", "<xs:restriction base=\"t:PositionType\"/>",
         "type definition PositionType is defined through itself"},
        {"<xs:appinfo source=\"Size\">8</xs:appinfo>\n      <xs:appinfo source=\"Signed\">",
         "<xs:appinfo source=\"Size\">9</xs:appinfo>\n      <xs:appinfo source=\"Signed\">",
         "Integer type Int64 has a \"Size\" of 9 bytes"},
        {"\"Element Count\">8</xs:appinfo>\n    </xs:annotation>\n    <xs:sequence><xs:element "
         "name=\"RGBAComponent\"",
         "\"Element Count\">eight</xs:appinfo>\n    </xs:annotation>\n    <xs:sequence><xs:element "
         "name=\"RGBAComponent\"",
         "type definition RGBALayout: its \"Element Count\" is no number: \"eight\""},
        {"Record</xs:appinfo>\n      <xs:appinfo source=\"UL "
         "Designator\">06.0e.2b.34.01.04.01.01.03",
         "Tuple</xs:appinfo>\n      <xs:appinfo source=\"UL "
         "Designator\">06.0e.2b.34.01.04.01.01.03",
         "type definition RGBAComponent: unknown \"Type Kind\" \"Tuple\""},
        {"<xs:complexType name=\"UInt8Array\">", "<xs:complexType name=\"RGBALayout\">",
         "type RGBALayout is defined twice"},
        {"06.0e.2b.34.01.04.01.01.04.10.04.00.00.00.00.00",
         "06.0e.2b.34.01.04.01.01.04.10.03.00.00.00.00.00",
         "types Indirect and Opaque have the same label "
         "06.0e.2b.34.01.04.01.01.04.10.03.00.00.00.00.00"},
        {"\"Reference Target\">06.0e.2b.34.02.53.01.01.0d.01.01.01.01.01.34.00</xs:appinfo>\n    "
         "</xs:annotation>\n    <xs:restriction base=\"xs:string\"/>\n  </xs:simpleType>\n  "
         "<xs:simpleType name=\"PackageWeak",
         "\"Reference Target\">Package</xs:appinfo>\n    </xs:annotation>\n    <xs:restriction "
         "base=\"xs:string\"/>\n  </xs:simpleType>\n  <xs:simpleType name=\"PackageWeak",
         "type definition PackageStrongReference: \"Package\" is no universal label"},
        {"<xs:enumeration value=\"1\">", "<xs:enumeration value=\"one\">",
         "value \"one\" of type LayoutType is no integer"},
        {"PictureEssenceTrack", "PictureEssenceTrack\n      06.0e.2b.34.0g Broken",
         "label names: \"06.0e.2b.34.0g\" is no universal label"},
    };
    const std::string original = readFile(kindsDir() / "MXFTypeDefinitions.xsd");
    for (const auto& c : cases) {
        const std::string::size_type at = original.find(c.from);
        ASSERT_NE(at, std::string::npos) << c.from;
        std::string changed = original;
        changed.replace(at, std::string(c.from).size(), c.to);
        TempDir dir;
        for (const char* name : {"MXFDictionary.xsd", "Declarations.xsd"})
            dir.write(name, readFile(kindsDir() / name));
        dir.write("MXFTypeDefinitions.xsd", changed);
        Palimo::MetaMetadata::Dictionary dictionary;
        TypeDictionary types;
        EXPECT_THROWS_EXACTLY(
            Palimo::TypeDefinitions::TypeDefinitionError,
            loadDictionary((dir.path() / "MXFDictionary.xsd").string(), {}, dictionary, types),
            c.message);
    }
}

TEST(SchemaTypes, AnElementMayNameOnlyADefinedType) {
    std::string declarations = readFile(kindsDir() / "Declarations.xsd");
    const std::string from = "\"Type Definition\">LayoutType<";
    declarations.replace(declarations.find(from), from.size(), "\"Type Definition\">Layout<");
    TempDir dir;
    for (const char* name : {"MXFDictionary.xsd", "MXFTypeDefinitions.xsd"})
        dir.write(name, readFile(kindsDir() / name));
    dir.write("Declarations.xsd", declarations);
    Palimo::MetaMetadata::Dictionary dictionary;
    TypeDictionary types;
    EXPECT_THROWS_EXACTLY(
        Palimo::TypeDefinitions::TypeDefinitionError,
        loadDictionary((dir.path() / "MXFDictionary.xsd").string(), {}, dictionary, types),
        "element FrameLayout names type Layout, which the schema does not define");
    // The dictionary was filled before the types were read.
    EXPECT_EQ(dictionary.metaMetadataSetCount(), 3u);
}

} // namespace
