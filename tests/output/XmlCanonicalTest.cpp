// The comparison the RegXML tests rely on: what it tells apart and what it
// lets pass.
#include "XmlCanonical.h"

namespace {

const std::string kReference = R"(<?xml version="1.0" encoding="UTF-8"?><!--made now-->
<r0:Set xmlns:r0="urn:sets" xmlns:r1="urn:items" xmlns:r2="urn:attributes" r2:uid="u1">
  <r1:InstanceID>urn:uuid:1</r1:InstanceID>
  <!--Unknown property-->
  <r1:List>
    <r1:Item>1</r1:Item>
    <r1:Item>2</r1:Item>
  </r1:List>
  <r1:Text>a &lt; b
</r1:Text>
</r0:Set>
)";

TEST(XmlCanonical, TellsApartWhatDiffersAsXml) {
    const std::pair<std::string, std::string> changes[] = {
        {"<r1:Item>2</r1:Item>", "<r1:Item>3</r1:Item>"},     // text
        {"r2:uid=\"u1\"", "r2:uid=\"u2\""},                   // attribute value
        {"r2:uid=\"u1\"", "r1:uid=\"u1\""},                   // attribute namespace
        {"xmlns:r1=\"urn:items\"", "xmlns:r1=\"urn:other\""}, // element namespace
        {"<!--Unknown property-->", "<!--Unknown-->"},        // comment
        {"<!--Unknown property-->", ""},                      // a comment missing
        {"<r1:Item>1</r1:Item>\n    <r1:Item>2</r1:Item>",    // order of array items
         "<r1:Item>2</r1:Item>\n    <r1:Item>1</r1:Item>"},
        {"a &lt; b\n</r1:Text>", "a &lt; b</r1:Text>"}, // text-only whitespace
    };
    for (const auto& [from, to] : changes) {
        std::string changed = kReference;
        changed.replace(changed.find(from), from.size(), to);
        EXPECT_FALSE(OutputTest::sameDocument(changed, kReference)) << to;
    }
}

TEST(XmlCanonical, LetsPassWhatDoesNotDifferAsXml) {
    const std::string same = R"(<?xml version="1.0"?>
<s:Set xmlns:s="urn:sets" xmlns:i="urn:items" xmlns:a="urn:attributes" a:uid="u1"><i:Text>a &lt; b&#10;</i:Text>
<i:List><i:Item>1</i:Item><i:Item>2</i:Item></i:List><!--Unknown property--><i:InstanceID>urn:uuid:1</i:InstanceID></s:Set>)";
    EXPECT_TRUE(OutputTest::sameDocument(same, kReference));
    EXPECT_FALSE(OutputTest::sameDocument("<a><b></a>", kReference));
}

} // namespace
