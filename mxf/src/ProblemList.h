#pragma once
// Adding problems within Limits::kProblems: beyond it they are counted.
#include <Palimo/MXF/Limits.h>
#include <Palimo/MXF/Problem.h>

#include <string>
#include <vector>

namespace Palimo {
namespace MXF {

class ProblemList {
public:
    ProblemList(std::vector<Problem>& kept, std::size_t& notKept)
        : kept_(kept), notKept_(notKept) {}

    void add(Problem::Kind kind, std::uint64_t offset, std::string message) {
        if (keeping())
            kept_.push_back(Problem{kind, offset, std::move(message)});
        else
            ++notKept_;
    }
    /// Whether a problem added now is kept: where problems may come by the
    /// million, one that is not is only counted, its message never made.
    bool keeping() const { return kept_.size() < Limits::kProblems; }
    void count() { ++notKept_; }

private:
    std::vector<Problem>& kept_;
    std::size_t& notKept_;
};

} // namespace MXF
} // namespace Palimo
