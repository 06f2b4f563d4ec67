#include "ValueText.h"

#include "JsonOutput.h"

#include <Palimo/Identifiers/Hex.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace Mxfdict {

using namespace Palimo::MXF;

namespace {

std::string twoDigits(unsigned n) {
    char text[8];
    std::snprintf(text, sizeof text, "%02u", n);
    return text;
}

std::string quoted(const std::string& utf8) {
    return Json(utf8).dump(-1, ' ', false, Json::error_handler_t::replace);
}

std::string auidText(const NamedAUID& named) {
    const std::string machine =
        named.auid.isLabel() ? named.auid.label().dotted() : named.auid.uuid().text();
    const std::string* name = nameOf(named);
    return name ? *name + " (" + machine + ")" : machine;
}

std::string enumeratedText(const Enumerated& enumerated) {
    const std::string number = std::to_string(enumerated.value);
    if (enumerated.known)
        return enumerated.known->symbol + " (" + number + ")";
    return number + " (not named by the dictionary)";
}

template <typename Items, typename Text>
std::string joined(const Items& items, Text text) {
    std::string out;
    for (const auto& item : items)
        out += (out.empty() ? "" : ", ") + text(item);
    return out;
}

struct TextOf {
    std::string operator()(std::int64_t n) const { return std::to_string(n); }
    std::string operator()(std::uint64_t n) const { return std::to_string(n); }
    std::string operator()(double real) const { return realText(real); }
    std::string operator()(bool b) const { return b ? "true" : "false"; }
    std::string operator()(const Text& text) const { return quoted(text.utf8); }
    std::string operator()(const NamedAUID& auid) const { return auidText(auid); }
    std::string operator()(const Palimo::Identifiers::UUID& uuid) const { return uuid.text(); }
    std::string operator()(const Palimo::Identifiers::UMID& umid) const { return umid.dotted(); }
    std::string operator()(const Rational& r) const {
        return std::to_string(r.numerator) + "/" + std::to_string(r.denominator);
    }
    std::string operator()(const Timestamp& stamp) const { return timestampText(stamp); }
    std::string operator()(const Date& date) const { return dateText(date); }
    std::string operator()(const Time& time) const { return timeText(time); }
    std::string operator()(const Version& v) const {
        return std::to_string(v.major) + "." + std::to_string(v.minor);
    }
    std::string operator()(const Enumerated& e) const { return enumeratedText(e); }
    std::string operator()(const Record& record) const {
        return "{" +
               joined(
                   record.fields,
                   [](const Field& field) { return field.name + ": " + valueText(field.value); }) +
               "}";
    }
    std::string operator()(const List& list) const {
        return "[" + joined(list.items, [](const Value& item) { return valueText(item); }) + "]";
    }
    std::string operator()(const Indirect& indirect) const {
        const std::string type =
            indirect.type ? indirect.type->symbol : indirect.typeLabel.dotted();
        return type + " " + joined(indirect.value, [](const Value& v) { return valueText(v); });
    }
    std::string operator()(const Bytes& bytes) const {
        return "bytes " + Palimo::Identifiers::hexText(bytes.bytes.data(), bytes.bytes.size());
    }
};

} // namespace

std::string valueText(const Value& value) {
    return std::visit(TextOf{}, value.data);
}

std::string dateText(const Date& date) {
    char year[16];
    if (date.year < 0)
        std::snprintf(year, sizeof year, "-%04d", -static_cast<int>(date.year));
    else if (date.year > 9999)
        std::snprintf(year, sizeof year, "+%d", static_cast<int>(date.year));
    else
        std::snprintf(year, sizeof year, "%04d", static_cast<int>(date.year));
    return std::string(year) + "-" + twoDigits(date.month) + "-" + twoDigits(date.day);
}

std::string timeText(const Time& time) {
    char milliseconds[8];
    std::snprintf(milliseconds, sizeof milliseconds, "%03u", 4u * time.fraction);
    return twoDigits(time.hour) + ":" + twoDigits(time.minute) + ":" + twoDigits(time.second) +
           "." + milliseconds;
}

std::string timestampText(const Timestamp& stamp) {
    return dateText(stamp.date) + "T" + timeText(stamp.time) + "Z";
}

std::string realText(double real) {
    if (std::isnan(real))
        return "NaN";
    if (std::isinf(real))
        return real < 0 ? "-Infinity" : "Infinity";
    // A Float32 keeps its own shortest form rather than its double's.
    const bool single = static_cast<double>(static_cast<float>(real)) == real;
    char text[32];
    for (int digits = 1; digits <= 17; ++digits) {
        std::snprintf(text, sizeof text, "%.*g", digits, real);
        const double back = std::strtod(text, nullptr);
        if (single ? static_cast<float>(back) == static_cast<float>(real) : back == real)
            break;
    }
    return text;
}

} // namespace Mxfdict
