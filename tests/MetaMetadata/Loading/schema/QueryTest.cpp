// A query keeps one dynamic context for all its evaluations: each one sees
// only its own context node, also when a pass runs inside another pass of the
// same query or after one that failed, and items that are no nodes are told
// apart as the DOM binding tells them.
#include "schema/Query.h"
#include "MetaMetadata/Loading/SchemaSnippets.h"
#include "schema/DomText.h"

#include <xqilla/exceptions/XQillaException.hpp>

namespace {

using Palimo::MetaMetadata::Loading::Query;
using Palimo::MetaMetadata::Loading::toWstring;
using PalimoTest::N;
using PalimoTest::Snippet;

const char kBody[] = R"(<xs:element name="A"><xs:annotation/></xs:element>
  <xs:element name="B"/><xs:complexType name="T"><xs:sequence/></xs:complexType>)";

std::string text(const xercesc::DOMNode* node) {
    return node != nullptr
               ? N(toWstring(node->getNodeName())) + "=" + N(toWstring(node->getTextContent()))
               : "<none>";
}

TEST(Query, EachPassSeesItsOwnContextNode) {
    const Snippet f(kBody);
    // The name is read after the inner passes over the children have run.
    const Query childrenThenName(u"(./*, @name)", nullptr);
    std::vector<std::string> seen;
    childrenThenName.forEachNode(f.root(), [&](const xercesc::DOMNode* component) {
        seen.push_back(text(component));
        childrenThenName.forEachNode(
            component, [&](const xercesc::DOMNode* child) { seen.push_back(" " + text(child)); });
    });
    EXPECT_EQ(seen, (std::vector<std::string>{"xs:element=", " xs:annotation=", " name=A",
                                              "xs:element=", " name=B",
                                              "xs:complexType=", " xs:sequence=", " name=T"}));
    EXPECT_EQ(text(Query(u"@name", nullptr).firstNode(f.root())), "<none>");
}

TEST(Query, AFailedPassLeavesTheQueryUsable) {
    const Snippet f(kBody);
    const Query failing(u"if (@name eq 'B') then error() else @name", &f.schema().resolver());
    EXPECT_THROW(failing.firstNode(f.component("B")), XQillaException);
    EXPECT_EQ(text(failing.firstNode(f.component("A"))), "name=A");
    const Query mixed(u"(@name, 1)", nullptr);
    std::vector<std::string> seen;
    EXPECT_THROW(mixed.forEachNode(f.component("A"),
                                   [&](const xercesc::DOMNode* n) { seen.push_back(text(n)); }),
                 XQillaException);
    EXPECT_EQ(seen, std::vector<std::string>{"name=A"});
    EXPECT_EQ(Query(u"(1, @name)", nullptr).firstNode(f.component("A")), nullptr);
    EXPECT_THROW(Query(u"./xs:element", nullptr), XQillaException); // no prefixes without resolver
}

} // namespace
