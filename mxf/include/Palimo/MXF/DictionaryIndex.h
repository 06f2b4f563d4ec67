#pragma once
// A loaded dictionary and its type definitions, indexed once for reading many
// files: a file that carries its own dictionary (FileDictionary.h) is checked
// against every label and name of the loaded one, which would otherwise be
// indexed again for each such file.
//
// Threads: built once a dictionary's load has returned, then read-only: any
// number of threads may read files through one index at once.
#include <Palimo/MetaMetadata/Dictionary.h>
#include <Palimo/TypeDefinitions/TypeDictionary.h>

#include <memory>

namespace Palimo {
namespace MXF {

class DictionaryIndex {
public:
    /// Indexes `dictionary` and `types` (may be null), which must outlive it
    /// and not change while it is used.
    DictionaryIndex(const MetaMetadata::Dictionary& dictionary,
                    const TypeDefinitions::TypeDictionary* types);
    ~DictionaryIndex();
    DictionaryIndex(const DictionaryIndex&) = delete;
    DictionaryIndex& operator=(const DictionaryIndex&) = delete;

    const MetaMetadata::Dictionary& dictionary() const { return dictionary_; }
    const TypeDefinitions::TypeDictionary* types() const { return types_; }

    /// The reader's own indexes.
    struct Indexes;
    const Indexes& indexes() const { return *indexes_; }

private:
    const MetaMetadata::Dictionary& dictionary_;
    const TypeDefinitions::TypeDictionary* types_;
    std::unique_ptr<const Indexes> indexes_;
};

} // namespace MXF
} // namespace Palimo
