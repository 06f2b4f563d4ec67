#pragma once
// The one type of the 16-byte SMPTE universal labels that an MXF file and a
// dictionary use as keys and identifiers (set keys, item labels, AUIDs), with
// the text forms in which people and registers write them.
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace Palimo {
namespace Identifiers {

namespace Detail {
// Sixteen bytes compared as two words: the comparisons sit under every
// lookup by label or identifier, where a call of memcmp costs more than the
// comparison.
inline std::uint64_t bigEndianWord(const std::uint8_t* bytes) {
    // Whatever the machine's byte order; compilers make this one load and a
    // byte swap where one is needed.
    std::uint64_t word = 0;
    for (int i = 0; i < 8; ++i)
        word = word << 8 | bytes[i];
    return word;
}
inline bool sameBytes16(const std::uint8_t* a, const std::uint8_t* b) {
    return bigEndianWord(a) == bigEndianWord(b) && bigEndianWord(a + 8) == bigEndianWord(b + 8);
}
// In the order of the bytes, as std::array's operator< orders them.
inline bool lessBytes16(const std::uint8_t* a, const std::uint8_t* b) {
    const std::uint64_t a0 = bigEndianWord(a), b0 = bigEndianWord(b);
    return a0 != b0 ? a0 < b0 : bigEndianWord(a + 8) < bigEndianWord(b + 8);
}
} // namespace Detail

class Label {
public:
    using Bytes = std::array<std::uint8_t, 16>;

    constexpr Label() : bytes_{} {}
    constexpr explicit Label(const Bytes& bytes) : bytes_(bytes) {}
    /// The 16 bytes at `bytes`.
    static Label fromBytes(const std::uint8_t* bytes);

    /// Reads any of the forms: dotted ("06.0e.2b.34.01.01.01.01.01.01.15.02.00.00.00.00"),
    /// plain (32 hex digits) or urn ("urn:smpte:ul:060e2b34.01010101.01011502.00000000",
    /// the prefix in any case). Hex digits of either case; nothing for any other text.
    static std::optional<Label> parse(std::string_view text);

    const Bytes& bytes() const { return bytes_; }
    const std::uint8_t* data() const { return bytes_.data(); }
    std::uint8_t operator[](std::size_t index) const { return bytes_[index]; }

    /// "06.0e.2b.34.01.01.01.01.01.01.15.02.00.00.00.00"
    std::string dotted() const;
    /// "060e2b34010101010101150200000000"
    std::string plain() const;
    /// "urn:smpte:ul:060e2b34.01010101.01011502.00000000"
    std::string urn() const;

    /// Starts with the SMPTE prefix 06.0e.2b.34.
    bool isSMPTE() const;
    /// The label with its version byte (the eighth, index 7) cleared: two labels
    /// that differ only there name the same thing.
    Label withoutVersion() const;
    bool equalIgnoringVersion(const Label& other) const;

    friend bool operator==(const Label& a, const Label& b) {
        return Detail::sameBytes16(a.data(), b.data());
    }
    friend bool operator!=(const Label& a, const Label& b) { return !(a == b); }
    friend bool operator<(const Label& a, const Label& b) {
        return Detail::lessBytes16(a.data(), b.data());
    }

private:
    Bytes bytes_;
};

/// 16 bytes that UUIDs take: InstanceIDs, generation identifiers, and AUIDs that
/// hold no label.
class UUID {
public:
    using Bytes = std::array<std::uint8_t, 16>;

    constexpr UUID() : bytes_{} {}
    constexpr explicit UUID(const Bytes& bytes) : bytes_(bytes) {}
    static UUID fromBytes(const std::uint8_t* bytes);
    /// "adab4424-2f25-4dc7-92ff-000b00000000", with or without "urn:uuid:".
    static std::optional<UUID> parse(std::string_view text);

    const Bytes& bytes() const { return bytes_; }
    const std::uint8_t* data() const { return bytes_.data(); }

    /// "adab4424-2f25-4dc7-92ff-000b00000000"
    std::string text() const;
    /// "urn:uuid:adab4424-2f25-4dc7-92ff-000b00000000"
    std::string urn() const;

    friend bool operator==(const UUID& a, const UUID& b) {
        return Detail::sameBytes16(a.data(), b.data());
    }
    friend bool operator!=(const UUID& a, const UUID& b) { return !(a == b); }
    friend bool operator<(const UUID& a, const UUID& b) {
        return Detail::lessBytes16(a.data(), b.data());
    }

private:
    Bytes bytes_;
};

/// An AUID is 16 bytes that hold either a universal label or a UUID. A UUID
/// is stored with its two 8-byte halves swapped, so that its variant bits
/// (the high bit set) land on the first byte, where a label has 0x06.
class AUID {
public:
    constexpr AUID() = default;
    /// The 16 bytes as stored.
    static AUID fromBytes(const std::uint8_t* bytes);
    static AUID fromLabel(const Label& label) { return AUID(label.bytes()); }
    /// The UUID stored with its halves swapped.
    static AUID fromUUID(const UUID& uuid);

    /// Whether the bytes are a universal label: the high bit of the first byte
    /// is clear.
    bool isLabel() const { return (stored_[0] & 0x80) == 0; }
    /// The bytes as stored, read as a label.
    const Label& label() const { return stored_; }
    /// The UUID, its halves swapped back: stored 80ad0060-0814-3e6f-05cb-a7311daa11d3
    /// is 05cba731-1daa-11d3-80ad-006008143e6f.
    UUID uuid() const;
    /// The label's urn when it holds a label, else the UUID's.
    std::string urn() const;

    friend bool operator==(const AUID& a, const AUID& b) { return a.stored_ == b.stored_; }
    friend bool operator!=(const AUID& a, const AUID& b) { return a.stored_ != b.stored_; }
    friend bool operator<(const AUID& a, const AUID& b) { return a.stored_ < b.stored_; }

private:
    explicit AUID(const Label::Bytes& bytes) : stored_(bytes) {}
    Label stored_;
};

/// A basic (32-byte) or extended (64-byte) SMPTE UMID.
class UMID {
public:
    /// `size` is 32 or 64.
    static UMID fromBytes(const std::uint8_t* bytes, std::size_t size);
    /// "urn:smpte:umid:" followed by groups of 8 hex digits separated by dots,
    /// or the dotted form (one "." between bytes); 32 or 64 bytes.
    static std::optional<UMID> parse(std::string_view text);

    std::size_t size() const { return size_; }
    const std::uint8_t* data() const { return bytes_.data(); }
    bool extended() const { return size_ == 64; }

    /// "06.0a.2b.34...": two hex digits a byte, "." between bytes.
    std::string dotted() const;
    /// "urn:smpte:umid:060a2b34.01010105.01010f20.13000000...."
    std::string urn() const;

    friend bool operator==(const UMID& a, const UMID& b) {
        return a.size_ == b.size_ && a.bytes_ == b.bytes_;
    }
    friend bool operator!=(const UMID& a, const UMID& b) { return !(a == b); }
    friend bool operator<(const UMID& a, const UMID& b) {
        return a.size_ != b.size_ ? a.size_ < b.size_ : a.bytes_ < b.bytes_;
    }

private:
    std::array<std::uint8_t, 64> bytes_{};
    std::size_t size_ = 32;
};

} // namespace Identifiers
} // namespace Palimo

template <>
struct std::hash<Palimo::Identifiers::Label> {
    std::size_t operator()(const Palimo::Identifiers::Label& label) const noexcept;
};
