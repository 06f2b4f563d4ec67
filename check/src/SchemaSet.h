#pragma once
// A schema set read as a load reads it, by the loader's aggregation and
// schema layer, with the file and line where each part was written.
#include <Palimo/XMLUtils/SchemaSources.h>

#include <xercesc/dom/DOMDocument.hpp>
#include <xercesc/dom/DOMElement.hpp>
#include <xercesc/dom/DOMLSParser.hpp>

#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace Palimo {
namespace MetaMetadata {
namespace Loading {
class Schema;
}
} // namespace MetaMetadata

namespace Check {

/// Where something is: its file, and the line where its start tag begins
/// (0 when not known).
struct SourcePlace {
    std::string file;
    int line = 0;
};

class SchemaSet {
public:
    /// Aggregates the schema at `topFile` as a load does. Throws what the
    /// aggregation throws, unless `keepPartial`: then a schema that cannot be
    /// aggregated leaves no components, and the files and directives read
    /// until the failure.
    SchemaSet(const std::string& topFile, bool keepPartial = false);
    ~SchemaSet();
    SchemaSet(const SchemaSet&) = delete;
    SchemaSet& operator=(const SchemaSet&) = delete;

    /// The aggregated document's top-level components, in the load's order.
    const std::vector<const xercesc::DOMElement*>& components() const { return components_; }

    /// Every directive with a schemaLocation, in the order the aggregation met
    /// them.
    const std::vector<XMLUtils::SchemaSources::Directive>& directives() const {
        return sources_.directives;
    }

    /// Where an element of the document, or a directive, was written.
    SourcePlace place(const xercesc::DOMElement& element) const;
    SourcePlace place(const XMLUtils::SchemaSources::Place& place) const;

    /// Where the first top-level component named `name` is; none when no
    /// component has that name.
    std::optional<SourcePlace> declaration(const std::string& name) const;

    /// The loader's view of the document, for its rules (made at the first
    /// call). Only when the aggregation succeeded.
    const MetaMetadata::Loading::Schema& loaderSchema() const;

    /// The declaration's appinfo text of `source` (one of the loader's
    /// Loading::AppinfoSource names) as the load reads it: the first text
    /// node of its appinfo elements of that source, in UTF-8; none when there
    /// is none, and for a declaration the load reads no annotations of.
    std::optional<std::string> appinfo(const xercesc::DOMElement& declaration,
                                       const char16_t* source) const;

    /// Whether the load takes the top-level component for the declaration of
    /// a meta element: an appinfo with the source "RP210" marks it.
    bool isRegistered(const xercesc::DOMElement& component) const;

private:
    struct ParserRelease {
        void operator()(xercesc::DOMLSParser* parser) const { parser->release(); }
    };

    std::unique_ptr<xercesc::DOMLSParser, ParserRelease> parser_; // owns the document
    xercesc::DOMDocument* document_ = nullptr;
    XMLUtils::SchemaSources sources_;
    std::vector<const xercesc::DOMElement*> components_;
    std::unordered_map<std::string, const xercesc::DOMElement*> firstByName_;
    mutable std::unique_ptr<MetaMetadata::Loading::Schema> schema_;
};

} // namespace Check
} // namespace Palimo
