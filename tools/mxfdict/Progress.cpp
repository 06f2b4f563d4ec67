#include "Progress.h"

#include <cstdio>
#include <string>

#include <unistd.h>

namespace Mxfdict {

Progress::Progress(std::ostream& terminal, std::size_t files, bool shown)
    : terminal_(terminal), files_(files), shown_(shown), start_(std::chrono::steady_clock::now()) {}

void Progress::clear() {
    if (width_ == 0)
        return;
    terminal_ << '\r' << std::string(width_, ' ') << '\r' << std::flush;
    width_ = 0;
}

void Progress::fileDone(std::size_t problems, bool unreadable) {
    ++done_;
    problems_ += problems;
    unreadable_ += unreadable ? 1 : 0;
    if (!shown_)
        return;
    const auto now = std::chrono::steady_clock::now();
    if (done_ < files_ && now - drawn_ < std::chrono::milliseconds(100))
        return;
    drawn_ = now;
    draw();
}

void Progress::draw() {
    const double seconds = std::chrono::duration<double>(drawn_ - start_).count();
    char rate[32];
    std::snprintf(rate, sizeof rate, "%.0f",
                  seconds > 0 ? static_cast<double>(done_) / seconds : 0.0);
    std::string line = std::to_string(done_) + '/' + std::to_string(files_) + " files, " + rate +
                       " files/s, " + std::to_string(problems_) + " problem" +
                       (problems_ == 1 ? "" : "s");
    if (unreadable_ > 0)
        line += ", " + std::to_string(unreadable_) + " unreadable";
    // Spaces wipe what is left of a longer line before.
    const std::size_t width = line.size();
    if (width < width_)
        line += std::string(width_ - width, ' ');
    terminal_ << '\r' << line << std::flush;
    width_ = width < width_ ? width_ : width;
}

bool standardErrorIsTerminal() {
    return ::isatty(STDERR_FILENO) == 1;
}

} // namespace Mxfdict
