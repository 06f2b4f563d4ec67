#pragma once
// Work on several threads whose output is written in the order of the work.
//
// Threads: runInOrder starts and joins its own threads; `work` runs on
// several of them at once, each call with a section of its own.
#include <Palimo/Output/OrderedOutput.h>

#include <cstddef>
#include <functional>
#include <string>

namespace Palimo {
namespace Output {

/// Runs `work` for each index below `count`, on `threads` threads (the
/// caller's one of them, so that 1 starts none), each with the section of
/// `output` for its index. Indices are taken in order, each once, and no
/// further than `output` lets them be opened ahead of its writing; work stops
/// being taken once `output` stops. `work` may be called on several threads
/// at once. An exception that leaves `work` ends that index's work: its
/// message goes to the section's standard error after `program` and ": ",
/// its status is `failed`.
/// Gives the message of a failure outside the work (of writing a section),
/// which stopped the output; "" when there was none. When fewer threads can
/// be started than asked for, the work runs on those that could.
std::string runInOrder(std::size_t count, unsigned threads, OrderedOutput& output, int failed,
                       const std::string& program,
                       const std::function<void(OrderedOutput::Section&)>& work);

} // namespace Output
} // namespace Palimo
