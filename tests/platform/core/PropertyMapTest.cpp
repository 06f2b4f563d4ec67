#include <Palimo/MetaMetadata/PropertyMap.h>

#include "support/TestSupport.h"

using Palimo::MetaMetadata::PropertyMap;
using PalimoTest::W;

TEST(PropertyMap, KeepsFirstOrderAndReplacesValues) {
    PropertyMap map;
    map.addProperty(W("b"), W("1"));
    map.addProperty(W("a"), W("2"));
    map.addProperty(W("b"), W("3"));
    ASSERT_EQ(map.properties().size(), 2u);
    EXPECT_EQ(map.properties()[0], PropertyMap::Entry(W("b"), W("3")));
    EXPECT_EQ(map.getProperty(W("a")), W("2"));
    EXPECT_EQ(map.getProperty(W("c")), W(""));
    EXPECT_FALSE(map.hasProperty(W("c")));
    EXPECT_TRUE(map.hasProperty(W("a")));
}
