#include "ReadAhead.h"

#include <algorithm>

namespace Palimo {
namespace MXF {

std::uint64_t ReadAhead::firstReadable() const {
    const std::uint64_t source = source_.firstReadable();
    return chunk_.empty() ? source : std::min(source, chunkOffset_);
}

std::vector<std::uint8_t> ReadAhead::read(std::uint64_t offset, std::size_t count) const {
    std::vector<std::uint8_t> bytes = readUpTo(offset, count);
    if (bytes.size() < count)
        requireRange(offset, count); // the source's end is known now
    return bytes;
}

std::vector<std::uint8_t> ReadAhead::readUpTo(std::uint64_t offset, std::size_t count) const {
    const std::uint64_t chunkEnd = chunkOffset_ + chunk_.size();
    const bool inChunk = offset >= chunkOffset_ && offset < chunkEnd;
    if (inChunk && count <= chunkEnd - offset) {
        const auto first = chunk_.begin() + static_cast<std::ptrdiff_t>(offset - chunkOffset_);
        return std::vector<std::uint8_t>(first, first + static_cast<std::ptrdiff_t>(count));
    }
    // What the chunk holds of the bytes asked for comes from it only where
    // the source may have passed it.
    std::vector<std::uint8_t> bytes;
    std::uint64_t next = offset;
    if (inChunk && source_.forwardOnly()) {
        bytes.assign(chunk_.begin() + static_cast<std::ptrdiff_t>(offset - chunkOffset_),
                     chunk_.end());
        next = chunkEnd;
    }
    const std::size_t rest = count - bytes.size();
    std::vector<std::uint8_t> read = source_.readUpTo(next, std::max(rest, kChunk));
    if (read.size() <= kKept) {
        chunk_ = read;
        chunkOffset_ = next;
    }
    if (read.size() > rest)
        read.resize(rest);
    if (bytes.empty())
        return read;
    bytes.insert(bytes.end(), read.begin(), read.end());
    return bytes;
}

} // namespace MXF
} // namespace Palimo
