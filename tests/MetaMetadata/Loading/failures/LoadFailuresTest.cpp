// The load failure catalogue: every case under tests/data/failures is loaded
// into a fresh dictionary and must end as its header says (see the README
// there): the exception class and its exact message or a pattern, and exactly
// the elements and sets, in order, that were added before the failure.
#include "MetaMetadata/Loading/XSDDictionaryLoader.h"
#include "support/TestSupport.h"

#include <Palimo/Exceptions/CoreExceptions.h>

#include <gmock/gmock.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <iterator>
#include <map>
#include <optional>
#include <regex>
#include <sstream>
#include <stdexcept>
#include <string>
#include <typeinfo>
#include <vector>

namespace PalimoTest {
namespace {

namespace fs = std::filesystem;
using Palimo::Exceptions::BaseException;
using Palimo::MetaMetadata::Dictionary;
using Palimo::MetaMetadata::PropertyMap;
using Palimo::MetaMetadata::Loading::XSDDictionaryLoader;

using Load = std::function<void()>;
using Exactly = ::testing::AssertionResult (*)(const Load&, const std::string&);

template <class E>
std::pair<const std::type_info*, Exactly> exceptionClass() {
    return {&typeid(E), [](const Load& load, const std::string& message) {
                return throwsExactly<E>(load, message);
            }};
}

const std::map<std::string, std::pair<const std::type_info*, Exactly>> kClasses = {
    {"ParseError", exceptionClass<Palimo::Exceptions::ParseError>()},
    {"InvalidULDesignator", exceptionClass<Palimo::Exceptions::InvalidULDesignator>()},
    {"InvalidMetaElementDeclaration",
     exceptionClass<Palimo::Exceptions::InvalidMetaElementDeclaration>()},
    {"InvalidStringRepresentation",
     exceptionClass<Palimo::Exceptions::InvalidStringRepresentation>()},
};

[[noreturn]] void malformed(const std::string& why) {
    throw std::runtime_error("malformed header: " + why);
}

// A value as written, or in double quotes with \n, \t, \0, \\ and \".
std::string value(const std::string& text) {
    if (text.empty() || text[0] != '"')
        return text;
    static const std::regex quoted(R"("((?:[^"\\]|\\[nt0\\"])*)\")");
    std::smatch m;
    if (!std::regex_match(text, m, quoted))
        malformed("bad quoted text " + text);
    static const std::map<char, char> escapes{{'n', '\n'}, {'t', '\t'}, {'0', '\0'}};
    std::string result;
    for (auto c = m[1].first; c != m[1].second; ++c)
        result += *c != '\\' ? *c : escapes.count(c[1]) ? escapes.at(*++c) : *++c;
    return result;
}

std::vector<std::string> words(const std::string& text) {
    std::istringstream in(text);
    return {std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
}

// What a case's header asks of its load: "key: value" lines.
struct Expectation {
    std::map<std::string, std::string> fields;

    explicit Expectation(const std::string& header) {
        static const std::regex line(R"(\s*(\w+):\s*(.*?)\s*)");
        std::istringstream lines(header);
        std::smatch m;
        for (std::string text; std::getline(lines, text);) {
            if (text.find_first_not_of(" \t\r") == std::string::npos)
                continue;
            if (!std::regex_match(text, m, line))
                malformed("no \"key: value\" in \"" + text + "\"");
            if (!std::regex_match(m[1].str(),
                                  std::regex("expect|message|pattern|elements|sets|switches|"
                                             "default|secret|where|finding")))
                malformed("unknown key \"" + m[1].str() + "\"");
            if (!fields.emplace(m[1], m[2]).second)
                malformed("\"" + m[1].str() + "\" given twice");
        }
        if (!has("expect") || (get("expect") != "none" && !kClasses.count(get("expect"))))
            malformed("no known class in \"expect:\"");
        if (has("message") + has("pattern") != (get("expect") != "none"))
            malformed("a failure needs one of \"message:\" or \"pattern:\", a success neither");
        for (const auto& s : words(get("switches")))
            if (s != "documentation" && s != "length")
                malformed("unknown switch \"" + s + "\"");
    }
    bool has(const char* key) const { return fields.count(key) != 0; }
    std::string get(const char* key) const { return has(key) ? fields.at(key) : ""; }
    bool switched(const std::string& s) const {
        const auto all = words(get("switches"));
        return std::find(all.begin(), all.end(), s) != all.end();
    }
};

// The header: the sidecar NAME.expect when there is one, else the first
// comment of the top file.
Expectation readHeader(const fs::path& sidecar, const fs::path& top) {
    if (fs::exists(sidecar))
        return Expectation(readFile(sidecar));
    const std::string text = readFile(top);
    const auto start = text.find("<!--");
    const auto end = text.find("-->", start);
    if (start == std::string::npos || end == std::string::npos)
        malformed("no header comment in " + top.string() + " and no " + sidecar.string());
    return Expectation(text.substr(start + 4, end - start - 4));
}

template <class Map>
std::vector<std::string> names(const std::vector<Map>& maps) {
    std::vector<std::string> result;
    for (const auto* map : maps)
        result.push_back(N(map->getProperty(W("XMLTagName"))));
    return result;
}

std::string replaceAll(std::string text, const std::string& from, const std::string& to) {
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// Loads `top` with a fresh loader and checks everything `e` asks for.
void expectOutcome(const fs::path& top, const Expectation& e, Dictionary& dictionary) {
    XSDDictionaryLoader loader;
    loader.loadMetaElementDocumentation(e.switched("documentation"));
    loader.loadMetaElementLengthDescription(e.switched("length"));
    const Load load = [&] {
        loader.load(W(top.string().c_str()).c_str(), dictionary);
    };
    const std::string dir = top.parent_path().string();
    std::string message = replaceAll(value(e.get("message")), "{dir}", dir);
    const auto thrown = kClasses.find(e.get("expect"));
    if (e.has("message")) {
        EXPECT_TRUE(thrown->second.second(load, message));
    } else {
        try {
            load();
            EXPECT_EQ(thrown, kClasses.end()) << "loaded, expected " << e.get("expect");
        } catch (const BaseException& x) {
            message = N(x.message());
            ASSERT_NE(thrown, kClasses.end()) << "threw " << typeid(x).name() << ": " << message;
            EXPECT_EQ(*thrown->second.first, typeid(x)) << "threw " << typeid(x).name();
            static const std::regex special(R"([.^$|()\[\]{}*+?\\])");
            EXPECT_THAT(message, ::testing::MatchesRegex(
                                     replaceAll(value(e.get("pattern")), "{dir}",
                                                std::regex_replace(dir, special, R"(\$&)"))));
        }
    }
    const auto sets = dictionary.metaMetadataSets();
    EXPECT_EQ(words(e.get("elements")), names(dictionary.metaElements()));
    EXPECT_EQ(words(e.get("sets")), names(sets));

    // The default value of the one member of the last set.
    if (e.has("default")) {
        ASSERT_FALSE(sets.empty());
        ASSERT_EQ(1u, sets.back()->attributes().size());
        const auto* got = sets.back()->attributes()[0]->defaultValue();
        const std::string want = e.get("default");
        EXPECT_EQ(want == "none" ? std::nullopt : std::optional(value(want)),
                  got ? std::optional(got->text()) : std::nullopt);
    }

    if (const std::string secret = value(e.get("secret")); !secret.empty()) {
        EXPECT_THAT(message, ::testing::Not(::testing::HasSubstr(secret)));
        std::vector<const PropertyMap*> all(dictionary.metaElements().begin(),
                                            dictionary.metaElements().end());
        for (const auto* set : sets) {
            all.push_back(set);
            for (const auto& member : set->attributes())
                all.push_back(member.get());
        }
        for (const auto* map : all)
            for (const auto& entry : map->properties())
                EXPECT_THAT(N(entry.second), ::testing::Not(::testing::HasSubstr(secret)))
                    << N(map->getProperty(W("XMLTagName")));
    }
}

const fs::path& catalogue() {
    static const fs::path dir = dataDir() / "failures";
    return dir;
}

// Every case of the catalogue: NAME.xsd, NAME/ (with main.xsd) or NAME.expect.
std::vector<std::string> caseNames() {
    std::vector<std::string> result;
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(catalogue(), ignored)) {
        const fs::path& p = entry.path();
        if (entry.is_directory() || p.extension() == ".xsd" || p.extension() == ".expect")
            result.push_back(entry.is_directory() ? p.filename().string() : p.stem().string());
    }
    std::sort(result.begin(), result.end());
    result.erase(std::unique(result.begin(), result.end()), result.end());
    return result;
}

class LoadFailures : public ::testing::TestWithParam<std::string> {};

TEST_P(LoadFailures, EndAsTheirHeaderSays) {
    const std::string& name = GetParam();
    const fs::path folder = catalogue() / name;
    const fs::path file = catalogue() / (name + ".xsd");
    ASSERT_FALSE(fs::exists(folder) && fs::exists(file)) << "both " << file << " and " << folder;
    const fs::path top = fs::is_directory(folder) ? folder / "main.xsd" : file;
    ASSERT_TRUE(fs::is_regular_file(top)) << "no " << top;
    SCOPED_TRACE(top.string());
    try {
        Dictionary dictionary;
        expectOutcome(top, readHeader(catalogue() / (name + ".expect"), top), dictionary);
    } catch (const std::runtime_error& x) {
        FAIL() << x.what();
    }
}

INSTANTIATE_TEST_SUITE_P(Catalogue, LoadFailures, ::testing::ValuesIn(caseNames()),
                         [](const auto& info) {
                             return std::regex_replace(info.param, std::regex("[^A-Za-z0-9]"), "_");
                         });

// Without this a catalogue that is not found would pass as no cases at all.
TEST(LoadFailuresCatalogue, IsFound) {
    EXPECT_FALSE(caseNames().empty()) << catalogue();
}

// `text` with its first `from` replaced by `to`.
std::string replaced(std::string text, const std::string& from, const std::string& to) {
    const auto at = text.find(from);
    if (at == std::string::npos)
        throw std::runtime_error("the source case no longer holds \"" + from.substr(0, 60) + "\"");
    return text.replace(at, from.size(), to);
}

std::string nested(int levels) {
    std::string open, close;
    for (int i = 0; i < levels; ++i)
        open += "<a>", close += "</a>";
    return open + close;
}

const std::size_t kFiftyMegabytes = 50u << 20;

// A case made at run time from a catalogue case (a folder), for files too
// large to commit or that name their own absolute location: `file` of the
// source, rewritten, becomes `target` of a copy. The header is the source
// case's unless one is given.
struct Variant {
    const char* name;
    const char* source;
    const char* file;
    const char* target;
    std::string (*rewrite)(const std::string& text, const std::string& dir);
    const char* header = nullptr;
    std::size_t documentation = 0; // the length of Good1's documentation, if checked
};

void PrintTo(const Variant& v, std::ostream* out) {
    *out << v.name;
}

std::string deeper(const std::string& text, const std::string&) {
    return replaced(text, nested(998), nested(100000));
}

std::string absolute(const std::string& text, const std::string& dir) {
    return replaced(text, "'secret.txt'", "'file://" + dir + "/secret.txt'");
}

const Variant kVariants[] = {
    // Copying a component into the standalone document recurses once per
    // level: a file nested far deeper than any schema is refused before
    // that, wherever it stands.
    {"nesting_100000_levels_in_included_file", "nesting-past-the-limit-in-included-file",
     "deep.xsd", "deep.xsd", deeper},
    {"nesting_100000_levels_in_top_file", "nesting-past-the-limit-in-included-file", "deep.xsd",
     "main.xsd", deeper,
     R"(expect: ParseError
        message: Schema file "{dir}/main.xsd" nests elements more than 1000 levels deep)"},
    {"external_general_entity_by_absolute_path", "external-general-entity", "main.xsd", "main.xsd",
     absolute},
    {"external_general_entity_by_absolute_path_in_included_file",
     "external-general-entity-in-included-file", "inc.xsd", "inc.xsd", absolute},
    {"fifty_megabytes_of_documentation_load", "nesting-at-the-limit-loads", "deep.xsd", "main.xsd",
     [](const std::string& text, const std::string&) {
         return replaced(text, "</xs:annotation>",
                         "</xs:annotation><xs:annotation><xs:documentation>" +
                             std::string(kFiftyMegabytes, 'x') +
                             "</xs:documentation></xs:annotation>");
     },
     "expect: none\nelements: Good1 Good2\nswitches: documentation", kFiftyMegabytes},
};

class LoadFailuresMadeAtRunTime : public ::testing::TestWithParam<Variant> {};

TEST_P(LoadFailuresMadeAtRunTime, EndAsTheirHeaderSays) {
    const Variant& v = GetParam();
    const fs::path source = catalogue() / v.source;
    TempDir dir;
    fs::copy(source, dir.path(), fs::copy_options::recursive);
    dir.write(v.target, v.rewrite(readFile(source / v.file), dir.path().string()));
    Dictionary dictionary;
    expectOutcome(dir.path() / "main.xsd",
                  v.header ? Expectation(v.header)
                           : readHeader(catalogue() / (std::string(v.source) + ".expect"),
                                        source / "main.xsd"),
                  dictionary);
    if (v.documentation) {
        ASSERT_FALSE(dictionary.metaElements().empty());
        EXPECT_EQ(v.documentation,
                  dictionary.metaElements()[0]->getProperty(W("Documentation")).size());
    }
}

INSTANTIATE_TEST_SUITE_P(Generated, LoadFailuresMadeAtRunTime, ::testing::ValuesIn(kVariants),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace PalimoTest
