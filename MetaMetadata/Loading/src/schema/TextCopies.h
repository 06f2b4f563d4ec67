#pragma once
// Copies of document texts, packed one after the other in the order they are
// made, so that reading them again later touches a few compact blocks
// instead of the nodes and buffers of a document far larger than the caches.
#include <xercesc/util/XMLString.hpp>

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

namespace Palimo {
namespace MetaMetadata {
namespace Loading {

class TextCopies {
public:
    /// A copy of `text` (null: the empty text) that stays where it is for the
    /// life of this object.
    std::u16string_view copy(const XMLCh* text) {
        const std::size_t length = text != nullptr ? xercesc::XMLString::stringLen(text) : 0;
        if (length == 0)
            return std::u16string_view(u"", 0);
        char16_t* at = nullptr;
        if (length > kBlockSize / 4) {
            // A long text gets a block of its own: the current block is filled on.
            at = large_.emplace_back(new char16_t[length]).get();
        } else {
            if (length > kBlockSize - used_) {
                blocks_.emplace_back(new char16_t[kBlockSize]);
                used_ = 0;
            }
            at = blocks_.back().get() + used_;
            used_ += length;
        }
        std::char_traits<char16_t>::copy(at, text, length);
        return std::u16string_view(at, length);
    }

private:
    static constexpr std::size_t kBlockSize = 32 * 1024;

    std::vector<std::unique_ptr<char16_t[]>> blocks_;
    std::vector<std::unique_ptr<char16_t[]>> large_;
    std::size_t used_ = kBlockSize; // the first copy starts a block
};

} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
