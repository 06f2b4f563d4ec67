#pragma once
// One stress case in a child process of its own, measured by the kernel: a
// case that runs away costs the child, not the runner, and its CPU time and
// peak memory are its alone.
#include <functional>
#include <string>

namespace Stress {

struct ChildRun {
    std::string report; // what the child returned, at most 4 KiB
    int status = 0;     // as wait4 gives it
    double cpuSeconds = 0;
    double wallSeconds = 0;
    long peakMiB = 0;

    bool exitedCleanly() const;
};

/// Forks, runs `work` in the child and hands its text back through a pipe.
ChildRun runInChild(const std::function<std::string()>& work);

} // namespace Stress
