#include "SchemaPaths.h"

#include <Palimo/XMLUtils/QuotedText.h>
#include <Palimo/XMLUtils/XSDAggregator.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace Palimo {
namespace XMLUtils {
namespace SchemaPaths {

namespace fs = std::filesystem;

namespace {

bool isAsciiAlpha(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// The URI scheme of `text` in lower case, or empty when it has none. A single
// letter before the colon is a drive letter, not a scheme.
std::string schemeOf(const std::string& text) {
    if (text.empty() || !isAsciiAlpha(text[0]))
        return {};
    std::size_t i = 1;
    while (i < text.size() &&
           (isAsciiAlpha(text[i]) || std::isdigit(static_cast<unsigned char>(text[i])) ||
            text[i] == '+' || text[i] == '-' || text[i] == '.'))
        ++i;
    if (i < 2 || i >= text.size() || text[i] != ':')
        return {};
    std::string scheme = text.substr(0, i);
    std::transform(scheme.begin(), scheme.end(), scheme.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return scheme;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Undoes URI escapes ("%20"); a '%' that starts no valid escape stays as it is.
std::string percentDecoded(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && hexValue(text[i + 1]) >= 0 &&
            hexValue(text[i + 2]) >= 0) {
            out += static_cast<char>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

[[noreturn]] void refuseNetwork(const std::string& namingFile, const std::string& location) {
    throw SchemaAggregationError("Schema \"" + quotedText(namingFile) +
                                     "\" names a network location \"" + quotedText(location) +
                                     "\"; only local files are read",
                                 __FILE__, __LINE__);
}

// A NUL would end the path where the system reads it, naming another file.
void refuseNul(const std::string& namingFile, const std::string& location,
               const std::string& path) {
    if (path.find('\0') != std::string::npos)
        throw SchemaAggregationError("Schema \"" + quotedText(namingFile) +
                                         "\" names the location \"" + quotedText(location) +
                                         "\", which holds a NUL character",
                                     __FILE__, __LINE__);
}

// The path part of a file: URI ("file:///a/b", "file://localhost/a/b",
// "file:/a/b", "file:a/b"); a named remote host is a network location.
std::string filePathOf(const std::string& namingFile, const std::string& location,
                       const std::string& uri) {
    std::string rest = uri.substr(5);
    if (rest.compare(0, 2, "//") == 0) {
        const std::size_t end = rest.find('/', 2);
        const std::string host = rest.substr(2, end == std::string::npos ? end : end - 2);
        if (!host.empty() && host != "localhost")
            refuseNetwork(namingFile, location);
        rest = end == std::string::npos ? std::string() : rest.substr(end);
    }
    rest = rest.substr(0, rest.find_first_of("?#"));
    // "file:///C:/dir" carries a drive path after the slash.
    if (rest.size() >= 3 && rest[0] == '/' && isAsciiAlpha(rest[1]) && rest[2] == ':')
        rest.erase(0, 1);
    return percentDecoded(rest);
}

bool hasDrive(const std::string& path) {
    return path.size() >= 2 && isAsciiAlpha(path[0]) && path[1] == ':';
}

} // namespace

std::string join(const std::string& directory, const std::string& fileName) {
    return directory + "/" + fileName;
}

std::string resolveLocation(const std::string& namingFile, const std::string& location) {
    // schemaLocation is an xs:anyURI, whose surrounding whitespace is collapsed.
    const std::size_t first = location.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return namingFile;
    const std::size_t last = location.find_last_not_of(" \t\r\n");
    // Schemas written on Windows separate directories with backslashes.
    std::string text = location.substr(first, last - first + 1);
    std::replace(text.begin(), text.end(), '\\', '/');
    if (text.compare(0, 2, "//") == 0)
        refuseNetwork(namingFile, location);

    const std::string scheme = schemeOf(text);
    std::string path;
    if (scheme == "file")
        path = filePathOf(namingFile, location, text);
    else if (!scheme.empty())
        refuseNetwork(namingFile, location);
    else
        path = percentDecoded(text);

    refuseNul(namingFile, location, path);
    if (path.empty())
        return namingFile;
    if (path[0] == '/' || hasDrive(path))
        return fs::u8path(path).lexically_normal().u8string();
    return (fs::u8path(namingFile).parent_path() / fs::u8path(path)).lexically_normal().u8string();
}

std::string identity(const std::string& path) {
    std::error_code error;
    const fs::path canonical = fs::weakly_canonical(fs::u8path(path), error);
    if (error)
        return fs::absolute(fs::u8path(path), error).lexically_normal().u8string();
    return canonical.u8string();
}

} // namespace SchemaPaths
} // namespace XMLUtils
} // namespace Palimo
