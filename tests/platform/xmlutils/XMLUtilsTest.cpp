// The XML stand-in: the shared Xerces/XQilla set-up, UTF-16 text and the schema
// aggregator. The aggregator's cases are folders under tests/data/xmlutils. Each folder is
// copied to a temporary directory ("{dir}" in its files becomes that
// directory), its main.xsd is aggregated and the outcome is compared with the
// folder's outline.expected: the whole standalone document, or the refusal.
// The top file is parsed around its root's content, so the top-* folders
// hold what a whole-file parse gives, refusal positions included.
#include <Palimo/XMLUtils/Initializer.h>
#include <Palimo/XMLUtils/UnicodeString.h>
#include <Palimo/XMLUtils/XSDAggregator.h>

#include "support/Describe.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <xercesc/dom/DOM.hpp>
#include <xercesc/util/PlatformUtils.hpp>

#include <algorithm>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Palimo::WString;
using Palimo::XMLUtils::Initializer;
using Palimo::XMLUtils::SchemaAggregationError;
using Palimo::XMLUtils::SchemaSources;
using Palimo::XMLUtils::UnicodeString;
using Palimo::XMLUtils::XSDAggregator;
using PalimoTest::N;
using PalimoTest::readFile;
using PalimoTest::TempDir;
using PalimoTest::W;
using xercesc::DOMDocument;
using xercesc::DOMNode;

struct Release {
    template <class T>
    void operator()(T* p) const {
        p->release();
    }
};
using Parser = std::unique_ptr<xercesc::DOMLSParser, Release>;

Parser newParser() {
    auto* ls =
        dynamic_cast<xercesc::DOMImplementationLS*>(Initializer::instance().domImplementation());
    return Parser(ls->createLSParser(xercesc::DOMImplementationLS::MODE_SYNCHRONOUS, nullptr,
                                     xercesc::XMLPlatformUtils::fgMemoryManager, nullptr));
}

DOMDocument* aggregate(xercesc::DOMLSParser& parser, const fs::path& dir, const char* file,
                       SchemaSources* sources = nullptr) {
    XSDAggregator aggregator(W(dir.string().c_str()).c_str(), W(file).c_str());
    return sources ? aggregator.createStandAloneSchemaDocument(&parser, *sources)
                   : aggregator.createStandAloneSchemaDocument(&parser);
}

std::string quoted(const XMLCh* text) {
    std::string out = "\"";
    for (const char c : N(text))
        out += c == '\n' ? std::string("\\n") : std::string(1, c);
    return out + "\"";
}

// One node a line, indented by depth: elements with their attributes sorted
// (namespace declarations included), text, CDATA and comments quoted.
void outline(const DOMNode* node, int depth, std::string& out) {
    std::string line(2 * depth, ' ');
    const auto type = node->getNodeType();
    if (type == DOMNode::ELEMENT_NODE) {
        line += N(node->getNodeName());
        std::vector<std::string> attributes;
        for (XMLSize_t i = 0; i < node->getAttributes()->getLength(); ++i) {
            const DOMNode* a = node->getAttributes()->item(i);
            attributes.push_back(N(a->getNodeName()) + "=" + quoted(a->getNodeValue()));
        }
        std::sort(attributes.begin(), attributes.end());
        for (const std::string& a : attributes)
            line += " " + a;
    } else {
        static const std::map<int, std::string> kinds = {{DOMNode::TEXT_NODE, "text "},
                                                         {DOMNode::CDATA_SECTION_NODE, "cdata "},
                                                         {DOMNode::COMMENT_NODE, "comment "}};
        const auto kind = kinds.find(type);
        line += kind == kinds.end() ? "node " + std::to_string(type)
                                    : kind->second + quoted(node->getNodeValue());
    }
    out += line + "\n";
    for (const DOMNode* n = node->getFirstChild(); n; n = n->getNextSibling())
        outline(n, depth + 1, out);
}

std::string outline(const DOMDocument& document) {
    const XMLCh* version = document.getXmlVersion(); // none without an XML declaration
    std::string out = "xml " + (version ? N(version) : "(no declaration)") +
                      (document.getDoctype() ? " with a document type\n" : "\n");
    for (const DOMNode* n = document.getFirstChild(); n; n = n->getNextSibling())
        outline(n, 0, out);
    return out;
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

fs::path casesDir() {
    return PalimoTest::dataDir() / "xmlutils";
}

std::vector<std::string> caseNames() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(casesDir())) {
        if (entry.is_directory())
            names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

class XSDAggregatorCase : public ::testing::TestWithParam<std::string> {};

TEST_P(XSDAggregatorCase, MatchesItsGoldenOutline) {
    const TempDir dir;
    const fs::path source = casesDir() / GetParam();
    for (const auto& entry : fs::recursive_directory_iterator(source)) {
        const fs::path relative = fs::relative(entry.path(), source);
        if (entry.is_regular_file() && relative != "outline.expected")
            dir.write(relative.string(),
                      replaced(readFile(entry.path()), "{dir}", dir.path().string()));
    }
    // Noting where everything was written changes neither document nor refusal.
    for (const bool noted : {false, true}) {
        const Parser parser = newParser();
        SchemaSources sources;
        std::string actual;
        try {
            actual =
                outline(*aggregate(*parser, dir.path(), "main.xsd", noted ? &sources : nullptr));
        } catch (const SchemaAggregationError& e) {
            actual = "refused: " + replaced(N(e.message()), dir.path().string(), "{dir}") + "\n";
        }
        PalimoTest::expectMatchesGolden(actual, source / "outline.expected");
    }
}

// The text of line `line` (from 1) of the file at `path`.
std::string lineOf(const std::string& path, int line) {
    std::istringstream in(readFile(path));
    std::string text;
    for (int i = 0; i < line && std::getline(in, text);)
        ++i;
    return text;
}

TEST(SchemaSources, NameTheFileAndLineOfEveryComponentAndDirective) {
    const fs::path dir = casesDir() / "nested-directives";
    const Parser parser = newParser();
    SchemaSources sources;
    const DOMDocument* document = aggregate(*parser, dir, "main.xsd", &sources);
    ASSERT_GE(sources.files.size(), 3u);
    EXPECT_EQ(fs::path(sources.files[0]), dir / "main.xsd");
    int components = 0;
    for (const DOMNode* node = document->getDocumentElement()->getFirstChild(); node;
         node = node->getNextSibling()) {
        if (node->getNodeType() != DOMNode::ELEMENT_NODE)
            continue;
        const auto& element = static_cast<const xercesc::DOMElement&>(*node);
        const auto place = sources.placeOf(element);
        ASSERT_TRUE(place) << N(element.getAttribute(u"name"));
        const std::string name = N(element.getAttribute(u"name"));
        if (!name.empty()) {
            EXPECT_NE(
                lineOf(sources.files.at(place->file), place->line).find("name=\"" + name + "\""),
                std::string::npos)
                << name << " at " << sources.files.at(place->file) << ":" << place->line;
        }
        ++components;
    }
    EXPECT_GT(components, 4);
    ASSERT_GE(sources.directives.size(), 4u);
    EXPECT_EQ(sources.directives[0].location, "first.xsd");
    EXPECT_EQ(sources.directives[0].place.line, 6);
    for (const SchemaSources::Directive& directive : sources.directives) {
        const std::string line =
            lineOf(sources.files.at(directive.place.file), directive.place.line);
        EXPECT_NE(line.find("<xs:" + directive.kind), std::string::npos) << line;
        EXPECT_NE(line.find(directive.location), std::string::npos) << line;
        EXPECT_TRUE(directive.path);
    }
}

// Tags that share a line, a tag that spans two, and characters of several
// bytes before them: each element is placed at the line its start tag begins.
TEST(SchemaSources, PlaceTagsThatShareALineAtTheirOwnLine) {
    const fs::path dir = casesDir() / "tags-on-shared-lines";
    const Parser parser = newParser();
    SchemaSources sources;
    const DOMDocument* document = aggregate(*parser, dir, "main.xsd", &sources);
    std::string lines;
    for (const DOMNode* node = document->getDocumentElement()->getFirstChild(); node;
         node = node->getNextSibling())
        if (node->getNodeType() == DOMNode::ELEMENT_NODE) {
            const auto& element = static_cast<const xercesc::DOMElement&>(*node);
            const auto place = sources.placeOf(element);
            ASSERT_TRUE(place);
            lines += N(element.getAttribute(u"name")) + ":" + std::to_string(place->line) + " ";
        }
    EXPECT_EQ(lines, "a:2 \xc3\xa4\xc3\xa9\xe2\x82\xac"
                     "b:2 c:2 d:3 e:4 f:4 ");
}

// A refused directive is the last one noted: what names the file is known.
TEST(SchemaSources, KeepWhatWasReadUntilARefusal) {
    const struct {
        const char* folder;
        const char* location;
        bool path;
    } cases[] = {{"refused-location-unreadable", "/proc/self/mem", true},
                 {"refused-network-http", nullptr, false}};
    for (const auto& c : cases) {
        const fs::path dir = casesDir() / c.folder;
        const Parser parser = newParser();
        SchemaSources sources;
        EXPECT_THROW(aggregate(*parser, dir, "main.xsd", &sources), SchemaAggregationError);
        ASSERT_FALSE(sources.directives.empty()) << c.folder;
        const SchemaSources::Directive& last = sources.directives.back();
        if (c.location) {
            EXPECT_EQ(last.location, c.location);
        }
        EXPECT_EQ(last.path.has_value(), c.path) << c.folder;
        EXPECT_NE(lineOf(sources.files.at(last.place.file), last.place.line).find("schemaLocation"),
                  std::string::npos)
            << c.folder;
    }
}

INSTANTIATE_TEST_SUITE_P(Folders, XSDAggregatorCase, ::testing::ValuesIn(caseNames()),
                         [](const auto& info) {
                             std::string name = info.param;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

// The loader's parser outlives each aggregator and keeps its own settings.
TEST(XSDAggregator, DocumentsLiveAsLongAsTheParserWhoseHandlersAreRestored) {
    struct Handler : xercesc::DOMErrorHandler {
        bool handleError(const xercesc::DOMError&) override { return true; }
    } handler;
    const Parser parser = newParser();
    auto* config = parser->getDomConfig();
    config->setParameter(xercesc::XMLUni::fgDOMErrorHandler, &handler);
    // The first document's aggregator is gone before the second one is built.
    const fs::path one = casesDir() / "nested-directives", two = casesDir() / "top-components";
    const DOMDocument* first = aggregate(*parser, one, "main.xsd");
    const DOMDocument* second = aggregate(*parser, two, "main.xsd");
    EXPECT_THROW(aggregate(*parser, two, "none.xsd"), SchemaAggregationError);
    EXPECT_EQ(outline(*first), readFile(one / "outline.expected"));
    EXPECT_EQ(outline(*second), readFile(two / "outline.expected"));
    EXPECT_EQ(config->getParameter(xercesc::XMLUni::fgDOMErrorHandler), &handler);
    EXPECT_EQ(config->getParameter(xercesc::XMLUni::fgXercesUserAdoptsDOMDocument), nullptr);
}

// The loader builds names and paths from DOM text (UTF-16) and from paths
// (UTF-8); a null pointer stands for absent text.
TEST(UnicodeString, CopiesUtf16AndDecodesUtf8AndNullIsEmpty) {
    XMLCh buffer[] = u"ff:Ref";
    const UnicodeString copy(buffer);
    buffer[0] = u'x';
    EXPECT_EQ(copy.str(), WString(u"ff:Ref"));
    EXPECT_EQ(copy.utf16()[6], u'\0');
    EXPECT_EQ(UnicodeString("Gr\xC3\xBC\xC3\x9F"
                            "e \xF0\x9F\x8E\xAC")
                  .str(),
              WString(u"Grüße \U0001F3AC"));
    const UnicodeString fromUtf16(static_cast<const XMLCh*>(nullptr));
    const UnicodeString fromUtf8(static_cast<const char*>(nullptr));
    for (const UnicodeString* s : {&fromUtf16, &fromUtf8}) {
        ASSERT_NE(s->utf16(), nullptr);
        EXPECT_EQ(s->utf16()[0], u'\0');
        EXPECT_TRUE(s->str().empty());
    }
    WString target = W("previous text");
    Palimo::XMLUtils::utf16ToWstring(u"xs:schema", target);
    EXPECT_EQ(target, WString(u"xs:schema"));
    Palimo::XMLUtils::utf16ToWstring(nullptr, target);
    EXPECT_TRUE(target.empty());
}

} // namespace
