// The benchmark dictionaries must load completely and have the shape they
// promise, or the benchmarks measure a load that stopped early or another
// dictionary than the one they name.
#include "DictionaryGenerator.h"

#include "support/Describe.h"
#include "support/TestSupport.h"

#include <MetaMetadata/Loading/XSDDictionaryLoader.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>
#include <stdexcept>

namespace {

using namespace Palimo::MetaMetadata;
using Palimo::Bench::generateDictionary;
using Palimo::Bench::GeneratorOptions;
using PalimoTest::TempDir;
using Shape = GeneratorOptions::Shape;
using Layout = GeneratorOptions::Layout;

std::string contents(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(DictionaryGenerator, GeneratedDictionariesLoadCompletely) {
    const struct {
        std::size_t elements;
        std::uint32_t seed;
        Shape shape;
        std::size_t sets; // 0: not checked
    } cases[] = {{16, 1, Shape::Benchmark, 0},
                 {200, 1, Shape::Benchmark, 0},
                 {200, 7, Shape::Benchmark, 0},
                 {16, 1, Shape::Register, 0},
                 {3000, 1, Shape::Register, 250}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.elements) + " elements, seed " + std::to_string(c.seed) +
                     (c.shape == Shape::Register ? ", register shape" : ""));
        TempDir dir;
        const auto generated =
            generateDictionary(dir.path(), GeneratorOptions{c.elements, c.seed, c.shape});
        EXPECT_EQ(generated.files.size(), c.shape == Shape::Register ? 1u : 5u);
        EXPECT_EQ(generated.elementCount, c.elements);
        if (c.sets) {
            EXPECT_EQ(generated.setCount, c.sets);
        }
        Dictionary dictionary;
        Loading::XSDDictionaryLoader loader;
        loader.load(PalimoTest::W(generated.topFile.string().c_str()).c_str(), dictionary);
        EXPECT_EQ(dictionary.metaElementCount(), generated.elementCount);
        EXPECT_EQ(dictionary.metaMetadataSetCount(), generated.setCount);
        // Every set inherits the root's two identifiers first: each base chain
        // resolved up to the root.
        std::size_t longest = 0;
        for (const auto* set : dictionary.metaMetadataSets()) {
            ASSERT_GE(set->attributes().size(), 2u);
            EXPECT_EQ(&set->attributes()[0]->metaElement(), dictionary.metaElements()[0]);
            longest = std::max(longest, set->attributes().size());
        }
        // The register shape: about 12 own members on each of up to 7 levels.
        if (c.sets && c.shape == Shape::Register) {
            EXPECT_GT(longest, 40u);
            EXPECT_LT(longest, 7u * 30u);
        }
        // Every reference names sets that have keys, directly or through a group.
        std::size_t references = 0;
        for (const auto* element : dictionary.metaElements()) {
            const auto* r = dynamic_cast<const MetaReferenceElement*>(element);
            const auto* rc = dynamic_cast<const MetaReferenceCollection*>(element);
            if (r || rc) {
                EXPECT_FALSE((r ? r->targetKeys() : rc->targetKeys()).empty());
                ++references;
            }
        }
        EXPECT_EQ(references, generated.referenceElementCount);
    }
}

// Every shape loads to the same dictionary from one file as from several,
// so that the two layouts measure the same load, and keeps what it promises.
TEST(DictionaryGenerator, EveryShapeLoadsAlikeFromOneFileAndSplit) {
    const struct {
        Shape shape;
        std::size_t sets;
        std::size_t namespaces;
    } cases[] = {{Shape::Benchmark, 50, 2},   {Shape::Register, 33, 1},
                 {Shape::AppinfoRich, 50, 2}, {Shape::Defaults, 50, 2},
                 {Shape::Namespaces, 50, 14}, {Shape::SetHeavy, 100, 2},
                 {Shape::Combined, 100, 14}};
    for (const auto& c : cases) {
        SCOPED_TRACE(Palimo::Bench::shapeName(c.shape));
        std::string described[2];
        for (const Layout layout : {Layout::OneFile, Layout::Split}) {
            TempDir dir;
            const auto generated =
                generateDictionary(dir.path(), GeneratorOptions{400, 1, c.shape, layout});
            EXPECT_EQ(generated.files.size(), layout == Layout::OneFile ? 1u : 3u + c.namespaces);
            EXPECT_EQ(generated.setCount, c.sets);
            EXPECT_EQ(generated.namespaceCount, c.namespaces);
            Dictionary dictionary;
            Loading::XSDDictionaryLoader loader;
            loader.loadMetaElementDocumentation(true);
            loader.loadMetaElementLengthDescription(true);
            loader.load(PalimoTest::W(generated.topFile.string().c_str()).c_str(), dictionary);
            ASSERT_EQ(dictionary.metaMetadataSetCount(), generated.setCount);
            std::size_t members = 0, defaults = 0;
            std::set<Palimo::Types::Identifier> defaultTypes;
            std::set<Palimo::WString> prefixes;
            for (const auto* set : dictionary.metaMetadataSets()) {
                prefixes.insert(set->getProperty(u"XMLDefaultPrefix"));
                members += set->attributes().size();
                for (const auto& attribute : set->attributes()) {
                    if (const auto* value = attribute->defaultValue()) {
                        ++defaults;
                        defaultTypes.insert(value->identifier());
                    }
                }
            }
            EXPECT_EQ(prefixes.size(), c.namespaces);
            if (c.shape == Shape::Defaults || c.shape == Shape::Combined) {
                EXPECT_GT(defaults * 10, members * 6);
                EXPECT_GE(defaultTypes.size(), 21u); // 19 simple types, arrays and batches
            }
            if (c.shape == Shape::SetHeavy || c.shape == Shape::Combined) {
                EXPECT_GT(generated.memberCount, 11 * (generated.setCount - 1));
            }
            for (const auto* element : dictionary.metaElements()) {
                const bool rich = c.shape == Shape::AppinfoRich || c.shape == Shape::Combined;
                EXPECT_EQ(!element->getProperty(u"LengthDescription").empty(), rich);
            }
            described[layout == Layout::Split] = PalimoTest::describe(dictionary);
        }
        EXPECT_EQ(described[0], described[1]);
    }
}

TEST(DictionaryGenerator, SameOptionsGiveSameFilesSeedsDifferAndTooFewElementsAreRefused) {
    TempDir first, second, other;
    const auto a = generateDictionary(first.path(), GeneratorOptions{200, 3});
    const auto b = generateDictionary(second.path(), GeneratorOptions{200, 3});
    const auto c = generateDictionary(other.path(), GeneratorOptions{200, 4});
    ASSERT_EQ(a.files.size(), b.files.size());
    for (std::size_t i = 0; i < a.files.size(); ++i)
        EXPECT_EQ(contents(a.files[i]), contents(b.files[i])) << a.files[i].filename();
    EXPECT_NE(contents(a.files[2]), contents(c.files[2]));
    EXPECT_THROW(generateDictionary(other.path(), GeneratorOptions{15, 1}), std::invalid_argument);
}

} // namespace
