#pragma once
// Text from a file or a dictionary made safe for a terminal: a character that
// could move the cursor, rewrite the screen or the window title, or turn the
// text around the line (C0 and C1 controls, DEL, bidirectional controls, line
// and paragraph separators) is written as an escape, never as itself.
//
// Threads: plain functions of their arguments; any number may run at once,
// each writing to its own stream.
#include <ostream>
#include <string>
#include <string_view>

namespace Palimo {
namespace Output {

/// Whether `c` is one of those characters: U+0000 to U+001F, U+007F to
/// U+009F (DEL and the C1 controls, CSI U+009B among them), U+061C, U+200E,
/// U+200F, U+202A to U+202E, U+2066 to U+2069 (bidirectional controls),
/// U+2028 and U+2029.
bool controlsTerminal(char32_t c);

/// `text` with each such character escaped as JSON escapes control characters
/// (`\n`, `\t`, `\u001b`; and `\u007f`, `\u009b`, `\u202e`, `\u2028`), and each
/// byte that is no UTF-8 written as U+FFFD. Everything else is left as it is.
void writeShown(std::ostream& out, std::string_view text);
std::string shown(std::string_view text);
/// Whether writeShown writes `text` as it is: most names and messages.
bool isShownAsIs(std::string_view text);

/// `text` in double quotes, escaped as writeShown escapes it and with its
/// quotes and backslashes escaped too: a string value on one line, as JSON
/// writes it but for the escapes JSON does not need.
void writeQuoted(std::ostream& out, std::string_view text);

/// A file name as the text output shows it: as it is, unless it holds a
/// character that writeShown escapes, a quote or a backslash; then quoted
/// as writeQuoted writes it, so that the escapes read back unambiguously.
std::string shownFileName(std::string_view name);

} // namespace Output
} // namespace Palimo
