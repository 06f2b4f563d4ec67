#include <Palimo/Exceptions/CoreExceptions.h>
#include <Palimo/Types/BaseType.h>

#include "support/TestSupport.h"

using namespace Palimo::Types;
using Palimo::Exceptions::InvalidArgument;
using Palimo::Templates::auto_ptr;

TEST(Values, TextFormsOfTheToolsDumps) {
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

// The tool shows default values through text(); a collection owns simple items only.
TEST(Collection, TextListsItemsAndRefusesNullAndNestedItems) {
    Array array(4);
    array.append(auto_ptr<BaseType>(new UInt32(1)));
    array.append(auto_ptr<BaseType>(new UInt32(2)));
    EXPECT_EQ(array.text(), "{1,2}");
    Batch batch(0);
    EXPECT_THROWS_EXACTLY(InvalidArgument, batch.append(nullptr),
                          "A collection item must not be null");
    EXPECT_THROWS_EXACTLY(InvalidArgument, batch.append(auto_ptr<BaseType>(new Array(1))),
                          "A collection item must be a simple value, not Array");
    EXPECT_EQ(batch.size(), 0u);
    EXPECT_EQ(batch.text(), "{}");
}
