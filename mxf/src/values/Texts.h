#pragma once
// Text in the encodings MXF strings use, decoded to UTF-8 without losing a
// character: what cannot be decoded becomes U+FFFD, NULs inside the text stay.
#include <Palimo/MXF/Value.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace Palimo {
namespace MXF {

enum class CharacterEncoding {
    UTF16, // two bytes a unit, big-endian unless the value says otherwise
    UTF8,
    ISO7 // 7-bit ASCII; a byte over 0x7f is no character
};

struct DecodedText {
    Text text;
    /// The bytes do not fit the encoding: an odd UTF-16 byte count, bytes
    /// that are no character of it (each shown as U+FFFD).
    std::string problem;
    std::string note; // a NUL followed by more text
};

/// The characters of `size` bytes. A string (`wholeString`) drops the NULs
/// at its end, its terminator and padding; a NUL before other characters is
/// kept and noted. A single character keeps whatever it is.
DecodedText decodeText(CharacterEncoding encoding, const std::uint8_t* bytes, std::size_t size,
                       bool littleEndian, bool wholeString);

/// A string array: strings each ended by a NUL, no header. Bytes after the
/// last NUL are one more string. Every string is a Text value of type
/// `itemType`.
struct DecodedStrings {
    List strings;
    std::string problem;
};
DecodedStrings decodeStringArray(CharacterEncoding encoding, const std::uint8_t* bytes,
                                 std::size_t size, bool littleEndian,
                                 const TypeDefinitions::TypeDefinition* itemType);

} // namespace MXF
} // namespace Palimo
