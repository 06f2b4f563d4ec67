#include "values/TypedValues.h"

#include "support/TestSupport.h"

#include <Palimo/Exceptions/CoreExceptions.h>
#include <Palimo/Types/BaseType.h>

namespace {

using namespace Palimo::MetaMetadata::Loading;
namespace Id = Palimo::Types::Identifiers;
using Palimo::Exceptions::InvalidStringRepresentation;
using PalimoTest::W;

const std::string kLabel1 = "06.0e.2b.34.01.01.01.02.06.01.01.04.02.02.00.00";
const std::string kLabel2 = "06.0e.2b.34.01.01.01.02.06.01.01.04.02.03.00.00";
const Identifier kNone = Id::NoIdentifier;

struct Case {
    Identifier type;
    Identifier subType;
    std::string text;
    const char* expected; // text() of the value; null: no value
};

// Case names: the type, the sub type and the place in the table.
std::string caseName(const ::testing::TestParamInfo<Case>& info) {
    return std::string(Id::identifierToString(info.param.type)) +
           Id::identifierToString(info.param.subType) + "_" + std::to_string(info.index);
}

class ParseTypedValue : public ::testing::TestWithParam<Case> {};

TEST_P(ParseTypedValue, GivesTheValueOfItsRule) {
    const Case& c = GetParam();
    const auto value = parseTypedValue(c.type, c.subType, W(c.text.c_str()));
    if (!c.expected) {
        EXPECT_EQ(value, nullptr) << c.text;
        return;
    }
    ASSERT_NE(value, nullptr) << c.text;
    EXPECT_EQ(value->identifier(), c.type);
    EXPECT_EQ(value->text(), c.expected) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Integers, ParseTypedValue,
    ::testing::Values(
        // Narrow types keep the low bits of the 32-bit number read.
        Case{Id::Int8, kNone, "200", "-56"}, Case{Id::Int8, kNone, "-129", "127"},
        Case{Id::Int16, kNone, "70000", "4464"}, Case{Id::Int16, kNone, "-70000", "-4464"},
        Case{Id::UInt8, kNone, "300", "44"}, Case{Id::UInt16, kNone, "65537", "1"},
        // Unsigned extraction negates modulo 2^32 (or 2^64).
        Case{Id::UInt8, kNone, "-1", "255"}, Case{Id::UInt32, kNone, "-1", "4294967295"},
        Case{Id::UInt8, kNone, "-4294967295", "1"},
        Case{Id::UInt64, kNone, "-1", "18446744073709551615"},
        // Reading stops at the first character that cannot continue the number.
        Case{Id::Int32, kNone, " 42abc", "42"}, Case{Id::Int32, kNone, "\t\n+7 8", "7"},
        Case{Id::Length, kNone, " 12", "12"}, Case{Id::Position, kNone, "-3", "-3"},
        Case{Id::Int32, kNone, "-2147483648", "-2147483648"},
        Case{Id::Int64, kNone, "-9223372036854775808", "-9223372036854775808"},
        // No number, or out of range of the extraction type: no value.
        // (Other unreadable texts are in the load failure catalogue.)
        Case{Id::Int32, kNone, "", nullptr}, Case{Id::Int32, kNone, "- 5", nullptr},
        Case{Id::Int8, kNone, "5000000000", nullptr}),
    caseName);

INSTANTIATE_TEST_SUITE_P(
    OtherRules, ParseTypedValue,
    ::testing::Values(
        Case{Id::Boolean, kNone, "0", "false"}, Case{Id::Boolean, kNone, "1", "true"},
        Case{Id::Boolean, kNone, "false", "true"}, Case{Id::Boolean, kNone, "00", "true"},
        Case{Id::Boolean, kNone, " 0", "true"}, Case{Id::Boolean, kNone, "", "true"},
        Case{Id::UTF16, kNone, "  xy z", "x"}, Case{Id::ISO7String, kNone, " a b ", " a b "},
        Case{Id::UTF16String, kNone, " x\xc3\xa9 ", " x\xc3\xa9 "},
        Case{Id::UniversalLabel, kNone, kLabel1, kLabel1.c_str()},
        Case{Id::Rational, kNone, "{30000,1001}", "30000/1001"},
        Case{Id::Rational, kNone, "{1,2,3}", "1/2"}, Case{Id::Rational, kNone, "{-1, 2}", "-1/2"},
        Case{Id::Rational, kNone, "{1,x}", nullptr},
        // Collections: items parsed as the sub type, those without a value left out.
        Case{Id::Array, Id::UInt8, "{1, 2,3}", "{1,2,3}"},
        Case{Id::Array, Id::Boolean, "{1, 0}", "{true,true}"},
        Case{Id::Array, Id::Int32, "{7}", "{}"}, Case{Id::Array, Id::Int32, "{42}", "{42}"},
        Case{Id::Array, Id::Int32, "{1,,x,2}", "{1,2}"},
        Case{Id::Batch, Id::StrongReference, "{a,b}", "{}"},
        Case{Id::Array, Id::Array, "{{1},{2}}", "{}"}),
    caseName);

TEST(TypedValues, TypesWithoutARuleGiveNoValue) {
    for (const Identifier id :
         {Id::DataValue, Id::IndirectValue, Id::KLVData, Id::Opaque, Id::ProductVersion,
          Id::Timestamp, Id::NoIdentifier, Id::VersionType, Id::StrongReference, Id::WeakReference,
          Id::Float32, Id::UTF8String, Id::AUID, Id::DateStruct, Id::J2KComponentSizing})
        EXPECT_EQ(parseTypedValue(id, kNone, W("1")), nullptr) << id;
}

TEST(TypedValues, TextsReachTheLabelConstructorsUntrimmed) {
    const auto batch =
        parseBatch(W(("{" + kLabel1 + "," + kLabel2 + "}").c_str()), Id::UniversalLabel);
    EXPECT_EQ(batch->size(), 2u);
    EXPECT_EQ(batch->sizeArgument(), 0);
    EXPECT_THROW(parseBatch(W(("{" + kLabel1 + ", " + kLabel2 + "}").c_str()), Id::UniversalLabel),
                 InvalidStringRepresentation);
}

TEST(TypedValues, SplitCollectionText) {
    const std::pair<const char*, std::vector<const char*>> cases[] = {{"{a,b}", {"a", "b"}},
                                                                      {"{a,,b}", {"a", "", "b"}},
                                                                      {"{,a}", {"", "a"}},
                                                                      {"{a,}", {"a"}},
                                                                      {"{,,}", {"", ""}},
                                                                      {"{ab}", {"ab"}},
                                                                      {"{ a ,b}", {" a ", "b"}},
                                                                      {"{{a},b}", {"{a}", "b"}},
                                                                      {"{a}", {}},
                                                                      {"", {}},
                                                                      {"a,b}", {}},
                                                                      {"{a,b", {}}};
    for (const auto& [text, items] : cases) {
        std::vector<WString> expected;
        for (const char* item : items)
            expected.push_back(W(item));
        EXPECT_EQ(splitCollectionText(W(text)), expected) << text;
    }
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
    EXPECT_EQ(parseArray(W("{1}"), Id::UInt8)->sizeArgument(), 4);
}

} // namespace
