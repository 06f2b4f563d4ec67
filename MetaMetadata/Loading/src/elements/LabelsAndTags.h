#pragma once
// "UL Designator" and "Local Tag" annotations.
#include "schema/Schema.h"

namespace Palimo {
namespace MetaMetadata {
namespace Loading {

/// Empty when the declaration has no "UL Designator" text; throws
/// InvalidULDesignator for a text that is not 47 code units long.
auto_ptr<UniversalLabel> readUniversalLabel(const Schema& schema,
                                            const xercesc::DOMElement* declaration);
/// The set key made from the same designator; empty when there is none.
auto_ptr<KLV::Key> readULKey(const Schema& schema, const xercesc::DOMElement* declaration);
/// Empty when the declaration has no "Local Tag" text.
auto_ptr<LocalTag> readLocalTag(const Schema& schema, const xercesc::DOMElement* declaration);
/// Throws InvalidULDesignator (message: the text) unless it has 47 code units.
void checkULDesignator(WString designator);
/// The label of a "UL Designator" text, as a load reads it: throws
/// InvalidULDesignator, or what the core library throws for the text.
auto_ptr<UniversalLabel> universalLabelOfText(const WString& designator);
/// The local tag of a "Local Tag" text, as a load reads it: throws for a text
/// too long to quote, or what the core library throws for the text.
auto_ptr<LocalTag> localTagOfText(const WString& tag);

} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
