#include "ChildRun.h"

#include <chrono>
#include <cstdlib>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace Stress {

bool ChildRun::exitedCleanly() const {
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

ChildRun runInChild(const std::function<std::string()>& work) {
    ChildRun run;
    int channel[2];
    if (::pipe(channel) != 0) {
        run.status = -1;
        return run;
    }
    const auto started = std::chrono::steady_clock::now();
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        const std::string report = work().substr(0, 4096);
        if (::write(channel[1], report.data(), report.size()) < 0)
            std::_Exit(3);
        std::_Exit(0);
    }
    ::close(channel[1]);
    char buffer[4096];
    for (ssize_t got; (got = ::read(channel[0], buffer, sizeof buffer)) > 0;)
        run.report.append(buffer, static_cast<std::size_t>(got));
    ::close(channel[0]);
    struct rusage usage {};
    ::wait4(child, &run.status, 0, &usage);
    run.wallSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    run.cpuSeconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                     static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    run.peakMiB = usage.ru_maxrss / 1024;
    return run;
}

} // namespace Stress
