#pragma once
// The output of work done on several threads, written in the order of the
// work whatever the order it finishes in.
//
// Each piece of work writes to a section of its own, which keeps what is
// written to standard output and standard error, in the order written,
// until every section before it has been written. A section that has kept
// `bufferLimit` bytes waits for its turn and then writes through, so that
// one large output is never held whole; sections are opened at most
// `window` ahead of the one being written, so that the memory held is
// bounded by the window, not by the number of sections.
//
// Threads: any number of threads may open, fill and close sections at once,
// each section on one thread at a time. Only the thread whose section's
// turn it is writes to the streams, and the hooks run on that thread only,
// one at a time.
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <ostream>
#include <streambuf>
#include <string>
#include <utility>
#include <vector>

namespace Palimo {
namespace Output {

class OrderedOutput {
public:
    class Section;

    struct Hooks {
        /// Before a section's first bytes reach the streams.
        std::function<void()> beforeWrite;
        /// After a section is written, with the section.
        std::function<void(const Section&)> written;
    };

    OrderedOutput(std::ostream& out, std::ostream& err, std::size_t window, std::size_t bufferLimit,
                  Hooks hooks = {});
    ~OrderedOutput();
    OrderedOutput(const OrderedOutput&) = delete;
    OrderedOutput& operator=(const OrderedOutput&) = delete;

    /// Waits until section `index` may be opened (fewer than `window`
    /// sections before it are not written yet); false once stopped.
    bool waitForRoom(std::size_t index);
    std::unique_ptr<Section> open(std::size_t index);
    /// Hands `section` over: it is written now when its turn has come (then
    /// also the closed sections after it whose turn follows), else by
    /// whoever writes the section before it.
    void close(std::unique_ptr<Section> section);
    /// No more sections are wanted (the output failed): waiting stops, and
    /// what sections write from now on is dropped.
    void stop();
    bool stopped() const;

    class Section {
    public:
        ~Section();
        std::size_t index() const { return index_; }
        std::ostream& out() { return out_; }
        std::ostream& err() { return err_; }
        /// What the work found, for the hook `written` (such as an exit
        /// status and a number of problems); the output itself ignores them.
        int status = 0;
        std::size_t problems = 0;

    private:
        friend class OrderedOutput;
        // Standard output goes through a put area of its own (a file's text
        // is written in many small pieces); standard error, which is rare,
        // first hands on what standard output has put, to keep their order.
        class Buffer : public std::streambuf {
        public:
            Buffer(Section& section, bool error);
            /// Hands what is put on to the section.
            void drain();

        protected:
            int_type overflow(int_type c) override;
            std::streamsize xsputn(const char* text, std::streamsize count) override;
            int sync() override;

        private:
            Section& section_;
            bool error_;
            char area_[4096];
        };

        Section(OrderedOutput& owner, std::size_t index);
        void write(bool error, const char* text, std::size_t count);
        void drain();
        void replay();

        OrderedOutput& owner_;
        std::size_t index_;
        std::vector<std::pair<bool, std::string>> chunks_; // (to standard error, text)
        std::size_t kept_ = 0;
        bool live_ = false; // writes through: its turn has come
        Buffer outBuffer_;
        Buffer errBuffer_;
        std::ostream out_;
        std::ostream err_;
    };

private:
    bool waitForTurn(std::size_t index);
    void writeInTurn(Section& section);

    std::ostream& out_;
    std::ostream& err_;
    const std::size_t window_;
    const std::size_t bufferLimit_;
    Hooks hooks_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::size_t next_ = 0; // the section whose output comes next
    bool stopped_ = false;
    std::map<std::size_t, std::unique_ptr<Section>> closed_; // closed, waiting for their turn
};

} // namespace Output
} // namespace Palimo
