// Every refused schema of the load failure catalogue (tests/data/failures): the
// load fails with the message the case gives, and the place of the failure is
// the declaration or the directive naming a file that its "where:" gives
// (file, line and what is there); a mistake of no one declaration has no
// place, and its message names the file itself. Where "finding:" is given, the
// findings of the failed load list the mistake.
#include "support/TestSupport.h"

#include <Palimo/Check/FailureLocation.h>
#include <Palimo/Check/Findings.h>
#include <Palimo/TypeDefinitions/SchemaLoading.h>

#include <gmock/gmock.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace PalimoTest {
namespace {

namespace fs = std::filesystem;

const fs::path& catalogue() {
    static const fs::path dir = dataDir() / "failures";
    return dir;
}

std::string replaceAll(std::string text, const std::string& from, const std::string& to) {
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// A header value as written, or in double quotes with \n, \t, \0, \\ and \".
std::string value(const std::string& text) {
    if (text.size() < 2 || text.front() != '"' || text.back() != '"')
        return text;
    static const std::map<char, char> escapes{{'n', '\n'}, {'t', '\t'}, {'0', '\0'}};
    std::string result;
    for (std::size_t i = 1; i + 1 < text.size(); ++i) {
        char c = text[i];
        if (c == '\\' && i + 2 < text.size()) {
            c = text[++i];
            c = escapes.count(c) ? escapes.at(c) : c;
        }
        result += c;
    }
    return result;
}

struct Case {
    fs::path top;
    std::map<std::string, std::string> header; // "key: value" lines, as written
};

void PrintTo(const Case& c, std::ostream* out) {
    *out << c.top;
}

// The header: NAME.expect when there is one, else the top file's first comment.
std::map<std::string, std::string> readHeader(const fs::path& sidecar, const fs::path& top) {
    std::string text = readFile(fs::exists(sidecar) ? sidecar : top);
    if (!fs::exists(sidecar)) {
        const auto start = text.find("<!--");
        const auto end = text.find("-->", start);
        text = start == std::string::npos || end == std::string::npos
                   ? std::string()
                   : text.substr(start + 4, end - start - 4);
    }
    std::map<std::string, std::string> header;
    static const std::regex line(R"(\s*(\w+):\s*(.*?)\s*)");
    std::istringstream lines(text);
    std::smatch m;
    for (std::string entry; std::getline(lines, entry);)
        if (std::regex_match(entry, m, line))
            header.emplace(m[1], m[2]);
    return header;
}

// The cases whose load fails.
std::vector<Case> refusedCases() {
    std::vector<Case> cases;
    for (const auto& entry : fs::directory_iterator(catalogue())) {
        const fs::path& p = entry.path();
        if (!entry.is_directory() && p.extension() != ".xsd")
            continue;
        const fs::path top = entry.is_directory() ? p / "main.xsd" : p;
        Case c{top, readHeader(catalogue() / (p.stem().string() + ".expect"), top)};
        if (c.header["expect"] != "none")
            cases.push_back(std::move(c));
    }
    std::sort(cases.begin(), cases.end(),
              [](const Case& a, const Case& b) { return a.top < b.top; });
    return cases;
}

// Whether `text` starts with the case's message, exact or as its pattern
// (patterns stand for one line), followed by a line break.
::testing::AssertionResult startsWithMessage(const std::string& text, const Case& c,
                                             const std::string& dir) {
    if (c.header.count("message")) {
        const std::string message = replaceAll(value(c.header.at("message")), "{dir}", dir);
        if (text.compare(0, message.size() + 1, message + "\n") == 0)
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "no message \"" << message << "\" in:\n" << text;
    }
    static const std::regex special(R"([.^$|()\[\]{}*+?\\])");
    const std::string pattern = replaceAll(value(c.header.at("pattern")), "{dir}",
                                           std::regex_replace(dir, special, R"(\$&)"));
    const std::string line = text.substr(0, text.find('\n'));
    if (std::regex_match(line, std::regex(pattern)))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "\"" << line << "\" does not match " << pattern;
}

void expectPlaced(const Case& c, const Palimo::Exceptions::BaseException& failure) {
    const std::string dir = c.top.parent_path().string();
    EXPECT_TRUE(startsWithMessage(std::string(failure.what()) + "\n", c, dir));
    const std::optional<Palimo::Check::FailurePlace> found =
        Palimo::Check::locateLoadFailure(c.top.string(), failure);

    const auto where = c.header.find("where");
    if (where == c.header.end()) {
        // A mistake of no one declaration: the loader's message names the file.
        const std::string said =
            c.header.count("message") ? c.header.at("message") : c.header.at("pattern");
        EXPECT_TRUE(said.find("{dir}/") != std::string::npos)
            << "no \"where:\" and a message that names no file of the case: " << said;
        EXPECT_FALSE(found) << found->file << ":" << found->line << " " << found->subject;
        return;
    }
    // "FILE:LINE SUBJECT"
    const std::string place = where->second.substr(0, where->second.find(' '));
    const std::string subject = where->second.substr(place.size() + 1);
    ASSERT_TRUE(found) << "no place for " << where->second;
    EXPECT_EQ(found->file + ":" + std::to_string(found->line), dir + "/" + place);
    EXPECT_EQ(found->subject, subject);

    const auto findings = Palimo::Check::findingsOfFailedLoad(c.top.string(), failure);
    const auto finding = c.header.find("finding");
    if (finding == c.header.end()) {
        EXPECT_TRUE(!findings || findings->empty());
        return;
    }
    ASSERT_TRUE(findings && !findings->empty());
    const auto at = [&](const Palimo::Check::Finding& f) {
        return f.file + ":" + std::to_string(f.line) == dir + "/" + place;
    };
    const auto ofKind = [&](const Palimo::Check::Finding& f) {
        return f.kind == finding->second;
    };
    EXPECT_TRUE(std::any_of(findings->begin(), findings->end(), at));
    EXPECT_TRUE(std::any_of(findings->begin(), findings->end(), ofKind));
}

class FailureLocations : public ::testing::TestWithParam<Case> {};

TEST_P(FailureLocations, AreFoundWithFileAndLine) {
    // Loaded as the tool loads.
    try {
        Palimo::MetaMetadata::Dictionary dictionary;
        Palimo::TypeDefinitions::TypeDictionary types;
        Palimo::TypeDefinitions::loadDictionary(GetParam().top.string(), {}, dictionary, types);
    } catch (const Palimo::Exceptions::BaseException& e) {
        expectPlaced(GetParam(), e);
        return;
    }
    ADD_FAILURE() << "the load succeeds";
}

INSTANTIATE_TEST_SUITE_P(Catalogue, FailureLocations, ::testing::ValuesIn(refusedCases()),
                         [](const auto& info) {
                             return std::regex_replace(
                                 info.param.top.parent_path() == catalogue()
                                     ? info.param.top.stem().string()
                                     : info.param.top.parent_path().filename().string(),
                                 std::regex("[^A-Za-z0-9]"), "_");
                         });

} // namespace
} // namespace PalimoTest
