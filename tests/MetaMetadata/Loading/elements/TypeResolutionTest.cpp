#include "MetaMetadata/Loading/elements/TypeResolution.h"

#include "MetaMetadata/Loading/elements/DeclarationFixture.h"

namespace PalimoTest {
namespace {

namespace Ids = Palimo::Types::Identifiers;
using Palimo::Types::Identifier;

struct TypeCase {
    const char* what;
    std::string declaration; // the top-level component named "E"
    Identifier dataType;
    Identifier subType;
};

std::string anonymousComplex(const std::string& base, const std::string& content = "",
                             const std::string& derivation = "extension") {
    return "<xs:element name=\"E\"><xs:complexType><xs:complexContent><xs:" + derivation +
           " base=\"" + base + "\">" + content + "</xs:" + derivation +
           "></xs:complexContent></xs:complexType></xs:element>";
}

const TypeCase kTypeCases[] = {
    {"named type", "<xs:element name=\"E\" type=\"UInt32\"/>", Ids::UInt32, Ids::NoIdentifier},
    {"named type with prefix", "<xs:element name=\"E\" type=\"ff:UInt32\"/>", Ids::UInt32,
     Ids::NoIdentifier},
    {"named type added after the first 31", "<xs:element name=\"E\" type=\"ff:Float32\"/>",
     Ids::Float32, Ids::NoIdentifier},
    {"batch of a type added after the first 31",
     anonymousComplex("ff:Batch", "<xs:sequence><xs:element name=\"I\" type=\"ff:AUID\"/>"
                                  "</xs:sequence>"),
     Ids::Batch, Ids::AUID},
    {"named type with any prefix", "<xs:element name=\"E\" type=\"xs:UTF16String\"/>",
     Ids::UTF16String, Ids::NoIdentifier},
    {"StrongRefArray", anonymousComplex("StrongRefArray"), Ids::Array, Ids::StrongReference},
    {"WeakRefArray", anonymousComplex("ff:WeakRefArray"), Ids::Array, Ids::WeakReference},
    {"StrongRefBatch", anonymousComplex("StrongRefBatch"), Ids::Batch, Ids::StrongReference},
    {"WeakRefBatch", anonymousComplex("WeakRefBatch", "", "restriction"), Ids::Batch,
     Ids::WeakReference},
    {"WeakRefHolder", anonymousComplex("ff:WeakRefHolder"), Ids::WeakReference, Ids::NoIdentifier},
    {"StrongRefHolder", anonymousComplex("StrongRefHolder"), Ids::StrongReference,
     Ids::NoIdentifier},
    {"reference base names are case-sensitive", anonymousComplex("strongRefArray"),
     Ids::NoIdentifier, Ids::NoIdentifier},
    {"array of a known member type",
     anonymousComplex("Array", "<xs:sequence><xs:element name=\"I\" type=\"ff:UInt8\"/>"
                               "</xs:sequence>"),
     Ids::Array, Ids::UInt8},
    {"batch with the member in a choice",
     anonymousComplex("ff:Batch", "<xs:choice><xs:element name=\"I\" type=\"UUID\"/>"
                                  "</xs:choice>"),
     Ids::Batch, Ids::UUID},
    {"batch without member", anonymousComplex("Batch"), Ids::Batch, Ids::NoIdentifier},
    {"array of an unknown member type",
     anonymousComplex("Array", "<xs:sequence><xs:element name=\"I\" type=\"MyType\"/>"
                               "</xs:sequence>"),
     Ids::Array, Ids::NoIdentifier},
    {"anonymous simple type restricting a known type",
     "<xs:element name=\"E\"><xs:simpleType><xs:restriction base=\"ff:UInt16\">"
     "<xs:enumeration value=\"1\"/><xs:enumeration value=\"2\"/></xs:restriction>"
     "</xs:simpleType></xs:element>",
     Ids::UInt16, Ids::NoIdentifier},
    {"neither type nor base", "<xs:element name=\"E\"/>", Ids::NoIdentifier, Ids::NoIdentifier},
    {"named schema types are not followed",
     "<xs:simpleType name=\"MyEnum\"><xs:restriction base=\"UInt8\"/></xs:simpleType>"
     "<xs:element name=\"E\" type=\"MyEnum\"/>",
     Ids::NoIdentifier, Ids::NoIdentifier},
    {"a reference base name as type attribute is no reference",
     "<xs:element name=\"E\" type=\"StrongRefArray\"/>", Ids::NoIdentifier, Ids::NoIdentifier},
    {"top-level complex type takes its simple content base",
     "<xs:complexType name=\"E\"><xs:simpleContent><xs:extension base=\"Int64\"/>"
     "</xs:simpleContent></xs:complexType>",
     Ids::Int64, Ids::NoIdentifier},
};

class ResolveDataType : public ::testing::TestWithParam<TypeCase> {};

TEST_P(ResolveDataType, GivesDataAndSubType) {
    const TypeCase& c = GetParam();
    DeclarationFixture fixture(c.declaration);
    Identifier dataType = Ids::NoIdentifier;
    Identifier subType = Ids::NoIdentifier;
    Loading::resolveDataType(fixture.schema(), fixture.component("E"), dataType, subType);
    EXPECT_EQ(c.dataType, dataType) << c.what;
    EXPECT_EQ(c.subType, subType) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Declarations, ResolveDataType, ::testing::ValuesIn(kTypeCases));

TEST(FindTypeBase, PrefersComplexContentDepthAndStripsPrefix) {
    DeclarationFixture fixture(
        anonymousComplex("ff:StrongRefArray") +
        "<xs:element name=\"S\"><xs:simpleType><xs:restriction base=\"a:b:UInt8\"/>"
        "</xs:simpleType></xs:element><xs:element name=\"N\"/>");
    EXPECT_EQ(W("StrongRefArray"), Loading::findTypeBase(fixture.schema(), fixture.component("E")));
    EXPECT_EQ(W("b:UInt8"), Loading::findTypeBase(fixture.schema(), fixture.component("S")));
    EXPECT_EQ(W(""), Loading::findTypeBase(fixture.schema(), fixture.component("N")));
}

TEST(ClassifyReferenceBase, LeavesUnlistedNamesAlone) {
    Identifier dataType = Ids::UInt8;
    Identifier subType = Ids::Int8;
    for (const char* name : {"", "Array", "StrongRef", "WEAKREFHOLDER"}) {
        Loading::classifyReferenceBase(W(name), dataType, subType);
        EXPECT_EQ(Ids::UInt8, dataType) << name;
        EXPECT_EQ(Ids::Int8, subType) << name;
    }
}

} // namespace
} // namespace PalimoTest
