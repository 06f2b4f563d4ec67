#pragma once
// The hand-built type dictionary of the reader tests, read from
// data/mxf/typed-fixture.types (its first lines say how), and the dictionary
// of data/mxf/typed-fixture.xsd whose elements it gives types.
#include "support/TestSupport.h"

#include <MetaMetadata/Loading/XSDDictionaryLoader.h>
#include <Palimo/MetaMetadata/Dictionary.h>
#include <Palimo/TypeDefinitions/TypeDictionary.h>

#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace MxfTest {

namespace detail {

using Palimo::Identifiers::Label;
using Palimo::TypeDefinitions::TypeDefinition;

inline Label label(const std::string& text) {
    const auto parsed = Label::parse(text.size() == 23 ? "06.0e.2b.34.01.04.01.01." + text : text);
    if (!parsed)
        throw std::runtime_error("typed-fixture.types: no label: " + text);
    return *parsed;
}

inline std::unique_ptr<Palimo::TypeDefinitions::TypeDictionary> buildTypes() {
    auto types = std::make_unique<Palimo::TypeDefinitions::TypeDictionary>();
    std::ifstream in(PalimoTest::dataDir() / "mxf" / "typed-fixture.types");
    if (!in)
        throw std::runtime_error("typed-fixture.types is missing");
    std::vector<std::vector<std::string>> lines;
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::vector<std::string> fields;
        for (std::string word; words >> word;)
            fields.push_back(word);
        if (!fields.empty() && fields[0][0] != '#')
            lines.push_back(fields);
    }
    // Types first, so that every type named has its place.
    std::map<std::string, std::string> elementOf;
    std::map<std::string, TypeDefinition*> bySymbol;
    for (const auto& f : lines) {
        if (f[0] != "type")
            continue;
        TypeDefinition type;
        type.symbol = f[1];
        type.label = label(f[2]);
        type.kind = *Palimo::TypeDefinitions::typeKindFromName(f[3]);
        type.namespaceURI = "http://www.smpte-ra.org/reg/2003/2012";
        for (std::size_t i = 4; i < f.size(); ++i) {
            const std::string key = f[i].substr(0, f[i].find('='));
            const std::string value = f[i].substr(key.size() + (key.size() < f[i].size()));
            if (key == "size")
                type.size = std::stoul(value);
            else if (key == "signed")
                type.isSigned = true;
            else if (key == "count")
                type.count = std::stoul(value);
            else if (key == "target")
                type.target = label(value);
            else if (key == "of")
                elementOf[type.symbol] = value;
        }
        bySymbol[type.symbol] = &types->addType(type);
    }
    const auto find = [&](const std::string& symbol) -> TypeDefinition& {
        const auto found = bySymbol.find(symbol);
        if (found == bySymbol.end())
            throw std::runtime_error("typed-fixture.types: no type " + symbol);
        return *found->second;
    };
    for (const auto& [symbol, element] : elementOf)
        find(symbol).element = &find(element);
    for (const auto& f : lines) {
        if (f[0] == "member") {
            find(f[1]).members.push_back({f[2], &find(f[3])});
        } else if (f[0] == "value") {
            Palimo::TypeDefinitions::EnumerationValue value;
            value.symbol = value.name = f[2];
            if (f[3].size() == 47)
                value.label = label(f[3]);
            else
                value.value = std::stoll(f[3]);
            find(f[1]).values.push_back(value);
        } else if (f[0] == "element") {
            types->linkElement(label(f[1]), find(f[2]));
        } else if (f[0] == "identifier") {
            types->setUniqueIdentifier(label(f[1]), label(f[2]));
        } else if (f[0] == "label") {
            types->addLabelName({label(f[1]), f[2], f[2]});
        }
    }
    return types;
}

} // namespace detail

inline const Palimo::TypeDefinitions::TypeDictionary& fixtureTypes() {
    static const auto types = detail::buildTypes();
    return *types;
}

inline const Palimo::TypeDefinitions::TypeDefinition& fixtureType(const std::string& symbol) {
    const auto* type = fixtureTypes().findType(symbol);
    if (!type)
        throw std::runtime_error("no fixture type " + symbol);
    return *type;
}

/// The sets Thing (one item of every kind), Package and Definition.
inline const Palimo::MetaMetadata::Dictionary& typedFixtureDictionary() {
    static const auto dictionary = [] {
        auto loaded = std::make_unique<Palimo::MetaMetadata::Dictionary>();
        const auto path = PalimoTest::dataDir() / "mxf" / "typed-fixture.xsd";
        Palimo::MetaMetadata::Loading::XSDDictionaryLoader().load(
            PalimoTest::W(path.string().c_str()).c_str(), *loaded);
        return loaded;
    }();
    return *dictionary;
}

} // namespace MxfTest
