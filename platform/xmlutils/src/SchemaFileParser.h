#pragma once
// Reads and parses one schema file safely: local bytes only, no DTD or
// external entity loaded, entity expansion bounded, root checked.
#include <xercesc/dom/DOMDocument.hpp>
#include <xercesc/dom/DOMElement.hpp>
#include <xercesc/dom/DOMLSParser.hpp>

#include <memory>
#include <string>

namespace Palimo {
namespace XMLUtils {

/// Who releases a parsed document: the parser (with its own release) or the
/// ParsedSchemaFile that holds it.
enum class DocumentOwner { Parser, Caller };

struct ReleaseDocument {
    void operator()(xercesc::DOMDocument* document) const { document->release(); }
};

/// A parsed schema file whose root is the XML Schema `schema` element.
struct ParsedSchemaFile {
    xercesc::DOMDocument* document = nullptr;
    xercesc::DOMElement* root = nullptr;
    /// Holds the document when the caller owns it.
    std::unique_ptr<xercesc::DOMDocument, ReleaseDocument> owned;
};

/// Parses `path` (UTF-8) with `parser`, namespace-aware and without
/// validation, entity references expanded, comments kept. Throws
/// SchemaAggregationError naming the file when it cannot be read, is not
/// well-formed (with line, column and the parser's text), refers to an
/// external entity, or has a root other than xs:schema. The parser's error
/// handler, resource resolvers, security manager and document ownership
/// setting are restored afterwards; its other settings stay as set here.
ParsedSchemaFile parseSchemaFile(xercesc::DOMLSParser& parser, const std::string& path,
                                 DocumentOwner owner);

} // namespace XMLUtils
} // namespace Palimo
