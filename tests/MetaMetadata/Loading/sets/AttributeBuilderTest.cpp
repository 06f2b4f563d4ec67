#include "MetaMetadata/Loading/sets/AttributeBuilder.h"

#include "MetaMetadata/Loading/SchemaSnippets.h"

namespace PalimoTest {
namespace {

using namespace Palimo::MetaMetadata;
namespace Id = Palimo::Types::Identifiers;

// "<status> [<default>] <tag>" of an attribute, "none" without one.
std::string summary(const MetaAttribute* a, const Palimo::Types::LocalTag* tag) {
    if (!a)
        return "none";
    const std::string value = a->defaultValue() ? "[" + a->defaultValue()->text() + "]" : "-";
    const std::string tagText = a->localTag() == nullptr ? "" : a->localTag() == tag ? " tag" : "?";
    return AttributeRequiredStatus::instance().toString(a->requiredStatus()) + (" " + value) +
           tagText;
}

// The members of the one complex type of `body`, over registered elements of every kind.
struct Members : Snippet {
    explicit Members(const std::string& body)
        : Snippet("<xs:complexType name=\"T\"><xs:sequence>" + body +
                  "</xs:sequence></xs:complexType>") {
        Loading::ElementRegistry& r = state.elements;
        elements.add<MetaSimpleElement>(r, "Count", &tag, Id::UInt8);
        elements.add<MetaSimpleElement>(r, "Name", nullptr, Id::UTF16String);
        elements.add<MetaReferenceElement>(r, "Holder", nullptr, Palimo::KLV::KeyVector(),
                                           Id::StrongReference);
        elements.add<MetaCollection>(r, "Widths", nullptr, CollectionSizeLimits(), Id::Array,
                                     Id::UInt16);
        elements.add<MetaReferenceCollection>(r, "Refs", nullptr, CollectionSizeLimits(),
                                              Palimo::KLV::KeyVector(), Id::Batch,
                                              Id::StrongReference);
        schema().selectElements(
            root(), u"./xs:complexType//*[self::xs:element or self::xs:attribute]", declarations);
    }
    auto build(std::size_t i, std::uint32_t index = 0) {
        return Loading::buildAttribute(schema(), state.elements, declarations.at(i), index);
    }
    const Palimo::Types::LocalTag tag{0x3c01};
    RegisteredElements elements;
    Loading::DeclarationList declarations;
};

// A member `ref` with its use and default value, each left out when null.
std::string member(const char* ref, const char* use, const char* value,
                   const std::string& kind = "element") {
    return "<xs:" + kind + " ref=\"" + ref + "\"><xs:annotation>" +
           (use ? appinfo("use", use) : "") + (value ? appinfo("Distinguished Value", value) : "") +
           "</xs:annotation></xs:" + kind + ">";
}

TEST(BuildAttribute, ReadsStatusDefaultAndTag) {
    const std::pair<std::string, const char*> cases[] = {
        // Simple elements parse with no sub type; the default is not trimmed.
        {member("ff:Count", "Required", "300"), "Required [44] tag"},
        {member("Count", "optional", nullptr, "attribute"), "Optional - tag"},
        {member("ff:Name", "Required", " a "), "Required [ a ]"},
        // No "use" gives the status of the empty text; an empty default is none.
        {member("ff:Count", nullptr, ""), "Unknown - tag"},
        // A type without a parsing rule gives no default.
        {member("ff:Holder", "Required", "x"), "Required -"},
        // Collections parse their items as the sub type.
        {member("ff:Widths", "Required", "{1, 70000}"), "Required [{1,4464}]"},
        {member("ff:Refs", "Required", "{a,b}"), "Required [{}]"},
        // Unknown elements and declarations by name give no attribute.
        {member("ff:Missing", "Required", "1"), "none"},
        {R"(<xs:element name="Local"/>)", "none"}};
    std::string body;
    for (const auto& c : cases)
        body += c.first;
    Members members(body);
    ASSERT_EQ(members.declarations.size(), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(summary(members.build(i).get(), &members.tag), cases[i].second) << cases[i].first;
    // The lookups leave the element map as it was.
    EXPECT_EQ(members.state.elements.byName.size(), 5u);
}

TEST(BuildAttribute, PropertiesAreIndexValidationFlagAndNamespace) {
    Members members(R"(<xs:element ref="ff:Count"><xs:annotation>
        <xs:appinfo source="RequiresSemanticsValidation">true</xs:appinfo>
        <xs:appinfo source="XMLNamespaceURI">urn:example</xs:appinfo></xs:annotation></xs:element>)" +
                    member("ff:Count", "Required", nullptr));
    using Entries = std::vector<PropertyMap::Entry>;
    EXPECT_EQ(members.build(0, 4294967295u)->properties(),
              (Entries{{u"SchemaIndex", u"4294967295"},
                       {u"RequiresSemanticsValidation", u"true"},
                       {u"XMLNamespaceURI", u"urn:example"}}));
    EXPECT_EQ(members.build(1, 10)->properties(),
              (Entries{{u"SchemaIndex", u"10"}, {u"RequiresSemanticsValidation", u""}}));
}

} // namespace
} // namespace PalimoTest
