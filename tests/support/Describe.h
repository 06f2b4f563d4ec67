#pragma once
// A dictionary as text, and golden files to compare such texts with.
//
// To write every golden file again from the code as it is (then review the
// difference with git diff before committing):
//
//     PALIMO_UPDATE_GOLDEN=1 ctest --test-dir build/release -R Golden
#include <Palimo/MetaMetadata/Dictionary.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace PalimoTest {

/// Everything a host can read back from `dictionary`, one fact a line: the
/// elements in order of addition (kind, tag name, label, local tag, data
/// type, collection and reference facts, properties), then the sets in order
/// of addition (key, properties, members with their element, local tag,
/// required status, default value and properties). Deterministic: equal
/// dictionaries give equal texts.
std::string describe(const Palimo::MetaMetadata::Dictionary& dictionary);

/// Whether `actual` is the content of the golden file at `path`; on a
/// mismatch the message shows the first differing line with some context.
/// With PALIMO_UPDATE_GOLDEN=1 in the environment it writes `actual` to
/// `path` instead and succeeds.
::testing::AssertionResult matchesGolden(const std::string& actual,
                                         const std::filesystem::path& path);

inline void expectMatchesGolden(const std::string& actual, const std::filesystem::path& path) {
    EXPECT_TRUE(matchesGolden(actual, path));
}

} // namespace PalimoTest
