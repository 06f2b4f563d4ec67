#include "MetaMetadata/Loading/sets/AttributeBuilder.h"

#include "MetaMetadata/Loading/SchemaFixture.h"
#include "MetaMetadata/Loading/sets/SetSchemaText.h"

namespace {

using namespace Palimo::MetaMetadata;
using namespace Palimo::MetaMetadata::Loading;
using namespace SetsTest;
namespace Id = Palimo::Types::Identifiers;
using PalimoTest::SchemaFixture;

// "<status> [<default>] <tag>" of an attribute, "none" without one.
std::string summary(const MetaAttribute* a, const Palimo::Types::LocalTag* tag) {
    if (!a)
        return "none";
    const std::string value = a->defaultValue() ? "[" + a->defaultValue()->text() + "]" : "-";
    const std::string tagText = a->localTag() == nullptr ? "" : a->localTag() == tag ? " tag" : "?";
    return AttributeRequiredStatus::instance().toString(a->requiredStatus()) + (" " + value) +
           tagText;
}

std::string with(const std::string& use, const std::string& value) {
    return (use.empty() ? "" : appinfo("use", use)) + appinfo("Distinguished Value", value);
}

TEST(BuildAttribute, ReadsStatusDefaultAndTag) {
    const std::pair<std::string, std::string> cases[] = {
        // Simple elements parse with no sub type; the default is not trimmed.
        {member("element", "ff:Count", with("Required", "300")), "Required [44] tag"},
        {member("attribute", "Count", appinfo("use", "optional")), "Optional - tag"},
        {member("element", "ff:Name", with("Required", " a ")), "Required [ a ]"},
        // No "use" gives the status of the empty text; an empty default is none.
        {member("element", "ff:Count", with("", "")), "Unknown - tag"},
        // A type without a parsing rule gives no default.
        {member("element", "ff:Holder", with("Required", "x")), "Required -"},
        // Collections parse their items as the sub type.
        {member("element", "ff:Widths", with("Required", "{1, 70000}")), "Required [{1,4464}]"},
        {member("element", "ff:Refs", with("Required", "{a,b}")), "Required [{}]"},
        // Unknown elements and declarations by name give no attribute.
        {member("element", "ff:Missing", with("Required", "1")), "none"},
        {"<xs:element name=\"Local\"/>", "none"}};
    std::string body;
    for (const auto& c : cases)
        body += c.first;
    SchemaFixture fixture(PalimoTest::schema(complexType("T", "", body)));
    const Palimo::Types::LocalTag tag(0x3c01);
    RegisteredElements elements;
    elements.add<MetaSimpleElement>(fixture.state.elements, "Count", &tag, Id::UInt8);
    elements.add<MetaSimpleElement>(fixture.state.elements, "Name", nullptr, Id::UTF16String);
    elements.add<MetaReferenceElement>(fixture.state.elements, "Holder", nullptr,
                                       Palimo::KLV::KeyVector(), Id::StrongReference);
    elements.add<MetaCollection>(fixture.state.elements, "Widths", nullptr, CollectionSizeLimits(),
                                 Id::Array, Id::UInt16);
    elements.add<MetaReferenceCollection>(fixture.state.elements, "Refs", nullptr,
                                          CollectionSizeLimits(), Palimo::KLV::KeyVector(),
                                          Id::Batch, Id::StrongReference);

    DeclarationList members;
    fixture.schema().selectElements(
        fixture.root(), u"./xs:complexType//*[self::xs:element or self::xs:attribute]", members);
    ASSERT_EQ(members.size(), std::size(cases));
    for (std::size_t i = 0; i < members.size(); ++i)
        EXPECT_EQ(
            summary(buildAttribute(fixture.schema(), fixture.state.elements, members[i], 0).get(),
                    &tag),
            cases[i].second)
            << cases[i].first;
    // The lookups leave the element map as it was.
    EXPECT_EQ(fixture.state.elements.byName.size(), 5u);
}

TEST(BuildAttribute, PropertiesAreIndexValidationFlagAndNamespace) {
    SchemaFixture fixture(PalimoTest::schema(complexType(
        "T", "",
        member("element", "ff:Count",
               appinfo("use", "Required") + appinfo("RequiresSemanticsValidation", "true") +
                   appinfo("XMLNamespaceURI", "urn:example")) +
            member("element", "ff:Count", appinfo("use", "Required")))));
    RegisteredElements elements;
    elements.add<MetaSimpleElement>(fixture.state.elements, "Count", nullptr, Id::UInt8);
    DeclarationList members;
    fixture.schema().selectElements(fixture.root(), u"./xs:complexType//xs:element", members);

    using Entries = std::vector<PropertyMap::Entry>;
    EXPECT_EQ(buildAttribute(fixture.schema(), fixture.state.elements, members[0], 4294967295u)
                  ->properties(),
              (Entries{{u"SchemaIndex", u"4294967295"},
                       {u"RequiresSemanticsValidation", u"true"},
                       {u"XMLNamespaceURI", u"urn:example"}}));
    EXPECT_EQ(
        buildAttribute(fixture.schema(), fixture.state.elements, members[1], 10)->properties(),
        (Entries{{u"SchemaIndex", u"10"}, {u"RequiresSemanticsValidation", u""}}));
}

} // namespace
