#include <Palimo/MXF/ByteSource.h>

#include <Palimo/MXF/Exceptions.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <poll.h>
#include <unistd.h>

namespace Palimo {
namespace MXF {
namespace {

// Bytes skipped or read at a time: what a read may allocate beyond what the
// stream holds.
constexpr std::size_t kStep = 64 * 1024;

} // namespace

StreamSource::StreamSource(int descriptor, std::string name)
    : descriptor_(descriptor), name_(std::move(name)) {}

std::size_t StreamSource::next(std::uint8_t* out, std::size_t count) const {
    std::size_t done = 0;
    while (done < count && size_ == kUnknownSize) {
        const ssize_t got = ::read(descriptor_, out + done, count - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            // A descriptor left non-blocking by whoever gave it: wait for data.
            pollfd ready{descriptor_, POLLIN, 0};
            ::poll(&ready, 1, -1);
            continue;
        }
        if (got < 0)
            throw UnreadableMXFFile("cannot read " + name_ + " at byte " +
                                        std::to_string(position_ + done) + ": " +
                                        std::strerror(errno),
                                    __FILE__, __LINE__);
        if (got == 0)
            size_ = position_ + done;
        done += static_cast<std::size_t>(got);
    }
    position_ += done;
    keep(out, done);
    return done;
}

void StreamSource::keep(const std::uint8_t* bytes, std::size_t count) const {
    if (count >= kKept) {
        kept_.assign(bytes + (count - kKept), bytes + count);
    } else {
        kept_.insert(kept_.end(), bytes, bytes + count);
        if (kept_.size() > kKept)
            kept_.erase(kept_.begin(),
                        kept_.begin() + static_cast<std::ptrdiff_t>(kept_.size() - kKept));
    }
    keptOffset_ = position_ - kept_.size();
}

std::vector<std::uint8_t> StreamSource::readUpTo(std::uint64_t offset, std::size_t count) const {
    if (offset < keptOffset_)
        throw UnreadableMXFFile(name_ + " is read forward only: byte " + std::to_string(offset) +
                                    " has been passed (reads may start at byte " +
                                    std::to_string(keptOffset_) + " or later)",
                                __FILE__, __LINE__);
    std::vector<std::uint8_t> skipped;
    while (position_ < offset && size_ == kUnknownSize) {
        skipped.resize(
            static_cast<std::size_t>(std::min<std::uint64_t>(kStep, offset - position_)));
        next(skipped.data(), skipped.size());
    }
    std::vector<std::uint8_t> bytes;
    if (offset < position_) {
        const std::uint64_t end = std::min<std::uint64_t>(position_, offset + count);
        bytes.assign(kept_.begin() + static_cast<std::ptrdiff_t>(offset - keptOffset_),
                     kept_.begin() + static_cast<std::ptrdiff_t>(end - keptOffset_));
    }
    // The rest step by step, growing with what arrives: a count that the
    // stream does not hold is never allocated.
    while (bytes.size() < count && size_ == kUnknownSize && offset <= position_) {
        const std::size_t have = bytes.size();
        const std::size_t step = std::min(count - have, std::max(kStep, have));
        bytes.resize(have + step);
        bytes.resize(have + next(bytes.data() + have, step));
    }
    return bytes;
}

std::vector<std::uint8_t> StreamSource::read(std::uint64_t offset, std::size_t count) const {
    std::vector<std::uint8_t> bytes = readUpTo(offset, count);
    if (bytes.size() < count)
        requireRange(offset, count); // the end is known now
    return bytes;
}

} // namespace MXF
} // namespace Palimo
