#include <Palimo/MXF/Klv.h>

#include <Palimo/Identifiers/Hex.h>
#include <Palimo/MXF/Exceptions.h>

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

KlvHeader readKlvHeader(const ByteSource& source, std::uint64_t offset) {
    const auto fail = [offset](const std::string& what) {
        throw Exceptions::MalformedMXFFile(offset, what, __FILE__, __LINE__);
    };
    if (offset > source.size() || source.size() - offset < 17)
        fail("KLV key and length cut off by the end of the file (" + std::to_string(source.size()) +
             " bytes)");
    const std::size_t headerBytes =
        static_cast<std::size_t>(std::min<std::uint64_t>(source.size() - offset, 25));
    const std::vector<std::uint8_t> bytes = source.read(offset, headerBytes);
    KlvHeader header;
    header.offset = offset;
    header.key = Label::fromBytes(bytes.data());
    if (header.key[0] != 0x06 || header.key[1] != 0x0e || header.key[2] != 0x2b ||
        header.key[3] != 0x34)
        fail("no SMPTE key here (" + Identifiers::hexText(bytes.data(), 4) + "...)");
    const std::size_t berBytes = readBerLength(bytes.data() + 16, bytes.size() - 16, header.length);
    if (berBytes == 0)
        fail("KLV " + header.key.dotted() + ": bad or cut off BER length (first byte " +
             Identifiers::hexText(bytes.data() + 16, 1) + ")");
    header.valueOffset = offset + 16 + berBytes;
    if (header.length > source.size() - header.valueOffset)
        fail("KLV " + header.key.dotted() + ": length " + std::to_string(header.length) +
             " runs past the end of the file (" + std::to_string(source.size()) + " bytes)");
    return header;
}

bool isFillKey(const Label& key) {
    static const Label fill({0x06, 0x0e, 0x2b, 0x34, 0x01, 0x01, 0x01, 0x01, 0x03, 0x01, 0x02, 0x10,
                             0x01, 0x00, 0x00, 0x00});
    return key.equalIgnoringVersion(fill);
}

} // namespace MXF
} // namespace Palimo
