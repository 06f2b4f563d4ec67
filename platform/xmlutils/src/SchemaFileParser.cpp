#include "SchemaFileParser.h"

#include "IncludedFileParser.h"
#include "SchemaFileChecks.h"
#include "SchemaFileScan.h"

#include <Palimo/XMLUtils/UnicodeString.h>
#include <Palimo/XMLUtils/XSDAggregator.h>

#include <xercesc/dom/DOMConfiguration.hpp>
#include <xercesc/dom/DOMError.hpp>
#include <xercesc/dom/DOMErrorHandler.hpp>
#include <xercesc/dom/DOMException.hpp>
#include <xercesc/dom/DOMImplementation.hpp>
#include <xercesc/dom/DOMLSParserFilter.hpp>
#include <xercesc/dom/DOMLSResourceResolver.hpp>
#include <xercesc/dom/DOMLocator.hpp>
#include <xercesc/dom/DOMNamedNodeMap.hpp>
#include <xercesc/framework/MemBufInputSource.hpp>
#include <xercesc/framework/Wrapper4InputSource.hpp>
#include <xercesc/util/SecurityManager.hpp>
#include <xercesc/util/XMLException.hpp>
#include <xercesc/util/XMLUni.hpp>

#include <memory>
#include <optional>
#include <vector>

namespace Palimo {
namespace XMLUtils {

namespace {

using xercesc::XMLUni;

// Keeps the first error or fatal error of a parse and stops the parse there.
class FirstErrorHandler : public xercesc::DOMErrorHandler {
public:
    explicit FirstErrorHandler(FirstProblem& problem) : problem_(problem) {}

    bool handleError(const xercesc::DOMError& error) override {
        if (error.getSeverity() == xercesc::DOMError::DOM_SEVERITY_WARNING)
            return true;
        const xercesc::DOMLocator* where = error.getLocation();
        problem_.error(error.getMessage(),
                       where ? static_cast<unsigned long long>(where->getLineNumber()) : 0,
                       where ? static_cast<unsigned long long>(where->getColumnNumber()) : 0);
        return false;
    }

private:
    FirstProblem& problem_;
};

// Answers every request for an external entity or DTD with empty input, so
// that nothing outside the schema file is ever opened, and remembers the
// first request so that the file can be refused.
class RefusingResourceResolver : public xercesc::DOMLSResourceResolver {
public:
    explicit RefusingResourceResolver(FirstProblem& problem) : problem_(problem) {}

    xercesc::DOMLSInput* resolveResource(const XMLCh* const, const XMLCh* const,
                                         const XMLCh* const publicId, const XMLCh* const systemId,
                                         const XMLCh* const) override {
        problem_.entityRequest(systemId, publicId);
        static const XMLByte nothing[1] = {0};
        auto source = std::make_unique<xercesc::MemBufInputSource>(nothing, 0, systemId, false);
        auto input = std::make_unique<xercesc::Wrapper4InputSource>(source.get(), true);
        source.release();       // adopted by the wrapper
        return input.release(); // adopted by the parser
    }

private:
    FirstProblem& problem_;
};

// Installs the handlers of one parse on the parser and gives the previous
// ones, and the previous owner of parsed documents, back on every path.
class ParserHandlersGuard {
public:
    ParserHandlersGuard(xercesc::DOMConfiguration& config, xercesc::DOMErrorHandler& errors,
                        xercesc::DOMLSResourceResolver& resolver,
                        xercesc::SecurityManager& security)
        : config_(config), errorHandler_(config.getParameter(XMLUni::fgDOMErrorHandler)),
          resourceResolver_(config.getParameter(XMLUni::fgDOMResourceResolver)),
          entityResolver_(config.getParameter(XMLUni::fgXercesEntityResolver)),
          securityManager_(config.getParameter(XMLUni::fgXercesSecurityManager)),
          userAdoptsDocuments_(config.getParameter(XMLUni::fgXercesUserAdoptsDOMDocument) !=
                               nullptr) {
        config.setParameter(XMLUni::fgDOMErrorHandler, &errors);
        // Setting one resolver clears the other kind.
        config.setParameter(XMLUni::fgDOMResourceResolver, &resolver);
        config.setParameter(XMLUni::fgXercesSecurityManager, &security);
    }

    ~ParserHandlersGuard() {
        try {
            config_.setParameter(XMLUni::fgDOMErrorHandler, errorHandler_);
            config_.setParameter(XMLUni::fgXercesUserAdoptsDOMDocument, userAdoptsDocuments_);
            config_.setParameter(XMLUni::fgXercesSecurityManager, securityManager_);
            if (entityResolver_)
                config_.setParameter(XMLUni::fgXercesEntityResolver, entityResolver_);
            else
                config_.setParameter(XMLUni::fgDOMResourceResolver, resourceResolver_);
        } catch (...) {
            // Restoring settings the parser accepted before cannot fail.
        }
    }

    ParserHandlersGuard(const ParserHandlersGuard&) = delete;
    ParserHandlersGuard& operator=(const ParserHandlersGuard&) = delete;

private:
    xercesc::DOMConfiguration& config_;
    const void* errorHandler_;
    const void* resourceResolver_;
    const void* entityResolver_;
    const void* securityManager_;
    bool userAdoptsDocuments_;
};

void configureForSchemas(xercesc::DOMConfiguration& config) {
    config.setParameter(XMLUni::fgDOMNamespaces, true);
    config.setParameter(XMLUni::fgDOMValidate, false);
    config.setParameter(XMLUni::fgDOMValidateIfSchema, false);
    config.setParameter(XMLUni::fgXercesSchema, false);
    config.setParameter(XMLUni::fgXercesLoadSchema, false);
    config.setParameter(XMLUni::fgDOMEntities, false); // expand entity references
    config.setParameter(XMLUni::fgDOMComments, true);
    config.setParameter(XMLUni::fgDOMDatatypeNormalization, false);
    config.setParameter(XMLUni::fgXercesLoadExternalDTD, false);
    config.setParameter(XMLUni::fgXercesSkipDTDValidation, true);
    config.setParameter(XMLUni::fgXercesDisableDefaultEntityResolution, true);
    config.setParameter(XMLUni::fgXercesDoXInclude, false);
    // A grammar reused from an earlier parse would refuse the internal DTD
    // subset of the next file.
    config.setParameter(XMLUni::fgXercesCacheGrammarFromParse, false);
    config.setParameter(XMLUni::fgXercesUseCachedGrammarInParse, false);
    config.setParameter(XMLUni::fgXercesContinueAfterFatalError, false);
    config.setParameter(XMLUni::fgXercesUserAdoptsDOMDocument, false);
}

// Refuses an element nested deeper than the limit, or with more attributes
// than the limit, while the parser builds the tree, so that a hostile file
// costs no more than the limits allow; shows the filter no finished node.
// (The attributes of an element written in the file are counted before the
// parse; this catches those of elements that entities expand to.)
class LimitsFilter : public xercesc::DOMLSParserFilter {
public:
    FilterAction startElement(xercesc::DOMElement* element) override {
        const xercesc::DOMNamedNodeMap* attributes = element->getAttributes();
        if (attributes != nullptr && attributes->getLength() > Limits::kAttributes) {
            attributesExceeded_ = true;
            return FILTER_INTERRUPT;
        }
        // Elements start in document order, so the new element's parent is on
        // the path of open elements kept here: the depth costs no walk to the
        // root.
        const xercesc::DOMNode* parent = element->getParentNode();
        while (!open_.empty() && open_.back() != parent)
            open_.pop_back();
        open_.push_back(element);
        if (open_.size() > Limits::kNesting) {
            nestingExceeded_ = true;
            return FILTER_INTERRUPT;
        }
        return FILTER_ACCEPT;
    }
    FilterAction acceptNode(xercesc::DOMNode*) override { return FILTER_ACCEPT; }
    xercesc::DOMNodeFilter::ShowType getWhatToShow() const override { return 0; }

    void failIfExceeded(const std::string& path) const {
        if (nestingExceeded_)
            failNesting(path);
        if (attributesExceeded_)
            failAttributes(path);
    }

private:
    bool nestingExceeded_ = false;
    bool attributesExceeded_ = false;
    // The innermost element last; elements above the root are not counted.
    std::vector<const xercesc::DOMNode*> open_;
};

// Deletes a scratch document.
struct DocumentReleaser {
    void operator()(xercesc::DOMDocument* document) const noexcept { document->release(); }
};

// A file that declares entities may expand them to elements the scan of its
// bytes did not see, which the caller's parser would build, with all their
// attributes, before any check: it is parsed once into a scratch document
// first, by the parser that checks each element before building it.
void checkExpandedFile(const std::string& path) {
    const std::unique_ptr<xercesc::DOMDocument, DocumentReleaser> scratch(
        xercesc::DOMImplementation::getImplementation()->createDocument());
    IncludedFileParser(*scratch).parse(path);
}

// Installs a filter for one parse and gives the parser its previous one back.
class ParserFilterGuard {
public:
    ParserFilterGuard(xercesc::DOMLSParser& parser, xercesc::DOMLSParserFilter& filter)
        : parser_(parser), previous_(const_cast<xercesc::DOMLSParserFilter*>(parser.getFilter())) {
        parser.setFilter(&filter);
    }
    ~ParserFilterGuard() { parser_.setFilter(previous_); }
    ParserFilterGuard(const ParserFilterGuard&) = delete;
    ParserFilterGuard& operator=(const ParserFilterGuard&) = delete;

private:
    xercesc::DOMLSParser& parser_;
    xercesc::DOMLSParserFilter* previous_;
};

// The caller's parser on `bytes` of the file at `path`.
ParsedSchemaFile parseWhole(xercesc::DOMLSParser& parser, const std::string& path,
                            const std::string& bytes, const EntityBudget& budget) {
    const UnicodeString systemId(path.c_str());

    xercesc::DOMConfiguration& config = *parser.getDomConfig();
    FirstProblem problem;
    FirstErrorHandler errors(problem);
    RefusingResourceResolver resolver(problem);
    LimitsFilter limits;
    xercesc::SecurityManager security;
    security.setEntityExpansionLimit(budget.expansions());

    ParsedSchemaFile parsed;
    {
        const ParserHandlersGuard handlers(config, errors, resolver, security);
        const ParserFilterGuard filter(parser, limits);
        configureForSchemas(config);
        xercesc::MemBufInputSource source(reinterpret_cast<const XMLByte*>(bytes.data()),
                                          bytes.size(), systemId.utf16(), false);
        source.setCopyBufToStream(false); // the bytes outlive the parse
        xercesc::Wrapper4InputSource input(&source, false);
        try {
            parsed.document = parser.parse(&input);
        } catch (const xercesc::XMLException& e) {
            failParse(path, e.getMessage());
        } catch (const xercesc::DOMException& e) {
            limits.failIfExceeded(path);
            failParse(path, e.getMessage());
        }
    }

    limits.failIfExceeded(path);
    problem.failIfAny(path, budget);
    if (!parsed.document)
        failSchemaFile("Cannot parse schema file \"" + path + "\"");
    parsed.root = parsed.document->getDocumentElement();
    checkSchemaRoot(parsed.root, path);
    return parsed;
}

// The caller's parser builds the document from the file without its root's
// content: the declaration, the document type, the root with its attributes
// and whatever follows the root. The content is then built into that root by
// the parser of included files, which leaves out the whitespace between
// components that nothing reads: on a large file that whitespace is a third
// of the nodes, and every question asked of the document walks past it.
// Anything refused on the way is parsed again the usual way, so that a
// refusal reads exactly as it always has.
std::optional<ParsedSchemaFile>
parseAroundContent(xercesc::DOMLSParser& parser, const std::string& path, const std::string& bytes,
                   const ScannedSchemaFile& scanned, SchemaSources* sources) {
    const std::string outline =
        bytes.substr(0, scanned.contentBegin) + bytes.substr(scanned.contentEnd);
    try {
        const ParsedSchemaFile parsed = parseWhole(parser, path, outline, scanned.budget);
        IncludedFileParser(*parsed.document, sources)
            .parse(path, bytes, scanned.budget, parsed.root);
        return parsed;
    } catch (const SchemaAggregationError&) {
        return std::nullopt;
    }
}

} // namespace

ParsedSchemaFile parseSchemaFile(xercesc::DOMLSParser& parser, const std::string& path,
                                 SchemaSources* sources) {
    const std::string bytes = readSchemaFile(path);
    const ScannedSchemaFile scanned = scanSchemaFile(bytes, path);
    if (scanned.budget.longestEntity > 0)
        checkExpandedFile(path);
    if (scanned.hasContent()) {
        if (std::optional<ParsedSchemaFile> parsed =
                parseAroundContent(parser, path, bytes, scanned, sources))
            return *parsed;
    }
    return parseWhole(parser, path, bytes, scanned.budget);
}

} // namespace XMLUtils
} // namespace Palimo
