#pragma once
// Which top-level components are meta element and set declarations, the set
// keys by name, and the member declarations of a set type.
#include "schema/Schema.h"

namespace Palimo {
namespace MetaMetadata {
namespace Loading {

void findElementDeclarations(const Schema& schema, DeclarationList& out);
void findReferenceDeclarations(const Schema& schema, DeclarationList& out);
void findSetDeclarations(const Schema& schema, DeclarationList& out);
void registerSetKeys(const Schema& schema, const DeclarationList& setDeclarations, SetKeys& keys);

} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
