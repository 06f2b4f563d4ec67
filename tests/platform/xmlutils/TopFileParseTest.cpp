// The top file is built around its root's content: the caller's parser reads
// the file without that content, the included-file parser builds the content
// into the root. What a load sees, and every refusal's text and position,
// must be those of parsing the whole file at once.
#include <Palimo/XMLUtils/Initializer.h>
#include <Palimo/XMLUtils/XSDAggregator.h>

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <xercesc/dom/DOM.hpp>
#include <xercesc/util/PlatformUtils.hpp>

#include <memory>
#include <string>

namespace {

using Palimo::XMLUtils::Initializer;
using Palimo::XMLUtils::SchemaAggregationError;
using Palimo::XMLUtils::XSDAggregator;
using PalimoTest::N;
using PalimoTest::W;

struct TopFileCase {
    const char* name;
    std::string text;
    // The root's element children and document-level nodes, or the refusal.
    std::string expected;
};

std::string top(const std::string& prolog, const std::string& content, const std::string& tail) {
    return "<?xml version=\"1.0\"?>\n" + prolog +
           "<xs:schema xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" a=\"x>y\">\n" + content +
           "</xs:schema>" + tail;
}

// "element:NAME" per child element of the root, "#comment" per document-level
// comment; the refusal's message instead when the aggregation fails.
std::string outline(const std::string& text, const PalimoTest::TempDir& dir) {
    dir.write("top.xsd", text);
    auto* ls =
        dynamic_cast<xercesc::DOMImplementationLS*>(Initializer::instance().domImplementation());
    const std::unique_ptr<xercesc::DOMLSParser, void (*)(xercesc::DOMLSParser*)> parser(
        ls->createLSParser(xercesc::DOMImplementationLS::MODE_SYNCHRONOUS, nullptr,
                           xercesc::XMLPlatformUtils::fgMemoryManager, nullptr),
        [](xercesc::DOMLSParser* p) { p->release(); });
    std::string out;
    try {
        XSDAggregator aggregator(W(dir.path().string().c_str()).c_str(), u"top.xsd");
        const xercesc::DOMDocument* document =
            aggregator.createStandAloneSchemaDocument(parser.get());
        for (const xercesc::DOMNode* n = document->getFirstChild(); n; n = n->getNextSibling()) {
            if (n->getNodeType() == xercesc::DOMNode::COMMENT_NODE)
                out += "#comment ";
        }
        const xercesc::DOMElement* root = document->getDocumentElement();
        out += "a=" + N(root->getAttribute(u"a"));
        for (const xercesc::DOMElement* e = root->getFirstElementChild(); e;
             e = e->getNextElementSibling())
            out += " " + N(e->getLocalName()) + ":" + N(e->getAttribute(u"name"));
    } catch (const SchemaAggregationError& e) {
        out = N(e.message());
        const std::string dirText = dir.path().string();
        for (auto at = out.find(dirText); at != std::string::npos; at = out.find(dirText))
            out.replace(at, dirText.size(), "{dir}");
    }
    return out;
}

class TopFileParse : public ::testing::TestWithParam<TopFileCase> {};

TEST_P(TopFileParse, ReadsAsTheWholeFileDoes) {
    const PalimoTest::TempDir dir;
    EXPECT_EQ(outline(GetParam().text, dir), GetParam().expected);
}

const std::string kTwo = "<xs:element name=\"A\"/>\n<!-- </xs:schema> -->\n"
                         "<xs:simpleType name=\"B\"><xs:restriction base=\"xs:string\"/>"
                         "</xs:simpleType>\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, TopFileParse,
    ::testing::Values(
        TopFileCase{"Components", top("", kTwo, "\n"), "a=x>y element:A simpleType:B"},
        TopFileCase{"CommentsAroundTheRoot", top("<!-- a -->", kTwo, "<!-- </x> -->\n"),
                    "#comment #comment a=x>y element:A simpleType:B"},
        TopFileCase{"EmptyRoot",
                    "<xs:schema xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" a=\"/\"/>", "a=/"},
        TopFileCase{
            "EntityInTheContent",
            top("<!DOCTYPE xs:schema [<!ENTITY e \"<xs:element name='E'/>\">]>\n", "&e;\n", ""),
            "a=x>y element:E"},
        TopFileCase{"ErrorInTheContent", top("", "<xs:element name=\"A\">\n</xs:schema>", ""),
                    "Malformed XML in \"{dir}/top.xsd\" at line 4, column 3: expected end of "
                    "tag 'xs:element'"},
        TopFileCase{"ErrorAfterTheRoot", top("", kTwo, "\n\n<x/>"),
                    "Malformed XML in \"{dir}/top.xsd\" at line 8, column 1: comment or "
                    "processing instruction expected"},
        TopFileCase{"UnclosedRoot", top("", kTwo, "").substr(0, 160),
                    "Malformed XML in \"{dir}/top.xsd\" at line 5, column 30: unexpected end of "
                    "input"}),
    [](const auto& info) { return std::string(info.param.name); });

// A file in UTF-16 is cut at the same characters.
TEST(TopFileParse, Utf16File) {
    const std::string text = top("", kTwo, "\n");
    std::string bytes = "\xFF\xFE";
    for (const char c : text)
        bytes += {c, '\0'};
    const PalimoTest::TempDir dir;
    EXPECT_EQ(outline(bytes, dir), "a=x>y element:A simpleType:B");
}

} // namespace
