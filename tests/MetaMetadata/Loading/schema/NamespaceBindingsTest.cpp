#include "schema/NamespaceBindings.h"

#include "MetaMetadata/Loading/SchemaSnippets.h"

#include <xercesc/dom/DOMXPathNSResolver.hpp>

#include <map>

namespace PalimoTest {
namespace {

using Map = std::map<std::string, std::string>;

const std::string kXs = "http://www.w3.org/2001/XMLSchema";
const std::string kFf = "urn:SMPTE:MXF:file_format";

struct BindingCase {
    const char* name;
    std::string rootAttributes; // of an xs:schema root holding one xs:element
    Map prefixes;               // namespace to the prefix recorded for it
    Map resolved;               // prefix to what the resolver gives
    const char* prefix = "xs";  // of the root's elements
};

class NamespaceBindings : public ::testing::TestWithParam<BindingCase> {};

// Whatever the root binds, the loader's xs and ff queries are answered.
TEST_P(NamespaceBindings, RecordRootDeclarationsAndTheFixedFileFormatPrefix) {
    const BindingCase& c = GetParam();
    const std::string p = *c.prefix ? c.prefix + std::string(":") : "";
    SchemaFixture f("<" + p + "schema " + c.rootAttributes + "><" + p + "element name=\"E\"/></" +
                    p + "schema>");
    Map prefixes;
    for (const auto& [uri, prefix] : f.schema().namespacePrefixes())
        prefixes[N(uri)] = N(prefix);
    EXPECT_EQ(prefixes, c.prefixes);
    for (const auto& [prefix, uri] : c.resolved)
        EXPECT_EQ(N(Loading::toWstring(
                      f.schema().resolver().lookupNamespaceURI(W(prefix.c_str()).c_str()))),
                  uri)
            << prefix;
    Loading::DeclarationList elements;
    f.schema().selectElements(f.root(), W("/xs:schema/xs:element"), elements);
    EXPECT_EQ(elements.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Roots, NamespaceBindings,
    ::testing::Values(
        BindingCase{"XsAndFf",
                    "xmlns:xs=\"" + kXs + "\" xmlns:ff=\"" + kFf + "\"",
                    {{kFf, "ff"}, {kXs, "xs"}},
                    {{"xs", kXs}, {"ff", kFf}}},
        BindingCase{"FileFormatUnderAnotherPrefixKeepsFf",
                    "xmlns:xs=\"" + kXs + "\" xmlns:mxf=\"" + kFf + "\"",
                    {{kFf, "ff"}, {kXs, "xs"}},
                    {{"ff", kFf}, {"mxf", kFf}}},
        // The root's binding comes after the fixed one; the engine keeps the later one.
        BindingCase{"FfBoundElsewhereIsRecordedAndWins",
                    "xmlns:xs=\"" + kXs + "\" xmlns:ff=\"urn:other\"",
                    {{kFf, "ff"}, {"urn:other", "ff"}, {kXs, "xs"}},
                    {{"ff", "urn:other"}}},
        // An unprefixed root gives only the fixed binding, and xs still resolves.
        BindingCase{"ADefaultDeclarationIsNone",
                    "xmlns=\"" + kXs + "\" version=\"1\"",
                    {{kFf, "ff"}},
                    {{"xs", kXs}},
                    ""},
        BindingCase{"TheCapitalPrefixXmlnsIsNoDeclaration",
                    "xmlns:xs=\"" + kXs + "\" xmlns:XMLNS=\"urn:caps\" XMLNS:p=\"urn:p\"",
                    {{kFf, "ff"}, {"urn:caps", "XMLNS"}, {kXs, "xs"}},
                    {{"p", ""}}},
        BindingCase{"SchemaWrittenWithXsd",
                    "xmlns:xsd=\"" + kXs + "\"",
                    {{kFf, "ff"}, {kXs, "xsd"}},
                    {{"xs", kXs}},
                    "xsd"},
        BindingCase{"TheFirstPrefixOfANamespaceWins",
                    "xmlns:xs=\"" + kXs + "\" xmlns:a=\"urn:twice\" xmlns:b=\"urn:twice\"",
                    {{kFf, "ff"}, {"urn:twice", "a"}, {kXs, "xs"}},
                    {{"b", "urn:twice"}}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace PalimoTest
