// Lookups and diffs on one loaded dictionary from many threads at once give
// what they give alone.
#include "support/TestSupport.h"

#include <MetaMetadata/Loading/XSDDictionaryLoader.h>
#include <Palimo/Diff/DictionaryDiff.h>
#include <Palimo/Query/Lookup.h>

#include <future>
#include <string>
#include <vector>

namespace {

using Palimo::MetaMetadata::Dictionary;

void load(const std::filesystem::path& path, Dictionary& dictionary) {
    Palimo::MetaMetadata::Loading::XSDDictionaryLoader loader;
    loader.load(PalimoTest::W(path.string().c_str()).c_str(), dictionary);
}

// What a lookup and a diff found, as text.
std::string describe(const Palimo::Query::LookupResult& result) {
    std::string text = std::to_string(static_cast<int>(result.matchedBy));
    for (const auto* element : result.elements)
        text += ' ' + element->universalLabel().text();
    for (const auto* set : result.sets)
        text += ' ' + set->key().text();
    return text;
}

std::string describe(const Palimo::Diff::DictionaryDiff& diff) {
    std::string text;
    for (const auto* entries : {&diff.elements, &diff.sets})
        for (const auto& entry : *entries)
            text += entry.id.dotted() + std::to_string(entry.fields.size() + entry.members.size());
    return text;
}

TEST(SharedDictionary, ManyThreadsLookUpAndDiffTheSameDictionaries) {
    const auto data = PalimoTest::dataDir();
    Dictionary example, old, changed;
    load(data / ".." / ".." / "examples" / "mxf-dictionary" / "MXFDictionary.xsd", example);
    load(data / "tools" / "diff" / "old.xsd", old);
    load(data / "tools" / "diff" / "new.xsd", changed);
    auto work = [&] {
        std::vector<std::string> got;
        for (const char* key : {"06.0e.2b.34.01.01.01.05.01.01.15.02.00.00.00.00", "3c.0a",
                                "dropframe", "NoSuchThing"})
            got.push_back(describe(Palimo::Query::lookup(example, key)));
        got.push_back(describe(Palimo::Diff::diffDictionaries(old, changed)));
        return got;
    };
    const std::vector<std::string> alone = work();
    ASSERT_NE(alone.back(), "");

    std::promise<void> gate;
    const std::shared_future<void> open = gate.get_future().share();
    std::vector<std::future<std::vector<std::string>>> results;
    for (int t = 0; t < 6; ++t)
        results.push_back(std::async(std::launch::async, [&] {
            open.wait();
            return work();
        }));
    gate.set_value();
    for (auto& result : results)
        EXPECT_EQ(result.get(), alone);
}

} // namespace
