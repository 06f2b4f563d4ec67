#include <Palimo/MXF/ValueDecoder.h>

#include <Palimo/MXF/TextForms.h>
#include <Palimo/Templates/String.h>
#include <Palimo/Types/BaseTypeFactory.h>
#include <Palimo/Utils/StringConversion.h>

#include <cmath>
#include <cstdio>
#include <cstring>

namespace Palimo {
namespace MXF {
namespace {

using namespace Types::Identifiers;

std::uint64_t bigEndian(const std::uint8_t* bytes, std::size_t size) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < size; ++i)
        value = (value << 8) | bytes[i];
    return value;
}

std::int64_t signedBigEndian(const std::uint8_t* bytes, std::size_t size) {
    const std::uint64_t value = bigEndian(bytes, size);
    const unsigned bits = static_cast<unsigned>(8 * size);
    if (bits < 64 && (value >> (bits - 1)) != 0)
        return static_cast<std::int64_t>(value | (~std::uint64_t{0} << bits));
    return static_cast<std::int64_t>(value);
}

Value textValue(Value::Kind kind, std::string text) {
    Value value;
    value.kind = kind;
    value.text = std::move(text);
    return value;
}

std::string iso7Text(const std::uint8_t* bytes, std::size_t size) {
    std::string text;
    for (std::size_t i = 0; i < size && bytes[i] != 0; ++i) {
        if (bytes[i] < 0x80)
            text.push_back(static_cast<char>(bytes[i]));
        else
            text += "\xef\xbf\xbd"; // not 7-bit: U+FFFD
    }
    return text;
}

// Big-endian UTF-16 up to the first NUL; bad surrogates become U+FFFD.
std::string utf16Text(const std::uint8_t* bytes, std::size_t size) {
    WString wide;
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        const auto unit = static_cast<char16_t>((bytes[i] << 8) | bytes[i + 1]);
        if (unit == 0)
            break;
        wide.push_back(unit);
    }
    return Utils::wstringToString(wide);
}

std::string twoDigits(unsigned n) {
    char text[4];
    std::snprintf(text, sizeof text, "%02u", n % 100);
    return text;
}

// Year (Int16), month, day, hour, minute, second, milliseconds / 4 (UInt8 each).
DecodedValue timestamp(const std::uint8_t* b) {
    const auto year = static_cast<std::int16_t>((b[0] << 8) | b[1]);
    const unsigned month = b[2], day = b[3], hour = b[4], minute = b[5], second = b[6],
                   quarterMs = b[7];
    DecodedValue decoded;
    if (month > 12 || day > 31 || hour > 23 || minute > 59 || second > 59 || quarterMs > 249) {
        decoded.problem = "timestamp field out of range (" + hexText(b, 8) + ")";
        return decoded;
    }
    char yearText[8];
    if (year < 0)
        std::snprintf(yearText, sizeof yearText, "-%04d", -year);
    else if (year > 9999)
        std::snprintf(yearText, sizeof yearText, "+%d", static_cast<int>(year));
    else
        std::snprintf(yearText, sizeof yearText, "%04d", static_cast<int>(year));
    char ms[4];
    std::snprintf(ms, sizeof ms, "%03u", quarterMs * 4);
    decoded.value = textValue(Value::Kind::Timestamp,
                              std::string(yearText) + "-" + twoDigits(month) + "-" +
                                  twoDigits(day) + "T" + twoDigits(hour) + ":" + twoDigits(minute) +
                                  ":" + twoDigits(second) + "." + ms + "Z");
    return decoded;
}

std::string uint16List(const std::uint8_t* bytes, std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i)
        text += (i ? "." : "") + std::to_string(bigEndian(bytes + 2 * i, 2));
    return text;
}

// IEEE 754, big-endian: JSON has no NaN or infinities, so those keep a text.
Value realValue(const std::uint8_t* b, std::size_t size) {
    double real;
    if (size == 4) {
        const auto bits = static_cast<std::uint32_t>(bigEndian(b, 4));
        float single;
        std::memcpy(&single, &bits, sizeof single);
        real = single;
    } else {
        const std::uint64_t bits = bigEndian(b, 8);
        std::memcpy(&real, &bits, sizeof real);
    }
    char text[32];
    if (std::isnan(real))
        std::snprintf(text, sizeof text, "NaN");
    else if (std::isinf(real))
        std::snprintf(text, sizeof text, real < 0 ? "-Infinity" : "Infinity");
    else
        std::snprintf(text, sizeof text, "%.*g", size == 4 ? 9 : 17, real);
    Value value = textValue(Value::Kind::Real, text);
    value.real = real;
    return value;
}

// UTF-8 up to the first NUL, as stored; the output replaces invalid sequences.
std::string utf8Text(const std::uint8_t* bytes, std::size_t size) {
    const void* nul = std::memchr(bytes, 0, size);
    const std::size_t length =
        nul ? static_cast<std::size_t>(static_cast<const std::uint8_t*>(nul) - bytes) : size;
    return std::string(reinterpret_cast<const char*>(bytes), length);
}

// An AUID holds a universal label or a UUID; a label is told by its prefix.
Value auidValue(const std::uint8_t* b) {
    if (b[0] == 0x06 && b[1] == 0x0e && b[2] == 0x2b && b[3] == 0x34)
        return textValue(Value::Kind::Label, dottedText(b, 16));
    return textValue(Value::Kind::UUID, uuidText(b));
}

DecodedValue dateOrTime(bool date, const std::uint8_t* b) {
    DecodedValue decoded;
    if (date) {
        const auto year = static_cast<std::int16_t>((b[0] << 8) | b[1]);
        if (b[2] > 12 || b[3] > 31 || year < 0 || year > 9999) {
            decoded.problem = "date field out of range (" + hexText(b, 4) + ")";
            return decoded;
        }
        char text[12];
        std::snprintf(text, sizeof text, "%04d-", static_cast<int>(year));
        decoded.value =
            textValue(Value::Kind::Timestamp, text + twoDigits(b[2]) + "-" + twoDigits(b[3]));
        return decoded;
    }
    if (b[0] > 23 || b[1] > 59 || b[2] > 59 || b[3] > 249) {
        decoded.problem = "time field out of range (" + hexText(b, 4) + ")";
        return decoded;
    }
    char ms[8];
    std::snprintf(ms, sizeof ms, "%03u", b[3] * 4u);
    decoded.value = textValue(Value::Kind::Timestamp, twoDigits(b[0]) + ":" + twoDigits(b[1]) +
                                                          ":" + twoDigits(b[2]) + "." + ms);
    return decoded;
}

// An RGBA component: its code (a letter such as 'R', or 0 to end the layout)
// and its depth in bits.
std::string rgbaText(const std::uint8_t* b) {
    std::string text;
    if (b[0] >= 0x21 && b[0] < 0x7f)
        text.push_back(static_cast<char>(b[0]));
    else
        text = "0x" + hexText(b, 1);
    return text + std::to_string(b[1]);
}

bool isDecoded(Types::Identifier type) {
    switch (type) {
    case Boolean:
    case Int8:
    case Int16:
    case Int32:
    case Int64:
    case UInt8:
    case UInt16:
    case UInt32:
    case UInt64:
    case Length:
    case Position:
    case ISO7String:
    case UTF16:
    case UTF16String:
    case UniversalLabel:
    case UUID:
    case StrongReference:
    case WeakReference:
    case UMID32:
    case UMID64:
    case Rational:
    case Timestamp:
    case VersionType:
    case ProductVersion:
    case Float32:
    case Float64:
    case UTF8String:
    case AUID:
    case DateStruct:
    case TimeStruct:
    case RGBAComponent:
    case ColorPrimary:
    case J2KComponentSizing:
        return true;
    default:
        return false;
    }
}

// A simple value; `size` is known to suit the type.
DecodedValue decodeSimple(Types::Identifier type, const std::uint8_t* b, std::size_t size) {
    DecodedValue decoded;
    Value value;
    switch (type) {
    case Boolean:
        value.kind = Value::Kind::Boolean;
        value.boolean = b[0] != 0;
        break;
    case Int8:
    case Int16:
    case Int32:
    case Int64:
    case Length:
    case Position:
        value.kind = Value::Kind::Integer;
        value.integer = signedBigEndian(b, size);
        break;
    case UInt8:
    case UInt16:
    case UInt32:
    case UInt64:
        value.kind = Value::Kind::Unsigned;
        value.unsignedInteger = bigEndian(b, size);
        break;
    case ISO7String:
        value = textValue(Value::Kind::String, iso7Text(b, size));
        break;
    case UTF16:
    case UTF16String:
        if (size % 2 != 0) {
            decoded.problem = std::to_string(size) + " bytes, an odd number, for UTF-16 text";
            return decoded;
        }
        value = textValue(Value::Kind::String, utf16Text(b, size));
        break;
    case UniversalLabel:
        value = textValue(Value::Kind::Label, dottedText(b, 16));
        break;
    case UUID:
    case StrongReference:
    case WeakReference:
        value = textValue(Value::Kind::UUID, uuidText(b));
        break;
    case UMID32:
    case UMID64:
        value = textValue(Value::Kind::UMID, dottedText(b, size));
        break;
    case Rational:
        value = textValue(Value::Kind::Rational, std::to_string(signedBigEndian(b, 4)) + "/" +
                                                     std::to_string(signedBigEndian(b + 4, 4)));
        break;
    case Timestamp:
        return timestamp(b);
    case VersionType:
        value = textValue(Value::Kind::Version, std::to_string(b[0]) + "." + std::to_string(b[1]));
        break;
    case ProductVersion:
        value = textValue(Value::Kind::Version, uint16List(b, 5));
        break;
    case Float32:
    case Float64:
        value = realValue(b, size);
        break;
    case UTF8String:
        value = textValue(Value::Kind::String, utf8Text(b, size));
        break;
    case AUID:
        value = auidValue(b);
        break;
    case DateStruct:
    case TimeStruct:
        return dateOrTime(type == DateStruct, b);
    case RGBAComponent:
        value = textValue(Value::Kind::Record, rgbaText(b));
        break;
    case ColorPrimary:
        value = textValue(Value::Kind::Record, std::to_string(bigEndian(b, 2)) + "," +
                                                   std::to_string(bigEndian(b + 2, 2)));
        break;
    case J2KComponentSizing:
        value = textValue(Value::Kind::Record, std::to_string(b[0]) + "," + std::to_string(b[1]) +
                                                   "," + std::to_string(b[2]));
        break;
    default:
        return decoded;
    }
    decoded.value = std::move(value);
    return decoded;
}

std::string typeName(Types::Identifier type) {
    return identifierToString(type);
}

DecodedValue decodeCollection(Types::Identifier type, Types::Identifier subType,
                              const std::uint8_t* bytes, std::size_t size) {
    DecodedValue decoded;
    const std::string what = typeName(type) + " of " + typeName(subType);
    if (size < 8) {
        decoded.problem =
            std::to_string(size) + " bytes, too few for the 8-byte header of the " + what;
        return decoded;
    }
    const std::uint64_t count = bigEndian(bytes, 4);
    const std::uint64_t itemSize = bigEndian(bytes + 4, 4);
    const std::size_t fixed = encodedSize(subType);
    // The header must account for every byte; a count is never trusted alone.
    if (count * itemSize != size - 8 || (count > 0 && itemSize == 0)) {
        decoded.problem = "the header of the " + what + " says " + std::to_string(count) +
                          " items of " + std::to_string(itemSize) + " bytes, " +
                          std::to_string(size - 8) + " bytes follow it";
        return decoded;
    }
    if (!isDecoded(subType))
        return decoded;
    if (fixed != 0 && count > 0 && itemSize != fixed) {
        decoded.problem = "items of " + std::to_string(itemSize) + " bytes in the " + what +
                          ", whose items take " + std::to_string(fixed);
        return decoded;
    }
    Value list;
    list.kind = Value::Kind::List;
    list.items.reserve(static_cast<std::size_t>(count));
    for (std::uint64_t i = 0; i < count; ++i) {
        DecodedValue item =
            decodeSimple(subType, bytes + 8 + i * itemSize, static_cast<std::size_t>(itemSize));
        if (!item.value) {
            decoded.problem = "item " + std::to_string(i) + " of the " + what + ": " + item.problem;
            return decoded;
        }
        list.items.push_back(std::move(*item.value));
    }
    decoded.value = std::move(list);
    return decoded;
}

} // namespace

std::size_t encodedSize(Types::Identifier type) {
    // The core library knows every type's size; only the decoded ones count.
    return isDecoded(type) ? Types::Factories::BaseTypeFactory::instance().elementType(type).size
                           : 0;
}

DecodedValue decodeValue(Types::Identifier type, Types::Identifier subType,
                         const std::uint8_t* bytes, std::size_t size) {
    if (type == Array || type == Batch)
        return decodeCollection(type, subType, bytes, size);
    DecodedValue decoded;
    if (!isDecoded(type))
        return decoded;
    const std::size_t fixed = encodedSize(type);
    if (fixed != 0 && size != fixed) {
        decoded.problem = std::to_string(size) + " bytes where " + typeName(type) + " takes " +
                          std::to_string(fixed);
        return decoded;
    }
    return decodeSimple(type, bytes, size);
}

} // namespace MXF
} // namespace Palimo
