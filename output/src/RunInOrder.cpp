#include <Palimo/Output/RunInOrder.h>

#include <Palimo/Exceptions/BaseException.h>

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace Palimo {
namespace Output {

std::string runInOrder(std::size_t count, unsigned threads, OrderedOutput& output, int failed,
                       const std::string& program,
                       const std::function<void(OrderedOutput::Section&)>& work) {
    std::atomic<std::size_t> next{0};
    std::mutex failureMutex;
    std::string failure;
    const auto failedWith = [&](OrderedOutput::Section& section, const char* message) {
        section.err() << program << ": " << message << '\n';
        section.status = failed;
    };
    // Writing failed (memory): the sections still to come would wait for
    // this one forever.
    const auto stopWith = [&](const char* message) {
        output.stop();
        const std::lock_guard<std::mutex> lock(failureMutex);
        if (failure.empty())
            failure = message;
    };
    const auto worker = [&] {
        try {
            for (std::size_t index = next++; index < count; index = next++) {
                if (!output.waitForRoom(index))
                    return;
                std::unique_ptr<OrderedOutput::Section> section = output.open(index);
                try {
                    work(*section);
                } catch (const std::exception& e) {
                    failedWith(*section, e.what());
                } catch (const Exceptions::BaseException& e) {
                    failedWith(*section, e.what());
                } catch (...) {
                    failedWith(*section, "an exception of unknown type");
                }
                output.close(std::move(section));
            }
        } catch (const std::exception& e) {
            stopWith(e.what());
        } catch (...) {
            stopWith("an exception of unknown type");
        }
    };
    std::vector<std::thread> started;
    const std::size_t wanted = std::min<std::size_t>(threads == 0 ? 1 : threads, count);
    for (std::size_t i = 1; i < wanted; ++i) {
        try {
            started.emplace_back(worker);
        } catch (const std::system_error&) {
            break; // fewer threads than asked for: the caller's still works
        }
    }
    worker();
    for (std::thread& thread : started)
        thread.join();
    return failure;
}

} // namespace Output
} // namespace Palimo
