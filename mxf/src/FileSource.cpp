#include <Palimo/MXF/ByteSource.h>

#include <Palimo/MXF/Exceptions.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Palimo {
namespace MXF {
namespace {

[[noreturn]] void fail(const std::string& what) {
    throw UnreadableMXFFile(what, __FILE__, __LINE__);
}

// What a file that is no regular file is, for messages.
const char* kindOf(mode_t mode) {
    if (S_ISDIR(mode))
        return "a directory";
    if (S_ISFIFO(mode))
        return "a FIFO";
    if (S_ISSOCK(mode))
        return "a socket";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "a device";
    return "no regular file";
}

} // namespace

FileSource::FileSource(const std::string& path) : name_(path) {
    // Looked at before it is opened: opening a FIFO for reading waits for a
    // writer, and opening a device may act on it.
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0)
        fail("cannot open " + path + ": " + std::strerror(errno));
    if (!S_ISREG(status.st_mode))
        fail("cannot open " + path + ": it is " + kindOf(status.st_mode));
    // Not blocking either, should the path be replaced by a FIFO meanwhile.
    descriptor_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (descriptor_ < 0)
        fail("cannot open " + path + ": " + std::strerror(errno));
    owned_ = true;
    struct stat opened {};
    const bool known = ::fstat(descriptor_, &opened) == 0;
    const int error = errno;
    if (!known || !S_ISREG(opened.st_mode)) {
        ::close(descriptor_);
        fail("cannot open " + path + ": " +
             (known ? std::string("it is ") + kindOf(opened.st_mode) : std::strerror(error)));
    }
    size_ = static_cast<std::uint64_t>(opened.st_size);
}

FileSource::FileSource(int descriptor, std::string name)
    : name_(std::move(name)), descriptor_(descriptor) {
    struct stat status {};
    if (::fstat(descriptor_, &status) != 0)
        fail("cannot read " + name_ + ": " + std::strerror(errno));
    if (!S_ISREG(status.st_mode))
        fail("cannot read " + name_ + ": it is " + kindOf(status.st_mode));
    size_ = static_cast<std::uint64_t>(status.st_size);
}

FileSource::~FileSource() {
    if (owned_)
        ::close(descriptor_);
}

void FileSource::readInto(std::uint8_t* bytes, std::uint64_t offset, std::size_t count) const {
    std::size_t done = 0;
    while (done < count) {
        const ssize_t got =
            ::pread(descriptor_, bytes + done, count - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            fail("cannot read " + std::to_string(count) + " bytes at byte " +
                 std::to_string(offset) + " of " + name_ + ": " +
                 (got < 0 ? std::strerror(errno) : "the file ends sooner than it did when opened"));
        done += static_cast<std::size_t>(got);
    }
}

std::vector<std::uint8_t> FileSource::read(std::uint64_t offset, std::size_t count) const {
    requireRange(offset, count);
    std::vector<std::uint8_t> bytes(count);
    readInto(bytes.data(), offset, count);
    return bytes;
}

std::vector<std::uint8_t> FileSource::readUpTo(std::uint64_t offset, std::size_t count) const {
    if (offset >= size_)
        return {};
    std::vector<std::uint8_t> bytes(
        static_cast<std::size_t>(std::min<std::uint64_t>(count, size_ - offset)));
    readInto(bytes.data(), offset, bytes.size());
    return bytes;
}

} // namespace MXF
} // namespace Palimo
