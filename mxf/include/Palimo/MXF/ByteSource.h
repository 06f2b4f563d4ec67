#pragma once
// Where the reader takes the bytes of an MXF file from: a file, read piece by
// piece (only the parts the reader asks for), or bytes in memory.
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace Palimo {
namespace MXF {

class ByteSource {
public:
    virtual ~ByteSource() = default;
    /// The number of bytes of the source.
    virtual std::uint64_t size() const = 0;
    /// Exactly `count` bytes from `offset`. Throws MalformedMXFFile (naming
    /// `offset`) when they run past the end, UnreadableMXFFile when reading
    /// fails.
    virtual std::vector<std::uint8_t> read(std::uint64_t offset, std::size_t count) const = 0;

protected:
    /// Throws MalformedMXFFile unless [offset, offset + count) lies in the source.
    void requireRange(std::uint64_t offset, std::uint64_t count) const;
};

/// A file on disk; reads seek to the parts asked for.
class FileSource : public ByteSource {
public:
    /// Opens `path`; throws UnreadableMXFFile when it cannot be opened.
    explicit FileSource(const std::string& path);
    std::uint64_t size() const override { return size_; }
    std::vector<std::uint8_t> read(std::uint64_t offset, std::size_t count) const override;

private:
    std::string path_;
    mutable std::ifstream in_;
    std::uint64_t size_ = 0;
};

/// Bytes in memory, not copied: they must outlive the source.
class MemorySource : public ByteSource {
public:
    MemorySource(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::uint64_t size() const override { return size_; }
    std::vector<std::uint8_t> read(std::uint64_t offset, std::size_t count) const override;

private:
    const std::uint8_t* data_;
    std::size_t size_;
};

} // namespace MXF
} // namespace Palimo
