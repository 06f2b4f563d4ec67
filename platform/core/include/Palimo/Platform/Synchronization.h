#pragma once
#include <atomic>

namespace Palimo {
namespace Platform {
namespace Synchronization {

/// Atomically adds one and returns the new value.
long interlockedIncrement(std::atomic<long>& value) noexcept;
/// Atomically subtracts one and returns the new value.
long interlockedDecrement(std::atomic<long>& value) noexcept;

} // namespace Synchronization
} // namespace Platform
} // namespace Palimo
