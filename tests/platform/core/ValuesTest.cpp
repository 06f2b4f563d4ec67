#include <Palimo/Exceptions/CoreExceptions.h>
#include <Palimo/Types/BaseType.h>

#include "support/TestSupport.h"

using namespace Palimo::Types;
using Palimo::Exceptions::InvalidArgument;
using Palimo::Templates::auto_ptr;

TEST(Values, TextFormsForDumps) {
    EXPECT_EQ(Int8(-128).text(), "-128");
    EXPECT_EQ(UInt8(255).text(), "255");
    EXPECT_EQ(UInt64(18446744073709551615ull).text(), "18446744073709551615");
    EXPECT_EQ(Boolean(true).text(), "true");
    EXPECT_EQ(Rational(30000, 1001).text(), "30000/1001");
    EXPECT_EQ(UTF16String(u"caf\u00e9").text(), "caf\xC3\xA9");
    EXPECT_EQ(UTF16String(nullptr).text(), "");
    EXPECT_EQ(UTF16(u'x').text(), "x");
    EXPECT_EQ(ISO7String(nullptr).text(), "");
}

TEST(Values, EqualityNeedsSameClassAndValue) {
    EXPECT_EQ(Int64(5), Int64(5));
    EXPECT_NE(Int64(5), Int64(6));
    EXPECT_NE(Length(5), Position(5));
    EXPECT_NE(Length(5), Int64(5));
    EXPECT_NE(Int32(1), UInt32(1));
    EXPECT_NE(Rational(1, 2), Rational(2, 4));
    EXPECT_EQ(*Length(7).clone(), Length(7));
    EXPECT_EQ(Length(7).clone()->identifier(), Identifiers::Length);
}

TEST(Collection, OwnsItemsAndClonesDeeply) {
    Array array(4);
    array.append(auto_ptr<BaseType>(new UInt32(1)));
    array.append(auto_ptr<BaseType>(new UInt32(2)));
    EXPECT_EQ(array.text(), "{1,2}");
    auto copy = array.clone();
    EXPECT_EQ(*copy, array);
    EXPECT_NE(&static_cast<const Array&>(*copy).item(0), &array.item(0));
    array.append(auto_ptr<BaseType>(new UInt32(3)));
    EXPECT_NE(*copy, array);
    Batch batch(4);
    batch.append(auto_ptr<BaseType>(new UInt32(1)));
    batch.append(auto_ptr<BaseType>(new UInt32(2)));
    EXPECT_NE(static_cast<const BaseType&>(batch), *copy);
}

TEST(Collection, RefusesNullAndNestedItems) {
    Batch batch(0);
    EXPECT_THROWS_EXACTLY(InvalidArgument, batch.append(nullptr),
                          "A collection item must not be null");
    EXPECT_THROWS_EXACTLY(InvalidArgument, batch.append(auto_ptr<BaseType>(new Array(1))),
                          "A collection item must be a simple value, not Array");
    EXPECT_EQ(batch.size(), 0u);
    EXPECT_EQ(batch.text(), "{}");
}
