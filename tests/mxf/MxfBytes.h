#pragma once
// Builds the bytes of small MXF files for the reader tests: KLVs with 4-byte
// BER lengths, partition packs, primer packs, local sets, random index packs
// and whole files of several partitions.
#include <cctype>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace MxfTest {

using Bytes = std::vector<std::uint8_t>;

inline Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

/// Bytes from hex digits; anything else is skipped ("06.0e.2b.34", "0a 0b").
inline Bytes hex(const std::string& text) {
    Bytes bytes;
    std::string digits;
    for (char c : text)
        if (std::isxdigit(static_cast<unsigned char>(c)) && (digits += c).size() == 2) {
            bytes.push_back(static_cast<std::uint8_t>(std::stoi(digits, nullptr, 16)));
            digits.clear();
        }
    return bytes;
}

inline Bytes be(std::uint64_t value, std::size_t size) {
    Bytes bytes(size);
    for (std::size_t i = size; i-- > 0; value >>= 8)
        bytes[i] = static_cast<std::uint8_t>(value);
    return bytes;
}

inline Bytes klv(const Bytes& key, const Bytes& value) {
    return key + Bytes{0x83} + be(value.size(), 3) + value;
}

/// Kind 02 header, 03 body, 04 footer; status 01 open incomplete to 04 closed complete.
inline Bytes partitionPack(int kind, int status, std::uint64_t headerByteCount,
                           std::uint64_t thisPartition = 0, std::uint64_t footer = 0) {
    Bytes key = hex("06.0e.2b.34.02.05.01.01.0d.01.02.01.01.00.00.00");
    key[13] = static_cast<std::uint8_t>(kind);
    key[14] = static_cast<std::uint8_t>(status);
    return klv(key, be(1, 2) + be(3, 2) + be(512, 4) + be(thisPartition, 8) + be(0, 8) +
                        be(footer, 8) + be(headerByteCount, 8) + be(0, 8) + be(0, 4) + be(0, 8) +
                        be(1, 4) + hex("06.0e.2b.34.04.01.01.01.0d.01.02.01.01.01.09.00") +
                        be(0, 4) + be(16, 4));
}
constexpr std::size_t kPackSize = 108; // partitionPack's KLV

inline Bytes primer(const std::vector<std::pair<std::uint16_t, std::string>>& entries) {
    Bytes value = be(entries.size(), 4) + be(18, 4);
    for (const auto& [tag, label] : entries)
        value = value + be(tag, 2) + hex(label);
    return klv(hex("06.0e.2b.34.02.05.01.01.0d.01.02.01.01.05.01.00"), value);
}

struct Item {
    std::uint16_t tag;
    Bytes value;
};

inline Bytes localSet(const std::string& key, const std::vector<Item>& items) {
    Bytes value;
    for (const Item& item : items)
        value = value + be(item.tag, 2) + be(item.value.size(), 2) + item.value;
    return klv(hex(key), value);
}

/// A 16-byte UUID whose last byte is `n`.
inline Bytes uid(std::uint8_t n) {
    return hex("adab4424-2f25-4dc7-92ff-0000000000") + Bytes{n};
}
inline std::string uidText(std::uint8_t n) {
    static const char digits[] = "0123456789abcdef";
    return std::string("adab4424-2f25-4dc7-92ff-0000000000") + digits[n >> 4] + digits[n & 15];
}

/// An 8-byte array header and its items.
inline Bytes array(const std::vector<Bytes>& items, std::size_t itemSize) {
    Bytes value = be(items.size(), 4) + be(itemSize, 4);
    for (const Bytes& item : items)
        value = value + item;
    return value;
}

/// A random index pack listing (BodySID, byte offset) pairs.
inline Bytes randomIndexPack(const std::vector<std::pair<std::uint32_t, std::uint64_t>>& entries) {
    Bytes value;
    for (const auto& [bodySID, offset] : entries)
        value = value + be(bodySID, 4) + be(offset, 8);
    return klv(hex("06.0e.2b.34.02.05.01.01.0d.01.02.01.01.11.01.00"),
               value + be(16 + 4 + value.size() + 4, 4));
}

/// One partition of a file that layout() builds.
struct Partition {
    int kind;       // 0x02 header, 0x03 body, 0x04 footer
    int status;     // 0x01 open incomplete to 0x04 closed complete
    Bytes metadata; // header metadata (the primer first), counted by HeaderByteCount
    Bytes essence;  // after it
};

struct Layout {
    /// FooterPartition of the header partition pack: the footer's offset
    /// (0 without a footer partition) when none is given.
    std::optional<std::uint64_t> footerOffset;
    bool rip = true; // end with a random index pack listing every partition
    std::size_t runIn = 0;
};

/// The partitions one after the other, each pack's ThisPartition (and the
/// body and footer packs' FooterPartition) filled in from where they lie.
inline Bytes layout(const std::vector<Partition>& partitions, const Layout& options = {}) {
    std::vector<std::uint64_t> offsets;
    std::uint64_t offset = 0;
    std::uint64_t footer = 0;
    for (const Partition& p : partitions) {
        offsets.push_back(offset);
        if (p.kind == 0x04)
            footer = offset;
        offset += kPackSize + p.metadata.size() + p.essence.size();
    }
    Bytes file(options.runIn, 0xaa);
    std::vector<std::pair<std::uint32_t, std::uint64_t>> entries;
    for (std::size_t i = 0; i < partitions.size(); ++i) {
        const Partition& p = partitions[i];
        const std::uint64_t footerOffset =
            p.kind == 0x02 ? options.footerOffset.value_or(footer) : footer;
        file = file + partitionPack(p.kind, p.status, p.metadata.size(), offsets[i], footerOffset) +
               p.metadata + p.essence;
        entries.emplace_back(p.kind == 0x03 ? 1 : 0, offsets[i]);
    }
    return options.rip ? file + randomIndexPack(entries) : file;
}

/// A file of one closed complete header partition whose header metadata is
/// `metadata` (the primer first), counted by HeaderByteCount.
inline Bytes headerFile(const Bytes& metadata) {
    return partitionPack(0x02, 0x04, metadata.size()) + metadata;
}

/// Big-endian UTF-16 of ASCII text.
inline Bytes utf16(const std::string& ascii) {
    Bytes bytes;
    for (char c : ascii)
        bytes = bytes + Bytes{0, static_cast<std::uint8_t>(c)};
    return bytes;
}

/// An Indirect value: the byte order ('B' or 'L'), the label of the value's
/// type (dotted) as AAF stores an AUID in that order, then `value` as is.
inline Bytes indirect(char order, const std::string& typeLabel, const Bytes& value) {
    const Bytes label = hex(typeLabel);
    Bytes id(label.begin() + 8, label.end()); // the label's halves swapped
    id.insert(id.end(), label.begin(), label.begin() + 8);
    if (order == 'L') // the first three fields of the UUID little-endian
        for (const auto& [from, to] : {std::pair<int, int>{0, 3}, {1, 2}, {4, 5}, {6, 7}})
            std::swap(id[from], id[to]);
    return Bytes{static_cast<std::uint8_t>(order)} + id + value;
}

} // namespace MxfTest
