#pragma once
// Top-level declarations by the names that the schema's own attributes give,
// read as the XPath literals that the names would be pasted into.
#include "schema/Schema.h"

#include <optional>

namespace Palimo {
namespace MetaMetadata {
namespace Loading {

/// Whether `name`, pasted between apostrophes into an expression, stands for
/// itself: no apostrophe (which ends the literal, so that the expression fails
/// to compile), no ampersand and no line-end or control character, which the
/// engine might read otherwise. For other names the pasted expression is
/// compiled (a malformed one fails as it would anyway) but never evaluated:
/// its answer would be a question of the schema's choosing.
bool isPlainLiteralText(const WString& name);

/// The text of the XPath literal "'" + name + "'" when that is one whole
/// literal: `name` with each "''" (XPath's escaped apostrophe) read as one
/// apostrophe. nullopt when an apostrophe stands alone, which ends the
/// literal early.
std::optional<WString> literalValue(const WString& name);

/// The name that `name`, pasted into a question, looks for: its literal
/// value when it is one whole literal ("a''b" looks for "a'b"), else `name`
/// itself. The lookups below and the index's reading of the sets' inline
/// types both find declarations by it, so that they agree on every name.
WString soughtName(const WString& name);

/// The first top-level xs:element, in document order, named by the XPath
/// literal "'" + name + "'"; null when there is none. A name that is no plain
/// literal text only has the expression it would be pasted into compiled.
xercesc::DOMElement* findTopLevelElement(const Schema& schema, const WString& name);

/// The same for top-level xs:complexType declarations.
xercesc::DOMElement* findTopLevelComplexType(const Schema& schema, const WString& name);

/// The top-level xs:element declarations whose type attribute is exactly
/// `type`, in document order.
void findTopLevelElementsOfType(const Schema& schema, const char16_t* type, DeclarationList& out);

} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
