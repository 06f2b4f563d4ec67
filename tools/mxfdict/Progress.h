#pragma once
// A progress line on a terminal: files done of all, files a second and
// problems so far, written over itself.
#include <chrono>
#include <cstddef>
#include <ostream>

namespace Mxfdict {

class Progress {
public:
    /// Draws on `terminal` only when `shown`; a hidden progress does nothing.
    Progress(std::ostream& terminal, std::size_t files, bool shown);

    /// Before anything else is written to the terminal: the line is wiped.
    void clear();
    /// One more file done with `problems` problems (`unreadable`: it could not
    /// be read); the line is drawn again at most ten times a second, and
    /// after the last file.
    void fileDone(std::size_t problems, bool unreadable);

private:
    void draw();

    std::ostream& terminal_;
    const std::size_t files_;
    const bool shown_;
    const std::chrono::steady_clock::time_point start_;
    std::chrono::steady_clock::time_point drawn_{};
    std::size_t done_ = 0;
    std::size_t problems_ = 0;
    std::size_t unreadable_ = 0;
    std::size_t width_ = 0; // of the line on the terminal; 0 when none is
};

/// Whether standard error is a terminal.
bool standardErrorIsTerminal();

} // namespace Mxfdict
