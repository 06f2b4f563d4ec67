#include "ValueText.h"

#include "TerminalText.h"

#include <Palimo/Identifiers/Hex.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace Mxfdict {

using namespace Palimo::MXF;

namespace {

std::string twoDigits(unsigned n) {
    char text[8];
    std::snprintf(text, sizeof text, "%02u", n);
    return text;
}

void writeAUID(std::ostream& out, const NamedAUID& named) {
    const std::string machine =
        named.auid.isLabel() ? named.auid.label().dotted() : named.auid.uuid().text();
    if (const std::string* name = nameOf(named)) {
        writeShown(out, *name);
        out << " (" << machine << ')';
    } else {
        out << machine;
    }
}

void writeEnumerated(std::ostream& out, const Enumerated& enumerated) {
    if (enumerated.known) {
        writeShown(out, enumerated.known->symbol);
        out << " (" << enumerated.value << ')';
    } else {
        out << enumerated.value << " (not named by the dictionary)";
    }
}

// "a, b, c" of the items, each written by `write`.
template <typename Items, typename Write>
void writeJoined(std::ostream& out, const Items& items, Write write) {
    bool first = true;
    for (const auto& item : items) {
        if (!first)
            out << ", ";
        first = false;
        write(item);
    }
}

struct TextOf {
    std::ostream& out;

    void operator()(std::int64_t n) const { out << n; }
    void operator()(std::uint64_t n) const { out << n; }
    void operator()(double real) const { out << realText(real); }
    void operator()(bool b) const { out << (b ? "true" : "false"); }
    void operator()(const Text& text) const { writeQuoted(out, text.utf8); }
    void operator()(const NamedAUID& auid) const { writeAUID(out, auid); }
    void operator()(const Palimo::Identifiers::UUID& uuid) const { out << uuid.text(); }
    void operator()(const Palimo::Identifiers::UMID& umid) const { out << umid.dotted(); }
    void operator()(const Rational& r) const { out << r.numerator << '/' << r.denominator; }
    void operator()(const Timestamp& stamp) const { out << timestampText(stamp); }
    void operator()(const Date& date) const { out << dateText(date); }
    void operator()(const Time& time) const { out << timeText(time); }
    void operator()(const Version& v) const {
        out << static_cast<unsigned>(v.major) << '.' << static_cast<unsigned>(v.minor);
    }
    void operator()(const Enumerated& e) const { writeEnumerated(out, e); }
    void operator()(const Record& record) const {
        out << '{';
        writeJoined(out, record.fields, [this](const Field& field) {
            writeShown(out, field.name);
            out << ": ";
            writeValueText(out, field.value);
        });
        out << '}';
    }
    void operator()(const List& list) const {
        out << '[';
        writeJoined(out, list.items, [this](const Value& item) { writeValueText(out, item); });
        out << ']';
    }
    void operator()(const Indirect& indirect) const {
        if (indirect.type)
            writeShown(out, indirect.type->symbol);
        else
            out << indirect.typeLabel.dotted();
        out << ' ';
        writeJoined(out, indirect.value, [this](const Value& v) { writeValueText(out, v); });
    }
    void operator()(const Bytes& bytes) const {
        out << "bytes " << Palimo::Identifiers::hexText(bytes.bytes.data(), bytes.bytes.size());
    }
};

} // namespace

void writeValueText(std::ostream& out, const Value& value) {
    std::visit(TextOf{out}, value.data);
}

std::string valueText(const Value& value) {
    std::ostringstream out;
    writeValueText(out, value);
    return out.str();
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
