#pragma once
// The reader's requests to a source: each read asks for at least a chunk,
// and what it got is kept when it is small, so that the small reads of keys,
// lengths and packs near one another cost one request; a read larger than a
// chunk is one request of its own.
#include <Palimo/MXF/ByteSource.h>

namespace Palimo {
namespace MXF {

class ReadAhead : public ByteSource {
public:
    /// What a small read asks for: a partition pack with the start of its
    /// header metadata, or a small header metadata whole, at the cost of
    /// no more bytes than a buffered stream reads for a pack.
    static constexpr std::size_t kChunk = 16 * 1024;
    /// The largest read kept: the first read, of the run-in, fits.
    static constexpr std::size_t kKept = 128 * 1024;

    explicit ReadAhead(const ByteSource& source) : source_(source) {}

    std::uint64_t size() const override { return source_.size(); }
    std::vector<std::uint8_t> read(std::uint64_t offset, std::size_t count) const override;
    std::vector<std::uint8_t> readUpTo(std::uint64_t offset, std::size_t count) const override;
    bool forwardOnly() const override { return source_.forwardOnly(); }
    std::uint64_t firstReadable() const override;

private:
    const ByteSource& source_;
    mutable std::vector<std::uint8_t> chunk_;
    mutable std::uint64_t chunkOffset_ = 0;
};

} // namespace MXF
} // namespace Palimo
