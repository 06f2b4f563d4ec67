#pragma once
// One stress case in a child process of its own, measured by the kernel: a
// case that runs away costs the child, not the runner, and its CPU time and
// peak memory are its alone.
#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

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

/// A stress program's command line: `--list` prints the names of the cases;
/// else runs the cases of `all` that `names` names (every case when it names
/// none) with `run`, which says whether a case passed, and prints the count.
/// Returns the program's exit status.
template <class Case, class Run>
int runSelected(const std::vector<std::string>& names, const std::vector<Case>& all, Run run) {
    if (names.size() == 1 && names[0] == "--list") {
        for (const Case& c : all)
            std::printf("%s\n", c.name);
        return 0;
    }
    int passed = 0;
    int failed = 0;
    for (const Case& c : all) {
        if (!names.empty() && std::find(names.begin(), names.end(), c.name) == names.end())
            continue;
        (run(c) ? passed : failed)++;
    }
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}

} // namespace Stress
