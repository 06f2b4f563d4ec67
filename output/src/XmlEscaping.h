#pragma once
// What XML 1.0 can carry where: names, text, attribute values, comments.
#include <string>
#include <string_view>

namespace Palimo {
namespace Output {

/// Whether XML 1.0 allows the character anywhere (Char production).
bool isXmlCharacter(char32_t c);

/// Whether `name` is an XML name without colons (NCName).
bool isNCName(std::string_view name);

enum class XmlContext { Text, Attribute, Comment };

/// Appends the UTF-8 `text` as it may stand in `context`, reading back as the
/// same characters: "&", "<" and ">" as entity references (and '"' in
/// attributes); characters above U+FFFF as decimal character references;
/// carriage returns (and, in attributes, tabs and line feeds) as character
/// references, since a parser would normalise them; in comments "--" as
/// "- -" and a final "-" followed by a space. Characters XML 1.0 cannot
/// carry at all (C0 controls other than tab, line feed and carriage return,
/// U+FFFE, U+FFFF) and bytes that are no UTF-8 become U+FFFD.
void appendEscaped(std::string& out, std::string_view text, XmlContext context);

} // namespace Output
} // namespace Palimo
