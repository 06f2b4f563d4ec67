#pragma once
// Namespace declarations carried over from the roots of included and
// imported schema files to the aggregated document.
#include <xercesc/dom/DOMElement.hpp>

#include <string>
#include <utility>
#include <vector>

namespace Palimo {
namespace XMLUtils {

/// Declarations (qualified attribute name such as "xmlns:ff", namespace URI)
/// that a component moved out of its file needs on itself to keep its
/// meaning.
using LocalDeclarations = std::vector<std::pair<std::u16string, std::u16string>>;

/// Adds to `resultRoot`, in attribute order, every prefixed declaration of
/// `fileRoot` whose prefix `resultRoot` does not declare yet. Returns the
/// declarations of `fileRoot` that the result root does not carry with the
/// same URI (prefixes bound otherwise, a default namespace), which the
/// file's components must declare themselves.
LocalDeclarations mergeNamespaceDeclarations(xercesc::DOMElement& resultRoot,
                                             const xercesc::DOMElement& fileRoot);

/// Declares each of `declarations` on `component` unless it declares that
/// prefix itself.
void declareOn(xercesc::DOMElement& component, const LocalDeclarations& declarations);

} // namespace XMLUtils
} // namespace Palimo
