#pragma once
// Parses the files a schema includes, imports or redefines straight into the
// standalone document, so that their components are moved into place rather
// than copied node by node into it.
#include "SchemaFileChecks.h"

#include <Palimo/XMLUtils/SchemaSources.h>

#include <xercesc/dom/DOMDocument.hpp>
#include <xercesc/dom/DOMElement.hpp>

#include <memory>
#include <string>

namespace Palimo {
namespace XMLUtils {

class IncludedFileParser {
public:
    /// Builds every file it parses into `target`, which it never releases.
    /// With `sources`, notes there each file it parses and where each element
    /// it builds was written.
    explicit IncludedFileParser(xercesc::DOMDocument& target, SchemaSources* sources = nullptr);
    ~IncludedFileParser();
    IncludedFileParser(const IncludedFileParser&) = delete;
    IncludedFileParser& operator=(const IncludedFileParser&) = delete;

    /// Parses `path` (UTF-8) into a tree of the target document that hangs
    /// from no node, and returns its root, an xs:schema element. Parses and
    /// refuses exactly as parseSchemaFile does (same settings, same checks,
    /// same messages), except that the target document keeps its own XML
    /// declaration and document type. With `componentsParent`, the root's
    /// child elements are appended to that element of the target instead, in
    /// document order, as they are parsed; the root keeps everything else.
    xercesc::DOMElement* parse(const std::string& path,
                               xercesc::DOMElement* componentsParent = nullptr);
    /// The same for the file's `bytes`, already read and scanned.
    xercesc::DOMElement* parse(const std::string& path, const std::string& bytes,
                               const EntityBudget& budget, xercesc::DOMElement* componentsParent);

private:
    class Parser;
    std::unique_ptr<Parser> parser_;
    SchemaSources* sources_;
};

} // namespace XMLUtils
} // namespace Palimo
