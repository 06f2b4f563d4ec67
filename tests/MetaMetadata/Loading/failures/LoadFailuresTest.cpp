// Loads of hostile or broken schemas: each ends with the named exception and
// a message that says what is wrong, and the dictionary keeps exactly what
// was added before the failure.
#include "MetaMetadata/Loading/XSDDictionaryLoader.h"
#include "MetaMetadata/Loading/sets/SetSchemaText.h"
#include "support/TestSupport.h"

#include <Palimo/Exceptions/CoreExceptions.h>

#include <gmock/gmock.h>

#include <cctype>
#include <optional>
#include <regex>
#include <string>
#include <typeinfo>
#include <utility>
#include <vector>

namespace PalimoTest {
namespace {

using Palimo::Exceptions::BaseException;
using Palimo::Exceptions::InvalidMetaElementDeclaration;
using Palimo::Exceptions::InvalidStringRepresentation;
using Palimo::Exceptions::InvalidULDesignator;
using Palimo::Exceptions::ParseError;
using Palimo::MetaMetadata::Dictionary;
using Palimo::MetaMetadata::Loading::XSDDictionaryLoader;
using SetsTest::appinfo;
using SetsTest::complexType;
using SetsTest::label;

const char* const kFileFormat = SetsTest::kNamespace;

// An RP210 element declaration with label `n`, the file format namespace and
// any `extra` content after its annotation.
std::string element(const std::string& name, const std::string& type, int n,
                    const std::string& extra = "") {
    return "<xs:element name=\"" + name + "\"" + (type.empty() ? "" : " type=\"" + type + "\"") +
           "><xs:annotation>" + appinfo("RP210", "") + appinfo("UL Designator", label(n)) +
           appinfo("XMLNamespaceURI", kFileFormat) + "</xs:annotation>" + extra + "</xs:element>";
}

// An RP210 element declaration with `appinfos` in place of the label and
// namespace annotations.
std::string elementWith(const std::string& name, const std::string& type,
                        const std::string& appinfos, const std::string& content = "") {
    return "<xs:element name=\"" + name + "\" type=\"" + type + "\"><xs:annotation>" +
           appinfo("RP210", "") + appinfos + "</xs:annotation>" + content + "</xs:element>";
}

// A set reached through a reference of its own, with members that refer to
// elements by name; `appinfos` replaces the label and namespace annotations.
std::string set(const std::string& name, const std::string& type, int n,
                const std::string& appinfos = "") {
    return "<xs:element name=\"" + name + "Ref\" type=\"ff:Ref\" substitutionGroup=\"ff:" + name +
           "\"/><xs:element name=\"" + name + "\"" +
           (type.empty() ? "" : " type=\"" + type + "\"") + "><xs:annotation>" +
           (appinfos.empty()
                ? appinfo("UL Designator", label(n)) + appinfo("XMLNamespaceURI", kFileFormat)
                : appinfos) +
           "</xs:annotation></xs:element>";
}

std::string member(const std::string& ref, const std::string& appinfos = "") {
    return "<xs:element ref=\"ff:" + ref + "\"><xs:annotation>" + appinfo("use", "required") +
           appinfos + "</xs:annotation></xs:element>";
}

// Two elements and a set that load before anything a case adds.
const std::string kGoodElements = element("Good1", "UInt8", 1) + element("Good2", "UInt16", 2);
const std::string kGoodSet = set("GoodSet", "GoodType", 0x40) +
                             complexType("GoodType", "", member("Good1") + member("Good2"));

// A collection element: an anonymous type derived from `base` with one item.
std::string collection(const std::string& name, int n, const std::string& base,
                       const std::string& item) {
    return element(name, "", n,
                   "<xs:complexType><xs:complexContent><xs:extension base=\"" + base +
                       "\"><xs:sequence>" + item +
                       "</xs:sequence></xs:extension></xs:complexContent></xs:complexType>");
}

// A strong reference whose targets are the set `target` and its substitutes.
std::string reference(const std::string& name, int n, const std::string& target) {
    return element(name, "", n,
                   "<xs:complexType><xs:complexContent><xs:extension base=\"StrongRefHolder\">"
                   "<xs:choice><xs:element ref=\"ff:" +
                       target +
                       "\"/></xs:choice></xs:extension></xs:complexContent>"
                       "</xs:complexType>");
}

std::string regexEscaped(const std::string& text) {
    static const std::regex special(R"([.^$|()\[\]{}*+?\\])");
    return std::regex_replace(text, special, R"(\$&)");
}

std::string replaceAll(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// What a load is expected to give: nothing thrown (`thrown` null) or an
// exception of exactly that class whose message is `message` ("{dir}" stands
// for the fixture directory) or, with `pattern`, matches it as a regular
// expression; and the names of the elements and sets in the dictionary.
struct Outcome {
    const std::type_info* thrown;
    std::string message;
    bool pattern;
    std::vector<std::string> elements;
    std::vector<std::string> sets;
};

struct LoadCase {
    const char* what;
    std::vector<std::pair<std::string, std::string>> files; // main.xsd first
    Outcome outcome;
};

const std::vector<std::string> kGoodElementNames{"Good1", "Good2"};

Outcome loads(std::vector<std::string> elements, std::vector<std::string> sets = {}) {
    return {nullptr, "", false, std::move(elements), std::move(sets)};
}
template <class E>
Outcome fails(std::string message, std::vector<std::string> elements = {},
              std::vector<std::string> sets = {}) {
    return {&typeid(E), std::move(message), false, std::move(elements), std::move(sets)};
}
template <class E>
Outcome failsMatching(std::string pattern, std::vector<std::string> elements = {},
                      std::vector<std::string> sets = {}) {
    return {&typeid(E), std::move(pattern), true, std::move(elements), std::move(sets)};
}

std::vector<std::string> elementNames(const Dictionary& dictionary) {
    std::vector<std::string> names;
    for (const auto* element : dictionary.metaElements())
        names.push_back(N(element->getProperty(W("XMLTagName"))));
    return names;
}

std::vector<std::string> setNames(const Dictionary& dictionary) {
    std::vector<std::string> names;
    for (const auto* set : dictionary.metaMetadataSets())
        names.push_back(N(set->getProperty(W("XMLTagName"))));
    return names;
}

// Loads `main.xsd` of `dir` with a fresh loader and checks the outcome.
void expectOutcome(const TempDir& dir, const Outcome& outcome, Dictionary& dictionary,
                   bool documentation = false) {
    XSDDictionaryLoader loader;
    loader.loadMetaElementDocumentation(documentation);
    const std::string d = dir.path().string();
    const WString path = W((d + "/main.xsd").c_str());
    try {
        loader.load(path.c_str(), dictionary);
        EXPECT_EQ(nullptr, outcome.thrown) << "loaded, expected " << outcome.thrown->name();
    } catch (const BaseException& e) {
        const std::string message = N(e.message());
        if (outcome.thrown == nullptr) {
            ADD_FAILURE() << "threw " << typeid(e).name() << ": " << message;
        } else {
            EXPECT_EQ(*outcome.thrown, typeid(e)) << "threw " << typeid(e).name();
            if (outcome.pattern)
                EXPECT_THAT(message, ::testing::MatchesRegex(
                                         replaceAll(outcome.message, "{dir}", regexEscaped(d))));
            else
                EXPECT_EQ(replaceAll(outcome.message, "{dir}", d), message);
        }
    }
    EXPECT_EQ(outcome.elements, elementNames(dictionary));
    EXPECT_EQ(outcome.sets, setNames(dictionary));
}

void PrintTo(const LoadCase& c, std::ostream* out) {
    *out << c.what;
}

class LoadFailures : public ::testing::TestWithParam<LoadCase> {};

TEST_P(LoadFailures, ReportWhatIsWrongAndKeepWhatCameBefore) {
    const LoadCase& c = GetParam();
    TempDir dir;
    for (const auto& [file, content] : c.files)
        dir.write(file, content);
    Dictionary dictionary;
    expectOutcome(dir, c.outcome, dictionary);
}

std::string caseName(const ::testing::TestParamInfo<LoadCase>& info) {
    std::string name;
    bool upper = true;
    for (const char* p = info.param.what; *p; ++p) {
        if (std::isalnum(static_cast<unsigned char>(*p))) {
            name += upper ? static_cast<char>(std::toupper(static_cast<unsigned char>(*p))) : *p;
            upper = false;
        } else {
            upper = true;
        }
    }
    return name;
}

// A schema of the good elements that includes `file`.
std::string withInclude(const std::string& file) {
    return schema(kGoodElements + "<xs:include schemaLocation='" + file + "'/>");
}

// The document stage: nothing reaches the dictionary.
INSTANTIATE_TEST_SUITE_P(
    Documents, LoadFailures,
    ::testing::Values(
        LoadCase{"empty file",
                 {{"main.xsd", ""}},
                 failsMatching<ParseError>("Malformed XML in \"{dir}/main.xsd\" at line 1, column "
                                           "1: invalid document structure")},
        LoadCase{"malformed XML",
                 {{"main.xsd", schema(kGoodElements + "<xs:element name='A'></xs:schema>")}},
                 failsMatching<ParseError>(
                     "Malformed XML in \"{dir}/main.xsd\" at line 3, column [0-9]+: expected end "
                     "of tag 'xs:element'")},
        LoadCase{"truncated file",
                 {{"main.xsd", schema(kGoodElements).substr(0, 300)}},
                 failsMatching<ParseError>(
                     "Malformed XML in \"{dir}/main.xsd\" at line 3, column [0-9]+: input ended "
                     "before all started tags were ended; last tag started is 'xs:annotation'")},
        LoadCase{"wrong root",
                 {{"main.xsd", "<?xml version='1.0'?>\n<schema " + std::string(kSchemaNamespaces) +
                                   ">" + kGoodElements + "</schema>"}},
                 fails<ParseError>(
                     "Schema file \"{dir}/main.xsd\" has root element \"schema\", not xs:schema")},
        // Included files are parsed by a parser of their own: the same refusals.
        LoadCase{"empty included file",
                 {{"main.xsd", withInclude("inc.xsd")}, {"inc.xsd", ""}},
                 failsMatching<ParseError>("Malformed XML in \"{dir}/inc.xsd\" at line 1, column "
                                           "1: invalid document structure")},
        LoadCase{"malformed included file",
                 {{"main.xsd", withInclude("inc.xsd")},
                  {"inc.xsd", schema("<xs:element name='A'></xs:schema>")}},
                 failsMatching<ParseError>(
                     "Malformed XML in \"{dir}/inc.xsd\" at line 3, column [0-9]+: expected end "
                     "of tag 'xs:element'")},
        LoadCase{"included file with the wrong root",
                 {{"main.xsd", withInclude("inc.xsd")},
                  {"inc.xsd", "<?xml version='1.0'?>\n<!-- c --><schema/>"}},
                 fails<ParseError>(
                     "Schema file \"{dir}/inc.xsd\" has root element \"schema\", not xs:schema")},
        LoadCase{"invalid UTF-8 in an included file",
                 {{"main.xsd", withInclude("inc.xsd")},
                  {"inc.xsd", schema("<xs:annotation><xs:documentation>caf\xc3(\xff"
                                     "</xs:documentation></xs:annotation>")}},
                 failsMatching<ParseError>(
                     "Malformed XML in \"{dir}/inc.xsd\" at line [0-9]+, column [0-9]+: "
                     "invalid byte '\\(' at position 2 of a 2-byte sequence")},
        LoadCase{"missing include",
                 {{"main.xsd", schema(kGoodElements + "<xs:include schemaLocation='gone.xsd'/>")}},
                 fails<ParseError>(
                     "Cannot read schema file \"{dir}/gone.xsd\": No such file or directory")},
        LoadCase{"include cycle loads each file once",
                 {{"main.xsd", schema(element("Good1", "UInt8", 1) +
                                      "<xs:include schemaLocation='other.xsd'/>")},
                  {"other.xsd", schema("<xs:include schemaLocation='main.xsd'/>" +
                                       element("Good2", "UInt16", 2))}},
                 loads(kGoodElementNames)},
        LoadCase{
            "include of itself loads once",
            {{"main.xsd", schema(kGoodElements + "<xs:include schemaLocation='./main.xsd'/>")}},
            loads(kGoodElementNames)},
        LoadCase{"device as schemaLocation",
                 {{"main.xsd", schema(kGoodElements + "<xs:include schemaLocation='/dev/zero'/>")}},
                 fails<ParseError>("Cannot read schema file \"/dev/zero\": not a regular file")},
        LoadCase{"NUL byte in the document ends it",
                 {{"main.xsd", schema(kGoodElements + std::string(1, '\0'))}},
                 failsMatching<ParseError>(
                     "Malformed XML in \"{dir}/main.xsd\" at line 3, column [0-9]+: input ended "
                     "before all started tags were ended; last tag started is 'xs:schema'")},
        LoadCase{"UTF-16 declared over UTF-8 bytes is read as what the bytes are",
                 {{"main.xsd",
                   "<?xml version='1.0' encoding='UTF-16'?>" + schema(kGoodElements).substr(39)}},
                 loads(kGoodElementNames)},
        LoadCase{
            "network schemaLocation",
            {{"main.xsd", schema(kGoodElements + "<xs:import namespace='urn:x' "
                                                 "schemaLocation='http://example.com/x.xsd'/>")}},
            fails<ParseError>("Schema \"{dir}/main.xsd\" names a network location "
                              "\"http://example.com/x.xsd\"; only local files are read")},
        LoadCase{"invalid UTF-8 in text",
                 {{"main.xsd", schema(element("Good1", "UInt8", 1,
                                              "<xs:annotation><xs:documentation>caf\xc3(\xff"
                                              "</xs:documentation></xs:annotation>"))}},
                 failsMatching<ParseError>(
                     "Malformed XML in \"{dir}/main.xsd\" at line [0-9]+, column [0-9]+: "
                     "invalid byte '\\(' at position 2 of a 2-byte sequence")}),
    caseName);

std::string withGood(const std::string& body) {
    return schema(kGoodElements + body);
}

// The element phase: the elements before the failing declaration stay, the
// set phase never runs.
INSTANTIATE_TEST_SUITE_P(
    Elements, LoadFailures,
    ::testing::Values(
        LoadCase{"designator of wrong length",
                 {{"main.xsd", withGood(elementWith("Bad", "UInt8",
                                                    appinfo("UL Designator", "06.0e.2b.34") +
                                                        appinfo("XMLNamespaceURI", kFileFormat)))}},
                 fails<InvalidULDesignator>("06.0e.2b.34", kGoodElementNames)},
        LoadCase{
            "designator with white space around it",
            {{"main.xsd", withGood(elementWith("Bad", "UInt8",
                                               appinfo("UL Designator", "\n  " + label(3) + " ") +
                                                   appinfo("XMLNamespaceURI", kFileFormat)))}},
            fails<InvalidULDesignator>("\n  " + label(3) + " ", kGoodElementNames)},
        LoadCase{"designator with white space inside",
                 {{"main.xsd",
                   withGood(elementWith("Bad", "UInt8",
                                        appinfo("UL Designator", label(3).replace(2, 1, " ")) +
                                            appinfo("XMLNamespaceURI", kFileFormat)))}},
                 fails<InvalidStringRepresentation>("Invalid universal label text: \"" +
                                                        label(3).replace(2, 1, " ") + "\"",
                                                    kGoodElementNames)},
        LoadCase{"designator with bad hex",
                 {{"main.xsd",
                   withGood(elementWith("Bad", "UInt8",
                                        appinfo("UL Designator", label(3).replace(0, 2, "0g")) +
                                            appinfo("XMLNamespaceURI", kFileFormat)))}},
                 fails<InvalidStringRepresentation>("Invalid universal label text: \"" +
                                                        label(3).replace(0, 2, "0g") + "\"",
                                                    kGoodElementNames)},
        LoadCase{"no designator",
                 {{"main.xsd",
                   withGood(elementWith("Bad", "UInt8", appinfo("XMLNamespaceURI", kFileFormat)))}},
                 fails<InvalidMetaElementDeclaration>(
                     "MetaElement Declaration with no UL Designator in Bad", kGoodElementNames)},
        LoadCase{
            "local tag that the core library refuses",
            {{"main.xsd", withGood(element("Bad", "UInt8", 3)
                                       .insert(element("Bad", "UInt8", 3).find("</xs:annotation>"),
                                               appinfo("Local Tag", "zz.zz")))}},
            fails<InvalidStringRepresentation>("Invalid local tag text: \"zz.zz\"",
                                               kGoodElementNames)},
        LoadCase{
            "local tag of three bytes",
            {{"main.xsd", withGood(element("Bad", "UInt8", 3)
                                       .insert(element("Bad", "UInt8", 3).find("</xs:annotation>"),
                                               appinfo("Local Tag", "3c.0a.01")))}},
            fails<InvalidStringRepresentation>("Invalid local tag text: \"3c.0a.01\"",
                                               kGoodElementNames)},
        LoadCase{"unknown type",
                 {{"main.xsd", withGood(element("Bad", "ff:NoSuchType", 3))}},
                 fails<InvalidMetaElementDeclaration>(
                     "MetaElement Declaration with unknown data type: Bad", kGoodElementNames)},
        LoadCase{"no type at all",
                 {{"main.xsd", withGood(element("Bad", "", 3))}},
                 fails<InvalidMetaElementDeclaration>(
                     "MetaElement Declaration with unknown data type: Bad", kGoodElementNames)},
        LoadCase{
            "collection without item type",
            {{"main.xsd", withGood(collection("Bad", 3, "ff:Array", "<xs:element name='Item'/>"))}},
            fails<InvalidMetaElementDeclaration>(
                "MetaElement Declaration of type collection with unknown sub data type: Bad",
                kGoodElementNames)},
        LoadCase{"collection of an unknown item type",
                 {{"main.xsd", withGood(collection("Bad", 3, "Batch",
                                                   "<xs:element name='Item' type='Nope'/>"))}},
                 fails<InvalidMetaElementDeclaration>(
                     "MetaElement Declaration of type collection with unknown sub data type: Bad",
                     kGoodElementNames)},
        LoadCase{
            "collection item without name",
            {{"main.xsd", withGood(collection("Bad", 3, "Batch", "<xs:element type='UInt8'/>"))}},
            fails<InvalidMetaElementDeclaration>("Empty name attribute", kGoodElementNames)},
        LoadCase{"missing namespace annotation",
                 {{"main.xsd",
                   withGood(elementWith("Bad", "UInt8",
                                        appinfo("UL Designator", label(3)) +
                                            appinfo("Name In Specification", "Bad Element")))}},
                 fails<ParseError>("!namespaceURI.empty (): Couldn't retrieve node's "
                                   "NamespaceURI: Bad Element",
                                   kGoodElementNames)},
        LoadCase{
            "namespace without prefix",
            {{"main.xsd", withGood(elementWith("Bad", "UInt8",
                                               appinfo("UL Designator", label(3)) +
                                                   appinfo("XMLNamespaceURI", "urn:nowhere")))}},
            fails<ParseError>("it != namespace2PrefixMap_.end (): No default prefix defined "
                              "for namespace: urn:nowhere",
                              kGoodElementNames)},
        LoadCase{
            "circular substitution groups",
            {{"main.xsd", withGood(reference("Bad", 3, "A") +
                                   "<xs:element name='B' type='X' substitutionGroup='ff:A'/>"
                                   "<xs:element name='C' type='X' substitutionGroup='ff:B'/>"
                                   "<xs:element name='A' type='X' substitutionGroup='ff:C'/>")}},
            fails<InvalidMetaElementDeclaration>(
                "Circular substitution group in the targets of Bad: A -> B -> C -> A",
                kGoodElementNames)},
        LoadCase{
            "substitution group of its own",
            {{"main.xsd", withGood(reference("Bad", 3, "A") +
                                   "<xs:element name='A' type='X' substitutionGroup='ff:A'/>")}},
            fails<InvalidMetaElementDeclaration>(
                "Circular substitution group in the targets of Bad: A -> A", kGoodElementNames)},
        LoadCase{
            "substitution group reached twice is no cycle",
            {{"main.xsd", withGood(reference("Ref", 3, "A") +
                                   "<xs:element name='B' type='X' substitutionGroup='ff:A'/>"
                                   "<xs:element name='C' type='X' substitutionGroup='ff:A'/>"
                                   "<xs:element name='D' type='X' substitutionGroup='ff:B'/>"
                                   "<xs:element name='D' type='X' substitutionGroup='ff:C'/>")}},
            loads({"Good1", "Good2", "Ref"})}),
    caseName);

std::string withGoodSet(const std::string& body) {
    return schema(kGoodElements + kGoodSet + body);
}

// The set phase: every element and the sets before the failing one stay; the
// failing set is not added, not even in part.
INSTANTIATE_TEST_SUITE_P(
    Sets, LoadFailures,
    ::testing::Values(
        LoadCase{"circular base chain",
                 {{"main.xsd", withGoodSet(set("Bad", "T1", 0x41) +
                                           complexType("T1", "ff:T2", member("Good1")) +
                                           complexType("T2", "T3", member("Good2")) +
                                           complexType("T3", "ff:T1", ""))}},
                 fails<ParseError>("Circular base type chain: T1 -> T2 -> T3 -> T1",
                                   kGoodElementNames, {"GoodSet"})},
        LoadCase{"type that is its own base",
                 {{"main.xsd",
                   withGoodSet(set("Bad", "T1", 0x41) + complexType("T1", "T1", member("Good1")))}},
                 fails<ParseError>("Circular base type chain: T1 -> T1", kGoodElementNames,
                                   {"GoodSet"})},
        LoadCase{"unresolved set type",
                 {{"main.xsd", withGoodSet(set("Bad", "ff:Missing", 0x41))}},
                 fails<ParseError>(
                     "Set Bad has type ff:Missing, which names no top-level xs:complexType",
                     kGoodElementNames, {"GoodSet"})},
        LoadCase{"base outside the schema ends the chain",
                 {{"main.xsd", withGoodSet(set("Other", "T1", 0x41) +
                                           complexType("T1", "xs:anyType", member("Good1")))}},
                 loads(kGoodElementNames, {"GoodSet", "Other"})},
        LoadCase{"set without namespace annotation",
                 {{"main.xsd", withGoodSet(set("Bad", "GoodType", 0x41,
                                               appinfo("Name In Specification", "Bad Set") +
                                                   appinfo("UL Designator", label(0x41))))}},
                 fails<ParseError>("!namespaceURI.empty (): Couldn't retrieve node's "
                                   "NamespaceURI: Bad Set",
                                   kGoodElementNames, {"GoodSet"})},
        LoadCase{"set namespace without prefix",
                 {{"main.xsd", withGoodSet(set("Bad", "GoodType", 0x41,
                                               appinfo("UL Designator", label(0x41)) +
                                                   appinfo("XMLNamespaceURI", "urn:nowhere")))}},
                 fails<ParseError>("it != namespace2PrefixMap_.end (): No default prefix defined "
                                   "for namespace: urn:nowhere",
                                   kGoodElementNames, {"GoodSet"})},
        LoadCase{"set designator of wrong length fails before any element",
                 {{"main.xsd", withGoodSet(set("Bad", "GoodType", 0x41,
                                               appinfo("UL Designator", "06.0e") +
                                                   appinfo("XMLNamespaceURI", kFileFormat)))}},
                 fails<InvalidULDesignator>("06.0e")},
        LoadCase{"set designator with bad hex fails before any element",
                 {{"main.xsd",
                   withGoodSet(set("Bad", "GoodType", 0x41,
                                   appinfo("UL Designator", label(0x41).replace(3, 2, "xy")) +
                                       appinfo("XMLNamespaceURI", kFileFormat)))}},
                 fails<InvalidStringRepresentation>("Invalid universal label text: \"" +
                                                    label(0x41).replace(3, 2, "xy") + "\"")},
        LoadCase{"set without designator is skipped",
                 {{"main.xsd", withGoodSet(set("Unlabelled", "GoodType", 0x41,
                                               appinfo("XMLNamespaceURI", kFileFormat)))}},
                 loads(kGoodElementNames, {"GoodSet"})},
        LoadCase{"apostrophe in a set type",
                 {{"main.xsd", withGoodSet(set("Bad", "T'1", 0x41))}},
                 failsMatching<ParseError>("XQillaException:: syntax error, .*\\[err:XPST0003\\].*",
                                           kGoodElementNames, {"GoodSet"})},
        LoadCase{
            "apostrophe in a substitution group fails before any element",
            {{"main.xsd",
              withGoodSet("<xs:element name='R' type='ff:Ref' substitutionGroup=\"O'Neil\"/>")}},
            failsMatching<ParseError>("XQillaException:: syntax error, .*\\[err:XPST0003\\].*")},
        LoadCase{"substitution group that would widen the query names no set",
                 {{"main.xsd", withGoodSet("<xs:element name='R' type='ff:Ref' "
                                           "substitutionGroup=\"x' or @name!='\"/>")}},
                 loads(kGoodElementNames, {"GoodSet"})},
        LoadCase{"set type that would widen the query names no type",
                 {{"main.xsd", withGoodSet(set("Bad", "x' or @name!='", 0x41))}},
                 fails<ParseError>("Set Bad has type x' or @name!=', which names no top-level "
                                   "xs:complexType",
                                   kGoodElementNames, {"GoodSet"})},
        LoadCase{"member that names no element is skipped",
                 {{"main.xsd", withGoodSet(set("Other", "T1", 0x41) +
                                           complexType("T1", "", member("Nothing")))}},
                 loads(kGoodElementNames, {"GoodSet", "Other"})}),
    caseName);

// A load of `dir`/main.xsd that is expected to fail in the document stage
// with a ParseError matching `pattern` ("{dir}" for the directory).
void expectDocumentRefused(const TempDir& dir, const std::string& pattern,
                           bool documentation = false) {
    Dictionary dictionary;
    expectOutcome(dir, failsMatching<ParseError>(pattern), dictionary, documentation);
}

std::string nested(int levels) {
    std::string text;
    for (int i = 0; i < levels; ++i)
        text += "<a>";
    for (int i = 0; i < levels; ++i)
        text += "</a>";
    return text;
}

// Copying a component into the standalone document recurses once per level:
// a file nested deeper than any schema is refused before that, wherever it
// stands. xs:schema, xs:annotation and xs:documentation are three levels.
TEST(HostileDocuments, DeepNestingIsRefusedBeforeAnythingRecursesOnIt) {
    const auto documented = [](int levels) {
        return schema(kGoodElements + "<xs:annotation><xs:documentation>" + nested(levels) +
                      "</xs:documentation></xs:annotation>");
    };
    TempDir dir;
    dir.write("main.xsd", schema(kGoodElements + "<xs:include schemaLocation='deep.xsd'/>"));
    dir.write("deep.xsd", documented(100000));
    expectDocumentRefused(dir, "Schema file \"{dir}/deep.xsd\" nests elements more than 1000 "
                               "levels deep");
    dir.write("deep.xsd", documented(998));
    expectDocumentRefused(dir, "Schema file \"{dir}/deep.xsd\" nests elements more than 1000 "
                               "levels deep");
    dir.write("main.xsd", documented(100000));
    expectDocumentRefused(dir, "Schema file \"{dir}/main.xsd\" nests elements more than 1000 "
                               "levels deep");

    TempDir atTheLimit;
    atTheLimit.write("main.xsd", schema("<xs:include schemaLocation='deep.xsd'/>"));
    atTheLimit.write("deep.xsd", schema(kGoodElements + "<xs:annotation><xs:documentation>" +
                                        nested(997) + "</xs:documentation></xs:annotation>"));
    Dictionary dictionary;
    expectOutcome(atTheLimit, loads(kGoodElementNames), dictionary);
}

TEST(HostileDocuments, FiftyMegabytesOfTextLoad) {
    const std::size_t size = 50u << 20;
    TempDir dir;
    const std::string text(size, 'x');
    dir.write("main.xsd", schema(element("Good1", "UInt8", 1,
                                         "<xs:annotation><xs:documentation>" + text +
                                             "</xs:documentation></xs:annotation>") +
                                 element("Good2", "UInt16", 2)));
    Dictionary dictionary;
    expectOutcome(dir, loads(kGoodElementNames), dictionary, true);
    ASSERT_EQ(2u, dictionary.metaElementCount());
    EXPECT_EQ(size, dictionary.metaElements()[0]->getProperty(W("Documentation")).size());
}

std::string withDoctype(const std::string& doctype, const std::string& body) {
    std::string text = schema(body);
    return text.insert(text.find('\n') + 1, doctype + "\n");
}

// An entity that would read a local file is refused, and what the file holds
// reaches neither the message nor the dictionary, whether the top file or an
// included one (each is read by its own parser) declares it.
TEST(HostileDocuments, ExternalEntitiesAreNeverRead) {
    const std::string secret = "SECRET-MARKER-7f3a";
    const std::string documented =
        element("Good1", "UInt8", 1,
                "<xs:annotation><xs:documentation>&ext;</xs:documentation></xs:annotation>");
    const std::string refused = "Schema file \"{dir}/{file}\" refers to the external entity "
                                "\".*secret\\.txt\"; external entities are not read";
    const struct {
        const char* what;
        std::string doctype;
        std::string body;
        std::string message;
    } cases[] = {
        {"general entity", "<!DOCTYPE xs:schema [<!ENTITY ext SYSTEM 'secret.txt'>]>", documented,
         refused},
        {"general entity by absolute path",
         "<!DOCTYPE xs:schema [<!ENTITY ext SYSTEM 'file://{dir}/secret.txt'>]>", documented,
         refused},
        {"parameter entity", "<!DOCTYPE xs:schema [<!ENTITY % ext SYSTEM 'secret.txt'> %ext;]>",
         kGoodElements, refused},
        {"entity in an attribute", "<!DOCTYPE xs:schema [<!ENTITY ext SYSTEM 'secret.txt'>]>",
         "<xs:element name='&ext;' type='UInt8'/>",
         "Malformed XML in \"{dir}/{file}\" at line 4, column 24: external entity cannot be "
         "referred to from attribute value"},
    };
    for (const auto& c : cases)
        for (const std::string file : {"main.xsd", "inc.xsd"}) {
            SCOPED_TRACE(std::string(c.what) + " in " + file);
            TempDir dir;
            dir.write("secret.txt", secret);
            dir.write(file,
                      withDoctype(replaceAll(c.doctype, "{dir}", dir.path().string()), c.body));
            if (file != "main.xsd")
                dir.write("main.xsd", schema("<xs:include schemaLocation='" + file + "'/>"));
            Dictionary dictionary;
            XSDDictionaryLoader loader;
            loader.loadMetaElementDocumentation(true);
            const std::string path = dir.path().string() + "/main.xsd";
            try {
                loader.load(W(path.c_str()).c_str(), dictionary);
                ADD_FAILURE() << "loaded";
            } catch (const ParseError& e) {
                const std::string message = N(e.message());
                EXPECT_THAT(message, ::testing::MatchesRegex(
                                         replaceAll(replaceAll(c.message, "{file}", file), "{dir}",
                                                    regexEscaped(dir.path().string()))));
                EXPECT_THAT(message, ::testing::Not(::testing::HasSubstr(secret)));
            }
            EXPECT_EQ(0u, dictionary.metaElementCount());
        }

    // An external DTD is not loaded at all: the schema loads without it.
    TempDir dir;
    dir.write("secret.dtd", "<!ENTITY marker '" + secret + "'>");
    dir.write("main.xsd", withDoctype("<!DOCTYPE xs:schema SYSTEM 'secret.dtd'>",
                                      element("Good1", "UInt8", 1,
                                              "<xs:annotation><xs:documentation>text"
                                              "</xs:documentation></xs:annotation>")));
    Dictionary dictionary;
    expectOutcome(dir, loads({"Good1"}), dictionary, true);
    for (const auto* element : dictionary.metaElements())
        for (const auto& [key, value] : element->properties())
            EXPECT_THAT(N(value), ::testing::Not(::testing::HasSubstr(secret)));
}

TEST(HostileDocuments, EntityExpansionStopsAtItsLimit) {
    std::string entities = "<!ENTITY l0 'lol'>";
    for (int i = 1; i <= 9; ++i) {
        entities += "<!ENTITY l" + std::to_string(i) + " '";
        for (int j = 0; j < 10; ++j)
            entities += "&l" + std::to_string(i - 1) + ";";
        entities += "'>";
    }
    TempDir dir;
    dir.write("main.xsd", withDoctype("<!DOCTYPE xs:schema [" + entities + "]>",
                                      kGoodElements + "<xs:annotation><xs:documentation>&l9;"
                                                      "</xs:documentation></xs:annotation>"));
    // Refused before anything is expanded: the expansions the file allows
    // times its longest replacement text exceed its budget of characters.
    expectDocumentRefused(dir, "Schema file \"{dir}/main.xsd\" expands entities beyond its limit "
                               "of [0-9]+ characters \\(16 per byte of the file\\): more than "
                               "[0-9]+ expansions of entities of up to [0-9]+ characters");
}

// A default value text that its rule cannot read: the integer and rational
// rules give no value, the label rules fail with the core library's
// refusal, and a collection keeps the items it can read. A set that fails
// is not added; the sets before it stay.
TEST(UnreadableDefaults, GiveNoValueOrTheCoreLibrarysRefusal) {
    const std::string array =
        "<xs:complexType><xs:complexContent><xs:extension base=\"Array\"><xs:sequence>"
        "<xs:element name=\"Item\" type=\"Int16\"/></xs:sequence></xs:extension>"
        "</xs:complexContent></xs:complexType>";
    const struct {
        const char* type; // empty for the collection above
        const char* text;
        std::optional<std::string> value; // the default's text form
        const char* refusal;              // the InvalidStringRepresentation message, if any
    } cases[] = {
        {"Int8", "abc", std::nullopt, nullptr},
        {"Int16", "-", std::nullopt, nullptr},
        {"Int32", "99999999999", std::nullopt, nullptr},
        {"Int64", "99999999999999999999", std::nullopt, nullptr},
        {"Length", " ", std::nullopt, nullptr},
        {"Position", "+x1", std::nullopt, nullptr},
        {"UInt8", "0x10", "0", nullptr},
        {"UInt16", "sixteen", std::nullopt, nullptr},
        {"UInt32", "4294967296", std::nullopt, nullptr},
        {"UInt64", "18446744073709551616", std::nullopt, nullptr},
        {"Rational", "{1}", std::nullopt, nullptr},
        {"Rational", "{a,b}", std::nullopt, nullptr},
        {"Rational", "1/2", std::nullopt, nullptr},
        {"Boolean", "maybe", "true", nullptr},
        {"UTF16", "   ", std::string(1, '\0'), nullptr},
        {"", "{1,x,3}", "{1,3}", nullptr},
        {"", "1,2", "{}", nullptr},
        {"UniversalLabel", "06.0e.2b", std::nullopt, "Invalid universal label text: \"06.0e.2b\""},
        {"UUID", "not-a-uuid", std::nullopt, "Invalid UUID text: \"not-a-uuid\""},
        {"UMID32", "zz", std::nullopt, "Invalid UMID32 text: \"zz\""},
        {"UMID64", "", std::nullopt, nullptr}, // an empty text is no default at all
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.type) + " '" + c.text + "'");
        const std::string valueElement =
            *c.type ? element("Value", c.type, 3) : element("Value", "", 3, array);
        TempDir dir;
        dir.write(
            "main.xsd",
            withGoodSet(valueElement + set("ValueSet", "ValueType", 0x41) +
                        complexType("ValueType", "",
                                    member("Value", appinfo("Distinguished Value", c.text)))));
        Dictionary dictionary;
        const std::vector<std::string> elements{"Good1", "Good2", "Value"};
        if (c.refusal != nullptr) {
            expectOutcome(dir, fails<InvalidStringRepresentation>(c.refusal, elements, {"GoodSet"}),
                          dictionary);
            continue;
        }
        expectOutcome(dir, loads(elements, {"GoodSet", "ValueSet"}), dictionary);
        const auto sets = dictionary.metaMetadataSets();
        ASSERT_EQ(2u, sets.size());
        ASSERT_EQ(1u, sets[1]->attributes().size());
        const auto* value = sets[1]->attributes()[0]->defaultValue();
        if (!c.value) {
            EXPECT_EQ(nullptr, value) << value->text();
        } else {
            ASSERT_NE(nullptr, value);
            EXPECT_EQ(*c.value, value->text());
        }
    }
}

} // namespace
} // namespace PalimoTest
