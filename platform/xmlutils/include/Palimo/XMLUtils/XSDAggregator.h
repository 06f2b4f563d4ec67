#pragma once
// Merges a schema file and every schema it includes, imports or redefines
// into one standalone schema document.
#include <Palimo/Exceptions/BaseException.h>
#include <Palimo/Exceptions/ErrorCodes.h>
#include <Palimo/Templates/String.h>
#include <Palimo/XMLUtils/SchemaSources.h>

#include <xercesc/dom/DOMDocument.hpp>
#include <xercesc/dom/DOMLSParser.hpp>

namespace Palimo {
namespace XMLUtils {

/// A schema that cannot be aggregated: a missing or unreadable file,
/// malformed XML, a root that is not xs:schema, elements nested more than
/// 1000 levels deep, a schemaLocation that would reach the network or holds a
/// NUL. The message names the file.
class SchemaAggregationError : public Exceptions::BaseException {
public:
    using BaseException::BaseException;
    int exceptionCode() const override {
        return Exceptions::codeOf(Exceptions::ErrorCode::SchemaAggregationError);
    }
};

class XSDAggregator {
public:
    /// The top schema is directory + "/" + fileName (an empty directory gives
    /// a path from the root).
    XSDAggregator(const XMLCh* directory, const XMLCh* fileName);
    ~XSDAggregator();
    XSDAggregator(const XSDAggregator&) = delete;
    XSDAggregator& operator=(const XSDAggregator&) = delete;

    /// Parses the top file with `parser` and returns one document whose root
    /// is the top file's xs:schema element and whose children are the
    /// top-level components of every file in reading order, each
    /// include/import/redefine replaced in place by the components of the file
    /// it names (each file read once). Whitespace-only text where the schema's
    /// structure has element-only content, and comments between components,
    /// are left out; annotations keep all their text. Never returns null; throws
    /// SchemaAggregationError. The document is owned by the parser and stays
    /// valid until the parser is released (also across later parses).
    xercesc::DOMDocument* createStandAloneSchemaDocument(xercesc::DOMLSParser* parser);

    /// The same, noting in `sources` each file parsed, where each element of
    /// the document was written and every directive met, as it goes: when it
    /// throws, `sources` holds what was read until then (the directive that
    /// names a file it cannot read last). Costs a table entry per element;
    /// the document is the same.
    xercesc::DOMDocument* createStandAloneSchemaDocument(xercesc::DOMLSParser* parser,
                                                         SchemaSources& sources);

private:
    xercesc::DOMDocument* aggregate(xercesc::DOMLSParser* parser, SchemaSources* sources);

    WString directory_;
    WString fileName_;
};

} // namespace XMLUtils
} // namespace Palimo
