#include <Palimo/MXF/ByteSource.h>

#include <Palimo/MXF/Exceptions.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace Palimo {
namespace MXF {

void ByteSource::requireRange(std::uint64_t offset, std::uint64_t count) const {
    if (offset > size() || count > size() - offset)
        throw Exceptions::MalformedMXFFile(offset,
                                           std::to_string(count) +
                                               " bytes needed here run past the end of the file (" +
                                               std::to_string(size()) + " bytes)",
                                           __FILE__, __LINE__);
}

FileSource::FileSource(const std::string& path) : path_(path) {
    // A directory opens as a stream on some systems, and then reads nothing.
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        throw Exceptions::UnreadableMXFFile("cannot open " + path + ": it is a directory", __FILE__,
                                            __LINE__);
    in_.open(path, std::ios::binary);
    if (!in_)
        throw Exceptions::UnreadableMXFFile("cannot open " + path + ": " + std::strerror(errno),
                                            __FILE__, __LINE__);
    in_.seekg(0, std::ios::end);
    const std::streamoff end = in_.tellg();
    if (!in_ || end < 0)
        throw Exceptions::UnreadableMXFFile("cannot find the size of " + path, __FILE__, __LINE__);
    size_ = static_cast<std::uint64_t>(end);
}

std::vector<std::uint8_t> FileSource::read(std::uint64_t offset, std::size_t count) const {
    requireRange(offset, count);
    std::vector<std::uint8_t> bytes(count);
    if (count == 0)
        return bytes;
    in_.clear();
    in_.seekg(static_cast<std::streamoff>(offset));
    in_.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(count));
    if (!in_)
        throw Exceptions::UnreadableMXFFile("cannot read " + std::to_string(count) +
                                                " bytes at byte " + std::to_string(offset) +
                                                " of " + path_,
                                            __FILE__, __LINE__);
    return bytes;
}

std::vector<std::uint8_t> MemorySource::read(std::uint64_t offset, std::size_t count) const {
    requireRange(offset, count);
    return std::vector<std::uint8_t>(data_ + offset, data_ + offset + count);
}

} // namespace MXF
} // namespace Palimo
