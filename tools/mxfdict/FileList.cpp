#include "FileList.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>

namespace Mxfdict {

namespace {

bool readLines(std::istream& in, std::vector<std::string>& files) {
    for (std::string line; std::getline(in, line);)
        if (!line.empty())
            files.push_back(line);
    return !in.bad();
}

} // namespace

FileList gatherFiles(const std::vector<std::string>& arguments, const std::string& list) {
    FileList result;
    result.files = arguments;
    if (!list.empty()) {
        bool read = false;
        if (list == "-") {
            read = readLines(std::cin, result.files);
        } else if (std::filesystem::is_directory(list)) {
            errno = EISDIR;
        } else if (std::ifstream in(list); in) {
            read = readLines(in, result.files);
        }
        if (!read) {
            result.error = "cannot read the list of files " + list + ": " + std::strerror(errno);
            return result;
        }
    }
    std::size_t standardInput = list == "-" ? 1 : 0;
    for (const std::string& file : result.files)
        standardInput += file == "-" ? 1 : 0;
    if (standardInput > 1)
        result.error = "standard input (-) can be read once only: as one FILE, or as the list "
                       "of --files-from";
    return result;
}

DocumentPaths documentPaths(const std::vector<std::string>& files, const std::string& dir) {
    DocumentPaths result;
    std::map<std::string, std::string> taken; // document name -> file
    for (const std::string& file : files) {
        std::filesystem::path base = std::filesystem::path(file).filename();
        if (base.empty()) // "dir/"
            base = std::filesystem::path(file).parent_path().filename();
        const std::string name = file == "-" ? std::string("standard-input.xml")
                                             : base.replace_extension(".xml").string();
        const auto [at, added] = taken.emplace(name, file);
        if (!added) {
            result.error = "the RegXML documents of " + at->second + " and " + file +
                           " would both be " + name + " in " + dir;
            return result;
        }
        result.paths.push_back((std::filesystem::path(dir) / name).string());
    }
    return result;
}

} // namespace Mxfdict
