// Separate loaders on separate threads: each load gives the dictionary that a
// load alone gives, also when the first loads of the process (which set up
// Xerces-C and XQilla) run at the same time.
#include <MetaMetadata/Loading/XSDDictionaryLoader.h>

#include "support/Describe.h"
#include "support/TestSupport.h"

#include <future>
#include <string>
#include <thread>
#include <vector>

namespace {

using Palimo::Exceptions::BaseException;
using Palimo::MetaMetadata::Dictionary;
using Palimo::MetaMetadata::Loading::XSDDictionaryLoader;
using PalimoTest::describe;
using PalimoTest::N;
using PalimoTest::W;

// The dictionary text of one load, or the failure's class and message.
std::string load(const std::string& path) {
    Dictionary dictionary;
    XSDDictionaryLoader loader;
    loader.loadMetaElementDocumentation(true);
    try {
        loader.load(W(path.c_str()).c_str(), dictionary);
    } catch (const BaseException& e) {
        return std::string("failed: ") + typeid(e).name() + ": " + N(e.message()) + '\n' +
               describe(dictionary);
    }
    return describe(dictionary);
}

TEST(SeparateLoads, OnTwoThreadsGiveWhatEachGivesAlone) {
    const std::string example =
        (PalimoTest::dataDir() / ".." / ".." / "examples" / "mxf-dictionary" / "MXFDictionary.xsd")
            .string();
    const std::string elements = (PalimoTest::dataDir() / "elements" / "main.xsd").string();
    // A load that fails in the builder stage, after XPath work on its thread.
    const std::string failing = (PalimoTest::dataDir() / "failures" / "unknown-type.xsd").string();

    constexpr int kRounds = 20;
    std::vector<std::string> first(kRounds);
    std::vector<std::string> second(kRounds);
    for (int round = 0; round < kRounds; ++round) {
        // Both threads wait at the gate so that their loads overlap.
        std::promise<void> gate;
        const std::shared_future<void> open = gate.get_future().share();
        std::thread a([&, round] {
            open.wait();
            first[round] = load(example);
        });
        std::thread b([&, round] {
            open.wait();
            second[round] = load(round % 2 == 0 ? elements : failing);
        });
        gate.set_value();
        a.join();
        b.join();
    }

    const std::string exampleAlone = load(example);
    const std::string elementsAlone = load(elements);
    const std::string failingAlone = load(failing);
    ASSERT_EQ(std::string::npos, exampleAlone.find("failed: "));
    ASSERT_EQ(std::string::npos, elementsAlone.find("failed: "));
    ASSERT_EQ(0u, failingAlone.rfind("failed: ", 0));
    ASSERT_NE(std::string::npos, exampleAlone.find("set "));
    for (int round = 0; round < kRounds; ++round) {
        SCOPED_TRACE(round);
        EXPECT_EQ(exampleAlone, first[round]);
        EXPECT_EQ(round % 2 == 0 ? elementsAlone : failingAlone, second[round]);
    }
}

} // namespace
