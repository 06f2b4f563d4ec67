// The benchmark dictionaries must load completely, or the benchmarks measure
// a load that stopped early.
#include "DictionaryGenerator.h"

#include "support/TestSupport.h"

#include <MetaMetadata/Loading/XSDDictionaryLoader.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {

using Palimo::Bench::generateDictionary;
using Palimo::Bench::GeneratorOptions;
using Palimo::MetaMetadata::Dictionary;
using Palimo::MetaMetadata::MetaReferenceCollection;
using Palimo::MetaMetadata::MetaReferenceElement;
using PalimoTest::TempDir;

std::string contents(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

using Shape = GeneratorOptions::Shape;

TEST(DictionaryGenerator, GeneratedDictionariesLoadCompletely) {
    const struct {
        std::size_t elements;
        std::uint32_t seed;
        Shape shape;
    } cases[] = {{16, 1, Shape::Benchmark},
                 {200, 1, Shape::Benchmark},
                 {200, 7, Shape::Benchmark},
                 {16, 1, Shape::Register},
                 {600, 2, Shape::Register}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.elements) + " elements, seed " + std::to_string(c.seed) +
                     (c.shape == Shape::Register ? ", register shape" : ""));
        TempDir dir;
        const auto generated =
            generateDictionary(dir.path(), GeneratorOptions{c.elements, c.seed, c.shape});
        EXPECT_EQ(generated.files.size(), c.shape == Shape::Register ? 1u : 5u);
        Dictionary dictionary;
        Palimo::MetaMetadata::Loading::XSDDictionaryLoader loader;
        loader.load(PalimoTest::W(generated.topFile.string().c_str()).c_str(), dictionary);

        EXPECT_EQ(dictionary.metaElementCount(), generated.elementCount);
        EXPECT_EQ(dictionary.metaMetadataSetCount(), generated.setCount);
        // Every set inherits the root's two identifiers first: each base chain
        // resolved up to the root.
        for (const auto* set : dictionary.metaMetadataSets()) {
            ASSERT_GE(set->attributes().size(), 2u);
            EXPECT_EQ(PalimoTest::N(set->attributes()[0]->getProperty(u"SchemaIndex")), "0");
            EXPECT_EQ(&set->attributes()[0]->metaElement(), dictionary.metaElements()[0]);
        }
        // Every reference names sets that have keys, directly or through a group.
        std::size_t references = 0;
        for (const auto* element : dictionary.metaElements()) {
            if (const auto* r = dynamic_cast<const MetaReferenceElement*>(element)) {
                EXPECT_FALSE(r->targetKeys().empty());
                ++references;
            } else if (const auto* rc = dynamic_cast<const MetaReferenceCollection*>(element)) {
                EXPECT_FALSE(rc->targetKeys().empty());
                ++references;
            }
        }
        EXPECT_EQ(references, generated.referenceElementCount);
    }
}

TEST(DictionaryGenerator, SameOptionsGiveSameFilesAndSeedsDiffer) {
    TempDir first, second, other;
    const auto a = generateDictionary(first.path(), GeneratorOptions{200, 3});
    const auto b = generateDictionary(second.path(), GeneratorOptions{200, 3});
    const auto c = generateDictionary(other.path(), GeneratorOptions{200, 4});
    ASSERT_EQ(a.files.size(), b.files.size());
    for (std::size_t i = 0; i < a.files.size(); ++i)
        EXPECT_EQ(contents(a.files[i]), contents(b.files[i])) << a.files[i].filename();
    EXPECT_NE(contents(a.files[2]), contents(c.files[2]));
}

// The register shape: about 12 own members a set and chains of up to 7 sets.
TEST(DictionaryGenerator, RegisterShapeHasLongChainsAndLargerSets) {
    TempDir dir;
    const auto generated =
        generateDictionary(dir.path(), GeneratorOptions{3000, 1, Shape::Register});
    Dictionary dictionary;
    Palimo::MetaMetadata::Loading::XSDDictionaryLoader loader;
    loader.load(PalimoTest::W(generated.topFile.string().c_str()).c_str(), dictionary);
    EXPECT_EQ(generated.setCount, 250u);
    std::size_t longest = 0;
    for (const auto* set : dictionary.metaMetadataSets())
        longest = std::max(longest, set->attributes().size());
    // Two inherited identifiers and about 12 members on each of 7 levels at most.
    EXPECT_GT(longest, 40u);
    EXPECT_LT(longest, 7u * 30u);
    const std::string text = contents(generated.topFile);
    EXPECT_EQ(text.find("xs:include"), std::string::npos);
}

TEST(DictionaryGenerator, RefusesTooSmallADictionary) {
    TempDir dir;
    EXPECT_THROW(generateDictionary(dir.path(), GeneratorOptions{15, 1}), std::invalid_argument);
}

} // namespace
