#pragma once
// The data type and, for arrays and batches, the sub type of a meta element
// declaration, from its `type` attribute or the base of its anonymous type.
#include "schema/Schema.h"

namespace Palimo {
namespace MetaMetadata {
namespace Loading {

/// Overwrites only what it finds: a named type the core library knows gives
/// the data type; an empty `type` lets the anonymous type's base decide
/// (arrays and batches with the member's type, the six reference bases, or a
/// simple type). Named types of the schema are not followed. The caller sets
/// both identifiers to NoIdentifier first.
void resolveDataType(const Schema& schema, const xercesc::DOMElement* declaration,
                     Identifier& dataType, Identifier& subType);
/// The base of the declaration's anonymous type without prefix: first the
/// derivation inside complex content (depth three), else the restriction of a
/// simple type (depth two); empty when neither exists.
WString findTypeBase(const Schema& schema, const xercesc::DOMElement* declaration);
/// The same base as written, with its prefix; none when neither exists.
std::optional<WString> typeBaseText(const Schema& schema, const xercesc::DOMElement* declaration);
/// The type of the first member element in the content model of the
/// anonymous complex type, as written; none when there is none.
std::optional<WString> collectionMemberTypeText(const Schema& schema,
                                                const xercesc::DOMElement* declaration);
/// The identifier of the first member element's type in the content model of
/// the anonymous complex type; NoIdentifier when there is none or it is unknown.
Identifier resolveCollectionSubType(const Schema& schema, const xercesc::DOMElement* declaration);
/// Sets both identifiers for one of the six reference base names (exact,
/// case-sensitive); leaves both unchanged for any other name.
void classifyReferenceBase(const WString& baseName, Identifier& dataType, Identifier& subType);

} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
