#include <Palimo/MetaMetadata/Dictionary.h>

#include <Palimo/Exceptions/CoreExceptions.h>
#include <Palimo/Initializer.h>

#include <algorithm>

namespace Palimo {
namespace MetaMetadata {
namespace {

using Bytes16 = std::array<std::uint8_t, 16>;
constexpr std::size_t kVersionByte = 7;

Bytes16 bytesOf(const Types::UniversalLabel& label) {
    return label.array();
}
Bytes16 bytesOf(const KLV::Key& key) {
    return key.bytes();
}

// The entry whose bytes equal `bytes` everywhere but the version byte,
// preferring the highest version. All such entries sort between the form with
// version 0x00 and trailing 0x00 bytes and the form with version 0xff and
// trailing 0xff bytes, so only that range is scanned.
template <class Map>
typename Map::const_iterator findOtherVersion(const Map& map, const Bytes16& bytes) {
    using KeyType = typename Map::key_type;
    Bytes16 low = bytes, high = bytes;
    for (std::size_t i = kVersionByte; i < bytes.size(); ++i) {
        low[i] = 0x00;
        high[i] = 0xff;
    }
    auto found = map.end();
    for (auto it = map.lower_bound(KeyType(low)), end = map.upper_bound(KeyType(high)); it != end;
         ++it) {
        const Bytes16 candidate = bytesOf(it->first);
        if (std::equal(candidate.begin() + kVersionByte + 1, candidate.end(),
                       bytes.begin() + kVersionByte + 1))
            found = it;
    }
    return found;
}

template <class Map>
typename Map::mapped_type findAnyVersion(const Map& map, const typename Map::key_type& key,
                                         bool* exact) {
    auto it = map.find(key);
    const bool isExact = it != map.end();
    if (!isExact)
        it = findOtherVersion(map, bytesOf(key));
    if (exact)
        *exact = isExact;
    return it == map.end() ? nullptr : it->second;
}

// Room for one more entry, growing geometrically: reserving exactly one more
// would move every entry at every addition, quadratic over a dictionary.
template <class Vector>
void reserveOneMore(Vector& entries) {
    if (entries.size() == entries.capacity())
        entries.reserve(entries.capacity() < 8 ? 8 : 2 * entries.capacity());
}

} // namespace

Dictionary::Dictionary() {
    Initializer::instance();
}

Dictionary::~Dictionary() = default;

void Dictionary::addLocalTag(const Types::LocalTag& tag, const Types::UniversalLabel& label) {
    // Tags are never freed before the dictionary: attributes point at them.
    tags_.push_back(std::make_unique<Types::LocalTag>(tag));
    const Types::LocalTag* stored = tags_.back().get();
    auto previous = tagsByLabel_.find(label);
    if (previous != tagsByLabel_.end()) {
        // The label's old tag no longer leads back to it.
        auto back = labelsByTag_.find(*previous->second);
        if (back != labelsByTag_.end() && back->second == label && *previous->second != tag)
            labelsByTag_.erase(back);
        previous->second = stored;
    } else {
        tagsByLabel_.emplace(label, stored);
    }
    labelsByTag_.insert_or_assign(tag, label);
}

const Types::LocalTag* Dictionary::findLocalTag(const Types::UniversalLabel& label) const {
    auto it = tagsByLabel_.find(label);
    return it == tagsByLabel_.end() ? nullptr : it->second;
}

void Dictionary::addMetaElement(const Types::UniversalLabel& label,
                                Templates::auto_ptr<MetaElement> element) {
    if (!element)
        throw Exceptions::InvalidArgument("A null meta element cannot be added under the label " +
                                              label.text(),
                                          __FILE__, __LINE__);
    // Reserve first so that nothing below can fail after ownership is split.
    reserveOneMore(elements_);
    reserveOneMore(elementOrder_);
    const MetaElement* stored = element.get();
    elementsByLabel_.insert_or_assign(label, stored);
    elements_.push_back(std::move(element));
    elementOrder_.push_back(stored);
}

void Dictionary::addMetaMetadataSet(const KLV::Key& key, const MetaMetadataSet& set) {
    auto it = setsByKey_.find(key);
    if (it != setsByKey_.end()) {
        *it->second = set;
        return;
    }
    reserveOneMore(sets_);
    auto copy = std::make_unique<MetaMetadataSet>(set);
    setsByKey_.emplace(key, copy.get());
    sets_.push_back(std::move(copy));
}

const MetaElement* Dictionary::findMetaElement(const Types::UniversalLabel& label) const {
    auto it = elementsByLabel_.find(label);
    return it == elementsByLabel_.end() ? nullptr : it->second;
}

const MetaMetadataSet* Dictionary::findMetaMetadataSet(const KLV::Key& key) const {
    auto it = setsByKey_.find(key);
    return it == setsByKey_.end() ? nullptr : it->second;
}

const Types::UniversalLabel* Dictionary::findLabelByLocalTag(const Types::LocalTag& tag) const {
    auto it = labelsByTag_.find(tag);
    return it == labelsByTag_.end() ? nullptr : &it->second;
}

const MetaElement* Dictionary::findMetaElementIgnoringVersion(const Types::UniversalLabel& label,
                                                              bool* exact) const {
    return findAnyVersion(elementsByLabel_, label, exact);
}

const MetaMetadataSet* Dictionary::findMetaMetadataSetIgnoringVersion(const KLV::Key& key,
                                                                      bool* exact) const {
    return findAnyVersion(setsByKey_, key, exact);
}

std::vector<const MetaMetadataSet*> Dictionary::metaMetadataSets() const {
    std::vector<const MetaMetadataSet*> out;
    out.reserve(sets_.size());
    for (const auto& set : sets_)
        out.push_back(set.get());
    return out;
}

} // namespace MetaMetadata
} // namespace Palimo
