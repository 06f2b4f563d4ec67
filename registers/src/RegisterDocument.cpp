#include "RegisterDocument.h"

#include <Palimo/Registers/RegisterError.h>
#include <Palimo/Utils/StringConversion.h>

#include <xercesc/dom/DOMComment.hpp>
#include <xercesc/dom/DOMDocument.hpp>
#include <xercesc/dom/DOMNode.hpp>
#include <xercesc/framework/MemBufInputSource.hpp>
#include <xercesc/sax/ErrorHandler.hpp>
#include <xercesc/sax/SAXParseException.hpp>
#include <xercesc/util/PlatformUtils.hpp>
#include <xercesc/util/XMLException.hpp>

#include <fstream>
#include <iterator>
#include <sstream>

namespace Palimo {
namespace Registers {
namespace {

using namespace xercesc;

std::string utf8(const XMLCh* text) {
    static_assert(sizeof(XMLCh) == sizeof(char16_t), "XMLCh must be a 16-bit unit");
    return Utils::wstringToString(reinterpret_cast<const char16_t*>(text));
}

// Turns the first error or fatal error into a RegisterError with its place.
class ThrowingErrorHandler : public ErrorHandler {
public:
    explicit ThrowingErrorHandler(std::string fileName) : fileName_(std::move(fileName)) {}
    void warning(const SAXParseException&) override {}
    void error(const SAXParseException& e) override { fail(e); }
    void fatalError(const SAXParseException& e) override { fail(e); }
    void resetErrors() override {}

private:
    [[noreturn]] void fail(const SAXParseException& e) {
        throw RegisterError(fileName_ + ":" + std::to_string(e.getLineNumber()) + ":" +
                                std::to_string(e.getColumnNumber()) +
                                ": not well-formed XML: " + utf8(e.getMessage()),
                            __FILE__, __LINE__);
    }
    std::string fileName_;
};

std::string readWholeFile(const std::filesystem::path& path, const std::string& fileName) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        throw RegisterError(
            fileName + ": cannot read " + path.string() + ": " +
                (std::filesystem::exists(path, error) ? "not a regular file" : "no such file"),
            __FILE__, __LINE__);
    std::ifstream in(path, std::ios::binary);
    std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof())
        throw RegisterError(fileName + ": cannot read " + path.string(), __FILE__, __LINE__);
    return content;
}

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

} // namespace

XercesSession::XercesSession() {
    XMLPlatformUtils::Initialize();
}

XercesSession::~XercesSession() {
    XMLPlatformUtils::Terminate();
}

RegisterDocument::RegisterDocument(const std::filesystem::path& path, const std::string& fileName)
    : parser_(std::make_unique<XercesDOMParser>()) {
    const std::string content = readWholeFile(path, fileName);
    parser_->setDoNamespaces(true);
    parser_->setValidationScheme(XercesDOMParser::Val_Never);
    parser_->setLoadExternalDTD(false);
    parser_->setDisableDefaultEntityResolution(true);
    parser_->setCreateEntityReferenceNodes(false);
    parser_->setIncludeIgnorableWhitespace(false);
    // Registers declare no entities; a document type declaration is refused
    // after the parse, and this bounds what its entities could expand to.
    security_.setEntityExpansionLimit(100);
    parser_->setSecurityManager(&security_);
    ThrowingErrorHandler handler(fileName);
    parser_->setErrorHandler(&handler);
    const MemBufInputSource source(reinterpret_cast<const XMLByte*>(content.data()), content.size(),
                                   fileName.c_str());
    try {
        parser_->parse(source);
    } catch (const XMLException& e) {
        parser_->setErrorHandler(nullptr);
        throw RegisterError(fileName + ": " + utf8(e.getMessage()), __FILE__, __LINE__);
    } catch (...) {
        parser_->setErrorHandler(nullptr);
        throw;
    }
    parser_->setErrorHandler(nullptr);
    const DOMDocument* document = parser_->getDocument();
    if (document->getDoctype() != nullptr)
        throw RegisterError(fileName + ": a register has no document type declaration", __FILE__,
                            __LINE__);
    root_ = document->getDocumentElement();
    if (root_ == nullptr)
        throw RegisterError(fileName + ": no root element", __FILE__, __LINE__);
}

RegisterDocument::~RegisterDocument() = default;

std::string RegisterDocument::revision() const {
    static const std::string kMarker = "master_commit_tag=";
    for (const DOMNode* node = parser_->getDocument()->getFirstChild(); node != nullptr;
         node = node->getNextSibling()) {
        if (node->getNodeType() == DOMNode::ELEMENT_NODE)
            break;
        if (node->getNodeType() != DOMNode::COMMENT_NODE)
            continue;
        const std::string text = utf8(node->getNodeValue());
        const std::size_t at = text.find(kMarker);
        if (at == std::string::npos)
            continue;
        std::size_t end = at + kMarker.size();
        while (end < text.size() && !isSpace(text[end]))
            ++end;
        return text.substr(at + kMarker.size(), end - at - kMarker.size());
    }
    return std::string();
}

std::string localName(const DOMElement* element) {
    const XMLCh* name = element->getLocalName();
    return utf8(name != nullptr ? name : element->getTagName());
}

std::vector<const DOMElement*> childElements(const DOMElement* parent) {
    std::vector<const DOMElement*> children;
    for (const DOMElement* child = parent->getFirstElementChild(); child != nullptr;
         child = child->getNextElementSibling())
        children.push_back(child);
    return children;
}

std::string trimmedText(const DOMElement* element) {
    const std::string text = utf8(element->getTextContent());
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isSpace(text[begin]))
        ++begin;
    while (end > begin && isSpace(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

} // namespace Registers
} // namespace Palimo
