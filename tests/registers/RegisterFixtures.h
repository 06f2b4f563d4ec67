#pragma once
// The hand-written register excerpts of tests/data/registers, the golden
// files of their import, and copies of them that a test may change.
#include "support/TestSupport.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace PalimoTest {

inline std::filesystem::path smallRegisters() {
    return dataDir() / "registers" / "small";
}

inline std::filesystem::path smallImportGolden() {
    return dataDir() / "registers" / "small-import";
}

inline std::string readText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

/// `text` with every `from` replaced by `to` (an output directory by "OUT").
inline std::string replaceAll(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size())
        text.replace(at, from.size(), to);
    return text;
}

/// Copies the small registers into `dir`/registers and returns that directory.
inline std::filesystem::path copySmallRegisters(const TempDir& dir) {
    const std::filesystem::path target = dir.path() / "registers";
    std::filesystem::create_directories(target);
    for (const char* file : {"Elements.xml", "Groups.xml", "Types.xml", "Labels.xml"})
        std::filesystem::copy_file(smallRegisters() / file, target / file);
    return target;
}

/// Replaces the first `from` in the file with `to`; fails the test when the
/// file does not hold `from`.
inline void replaceFirst(const std::filesystem::path& file, const std::string& from,
                         const std::string& to) {
    std::string text = readText(file);
    const std::size_t at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from << " in " << file;
    text.replace(at, from.size(), to);
    std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
}

/// Takes from the imported schema set in `directory` everything that the
/// loader is not to read: the import of MXFTypeDefinitions.xsd (and the
/// file), and the "Type Definition" and "Unique Identifier" appinfo lines.
inline void removeTypeDefinitions(const std::filesystem::path& directory) {
    for (const char* file : {"MXFDictionary.xsd", "MXFElements.xsd", "MXFSets.xsd"}) {
        std::istringstream in(readText(directory / file));
        std::string kept;
        for (std::string line; std::getline(in, line);)
            if (line.find("<xs:import ") == std::string::npos &&
                line.find("source=\"Type Definition\"") == std::string::npos &&
                line.find("source=\"Unique Identifier\"") == std::string::npos)
                kept += line + '\n';
        std::ofstream(directory / file, std::ios::binary | std::ios::trunc) << kept;
    }
    std::filesystem::remove(directory / "MXFTypeDefinitions.xsd");
}

} // namespace PalimoTest
