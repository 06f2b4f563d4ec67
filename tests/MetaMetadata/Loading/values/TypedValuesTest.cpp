#include "MetaMetadata/Loading/values/TypedValues.h"

#include "support/TestSupport.h"

#include <cstdint>
#include <optional>

namespace {

using namespace Palimo::MetaMetadata::Loading;
namespace Id = Palimo::Types::Identifiers;
namespace Types = Palimo::Types;
using PalimoTest::W;

const char kLabel1[] = "06.0e.2b.34.01.01.01.02.06.01.01.04.02.02.00.00";
const char kLabel2[] = "06.0e.2b.34.01.01.01.02.06.01.01.04.02.03.00.00";

struct ValueCase {
    Identifier type;
    const char* text;
    const char* expected; // text() of the value; null: no value
};

std::ostream& operator<<(std::ostream& os, const ValueCase& c) {
    return os << Types::Identifiers::identifierToString(c.type) << " \"" << c.text << "\"";
}

class ScalarRules : public ::testing::TestWithParam<ValueCase> {};

TEST_P(ScalarRules, ParseTextAsTheirType) {
    const ValueCase& c = GetParam();
    const auto value = parseTypedValue(c.type, Id::NoIdentifier, W(c.text));
    if (!c.expected) {
        EXPECT_EQ(value, nullptr);
        return;
    }
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->identifier(), c.type);
    EXPECT_EQ(value->text(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    IntegersCutAndSigned, ScalarRules,
    ::testing::Values(
        // Narrow types keep the low bits of the 32-bit number read.
        ValueCase{Id::Int8, "200", "-56"}, ValueCase{Id::Int8, "-129", "127"},
        ValueCase{Id::Int16, "70000", "4464"}, ValueCase{Id::Int16, "-70000", "-4464"},
        ValueCase{Id::UInt8, "300", "44"}, ValueCase{Id::UInt16, "65537", "1"},
        // Unsigned extraction negates modulo 2^32 (or 2^64).
        ValueCase{Id::UInt8, "-1", "255"}, ValueCase{Id::UInt32, "-1", "4294967295"},
        ValueCase{Id::UInt8, "-4294967295", "1"},
        ValueCase{Id::UInt64, "-1", "18446744073709551615"},
        // Reading stops at the first character that cannot continue the number.
        ValueCase{Id::UInt32, "0x1F", "0"}, ValueCase{Id::Int32, " 42abc", "42"},
        ValueCase{Id::Int32, "\t\n+7 8", "7"}, ValueCase{Id::Length, " 12", "12"},
        ValueCase{Id::Position, "-3", "-3"}, ValueCase{Id::Int32, "-2147483648", "-2147483648"},
        ValueCase{Id::Int64, "-9223372036854775808", "-9223372036854775808"},
        ValueCase{Id::UInt64, "18446744073709551615", "18446744073709551615"},
        // No number, or out of range for the extraction type: no value.
        ValueCase{Id::Int32, "", nullptr}, ValueCase{Id::Int32, "abc", nullptr},
        ValueCase{Id::Int32, "- 5", nullptr}, ValueCase{Id::Int32, "+", nullptr},
        ValueCase{Id::Int32, "5000000000", nullptr}, ValueCase{Id::Int32, "2147483648", nullptr},
        ValueCase{Id::Int8, "5000000000", nullptr}, ValueCase{Id::UInt32, "4294967296", nullptr},
        ValueCase{Id::Int64, "9223372036854775808", nullptr},
        ValueCase{Id::UInt64, "18446744073709551616", nullptr}));

INSTANTIATE_TEST_SUITE_P(
    BooleansAndTexts, ScalarRules,
    ::testing::Values(ValueCase{Id::Boolean, "0", "false"}, ValueCase{Id::Boolean, "1", "true"},
                      ValueCase{Id::Boolean, "false", "true"}, ValueCase{Id::Boolean, "00", "true"},
                      ValueCase{Id::Boolean, " 0", "true"}, ValueCase{Id::Boolean, "", "true"},
                      ValueCase{Id::ISO7String, " a b ", " a b "},
                      ValueCase{Id::UTF16String, " x\xc3\xa9 ", " x\xc3\xa9 "},
                      ValueCase{Id::Rational, "{30000,1001}", "30000/1001"},
                      ValueCase{Id::Rational, "{1,2,3}", "1/2"},
                      ValueCase{Id::Rational, "{-1, 2}", "-1/2"},
                      ValueCase{Id::Rational, "{12}", nullptr},
                      ValueCase{Id::Rational, "{1,x}", nullptr},
                      ValueCase{Id::Rational, "30000/1001", nullptr}));

INSTANTIATE_TEST_SUITE_P(NoRule, ScalarRules,
                         ::testing::Values(ValueCase{Id::DataValue, "1", nullptr},
                                           ValueCase{Id::IndirectValue, "1", nullptr},
                                           ValueCase{Id::KLVData, "1", nullptr},
                                           ValueCase{Id::Opaque, "1", nullptr},
                                           ValueCase{Id::ProductVersion, "1", nullptr},
                                           ValueCase{Id::Timestamp, "1", nullptr},
                                           ValueCase{Id::NoIdentifier, "1", nullptr},
                                           ValueCase{Id::VersionType, "1", nullptr},
                                           ValueCase{Id::StrongReference, "1", nullptr},
                                           ValueCase{Id::WeakReference, "1", nullptr},
                                           ValueCase{static_cast<Identifier>(31), "1", nullptr}));

TEST(TypedValues, Utf16TakesTheFirstCharacterOfTheFirstWord) {
    const auto first = [](const char* text) {
        const auto value = parseTypedValue(Id::UTF16, Id::NoIdentifier, W(text));
        return dynamic_cast<const Types::UTF16&>(*value).value();
    };
    EXPECT_EQ(first("  xy z"), u'x');
    EXPECT_EQ(first("\xc3\xa9t\xc3\xa9"), u'\u00e9');
    EXPECT_EQ(first(""), u'\0');
    EXPECT_EQ(first(" \t "), u'\0');
}

TEST(TypedValues, IdentifierTextsAreUsedUntrimmed) {
    const auto label = parseTypedValue(Id::UniversalLabel, Id::NoIdentifier, W(kLabel1));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), kLabel1);
    EXPECT_THROW(parseTypedValue(Id::UniversalLabel, Id::NoIdentifier,
                                 W((std::string(" ") + kLabel1).c_str())),
                 Palimo::Exceptions::InvalidStringRepresentation);
    EXPECT_THROW(parseTypedValue(Id::UUID, Id::NoIdentifier, W("not a uuid")),
                 Palimo::Exceptions::InvalidStringRepresentation);
}

struct SplitCase {
    const char* text;
    std::vector<const char*> items;
};

class SplitCollectionText : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitCollectionText, GivesItemsInTextOrder) {
    std::vector<WString> expected;
    for (const char* item : GetParam().items)
        expected.push_back(W(item));
    EXPECT_EQ(splitCollectionText(W(GetParam().text)), expected) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Braces, SplitCollectionText,
                         ::testing::Values(SplitCase{"{a,b}", {"a", "b"}},
                                           SplitCase{"{a,,b}", {"a", "", "b"}},
                                           SplitCase{"{,a}", {"", "a"}}, SplitCase{"{a,}", {"a"}},
                                           SplitCase{"{,,}", {"", ""}}, SplitCase{"{ab}", {"ab"}},
                                           SplitCase{"{ a , b }", {" a ", " b "}},
                                           SplitCase{"{{a},b}", {"{a}", "b"}}, SplitCase{"{a}", {}},
                                           SplitCase{"", {}}, SplitCase{"a,b}", {}},
                                           SplitCase{"{a,b", {}}, SplitCase{"1,2,3", {}}));

std::vector<std::string> itemTexts(const Types::Collection& c) {
    std::vector<std::string> texts;
    for (std::size_t i = 0; i < c.size(); ++i)
        texts.push_back(c.item(i).text());
    return texts;
}

struct CollectionCase {
    Identifier type;
    Identifier subType;
    std::string text;
    std::vector<std::string> items;
};

class CollectionRule : public ::testing::TestWithParam<CollectionCase> {};

TEST_P(CollectionRule, ParsesItemsAsTheSubType) {
    const CollectionCase& c = GetParam();
    const auto value = parseTypedValue(c.type, c.subType, W(c.text.c_str()));
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->identifier(), c.type);
    const auto& collection = dynamic_cast<const Types::Collection&>(*value);
    EXPECT_EQ(collection.sizeArgument(), collectionSizeArgument(c.subType));
    EXPECT_EQ(itemTexts(collection), c.items) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Items, CollectionRule,
    ::testing::Values(CollectionCase{Id::Array, Id::UInt8, "{1, 2,3}", {"1", "2", "3"}},
                      CollectionCase{Id::Array, Id::Boolean, "{1, 0}", {"true", "true"}},
                      CollectionCase{Id::Array, Id::Int32, "{7}", {}},
                      CollectionCase{Id::Array, Id::Int32, "{42}", {"42"}},
                      CollectionCase{Id::Batch, Id::Int32, "1,2,3", {}},
                      // Items that give no value are left out.
                      CollectionCase{Id::Array, Id::Int32, "{1,,x,2}", {"1", "2"}},
                      CollectionCase{Id::Batch, Id::StrongReference, "{a,b}", {}},
                      CollectionCase{Id::Array, Id::Array, "{{1},{2}}", {}},
                      CollectionCase{Id::Batch,
                                     Id::UniversalLabel,
                                     std::string("{") + kLabel1 + "," + kLabel2 + "}",
                                     {kLabel1, kLabel2}}));

TEST(TypedValues, CollectionItemsAreNotTrimmedBeforeTheirConstructor) {
    const WString text = W((std::string("{") + kLabel1 + ", " + kLabel2 + "}").c_str());
    EXPECT_THROW(parseBatch(text, Id::UniversalLabel),
                 Palimo::Exceptions::InvalidStringRepresentation);
}

TEST(TypedValues, CollectionSizeArgumentFollowsTheSubType) {
    // Narrow integers get 4, not their own widths.
    const std::pair<Identifier, int> cases[] = {
        {Id::Boolean, 1},        {Id::Int8, 4},        {Id::UInt16, 4},         {Id::UInt32, 4},
        {Id::Int64, 8},          {Id::Length, 8},      {Id::Position, 8},       {Id::UInt64, 8},
        {Id::UTF16, 2},          {Id::UTF16String, 0}, {Id::UniversalLabel, 0}, {Id::Rational, 0},
        {Id::StrongReference, 0}};
    for (const auto& [id, expected] : cases)
        EXPECT_EQ(collectionSizeArgument(id), expected) << id;
}

} // namespace
