#include "XmlCanonical.h"

#include <Palimo/Utils/StringConversion.h>
#include <Palimo/XMLUtils/Initializer.h>

#include <xercesc/dom/DOM.hpp>
#include <xercesc/framework/MemBufInputSource.hpp>
#include <xercesc/parsers/XercesDOMParser.hpp>
#include <xercesc/sax/HandlerBase.hpp>
#include <xercesc/sax/SAXParseException.hpp>

#include <algorithm>
#include <memory>
#include <stdexcept>

namespace OutputTest {
namespace {

using namespace xercesc;

std::string utf8(const XMLCh* text) {
    return text ? Palimo::Utils::wstringToString(reinterpret_cast<const char16_t*>(text)) : "";
}

std::string escaped(const std::string& text) {
    std::string out;
    for (char c : text)
        out += c == '\n' ? std::string("\\n") : c == '"' ? std::string("\\\"") : std::string(1, c);
    return out;
}

std::string qualified(const DOMNode* node) {
    return "{" + utf8(node->getNamespaceURI()) + "}" + utf8(node->getLocalName());
}

bool isWhitespace(const std::string& text) {
    return text.find_first_not_of(" \t\r\n") == std::string::npos;
}

using Block = std::vector<std::string>;

Block canonical(const DOMElement* element, std::size_t depth) {
    const std::string indent(2 * depth, ' ');
    std::vector<std::string> attributes;
    const DOMNamedNodeMap* map = element->getAttributes();
    for (XMLSize_t i = 0; i < map->getLength(); ++i) {
        const DOMNode* attribute = map->item(i);
        if (utf8(attribute->getNamespaceURI()) == "http://www.w3.org/2000/xmlns/")
            continue;
        attributes.push_back(qualified(attribute) + "=\"" +
                             escaped(utf8(attribute->getNodeValue())) + "\"");
    }
    std::sort(attributes.begin(), attributes.end());
    std::string head = indent + qualified(element);
    for (const std::string& attribute : attributes)
        head += " " + attribute;

    std::vector<Block> parts;
    std::vector<bool> layout; // whitespace-only text
    std::string text;
    bool markup = false, isSet = false;
    const auto flushText = [&] {
        if (!text.empty()) {
            parts.push_back({indent + "  text: \"" + escaped(text) + "\""});
            layout.push_back(isWhitespace(text));
        }
        text.clear();
    };
    for (const DOMNode* child = element->getFirstChild(); child; child = child->getNextSibling()) {
        switch (child->getNodeType()) {
        case DOMNode::TEXT_NODE:
        case DOMNode::CDATA_SECTION_NODE:
            text += utf8(child->getNodeValue());
            break;
        case DOMNode::ELEMENT_NODE:
            flushText();
            markup = true;
            isSet = isSet || utf8(child->getLocalName()) == "InstanceID";
            parts.push_back(canonical(static_cast<const DOMElement*>(child), depth + 1));
            layout.push_back(false);
            break;
        case DOMNode::COMMENT_NODE:
            flushText();
            markup = true;
            parts.push_back({indent + "  <!--" + escaped(utf8(child->getNodeValue())) + "-->"});
            layout.push_back(false);
            break;
        default:
            break;
        }
    }
    flushText();
    std::vector<Block> kept;
    for (std::size_t i = 0; i < parts.size(); ++i)
        if (!(markup && layout[i]))
            kept.push_back(std::move(parts[i]));
    if (isSet)
        std::sort(kept.begin(), kept.end());
    Block block = {head};
    for (const Block& part : kept)
        block.insert(block.end(), part.begin(), part.end());
    return block;
}

// Parses `xml` and gives the parser, which owns the document.
std::unique_ptr<XercesDOMParser> parse(const std::string& xml) {
    Palimo::XMLUtils::Initializer::instance();
    auto parser = std::make_unique<XercesDOMParser>();
    parser->setDoNamespaces(true);
    parser->setValidationScheme(XercesDOMParser::Val_Never);
    parser->setCreateEntityReferenceNodes(false);
    HandlerBase errors; // throws on fatal errors
    parser->setErrorHandler(&errors);
    MemBufInputSource source(reinterpret_cast<const XMLByte*>(xml.data()), xml.size(), "document");
    try {
        parser->parse(source);
    } catch (const SAXParseException& e) {
        throw std::runtime_error("line " + std::to_string(e.getLineNumber()) + ", column " +
                                 std::to_string(e.getColumnNumber()) + ": " + utf8(e.getMessage()));
    }
    parser->setErrorHandler(nullptr);
    if (!parser->getDocument() || !parser->getDocument()->getDocumentElement())
        throw std::runtime_error("no root element");
    return parser;
}

} // namespace

std::vector<std::string> canonicalLines(const std::string& xml) {
    const auto parser = parse(xml);
    return canonical(parser->getDocument()->getDocumentElement(), 0);
}

::testing::AssertionResult sameDocument(const std::string& actual, const std::string& expected) {
    std::vector<std::string> a, e;
    try {
        a = canonicalLines(actual);
        e = canonicalLines(expected);
    } catch (const std::exception& failure) {
        return ::testing::AssertionFailure() << "not well-formed: " << failure.what();
    }
    if (a == e)
        return ::testing::AssertionSuccess();
    std::size_t at = 0;
    while (at < a.size() && at < e.size() && a[at] == e[at])
        ++at;
    auto failure = ::testing::AssertionFailure();
    failure << "the documents differ at canonical line " << at + 1 << " (" << a.size() << " and "
            << e.size() << " lines)\n";
    for (std::size_t i = at > 3 ? at - 3 : 0; i < at; ++i)
        failure << "   " << a[i] << '\n';
    failure << "got      " << (at < a.size() ? a[at] : "(end)") << '\n'
            << "expected " << (at < e.size() ? e[at] : "(end)") << '\n';
    return failure;
}

ReadBack readBack(const std::string& xml) {
    const auto parser = parse(xml);
    const DOMElement* root = parser->getDocument()->getDocumentElement();
    ReadBack result;
    for (XMLSize_t i = 0; i < root->getAttributes()->getLength(); ++i) {
        const DOMNode* attribute = root->getAttributes()->item(i);
        if (utf8(attribute->getNamespaceURI()) != "http://www.w3.org/2000/xmlns/") {
            result.attribute = utf8(attribute->getNodeValue());
            break;
        }
    }
    result.text = utf8(root->getTextContent());
    return result;
}

} // namespace OutputTest
