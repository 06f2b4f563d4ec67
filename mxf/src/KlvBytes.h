#pragma once
// The key and length of a KLV decoded from bytes in memory, with the fault
// that stops it, for the readers that check what follows themselves.
#include <Palimo/MXF/Klv.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace Palimo {
namespace MXF {

enum class KlvFault {
    None,
    CutOff,   // fewer bytes than the key and the length take
    NoKey,    // no SMPTE prefix 06.0e.2b.34
    BadLength // the indefinite form, or more than 8 length bytes
};

/// Decodes the key and BER length of the KLV at file offset `offset` from
/// `bytes` (`available` of them, from that offset). Fills `header` as far as
/// it gets; nothing is checked against what follows the length.
KlvFault decodeKlvHeader(const std::uint8_t* bytes, std::size_t available, std::uint64_t offset,
                         KlvHeader& header);

/// What is wrong, for messages: "no SMPTE key here (0a0b0c0d...)", "KLV
/// 06.0e...: bad BER length (first byte 80)".
std::string klvFaultText(KlvFault fault, const std::uint8_t* bytes, std::size_t available,
                         const KlvHeader& header);

} // namespace MXF
} // namespace Palimo
