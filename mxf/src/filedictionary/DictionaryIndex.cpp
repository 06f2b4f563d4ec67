#include <Palimo/MXF/DictionaryIndex.h>

#include "DictionaryIndexes.h"

namespace Palimo {
namespace MXF {

DictionaryIndex::DictionaryIndex(const MetaMetadata::Dictionary& dictionary,
                                 const TypeDefinitions::TypeDictionary* types)
    : dictionary_(dictionary), types_(types),
      indexes_(std::make_unique<const Indexes>(dictionary, types)) {}

DictionaryIndex::~DictionaryIndex() = default;

} // namespace MXF
} // namespace Palimo
