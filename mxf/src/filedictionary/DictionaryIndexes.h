#pragma once
#include "DefinitionNames.h"
#include "LoadedIndex.h"

#include <Palimo/MXF/DictionaryIndex.h>

namespace Palimo {
namespace MXF {

struct DictionaryIndex::Indexes {
    Indexes(const MetaMetadata::Dictionary& dictionary,
            const TypeDefinitions::TypeDictionary* types)
        : loaded(dictionary), names(dictionary, types) {}

    Definitions::LoadedIndex loaded;
    Definitions::TakenNames names;
};

} // namespace MXF
} // namespace Palimo
