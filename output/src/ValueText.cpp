#include <Palimo/Output/TerminalText.h>
#include <Palimo/Output/ValueText.h>

#include "NumberText.h"
#include "Put.h"

#include <Palimo/Identifiers/Hex.h>

#include <cstdio>
#include <sstream>

namespace Palimo {
namespace Output {

using namespace MXF;

namespace {

void writeAUID(std::ostream& out, const NamedAUID& named) {
    const std::string machine =
        named.auid.isLabel() ? named.auid.label().dotted() : named.auid.uuid().text();
    if (const std::string* name = nameOf(named)) {
        writeShown(out, *name);
        out << " (" << machine << ')';
    } else {
        put(out, machine);
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

    void operator()(std::int64_t n) const { putNumber(out, n); }
    void operator()(std::uint64_t n) const { putNumber(out, n); }
    void operator()(double real) const { out << realText(real); }
    void operator()(bool b) const { out << (b ? "true" : "false"); }
    void operator()(const Text& text) const { writeQuoted(out, text.utf8); }
    void operator()(const NamedAUID& auid) const { writeAUID(out, auid); }
    void operator()(const Palimo::Identifiers::UUID& uuid) const { put(out, uuid.text()); }
    void operator()(const Palimo::Identifiers::UMID& umid) const { put(out, umid.dotted()); }
    void operator()(const Rational& r) const {
        putNumber(out, r.numerator);
        put(out, "/");
        putNumber(out, r.denominator);
    }
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
    return yearText(date.year, true) + "-" + twoDigits(date.month) + "-" + twoDigits(date.day);
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
    return shortestRealText(real, {"NaN", "Infinity", "-Infinity"});
}

} // namespace Output
} // namespace Palimo
