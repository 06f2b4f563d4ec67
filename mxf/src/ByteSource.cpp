#include <Palimo/MXF/ByteSource.h>

#include <Palimo/MXF/Exceptions.h>

#include <algorithm>

#include <sys/stat.h>
#include <unistd.h>

namespace Palimo {
namespace MXF {

void ByteSource::requireRange(std::uint64_t offset, std::uint64_t count) const {
    if (offset > size() || count > size() - offset)
        throw MalformedMXFFile(offset,
                               std::to_string(count) +
                                   " bytes needed here run past the end of the file (" +
                                   std::to_string(size()) + " bytes)",
                               __FILE__, __LINE__);
}

std::vector<std::uint8_t> ByteSource::readUpTo(std::uint64_t offset, std::size_t count) const {
    const std::uint64_t total = size();
    if (offset >= total)
        return {};
    return read(offset, static_cast<std::size_t>(std::min<std::uint64_t>(count, total - offset)));
}

std::vector<std::uint8_t> MemorySource::read(std::uint64_t offset, std::size_t count) const {
    requireRange(offset, count);
    return std::vector<std::uint8_t>(data_ + offset, data_ + offset + count);
}

std::unique_ptr<ByteSource> openSource(const std::string& path) {
    if (path != "-")
        return std::make_unique<FileSource>(path);
    // A regular file behind standard input can be read where the best copy
    // of the header metadata lies; anything else only forward.
    struct stat status {};
    if (::fstat(STDIN_FILENO, &status) == 0 && S_ISREG(status.st_mode))
        return std::make_unique<FileSource>(STDIN_FILENO, "standard input");
    return std::make_unique<StreamSource>(STDIN_FILENO, "standard input");
}

} // namespace MXF
} // namespace Palimo
