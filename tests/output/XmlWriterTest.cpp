// The streaming XML writer: escaping in each place, the layout, and the calls
// it refuses.
#include "XmlCanonical.h"
#include "support/TestSupport.h"

#include <Palimo/Output/OutputError.h>
#include <Palimo/Output/XmlWriter.h>

#include <functional>
#include <sstream>

namespace {

using Palimo::Output::XmlNamespace;
using Palimo::Output::XmlWriter;
using Palimo::Output::XmlWriterError;

const char kDeclaration[] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
const std::vector<XmlNamespace> kNamespaces = {{"a", "urn:a"}, {"b", "urn:b"}};

std::string written(const std::function<void(XmlWriter&)>& calls,
                    const std::vector<XmlNamespace>& namespaces = kNamespaces) {
    std::ostringstream out;
    XmlWriter writer(out, namespaces);
    calls(writer);
    writer.finish();
    return out.str();
}

// One element holding `text` as text, and as the value of an attribute.
std::string inElement(const std::string& text) {
    return written([&](XmlWriter& w) {
        w.startElement("urn:a", "e");
        w.attribute("urn:b", "t", text);
        w.text(text);
        w.endElement();
    });
}

TEST(XmlWriter, EscapesTextAndAttributesSoThatTheyReadBackTheSame) {
    const std::string fffd = "\xef\xbf\xbd";
    struct Case {
        std::string text;
        std::string attribute; // as written
        std::string content;   // as written
        std::string readsAs;   // as a parser reads both back
    };
    const Case cases[] = {
        {"a & b < c > d", "a &amp; b &lt; c &gt; d", "a &amp; b &lt; c &gt; d", "a & b < c > d"},
        {"\"quoted\" 'single'", "&#34;quoted&#34; 'single'", "\"quoted\" 'single'",
         "\"quoted\" 'single'"},
        {"tab\tline\ncr\r", "tab&#9;line&#10;cr&#13;", "tab\tline\ncr&#13;", "tab\tline\ncr\r"},
        // Characters above U+FFFF as decimal references, others as UTF-8.
        {"\xf0\x90\x80\x80\xf0\x90\x90\xb7 \xe1\x9e\x80 \xc3\xa9",
         "&#65536;&#66615; \xe1\x9e\x80 \xc3\xa9", "&#65536;&#66615; \xe1\x9e\x80 \xc3\xa9",
         "\xf0\x90\x80\x80\xf0\x90\x90\xb7 \xe1\x9e\x80 \xc3\xa9"},
        // What XML cannot carry at all: U+FFFD.
        {std::string("nul\0 bel\x07 \xef\xbf\xbe", 13), "nul" + fffd + " bel" + fffd + " " + fffd,
         "nul" + fffd + " bel" + fffd + " " + fffd, "nul" + fffd + " bel" + fffd + " " + fffd},
        // One U+FFFD a byte that starts no UTF-8 sequence.
        {"cut \xe2\x82 stray \x80 over \xc0\xaf",
         "cut " + fffd + fffd + " stray " + fffd + " over " + fffd + fffd,
         "cut " + fffd + fffd + " stray " + fffd + " over " + fffd + fffd,
         "cut " + fffd + fffd + " stray " + fffd + " over " + fffd + fffd},
        // C1 controls are characters XML carries.
        {"\xc2\x85", "\xc2\x85", "\xc2\x85", "\xc2\x85"},
    };
    for (const Case& c : cases) {
        const std::string document = inElement(c.text);
        EXPECT_EQ(document, std::string(kDeclaration) +
                                "\n<a:e xmlns:a=\"urn:a\" xmlns:b=\"urn:b\" b:t=\"" + c.attribute +
                                "\">" + c.content + "</a:e>\n")
            << c.text;
        const OutputTest::ReadBack back = OutputTest::readBack(document);
        EXPECT_EQ(back.attribute, c.readsAs) << c.text;
        EXPECT_EQ(back.text, c.readsAs) << c.text;
    }
}

TEST(XmlWriter, CommentsNeverHoldTwoHyphensInARowNorEndInOne) {
    const std::pair<std::string, std::string> cases[] = {
        {"a -- b", "a - - b"},
        {"---", "- - - "},
        {"ends-", "ends- "},
        {"-starts", "-starts"},
        {"line\nbreak \xf0\x90\x80\x80 \x01", "line\nbreak \xf0\x90\x80\x80 \xef\xbf\xbd"},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(written([&](XmlWriter& w) {
                      w.startElement("urn:a", "e");
                      w.comment(text);
                      w.endElement();
                  }),
                  std::string(kDeclaration) +
                      "\n<a:e xmlns:a=\"urn:a\" xmlns:b=\"urn:b\">\n  <!--" + expected +
                      "-->\n</a:e>\n")
            << text;
}

TEST(XmlWriter, LaysOutElementsTextAndComments) {
    const std::string document = written(
        [](XmlWriter& w) {
            w.comment("before");
            w.startElement("urn:a", "root");
            w.startElement("urn:a", "empty");
            w.endElement();
            w.startElement("urn:a", "emptyText");
            w.text("");
            w.endElement();
            w.startElement("", "plain");
            w.text("one line");
            w.endElement();
            w.startElement("urn:b", "parent");
            w.startElement("urn:b", "child");
            w.text("x");
            w.endElement();
            w.comment("inside");
            w.endElement();
            w.startElement("urn:a", "mixed");
            w.text("text first");
            w.comment("then a comment");
            w.startElement("urn:a", "child");
            w.endElement();
            w.endElement();
            w.endElement();
            w.comment("after");
        },
        {{"a", "urn:a"}, {"b", "urn:b"}, {"c", "urn:\"c\""}});
    EXPECT_EQ(document, std::string(kDeclaration) + R"(
<!--before-->
<a:root xmlns:a="urn:a" xmlns:b="urn:b" xmlns:c="urn:&#34;c&#34;">
  <a:empty/>
  <a:emptyText/>
  <plain>one line</plain>
  <b:parent>
    <b:child>x</b:child>
    <!--inside-->
  </b:parent>
  <a:mixed>text first<!--then a comment--><a:child/></a:mixed>
</a:root>
<!--after-->
)");
}

// What a hand-laid-out document needs: declarations and attributes on lines
// of their own under the first one, content kept on its line (and all below
// it), and end tags kept for elements with nothing in them.
TEST(XmlWriter, LaysOutLinesAndEndTagsAsAsked) {
    using Palimo::Output::XmlLine;
    const std::string document = written(
        [](XmlWriter& w) {
            w.startElement("urn:a", "root");
            w.keepEndTag();
            w.attribute("", "one", "1", XmlLine::New);
            w.attribute("", "two", "2");
            w.startElement("urn:a", "row");
            w.inlineContent();
            w.attribute("", "n", "1");
            w.startElement("urn:b", "cell");
            w.startElement("urn:b", "inner");
            w.keepEndTag();
            w.endElement();
            w.endElement();
            w.endElement();
            w.startElement("urn:a", "kept");
            w.keepEndTag();
            w.endElement();
            w.startElement("urn:a", "kept");
            w.keepEndTag();
            w.text("x");
            w.endElement();
            w.endElement();
        },
        {{"a", "urn:a"}, {"b", "urn:b", XmlLine::New}});
    EXPECT_EQ(document, std::string(kDeclaration) + R"(
<a:root xmlns:a="urn:a"
        xmlns:b="urn:b"
        one="1" two="2">
  <a:row n="1"><b:cell><b:inner></b:inner></b:cell></a:row>
  <a:kept>
  </a:kept>
  <a:kept>x</a:kept>
</a:root>
)");
}

TEST(XmlWriter, TheDefaultNamespaceNeedsNoPrefix) {
    EXPECT_EQ(written(
                  [](XmlWriter& w) {
                      w.startElement("urn:d", "e");
                      w.attribute("", "plain", "1");
                      w.attribute("urn:a", "qualified", "2");
                      w.endElement();
                  },
                  {{"", "urn:d"}, {"a", "urn:a"}}),
              std::string(kDeclaration) +
                  "\n<e xmlns=\"urn:d\" xmlns:a=\"urn:a\" plain=\"1\" a:qualified=\"2\"/>\n");
}

TEST(XmlWriter, RefusesCallsThatWouldMakeTheDocumentIllFormed) {
    struct Case {
        const char* what;
        std::function<void(XmlWriter&)> calls;
        std::string message;
    };
    const auto inRoot = [](std::function<void(XmlWriter&)> more) {
        return [more](XmlWriter& w) {
            w.startElement("urn:a", "root");
            more(w);
        };
    };
    const Case cases[] = {
        {"bad element name", [](XmlWriter& w) { w.startElement("urn:a", "a b"); },
         "the element name \"a b\" is no XML name without colons"},
        {"qualified name", [](XmlWriter& w) { w.startElement("urn:a", "a:b"); },
         "the element name \"a:b\" is no XML name without colons"},
        {"digit first", [](XmlWriter& w) { w.startElement("urn:a", "1st"); },
         "the element name \"1st\" is no XML name without colons"},
        {"undeclared", [](XmlWriter& w) { w.startElement("urn:x", "e"); },
         "the namespace \"urn:x\" is not declared on the root"},
        {"second root",
         [](XmlWriter& w) {
             w.startElement("urn:a", "e");
             w.endElement();
             w.startElement("urn:a", "f");
         },
         "a second root element \"f\""},
        {"text outside", [](XmlWriter& w) { w.text("x"); }, "text outside the root element"},
        {"attribute after content", inRoot([](XmlWriter& w) {
             w.text("x");
             w.attribute("", "n", "v");
         }),
         "the attribute \"n\" outside a start tag"},
        {"attribute twice", inRoot([](XmlWriter& w) {
             w.attribute("urn:b", "n", "1");
             w.attribute("urn:b", "n", "2");
         }),
         "the attribute \"b:n\" twice on a:root"},
        {"end without start", [](XmlWriter& w) { w.endElement(); },
         "the end of an element where none is open"},
        {"inline outside", [](XmlWriter& w) { w.inlineContent(); },
         "inline content where no element is open"},
        {"end tag outside", [](XmlWriter& w) { w.keepEndTag(); },
         "an end tag kept where no element is open"},
        {"open at the end", inRoot([](XmlWriter& w) { w.finish(); }),
         "the end of the document where a:root is open"},
        {"no root", [](XmlWriter& w) { w.finish(); },
         "the end of a document without a root element"},
    };
    for (const Case& c : cases) {
        std::ostringstream out;
        XmlWriter writer(out, kNamespaces);
        EXPECT_THROWS_EXACTLY(XmlWriterError, c.calls(writer), c.message) << c.what;
    }
    std::ostringstream out;
    EXPECT_THROWS_EXACTLY(XmlWriterError, XmlWriter(out, {{"a", "urn:a"}, {"a", "urn:b"}}),
                          "the namespace prefix \"a\" is declared twice");
    EXPECT_THROWS_EXACTLY(XmlWriterError, XmlWriter(out, {{"a", "urn:a"}, {"b", "urn:a"}}),
                          "the namespace \"urn:a\" is declared twice");
    EXPECT_THROWS_EXACTLY(XmlWriterError, XmlWriter(out, {{"xmlns", "urn:a"}}),
                          "the namespace prefix \"xmlns\" is no name one may declare");
    EXPECT_THROWS_EXACTLY(XmlWriterError, XmlWriter(out, {{"a", ""}}),
                          "the namespace prefix \"a\" is declared for an empty URI");
    XmlWriter withDefault(out, {{"", "urn:d"}});
    EXPECT_THROWS_EXACTLY(XmlWriterError, withDefault.startElement("", "e"),
                          "an element in no namespace where a default namespace is declared");
}

} // namespace
