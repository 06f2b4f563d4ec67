#pragma once
// The form of docs/type-definitions.md, checked on a written schema set: what
// a reader of the type definitions may rely on, read from the files as a
// reader would, independently of the writer.
#include <filesystem>
#include <string>
#include <vector>

namespace PalimoTest {

struct TypeDefinitionCounts {
    std::size_t types = 0;
    std::size_t labelNames = 0;
    std::size_t typedElements = 0;     // element declarations with a "Type Definition"
    std::size_t untypedElements = 0;   // element declarations without one
    std::size_t uniqueIdentifiers = 0; // set members with "Unique Identifier"
};

/// The breaches of the form in the schema set in `directory`, one line each
/// (none when it keeps the form): every top-level simple or complex type of
/// MXFTypeDefinitions.xsd with a "Type Kind" has its facts, the XML Schema
/// form of its kind and names only defined types; "Label Names" lines are a
/// urn and a symbol; every "Type Definition" of the other files names a
/// defined type; "Unique Identifier" is "true". `counts` receives what was
/// found.
std::vector<std::string> typeDefinitionBreaches(const std::filesystem::path& directory,
                                                TypeDefinitionCounts& counts);

} // namespace PalimoTest
