#include <Palimo/Output/JsonSink.h>

#include "JsonString.h"

#include <Palimo/MXF/Utf8.h>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace Palimo {
namespace Output {

namespace {

constexpr std::size_t kFlushSize = 1 << 16;

} // namespace

void JsonStreamWriter::finish() {
    put('\n');
    out_.write(buffer_.data(), static_cast<std::streamsize>(used_));
    used_ = 0;
}

// The steps of every event are inline: a position-independent build would
// otherwise call each of them, millions of times in a large document.
inline char* JsonStreamWriter::room(std::size_t n) {
    if (used_ + n > buffer_.size())
        buffer_.resize(std::max(used_ + n, std::max(2 * buffer_.size(), 2 * kFlushSize)));
    return buffer_.data() + used_;
}

inline void JsonStreamWriter::put(std::string_view text) {
    std::memcpy(room(text.size()), text.data(), text.size());
    used_ += text.size();
}

inline void JsonStreamWriter::newLine() {
    if (!indented_)
        return;
    const std::size_t indent = 2 * filled_.size();
    char* at = room(1 + indent);
    *at = '\n';
    std::memset(at + 1, ' ', indent);
    used_ += 1 + indent;
}

inline void JsonStreamWriter::flushIfFull() {
    if (used_ < kFlushSize)
        return;
    out_.write(buffer_.data(), static_cast<std::streamsize>(used_));
    used_ = 0;
}

// A value in an array starts a line of its own; one after a key follows it.
inline void JsonStreamWriter::beforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (filled_.empty())
        return;
    if (filled_.back())
        put(',');
    filled_.back() = true;
    newLine();
}

void JsonStreamWriter::open(char bracket) {
    beforeValue();
    put(bracket);
    filled_.push_back(false);
}

void JsonStreamWriter::close(char bracket) {
    const bool filled = filled_.back();
    filled_.pop_back();
    if (filled)
        newLine();
    put(bracket);
    flushIfFull();
}

void JsonStreamWriter::key(std::string_view name) {
    beforeValue();
    quoted(name);
    if (indented_)
        put(": ");
    else
        put(':');
    afterKey_ = true;
}

void JsonStreamWriter::string(std::string_view text) {
    beforeValue();
    quoted(text);
    flushIfFull();
}

void JsonStreamWriter::number(std::int64_t value) {
    beforeValue();
    char text[24];
    put(std::string_view(text, static_cast<std::size_t>(std::snprintf(
                                   text, sizeof text, "%lld", static_cast<long long>(value)))));
}

void JsonStreamWriter::number(std::uint64_t value) {
    beforeValue();
    char text[24];
    put(std::string_view(
        text, static_cast<std::size_t>(std::snprintf(text, sizeof text, "%llu",
                                                     static_cast<unsigned long long>(value)))));
}

void JsonStreamWriter::real(double value) {
    beforeValue();
    // nlohmann's own shortest form ("0.1", "1.0", "1e+20"), which no printf
    // format gives.
    put(nlohmann::json(value).dump());
}

void JsonStreamWriter::boolean(bool value) {
    beforeValue();
    put(value ? "true" : "false");
}

void JsonStreamWriter::null() {
    beforeValue();
    put("null");
}

inline void JsonStreamWriter::quoted(std::string_view text) {
    char* const begin = room(maxJsonStringSize(text));
    used_ += static_cast<std::size_t>(writeJsonString(begin, text) - begin);
}

std::string jsonString(std::string_view text) {
    std::string quoted(maxJsonStringSize(text), '\0');
    quoted.resize(static_cast<std::size_t>(writeJsonString(quoted.data(), text) - quoted.data()));
    return quoted;
}

} // namespace Output
} // namespace Palimo
