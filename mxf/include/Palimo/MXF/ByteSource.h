#pragma once
// Where the reader takes the bytes of an MXF file from: a regular file, read
// piece by piece (only the parts the reader asks for, each in one request),
// a stream read forward only (standard input from a pipe), or bytes in
// memory.
//
// Threads: FileSource and MemorySource keep no state between reads; reads
// on one of them may run at once. A StreamSource serves one thread at a
// time. Separate sources are independent.
#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace Palimo {
namespace MXF {

class ByteSource {
public:
    /// size() of a forward-only source whose end has not been reached.
    static constexpr std::uint64_t kUnknownSize = std::numeric_limits<std::uint64_t>::max();

    virtual ~ByteSource() = default;
    /// The number of bytes of the source; kUnknownSize for a forward-only
    /// source until a read reaches its end.
    virtual std::uint64_t size() const = 0;
    /// Exactly `count` bytes from `offset`, in one request. Throws
    /// MalformedMXFFile (naming `offset`) when they run past the end,
    /// UnreadableMXFFile when reading fails.
    virtual std::vector<std::uint8_t> read(std::uint64_t offset, std::size_t count) const = 0;
    /// `count` bytes from `offset`, or fewer when the source ends sooner
    /// (none from an offset at or past the end), in one request. Never
    /// allocates for bytes that are not there. Throws UnreadableMXFFile when
    /// reading fails.
    virtual std::vector<std::uint8_t> readUpTo(std::uint64_t offset, std::size_t count) const;
    /// Whether the source reads forward only: a read may then start no
    /// earlier than firstReadable().
    virtual bool forwardOnly() const { return false; }
    /// The first offset a read may start at: 0 but for forward-only sources.
    virtual std::uint64_t firstReadable() const { return 0; }

protected:
    /// Throws MalformedMXFFile unless [offset, offset + count) lies in the source.
    void requireRange(std::uint64_t offset, std::uint64_t count) const;
};

/// A regular file; each read is one positioned read of the bytes asked for.
class FileSource : public ByteSource {
public:
    /// Opens `path`. Throws UnreadableMXFFile when it cannot be opened or is
    /// no regular file (a directory, a FIFO, a device, a socket): that is
    /// found before the file is opened for reading, so a FIFO without a
    /// writer never blocks, and checked again on what was opened.
    explicit FileSource(const std::string& path);
    /// Reads the regular file open as `descriptor`, which stays open
    /// afterwards; `name` names it in messages. Throws UnreadableMXFFile
    /// when it is no regular file.
    FileSource(int descriptor, std::string name);
    ~FileSource() override;
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    std::uint64_t size() const override { return size_; }
    std::vector<std::uint8_t> read(std::uint64_t offset, std::size_t count) const override;
    std::vector<std::uint8_t> readUpTo(std::uint64_t offset, std::size_t count) const override;

private:
    void readInto(std::uint8_t* bytes, std::uint64_t offset, std::size_t count) const;

    std::string name_;
    int descriptor_ = -1;
    bool owned_ = false;
    std::uint64_t size_ = 0;
};

/// A stream read forward only, such as a pipe: bytes are read in order, those
/// before a read's offset are read and dropped, and the last 128 KiB read
/// (kKept) are kept, so that a read may start up to that far back. A read
/// starting before firstReadable() throws UnreadableMXFFile.
class StreamSource : public ByteSource {
public:
    static constexpr std::size_t kKept = 128 * 1024;

    /// Reads the open `descriptor` (left open); `name` names it in messages
    /// ("standard input").
    StreamSource(int descriptor, std::string name);

    std::uint64_t size() const override { return size_; }
    std::vector<std::uint8_t> read(std::uint64_t offset, std::size_t count) const override;
    std::vector<std::uint8_t> readUpTo(std::uint64_t offset, std::size_t count) const override;
    bool forwardOnly() const override { return true; }
    std::uint64_t firstReadable() const override { return keptOffset_; }

private:
    /// Up to `count` more bytes of the stream into `out`; fewer at its end.
    std::size_t next(std::uint8_t* out, std::size_t count) const;
    void keep(const std::uint8_t* bytes, std::size_t count) const;

    int descriptor_;
    std::string name_;
    mutable std::uint64_t size_ = kUnknownSize;
    mutable std::uint64_t position_ = 0;     // of the next byte of the stream
    mutable std::vector<std::uint8_t> kept_; // the bytes just before position_
    mutable std::uint64_t keptOffset_ = 0;   // of kept_'s first byte
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

/// The source of `path`: "-" is standard input (a FileSource when it is a
/// regular file, else a StreamSource); anything else a FileSource (so a file
/// named "-" is given as "./-"). Throws UnreadableMXFFile as they do.
std::unique_ptr<ByteSource> openSource(const std::string& path);

} // namespace MXF
} // namespace Palimo
