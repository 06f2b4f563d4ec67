#pragma once
// The line where an element's start tag begins, from where the scanner stands
// when the tag has been read: the end of the tag, as a line and a column
// counted in characters.
#include <cstddef>
#include <string>
#include <vector>

namespace Palimo {
namespace XMLUtils {

class SourceLines {
public:
    /// `bytes` is the parsed file; it must outlive this.
    explicit SourceLines(const std::string& bytes);

    /// The line of the last '<' before the end of the start tag that ends at
    /// `endLine` and `endColumn` (no '<' stands inside a tag); `endLine` when
    /// the bytes are not UTF-8 as the columns count them. Asked in document
    /// order, as a parser meets the tags, it reads each byte of a line once.
    /// One thread at a time.
    int startLine(unsigned long long endLine, unsigned long long endColumn) const;

private:
    const std::string& bytes_;
    std::vector<std::size_t> lineStarts_;
    // Where the last tag asked about ended: its line, column and byte.
    mutable unsigned long long cursorLine_ = 0;
    mutable unsigned long long cursorColumn_ = 0;
    mutable std::size_t cursorAt_ = 0;
};

} // namespace XMLUtils
} // namespace Palimo
