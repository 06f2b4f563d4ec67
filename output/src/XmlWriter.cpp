#include <Palimo/Output/OutputError.h>
#include <Palimo/Output/XmlWriter.h>

#include "XmlEscaping.h"

#include <algorithm>

namespace Palimo {
namespace Output {
namespace {

[[noreturn]] void fail(const std::string& message) {
    throw XmlWriterError(message, __FILE__, __LINE__);
}

std::string quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

std::string qualified(const std::string& prefix, std::string_view localName) {
    return prefix.empty() ? std::string(localName) : prefix + ":" + std::string(localName);
}

} // namespace

XmlWriter::XmlWriter(std::ostream& out, std::vector<XmlNamespace> namespaces)
    : out_(out), namespaces_(std::move(namespaces)) {
    for (auto it = namespaces_.begin(); it != namespaces_.end(); ++it) {
        if (!it->prefix.empty() &&
            (!isNCName(it->prefix) || it->prefix == "xml" || it->prefix == "xmlns"))
            fail("the namespace prefix " + quoted(it->prefix) + " is no name one may declare");
        if (it->uri.empty())
            fail("the namespace prefix " + quoted(it->prefix) + " is declared for an empty URI");
        for (auto before = namespaces_.begin(); before != it; ++before) {
            if (before->prefix == it->prefix)
                fail("the namespace prefix " + quoted(it->prefix) + " is declared twice");
            if (before->uri == it->uri)
                fail("the namespace " + quoted(it->uri) + " is declared twice");
        }
    }
    out_ << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
}

const std::string& XmlWriter::prefixOf(std::string_view namespaceURI, bool forAttribute) const {
    static const std::string none;
    const auto declared =
        std::find_if(namespaces_.begin(), namespaces_.end(),
                     [&](const XmlNamespace& ns) { return ns.uri == namespaceURI; });
    if (namespaceURI.empty()) {
        const bool hasDefault =
            std::any_of(namespaces_.begin(), namespaces_.end(),
                        [](const XmlNamespace& ns) { return ns.prefix.empty(); });
        if (hasDefault && !forAttribute)
            fail("an element in no namespace where a default namespace is declared");
        return none;
    }
    if (declared == namespaces_.end())
        fail("the namespace " + quoted(namespaceURI) + " is not declared on the root");
    if (forAttribute && declared->prefix.empty())
        fail("an attribute in the default namespace " + quoted(namespaceURI) +
             ", which has no prefix");
    return declared->prefix;
}

void XmlWriter::closeStartTag() {
    if (!startTagOpen_)
        return;
    out_ << '>';
    startTagOpen_ = false;
    attributes_.clear();
}

void XmlWriter::beginNode() {
    closeStartTag();
    if (open_.empty()) {
        out_ << '\n';
        return;
    }
    Open& parent = open_.back();
    parent.children = true;
    if (!parent.inlined)
        out_ << '\n' << std::string(2 * open_.size(), ' ');
}

void XmlWriter::separator(XmlLine line) {
    if (line == XmlLine::New)
        out_ << '\n' << std::string(attributeColumn_, ' ');
    else
        out_ << ' ';
}

void XmlWriter::comment(std::string_view text) {
    std::string body;
    appendEscaped(body, text, XmlContext::Comment);
    beginNode();
    out_ << "<!--" << body << "-->";
}

void XmlWriter::startElement(std::string_view namespaceURI, std::string_view localName) {
    if (!isNCName(localName))
        fail("the element name " + quoted(localName) + " is no XML name without colons");
    if (open_.empty() && rootWritten_)
        fail("a second root element " + quoted(localName));
    const std::string name = qualified(prefixOf(namespaceURI, false), localName);
    beginNode();
    out_ << '<' << name;
    attributeColumn_ = 2 * open_.size() + name.size() + 2;
    if (open_.empty()) {
        for (const XmlNamespace& ns : namespaces_) {
            std::string uri;
            appendEscaped(uri, ns.uri, XmlContext::Attribute);
            separator(ns.line);
            out_ << (ns.prefix.empty() ? "xmlns" : "xmlns:" + ns.prefix) << "=\"" << uri << '"';
        }
        rootWritten_ = true;
    }
    const bool inlined = !open_.empty() && open_.back().inlined;
    open_.push_back(Open{name});
    open_.back().inlined = inlined;
    startTagOpen_ = true;
}

void XmlWriter::attribute(std::string_view namespaceURI, std::string_view localName,
                          std::string_view value, XmlLine line) {
    if (!startTagOpen_)
        fail("the attribute " + quoted(localName) + " outside a start tag");
    if (!isNCName(localName))
        fail("the attribute name " + quoted(localName) + " is no XML name without colons");
    const std::string name = qualified(prefixOf(namespaceURI, true), localName);
    if (std::find(attributes_.begin(), attributes_.end(), name) != attributes_.end())
        fail("the attribute " + quoted(name) + " twice on " + open_.back().name);
    attributes_.push_back(name);
    std::string escaped;
    appendEscaped(escaped, value, XmlContext::Attribute);
    separator(line);
    out_ << name << "=\"" << escaped << '"';
}

void XmlWriter::inlineContent() {
    if (open_.empty())
        fail("inline content where no element is open");
    open_.back().inlined = true;
}

void XmlWriter::keepEndTag() {
    if (open_.empty())
        fail("an end tag kept where no element is open");
    open_.back().keepEndTag = true;
}

void XmlWriter::text(std::string_view text) {
    if (open_.empty())
        fail("text outside the root element");
    if (text.empty())
        return;
    std::string escaped;
    appendEscaped(escaped, text, XmlContext::Text);
    closeStartTag();
    open_.back().inlined = true;
    out_ << escaped;
}

void XmlWriter::endElement() {
    if (open_.empty())
        fail("the end of an element where none is open");
    const Open ending = std::move(open_.back());
    open_.pop_back();
    if (startTagOpen_ && !ending.keepEndTag) {
        out_ << "/>";
        startTagOpen_ = false;
        attributes_.clear();
        return;
    }
    closeStartTag();
    if ((ending.children || ending.keepEndTag) && !ending.inlined)
        out_ << '\n' << std::string(2 * open_.size(), ' ');
    out_ << "</" << ending.name << '>';
}

void XmlWriter::finish() {
    if (!open_.empty())
        fail("the end of the document where " + open_.back().name + " is open");
    if (!rootWritten_)
        fail("the end of a document without a root element");
    out_ << '\n';
}

} // namespace Output
} // namespace Palimo
