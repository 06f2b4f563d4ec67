#pragma once
// The dictionaries the reader tests decode with, each loaded once: the
// example dictionary and the two-set fixture of fixture.xsd.
#include "support/TestSupport.h"

#include <MetaMetadata/Loading/XSDDictionaryLoader.h>
#include <Palimo/MetaMetadata/Dictionary.h>

#include <filesystem>
#include <memory>

namespace MxfTest {

inline std::unique_ptr<Palimo::MetaMetadata::Dictionary> load(const std::filesystem::path& path) {
    auto dictionary = std::make_unique<Palimo::MetaMetadata::Dictionary>();
    Palimo::MetaMetadata::Loading::XSDDictionaryLoader loader;
    loader.load(PalimoTest::W(path.string().c_str()).c_str(), *dictionary);
    return dictionary;
}

inline const Palimo::MetaMetadata::Dictionary& example() {
    static const auto dictionary = load(PalimoTest::dataDir() / ".." / ".." / "examples" /
                                        "mxf-dictionary" / "MXFDictionary.xsd");
    return *dictionary;
}

inline const Palimo::MetaMetadata::Dictionary& fixture() {
    static const auto dictionary = load(PalimoTest::dataDir() / ".." / "mxf" / "fixture.xsd");
    return *dictionary;
}

} // namespace MxfTest
