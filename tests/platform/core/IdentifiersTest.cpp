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

TEST(Identifiers, OtherTextsAndValuesGiveNoIdentifierOrName) {
    for (const char* text : {"uint8", "UInt8 ", " Array", "Int", "UInt88", "NoIdentifier"})
        EXPECT_EQ(Identifiers::stringToIdentifier(W(text)), Identifiers::NoIdentifier) << text;
    for (const int value : {41, -1})
        EXPECT_STREQ(Identifiers::identifierToString(static_cast<Identifier>(value)), "");
}

// The MXF reader takes each fixed size from here; its decoding of every type
// checks the others.
TEST(BaseTypeFactory, DescribesElementAndCollectionTypesAndRefusesOthers) {
    using Palimo::Exceptions::UnsupportedDataType;
    const auto& factory = Factories::BaseTypeFactory::instance();
    const std::pair<Identifier, std::size_t> sizes[] = {{Identifiers::UMID64, 64},
                                                        {Identifiers::WeakReference, 16},
                                                        {Identifiers::UTF16String, 0},
                                                        {Identifiers::Array, 0}};
    for (const auto& [id, size] : sizes) {
        EXPECT_EQ(factory.elementType(id).size, size) << Identifiers::identifierToString(id);
        EXPECT_EQ(factory.elementType(id).identifier, id);
    }
    EXPECT_TRUE(factory.collectionType(Identifiers::Batch).isCollection);
    EXPECT_TRUE(factory.elementType(Identifiers::StrongReference).isReference);
    EXPECT_STREQ(factory.elementType(Identifiers::UInt8).name, "UInt8");
    for (const int value : {static_cast<int>(Identifiers::NoIdentifier), 41, -1})
        EXPECT_THROW(factory.elementType(static_cast<Identifier>(value)), UnsupportedDataType);
    for (const Identifier id : {Identifiers::UInt8, Identifiers::NoIdentifier})
        EXPECT_THROW(factory.collectionType(id), UnsupportedDataType);
}
