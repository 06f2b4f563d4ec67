#pragma once
// Finding the other copies of the header metadata: the footer partition that
// the header partition pack points to, and the partitions that the random
// index pack at the end of the file lists.
#include <Palimo/MXF/ByteSource.h>
#include <Palimo/MXF/Partition.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace Palimo {
namespace MXF {

/// A partition pack and the way that led to it.
struct FoundPartition {
    PartitionPack pack;
    const char* route; // "the footer partition offset" or "the random index pack"
};

/// "the footer partition at byte 581407"
std::string partitionText(const PartitionPack& pack);

/// 3 closed complete, 2 closed incomplete, 1 open complete, 0 open
/// incomplete: values that are final come before values that are all there.
int statusRank(const PartitionPack& pack);

/// Reads partition packs only, each checked against the size of the file
/// first. A footer offset, random index pack or entry that leads nowhere
/// usable is passed over, with a line in `notes`. On a forward-only source,
/// the random index pack is not looked for (a note says so) and a footer
/// offset before what has been read leads nowhere.
class PartitionSearch {
public:
    PartitionSearch(const ByteSource& source, std::uint64_t runIn, const PartitionPack& header,
                    std::vector<std::string>& notes)
        : source_(source), runIn_(runIn), header_(header), notes_(notes) {}

    /// The body and footer partitions holding header metadata whose status is
    /// at least the header partition's (any, when the header partition holds
    /// none), best status first and, within one status, last in the file
    /// first. A footer that the footer offset leads to and that holds a
    /// closed complete copy comes alone: nothing in the file is later.
    std::vector<FoundPartition> copies();

    /// The footer partition, through the footer offset, else the last footer
    /// partition the random index pack lists. None when there is none; then
    /// `why` says what was looked at.
    std::optional<FoundPartition> footer(std::string& why);

    /// The ways that led to partitions, in the order they were taken.
    const std::vector<std::string>& routes() const { return routes_; }

private:
    const std::optional<PartitionPack>& footerByOffset();
    const std::vector<PartitionPack>& listed();
    bool holdsHeaderMetadata(const PartitionPack& pack);

    const ByteSource& source_;
    std::uint64_t runIn_;
    const PartitionPack& header_;
    std::vector<std::string>& notes_;
    std::vector<std::string> routes_;

    bool footerLooked_ = false;
    std::optional<PartitionPack> footer_;
    std::string footerProblem_; // why the footer offset led nowhere
    bool ripLooked_ = false;
    std::vector<PartitionPack> listed_; // by the random index pack, in file order
    std::string ripProblem_;            // why it led nowhere
};

} // namespace MXF
} // namespace Palimo
