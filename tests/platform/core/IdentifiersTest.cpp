#include <Palimo/Exceptions/CoreExceptions.h>
#include <Palimo/Types/BaseTypeFactory.h>
#include <Palimo/Types/Identifiers.h>

#include "support/TestSupport.h"

using namespace Palimo::Types;
using PalimoTest::W;

TEST(Identifiers, EveryNameMapsBothWays) {
    for (int i = 0; i <= Identifiers::LastIdentifier; ++i) {
        const auto id = static_cast<Identifier>(i);
        const char* name = Identifiers::identifierToString(id);
        EXPECT_EQ(Identifiers::stringToIdentifier(W(name)), id) << i << " " << name;
    }
    const std::pair<int, const char*> spots[] = {
        {0, "Array"},    {8, "Int8"},        {9, "ISO7String"}, {20, "UInt8"},
        {22, "UMID64"},  {24, ""},           {25, "UTF16"},     {30, "WeakReference"},
        {31, "Float32"}, {33, "UTF8String"}, {34, "AUID"},      {40, "J2KComponentSizing"}};
    for (const auto& [value, name] : spots)
        EXPECT_STREQ(Identifiers::identifierToString(static_cast<Identifier>(value)), name);
}

TEST(Identifiers, OtherTextsGiveNoIdentifier) {
    for (const char* text : {"uint8", "UInt8 ", " Array", "Int", "UInt88", "NoIdentifier"})
        EXPECT_EQ(Identifiers::stringToIdentifier(W(text)), Identifiers::NoIdentifier) << text;
    EXPECT_STREQ(Identifiers::identifierToString(static_cast<Identifier>(41)), "");
    EXPECT_STREQ(Identifiers::identifierToString(static_cast<Identifier>(-1)), "");
}

TEST(BaseTypeFactory, DescribesElementAndCollectionTypes) {
    const auto& factory = Factories::BaseTypeFactory::instance();
    const std::pair<Identifier, std::size_t> sizes[] = {
        {Identifiers::Boolean, 1},         {Identifiers::Int16, 2},
        {Identifiers::UInt32, 4},          {Identifiers::Position, 8},
        {Identifiers::Rational, 8},        {Identifiers::UUID, 16},
        {Identifiers::UMID32, 32},         {Identifiers::UMID64, 64},
        {Identifiers::UTF16, 2},           {Identifiers::WeakReference, 16},
        {Identifiers::ProductVersion, 10}, {Identifiers::VersionType, 2},
        {Identifiers::UTF16String, 0},     {Identifiers::Array, 0},
        {Identifiers::Float32, 4},         {Identifiers::Float64, 8},
        {Identifiers::UTF8String, 0},      {Identifiers::AUID, 16},
        {Identifiers::DateStruct, 4},      {Identifiers::TimeStruct, 4},
        {Identifiers::Stream, 0},          {Identifiers::RGBAComponent, 2},
        {Identifiers::ColorPrimary, 4},    {Identifiers::J2KComponentSizing, 3}};
    for (const auto& [id, size] : sizes) {
        EXPECT_EQ(factory.elementType(id).size, size) << Identifiers::identifierToString(id);
        EXPECT_EQ(factory.elementType(id).identifier, id);
    }
    EXPECT_TRUE(factory.collectionType(Identifiers::Batch).isCollection);
    EXPECT_TRUE(factory.elementType(Identifiers::StrongReference).isReference);
    EXPECT_STREQ(factory.elementType(Identifiers::UInt8).name, "UInt8");
}

TEST(BaseTypeFactory, RefusesUnsupportedIdentifiers) {
    using Palimo::Exceptions::UnsupportedDataType;
    const auto& factory = Factories::BaseTypeFactory::instance();
    EXPECT_THROW(factory.elementType(Identifiers::NoIdentifier), UnsupportedDataType);
    EXPECT_THROW(factory.elementType(static_cast<Identifier>(41)), UnsupportedDataType);
    EXPECT_THROW(factory.elementType(static_cast<Identifier>(-1)), UnsupportedDataType);
    EXPECT_THROW(factory.collectionType(Identifiers::UInt8), UnsupportedDataType);
    EXPECT_THROW(factory.collectionType(Identifiers::NoIdentifier), UnsupportedDataType);
}
