#include <Palimo/XMLUtils/Initializer.h>
#include <Palimo/XMLUtils/XSDAggregator.h>

#include "support/TestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <xercesc/dom/DOM.hpp>
#include <xercesc/util/PlatformUtils.hpp>

#include <memory>
#include <string>
#include <vector>

namespace {

using Palimo::XMLUtils::Initializer;
using Palimo::XMLUtils::SchemaAggregationError;
using Palimo::XMLUtils::XSDAggregator;
using PalimoTest::N;
using PalimoTest::schema;
using PalimoTest::TempDir;
using PalimoTest::W;
using xercesc::DOMDocument;
using xercesc::DOMElement;
using xercesc::DOMNode;

struct Release {
    template <class T>
    void operator()(T* p) const {
        p->release();
    }
};
template <class T>
using Owned = std::unique_ptr<T, Release>;

Owned<xercesc::DOMLSParser> newParser() {
    auto* ls =
        dynamic_cast<xercesc::DOMImplementationLS*>(Initializer::instance().domImplementation());
    return Owned<xercesc::DOMLSParser>(
        ls->createLSParser(xercesc::DOMImplementationLS::MODE_SYNCHRONOUS, nullptr,
                           xercesc::XMLPlatformUtils::fgMemoryManager, nullptr));
}

DOMDocument* aggregate(xercesc::DOMLSParser* parser, const std::string& directory,
                       const std::string& file) {
    const auto dir = W(directory.c_str());
    const auto name = W(file.c_str());
    XSDAggregator aggregator(dir.c_str(), name.c_str());
    return aggregator.createStandAloneSchemaDocument(parser);
}

// "kind name" for every element child of the root, in document order.
std::vector<std::string> components(const DOMDocument* document) {
    std::vector<std::string> out;
    for (const DOMNode* n = document->getDocumentElement()->getFirstChild(); n;
         n = n->getNextSibling()) {
        if (n->getNodeType() != DOMNode::ELEMENT_NODE)
            continue;
        const auto* e = static_cast<const DOMElement*>(n);
        std::string entry = N(e->getLocalName());
        const std::string name = N(e->getAttribute(u"name"));
        out.push_back(name.empty() ? entry : entry + " " + name);
    }
    return out;
}

// The prefixed namespace declarations of the root (the DOM keeps attributes in
// an order of its own).
std::vector<std::string> rootDeclarations(const DOMDocument* document) {
    std::vector<std::string> out;
    const auto* attributes = document->getDocumentElement()->getAttributes();
    for (XMLSize_t i = 0; i < attributes->getLength(); ++i) {
        const DOMNode* a = attributes->item(i);
        if (a->getPrefix() && N(a->getPrefix()) == "xmlns")
            out.push_back(N(a->getLocalName()) + "=" + N(a->getNodeValue()));
    }
    return out;
}

// A schema document around `body` with `doctype` after its XML declaration.
std::string withDoctype(const std::string& doctype, const std::string& body) {
    std::string text = schema(body);
    return text.insert(text.find('\n') + 1, doctype + "\n");
}

class XSDAggregatorTest : public ::testing::Test {
protected:
    Owned<xercesc::DOMLSParser> parser = newParser();
    TempDir dir;
    std::string at(const std::string& relative) const { return (dir.path() / relative).string(); }
    DOMDocument* aggregateTemp(const std::string& file) {
        return aggregate(parser.get(), dir.path().string(), file);
    }
};

TEST_F(XSDAggregatorTest, ReplacesDirectivesInPlaceReadingEachFileOnce) {
    DOMDocument* doc =
        aggregate(parser.get(), (PalimoTest::dataDir() / "xmlutils/nested").string(), "main.xsd");
    // first.xsd is named three times and sub/inner.xsd twice; both close cycles
    // back to files already read. The import without a location disappears.
    EXPECT_THAT(components(doc),
                ::testing::ElementsAre("element A", "element F1", "simpleType I1", "complexType F2",
                                       "element B", "annotation", "element C", "element S1",
                                       "complexType E1", "element S2", "element D"));
    EXPECT_EQ(N(doc->getDocumentElement()->getAttribute(u"elementFormDefault")), "qualified");
    // The declaration written only on the imported root is known to the result.
    EXPECT_THAT(rootDeclarations(doc), ::testing::UnorderedElementsAre(
                                           "xs=http://www.w3.org/2001/XMLSchema",
                                           "ff=urn:SMPTE:MXF:file_format", "ext=urn:example:ext"));
}

TEST_F(XSDAggregatorTest, TopDeclarationsWinAndComponentsKeepTheirOwnBindings) {
    dir.write("b.xsd", "<xs:schema xmlns:xs='http://www.w3.org/2001/XMLSchema' "
                       "xmlns:ff='urn:other' xmlns:m='urn:m' xmlns:k='urn:k'>"
                       "<xs:element name='X' type='ff:T'/></xs:schema>");
    dir.write("c.xsd", "<xs:schema xmlns:xs='http://www.w3.org/2001/XMLSchema' "
                       "xmlns:m='urn:m2'/>");
    dir.write("a.xsd", schema("<xs:include schemaLocation='b.xsd'/>"
                              "<xs:include schemaLocation='c.xsd'/>",
                              "xmlns:k='urn:k0'"));
    DOMDocument* doc = aggregateTemp("a.xsd");
    // The top file's bindings win, then the first file that declares a prefix.
    EXPECT_THAT(rootDeclarations(doc), ::testing::UnorderedElementsAre(
                                           "xs=http://www.w3.org/2001/XMLSchema",
                                           "ff=urn:SMPTE:MXF:file_format", "k=urn:k0", "m=urn:m"));
    // "ff:T" keeps its meaning in the moved component.
    const DOMElement* x = doc->getDocumentElement()->getFirstElementChild();
    EXPECT_EQ(N(x->lookupNamespaceURI(u"ff")), "urn:other");
    EXPECT_EQ(N(x->lookupNamespaceURI(u"k")), "urn:k");
    EXPECT_EQ(N(x->lookupNamespaceURI(u"m")), "urn:m");
}

TEST_F(XSDAggregatorTest, AcceptsAbsolutePathsAndFileUris) {
    dir.write("lib/abs.xsd", schema("<xs:element name='Abs'/>"));
    dir.write("lib/uri.xsd", schema("<xs:element name='Uri'/>"));
    dir.write("lib/sp ace.xsd", schema("<xs:element name='Space'/>"));
    dir.write("top.xsd", schema("<xs:include schemaLocation='" + at("lib/abs.xsd") + "'/>" +
                                "<xs:include schemaLocation='file://" + at("lib/uri.xsd") +
                                "'/><xs:include schemaLocation=' lib/sp%20ace.xsd '/>" +
                                "<xs:include schemaLocation='file:lib/abs.xsd'/>"));
    EXPECT_THAT(components(aggregateTemp("top.xsd")),
                ::testing::ElementsAre("element Abs", "element Uri", "element Space"));
}

// Components of directives after the top file's last own component are built
// at the end of the root, the others are moved before their directive: the
// order is that of the directives either way, nested ones and redefinitions
// included. A redefined original stays under a name no schema can write,
// which the redefinition's self-reference now names; an unmatched
// redefinition is added.
TEST_F(XSDAggregatorTest, ComponentsKeepTheirOrderWhetherBuiltAtTheEndOrMoved) {
    dir.write("deep.xsd", schema("<xs:element name='D1'/>"));
    dir.write("inner.xsd", schema("<xs:element name='I1'/><xs:include schemaLocation='deep.xsd'/>"
                                  "<xs:element name='I2'/>"));
    dir.write("base.xsd", schema("<xs:simpleType name='T'><xs:restriction base='xs:string'/>"
                                 "</xs:simpleType><xs:element name='E' type='ff:T'/>"
                                 "<xs:include schemaLocation='inner.xsd'/>"));
    dir.write("other.xsd", schema("<xs:element name='O'/>"));
    for (const std::string tail : {"", "<xs:element name='Last'/>"}) {
        SCOPED_TRACE(tail);
        dir.write("top.xsd",
                  schema("<xs:element name='Own'/><xs:redefine schemaLocation='base.xsd'>"
                         "<xs:simpleType name='T'><xs:restriction base='ff:T'>"
                         "<xs:maxLength value='4'/></xs:restriction></xs:simpleType>"
                         "<xs:group name='Unmatched'><xs:sequence/></xs:group>"
                         "</xs:redefine><xs:include schemaLocation='other.xsd'/>" +
                         tail));
        DOMDocument* doc = aggregateTemp("top.xsd");
        std::vector<std::string> expected = {"element Own",  "simpleType T#redefined-1",
                                             "simpleType T", "element E",
                                             "element I1",   "element D1",
                                             "element I2",   "group Unmatched",
                                             "element O"};
        if (!tail.empty())
            expected.push_back("element Last");
        EXPECT_EQ(components(doc), expected);
        ASSERT_EQ(doc->getElementsByTagNameNS(u"*", u"maxLength")->getLength(), 1u);
        const auto* restriction = static_cast<const DOMElement*>(
            doc->getElementsByTagNameNS(u"*", u"maxLength")->item(0)->getParentNode());
        EXPECT_EQ(N(restriction->getAttribute(u"base")), "ff:T#redefined-1");
        EXPECT_EQ(doc->getElementsByTagNameNS(u"*", u"redefine")->getLength(), 0u);
    }
}

TEST_F(XSDAggregatorTest, RefusesWhatItCannotReadWithTheFileNamed) {
    dir.write("otherns.xsd", "<xs:schema xmlns:xs='urn:not-xsd'/>");
    dir.write("base.xsd", schema("<xs:element name='E'/>"));
    dir.write("override.xsd", schema("<xs:override schemaLocation='base.xsd'>"
                                     "<xs:element name='E' type='xs:string'/></xs:override>"));
    const std::string d = dir.path().string();
    const struct {
        std::string file;
        std::string message;
    } cases[] = {
        {"none.xsd", "Cannot read schema file \"" + d + "/none.xsd\": No such file or directory"},
        {"otherns.xsd", "Schema file \"" + d +
                            "/otherns.xsd\" has root element \"xs:schema\" in namespace "
                            "\"urn:not-xsd\", not xs:schema"},
        {"", "Cannot read schema file \"" + d + "/\": not a regular file"},
        {"override.xsd", "Schema file \"" + d +
                             "/override.xsd\" overrides \"base.xsd\" with xs:override, which is "
                             "not supported: the components it brings would be missing"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        EXPECT_THROWS_EXACTLY(SchemaAggregationError, aggregateTemp(c.file), c.message);
    }
}

// Locations a directive may name that are refused before or when read: a
// directory, a file whose read fails, a NUL (were the path cut there, "a.xsd"
// would be read) and the network.
TEST_F(XSDAggregatorTest, RefusesLocationsItMustNotOrCannotRead) {
    dir.write("sub/x.xsd", schema(""));
    dir.write("a.xsd", schema("<xs:element name='A'/>"));
    const std::string top = "Schema \"" + at("top.xsd") + "\" names ";
    const std::string nul = "\", which holds a NUL character";
    const std::string network = "\"; only local files are read";
    const struct {
        std::string location;
        std::string message;
    } cases[] = {
        {"sub", "Cannot read schema file \"" + at("sub") + "\": not a regular file"},
        {"/proc/self/mem", "Cannot read schema file \"/proc/self/mem\": Input/output error"},
        {"a.xsd%00.txt", top + "the location \"a.xsd%00.txt" + nul},
        {"file:a.xsd%00", top + "the location \"file:a.xsd%00" + nul},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.location);
        dir.write("top.xsd", schema("<xs:include schemaLocation='" + c.location + "'/>"));
        EXPECT_THROWS_EXACTLY(SchemaAggregationError, aggregateTemp("top.xsd"), c.message);
    }
    for (const std::string location :
         {"http://example.com/a.xsd", "https://example.com/a.xsd", "ftp://example.com/a.xsd",
          "HTTP://example.com/a.xsd", "//server/share/a.xsd", "\\\\server\\share\\a.xsd",
          "file://server/share/a.xsd"}) {
        SCOPED_TRACE(location);
        dir.write("top.xsd",
                  schema("<xs:import namespace='urn:x' schemaLocation='" + location + "'/>"));
        EXPECT_THROWS_EXACTLY(SchemaAggregationError, aggregateTemp("top.xsd"),
                              top + "a network location \"" + location + network);
    }
}

// External entities are refused in the load catalogue; here the internal
// subset still expands while the absent external DTD is never read.
TEST_F(XSDAggregatorTest, LoadsNoExternalDtd) {
    // Were the DTD loaded, the parse would fail.
    dir.write("dtd.xsd", withDoctype("<!DOCTYPE xs:schema SYSTEM 'absent.dtd' "
                                     "[<!ENTITY name 'Expanded'>]>",
                                     "<xs:element name='&name;'/>"));
    EXPECT_THAT(components(aggregateTemp("dtd.xsd")), ::testing::ElementsAre("element Expanded"));
}

// An included file is parsed into the standalone document itself: its
// internal subset still expands entities and defaults attributes as the top
// file's would, while its declaration and document type stay its own.
TEST_F(XSDAggregatorTest, IncludedFilesKeepTheirDtdToThemselves) {
    dir.write("inc.xsd", "<?xml version='1.1' encoding='ISO-8859-1'?>\n"
                         "<!DOCTYPE xs:schema [<!ENTITY name 'Expanded'>"
                         "<!ATTLIST xs:element type CDATA 'Defaulted'>]>\n"
                         "<!-- before the root -->" +
                             schema("<xs:element name='&name;'/>").substr(39));
    dir.write("top.xsd", schema("<xs:include schemaLocation='inc.xsd'/><xs:element name='Top'/>"));
    DOMDocument* doc = aggregateTemp("top.xsd");
    ASSERT_THAT(components(doc), ::testing::ElementsAre("element Expanded", "element Top"));
    const auto* included =
        static_cast<const DOMElement*>(doc->getElementsByTagNameNS(u"*", u"element")->item(0));
    EXPECT_EQ(N(included->getAttribute(u"type")), "Defaulted");
    EXPECT_EQ(included->getOwnerDocument(), doc);
    EXPECT_EQ(doc->getDoctype(), nullptr);
    EXPECT_EQ(N(doc->getXmlVersion()), "1.0");
}

// The children of `node`: elements by local name, other nodes by kind and text.
std::vector<std::string> childrenOf(const DOMNode* node) {
    std::vector<std::string> out;
    for (const DOMNode* n = node->getFirstChild(); n; n = n->getNextSibling()) {
        switch (n->getNodeType()) {
        case DOMNode::ELEMENT_NODE:
            out.push_back("<" + N(n->getLocalName()) + ">");
            break;
        case DOMNode::TEXT_NODE:
            out.push_back("text:" + N(n->getNodeValue()));
            break;
        case DOMNode::CDATA_SECTION_NODE:
            out.push_back("cdata:" + N(n->getNodeValue()));
            break;
        default:
            out.push_back("node " + std::to_string(n->getNodeType()));
        }
    }
    return out;
}

// Whitespace-only text is left out of an included file only where the schema
// has element-only content; every other text stays exactly as written.
TEST_F(XSDAggregatorTest, IncludedFilesKeepEveryTextButStructuralWhitespace) {
    dir.write("inc.xsd",
              schema("<xs:element name='E'>\n <xs:annotation>\n"
                     "  <xs:appinfo source='S'>\n   <!-- c -->v</xs:appinfo>\n"
                     "  <xs:documentation> <b> bold </b> </xs:documentation>\n"
                     " </xs:annotation>\n</xs:element>\n"
                     "<xs:element name='F'> stray &amp; text <![CDATA[ ]]> </xs:element>"));
    dir.write("top.xsd", schema("<xs:include schemaLocation='inc.xsd'/>"));
    DOMDocument* doc = aggregateTemp("top.xsd");
    const auto first = [doc](const XMLCh* localName) {
        return doc->getElementsByTagNameNS(u"*", localName)->item(0);
    };
    using ::testing::ElementsAre;
    // The top file's whitespace between components goes too; the components
    // of a directive at the end are built after the top file's own.
    EXPECT_THAT(childrenOf(doc->getDocumentElement()), ElementsAre("<element>", "<element>"));
    EXPECT_THAT(childrenOf(first(u"element")), ElementsAre("<annotation>"));
    EXPECT_THAT(childrenOf(first(u"annotation")), ElementsAre("<appinfo>", "<documentation>"));
    EXPECT_THAT(childrenOf(first(u"appinfo")), ElementsAre("text:\n   ", "node 8", "text:v"));
    EXPECT_THAT(childrenOf(first(u"documentation")), ElementsAre("text: ", "<b>", "text: "));
    EXPECT_THAT(childrenOf(first(u"b")), ElementsAre("text: bold "));
    EXPECT_THAT(childrenOf(doc->getElementsByTagNameNS(u"*", u"element")->item(1)),
                ElementsAre("text: stray & text ", "cdata: "));
}

// The loader's parser outlives each aggregator and keeps its own settings.
TEST_F(XSDAggregatorTest, DocumentsLiveAsLongAsTheParserWhoseHandlersAreRestored) {
    struct Handler : xercesc::DOMErrorHandler {
        bool handleError(const xercesc::DOMError&) override { return true; }
    } handler;
    auto* config = parser->getDomConfig();
    config->setParameter(xercesc::XMLUni::fgDOMErrorHandler, &handler);
    dir.write("inc.xsd", schema("<xs:element name='Included'/>"));
    dir.write("one.xsd", schema("<xs:include schemaLocation='inc.xsd'/>"));
    dir.write("two.xsd", schema("<xs:element name='Two'/>"));
    DOMDocument* first = aggregateTemp("one.xsd"); // its aggregator is gone
    DOMDocument* second = aggregateTemp("two.xsd");
    EXPECT_THROW(aggregateTemp("none.xsd"), SchemaAggregationError);
    EXPECT_NE(first, second);
    EXPECT_THAT(components(first), ::testing::ElementsAre("element Included"));
    EXPECT_THAT(components(second), ::testing::ElementsAre("element Two"));
    EXPECT_EQ(config->getParameter(xercesc::XMLUni::fgDOMErrorHandler), &handler);
    EXPECT_EQ(config->getParameter(xercesc::XMLUni::fgXercesUserAdoptsDOMDocument), nullptr);
}

} // namespace
