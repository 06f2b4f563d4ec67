// Lookups and diffs on one loaded dictionary from many threads at once give
// what they give alone.
#include "support/TestSupport.h"

#include <MetaMetadata/Loading/XSDDictionaryLoader.h>
#include <Palimo/Diff/DictionaryDiff.h>
#include <Palimo/Query/Lookup.h>

#include <future>
#include <string>
#include <thread>
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
            text += std::to_string(static_cast<int>(entry.change)) + entry.id.dotted() +
                    std::to_string(entry.fields.size() + entry.members.size()) + ' ';
    return text;
}

TEST(SharedDictionary, ManyThreadsLookUpAndDiffOneDictionary) {
    const auto data = PalimoTest::dataDir();
    Dictionary example, old, changed;
    load(data / ".." / ".." / "examples" / "mxf-dictionary" / "MXFDictionary.xsd", example);
    load(data / "tools" / "diff" / "old.xsd", old);
    load(data / "tools" / "diff" / "new.xsd", changed);
    const std::vector<std::string> keys = {"06.0e.2b.34.01.01.01.05.01.01.15.02.00.00.00.00",
                                           "3c.0a", "InstanceID", "dropframe", "NoSuchThing"};
    auto work = [&](std::size_t start) {
        std::vector<std::string> got;
        for (std::size_t i = 0; i < keys.size(); ++i)
            got.push_back(
                describe(Palimo::Query::lookup(example, keys[(start + i) % keys.size()])));
        got.push_back(describe(Palimo::Diff::diffDictionaries(old, changed)));
        got.push_back(describe(Palimo::Diff::diffDictionaries(example, example)));
        return got;
    };
    const std::vector<std::string> alone = work(0);
    ASSERT_NE(alone[0], "0");
    ASSERT_NE(alone[keys.size()], "");

    constexpr std::size_t kThreads = 6;
    std::promise<void> gate;
    const std::shared_future<void> open = gate.get_future().share();
    std::vector<std::future<std::vector<std::string>>> results;
    for (std::size_t t = 0; t < kThreads; ++t)
        results.push_back(std::async(std::launch::async, [&, t] {
            open.wait();
            return work(t);
        }));
    gate.set_value();
    for (std::size_t t = 0; t < kThreads; ++t) {
        std::vector<std::string> got = results[t].get();
        for (std::size_t i = 0; i < keys.size(); ++i)
            EXPECT_EQ(got[(keys.size() - t % keys.size() + i) % keys.size()], alone[i]) << t;
        EXPECT_EQ(got[keys.size()], alone[keys.size()]);
        EXPECT_EQ(got[keys.size() + 1], alone[keys.size() + 1]);
    }
}

} // namespace
