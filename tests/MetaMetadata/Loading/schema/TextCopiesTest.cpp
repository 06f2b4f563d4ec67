#include "schema/TextCopies.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace PalimoTest {
namespace {

using Palimo::MetaMetadata::Loading::TextCopies;

// Copies stay where they are while blocks fill up and long texts get their
// own: the index keeps views of them for the whole load.
TEST(TextCopies, KeepEveryCopyAcrossBlocksAndLongTexts) {
    TextCopies copies;
    std::vector<std::u16string> originals;
    std::vector<std::u16string_view> views;
    for (std::size_t i = 0; i < 5000; ++i) {
        // Short texts of every length up to a few hundred units, and now and
        // then one longer than a quarter block.
        const std::size_t length = i % 97 == 0 ? 9000 + i : i % 300;
        originals.push_back(std::u16string(length, static_cast<char16_t>(u'a' + i % 26)));
        views.push_back(copies.copy(originals.back().c_str()));
    }
    for (std::size_t i = 0; i < originals.size(); ++i) {
        ASSERT_EQ(views[i], originals[i]) << i;
        EXPECT_NE(views[i].data(), originals[i].data());
    }
    EXPECT_TRUE(copies.copy(nullptr).empty());
    EXPECT_NE(copies.copy(u"").data(), nullptr);
}

} // namespace
} // namespace PalimoTest
