#include "values/PropertyMaps.h"

#include "MetaMetadata/Loading/Exceptions.h"
#include "MetaMetadata/Loading/SchemaSnippets.h"

#include <Palimo/MetaMetadata/MetaElement.h>
#include <Palimo/MetaMetadata/PropertyMap.h>

namespace PalimoTest {
namespace {

namespace Ids = Palimo::Types::Identifiers;
using Palimo::Exceptions::InvalidMetaElementDeclaration;
using Palimo::Exceptions::ParseError;
using Palimo::MetaMetadata::CollectionSizeLimits;
using Palimo::MetaMetadata::MetaCollection;
using Palimo::MetaMetadata::PropertyMap;
using Palimo::Types::UniversalLabel;

// The entries of a map as "key=value|" texts, in order.
std::string entries(const PropertyMap& map) {
    std::string out;
    for (const auto& [key, value] : map.properties())
        out += N(key) + "=" + N(value) + "|";
    return out;
}

struct MapCase {
    const char* name;
    std::string declaration; // the first top-level component
    bool documentation;
    bool length;
    std::string expected;
    std::string failure; // the ParseError message, when the filling fails
};

class FillPropertyMap : public ::testing::TestWithParam<MapCase> {};

// The switches add their facts at fixed places; a failure keeps what came before.
TEST_P(FillPropertyMap, AddsInFixedOrder) {
    const MapCase& c = GetParam();
    Snippet fixture(c.declaration, R"(xmlns:o="urn:other")");
    // A switch a case leaves off keeps its default: off.
    fixture.state.options.metaElementDocumentation |= c.documentation;
    fixture.state.options.metaElementLengthDescription |= c.length;
    PropertyMap properties;
    const auto fill = [&] {
        Loading::fillPropertyMap(fixture.schema(), fixture.state.options,
                                 fixture.root()->getFirstElementChild(), properties);
    };
    if (c.failure.empty())
        fill();
    else
        EXPECT_THROWS_EXACTLY(ParseError, fill(), c.failure);
    EXPECT_EQ(c.expected, entries(properties));
}

// Every text fact, some with surrounding blanks; both switches on is in the
// golden loads.
const std::string kFull = R"(<xs:element name="E" type="UInt8"><xs:annotation>
    <xs:documentation>Says what E is</xs:documentation>
    <xs:appinfo source="Name In Specification"> Element E </xs:appinfo>
    <xs:appinfo source="Name In Specification">Second</xs:appinfo>
    <xs:appinfo source="Length">2 bytes</xs:appinfo>
    <xs:appinfo source="XMLNamespaceURI">urn:SMPTE:MXF:file_format</xs:appinfo>
    </xs:annotation></xs:element>)";

std::string named(const std::string& namespaceAppinfo) {
    return R"(<xs:element name="E"><xs:annotation>
        <xs:appinfo source="Name In Specification">Elem</xs:appinfo>)" +
           namespaceAppinfo + "</xs:annotation></xs:element>";
}

const std::string kTail =
    "XMLTagName=E|XMLNamespaceURI=urn:SMPTE:MXF:file_format|XMLDefaultPrefix=ff|";

INSTANTIATE_TEST_SUITE_P(
    Declarations, FillPropertyMap,
    ::testing::Values(
        MapCase{"SwitchesAtTheirDefaults", kFull, false, false, "name= Element E |" + kTail, ""},
        MapCase{"LengthOnly", kFull, false, true,
                "name= Element E |LengthDescription=2 bytes|" + kTail, ""},
        MapCase{"AbsentFactsAddNothingAndOtherPrefixesResolve",
                R"(<xs:element type="UInt8"><xs:annotation>
                   <xs:appinfo source="XMLNamespaceURI">urn:other</xs:appinfo>
                   </xs:annotation></xs:element>)",
                true, false, "XMLNamespaceURI=urn:other|XMLDefaultPrefix=o|", ""},
        MapCase{"EmptyNamespaceFails", named(R"(<xs:appinfo source="XMLNamespaceURI"/>)"), false,
                false, "name=Elem|XMLTagName=E|",
                "!namespaceURI.empty (): Couldn't retrieve node's NamespaceURI: Elem"},
        MapCase{"BlankNamespaceFails",
                named(R"(<xs:appinfo source="XMLNamespaceURI">  </xs:appinfo>)"), false, false,
                "name=Elem|XMLTagName=E|XMLNamespaceURI=  |",
                "it != namespace2PrefixMap_.end (): No default prefix defined for namespace:   "}),
    [](const auto& info) { return info.param.name; });

// Where a collection's item tag goes is in the golden loads of elements/main.xsd;
// an item without a name attribute is in the failure catalogue.
TEST(FillMetaElementPropertyMap, CollectionWithoutItemNameFails) {
    for (const char* content : {R"(<xs:sequence><xs:element name="" type="UInt8"/></xs:sequence>)",
                                R"(<xs:choice><xs:element name="I" type="UInt8"/></xs:choice>)"}) {
        Snippet fixture(R"(<xs:element name="E"><xs:annotation>
            <xs:appinfo source="XMLNamespaceURI">urn:SMPTE:MXF:file_format</xs:appinfo>
            </xs:annotation><xs:complexType><xs:complexContent><xs:extension base="Array">)" +
                        std::string(content) +
                        "</xs:extension></xs:complexContent></xs:complexType></xs:element>");
        MetaCollection element(
            UniversalLabel(W(elementLabel(8).c_str()).c_str(), Palimo::Types::DottedHex),
            CollectionSizeLimits(), Ids::Array, Ids::UInt8);
        EXPECT_THROWS_EXACTLY(InvalidMetaElementDeclaration,
                              Loading::fillMetaElementPropertyMap(fixture.schema(),
                                                                  fixture.state.options,
                                                                  fixture.component("E"), element),
                              "Empty name attribute")
            << content;
    }
}

} // namespace
} // namespace PalimoTest
