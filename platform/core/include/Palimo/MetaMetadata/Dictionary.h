#pragma once
// The in-memory dictionary that a loader fills and a host reads.
//
// Threads: the lookups (the const operations, and those of the elements and
// sets they give) only read; once the dictionary is filled, any number of
// threads may call them at once, as the MXF reader does when files are read
// on several threads (Palimo/MXF/FileReader.h). Adding serves one thread, and
// no thread may read while one adds.
#include <Palimo/KLV/Key.h>
#include <Palimo/MetaMetadata/MetaElement.h>
#include <Palimo/MetaMetadata/MetaMetadataSet.h>
#include <Palimo/Templates/AutoPtr.h>
#include <Palimo/Types/BaseType.h>
#include <Palimo/Types/LocalTag.h>

#include <map>
#include <memory>
#include <vector>

namespace Palimo {
namespace MetaMetadata {

class Dictionary {
public:
    Dictionary();
    virtual ~Dictionary();
    Dictionary(const Dictionary&) = delete;
    Dictionary& operator=(const Dictionary&) = delete;

    /// Records a copy of `tag` for `label`. A later tag for the same label
    /// becomes the answer of findLocalTag; every tag handed out before stays
    /// valid for the dictionary's life.
    virtual void addLocalTag(const Types::LocalTag& tag, const Types::UniversalLabel& label);
    /// The current tag of `label`, or null. Valid while the dictionary lives.
    virtual const Types::LocalTag* findLocalTag(const Types::UniversalLabel& label) const;
    /// Takes ownership and keeps that very object alive for the dictionary's
    /// life, also when a later element has the same label (lookups then answer
    /// the later one). A null element is refused with InvalidArgument.
    virtual void addMetaElement(const Types::UniversalLabel& label,
                                Templates::auto_ptr<MetaElement> element);
    /// Stores a copy of `set` under `key` (attributes shared). A set under a
    /// known key replaces the stored copy in place (order of addition kept).
    virtual void addMetaMetadataSet(const KLV::Key& key, const MetaMetadataSet& set);

    // Reading back.
    const MetaElement* findMetaElement(const Types::UniversalLabel& label) const;
    const MetaMetadataSet* findMetaMetadataSet(const KLV::Key& key) const;
    /// The label that `tag` is the current local tag of, or null.
    const Types::UniversalLabel* findLabelByLocalTag(const Types::LocalTag& tag) const;
    /// Like findMetaElement / findMetaMetadataSet, but when there is no exact
    /// match, an entry that differs only in the version byte (byte 8, index 7)
    /// matches; `exact` tells which kind of match was found.
    const MetaElement* findMetaElementIgnoringVersion(const Types::UniversalLabel& label,
                                                      bool* exact = nullptr) const;
    const MetaMetadataSet* findMetaMetadataSetIgnoringVersion(const KLV::Key& key,
                                                              bool* exact = nullptr) const;

    /// Every element ever added, in order of addition.
    const std::vector<const MetaElement*>& metaElements() const { return elementOrder_; }
    /// Every stored set, in order of first addition of its key.
    std::vector<const MetaMetadataSet*> metaMetadataSets() const;
    std::size_t metaElementCount() const { return elementOrder_.size(); }
    std::size_t metaMetadataSetCount() const { return sets_.size(); }

private:
    std::vector<std::unique_ptr<MetaElement>> elements_;
    std::vector<const MetaElement*> elementOrder_;
    std::map<Types::UniversalLabel, const MetaElement*> elementsByLabel_;
    std::vector<std::unique_ptr<Types::LocalTag>> tags_;
    std::map<Types::UniversalLabel, const Types::LocalTag*> tagsByLabel_;
    std::map<Types::LocalTag, Types::UniversalLabel> labelsByTag_;
    std::vector<std::unique_ptr<MetaMetadataSet>> sets_;
    std::map<KLV::Key, MetaMetadataSet*> setsByKey_;
};

} // namespace MetaMetadata
} // namespace Palimo
