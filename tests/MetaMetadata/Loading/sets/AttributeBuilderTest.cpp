#include "MetaMetadata/Loading/sets/AttributeBuilder.h"

#include "MetaMetadata/Loading/SchemaFixture.h"
#include "MetaMetadata/Loading/sets/SetSchemaText.h"

namespace {

using namespace Palimo::MetaMetadata;
using namespace Palimo::MetaMetadata::Loading;
using namespace SetsTest;
namespace Id = Palimo::Types::Identifiers;
using PalimoTest::N;
using PalimoTest::SchemaFixture;
using PalimoTest::W;
using Status = AttributeRequiredStatus::Status;

struct MemberCase {
    std::string declaration;  // member declaration inside the test type
    Status status;            // expected required status
    const char* defaultValue; // text() of the default value; null: none
    bool tagged;              // expects the registered local tag
};

std::ostream& operator<<(std::ostream& os, const MemberCase& c) {
    return os << c.declaration;
}

class BuildAttribute : public ::testing::TestWithParam<MemberCase> {
protected:
    BuildAttribute() : fixture(PalimoTest::schema(complexType("T", "", GetParam().declaration))) {
        elements.add<MetaSimpleElement>(fixture.state, "Count", &tag, Id::UInt8);
        elements.add<MetaSimpleElement>(fixture.state, "Name", nullptr, Id::UTF16String);
        elements.add<MetaReferenceElement>(fixture.state, "Holder", nullptr,
                                           Palimo::KLV::KeyVector(), Id::StrongReference);
        elements.add<MetaCollection>(fixture.state, "Widths", nullptr, CollectionSizeLimits(),
                                     Id::Array, Id::UInt16);
        elements.add<MetaReferenceCollection>(fixture.state, "Refs", nullptr,
                                              CollectionSizeLimits(), Palimo::KLV::KeyVector(),
                                              Id::Batch, Id::StrongReference);
    }

    xercesc::DOMElement* declaration() {
        return selectFirstElement(fixture.state, fixture.root(), u"./xs:complexType//*[@ref]");
    }

    SchemaFixture fixture;
    Palimo::Types::LocalTag tag{0x3c01};
    RegisteredElements elements;
};

TEST_P(BuildAttribute, ReadsStatusDefaultAndTag) {
    const MemberCase& c = GetParam();
    const auto attribute = buildAttribute(fixture.state, declaration(), 0);
    ASSERT_NE(attribute, nullptr);
    EXPECT_EQ(attribute->requiredStatus(), c.status);
    if (c.defaultValue) {
        ASSERT_NE(attribute->defaultValue(), nullptr);
        EXPECT_EQ(attribute->defaultValue()->text(), c.defaultValue);
    } else {
        EXPECT_EQ(attribute->defaultValue(), nullptr);
    }
    EXPECT_EQ(attribute->localTag(), c.tagged ? &tag : nullptr);
}

const std::string kRequired = appinfo("use", "Required");

INSTANTIATE_TEST_SUITE_P(
    Members, BuildAttribute,
    ::testing::Values(
        // Simple elements parse with no sub type; the default is not trimmed.
        MemberCase{member("element", "ff:Count", kRequired + appinfo("Distinguished Value", "300")),
                   Status::Required, "44", true},
        MemberCase{member("attribute", "Count", appinfo("use", "optional")), Status::Optional,
                   nullptr, true},
        MemberCase{member("element", "ff:Name", kRequired + appinfo("Distinguished Value", " a ")),
                   Status::Required, " a ", false},
        // No "use" annotation gives the status of the empty text; an empty
        // default is no default.
        MemberCase{member("element", "ff:Count", appinfo("Distinguished Value", "")),
                   Status::Unknown, nullptr, true},
        // A type without a parsing rule gives no default.
        MemberCase{member("element", "ff:Holder", kRequired + appinfo("Distinguished Value", "x")),
                   Status::Required, nullptr, false},
        // Collections parse their items as the sub type.
        MemberCase{member("element", "ff:Widths",
                          kRequired + appinfo("Distinguished Value", "{1, 70000}")),
                   Status::Required, "{1,4464}", false},
        MemberCase{
            member("element", "ff:Refs", kRequired + appinfo("Distinguished Value", "{a,b}")),
            Status::Required, "{}", false}));

TEST(AttributeProperties, IndexValidationFlagAndNamespace) {
    SchemaFixture fixture(PalimoTest::schema(complexType(
        "T", "",
        member("element", "ff:Count",
               appinfo("use", "Required") + appinfo("RequiresSemanticsValidation", "true") +
                   appinfo("XMLNamespaceURI", "urn:example")) +
            member("element", "ff:Count", appinfo("use", "Required")) +
            member("element", "ff:Missing", appinfo("use", "Required")) +
            "<xs:element name=\"Local\"/>")));
    RegisteredElements elements;
    elements.add<MetaSimpleElement>(fixture.state, "Count", nullptr, Id::UInt8);
    DeclarationList members;
    selectElements(fixture.state, fixture.root(), u"./xs:complexType//xs:element", members);
    ASSERT_EQ(members.size(), 4u);

    using Entries = std::vector<PropertyMap::Entry>;
    const auto full = buildAttribute(fixture.state, members[0], 4294967295u);
    ASSERT_NE(full, nullptr);
    EXPECT_EQ(full->properties(), (Entries{{u"SchemaIndex", u"4294967295"},
                                           {u"RequiresSemanticsValidation", u"true"},
                                           {u"XMLNamespaceURI", u"urn:example"}}));
    const auto plain = buildAttribute(fixture.state, members[1], 10);
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->properties(),
              (Entries{{u"SchemaIndex", u"10"}, {u"RequiresSemanticsValidation", u""}}));

    // Unknown elements and declarations by name give no attribute, and the
    // lookup leaves the element map as it was.
    EXPECT_EQ(buildAttribute(fixture.state, members[2], 2), nullptr);
    EXPECT_EQ(buildAttribute(fixture.state, members[3], 3), nullptr);
    EXPECT_EQ(fixture.state.elementsByName.size(), 1u);
}

} // namespace
