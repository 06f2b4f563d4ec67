// Byte identifiers: universal labels, UUIDs and UMIDs.
#include <Palimo/Types/BaseType.h>

#include "InvalidText.h"
#include <Palimo/Types/Bytes.h>
#include <Palimo/Utils/StringConversion.h>

namespace Palimo {
namespace Types {
namespace {

std::vector<std::uint8_t> readDotted(const char16_t* text, std::size_t count, const char* what) {
    std::vector<std::uint8_t> bytes(count);
    if (!Bytes::parseDotted(text, bytes.data(), count))
        detail::throwInvalidText(what, text, __FILE__, __LINE__);
    return bytes;
}

std::vector<std::uint8_t> readDottedOrPlain(const char16_t* text, std::size_t count,
                                            const char* what) {
    std::vector<std::uint8_t> bytes(count);
    if (!Bytes::parseDotted(text, bytes.data(), count) &&
        !Bytes::parsePlainHex(text, bytes.data(), count))
        detail::throwInvalidText(what, text, __FILE__, __LINE__);
    return bytes;
}

char16_t foldAscii(char16_t c) {
    return (c >= u'A' && c <= u'Z') ? c - u'A' + u'a' : c;
}

// 16 dotted bytes, or 8-4-4-4-12 hex digits with hyphens after an optional
// "urn:uuid:" prefix (matched without regard to case, as URN schemes are).
bool parseUuid(const char16_t* text, std::uint8_t* out) {
    if (!text)
        return false;
    if (Bytes::parseDotted(text, out, 16))
        return true;
    static const char prefix[] = "urn:uuid:";
    std::size_t n = 0;
    while (prefix[n] && foldAscii(text[n]) == prefix[n])
        ++n;
    const char16_t* p = prefix[n] ? text : text + n;
    // Copy the 32 digits out from between the hyphens, then read them as plain hex.
    char16_t digits[33];
    std::size_t d = 0;
    for (std::size_t i = 0; i < 36; ++i, ++p) {
        const bool hyphen = i == 8 || i == 13 || i == 18 || i == 23;
        if (*p == u'\0' || (*p == u'-') != hyphen)
            return false;
        if (!hyphen)
            digits[d++] = *p;
    }
    digits[d] = u'\0';
    return *p == u'\0' && Bytes::parsePlainHex(digits, out, 16);
}

} // namespace

std::string UID::text() const {
    return Bytes::toDotted(bytes_.data(), bytes_.size());
}

bool UID::equals(const BaseType& o) const {
    return o.identifier() == identifier() && static_cast<const UID&>(o).bytes_ == bytes_;
}

UniversalLabel::UniversalLabel(const char16_t* text, StringRepresentationEncodingType encoding)
    : UID((detail::requireDottedHex(encoding, __FILE__, __LINE__),
           readDotted(text, 16, "universal label"))) {}

UniversalLabel::UniversalLabel(const std::array<std::uint8_t, 16>& bytes)
    : UID(std::vector<std::uint8_t>(bytes.begin(), bytes.end())) {}

WString UniversalLabel::toString(StringRepresentationEncodingType) const {
    return Utils::stringToWstring(text());
}

Templates::auto_ptr<BaseType> UniversalLabel::clone() const {
    return Templates::auto_ptr<BaseType>(new UniversalLabel(array()));
}

std::array<std::uint8_t, 16> UniversalLabel::array() const {
    std::array<std::uint8_t, 16> a{};
    std::copy(bytes_.begin(), bytes_.end(), a.begin());
    return a;
}

UUID::UUID(const char16_t* text, StringRepresentationEncodingType encoding)
    : UID(std::vector<std::uint8_t>(16)) {
    detail::requireDottedHex(encoding, __FILE__, __LINE__);
    if (!parseUuid(text, bytes_.data()))
        detail::throwInvalidText("UUID", text, __FILE__, __LINE__);
}

std::string UUID::text() const {
    std::string dotted = Bytes::toDotted(bytes_.data(), bytes_.size());
    std::string out;
    out.reserve(36);
    for (std::size_t i = 0; i < 16; ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10)
            out.push_back('-');
        out.append(dotted, i * 3, 2);
    }
    return out;
}

Templates::auto_ptr<BaseType> UUID::clone() const {
    return Templates::auto_ptr<BaseType>(new UUID(*this));
}

UMID32::UMID32(const char16_t* text, StringRepresentationEncodingType encoding)
    : UID((detail::requireDottedHex(encoding, __FILE__, __LINE__),
           readDottedOrPlain(text, 32, "UMID32"))) {}

Templates::auto_ptr<BaseType> UMID32::clone() const {
    return Templates::auto_ptr<BaseType>(new UMID32(*this));
}

UMID64::UMID64(const char16_t* text, StringRepresentationEncodingType encoding)
    : UID((detail::requireDottedHex(encoding, __FILE__, __LINE__),
           readDottedOrPlain(text, 64, "UMID64"))) {}

Templates::auto_ptr<BaseType> UMID64::clone() const {
    return Templates::auto_ptr<BaseType>(new UMID64(*this));
}

} // namespace Types
} // namespace Palimo
