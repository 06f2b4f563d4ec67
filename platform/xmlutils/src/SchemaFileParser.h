#pragma once
// Reads and parses the top schema file safely with the caller's parser: local
// bytes only, no DTD or external entity loaded, entity expansion and nesting
// bounded, root checked.
#include <Palimo/XMLUtils/SchemaSources.h>

#include <xercesc/dom/DOMDocument.hpp>
#include <xercesc/dom/DOMElement.hpp>
#include <xercesc/dom/DOMLSParser.hpp>

#include <string>

namespace Palimo {
namespace XMLUtils {

/// A parsed schema file whose root is the XML Schema `schema` element.
struct ParsedSchemaFile {
    xercesc::DOMDocument* document = nullptr;
    xercesc::DOMElement* root = nullptr;
};

/// Parses `path` (UTF-8) with `parser`, namespace-aware and without
/// validation, entity references expanded. The root's content is built as
/// IncludedFileParser builds an included file's: without whitespace-only text
/// where the schema's structure has element-only content, and without the
/// comments between components. Throws
/// SchemaAggregationError naming the file when it cannot be read, is not
/// well-formed (with line, column and the parser's text), refers to an
/// external entity, nests too deep, or has a root other than xs:schema. The
/// document belongs to the parser. The parser's error handler, resource
/// resolvers, security manager and document ownership setting are restored
/// afterwards; its other settings stay as set here. With `sources`, notes
/// there the file and where each element of the root's content was written.
ParsedSchemaFile parseSchemaFile(xercesc::DOMLSParser& parser, const std::string& path,
                                 SchemaSources* sources = nullptr);

} // namespace XMLUtils
} // namespace Palimo
