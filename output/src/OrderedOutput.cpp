#include <Palimo/Output/OrderedOutput.h>

namespace Palimo {
namespace Output {

OrderedOutput::OrderedOutput(std::ostream& out, std::ostream& err, std::size_t window,
                             std::size_t bufferLimit, Hooks hooks)
    : out_(out), err_(err), window_(window == 0 ? 1 : window), bufferLimit_(bufferLimit),
      hooks_(std::move(hooks)) {}

OrderedOutput::~OrderedOutput() = default;

bool OrderedOutput::waitForRoom(std::size_t index) {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [&] { return stopped_ || index < next_ + window_; });
    return !stopped_;
}

std::unique_ptr<OrderedOutput::Section> OrderedOutput::open(std::size_t index) {
    return std::unique_ptr<Section>(new Section(*this, index));
}

void OrderedOutput::stop() {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        stopped_ = true;
    }
    changed_.notify_all();
}

bool OrderedOutput::stopped() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return stopped_;
}

bool OrderedOutput::waitForTurn(std::size_t index) {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [&] { return stopped_ || next_ == index; });
    return !stopped_;
}

// On the thread whose turn it is: nobody else writes to the streams.
void OrderedOutput::writeInTurn(Section& section) {
    if (!section.live_) {
        if (hooks_.beforeWrite)
            hooks_.beforeWrite();
        section.replay();
    }
    if (hooks_.written)
        hooks_.written(section);
    if (!out_.good() || !err_.good())
        stop();
}

void OrderedOutput::close(std::unique_ptr<Section> section) {
    section->drain();
    std::unique_lock<std::mutex> lock(mutex_);
    if (stopped_)
        return;
    if (next_ != section->index_) {
        closed_.emplace(section->index_, std::move(section));
        return;
    }
    // The turn is this thread's until next_ moves on: write this section and
    // the closed ones that follow it.
    while (section) {
        lock.unlock();
        writeInTurn(*section);
        section.reset();
        lock.lock();
        ++next_;
        changed_.notify_all();
        if (stopped_)
            break;
        const auto following = closed_.find(next_);
        if (following != closed_.end()) {
            section = std::move(following->second);
            closed_.erase(following);
        }
    }
}

OrderedOutput::Section::Section(OrderedOutput& owner, std::size_t index)
    : owner_(owner), index_(index), outBuffer_(*this, false), errBuffer_(*this, true),
      out_(&outBuffer_), err_(&errBuffer_) {}

OrderedOutput::Section::~Section() = default;

void OrderedOutput::Section::drain() {
    outBuffer_.drain();
}

void OrderedOutput::Section::write(bool error, const char* text, std::size_t count) {
    if (error)
        outBuffer_.drain();
    if (live_) {
        (error ? owner_.err_ : owner_.out_).write(text, static_cast<std::streamsize>(count));
        return;
    }
    if (chunks_.empty() || chunks_.back().first != error)
        chunks_.emplace_back(error, std::string());
    chunks_.back().second.append(text, count);
    kept_ += count;
    if (kept_ < owner_.bufferLimit_)
        return;
    // Too much to keep: wait for this section's turn and write through.
    if (!owner_.waitForTurn(index_)) {
        chunks_.clear(); // the output failed: nothing more is written
        kept_ = 0;
        return;
    }
    if (owner_.hooks_.beforeWrite)
        owner_.hooks_.beforeWrite();
    replay();
    live_ = true;
}

void OrderedOutput::Section::replay() {
    for (const auto& [error, text] : chunks_)
        (error ? owner_.err_ : owner_.out_)
            .write(text.data(), static_cast<std::streamsize>(text.size()));
    chunks_.clear();
    kept_ = 0;
}

OrderedOutput::Section::Buffer::Buffer(Section& section, bool error)
    : section_(section), error_(error) {
    if (!error_)
        setp(area_, area_ + sizeof area_);
}

void OrderedOutput::Section::Buffer::drain() {
    if (pptr() == pbase())
        return;
    const std::size_t count = static_cast<std::size_t>(pptr() - pbase());
    setp(area_, area_ + sizeof area_);
    section_.write(error_, area_, count);
}

OrderedOutput::Section::Buffer::int_type OrderedOutput::Section::Buffer::overflow(int_type c) {
    drain();
    if (traits_type::eq_int_type(c, traits_type::eof()))
        return traits_type::not_eof(c);
    if (!error_) {
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
        return c;
    }
    const char ch = traits_type::to_char_type(c);
    section_.write(error_, &ch, 1);
    return c;
}

std::streamsize OrderedOutput::Section::Buffer::xsputn(const char* text, std::streamsize count) {
    if (!error_ && count <= epptr() - pptr()) {
        traits_type::copy(pptr(), text, static_cast<std::size_t>(count));
        pbump(static_cast<int>(count));
        return count;
    }
    drain();
    section_.write(error_, text, static_cast<std::size_t>(count));
    return count;
}

int OrderedOutput::Section::Buffer::sync() {
    drain();
    return 0;
}

} // namespace Output
} // namespace Palimo
