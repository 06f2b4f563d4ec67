// One loaded dictionary and type dictionary read by many threads at once:
// each thread reads several files, some of them damaged, through the same
// two dictionaries (and the same sources), and every read gives what a read
// alone gives.
#include "mxf/ValueDescription.h"
#include "support/TestSupport.h"

#include <Palimo/MXF/FileReader.h>
#include <Palimo/TypeDefinitions/SchemaLoading.h>

#include <future>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

using Palimo::MXF::DecodedFile;

// Everything a read gives, as text.
std::string describe(const DecodedFile& file) {
    std::string text = std::to_string(file.partition.klv.offset) + '\n';
    for (const auto& set : file.sets) {
        text += "set " + set.name + ' ' + std::to_string(set.klv.offset) + '\n';
        for (const auto& item : set.items)
            text += "  " + item.name + ' ' + item.type +
                    (item.definition ? ' ' + item.definition->symbol : std::string()) + ' ' +
                    (item.value ? MxfTest::describe(*item.value) : std::string("raw")) + ' ' +
                    std::to_string(item.weakTargets.size()) + '\n';
    }
    for (const auto& problem : file.problems)
        text += std::to_string(problem.offset) + ' ' + problem.message + '\n';
    for (const auto& note : file.notes)
        text += note + '\n';
    return text;
}

TEST(SharedDictionary, ManyThreadsReadFilesThroughOneDictionary) {
    const auto data = PalimoTest::dataDir();
    const auto seeds = data / ".." / ".." / "fuzz" / "mxf-corpus";
    Palimo::MetaMetadata::Dictionary dictionary;
    Palimo::TypeDefinitions::TypeDictionary types;
    Palimo::TypeDefinitions::loadDictionary(
        (data / ".." / ".." / "examples" / "mxf-dictionary" / "MXFDictionary.xsd").string(), {},
        dictionary, types);

    std::vector<std::unique_ptr<Palimo::MXF::FileSource>> sources;
    for (const auto& path :
         {data / "mxf" / "op1a-mpeg2-pcm.mxf", data / "mxf" / "op1a-open.mxf",
          data / "mxf" / "opatom-dnxhr.mxf", seeds / "rip-footer.mxf", seeds / "truncated.mxf",
          seeds / "ber-past-end.mxf", seeds / "reference-cycle.mxf"})
        sources.push_back(std::make_unique<Palimo::MXF::FileSource>(path.string()));
    std::vector<std::string> alone;
    for (const auto& source : sources)
        alone.push_back(describe(Palimo::MXF::readMXFFile(*source, dictionary, &types)));

    constexpr std::size_t kThreads = 8;
    constexpr std::size_t kRounds = 3;
    std::vector<std::vector<std::string>> got(kThreads);
    std::promise<void> gate;
    const std::shared_future<void> open = gate.get_future().share();
    std::vector<std::thread> threads;
    for (std::size_t t = 0; t < kThreads; ++t)
        threads.emplace_back([&, t] {
            open.wait();
            // Each thread starts at another file, so that all of them are
            // read at once.
            for (std::size_t i = 0; i < kRounds * sources.size(); ++i) {
                const auto& source = *sources[(t + i) % sources.size()];
                got[t].push_back(describe(Palimo::MXF::readMXFFile(source, dictionary, &types)));
            }
        });
    gate.set_value();
    for (auto& thread : threads)
        thread.join();

    ASSERT_NE(alone[0].find("set Preface "), std::string::npos) << alone[0];
    for (std::size_t t = 0; t < kThreads; ++t)
        for (std::size_t i = 0; i < got[t].size(); ++i)
            EXPECT_EQ(got[t][i], alone[(t + i) % sources.size()])
                << "thread " << t << ", read " << i;
}

} // namespace
