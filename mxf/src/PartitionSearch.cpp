#include "PartitionSearch.h"

#include <Palimo/MXF/Exceptions.h>
#include <Palimo/MXF/RandomIndexPack.h>

#include <algorithm>

namespace Palimo {
namespace MXF {
namespace {

const char kByOffset[] = "the footer partition offset";
const char kByRip[] = "the random index pack";

// Why a forward-only source cannot read at `offset`.
std::string passed(std::uint64_t offset) {
    return "byte " + std::to_string(offset) +
           " lies before what the file, read forward only, has got to";
}

} // namespace

std::string partitionText(const PartitionPack& pack) {
    return std::string("the ") + kindName(pack.kind) + " partition at byte " +
           std::to_string(pack.klv.offset);
}

int statusRank(const PartitionPack& pack) {
    return (pack.closed ? 2 : 0) + (pack.complete ? 1 : 0);
}

bool PartitionSearch::holdsHeaderMetadata(const PartitionPack& pack) {
    if (pack.headerByteCount == 0)
        return false;
    if (pack.headerByteCount <= source_.size() - pack.klv.end())
        return true;
    notes_.push_back(partitionText(pack) + " is passed over: its HeaderByteCount " +
                     std::to_string(pack.headerByteCount) + " runs past the end of the file (" +
                     std::to_string(source_.size()) + " bytes)");
    return false;
}

const std::optional<PartitionPack>& PartitionSearch::footerByOffset() {
    if (footerLooked_)
        return footer_;
    footerLooked_ = true;
    const std::uint64_t offset = header_.footerPartition;
    if (offset == 0) {
        footerProblem_ = "the header partition pack gives no footer partition offset";
        return footer_;
    }
    const std::string unusable = "the footer partition offset " + std::to_string(offset) +
                                 " of the header partition pack is unusable: ";
    // Offsets count from the header partition pack's key, after the run-in.
    if (offset >= source_.size() - runIn_) {
        footerProblem_ = unusable + "it lies past the end of the file (" +
                         std::to_string(source_.size()) + " bytes, " + std::to_string(runIn_) +
                         " of them run-in)";
    } else if (runIn_ + offset < source_.firstReadable()) {
        footerProblem_ = unusable + passed(runIn_ + offset);
    } else {
        try {
            PartitionPack pack = readPartitionPackAt(source_, runIn_ + offset);
            if (pack.kind == PartitionPack::Footer) {
                routes_.push_back(kByOffset);
                footer_ = std::move(pack);
                return footer_;
            }
            footerProblem_ = unusable + "byte " + std::to_string(runIn_ + offset) + " holds a " +
                             kindName(pack.kind) + " partition pack";
        } catch (const MalformedMXFFile& e) {
            footerProblem_ = unusable + e.what();
        }
    }
    notes_.push_back(footerProblem_);
    return footer_;
}

const std::vector<PartitionPack>& PartitionSearch::listed() {
    if (ripLooked_)
        return listed_;
    ripLooked_ = true;
    if (source_.forwardOnly()) {
        ripProblem_ = "the file is read forward only, so the random index pack at its end is not "
                      "looked for";
        notes_.push_back(ripProblem_);
        return listed_;
    }
    std::optional<RandomIndexPack> rip;
    try {
        rip = readRandomIndexPack(source_);
    } catch (const MalformedMXFFile& e) {
        ripProblem_ = std::string("the random index pack is unusable: ") + e.what();
        notes_.push_back(ripProblem_);
        return listed_;
    }
    if (!rip) {
        ripProblem_ = "the file ends in no random index pack";
        return listed_;
    }
    routes_.push_back(kByRip);
    // Each partition read once, in file order, however often the pack lists it.
    std::vector<std::uint64_t> offsets;
    for (const RandomIndexEntry& entry : rip->partitions)
        if (entry.byteOffset != 0) // the header partition
            offsets.push_back(entry.byteOffset);
    std::sort(offsets.begin(), offsets.end());
    offsets.erase(std::unique(offsets.begin(), offsets.end()), offsets.end());
    // One note for all the entries that lead nowhere: a damaged pack may
    // have many.
    std::size_t unusable = 0;
    std::string firstProblem;
    for (const std::uint64_t offset : offsets) {
        std::string problem;
        if (offset >= source_.size() - runIn_) {
            problem = "it lies past the end of the file (" + std::to_string(source_.size()) +
                      " bytes, " + std::to_string(runIn_) + " of them run-in)";
        } else {
            try {
                PartitionPack pack = readPartitionPackAt(source_, runIn_ + offset);
                if (pack.kind != PartitionPack::Header) {
                    listed_.push_back(std::move(pack));
                    continue;
                }
                problem = "byte " + std::to_string(runIn_ + offset) +
                          " holds another header partition pack";
            } catch (const MalformedMXFFile& e) {
                problem = e.what();
            }
        }
        if (unusable++ == 0)
            firstProblem = "offset " + std::to_string(offset) + ": " + problem;
    }
    if (unusable > 0)
        notes_.push_back("the random index pack at byte " + std::to_string(rip->klv.offset) +
                         " lists " + std::to_string(unusable) + " partition" +
                         (unusable == 1 ? "" : "s") + " that cannot be used (the first, " +
                         firstProblem + ")");
    if (listed_.empty())
        ripProblem_ = "the random index pack lists no other partition";
    return listed_;
}

std::vector<FoundPartition> PartitionSearch::copies() {
    const int least = header_.headerByteCount > 0 ? statusRank(header_) : 0;
    const auto usable = [this, least](const PartitionPack& pack) {
        return statusRank(pack) >= least && holdsHeaderMetadata(pack);
    };
    std::vector<FoundPartition> found;
    if (const auto& footer = footerByOffset(); footer && usable(*footer)) {
        found.push_back({*footer, kByOffset});
        if (statusRank(*footer) == 3)
            return found;
    }
    for (const PartitionPack& pack : listed())
        if ((!footer_ || pack.klv.offset != footer_->klv.offset) && usable(pack))
            found.push_back({pack, kByRip});
    std::sort(found.begin(), found.end(), [](const FoundPartition& a, const FoundPartition& b) {
        const int rankA = statusRank(a.pack);
        const int rankB = statusRank(b.pack);
        return rankA != rankB ? rankA > rankB : a.pack.klv.offset > b.pack.klv.offset;
    });
    return found;
}

std::optional<FoundPartition> PartitionSearch::footer(std::string& why) {
    if (const auto& footer = footerByOffset())
        return FoundPartition{*footer, kByOffset};
    const std::vector<PartitionPack>& packs = listed();
    const auto last = std::find_if(packs.rbegin(), packs.rend(), [](const PartitionPack& pack) {
        return pack.kind == PartitionPack::Footer;
    });
    if (last != packs.rend())
        return FoundPartition{*last, kByRip};
    why = footerProblem_ + ", and " +
          (ripProblem_.empty() ? "the random index pack lists no footer partition" : ripProblem_);
    return std::nullopt;
}

} // namespace MXF
} // namespace Palimo
