#pragma once
// One member of a set: the meta element its declaration refers to, with the
// member's required status, default value, local tag and properties.
#include "schema/Schema.h"

#include <Palimo/MetaMetadata/AttributeRequiredStatus.h>

#include <cstdint>

namespace Palimo {
namespace MetaMetadata {
namespace Loading {

/// A new attribute for the member declaration at `position` in the set's
/// gathered list; empty when its `ref` (prefix ignored) names no element the
/// element phase built (`elements`). Carries "SchemaIndex" (the position),
/// "RequiresSemanticsValidation" (possibly empty) and, when annotated,
/// "XMLNamespaceURI". Failures of value parsing and of the schema queries
/// pass through.
auto_ptr<MetaAttribute> buildAttribute(const Schema& schema, const ElementRegistry& elements,
                                       const xercesc::DOMElement* declaration,
                                       std::uint32_t position);

/// The status the core library gives the "use" annotation text; an absent
/// annotation is read as the empty text.
AttributeRequiredStatus::Status readRequiredStatus(const Schema& schema,
                                                   const xercesc::DOMElement* declaration);
/// The "Distinguished Value" annotation text, untrimmed; empty when absent.
WString readDistinguishedValue(const Schema& schema, const xercesc::DOMElement* declaration);
/// The "RequiresSemanticsValidation" annotation text; empty when absent.
WString readRequiresSemanticsValidation(const Schema& schema,
                                        const xercesc::DOMElement* declaration);

/// `text` parsed as the element's data type; empty when the type has no rule.
auto_ptr<Types::BaseType> parseElementValue(const WString& text, const MetaElement& element);
/// `text` parsed as the collection's data type with items of its sub type.
auto_ptr<Types::BaseType> parseCollectionValue(const WString& text,
                                               const MetaCollectionElement& collection);

} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
