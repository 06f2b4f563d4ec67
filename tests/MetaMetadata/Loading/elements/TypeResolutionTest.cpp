#include "elements/TypeResolution.h"

#include "MetaMetadata/Loading/SchemaSnippets.h"

namespace PalimoTest {
namespace {

namespace Ids = Palimo::Types::Identifiers;
using Palimo::Types::Identifier;

struct TypeCase {
    const char* name;
    std::string declaration; // the top-level component named "E"
    Identifier dataType;
    Identifier subType;
};

// "E" with an anonymous complex type deriving from `base`.
std::string derived(const std::string& base, const std::string& content = "",
                    const std::string& derivation = "extension") {
    return "<xs:element name=\"E\"><xs:complexType><xs:complexContent><xs:" + derivation +
           " base=\"" + base + "\">" + content + "</xs:" + derivation +
           "></xs:complexContent></xs:complexType></xs:element>";
}

std::string item(const std::string& type, const std::string& group = "sequence") {
    return "<xs:" + group + "><xs:element name=\"I\" type=\"" + type + "\"/></xs:" + group + ">";
}

const Identifier kNone = Ids::NoIdentifier;

const TypeCase kTypeCases[] = {
    {"Named", R"(<xs:element name="E" type="UInt32"/>)", Ids::UInt32, kNone},
    {"NamedWithPrefix", R"(<xs:element name="E" type="ff:UInt32"/>)", Ids::UInt32, kNone},
    {"NamedAfterTheFirst31", R"(<xs:element name="E" type="ff:Float32"/>)", Ids::Float32, kNone},
    {"NamedWithAnyPrefix", R"(<xs:element name="E" type="xs:UTF16String"/>)", Ids::UTF16String,
     kNone},
    {"BatchOfATypeAfterTheFirst31", derived("ff:Batch", item("ff:AUID")), Ids::Batch, Ids::AUID},
    {"StrongRefArray", derived("StrongRefArray"), Ids::Array, Ids::StrongReference},
    {"WeakRefArray", derived("ff:WeakRefArray"), Ids::Array, Ids::WeakReference},
    {"StrongRefBatch", derived("StrongRefBatch"), Ids::Batch, Ids::StrongReference},
    {"WeakRefBatchByRestriction", derived("WeakRefBatch", "", "restriction"), Ids::Batch,
     Ids::WeakReference},
    {"WeakRefHolder", derived("ff:WeakRefHolder"), Ids::WeakReference, kNone},
    {"StrongRefHolder", derived("StrongRefHolder"), Ids::StrongReference, kNone},
    {"ReferenceBasesAreCaseSensitive", derived("strongRefArray"), kNone, kNone},
    {"UnlistedReferenceBase", derived("ff:StrongRef"), kNone, kNone},
    {"ArrayOfAKnownType", derived("Array", item("ff:UInt8")), Ids::Array, Ids::UInt8},
    {"BatchWithTheItemInAChoice", derived("ff:Batch", item("UUID", "choice")), Ids::Batch,
     Ids::UUID},
    {"BatchWithoutItem", derived("Batch"), Ids::Batch, kNone},
    {"ArrayOfAnUnknownType", derived("Array", item("MyType")), Ids::Array, kNone},
    {"AnonymousSimpleTypeRestrictingAKnownType", R"(<xs:element name="E"><xs:simpleType>
       <xs:restriction base="ff:UInt16"><xs:enumeration value="1"/><xs:enumeration value="2"/>
       </xs:restriction></xs:simpleType></xs:element>)",
     Ids::UInt16, kNone},
    {"NeitherTypeNorBase", R"(<xs:element name="E"/>)", kNone, kNone},
    {"NamedSchemaTypesAreNotFollowed",
     R"(<xs:simpleType name="MyEnum"><xs:restriction base="UInt8"/></xs:simpleType>
        <xs:element name="E" type="MyEnum"/>)",
     kNone, kNone},
    {"AReferenceBaseAsTypeIsNoReference", R"(<xs:element name="E" type="StrongRefArray"/>)", kNone,
     kNone},
    {"TopLevelComplexTypeTakesItsSimpleContentBase", R"(<xs:complexType name="E">
       <xs:simpleContent><xs:extension base="Int64"/></xs:simpleContent></xs:complexType>)",
     Ids::Int64, kNone},
};

class ResolveDataType : public ::testing::TestWithParam<TypeCase> {};

TEST_P(ResolveDataType, GivesDataAndSubType) {
    const TypeCase& c = GetParam();
    Snippet fixture(c.declaration);
    Identifier dataType = kNone;
    Identifier subType = kNone;
    Loading::resolveDataType(fixture.schema(), fixture.component("E"), dataType, subType);
    EXPECT_EQ(c.dataType, dataType);
    EXPECT_EQ(c.subType, subType);
}

INSTANTIATE_TEST_SUITE_P(Declarations, ResolveDataType, ::testing::ValuesIn(kTypeCases),
                         [](const auto& info) { return info.param.name; });

TEST(FindTypeBase, PrefersComplexContentDepthAndStripsOnePrefix) {
    Snippet fixture(derived("ff:StrongRefArray") + R"(
        <xs:element name="S"><xs:simpleType><xs:restriction base="a:b:UInt8"/></xs:simpleType>
        </xs:element><xs:element name="N"/>)");
    EXPECT_EQ(W("StrongRefArray"), Loading::findTypeBase(fixture.schema(), fixture.component("E")));
    EXPECT_EQ(W("b:UInt8"), Loading::findTypeBase(fixture.schema(), fixture.component("S")));
    EXPECT_EQ(W(""), Loading::findTypeBase(fixture.schema(), fixture.component("N")));
}

} // namespace
} // namespace PalimoTest
