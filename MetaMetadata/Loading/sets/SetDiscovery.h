#pragma once
// Which top-level components are meta element and set declarations, the set
// keys by name, and the member declarations of a set type.
#include "MetaMetadata/Loading/LoaderState.h"

namespace Palimo {
namespace MetaMetadata {
namespace Loading {

void findElementDeclarations(LoaderState& state, DeclarationList& out);
void findReferenceDeclarations(LoaderState& state, DeclarationList& out);
void findSetDeclarations(LoaderState& state, DeclarationList& out);
void registerSetKeys(LoaderState& state, const DeclarationList& setDeclarations);

} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
