#include "SchemaFileScan.h"

#include <Palimo/XMLUtils/QuotedText.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace Palimo {
namespace XMLUtils {

namespace {

// The characters of a file of two- or four-byte code units in one byte order.
class Units {
public:
    Units(const std::string& bytes, std::size_t offset, unsigned width, bool bigEndian)
        : bytes_(reinterpret_cast<const unsigned char*>(bytes.data())), width_(width),
          bigEndian_(bigEndian), offset_(offset), size_((bytes.size() - offset) / width) {}

    std::size_t size() const { return size_; }
    unsigned width() const { return width_; }

    // The unit at `i`, 0 past the end.
    std::uint32_t operator[](std::size_t i) const {
        if (i >= size_)
            return 0;
        const unsigned char* p = bytes_ + offset_ + i * width_;
        std::uint32_t unit = 0;
        for (unsigned b = 0; b < width_; ++b)
            unit |= static_cast<std::uint32_t>(p[bigEndian_ ? b : width_ - 1 - b])
                    << (8 * (width_ - 1 - b));
        return unit;
    }

    bool startsWith(std::size_t i, const char* text) const {
        for (; *text; ++text, ++i) {
            if ((*this)[i] != static_cast<unsigned char>(*text))
                return false;
        }
        return true;
    }

    // The position of the next unit `c` from `i`, or the end.
    std::size_t next(std::size_t i, std::uint32_t c) const {
        while (i < size_ && (*this)[i] != c)
            ++i;
        return std::min(i, size_);
    }

private:
    const unsigned char* bytes_;
    unsigned width_;
    bool bigEndian_;
    std::size_t offset_;
    std::size_t size_;
};

// The characters of a file of one-byte units, the common case, read without
// assembling units and searched by the C library: the scan touches every byte
// of a large dictionary.
class ByteUnits {
public:
    ByteUnits(const std::string& bytes, std::size_t offset)
        : bytes_(reinterpret_cast<const unsigned char*>(bytes.data()) + offset),
          size_(bytes.size() - offset) {}

    std::size_t size() const { return size_; }
    unsigned width() const { return 1; }
    std::uint32_t operator[](std::size_t i) const { return i < size_ ? bytes_[i] : 0; }

    bool startsWith(std::size_t i, const char* text) const {
        const std::size_t length = std::char_traits<char>::length(text);
        return i <= size_ && size_ - i >= length && std::memcmp(bytes_ + i, text, length) == 0;
    }

    std::size_t next(std::size_t i, std::uint32_t c) const {
        if (i >= size_)
            return size_;
        const void* found = std::memchr(bytes_ + i, static_cast<int>(c), size_ - i);
        return found != nullptr
                   ? static_cast<std::size_t>(static_cast<const unsigned char*>(found) - bytes_)
                   : size_;
    }

private:
    const unsigned char* bytes_;
    std::size_t size_;
};

// The position after the next `text` from `i` in `units`, or the end.
template <class Units>
std::size_t after(const Units& units, std::size_t i, const char* text) {
    const std::uint32_t first = static_cast<unsigned char>(*text);
    for (i = units.next(i, first); i < units.size(); i = units.next(i + 1, first)) {
        if (units.startsWith(i, text))
            return i + std::char_traits<char>::length(text);
    }
    return units.size();
}

bool isSpace(std::uint32_t c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool endsName(std::uint32_t c) {
    return isSpace(c) || c == '=' || c == '>' || c == '/' || c == '<' || c == '"' || c == '\'';
}

template <class Units>
class Scan {
public:
    Scan(const Units& units, const std::string& path) : units_(units), path_(path) {}

    std::size_t longestEntity() const { return longestEntity_; }
    // The root's content as positions of units; empty when there is none.
    std::size_t contentBegin() const { return contentBegin_; }
    std::size_t contentEnd() const {
        return lastEndTag_ > contentBegin_ ? lastEndTag_ : contentBegin_;
    }

    void run() {
        std::size_t i = 0;
        const std::size_t n = units_.size();
        while ((i = units_.next(i, '<')) < n) {
            if (units_.startsWith(i, "<!--"))
                i = after(units_, i + 4, "-->");
            else if (units_.startsWith(i, "<![CDATA["))
                i = after(units_, i + 9, "]]>");
            else if (units_.startsWith(i, "<?"))
                i = after(units_, i + 2, "?>");
            else if (units_.startsWith(i, "<!DOCTYPE"))
                i = doctype(i + 9);
            else if (units_.startsWith(i, "</"))
                lastEndTag_ = i, i = after(units_, i + 2, ">");
            else if (units_.startsWith(i, "<!"))
                i = after(units_, i + 2, ">");
            else
                i = element(i);
        }
    }

private:
    // A start tag at `i`; the first is the root's, whose content starts
    // after it unless it is written empty.
    std::size_t element(std::size_t i) {
        const std::size_t end = startTag(i + 1);
        if (!rootSeen_) {
            rootSeen_ = true;
            if (end > i + 1 && units_[end - 1] == '>' && units_[end - 2] != '/')
                contentBegin_ = end;
        }
        return end;
    }

    // After a quoted literal that starts at `i`.
    std::size_t literal(std::size_t i) const {
        const char quote[2] = {static_cast<char>(units_[i]), '\0'};
        return after(units_, i + 1, quote);
    }

    // The attributes of a start tag whose name starts at `i`; the position
    // after the tag.
    std::size_t startTag(std::size_t i) {
        const std::size_t n = units_.size();
        while (i < n && !endsName(units_[i]))
            ++i;
        std::size_t attributes = 0;
        while (i < n) {
            const std::uint32_t c = units_[i];
            if (c == '>')
                return i + 1;
            if (c == '<')
                return i; // malformed: the parser stops here
            if (c == '"' || c == '\'') {
                i = literal(i);
            } else if (endsName(c)) {
                ++i;
            } else {
                if (++attributes > Limits::kAttributes)
                    failAttributes(path_);
                while (i < n && !endsName(units_[i]))
                    ++i;
            }
        }
        return i;
    }

    // The document type declaration from after "<!DOCTYPE": its internal
    // subset's entity literals are measured, its comments, instructions and
    // quoted texts skipped.
    std::size_t doctype(std::size_t i) {
        const std::size_t n = units_.size();
        bool inSubset = false;
        while (i < n) {
            const std::uint32_t c = units_[i];
            if (c == '"' || c == '\'') {
                i = literal(i);
            } else if (c == '[') {
                inSubset = true;
                ++i;
            } else if (c == ']') {
                inSubset = false;
                ++i;
            } else if (c == '>' && !inSubset) {
                return i + 1;
            } else if (inSubset && units_.startsWith(i, "<!--")) {
                i = after(units_, i + 4, "-->");
            } else if (inSubset && units_.startsWith(i, "<?")) {
                i = after(units_, i + 2, "?>");
            } else if (inSubset && units_.startsWith(i, "<!ENTITY")) {
                i = entity(i + 8);
            } else {
                ++i;
            }
        }
        return i;
    }

    // An entity declaration from after "<!ENTITY": the length of its value
    // literal, an upper bound of its replacement text (character references
    // only shorten it; an entity declared through a parameter entity has a
    // literal inside that entity's). A declaration that does not end here is
    // left to the internal subset's scan.
    std::size_t entity(std::size_t i) {
        const std::size_t n = units_.size();
        while (i < n && units_[i] != '"' && units_[i] != '\'' && units_[i] != '>' &&
               units_[i] != '<')
            ++i;
        if (i >= n || (units_[i] != '"' && units_[i] != '\''))
            return i;
        const std::size_t end = literal(i);
        // A unit of UTF-32 may take two UTF-16 units once parsed.
        const std::size_t length = (end - i - 2 + (end == n)) * (units_.width() == 4 ? 2 : 1);
        longestEntity_ = std::max(longestEntity_, length);
        return end;
    }

    const Units& units_;
    const std::string& path_;
    std::size_t longestEntity_ = 0;
    bool rootSeen_ = false;
    std::size_t contentBegin_ = 0;
    std::size_t lastEndTag_ = 0;
};

bool startsWithBytes(const std::string& bytes, const char* prefix, std::size_t length) {
    return bytes.size() >= length && bytes.compare(0, length, prefix, length) == 0;
}

} // namespace

ScannedSchemaFile scanSchemaFile(const std::string& bytes, const std::string& path) {
    // Xerces' own detection: a byte order mark, else the first "<" or "<?xm".
    std::size_t offset = 0;
    unsigned width = 1;
    bool bigEndian = false;
    if (startsWithBytes(bytes, "\xEF\xBB\xBF", 3)) {
        offset = 3;
    } else if (startsWithBytes(bytes, "\x00\x00\xFE\xFF", 4)) {
        offset = 4, width = 4, bigEndian = true;
    } else if (startsWithBytes(bytes, "\xFF\xFE\x00\x00", 4)) {
        offset = 4, width = 4;
    } else if (startsWithBytes(bytes, "\xFE\xFF", 2)) {
        offset = 2, width = 2, bigEndian = true;
    } else if (startsWithBytes(bytes, "\xFF\xFE", 2)) {
        offset = 2, width = 2;
    } else if (startsWithBytes(bytes, "\x00\x00\x00\x3C", 4)) {
        width = 4, bigEndian = true;
    } else if (startsWithBytes(bytes, "\x3C\x00\x00\x00", 4)) {
        width = 4;
    } else if (startsWithBytes(bytes, "\x00\x3C", 2)) {
        width = 2, bigEndian = true;
    } else if (startsWithBytes(bytes, "\x3C\x00", 2)) {
        width = 2;
    } else if (startsWithBytes(bytes, "\x4C\x6F\xA7\x94", 4)) {
        failSchemaFile("Schema file \"" + quotedText(path) +
                       "\" is encoded in EBCDIC, which the aggregator does not read");
    }

    ScannedSchemaFile scanned;
    scanned.budget.characters =
        static_cast<std::uint64_t>(bytes.size()) * Limits::kEntityTextPerByte;
    const auto read = [&](const auto& units) {
        Scan scan(units, path);
        scan.run();
        scanned.budget.longestEntity = scan.longestEntity();
        if (scan.contentEnd() > scan.contentBegin()) {
            scanned.contentBegin = offset + scan.contentBegin() * width;
            scanned.contentEnd = offset + scan.contentEnd() * width;
        }
    };
    if (width == 1)
        read(ByteUnits(bytes, offset));
    else
        read(Units(bytes, offset, width, bigEndian));
    return scanned;
}

} // namespace XMLUtils
} // namespace Palimo
