#include <Palimo/MXF/Primer.h>

#include <Palimo/MXF/Exceptions.h>

#include <algorithm>

namespace Palimo {
namespace MXF {

bool Primer::isPrimerKey(const Label& key) {
    static const Label primer({0x06, 0x0e, 0x2b, 0x34, 0x02, 0x05, 0x01, 0x01, 0x0d, 0x01, 0x02,
                               0x01, 0x01, 0x05, 0x01, 0x00});
    return key.equalIgnoringVersion(primer);
}

namespace {

constexpr std::size_t kEntrySize = 18; // a local tag and a label

std::uint32_t u32(const std::uint8_t* bytes) {
    return std::uint32_t{bytes[0]} << 24 | std::uint32_t{bytes[1]} << 16 |
           std::uint32_t{bytes[2]} << 8 | bytes[3];
}

std::string context(const KlvHeader& klv) {
    return "primer pack at byte " + std::to_string(klv.offset);
}

// What is wrong with a batch header of `count` entries of `entrySize` bytes
// followed by `room` bytes; empty when they fit exactly. The count is
// checked against the bytes there are, never used to allocate.
std::string batchProblem(const KlvHeader& klv, std::uint32_t count, std::uint32_t entrySize,
                         std::uint64_t room) {
    if (entrySize == kEntrySize && std::uint64_t{count} * entrySize == room)
        return "";
    return "the " + context(klv) + " lists " + std::to_string(count) + " entries of " +
           std::to_string(entrySize) + " bytes in " + std::to_string(room) +
           " bytes (entries are 18 bytes: a local tag and a label)";
}

} // namespace

Primer Primer::parse(const KlvHeader& klv, const std::uint8_t* value, std::size_t size,
                     std::string& problem) {
    Primer primer;
    primer.klv_ = klv;
    problem.clear();
    if (size < 8) {
        problem = "the " + context(klv) + " holds " + std::to_string(size) +
                  " bytes, too few for the 8-byte header of its batch of entries";
        return primer;
    }
    const std::uint32_t count = u32(value);
    const std::uint32_t entrySize = u32(value + 4);
    problem = batchProblem(klv, count, entrySize, size - 8);
    if (entrySize != kEntrySize)
        return primer;
    const std::size_t entries = std::min<std::size_t>(count, (size - 8) / kEntrySize);
    primer.entries_.reserve(entries);
    for (std::size_t i = 0; i < entries; ++i) {
        const std::uint8_t* entry = value + 8 + i * kEntrySize;
        const auto tag = static_cast<std::uint16_t>(entry[0] << 8 | entry[1]);
        const Label label = Label::fromBytes(entry + 2);
        primer.entries_.emplace_back(tag, label);
        const auto [listed, added] = primer.byTag_.emplace(tag, Listed{label, false});
        if (!added && !listed->second.repeated) {
            listed->second.repeated = true;
            primer.repeated_.push_back(tag);
        }
    }
    return primer;
}

Primer Primer::read(const ByteSource& source, const KlvHeader& klv) {
    const auto fail = [&](const std::string& problem) {
        throw MalformedMXFFile(klv.valueOffset, problem, __FILE__, __LINE__);
    };
    if (klv.length < 8)
        fail("the " + context(klv) + " holds " + std::to_string(klv.length) +
             " bytes, too few for the 8-byte header of its batch of entries");
    // The batch header first: the entries are read only when it fits the value.
    std::vector<std::uint8_t> value = source.read(klv.valueOffset, 8);
    const std::string problem =
        batchProblem(klv, u32(value.data()), u32(value.data() + 4), klv.length - 8);
    if (!problem.empty())
        fail(problem);
    const std::vector<std::uint8_t> entries =
        source.read(klv.valueOffset + 8, static_cast<std::size_t>(klv.length - 8));
    value.insert(value.end(), entries.begin(), entries.end());
    std::string unused;
    return parse(klv, value.data(), value.size(), unused);
}

const Label* Primer::find(std::uint16_t tag) const {
    const auto it = byTag_.find(tag);
    return it == byTag_.end() ? nullptr : &it->second.label;
}

} // namespace MXF
} // namespace Palimo
