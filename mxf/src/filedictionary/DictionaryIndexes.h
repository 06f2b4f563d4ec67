#pragma once
#include "DefinitionNames.h"
#include "LoadedIndex.h"

#include <Palimo/MXF/DictionaryIndex.h>
#include <Palimo/MXF/FileDictionary.h>

#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

namespace Palimo {
namespace MXF {

/// The file dictionaries built last, by the bytes they were built from: the
/// files of one writer carry the same dictionary, which is then built once.
/// Any number of threads may use it at once.
class FileDictionaryCache {
public:
    /// The dictionary built from `bytes`, else null.
    std::shared_ptr<const FileDictionary> find(const std::vector<std::uint8_t>& bytes) const;
    void add(std::vector<std::uint8_t> bytes,
             std::shared_ptr<const FileDictionary> dictionary) const;

private:
    struct Entry {
        std::vector<std::uint8_t> bytes;
        std::shared_ptr<const FileDictionary> dictionary;
    };
    static constexpr std::size_t kEntries = 8;
    // Bytes beyond this are not kept: a dictionary that large is built anew.
    static constexpr std::size_t kEntryBytes = 4 << 20;
    mutable std::mutex mutex_;
    mutable std::deque<Entry> entries_; // the last used first
};

struct DictionaryIndex::Indexes {
    Indexes(const MetaMetadata::Dictionary& dictionary,
            const TypeDefinitions::TypeDictionary* types);

    /// The name of an element or set of the loaded dictionary, as entryName
    /// gives it; null for an entry of another dictionary.
    const std::string* entryName(const void* entry) const {
        const auto found = entryNames.find(entry);
        return found == entryNames.end() ? nullptr : &found->second;
    }

    Definitions::LoadedIndex loaded;
    Definitions::TakenNames names;
    // By address: a name is made from the entry's properties, which would
    // otherwise be looked up and converted for every item read.
    std::unordered_map<const void*, std::string> entryNames;
    FileDictionaryCache fileDictionaries;
};

} // namespace MXF
} // namespace Palimo
