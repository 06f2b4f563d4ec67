#include "Texts.h"

#include "Numbers.h"

#include <Palimo/MXF/Utf8.h>

#include <vector>

namespace Palimo {
namespace MXF {
namespace {

// Characters decoded, and where decoding failed.
struct Characters {
    std::vector<char32_t> chars;
    std::size_t invalid = 0;      // characters that are U+FFFD for bytes that are no text
    std::size_t firstInvalid = 0; // the byte of the value where the first of them starts

    void replace(std::size_t byte) {
        if (invalid++ == 0)
            firstInvalid = byte;
        chars.push_back(kReplacementCharacter);
    }
};

// UTF-16 units; a surrogate without its partner is U+FFFD.
Characters utf16(const std::uint8_t* bytes, std::size_t size, bool littleEndian) {
    Characters decoded;
    decoded.chars.reserve(size / 2 + 1);
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        const auto unit = static_cast<char32_t>(unsignedNumber(bytes + i, 2, littleEndian));
        if (unit >= 0xd800 && unit < 0xdc00 && i + 3 < size) {
            const auto low = static_cast<char32_t>(unsignedNumber(bytes + i + 2, 2, littleEndian));
            if (low >= 0xdc00 && low < 0xe000) {
                decoded.chars.push_back(0x10000 + ((unit - 0xd800) << 10) + (low - 0xdc00));
                i += 2;
                continue;
            }
        }
        if (unit >= 0xd800 && unit < 0xe000)
            decoded.replace(i);
        else
            decoded.chars.push_back(unit);
    }
    // The odd last byte is a problem of its own (textProblem).
    if (size % 2 != 0)
        decoded.chars.push_back(kReplacementCharacter);
    return decoded;
}

// Each byte that starts no well-formed sequence is one U+FFFD.
Characters utf8(const std::uint8_t* bytes, std::size_t size) {
    Characters decoded;
    decoded.chars.reserve(size);
    for (std::size_t i = 0; i < size;) {
        char32_t c;
        const std::size_t length = utf8Sequence(bytes + i, size - i, c);
        if (length == 0) {
            decoded.replace(i);
            ++i;
            continue;
        }
        decoded.chars.push_back(c);
        i += length;
    }
    return decoded;
}

Characters iso7(const std::uint8_t* bytes, std::size_t size) {
    Characters decoded;
    decoded.chars.reserve(size);
    for (std::size_t i = 0; i < size; ++i) {
        if (bytes[i] > 0x7f)
            decoded.replace(i);
        else
            decoded.chars.push_back(bytes[i]);
    }
    return decoded;
}

Characters characters(CharacterEncoding encoding, const std::uint8_t* bytes, std::size_t size,
                      bool littleEndian) {
    switch (encoding) {
    case CharacterEncoding::UTF16:
        return utf16(bytes, size, littleEndian);
    case CharacterEncoding::UTF8:
        return utf8(bytes, size);
    case CharacterEncoding::ISO7:
        break;
    }
    return iso7(bytes, size);
}

// What in the bytes is no text of the encoding; empty when all of it is.
std::string textProblem(CharacterEncoding encoding, const Characters& decoded, std::size_t size) {
    std::string problem;
    if (decoded.invalid > 0) {
        const char* what = encoding == CharacterEncoding::UTF16 ? " UTF-16 unit" : " byte";
        const char* fault = encoding == CharacterEncoding::UTF16 ? "a surrogate without its partner"
                            : encoding == CharacterEncoding::UTF8 ? "no well-formed UTF-8"
                                                                  : "over 7f, no ISO 7 character";
        problem = std::to_string(decoded.invalid) + what + (decoded.invalid == 1 ? "" : "s") +
                  " (the first at byte " + std::to_string(decoded.firstInvalid) +
                  " of the value) " + (decoded.invalid == 1 ? "is " : "are ") + fault +
                  ", shown as U+FFFD";
    }
    if (encoding == CharacterEncoding::UTF16 && size % 2 != 0)
        problem += (problem.empty() ? "" : "; ") + std::to_string(size) +
                   " bytes, an odd number, for UTF-16 text";
    return problem;
}

Text toText(const std::vector<char32_t>& chars, std::size_t begin, std::size_t end) {
    Text text;
    text.utf8.reserve(end - begin);
    for (std::size_t i = begin; i < end; ++i)
        appendUtf8(text.utf8, chars[i]);
    return text;
}

} // namespace

DecodedText decodeText(CharacterEncoding encoding, const std::uint8_t* bytes, std::size_t size,
                       bool littleEndian, bool wholeString) {
    const Characters decodedChars = characters(encoding, bytes, size, littleEndian);
    const std::vector<char32_t>& chars = decodedChars.chars;
    std::size_t end = chars.size();
    DecodedText decoded;
    if (wholeString) {
        while (end > 0 && chars[end - 1] == 0)
            --end;
        for (std::size_t i = 0; i < end; ++i)
            if (chars[i] == 0) {
                decoded.note = "the text goes on after a NUL (character " + std::to_string(i + 1) +
                               " of " + std::to_string(end) + ")";
                break;
            }
    }
    decoded.text = toText(chars, 0, end);
    decoded.problem = textProblem(encoding, decodedChars, size);
    return decoded;
}

DecodedStrings decodeStringArray(CharacterEncoding encoding, const std::uint8_t* bytes,
                                 std::size_t size, bool littleEndian,
                                 const TypeDefinitions::TypeDefinition* itemType) {
    const Characters decodedChars = characters(encoding, bytes, size, littleEndian);
    const std::vector<char32_t>& chars = decodedChars.chars;
    DecodedStrings decoded;
    std::size_t begin = 0;
    for (std::size_t i = 0; i <= chars.size(); ++i) {
        const bool last = i == chars.size();
        if (!last && chars[i] != 0)
            continue;
        if (!last || i > begin) {
            Value item;
            item.type = itemType;
            item.data = toText(chars, begin, i);
            decoded.strings.items.push_back(std::move(item));
        }
        begin = i + 1;
    }
    decoded.problem = textProblem(encoding, decodedChars, size);
    return decoded;
}

} // namespace MXF
} // namespace Palimo
