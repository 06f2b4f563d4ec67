#include "GeneratorModel.h"

#include <cstdio>

namespace Palimo {
namespace Bench {

std::string hexByte(std::size_t value) {
    char buffer[4];
    std::snprintf(buffer, sizeof buffer, "%02x", static_cast<unsigned>(value & 0xff));
    return buffer;
}

namespace {

std::string uuidText(Draw& draw) {
    std::string text;
    for (int i = 0; i < 16; ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10)
            text += '-';
        text += hexByte(draw.below(256));
    }
    return text;
}

std::string dottedBytes(Draw& draw, int count) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += (i ? "." : "") + hexByte(draw.below(256));
    return text;
}

} // namespace

std::string defaultFor(const std::string& type, Draw& draw) {
    static const std::array<const char*, 5> rationals = {"{25,1}", "{30000,1001}", "{24000,1001}",
                                                         "{50,1}", "{48000,1}"};
    if (type == "Boolean")
        return draw.percent(50) ? "0" : "1";
    if (type == "UInt8")
        return std::to_string(draw.below(256));
    if (type == "UInt16")
        return std::to_string(draw.below(65536));
    if (type == "UInt32" || type == "Length" || type == "Position")
        return std::to_string(draw.below(1000000));
    if (type == "UInt64")
        return std::to_string(4294967296ull + draw.below(1000000));
    if (type == "Int8")
        return std::to_string(static_cast<long>(draw.below(256)) - 128);
    if (type == "Int16" || type == "Int32")
        return std::to_string(static_cast<long>(draw.below(20000)) - 10000);
    if (type == "Int64")
        return "-" + std::to_string(4294967296ull + draw.below(1000000));
    if (type == "UTF16String")
        return draw.percent(50) ? "Untitled" : "Palimo benchmark";
    if (type == "ISO7String")
        return "und";
    if (type == "UTF16")
        return "x";
    if (type == "Rational")
        return draw.pick(rationals);
    if (type == "UniversalLabel")
        return "06.0e.2b.34.04.01.01.01." + dottedBytes(draw, 8);
    if (type == "UUID")
        return uuidText(draw);
    if (type == "UMID32")
        return "06.0a.2b.34.01.01.01.05.01.01.0d.13.00.00.00." + dottedBytes(draw, 17);
    if (type == "UMID64")
        return "06.0a.2b.34.01.01.01.05.01.01.0d.23.00.00.00." + dottedBytes(draw, 49);
    return {};
}

std::string collectionDefault(const std::string& itemType, Draw& draw) {
    const std::size_t items = 2 + draw.below(3);
    std::string text = "{";
    for (std::size_t i = 0; i < items; ++i)
        text += (i ? "," : "") + defaultFor(itemType, draw);
    return text + "}";
}

} // namespace Bench
} // namespace Palimo
