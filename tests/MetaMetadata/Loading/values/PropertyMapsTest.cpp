#include "MetaMetadata/Loading/values/PropertyMaps.h"

#include "MetaMetadata/Loading/Exceptions.h"
#include "MetaMetadata/Loading/elements/DeclarationFixture.h"

namespace PalimoTest {
namespace {

namespace Ids = Palimo::Types::Identifiers;
using Palimo::Exceptions::InvalidMetaElementDeclaration;
using Palimo::Exceptions::ParseError;
using Palimo::MetaMetadata::CollectionSizeLimits;
using Palimo::MetaMetadata::MetaCollection;
using Palimo::MetaMetadata::MetaReferenceCollection;
using Palimo::MetaMetadata::MetaSimpleElement;
using Palimo::MetaMetadata::PropertyMap;
using Palimo::Types::UniversalLabel;

using Properties = std::vector<PropertyMap::Entry>;

Properties props(std::initializer_list<std::pair<const char*, const char*>> entries) {
    Properties out;
    for (const auto& [key, value] : entries)
        out.emplace_back(W(key), W(value));
    return out;
}

// One declaration "E" with every text fact, some with surrounding blanks.
const std::string kFullDeclaration =
    "<xs:element name=\"E\" type=\"UInt8\"><xs:annotation>"
    "<xs:documentation>Says what E is</xs:documentation>"
    "<xs:appinfo source=\"Name In Specification\"> Element E </xs:appinfo>"
    "<xs:appinfo source=\"Name In Specification\">Second</xs:appinfo>"
    "<xs:appinfo source=\"Length\">2 bytes</xs:appinfo>"
    "<xs:appinfo source=\"XMLNamespaceURI\">urn:SMPTE:MXF:file_format</xs:appinfo>"
    "</xs:annotation></xs:element>";

struct SwitchCase {
    bool documentation;
    bool length;
    Properties expected;
};

class FillPropertyMapSwitches : public ::testing::TestWithParam<SwitchCase> {};

TEST_P(FillPropertyMapSwitches, AddInFixedOrder) {
    const SwitchCase& c = GetParam();
    DeclarationFixture fixture(kFullDeclaration);
    fixture.state.options.metaElementDocumentation = c.documentation;
    fixture.state.options.metaElementLengthDescription = c.length;
    PropertyMap properties;
    Loading::fillPropertyMap(fixture.schema(), fixture.state.options, fixture.component("E"),
                             properties);
    EXPECT_EQ(c.expected, properties.properties());
}

INSTANTIATE_TEST_SUITE_P(
    Switches, FillPropertyMapSwitches,
    ::testing::Values(SwitchCase{false, false,
                                 props({{"name", " Element E "},
                                        {"XMLTagName", "E"},
                                        {"XMLNamespaceURI", "urn:SMPTE:MXF:file_format"},
                                        {"XMLDefaultPrefix", "ff"}})},
                      SwitchCase{true, true,
                                 props({{"name", " Element E "},
                                        {"Documentation", "Says what E is"},
                                        {"LengthDescription", "2 bytes"},
                                        {"XMLTagName", "E"},
                                        {"XMLNamespaceURI", "urn:SMPTE:MXF:file_format"},
                                        {"XMLDefaultPrefix", "ff"}})},
                      SwitchCase{false, true,
                                 props({{"name", " Element E "},
                                        {"LengthDescription", "2 bytes"},
                                        {"XMLTagName", "E"},
                                        {"XMLNamespaceURI", "urn:SMPTE:MXF:file_format"},
                                        {"XMLDefaultPrefix", "ff"}})}));

TEST(FillPropertyMap, AbsentFactsAddNothingAndOtherPrefixesResolve) {
    DeclarationFixture fixture("<xs:element type=\"UInt8\"><xs:annotation>"
                               "<xs:appinfo source=\"XMLNamespaceURI\">urn:other</xs:appinfo>"
                               "</xs:annotation></xs:element>",
                               "xmlns:o=\"urn:other\"");
    fixture.state.options.metaElementDocumentation = true;
    PropertyMap properties;
    Loading::fillPropertyMap(fixture.schema(), fixture.state.options,
                             fixture.root()->getFirstElementChild(), properties);
    EXPECT_EQ(props({{"XMLNamespaceURI", "urn:other"}, {"XMLDefaultPrefix", "o"}}),
              properties.properties());
}

struct FailureCase {
    const char* what;
    std::string annotation;
    std::string message;
    Properties kept;
};

class FillPropertyMapFailures : public ::testing::TestWithParam<FailureCase> {};

TEST_P(FillPropertyMapFailures, ThrowParseErrorAndKeepEarlierProperties) {
    const FailureCase& c = GetParam();
    DeclarationFixture fixture("<xs:element name=\"E\"><xs:annotation>"
                               "<xs:appinfo source=\"Name In Specification\">Elem</xs:appinfo>" +
                               c.annotation + "</xs:annotation></xs:element>");
    PropertyMap properties;
    EXPECT_THROWS_EXACTLY(ParseError,
                          Loading::fillPropertyMap(fixture.schema(), fixture.state.options,
                                                   fixture.component("E"), properties),
                          c.message)
        << c.what;
    EXPECT_EQ(c.kept, properties.properties()) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Namespaces, FillPropertyMapFailures,
    ::testing::Values(
        FailureCase{"empty namespace annotation", "<xs:appinfo source=\"XMLNamespaceURI\"/>",
                    "!namespaceURI.empty (): Couldn't retrieve node's NamespaceURI: Elem",
                    props({{"name", "Elem"}, {"XMLTagName", "E"}})},
        FailureCase{"blank namespace", "<xs:appinfo source=\"XMLNamespaceURI\">  </xs:appinfo>",
                    "it != namespace2PrefixMap_.end (): No default prefix defined for "
                    "namespace:   ",
                    props({{"name", "Elem"}, {"XMLTagName", "E"}, {"XMLNamespaceURI", "  "}})}));

// Collections: the item's tag goes to MetaCollection only.
class FillMetaElementPropertyMap : public ::testing::Test {
protected:
    static std::string collection(const std::string& content) {
        return "<xs:element name=\"E\"><xs:annotation><xs:appinfo source=\"XMLNamespaceURI\">"
               "urn:SMPTE:MXF:file_format</xs:appinfo></xs:annotation><xs:complexType>"
               "<xs:complexContent><xs:extension base=\"Array\">" +
               content + "</xs:extension></xs:complexContent></xs:complexType></xs:element>";
    }
    const UniversalLabel label_{u"06.0e.2b.34.01.01.01.01.01.02.03.04.05.06.07.08",
                                Palimo::Types::DottedHex};
};

TEST_F(FillMetaElementPropertyMap, CollectionGetsItsItemTagLast) {
    DeclarationFixture fixture(
        collection("<xs:sequence><xs:element name=\"Item\" type=\"UInt8\"/></xs:sequence>"));
    MetaCollection element(label_, CollectionSizeLimits(), Ids::Array, Ids::UInt8);
    Loading::fillMetaElementPropertyMap(fixture.schema(), fixture.state.options,
                                        fixture.component("E"), element);
    EXPECT_EQ(props({{"XMLTagName", "E"},
                     {"XMLNamespaceURI", "urn:SMPTE:MXF:file_format"},
                     {"XMLDefaultPrefix", "ff"},
                     {"XMLChildTagName", "Item"}}),
              element.properties());
}

TEST_F(FillMetaElementPropertyMap, OtherKindsGetNoItemTag) {
    DeclarationFixture fixture(
        collection("<xs:sequence><xs:element name=\"Item\" type=\"UInt8\"/></xs:sequence>"));
    MetaSimpleElement simple(label_, Ids::UInt8);
    MetaReferenceCollection references(label_, CollectionSizeLimits(), {}, Ids::Array,
                                       Ids::StrongReference);
    Loading::fillMetaElementPropertyMap(fixture.schema(), fixture.state.options,
                                        fixture.component("E"), simple);
    Loading::fillMetaElementPropertyMap(fixture.schema(), fixture.state.options,
                                        fixture.component("E"), references);
    EXPECT_FALSE(simple.hasProperty(W("XMLChildTagName")));
    EXPECT_FALSE(references.hasProperty(W("XMLChildTagName")));
}

TEST_F(FillMetaElementPropertyMap, CollectionWithoutItemNameFails) {
    for (const char* content :
         {"<xs:sequence><xs:element name=\"\" type=\"UInt8\"/></xs:sequence>",
          "<xs:choice><xs:element name=\"Item\" type=\"UInt8\"/></xs:choice>"}) {
        DeclarationFixture fixture(collection(content));
        MetaCollection element(label_, CollectionSizeLimits(), Ids::Array, Ids::UInt8);
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
