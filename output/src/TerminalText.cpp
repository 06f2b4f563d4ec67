#include <Palimo/Output/TerminalText.h>

#include <Palimo/MXF/Utf8.h>

#include <cstdio>
#include <sstream>

namespace Palimo {
namespace Output {

namespace {

// Bytes that stand for themselves, within and outside quotes.
bool plainByte(unsigned char c, bool quoting) {
    return c >= 0x20 && c < 0x7f && !(quoting && (c == '"' || c == '\\'));
}

void writeEscape(std::ostream& out, char32_t c) {
    switch (c) {
    case '\b':
        out << "\\b";
        return;
    case '\f':
        out << "\\f";
        return;
    case '\n':
        out << "\\n";
        return;
    case '\r':
        out << "\\r";
        return;
    case '\t':
        out << "\\t";
        return;
    default:
        break;
    }
    // Every character escaped is below U+10000: four digits.
    char text[16];
    std::snprintf(text, sizeof text, "\\u%04x", static_cast<unsigned>(c));
    out << text;
}

// Where the first byte that needs a look lies: text.size() when none does.
std::size_t firstSpecial(std::string_view text, bool quoting) {
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!plainByte(static_cast<unsigned char>(text[i]), quoting))
            return i;
    return text.size();
}

void write(std::ostream& out, std::string_view text, bool quoting) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    std::size_t plainFrom = 0;
    const auto writePlain = [&](std::size_t to) {
        out.write(text.data() + plainFrom, static_cast<std::streamsize>(to - plainFrom));
    };
    for (std::size_t i = firstSpecial(text, quoting); i < text.size();) {
        if (plainByte(bytes[i], quoting)) {
            ++i;
            continue;
        }
        char32_t c = 0;
        const std::size_t length = MXF::utf8Sequence(bytes + i, text.size() - i, c);
        if (length > 1 && !controlsTerminal(c)) {
            i += length;
            continue;
        }
        writePlain(i);
        if (length == 0)
            out << MXF::kReplacementUtf8;
        else if (quoting && (c == '"' || c == '\\'))
            out << '\\' << static_cast<char>(c);
        else
            writeEscape(out, c);
        i += length == 0 ? 1 : length;
        plainFrom = i;
    }
    writePlain(text.size());
}

} // namespace

bool controlsTerminal(char32_t c) {
    return c < 0x20 || (c >= 0x7f && c <= 0x9f) || c == 0x061c || c == 0x200e || c == 0x200f ||
           (c >= 0x202a && c <= 0x202e) || (c >= 0x2066 && c <= 0x2069) || c == 0x2028 ||
           c == 0x2029;
}

void writeShown(std::ostream& out, std::string_view text) {
    write(out, text, false);
}

bool isShownAsIs(std::string_view text) {
    return firstSpecial(text, false) == text.size();
}

std::string shown(std::string_view text) {
    // Names and messages seldom need an escape: no stream for them.
    if (firstSpecial(text, false) == text.size())
        return std::string(text);
    std::ostringstream out;
    writeShown(out, text);
    return out.str();
}

void writeQuoted(std::ostream& out, std::string_view text) {
    out << '"';
    write(out, text, true);
    out << '"';
}

std::string shownFileName(std::string_view name) {
    if (firstSpecial(name, true) == name.size())
        return std::string(name);
    std::ostringstream quoted;
    writeQuoted(quoted, name);
    const std::string text = quoted.str();
    // Nothing escaped: the quotes alone were added.
    if (text.size() == name.size() + 2)
        return std::string(name);
    return text;
}

} // namespace Output
} // namespace Palimo
