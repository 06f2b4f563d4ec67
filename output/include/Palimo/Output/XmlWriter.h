#pragma once
// A small streaming XML writer: it writes each call's markup at once and
// keeps only the names of the open elements, never the document.
//
// Layout: the XML declaration on the first line; each element and comment
// starts on a line of its own, indented two spaces a level; an element with
// text only stays on one line (<a>text</a>), one with nothing in it (or only
// empty text) is self-closed (<a/>), one with child elements or comments
// ends on a line of its own. Inside an element that has text, no whitespace
// is added (it would change the text): text belongs before the children. An
// element may also be asked to keep all of its content on its own line
// (inlineContent), and a namespace declaration or an attribute to start a
// line of its own, aligned under the start tag's first attribute.
//
// Threads: one writer is used by one thread at a time; writers of separate
// streams are independent.
#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace Palimo {
namespace Output {

/// Where a namespace declaration or an attribute starts: after the one
/// before it, or on a line of its own.
enum class XmlLine { Same, New };

/// A namespace declared on the root element: prefix "" declares the default
/// namespace.
struct XmlNamespace {
    std::string prefix;
    std::string uri;
    XmlLine line = XmlLine::Same;
};

class XmlWriter {
public:
    /// Writes the XML declaration (version 1.0, UTF-8). Throws XmlWriterError
    /// when a prefix is no XML name without colons (NCName), "xml" or "xmlns",
    /// or repeats another, or a URI is empty or declared twice.
    XmlWriter(std::ostream& out, std::vector<XmlNamespace> namespaces);
    XmlWriter(const XmlWriter&) = delete;
    XmlWriter& operator=(const XmlWriter&) = delete;

    /// A comment, before, inside or after the root. Where the text holds "--"
    /// a space is put between the two; a final "-" gets a space after it.
    void comment(std::string_view text);
    /// Starts an element in the namespace `namespaceURI` (written with the
    /// prefix declared for it; "" for no namespace). The first one is the
    /// root and carries the namespace declarations. Throws XmlWriterError for
    /// a name that is no NCName, an undeclared namespace, an element in no
    /// namespace when a default namespace is declared, and a second root.
    void startElement(std::string_view namespaceURI, std::string_view localName);
    /// An attribute of the element just started, before any of its content.
    /// Throws XmlWriterError where there is no such element, for a repeated
    /// attribute, a name that is no NCName, an undeclared namespace or one
    /// declared as the default (attributes need a prefix for a namespace).
    void attribute(std::string_view namespaceURI, std::string_view localName,
                   std::string_view value, XmlLine line = XmlLine::Same);
    /// Keeps the content of the current element on its line: no line break
    /// or indentation is added anywhere inside it, as inside an element with
    /// text. Throws XmlWriterError when no element is open.
    void inlineContent();
    /// Ends the current element with an end tag even when nothing is in it
    /// (on a line of its own, unless its content is inline) rather than
    /// self-closing it. Throws XmlWriterError when no element is open.
    void keepEndTag();
    /// Text inside the current element; "" adds nothing. Throws XmlWriterError
    /// outside the root.
    void text(std::string_view text);
    /// Ends the current element. Throws XmlWriterError when none is open.
    void endElement();
    /// Ends the document with a line break. Throws XmlWriterError when
    /// elements are open or no root was written.
    void finish();

    /// The number of elements open.
    std::size_t depth() const { return open_.size(); }

private:
    struct Open {
        std::string name; // qualified, as written
        bool children = false;
        bool inlined = false; // no white space added inside: it has text, or was asked so
        bool keepEndTag = false;
    };

    const std::string& prefixOf(std::string_view namespaceURI, bool forAttribute) const;
    void closeStartTag();
    void beginNode();             // the line break and indentation before an element or comment
    void separator(XmlLine line); // before a namespace declaration or an attribute

    std::ostream& out_;
    std::vector<XmlNamespace> namespaces_;
    std::vector<Open> open_;
    std::vector<std::string> attributes_; // of the open start tag
    std::size_t attributeColumn_ = 0;     // of its first attribute
    bool startTagOpen_ = false;
    bool rootWritten_ = false;
};

} // namespace Output
} // namespace Palimo
