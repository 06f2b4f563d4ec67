#include <Palimo/MXF/DictionaryIndex.h>

#include "../Names.h"
#include "DictionaryIndexes.h"

namespace Palimo {
namespace MXF {

DictionaryIndex::Indexes::Indexes(const MetaMetadata::Dictionary& dictionary,
                                  const TypeDefinitions::TypeDictionary* types)
    : loaded(dictionary), names(dictionary, types) {
    for (const MetaMetadata::MetaElement* element : dictionary.metaElements())
        entryNames.emplace(element, MXF::entryName(*element));
    for (const MetaMetadata::MetaMetadataSet* set : dictionary.metaMetadataSets())
        entryNames.emplace(set, MXF::entryName(*set));
}

DictionaryIndex::DictionaryIndex(const MetaMetadata::Dictionary& dictionary,
                                 const TypeDefinitions::TypeDictionary* types)
    : dictionary_(dictionary), types_(types),
      indexes_(std::make_unique<const Indexes>(dictionary, types)) {}

DictionaryIndex::~DictionaryIndex() = default;

std::shared_ptr<const FileDictionary>
FileDictionaryCache::find(const std::vector<std::uint8_t>& bytes) const {
    const std::lock_guard<std::mutex> lock(mutex_);
    for (auto entry = entries_.begin(); entry != entries_.end(); ++entry)
        if (entry->bytes == bytes) {
            std::shared_ptr<const FileDictionary> found = entry->dictionary;
            if (entry != entries_.begin()) {
                Entry used = std::move(*entry);
                entries_.erase(entry);
                entries_.push_front(std::move(used));
            }
            return found;
        }
    return nullptr;
}

void FileDictionaryCache::add(std::vector<std::uint8_t> bytes,
                              std::shared_ptr<const FileDictionary> dictionary) const {
    if (bytes.size() > kEntryBytes)
        return;
    const std::lock_guard<std::mutex> lock(mutex_);
    entries_.push_front(Entry{std::move(bytes), std::move(dictionary)});
    if (entries_.size() > kEntries)
        entries_.pop_back();
}

} // namespace MXF
} // namespace Palimo
