#pragma once
// Namespace declarations carried over from the roots of included and
// imported schema files to the aggregated document.
#include <xercesc/dom/DOMElement.hpp>

#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace Palimo {
namespace XMLUtils {

/// Declarations (qualified attribute name such as "xmlns:ff", namespace URI)
/// that a component moved out of its file needs on itself to keep its
/// meaning.
using LocalDeclarations = std::vector<std::pair<std::u16string, std::u16string>>;

/// The namespace declarations of the standalone document's root, known by
/// prefix, so that merging a file's declarations costs one lookup each.
class RootDeclarations {
public:
    /// Reads the declarations `root` carries; `root` must outlive this.
    explicit RootDeclarations(xercesc::DOMElement& root);

    /// Adds to the root, in attribute order, every prefixed declaration of
    /// `fileRoot` (the root of the file at `path`) whose prefix the root does
    /// not declare yet. Returns the declarations of `fileRoot` that the root
    /// does not carry with the same URI (prefixes bound otherwise, a default
    /// namespace), which the file's components must declare themselves.
    /// Throws SchemaAggregationError naming `path` when the root would carry
    /// more than Limits::kRootNamespaceDeclarations declarations.
    LocalDeclarations merge(const xercesc::DOMElement& fileRoot, const std::string& path);

private:
    xercesc::DOMElement& root_;
    /// URI by declared prefix ("xmlns" for the default namespace).
    std::unordered_map<std::u16string, std::u16string> byPrefix_;
};

/// Declares each of `declarations` on `component` unless it declares that
/// prefix itself.
void declareOn(xercesc::DOMElement& component, const LocalDeclarations& declarations);

} // namespace XMLUtils
} // namespace Palimo
