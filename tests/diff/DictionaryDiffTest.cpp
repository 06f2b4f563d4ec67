// What the golden diffs of the tool do not show: the typed values of every
// kind of field, properties that come and go, and elements hidden by a later
// one with the same label.
#include "support/SchemaText.h"

#include <Palimo/Diff/DictionaryDiff.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace Palimo::Diff;
using PalimoTest::elementDeclaration;

const char* const kClipKey = "06.0e.2b.34.02.53.01.01.0d.01.01.01.01.01.11.00";
const char* const kLineMap = "06.0e.2b.34.01.01.01.02.04.01.03.02.05.00.00.00";
const char* const kOrigin = "06.0e.2b.34.01.01.01.02.07.02.01.03.01.03.00.00";

std::string clipSet(const std::string& use) {
    return PalimoTest::setDeclaration("Clip", kClipKey, {"Origin"}, use);
}

std::string lineMap(const std::string& itemType) {
    return std::string("<xs:element name=\"LineMap\"><xs:annotation><xs:appinfo source=\"RP210\"/>"
                       "<xs:appinfo source=\"UL Designator\">") +
           kLineMap + "</xs:appinfo><xs:appinfo source=\"Local Tag\">32.0d</xs:appinfo>" +
           PalimoTest::kNamespaceAppinfo +
           "</xs:annotation>"
           "<xs:complexType><xs:complexContent><xs:extension base=\"ff:Array\"><xs:sequence>"
           "<xs:element name=\"LineNumber\" type=\"ff:" +
           itemType +
           "\" minOccurs=\"0\" maxOccurs=\"unbounded\"/></xs:sequence></xs:extension>"
           "</xs:complexContent></xs:complexType></xs:element>\n";
}

DictionaryDiff diffOf(const std::string& before, const std::string& after) {
    Palimo::MetaMetadata::Dictionary old, now;
    PalimoTest::loadSchemaText(before, old);
    PalimoTest::loadSchemaText(after, now);
    return diffDictionaries(old, now);
}

template <class T>
T valueOf(const std::optional<Value>& value) {
    EXPECT_TRUE(value && std::holds_alternative<T>(*value));
    return value && std::holds_alternative<T>(*value) ? std::get<T>(*value) : T();
}

TEST(DictionaryDiff, TypedValuesOfChangedFields) {
    const DictionaryDiff diff =
        diffOf(clipSet("required") + lineMap("Int32") +
                   elementDeclaration("Origin", "Position", kOrigin, "4b.02", "Origin"),
               clipSet("optional") + lineMap("UInt16") +
                   elementDeclaration("Origin", "Int64", kOrigin, "4b.03", "Origin"));
    ASSERT_EQ(diff.elements.size(), 2u);
    const EntryDiff& lines = diff.elements[0];
    EXPECT_EQ(lines.change, Change::Changed);
    EXPECT_EQ(lines.id.dotted(), kLineMap);
    ASSERT_EQ(lines.fields.size(), 1u);
    EXPECT_EQ(lines.fields[0].field, Field::SubType);
    EXPECT_EQ(valueOf<Palimo::Types::Identifier>(lines.fields[0].before),
              Palimo::Types::Identifiers::Int32);
    EXPECT_EQ(valueOf<Palimo::Types::Identifier>(lines.fields[0].after),
              Palimo::Types::Identifiers::UInt16);

    const EntryDiff& origin = diff.elements[1];
    EXPECT_EQ(origin.name, "Origin");
    ASSERT_EQ(origin.fields.size(), 2u);
    EXPECT_EQ(origin.fields[0].field, Field::DataType);
    EXPECT_EQ(valueOf<Palimo::Types::Identifier>(origin.fields[0].after),
              Palimo::Types::Identifiers::Int64);
    EXPECT_EQ(origin.fields[1].field, Field::LocalTag);
    EXPECT_EQ(valueOf<Palimo::Types::LocalTag>(origin.fields[1].after).value(), 0x4b03);

    ASSERT_EQ(diff.sets.size(), 1u);
    ASSERT_EQ(diff.sets[0].members.size(), 1u);
    const MemberDiff& member = diff.sets[0].members[0];
    EXPECT_EQ(member.name, "Origin");
    ASSERT_EQ(member.fields.size(), 2u);
    EXPECT_EQ(member.fields[0].field, Field::Required);
    EXPECT_EQ(
        valueOf<Palimo::MetaMetadata::AttributeRequiredStatus::Status>(member.fields[0].before),
        Palimo::MetaMetadata::AttributeRequiredStatus::Required);
    EXPECT_EQ(member.fields[1].field, Field::LocalTag);
    EXPECT_FALSE(diff.sets[0].memberOrderChanged);
}

TEST(DictionaryDiff, PropertiesThatComeAndGoAreAbsentOnOneSide) {
    const char* const start = "06.0e.2b.34.01.01.01.02.07.02.01.03.01.04.00.00";
    const DictionaryDiff diff =
        diffOf(elementDeclaration("Origin", "Position", kOrigin, "4b.02", "Origin") +
                   elementDeclaration("Start", "Position", start, "12.01", ""),
               elementDeclaration("Origin", "Position", kOrigin, "4b.02", "") +
                   elementDeclaration("Start", "Position", start, "12.01", "Start Position"));
    std::vector<std::string> changes;
    for (const EntryDiff& entry : diff.elements)
        for (const FieldChange& change : entry.fields) {
            EXPECT_EQ(change.field, Field::Property);
            changes.push_back(*entry.name + ' ' + change.property +
                              (change.before ? " " + valueOf<std::string>(change.before) : "") +
                              " ->" +
                              (change.after ? " " + valueOf<std::string>(change.after) : ""));
        }
    EXPECT_EQ(changes,
              (std::vector<std::string>{"Origin name Origin ->", "Start name -> Start Position"}));
}

TEST(DictionaryDiff, AnElementHiddenByALaterOneTakesNoPart) {
    const std::string origin = elementDeclaration("Origin", "Position", kOrigin, "4b.02", "Origin");
    const std::string later = elementDeclaration("Start", "Position", kOrigin, "4b.02", "Start");
    const DictionaryDiff diff = diffOf(origin + later, later);
    EXPECT_TRUE(diff.empty());
    const DictionaryDiff back = diffOf(origin + later, later + origin);
    ASSERT_EQ(back.elements.size(), 1u);
    EXPECT_EQ(back.elements[0].change, Change::Changed);
    EXPECT_EQ(back.elements[0].name, "Start"); // the old one's
    ASSERT_FALSE(back.elements[0].fields.empty());
    EXPECT_EQ(back.elements[0].fields[0].field, Field::Name);
    EXPECT_EQ(valueOf<std::string>(back.elements[0].fields[0].after), "Origin");
}

} // namespace
