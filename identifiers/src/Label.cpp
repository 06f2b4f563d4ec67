#include <Palimo/Identifiers/Hex.h>
#include <Palimo/Identifiers/Label.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace Palimo {
namespace Identifiers {
namespace {

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != prefix[i])
            return false;
    }
    return true;
}

// Exactly `count` bytes of hex digit pairs, with dots allowed between bytes
// only (never first, last, twice in a row or inside a byte).
bool readBytes(std::string_view text, std::uint8_t* out, std::size_t count) {
    std::size_t read = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == '.') {
            if (read == 0 || i + 1 == text.size() || text[i + 1] == '.')
                return false;
            ++i;
            continue;
        }
        if (i + 1 >= text.size() || read == count)
            return false;
        const int high = hexDigitValue(text[i]);
        const int low = hexDigitValue(text[i + 1]);
        if (high < 0 || low < 0)
            return false;
        out[read++] = static_cast<std::uint8_t>(high * 16 + low);
        i += 2;
    }
    return read == count;
}

// Groups of four bytes as eight hex digits, "." between groups.
std::string groupedHex(const std::uint8_t* bytes, std::size_t count) {
    std::string out;
    for (std::size_t i = 0; i < count; i += 4) {
        if (i != 0)
            out += '.';
        out += hexText(bytes + i, std::min<std::size_t>(4, count - i));
    }
    return out;
}

} // namespace

Label Label::fromBytes(const std::uint8_t* bytes) {
    Bytes copy;
    std::memcpy(copy.data(), bytes, copy.size());
    return Label(copy);
}

std::optional<Label> Label::parse(std::string_view text) {
    if (startsWithIgnoringCase(text, "urn:smpte:ul:"))
        text.remove_prefix(13);
    Bytes bytes;
    if (!readBytes(text, bytes.data(), bytes.size()))
        return std::nullopt;
    return Label(bytes);
}

std::string Label::dotted() const {
    return dottedHexText(bytes_.data(), bytes_.size());
}

std::string Label::plain() const {
    return hexText(bytes_.data(), bytes_.size());
}

std::string Label::urn() const {
    return "urn:smpte:ul:" + groupedHex(bytes_.data(), bytes_.size());
}

bool Label::isSMPTE() const {
    return bytes_[0] == 0x06 && bytes_[1] == 0x0e && bytes_[2] == 0x2b && bytes_[3] == 0x34;
}

Label Label::withoutVersion() const {
    Label copy = *this;
    copy.bytes_[7] = 0;
    return copy;
}

bool Label::equalIgnoringVersion(const Label& other) const {
    for (std::size_t i = 0; i < bytes_.size(); ++i)
        if (i != 7 && bytes_[i] != other.bytes_[i])
            return false;
    return true;
}

UUID UUID::fromBytes(const std::uint8_t* bytes) {
    Bytes copy;
    std::memcpy(copy.data(), bytes, copy.size());
    return UUID(copy);
}

std::optional<UUID> UUID::parse(std::string_view text) {
    if (startsWithIgnoringCase(text, "urn:uuid:"))
        text.remove_prefix(9);
    // 8-4-4-4-12 hex digits.
    if (text.size() != 36)
        return std::nullopt;
    Bytes bytes;
    std::size_t byte = 0;
    for (std::size_t i = 0; i < text.size();) {
        if (i == 8 || i == 13 || i == 18 || i == 23) {
            if (text[i] != '-')
                return std::nullopt;
            ++i;
            continue;
        }
        const int high = hexDigitValue(text[i]);
        const int low = hexDigitValue(text[i + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        bytes[byte++] = static_cast<std::uint8_t>(high * 16 + low);
        i += 2;
    }
    return UUID(bytes);
}

std::string UUID::text() const {
    // 8-4-4-4-12 digits, made in place: UUIDs are shown for every set.
    static const char kDigits[] = "0123456789abcdef";
    std::string out(36, '-');
    std::size_t at = 0;
    for (std::size_t i = 0; i < bytes_.size(); ++i) {
        if (at == 8 || at == 13 || at == 18 || at == 23)
            ++at;
        out[at++] = kDigits[bytes_[i] >> 4];
        out[at++] = kDigits[bytes_[i] & 0x0f];
    }
    return out;
}

std::string UUID::urn() const {
    return "urn:uuid:" + text();
}

AUID AUID::fromBytes(const std::uint8_t* bytes) {
    return fromLabel(Label::fromBytes(bytes));
}

AUID AUID::fromUUID(const UUID& uuid) {
    Label::Bytes stored;
    std::copy(uuid.bytes().begin() + 8, uuid.bytes().end(), stored.begin());
    std::copy(uuid.bytes().begin(), uuid.bytes().begin() + 8, stored.begin() + 8);
    return AUID(stored);
}

UUID AUID::uuid() const {
    UUID::Bytes bytes;
    std::copy(stored_.bytes().begin() + 8, stored_.bytes().end(), bytes.begin());
    std::copy(stored_.bytes().begin(), stored_.bytes().begin() + 8, bytes.begin() + 8);
    return UUID(bytes);
}

std::string AUID::urn() const {
    return isLabel() ? stored_.urn() : uuid().urn();
}

UMID UMID::fromBytes(const std::uint8_t* bytes, std::size_t size) {
    UMID umid;
    umid.size_ = size == 64 ? 64 : 32;
    std::memcpy(umid.bytes_.data(), bytes, umid.size_);
    return umid;
}

std::optional<UMID> UMID::parse(std::string_view text) {
    if (startsWithIgnoringCase(text, "urn:smpte:umid:"))
        text.remove_prefix(15);
    UMID umid;
    for (const std::size_t size : {std::size_t{32}, std::size_t{64}})
        if (readBytes(text, umid.bytes_.data(), size)) {
            umid.size_ = size;
            std::fill(umid.bytes_.begin() + static_cast<std::ptrdiff_t>(size), umid.bytes_.end(),
                      0);
            return umid;
        }
    return std::nullopt;
}

std::string UMID::dotted() const {
    return dottedHexText(bytes_.data(), size_);
}

std::string UMID::urn() const {
    return "urn:smpte:umid:" + groupedHex(bytes_.data(), size_);
}

} // namespace Identifiers
} // namespace Palimo

std::size_t std::hash<Palimo::Identifiers::Label>::operator()(
    const Palimo::Identifiers::Label& label) const noexcept {
    // The two words mixed (a 64-bit finalizer): an FNV loop over the bytes
    // costs a multiplication a byte, and labels are hashed on every lookup.
    std::uint64_t hash =
        Palimo::Identifiers::Detail::bigEndianWord(label.data()) * 0x9e3779b97f4a7c15ull;
    hash ^= Palimo::Identifiers::Detail::bigEndianWord(label.data() + 8) + (hash >> 29);
    hash *= 0xbf58476d1ce4e5b9ull;
    hash ^= hash >> 32;
    return static_cast<std::size_t>(hash);
}
