#include "MetadataParser.h"

#include <Palimo/Identifiers/Hex.h>
#include <Palimo/MXF/Limits.h>

#include "KlvBytes.h"
#include "ProblemList.h"

#include <algorithm>

namespace Palimo {
namespace MXF {
namespace {

using Kind = Problem::Kind;

const std::string kSetLimit = std::to_string(Limits::kSetSize) + " bytes for one KLV";

// Index table segments and partition packs do not belong to header
// metadata: a writer that counted HeaderByteCount from the partition pack
// rather than from the primer makes the count run into them.
bool endsHeaderMetadata(const Label& key) {
    static const Label indexSegment({0x06, 0x0e, 0x2b, 0x34, 0x02, 0x53, 0x01, 0x01, 0x0d, 0x01,
                                     0x02, 0x01, 0x01, 0x10, 0x01, 0x00});
    return isPartitionPackKey(key) || key.equalIgnoringVersion(indexSegment);
}

class Parser {
public:
    Parser(const std::vector<std::uint8_t>& bytes, std::uint64_t offset, std::uint64_t end,
           HeaderMetadata& metadata)
        : data_(bytes.data()), size_(bytes.size()), base_(offset), end_(end),
          cut_(offset + bytes.size() < end), metadata_(metadata),
          problems_(metadata.problems, metadata.problemsNotKept) {}

    void run() {
        std::size_t pos = 0;
        if (!readPrimer(pos))
            return;
        while (pos < size_) {
            const std::uint64_t at = base_ + pos;
            KlvHeader klv;
            const KlvFault fault = decodeKlvHeader(data_ + pos, size_ - pos, at, klv);
            if (fault == KlvFault::CutOff) {
                if (cut_)
                    truncated(at,
                              "inside the key and length of the KLV at byte " + std::to_string(at));
                else
                    problems_.add(Kind::UnreadableKlv, at,
                                  "the last " + std::to_string(size_ - pos) +
                                      " bytes of the header metadata are too few for a KLV key "
                                      "and length");
                return;
            }
            if (fault != KlvFault::None) {
                pos = resync(pos, Kind::UnreadableKlv,
                             [&] { return klvFaultText(fault, data_ + pos, size_ - pos, klv); });
                continue;
            }
            if (endsHeaderMetadata(klv.key))
                return;
            if (!withinMetadata(klv)) {
                pos = resync(pos, Kind::UnreadableKlv, [&] { return pastTheEnd(klv); });
                continue;
            }
            if (!withinBytes(klv)) {
                truncated(at, "inside KLV " + klv.key.dotted() + " at byte " + std::to_string(at) +
                                  " (length " + std::to_string(klv.length) + ")");
                return;
            }
            pos = static_cast<std::size_t>(klv.end() - base_);
            if (isFillKey(klv.key))
                continue;
            if (klv.length > Limits::kSetSize) {
                problems_.add(Kind::OverLimit, at,
                              "KLV " + klv.key.dotted() + " at byte " + std::to_string(at) +
                                  " holds " + std::to_string(klv.length) +
                                  " bytes, over the limit of " + kSetLimit + ": it is skipped");
                continue;
            }
            if (metadata_.sets.size() == Limits::kSets) {
                problems_.add(Kind::OverLimit, at,
                              "the header metadata holds more than the limit of " +
                                  std::to_string(Limits::kSets) + " sets: the KLVs from byte " +
                                  std::to_string(at) + " on are not read");
                return;
            }
            if (!addSet(klv))
                return;
        }
        if (cut_)
            truncated(base_ + size_, "after the last whole KLV");
    }

private:
    // The primer pack at the start. False when nothing more can be read.
    bool readPrimer(std::size_t& pos) {
        KlvHeader klv;
        const KlvFault fault = decodeKlvHeader(data_, size_, base_, klv);
        const std::string noTags = "local tags resolve through the dictionary's static tags only";
        if (fault == KlvFault::CutOff) {
            if (cut_)
                truncated(base_, "inside the key and length of the primer pack at byte " +
                                     std::to_string(base_));
            else
                problems_.add(Kind::MalformedPrimer, base_,
                              "the header metadata holds " + std::to_string(size_) +
                                  " bytes, too few for a primer pack");
            return false;
        }
        if (fault != KlvFault::None) {
            pos = resync(0, Kind::MalformedPrimer, [&] {
                return "no primer pack: " + klvFaultText(fault, data_, size_, klv) + "; " + noTags;
            });
            return true;
        }
        if (!Primer::isPrimerKey(klv.key)) {
            problems_.add(Kind::MalformedPrimer, base_,
                          "the header metadata of the " +
                              std::string(kindName(metadata_.partition.kind)) +
                              " partition does not start with a primer pack (found KLV " +
                              klv.key.dotted() + "): " + noTags);
            return true;
        }
        if (!withinMetadata(klv)) {
            pos = resync(0, Kind::MalformedPrimer, [&] { return pastTheEnd(klv) + "; " + noTags; });
            return true;
        }
        if (!withinBytes(klv)) {
            truncated(base_, "inside the primer pack at byte " + std::to_string(base_) +
                                 " (length " + std::to_string(klv.length) + ")");
            return false;
        }
        pos = static_cast<std::size_t>(klv.end() - base_);
        if (klv.length > Limits::kSetSize) {
            problems_.add(Kind::MalformedPrimer, base_,
                          "the primer pack at byte " + std::to_string(base_) + " holds " +
                              std::to_string(klv.length) + " bytes, over the limit of " +
                              kSetLimit + ": " + noTags);
            return true;
        }
        std::string problem;
        Primer primer = Primer::parse(klv, data_ + (klv.valueOffset - base_),
                                      static_cast<std::size_t>(klv.length), problem);
        if (!problem.empty())
            problems_.add(Kind::MalformedPrimer, klv.valueOffset,
                          problem + (primer.size() == 0
                                         ? "; none of its entries is read: " + noTags
                                         : "; its first " + std::to_string(primer.size()) +
                                               " entries are read, other local tags resolve "
                                               "through the dictionary's static tags only"));
        metadata_.primer = std::move(primer);
        return true;
    }

    // A local set's items, or another KLV's value, as a set. False when the
    // limit on items stops the reading.
    bool addSet(const KlvHeader& klv) {
        RawSet set;
        set.klv = klv;
        set.localSet = klv.key[4] == 0x02 && klv.key[5] == 0x53;
        const std::uint8_t* value = data_ + (klv.valueOffset - base_);
        const auto length = static_cast<std::size_t>(klv.length);
        if (!set.localSet) {
            set.value.assign(value, value + length);
            metadata_.sets.push_back(std::move(set));
            return true;
        }
        const std::string where = "local set at byte " + std::to_string(klv.offset);
        bool more = true;
        for (std::size_t at = 0; at < length;) {
            const std::uint64_t offset = klv.valueOffset + at;
            const std::size_t left = length - at;
            if (left < 4) {
                problems_.add(Kind::MalformedSet, offset,
                              where + ": " + std::to_string(left) +
                                  " bytes after the last item, too few for an item's tag and "
                                  "length; the items before are read");
                break;
            }
            RawItem item;
            item.offset = offset;
            item.tag = static_cast<std::uint16_t>(value[at] << 8 | value[at + 1]);
            const std::size_t itemLength = value[at + 2] << 8 | value[at + 3];
            if (itemLength > left - 4) {
                problems_.add(Kind::MalformedSet, offset,
                              where + ": item " + Identifiers::localTagText(item.tag) +
                                  ": length " + std::to_string(itemLength) +
                                  " runs past the end of the set (" + std::to_string(left - 4) +
                                  " bytes left); the items before it are read");
                break;
            }
            if (items_ == Limits::kItems) {
                problems_.add(Kind::OverLimit, offset,
                              "the header metadata holds more than the limit of " +
                                  std::to_string(Limits::kItems) + " items: the items from byte " +
                                  std::to_string(offset) + " on are not read");
                more = false;
                break;
            }
            ++items_;
            item.value.assign(value + at + 4, value + at + 4 + itemLength);
            set.items.push_back(std::move(item));
            at += 4 + itemLength;
        }
        metadata_.sets.push_back(std::move(set));
        return more;
    }

    bool withinMetadata(const KlvHeader& klv) const {
        return klv.valueOffset <= end_ && klv.length <= end_ - klv.valueOffset;
    }
    bool withinBytes(const KlvHeader& klv) const {
        return klv.length <= base_ + size_ - klv.valueOffset;
    }
    std::string pastTheEnd(const KlvHeader& klv) const {
        return "KLV " + klv.key.dotted() + " (length " + std::to_string(klv.length) +
               ") runs past the end of the header metadata (byte " + std::to_string(end_) + ")";
    }

    void truncated(std::uint64_t offset, const std::string& where) {
        problems_.add(Kind::Truncated, offset,
                      "the file ends at byte " + std::to_string(base_ + size_) + ", " + where +
                          ", before the end of the header metadata at byte " +
                          std::to_string(end_) + ": the sets before it are read");
    }

    // Whether a KLV that reading could go on at starts at `pos`: an SMPTE
    // key of a set, pack or fill item whose value ends inside the header
    // metadata (or is cut off by the end of the file).
    bool plausibleKey(std::size_t pos) const {
        KlvHeader klv;
        const KlvFault fault = decodeKlvHeader(data_ + pos, size_ - pos, base_ + pos, klv);
        if (fault == KlvFault::CutOff)
            return cut_;
        return fault == KlvFault::None && (klv.key[4] == 0x02 || isFillKey(klv.key)) &&
               withinMetadata(klv);
    }

    // Records the KLV at `pos` that cannot be read, `what()` saying why, and
    // returns where the next one starts (size_ when none does).
    template <typename What>
    std::size_t resync(std::size_t pos, Kind kind, const What& what) {
        static const std::uint8_t prefix[] = {0x06, 0x0e, 0x2b, 0x34};
        std::size_t next = pos + 1;
        for (;; ++next) {
            next = static_cast<std::size_t>(
                std::search(data_ + std::min(next, size_), data_ + size_, prefix, prefix + 4) -
                data_);
            if (next >= size_ || plausibleKey(next))
                break;
        }
        if (!problems_.keeping()) {
            problems_.count();
            return next;
        }
        const std::uint64_t at = base_ + pos;
        problems_.add(kind, at,
                      what() + (next < size_
                                    ? "; " + std::to_string(next - pos) +
                                          " bytes skipped to the next key, at byte " +
                                          std::to_string(base_ + next)
                                    : "; no key follows: the last " + std::to_string(size_ - pos) +
                                          " bytes of the header metadata are skipped"));
        return next;
    }

    const std::uint8_t* data_;
    std::size_t size_;
    std::uint64_t base_; // the file offset of data_[0]
    std::uint64_t end_;  // of the header metadata, as HeaderByteCount says
    bool cut_;           // the file ends before end_
    HeaderMetadata& metadata_;
    ProblemList problems_;
    std::size_t items_ = 0;
};

} // namespace

void parseHeaderMetadata(const std::vector<std::uint8_t>& bytes, std::uint64_t offset,
                         std::uint64_t end, HeaderMetadata& metadata) {
    Parser(bytes, offset, end, metadata).run();
}

} // namespace MXF
} // namespace Palimo
