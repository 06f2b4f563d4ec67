// The load failure catalogue: every case under tests/data/failures is loaded
// into a fresh dictionary and must end as its header says (see the README
// there): the exception class and its exact message or a pattern, and exactly
// the elements and sets, in order, that were added before the failure.
#include "MetaMetadata/Loading/XSDDictionaryLoader.h"
#include "support/TestSupport.h"

#include <Palimo/Exceptions/CoreExceptions.h>

#include <gmock/gmock.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
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

struct ExceptionClass {
    const char* name;
    const std::type_info& type;
    ::testing::AssertionResult (*exactly)(const Load&, const std::string&);
};

template <class E>
ExceptionClass exceptionClass(const char* name) {
    return {name, typeid(E), [](const Load& load, const std::string& message) {
                return throwsExactly<E>(load, message);
            }};
}

const ExceptionClass kClasses[] = {
    exceptionClass<Palimo::Exceptions::ParseError>("ParseError"),
    exceptionClass<Palimo::Exceptions::InvalidULDesignator>("InvalidULDesignator"),
    exceptionClass<Palimo::Exceptions::InvalidMetaElementDeclaration>(
        "InvalidMetaElementDeclaration"),
    exceptionClass<Palimo::Exceptions::InvalidStringRepresentation>("InvalidStringRepresentation"),
};

// What a case's header asks of its load.
struct Expectation {
    const ExceptionClass* thrown = nullptr; // null: the load succeeds
    std::string message;
    bool pattern = false;
    std::vector<std::string> elements;
    std::vector<std::string> sets;
    bool documentation = false;
    bool length = false;
    std::string defaultOf; // a set whose one member's default value is checked
    std::optional<std::string> defaultValue;
    std::string secret; // in neither the message nor any property
};

[[noreturn]] void malformed(const std::string& why) {
    throw std::runtime_error("malformed header: " + why);
}

// A value as written, or in double quotes with \n, \t, \0, \\ and \".
std::string value(const std::string& text) {
    if (text.empty() || text[0] != '"')
        return text;
    if (text.size() < 2 || text.back() != '"')
        malformed("no closing quote in " + text);
    static const std::map<char, char> escapes{
        {'n', '\n'}, {'t', '\t'}, {'0', '\0'}, {'\\', '\\'}, {'"', '"'}};
    std::string result;
    for (std::size_t i = 1; i + 1 < text.size(); ++i) {
        if (text[i] != '\\') {
            result += text[i];
            continue;
        }
        const auto e = escapes.find(text[++i]);
        if (e == escapes.end() || i + 1 == text.size())
            malformed("unknown escape in " + text);
        result += e->second;
    }
    return result;
}

std::vector<std::string> words(const std::string& text) {
    std::istringstream in(text);
    return {std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
}

Expectation parseHeader(const std::string& header) {
    Expectation e;
    std::map<std::string, std::string> fields;
    std::istringstream lines(header);
    for (std::string line; std::getline(lines, line);) {
        const auto first = line.find_first_not_of(" \t\r");
        if (first == std::string::npos)
            continue;
        line = line.substr(first, line.find_last_not_of(" \t\r") + 1 - first);
        const auto colon = line.find(':');
        if (colon == std::string::npos)
            malformed("no \"key: value\" in \"" + line + "\"");
        std::string text = line.substr(colon + 1);
        text.erase(0, text.find_first_not_of(" \t"));
        if (!fields.emplace(line.substr(0, colon), text).second)
            malformed("\"" + line.substr(0, colon) + "\" given twice");
    }
    const auto take = [&](const char* key) {
        const auto at = fields.find(key);
        if (at == fields.end())
            return std::optional<std::string>();
        const std::string text = at->second;
        fields.erase(at);
        return std::optional(text);
    };
    const auto expect = take("expect");
    if (!expect)
        malformed("no \"expect:\"");
    if (*expect != "none") {
        const auto* c = std::find_if(std::begin(kClasses), std::end(kClasses),
                                     [&](const ExceptionClass& k) { return *expect == k.name; });
        if (c == std::end(kClasses))
            malformed("unknown exception class \"" + *expect + "\"");
        e.thrown = c;
    }
    const auto message = take("message");
    const auto pattern = take("pattern");
    if (message && pattern)
        malformed("both \"message:\" and \"pattern:\"");
    if (e.thrown && !message && !pattern)
        malformed("no \"message:\" or \"pattern:\" for " + *expect);
    if (!e.thrown && (message || pattern))
        malformed("a message for a load that succeeds");
    e.pattern = pattern.has_value();
    e.message = value(pattern ? *pattern : message.value_or(""));
    e.elements = words(take("elements").value_or(""));
    e.sets = words(take("sets").value_or(""));
    for (const auto& s : words(take("switches").value_or(""))) {
        if (s != "documentation" && s != "length")
            malformed("unknown switch \"" + s + "\"");
        (s == "length" ? e.length : e.documentation) = true;
    }
    if (const auto text = take("default")) {
        const auto blank = text->find(' ');
        const std::string written =
            blank == std::string::npos ? "" : text->substr(text->find_first_not_of(' ', blank));
        e.defaultOf = text->substr(0, blank);
        if (written != "none") {
            if (written.empty() || written[0] != '"')
                malformed("\"default:\" takes a set, then none or a quoted text");
            e.defaultValue = value(written);
        }
    }
    e.secret = value(take("secret").value_or(""));
    if (!fields.empty())
        malformed("unknown key \"" + fields.begin()->first + "\"");
    return e;
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path.string());
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The header: the sidecar NAME.expect when there is one, else the first
// comment of the top file.
Expectation readHeader(const fs::path& sidecar, const fs::path& top) {
    if (fs::exists(sidecar))
        return parseHeader(readFile(sidecar));
    const std::string text = readFile(top);
    const auto start = text.find("<!--");
    const auto end = text.find("-->", start);
    if (start == std::string::npos || end == std::string::npos)
        malformed("no header comment in " + top.string() + " and no " + sidecar.string());
    return parseHeader(text.substr(start + 4, end - start - 4));
}

template <class Map>
std::vector<std::string> names(const std::vector<Map>& maps) {
    std::vector<std::string> result;
    for (const auto* map : maps)
        result.push_back(N(map->getProperty(W("XMLTagName"))));
    return result;
}

bool holds(const PropertyMap& map, const std::string& text) {
    return std::any_of(map.properties().begin(), map.properties().end(), [&](const auto& entry) {
        return N(entry.second).find(text) != std::string::npos;
    });
}

std::string replaceAll(std::string text, const std::string& from, const std::string& to) {
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// Loads `top` with a fresh loader and checks everything `e` asks for.
void expectOutcome(const fs::path& top, const Expectation& e, Dictionary& dictionary) {
    XSDDictionaryLoader loader;
    loader.loadMetaElementDocumentation(e.documentation);
    loader.loadMetaElementLengthDescription(e.length);
    const Load load = [&] {
        loader.load(W(top.string().c_str()).c_str(), dictionary);
    };
    const std::string dir = top.parent_path().string();
    std::string message = replaceAll(e.message, "{dir}", dir);
    if (e.thrown && !e.pattern) {
        EXPECT_TRUE(e.thrown->exactly(load, message));
    } else {
        try {
            load();
            if (e.thrown)
                ADD_FAILURE() << "loaded, expected " << e.thrown->name;
        } catch (const BaseException& x) {
            const std::string thrown = N(x.message());
            if (!e.thrown) {
                ADD_FAILURE() << "threw " << typeid(x).name() << ": " << thrown;
            } else {
                EXPECT_EQ(e.thrown->type, typeid(x)) << "threw " << typeid(x).name();
                static const std::regex special(R"([.^$|()\[\]{}*+?\\])");
                EXPECT_THAT(thrown,
                            ::testing::MatchesRegex(replaceAll(
                                e.message, "{dir}", std::regex_replace(dir, special, R"(\$&)"))));
            }
            message = thrown;
        }
    }
    const auto sets = dictionary.metaMetadataSets();
    EXPECT_EQ(e.elements, names(dictionary.metaElements()));
    EXPECT_EQ(e.sets, names(sets));

    if (!e.defaultOf.empty()) {
        const auto set = std::find_if(sets.begin(), sets.end(), [&](const auto* s) {
            return N(s->getProperty(W("XMLTagName"))) == e.defaultOf;
        });
        ASSERT_NE(sets.end(), set) << "no set " << e.defaultOf;
        ASSERT_EQ(1u, (*set)->attributes().size());
        const auto* value = (*set)->attributes()[0]->defaultValue();
        EXPECT_EQ(e.defaultValue, value ? std::optional(value->text()) : std::nullopt);
    }

    if (!e.secret.empty()) {
        EXPECT_THAT(message, ::testing::Not(::testing::HasSubstr(e.secret)));
        std::vector<const PropertyMap*> all(dictionary.metaElements().begin(),
                                            dictionary.metaElements().end());
        for (const auto* set : sets) {
            all.push_back(set);
            for (const auto& member : set->attributes())
                all.push_back(member.get());
        }
        for (const auto* map : all)
            EXPECT_FALSE(holds(*map, e.secret)) << N(map->getProperty(W("XMLTagName")));
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

std::string testName(const std::string& name) {
    std::string result = name;
    for (char& c : result)
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
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
    Expectation e;
    try {
        e = readHeader(catalogue() / (name + ".expect"), top);
    } catch (const std::exception& x) {
        FAIL() << x.what();
    }
    Dictionary dictionary;
    expectOutcome(top, e, dictionary);
}

INSTANTIATE_TEST_SUITE_P(Catalogue, LoadFailures, ::testing::ValuesIn(caseNames()),
                         [](const auto& info) { return testName(info.param); });

// Without this a catalogue that is not found would pass as no cases at all.
TEST(LoadFailuresCatalogue, IsFound) {
    EXPECT_FALSE(caseNames().empty()) << catalogue();
}

std::string nested(int levels) {
    std::string text;
    for (int i = 0; i < levels; ++i)
        text += "<a>";
    for (int i = 0; i < levels; ++i)
        text += "</a>";
    return text;
}

// `text` with its first `from` replaced by `to`.
std::string replaced(std::string text, const std::string& from, const std::string& to) {
    const auto at = text.find(from);
    if (at == std::string::npos)
        throw std::runtime_error("the source case no longer holds \"" + from.substr(0, 60) + "\"");
    return text.replace(at, from.size(), to);
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
     R"(expect: none
        elements: Good1 Good2
        switches: documentation)",
     kFiftyMegabytes},
};

class LoadFailuresMadeAtRunTime : public ::testing::TestWithParam<Variant> {};

TEST_P(LoadFailuresMadeAtRunTime, EndAsTheirHeaderSays) {
    const Variant& v = GetParam();
    const fs::path source = catalogue() / v.source;
    TempDir dir;
    fs::copy(source, dir.path(), fs::copy_options::recursive);
    dir.write(v.target, v.rewrite(readFile(source / v.file), dir.path().string()));
    const Expectation e = v.header ? parseHeader(v.header)
                                   : readHeader(catalogue() / (std::string(v.source) + ".expect"),
                                                source / "main.xsd");
    Dictionary dictionary;
    expectOutcome(dir.path() / "main.xsd", e, dictionary);
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
