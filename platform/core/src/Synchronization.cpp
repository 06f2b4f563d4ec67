#include <Palimo/Platform/Synchronization.h>

namespace Palimo {
namespace Platform {
namespace Synchronization {

long interlockedIncrement(std::atomic<long>& value) noexcept {
    return value.fetch_add(1, std::memory_order_relaxed) + 1;
}

long interlockedDecrement(std::atomic<long>& value) noexcept {
    // acq_rel so that the thread that sees zero also sees every write made
    // through the other shares before it destroys the object.
    return value.fetch_sub(1, std::memory_order_acq_rel) - 1;
}

} // namespace Synchronization
} // namespace Platform
} // namespace Palimo
