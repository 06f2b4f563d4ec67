#include "IncludedFileParser.h"

#include "SchemaFileChecks.h"
#include "SchemaFileScan.h"
#include "SourceLines.h"

#include <Palimo/XMLUtils/UnicodeString.h>

#include <xercesc/dom/DOMDocumentFragment.hpp>
#include <xercesc/dom/DOMException.hpp>
#include <xercesc/dom/impl/DOMDocumentImpl.hpp>
#include <xercesc/dom/impl/DOMDocumentTypeImpl.hpp>
#include <xercesc/framework/MemBufInputSource.hpp>
#include <xercesc/internal/XMLScanner.hpp>
#include <xercesc/parsers/XercesDOMParser.hpp>
#include <xercesc/sax/ErrorHandler.hpp>
#include <xercesc/sax/Locator.hpp>
#include <xercesc/sax/SAXParseException.hpp>
#include <xercesc/util/SecurityManager.hpp>
#include <xercesc/util/XMLChar.hpp>
#include <xercesc/util/XMLEntityResolver.hpp>
#include <xercesc/util/XMLException.hpp>
#include <xercesc/util/XMLString.hpp>

#include <optional>
#include <string>
#include <vector>
#include <xercesc/util/XMLResourceIdentifier.hpp>

namespace Palimo {
namespace XMLUtils {

namespace {

using xercesc::SAXParseException;

const XMLCh kSchemaNamespace[] = u"http://www.w3.org/2001/XMLSchema";

// Thrown from the parser's callbacks to end a parse at its first problem;
// what the problem was stays with the callback's owner.
struct StopParse {};

// Keeps the first error or fatal error of a parse and ends the parse there.
class FirstErrorHandler : public xercesc::ErrorHandler {
public:
    explicit FirstErrorHandler(FirstProblem& problem) : problem_(problem) {}

    void warning(const SAXParseException&) override {}
    void error(const SAXParseException& e) override { keep(e); }
    void fatalError(const SAXParseException& e) override { keep(e); }
    void resetErrors() override {}

private:
    [[noreturn]] void keep(const SAXParseException& e) {
        problem_.error(e.getMessage(), static_cast<unsigned long long>(e.getLineNumber()),
                       static_cast<unsigned long long>(e.getColumnNumber()));
        throw StopParse{};
    }

    FirstProblem& problem_;
};

// Answers every request for an external entity or DTD with empty input, so
// that nothing outside the schema file is ever opened, and remembers the
// first request so that the file can be refused.
class RefusingEntityResolver : public xercesc::XMLEntityResolver {
public:
    explicit RefusingEntityResolver(FirstProblem& problem) : problem_(problem) {}

    xercesc::InputSource* resolveEntity(xercesc::XMLResourceIdentifier* resource) override {
        problem_.entityRequest(resource->getSystemId(), resource->getPublicId());
        static const XMLByte nothing[1] = {0};
        return new xercesc::MemBufInputSource(nothing, 0, resource->getSystemId(),
                                              false); // adopted by the parser
    }

private:
    FirstProblem& problem_;
};

} // namespace

// A DOM parser whose documents are all one: the target. Each parse builds its
// tree under a fresh fragment of the target instead of a new document, and
// the target never joins the documents the parser releases.
class IncludedFileParser::Parser : public xercesc::XercesDOMParser {
public:
    explicit Parser(xercesc::DOMDocument& target) : target_(target) {
        setDoNamespaces(true);
        setValidationScheme(Val_Never);
        setDoSchema(false);
        setLoadSchema(false);
        setCreateEntityReferenceNodes(false); // expand entity references
        setCreateCommentNodes(true);
        setLoadExternalDTD(false);
        setSkipDTDValidation(true);
        setDisableDefaultEntityResolution(true);
        setDoXInclude(false);
        // A grammar reused from an earlier parse would refuse the internal
        // DTD subset of the next file.
        cacheGrammarFromParse(false);
        useCachedGrammarInParse(false);
        setExitOnFirstFatalError(true);
        setSecurityManager(&security_);
    }

    ~Parser() override { detach(); }
    Parser(const Parser&) = delete;
    Parser& operator=(const Parser&) = delete;

    // The root element the last parse built, if any.
    xercesc::DOMElement* root() const {
        for (xercesc::DOMNode* node = fragment_ ? fragment_->getFirstChild() : nullptr; node;
             node = node->getNextSibling()) {
            if (node->getNodeType() == xercesc::DOMNode::ELEMENT_NODE)
                return static_cast<xercesc::DOMElement*>(node);
        }
        return nullptr;
    }

    bool nestingExceeded() const { return nestingExceeded_; }
    bool attributesExceeded() const { return attributesExceeded_; }

    // Gives the target back: it is never the parser's to release.
    void detach() {
        if (fDocument)
            fDocument->setErrorChecking(true);
        setDocument(nullptr);
    }

    // Where the elements of the next parse are noted, if anywhere: the file's
    // index in `sources` and its lines.
    void record(SchemaSources* sources, std::size_t file, const SourceLines* lines) {
        sources_ = sources;
        file_ = file;
        lines_ = lines;
    }

    void prepare(xercesc::ErrorHandler& errors, xercesc::XMLEntityResolver& resolver,
                 xercesc::DOMElement* componentsParent, const EntityBudget& budget) {
        // The scanner copies the limit, and restarts its count, when it is
        // given the manager: once per file.
        security_.setEntityExpansionLimit(budget.expansions());
        setSecurityManager(&security_);
        attributesExceeded_ = false;
        componentsParent_ = componentsParent;
        setErrorHandler(&errors);
        setXMLEntityResolver(&resolver);
        fragment_ = nullptr;
        open_.clear();
        pendingWhitespace_.clear();
        nestingExceeded_ = false;
    }

protected:
    void startDocument() override {
        setDocument(&target_);
        fDocument->setErrorChecking(false);
        fragment_ = target_.createDocumentFragment();
        fCurrentParent = fragment_;
        fCurrentNode = fragment_;
    }

    // The standalone document keeps the declaration of the top file.
    void XMLDecl(const XMLCh* const, const XMLCh* const, const XMLCh* const,
                 const XMLCh* const) override {}

    // The document type is built for the entities it declares but not made
    // the target's.
    void doctypeDecl(const xercesc::DTDElementDecl& element, const XMLCh* const publicId,
                     const XMLCh* const systemId, const bool, const bool) override {
        fDocumentType = static_cast<xercesc::DOMDocumentTypeImpl*>(
            fDocument->createDocumentType(element.getFullName(), publicId, systemId));
    }

    void startElement(const xercesc::XMLElementDecl& element, const unsigned int uriId,
                      const XMLCh* const prefix,
                      const xercesc::RefVectorOf<xercesc::XMLAttr>& attributes,
                      const XMLSize_t attributeCount, const bool isEmpty,
                      const bool isRoot) override {
        if (open_.size() >= Limits::kNesting) {
            nestingExceeded_ = true;
            throw StopParse{};
        }
        // Before the element is built: Xerces files each attribute by a
        // linear search of those before it.
        if (attributeCount > Limits::kAttributes) {
            attributesExceeded_ = true;
            throw StopParse{};
        }
        pendingWhitespace_.clear();
        open_.push_back({fCurrentParent, keepsWhitespace(element.getBaseName(), uriId)});
        // A child element of the file's root is built where it belongs.
        if (componentsParent_ != nullptr && open_.size() == 2)
            fCurrentParent = componentsParent_;
        XercesDOMParser::startElement(element, uriId, prefix, attributes, attributeCount, isEmpty,
                                      isRoot);
        if (sources_ != nullptr) {
            // The scanner stands right after the start tag.
            const xercesc::Locator* at = getScanner()->getLocator();
            sources_->elements[static_cast<const xercesc::DOMElement*>(fCurrentNode)] = {
                file_, lines_->startLine(at->getLineNumber(), at->getColumnNumber())};
        }
    }

    // What the base class does at the end of an element, in this parser's
    // setting (no XInclude, a fragment rather than the document at the top),
    // with the parent taken from the stack: asking the element for its parent
    // costs Xerces a dynamic cast.
    void endElement(const xercesc::XMLElementDecl&, const unsigned int, const bool,
                    const XMLCh* const) override {
        pendingWhitespace_.clear();
        fCurrentNode = fCurrentParent;
        fCurrentParent = open_.back().parent;
        open_.pop_back();
    }

    // Text made of whitespace only is left out where the schema's structure
    // has element-only content; it is held back until the text it starts
    // turns out to hold more.
    void docCharacters(const XMLCh* const chars, const XMLSize_t length,
                       const bool cdataSection) override {
        const bool startsText = fCurrentNode->getNodeType() != xercesc::DOMNode::TEXT_NODE;
        if (!cdataSection && startsText && !keepsWhitespace() &&
            xercesc::XMLChar1_0::isAllSpaces(chars, length)) {
            pendingWhitespace_.append(chars, length);
            return;
        }
        if (!cdataSection && startsText && !pendingWhitespace_.empty())
            XercesDOMParser::docCharacters(pendingWhitespace_.c_str(), pendingWhitespace_.size(),
                                           false);
        pendingWhitespace_.clear();
        XercesDOMParser::docCharacters(chars, length, cdataSection);
    }

    void docComment(const XMLCh* const comment) override {
        pendingWhitespace_.clear();
        XercesDOMParser::docComment(comment);
    }

    void docPI(const XMLCh* const target, const XMLCh* const data) override {
        pendingWhitespace_.clear();
        XercesDOMParser::docPI(target, data);
    }

private:
    // Whether whitespace-only text in the element being opened counts: it
    // does in documentation and application information and everything in
    // them, and in elements of other vocabularies. Neither the loader nor any
    // reader of a schema's structure asks for the rest.
    bool keepsWhitespace(const XMLCh* localName, unsigned int uriId) const {
        if (keepsWhitespace())
            return true;
        if (!xercesc::XMLString::equals(getScanner()->getURIText(uriId), kSchemaNamespace))
            return true;
        return xercesc::XMLString::equals(localName, u"appinfo") ||
               xercesc::XMLString::equals(localName, u"documentation");
    }

    // Whether whitespace-only text in the innermost open element counts.
    bool keepsWhitespace() const { return !open_.empty() && open_.back().keepsWhitespace; }

    // An element being built: the node it was appended to, and whether
    // whitespace-only text in it counts.
    struct OpenElement {
        xercesc::DOMNode* parent;
        bool keepsWhitespace;
    };

    xercesc::DOMDocument& target_;
    xercesc::SecurityManager security_;
    xercesc::DOMDocumentFragment* fragment_ = nullptr;
    xercesc::DOMElement* componentsParent_ = nullptr;
    bool nestingExceeded_ = false;
    bool attributesExceeded_ = false;
    std::vector<OpenElement> open_; // innermost last; its size is the depth
    std::u16string pendingWhitespace_;
    SchemaSources* sources_ = nullptr;
    std::size_t file_ = 0;
    const SourceLines* lines_ = nullptr;
};

IncludedFileParser::IncludedFileParser(xercesc::DOMDocument& target, SchemaSources* sources)
    : parser_(std::make_unique<Parser>(target)), sources_(sources) {}

IncludedFileParser::~IncludedFileParser() = default;

xercesc::DOMElement* IncludedFileParser::parse(const std::string& path,
                                               xercesc::DOMElement* componentsParent) {
    const std::string bytes = readSchemaFile(path);
    return parse(path, bytes, scanSchemaFile(bytes, path).budget, componentsParent);
}

xercesc::DOMElement* IncludedFileParser::parse(const std::string& path, const std::string& bytes,
                                               const EntityBudget& budget,
                                               xercesc::DOMElement* componentsParent) {
    const UnicodeString systemId(path.c_str());

    FirstProblem problem;
    FirstErrorHandler errors(problem);
    RefusingEntityResolver resolver(problem);
    Parser& parser = *parser_;
    parser.prepare(errors, resolver, componentsParent, budget);
    std::optional<SourceLines> lines;
    if (sources_ != nullptr) {
        lines.emplace(bytes);
        sources_->files.push_back(path);
        parser.record(sources_, sources_->files.size() - 1, &*lines);
    }
    {
        struct Detach {
            Parser& parser;
            ~Detach() {
                parser.record(nullptr, 0, nullptr);
                parser.detach();
                parser.setErrorHandler(nullptr);
                parser.setXMLEntityResolver(nullptr);
            }
        } detach{parser};
        xercesc::MemBufInputSource source(reinterpret_cast<const XMLByte*>(bytes.data()),
                                          bytes.size(), systemId.utf16(), false);
        // The bytes outlive the parse: the stream reads them where they are
        // rather than from a copy of a whole file.
        source.setCopyBufToStream(false);
        try {
            parser.parse(source);
        } catch (const StopParse&) {
            // The reason is with the handler or the nesting count.
        } catch (const xercesc::XMLException& e) {
            failParse(path, e.getMessage());
        } catch (const xercesc::DOMException& e) {
            failParse(path, e.getMessage());
        }
    }

    if (parser.nestingExceeded())
        failNesting(path);
    if (parser.attributesExceeded())
        failAttributes(path);
    problem.failIfAny(path, budget);
    xercesc::DOMElement* root = parser.root();
    checkSchemaRoot(root, path);
    return root;
}

} // namespace XMLUtils
} // namespace Palimo
