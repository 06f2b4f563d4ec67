#pragma once
// The shipped example dictionary with its type definitions, loaded once per
// test program.
#include "support/TestSupport.h"

#include <Palimo/MetaMetadata/Dictionary.h>
#include <Palimo/TypeDefinitions/SchemaLoading.h>
#include <Palimo/TypeDefinitions/TypeDictionary.h>

#include <filesystem>
#include <memory>

namespace MxfTest {

struct LoadedExample {
    Palimo::MetaMetadata::Dictionary dictionary;
    Palimo::TypeDefinitions::TypeDictionary types;
};

inline std::filesystem::path exampleTop() {
    return (PalimoTest::dataDir() / ".." / ".." / "examples" / "mxf-dictionary" /
            "MXFDictionary.xsd")
        .lexically_normal();
}

inline const LoadedExample& example() {
    static const auto loaded = [] {
        auto example = std::make_unique<LoadedExample>();
        Palimo::TypeDefinitions::loadDictionary(exampleTop().string(), {}, example->dictionary,
                                                example->types);
        return example;
    }();
    return *loaded;
}

} // namespace MxfTest
