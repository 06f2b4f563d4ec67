#include "MetaMetadata/Loading/schema/NamespaceBindings.h"
#include "MetaMetadata/Loading/Exceptions.h"
#include "MetaMetadata/Loading/SchemaFixture.h"
#include "MetaMetadata/Loading/schema/DomText.h"

#include <map>

namespace {

using namespace Palimo::MetaMetadata::Loading;
using PalimoTest::N;
using PalimoTest::SchemaFixture;
using PalimoTest::W;

const std::string kXs = "http://www.w3.org/2001/XMLSchema";
const std::string kFf = "urn:SMPTE:MXF:file_format";

std::string root(const std::string& attributes, const std::string& prefix = "xs") {
    return "<" + prefix + ":schema " + attributes + "><" + prefix + ":element name=\"E\"/></" +
           prefix + ":schema>";
}

std::map<std::string, std::string> prefixMap(const Schema& schema) {
    std::map<std::string, std::string> result;
    for (const auto& [uri, prefix] : schema.namespacePrefixes())
        result[N(uri)] = N(prefix);
    return result;
}

std::string resolve(const Schema& schema, const char* prefix) {
    return N(toWstring(schema.resolver().lookupNamespaceURI(W(prefix).c_str())));
}

TEST(NamespaceBindings, RootDeclarationsAndTheFixedFileFormatPrefix) {
    SchemaFixture f(root("xmlns:xs=\"" + kXs + "\" xmlns:ff=\"" + kFf + "\""));
    EXPECT_EQ(prefixMap(f.schema()),
              (std::map<std::string, std::string>{{kFf, "ff"}, {kXs, "xs"}}));
    EXPECT_EQ(resolve(f.schema(), "xs"), kXs);
    EXPECT_EQ(resolve(f.schema(), "ff"), kFf);
}

TEST(NamespaceBindings, FileFormatUnderAnotherPrefixKeepsFfInTheMap) {
    SchemaFixture f(root("xmlns:xs=\"" + kXs + "\" xmlns:mxf=\"" + kFf + "\""));
    EXPECT_EQ(prefixMap(f.schema()).at(kFf), "ff");
    EXPECT_EQ(resolve(f.schema(), "ff"), kFf);
    EXPECT_EQ(resolve(f.schema(), "mxf"), kFf);
}

TEST(NamespaceBindings, FfBoundElsewhereByTheRootIsRecordedAndAddedAfterTheFixedOne) {
    SchemaFixture f(root("xmlns:xs=\"" + kXs + "\" xmlns:ff=\"urn:other\""));
    EXPECT_EQ(prefixMap(f.schema()),
              (std::map<std::string, std::string>{{kFf, "ff"}, {"urn:other", "ff"}, {kXs, "xs"}}));
    // The root's binding comes last; the engine keeps the later one.
    EXPECT_EQ(resolve(f.schema(), "ff"), "urn:other");
}

TEST(NamespaceBindings, ADefaultDeclarationAloneGivesOnlyTheFixedBinding) {
    SchemaFixture f("<schema xmlns=\"" + kXs + "\" version=\"1\"><element name=\"E\"/></schema>");
    EXPECT_EQ(prefixMap(f.schema()), (std::map<std::string, std::string>{{kFf, "ff"}}));
}

TEST(NamespaceBindings, AnAttributeWithTheCapitalPrefixXmlnsIsNoDeclaration) {
    SchemaFixture f(root("xmlns:xs=\"" + kXs + "\" xmlns:XMLNS=\"urn:caps\" XMLNS:p=\"urn:p\""));
    EXPECT_EQ(prefixMap(f.schema()), (std::map<std::string, std::string>{
                                         {kFf, "ff"}, {"urn:caps", "XMLNS"}, {kXs, "xs"}}));
    EXPECT_EQ(resolve(f.schema(), "p"), "");
}

TEST(NamespaceBindings, SchemaWrittenWithXsdStillAnswersXsQueries) {
    SchemaFixture f(root("xmlns:xsd=\"" + kXs + "\"", "xsd"));
    EXPECT_EQ(prefixMap(f.schema()),
              (std::map<std::string, std::string>{{kFf, "ff"}, {kXs, "xsd"}}));
    DeclarationList elements;
    f.schema().selectElements(f.root(), W("/xs:schema/xs:element"), elements);
    EXPECT_EQ(elements.size(), 1u);
}

TEST(NamespaceBindings, TheFirstPrefixOfANamespaceWins) {
    SchemaFixture f(root("xmlns:xs=\"" + kXs + "\" xmlns:a=\"urn:twice\" xmlns:b=\"urn:twice\""));
    EXPECT_EQ(prefixMap(f.schema()).at("urn:twice"), "a");
    EXPECT_EQ(resolve(f.schema(), "b"), "urn:twice");
}

} // namespace
