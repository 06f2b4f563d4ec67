#pragma once
// Where the parts of an aggregated schema were written: the file and line of
// every element and of every directive that names a file. An aggregation
// fills it only when it is given one, so that a load that does not ask for it
// pays nothing.
#include <xercesc/dom/DOMElement.hpp>

#include <cstddef>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace Palimo {
namespace XMLUtils {

struct SchemaSources {
    /// A place in one of the files: an index into `files`, and the line where
    /// the start tag begins (0 when not known).
    struct Place {
        std::size_t file = 0;
        int line = 0;
    };

    /// An xs:include, xs:import, xs:redefine or xs:override that has a
    /// schemaLocation.
    struct Directive {
        std::string kind;                // "include", "import", "redefine" or "override"
        std::string location;            // the schemaLocation, as written (UTF-8)
        std::optional<std::string> path; // the local file it names; none when refused
        Place place;
    };

    /// The paths of the files parsed, the top file first, as the aggregation
    /// names them in its messages (UTF-8).
    std::vector<std::string> files;
    /// Every directive with a schemaLocation, in the order the aggregation
    /// meets them (each file's in document order, a named file's before the
    /// rest of its namer's), also those naming a file read already.
    std::vector<Directive> directives;
    /// Where each element of the aggregated document was written. Keyed by
    /// the element while the document lives; a released element's entry may
    /// stay.
    std::unordered_map<const xercesc::DOMElement*, Place> elements;

    /// Where `element` was written; none for an element not parsed from a file.
    std::optional<Place> placeOf(const xercesc::DOMElement& element) const {
        const auto found = elements.find(&element);
        return found == elements.end() ? std::nullopt : std::optional<Place>(found->second);
    }
};

} // namespace XMLUtils
} // namespace Palimo
