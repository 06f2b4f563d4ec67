#include "SourceLines.h"

namespace Palimo {
namespace XMLUtils {

SourceLines::SourceLines(const std::string& bytes) : bytes_(bytes), lineStarts_{0} {
    for (std::size_t i = 0; i < bytes.size(); ++i)
        if (bytes[i] == '\n')
            lineStarts_.push_back(i + 1);
}

int SourceLines::startLine(unsigned long long endLine, unsigned long long endColumn) const {
    const int line = static_cast<int>(endLine);
    if (endLine == 0 || endLine > lineStarts_.size() || endColumn == 0)
        return line;
    // Elements come in document order: on the line of the last one, go on
    // from where it ended rather than from the start of the line, so that a
    // schema written on one line costs no more than one written on many.
    std::size_t at = lineStarts_[endLine - 1];
    unsigned long long column = 1;
    if (endLine == cursorLine_ && endColumn >= cursorColumn_) {
        at = cursorAt_;
        column = cursorColumn_;
    }
    for (; column < endColumn && at < bytes_.size(); ++column) {
        ++at;
        while (at < bytes_.size() && (static_cast<unsigned char>(bytes_[at]) & 0xC0) == 0x80)
            ++at; // the rest of one character
    }
    cursorLine_ = endLine;
    cursorColumn_ = column;
    cursorAt_ = at;
    if (at == 0 || at > bytes_.size() || bytes_[at - 1] != '>')
        return line;
    const std::size_t open = bytes_.rfind('<', at - 1);
    if (open == std::string::npos)
        return line;
    int start = line;
    for (std::size_t i = open; i < at; ++i)
        if (bytes_[i] == '\n')
            --start;
    return start;
}

} // namespace XMLUtils
} // namespace Palimo
