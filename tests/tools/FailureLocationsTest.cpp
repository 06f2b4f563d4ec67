// Every refused schema of the load failure catalogue (tests/data/failures), as
// mxfdict reports it: a mistake in a declaration, or in a directive naming a
// file, with the file and line its "where:" gives and the loader's message
// unchanged; any other mistake with a message that names its file itself.
// Where "finding:" is given, check lists the mistake instead of failing.
#include "support/TestSupport.h"

#include "ToolRun.h"

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

class FailureLocations : public ::testing::TestWithParam<Case> {};

TEST_P(FailureLocations, AreReportedWithFileAndLine) {
    const Case& c = GetParam();
    const std::string dir = c.top.parent_path().string();
    const ToolRun show = mxfdict({"show", c.top.string()});
    EXPECT_EQ(show.status, 1) << show.err;

    const auto where = c.header.find("where");
    if (where == c.header.end()) {
        // A mistake of no one declaration: the loader's message names the file.
        const std::string said =
            c.header.count("message") ? c.header.at("message") : c.header.at("pattern");
        EXPECT_TRUE(said.find("{dir}/") != std::string::npos)
            << "no \"where:\" and a message that names no file of the case: " << said;
        EXPECT_TRUE(show.err.rfind("mxfdict: cannot load " + c.top.string() + ": ", 0) == 0)
            << show.err;
        return;
    }
    // "FILE:LINE SUBJECT" -> "DIR/FILE:LINE: SUBJECT: MESSAGE".
    const std::string place = where->second.substr(0, where->second.find(' '));
    const std::string subject = where->second.substr(place.size() + 1);
    const std::string prefix = dir + "/" + place + ": " + subject + ": ";
    ASSERT_EQ(show.err.compare(0, prefix.size(), prefix), 0) << "want " << prefix << "\n"
                                                             << show.err;
    EXPECT_TRUE(startsWithMessage(show.err.substr(prefix.size()), c, dir));

    const ToolRun check = mxfdict({"check", c.top.string()});
    const auto finding = c.header.find("finding");
    if (finding == c.header.end()) {
        EXPECT_EQ(check.status, 1);
        EXPECT_EQ(check.err.compare(0, prefix.size(), prefix), 0) << check.err;
        return;
    }
    EXPECT_EQ(check.status, 4) << check.err;
    EXPECT_THAT(check.out, ::testing::HasSubstr(dir + "/" + place + ": "));
    EXPECT_THAT(check.out, ::testing::HasSubstr("[" + finding->second + "]\n"));
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
