#pragma once
// Decoded values as test text that names each kind and shows every field, so
// that a golden line says exactly what the decoder made: "Int -1",
// "Enum 1 SeparateFields", "AUID label 06.0e... known=X name=Y",
// "Record {Numerator: Int 1, ...}", "Indirect UTF16String LE Text \"A\"".
#include <Palimo/Identifiers/Hex.h>
#include <Palimo/MXF/DecodedFile.h>
#include <Palimo/MXF/Value.h>

#include <cmath>
#include <cstdio>
#include <string>

namespace MxfTest {

inline std::string describeText(const std::string& utf8) {
    std::string out = "\"";
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20 || byte == 0x7f) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

inline std::string describe(const Palimo::MXF::Value& value);

struct Describer {
    using Value = Palimo::MXF::Value;
    std::string operator()(std::int64_t n) const { return "Int " + std::to_string(n); }
    std::string operator()(std::uint64_t n) const { return "UInt " + std::to_string(n); }
    std::string operator()(double real) const {
        char text[40];
        std::snprintf(text, sizeof text, "%.17g", real);
        return std::string("Real ") + text;
    }
    std::string operator()(bool b) const { return b ? "Bool true" : "Bool false"; }
    std::string operator()(const Palimo::MXF::Text& text) const {
        return "Text " + describeText(text.utf8);
    }
    std::string operator()(const Palimo::MXF::NamedAUID& named) const {
        std::string text = named.auid.isLabel() ? "AUID label " + named.auid.label().dotted()
                                                : "AUID uuid " + named.auid.uuid().text();
        if (named.known)
            text += " known=" + named.known->symbol;
        if (named.labelName)
            text += " name=" + named.labelName->symbol;
        return text;
    }
    std::string operator()(const Palimo::Identifiers::UUID& uuid) const {
        return "UUID " + uuid.text();
    }
    std::string operator()(const Palimo::Identifiers::UMID& umid) const {
        return "UMID " + umid.urn();
    }
    std::string operator()(const Palimo::MXF::Rational& r) const {
        return "Rational " + std::to_string(r.numerator) + "/" + std::to_string(r.denominator);
    }
    static std::string date(const Palimo::MXF::Date& d) {
        return std::to_string(d.year) + " " + std::to_string(d.month) + " " + std::to_string(d.day);
    }
    static std::string time(const Palimo::MXF::Time& t) {
        return std::to_string(t.hour) + " " + std::to_string(t.minute) + " " +
               std::to_string(t.second) + " " + std::to_string(t.fraction);
    }
    std::string operator()(const Palimo::MXF::Timestamp& s) const {
        return "Timestamp " + date(s.date) + " " + time(s.time);
    }
    std::string operator()(const Palimo::MXF::Date& d) const { return "Date " + date(d); }
    std::string operator()(const Palimo::MXF::Time& t) const { return "Time " + time(t); }
    std::string operator()(const Palimo::MXF::Version& v) const {
        return "Version " + std::to_string(v.major) + " " + std::to_string(v.minor);
    }
    std::string operator()(const Palimo::MXF::Enumerated& e) const {
        return "Enum " + std::to_string(e.value) + " " + (e.known ? e.known->symbol : "?");
    }
    std::string operator()(const Palimo::MXF::Record& record) const {
        std::string text = "Record {";
        for (std::size_t i = 0; i < record.fields.size(); ++i)
            text +=
                (i ? ", " : "") + record.fields[i].name + ": " + describe(record.fields[i].value);
        return text + "}";
    }
    std::string operator()(const Palimo::MXF::List& list) const {
        std::string text = "List [";
        for (std::size_t i = 0; i < list.items.size(); ++i)
            text += (i ? ", " : "") + describe(list.items[i]);
        return text + "]";
    }
    std::string operator()(const Palimo::MXF::Indirect& indirect) const {
        std::string text = "Indirect " +
                           (indirect.type ? indirect.type->symbol : indirect.typeLabel.dotted()) +
                           (indirect.littleEndian ? " LE" : " BE");
        for (const Value& inner : indirect.value)
            text += " " + describe(inner);
        return text;
    }
    std::string operator()(const Palimo::MXF::Bytes& bytes) const {
        return "Bytes " + Palimo::Identifiers::hexText(bytes.bytes.data(), bytes.bytes.size());
    }
};

inline std::string describe(const Palimo::MXF::Value& value) {
    return std::visit(Describer{}, value.data);
}

/// Every set and item of `file` as the decoder named and typed them, every
/// value and the sets weak references lead to; not where a definition came
/// from.
inline std::string describeDecoding(const Palimo::MXF::DecodedFile& file) {
    std::string text;
    for (const auto& set : file.sets) {
        text += "set " + (set.name.empty() ? set.klv.key.dotted() : set.name) + "\n";
        for (const auto& item : set.items) {
            text += "  " + (item.name.empty() ? "?" : item.name) + " " + item.type + " " +
                    (item.definition ? item.definition->symbol : "-") + " " +
                    (item.value ? describe(*item.value) : "raw");
            for (const std::size_t target : item.weakTargets)
                text += " -> " + std::to_string(target);
            text += "\n";
        }
    }
    return text;
}

} // namespace MxfTest
