#include "RegXMLText.h"

#include "NumberText.h"

#include <Palimo/Identifiers/Hex.h>
#include <Palimo/MXF/Utf8.h>

#include <cstdio>
#include <string_view>

namespace Palimo {
namespace Output {
namespace {

using namespace MXF;

bool keptAsIs(char32_t c) {
    return c == 0x09 || c == 0x0a || (c >= 0x20 && c != 0x24 && c != 0xfffe && c != 0xffff);
}

// "2015-05-19", "08:52:08.920Z" (milliseconds only when not 0).
std::string dateText(const Date& date) {
    return yearText(date.year, false) + "-" + twoDigits(date.month) + "-" + twoDigits(date.day);
}

std::string timeText(const Time& time) {
    std::string text =
        twoDigits(time.hour) + ":" + twoDigits(time.minute) + ":" + twoDigits(time.second);
    if (time.fraction != 0) {
        char milliseconds[8];
        std::snprintf(milliseconds, sizeof milliseconds, ".%03u", 4u * time.fraction);
        text += milliseconds;
    }
    return text + "Z";
}

std::string realText(double real) {
    return shortestRealText(real, {"NaN", "INF", "-INF"});
}

struct ScalarText {
    std::optional<std::string> operator()(std::int64_t n) const { return std::to_string(n); }
    std::optional<std::string> operator()(std::uint64_t n) const { return std::to_string(n); }
    std::optional<std::string> operator()(double real) const { return realText(real); }
    std::optional<std::string> operator()(bool b) const { return b ? "True" : "False"; }
    std::optional<std::string> operator()(const Text& text) const {
        return regxmlString(text.utf8).text;
    }
    std::optional<std::string> operator()(const NamedAUID& named) const { return named.auid.urn(); }
    std::optional<std::string> operator()(const Identifiers::UUID& uuid) const {
        return uuid.urn();
    }
    std::optional<std::string> operator()(const Identifiers::UMID& umid) const {
        return umid.urn();
    }
    std::optional<std::string> operator()(const Rational& r) const {
        return std::to_string(r.numerator) + "/" + std::to_string(r.denominator);
    }
    std::optional<std::string> operator()(const Timestamp& stamp) const {
        return dateText(stamp.date) + "T" + timeText(stamp.time);
    }
    std::optional<std::string> operator()(const Date& date) const { return dateText(date); }
    std::optional<std::string> operator()(const Time& time) const { return timeText(time); }
    std::optional<std::string> operator()(const Version& v) const {
        return std::to_string(v.major) + "." + std::to_string(v.minor);
    }
    std::optional<std::string> operator()(const Enumerated& e) const {
        return e.known ? e.known->symbol : "UNDEFINED";
    }
    std::optional<std::string> operator()(const Bytes& bytes) const {
        return Identifiers::hexText(bytes.bytes.data(), bytes.bytes.size());
    }
    std::optional<std::string> operator()(const Record&) const { return std::nullopt; }
    std::optional<std::string> operator()(const List&) const { return std::nullopt; }
    std::optional<std::string> operator()(const Indirect&) const { return std::nullopt; }
};

} // namespace

RegXMLString regxmlString(const std::string& utf8) {
    RegXMLString result;
    // The text ends at its first NUL.
    const std::string_view text = std::string_view(utf8).substr(0, utf8.find('\0'));
    result.text.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const char32_t c = MXF::nextCharacter(text, at);
        if (keptAsIs(c)) {
            MXF::appendUtf8(result.text, c);
            continue;
        }
        char escape[16];
        std::snprintf(escape, sizeof escape, "$#x%lx;", static_cast<unsigned long>(c));
        result.text += escape;
        result.escaped = true;
    }
    return result;
}

std::optional<std::string> scalarText(const Value::Data& data) {
    return std::visit(ScalarText{}, data);
}

} // namespace Output
} // namespace Palimo
