// Files with dictionaries of their own read on many threads through one
// loaded dictionary and type dictionary: each file's own dictionary is its
// own, the loaded ones are only read, and every read gives what a read alone
// gives (the ThreadSanitizer pass runs this).
#include "mxf/ExampleDictionary.h"
#include "mxf/FileDictionaryFiles.h"
#include "mxf/ValueDescription.h"

#include <Palimo/MXF/DictionaryIndex.h>
#include <Palimo/MXF/FileReader.h>

#include <future>
#include <vector>

namespace {

using namespace MxfTest;

// `index`: null to read with the dictionaries alone.
std::string readOnce(const Bytes& bytes, const Palimo::MXF::DictionaryIndex* index = nullptr) {
    const Palimo::MXF::MemorySource source(bytes.data(), bytes.size());
    const auto file =
        index ? Palimo::MXF::readMXFFile(source, *index)
              : Palimo::MXF::readMXFFile(source, example().dictionary, &example().types);
    return describeDecoding(file) + std::to_string(file.problems.size());
}

TEST(FileDictionaries, ReadOnManyThreadsThroughOneDictionary) {
    const Bytes bytes = Own::ownDictionaryFile();
    const std::string alone = readOnce(bytes);
    std::vector<std::future<std::string>> reads;
    for (int i = 0; i < 8; ++i)
        reads.push_back(std::async(std::launch::async, [&bytes] {
            std::string last;
            for (int round = 0; round < 5; ++round)
                last = readOnce(bytes);
            return last;
        }));
    for (auto& read : reads)
        EXPECT_EQ(read.get(), alone);
}

// Through one index, whose cache hands the dictionary one thread built to
// the others.
TEST(FileDictionaries, ReadOnManyThreadsThroughOneIndex) {
    const Bytes bytes = Own::ownDictionaryFile();
    const std::string alone = readOnce(bytes);
    const Palimo::MXF::DictionaryIndex index(example().dictionary, &example().types);
    std::vector<std::future<std::string>> reads;
    for (int i = 0; i < 8; ++i)
        reads.push_back(std::async(std::launch::async, [&bytes, &index] {
            std::string last;
            for (int round = 0; round < 5; ++round)
                last = readOnce(bytes, &index);
            return last;
        }));
    for (auto& read : reads)
        EXPECT_EQ(read.get(), alone);
}

} // namespace
