#include <Palimo/MXF/Primer.h>

#include "ByteCursor.h"

namespace Palimo {
namespace MXF {

bool Primer::isPrimerKey(const Label& key) {
    static const Label primer({0x06, 0x0e, 0x2b, 0x34, 0x02, 0x05, 0x01, 0x01, 0x0d, 0x01, 0x02,
                               0x01, 0x01, 0x05, 0x01, 0x00});
    return key.equalIgnoringVersion(primer);
}

Primer Primer::read(const ByteSource& source, const KlvHeader& klv) {
    const std::string context = "primer pack at byte " + std::to_string(klv.offset);
    const std::vector<std::uint8_t> value =
        source.read(klv.valueOffset, static_cast<std::size_t>(klv.length));
    ByteCursor in(value, klv.valueOffset, context);
    const std::uint32_t count = in.u32("entry count");
    const std::uint32_t entrySize = in.u32("entry size");
    // The count is checked against the bytes there are, never used to allocate.
    if (entrySize != 18 || std::uint64_t{count} * entrySize != in.remaining())
        throw Exceptions::MalformedMXFFile(
            klv.valueOffset,
            "the " + context + " lists " + std::to_string(count) + " entries of " +
                std::to_string(entrySize) + " bytes in " + std::to_string(in.remaining()) +
                " bytes (entries are 18 bytes: a local tag and a label)",
            __FILE__, __LINE__);
    Primer primer;
    primer.klv_ = klv;
    primer.entries_.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint16_t tag = in.u16("local tag");
        const Label label = in.label("label");
        primer.entries_.emplace_back(tag, label);
        const auto [entry, added] = primer.byTag_.emplace(tag, Listed{label, false});
        if (!added && !entry->second.repeated) {
            entry->second.repeated = true;
            primer.repeated_.push_back(tag);
        }
    }
    return primer;
}

const Label* Primer::find(std::uint16_t tag) const {
    const auto it = byTag_.find(tag);
    return it == byTag_.end() ? nullptr : &it->second.label;
}

} // namespace MXF
} // namespace Palimo
