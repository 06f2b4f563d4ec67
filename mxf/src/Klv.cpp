#include <Palimo/MXF/Klv.h>

#include <Palimo/Identifiers/Hex.h>
#include <Palimo/MXF/Exceptions.h>

#include "KlvBytes.h"

#include <algorithm>

namespace Palimo {
namespace MXF {

std::size_t readBerLength(const std::uint8_t* bytes, std::size_t available, std::uint64_t& length) {
    if (available == 0)
        return 0;
    const std::uint8_t first = bytes[0];
    if (first < 0x80) {
        length = first;
        return 1;
    }
    const std::size_t count = first & 0x7f;
    // 0x80 is the indefinite form, which KLV does not use.
    if (count == 0 || count > 8 || count >= available)
        return 0;
    length = 0;
    for (std::size_t i = 1; i <= count; ++i)
        length = (length << 8) | bytes[i];
    return count + 1;
}

KlvFault decodeKlvHeader(const std::uint8_t* bytes, std::size_t available, std::uint64_t offset,
                         KlvHeader& header) {
    header.offset = offset;
    if (available >= 4 &&
        (bytes[0] != 0x06 || bytes[1] != 0x0e || bytes[2] != 0x2b || bytes[3] != 0x34))
        return KlvFault::NoKey;
    if (available < 17)
        return KlvFault::CutOff;
    header.key = Label::fromBytes(bytes);
    const std::uint8_t first = bytes[16];
    const std::size_t count = first < 0x80 ? 0 : first & 0x7f;
    if (first >= 0x80 && (count == 0 || count > 8))
        return KlvFault::BadLength;
    if (available < 17 + count)
        return KlvFault::CutOff;
    readBerLength(bytes + 16, available - 16, header.length);
    header.valueOffset = offset + 17 + count;
    return KlvFault::None;
}

std::string klvFaultText(KlvFault fault, const std::uint8_t* bytes, std::size_t available,
                         const KlvHeader& header) {
    switch (fault) {
    case KlvFault::None:
        break;
    case KlvFault::CutOff:
        return "KLV key and length cut off";
    case KlvFault::NoKey:
        return "no SMPTE key here (" +
               Identifiers::hexText(bytes, std::min<std::size_t>(4, available)) + "...)";
    case KlvFault::BadLength:
        return "KLV " + header.key.dotted() + ": bad BER length (first byte " +
               Identifiers::hexText(bytes + 16, 1) + ")";
    }
    return "";
}

KlvHeader readKlvHeader(const ByteSource& source, std::uint64_t offset) {
    const std::vector<std::uint8_t> bytes = source.readUpTo(offset, 25);
    KlvHeader header;
    const KlvFault fault = decodeKlvHeader(bytes.data(), bytes.size(), offset, header);
    if (fault == KlvFault::CutOff)
        throw MalformedMXFFile(offset,
                               "KLV key and length cut off by the end of the file (" +
                                   std::to_string(source.size()) + " bytes)",
                               __FILE__, __LINE__);
    if (fault != KlvFault::None)
        throw MalformedMXFFile(offset, klvFaultText(fault, bytes.data(), bytes.size(), header),
                               __FILE__, __LINE__);
    if (header.length > source.size() - header.valueOffset)
        throw MalformedMXFFile(
            offset,
            "KLV " + header.key.dotted() + ": length " + std::to_string(header.length) +
                " runs past the end of the file (" + std::to_string(source.size()) + " bytes)",
            __FILE__, __LINE__);
    return header;
}

bool isFillKey(const Label& key) {
    static const Label fill({0x06, 0x0e, 0x2b, 0x34, 0x01, 0x01, 0x01, 0x01, 0x03, 0x01, 0x02, 0x10,
                             0x01, 0x00, 0x00, 0x00});
    return key.equalIgnoringVersion(fill);
}

} // namespace MXF
} // namespace Palimo
