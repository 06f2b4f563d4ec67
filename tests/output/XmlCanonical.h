#pragma once
// Two XML documents compared as XML: the root element and what it holds,
// parsed with Xerces, namespaces by URI (prefixes and declarations do not
// count), attributes in any order, whitespace between elements ignored, the
// items of a set (an element holding an InstanceID) in any order; what lies
// outside the root (the declaration, leading comments) is not compared.
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace OutputTest {

/// The canonical form of the document's root, one line a node: elements as
/// "{uri}name {uri}attribute="value"...", text as `text: "..."`, comments
/// as `<!--...-->`, indented by depth. Throws std::runtime_error, with the
/// parser's message, when `xml` is not well-formed.
std::vector<std::string> canonicalLines(const std::string& xml);

/// Whether the documents' canonical forms are equal; else the first line that
/// differs, with the lines before it.
::testing::AssertionResult sameDocument(const std::string& actual, const std::string& expected);

/// The text of the root element's first attribute and its text, as a parser
/// reads them back.
struct ReadBack {
    std::string attribute;
    std::string text;
};
ReadBack readBack(const std::string& xml);

} // namespace OutputTest
