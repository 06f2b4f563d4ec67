#include "JsonSink.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace Mxfdict {

namespace {

constexpr std::size_t kFlushSize = 1 << 16;

} // namespace

JsonStreamWriter::~JsonStreamWriter() {
    put('\n');
    out_.write(buffer_.data(), static_cast<std::streamsize>(used_));
}

char* JsonStreamWriter::room(std::size_t n) {
    if (used_ + n > buffer_.size())
        buffer_.resize(std::max(used_ + n, std::max(2 * buffer_.size(), 2 * kFlushSize)));
    return buffer_.data() + used_;
}

void JsonStreamWriter::put(std::string_view text) {
    std::memcpy(room(text.size()), text.data(), text.size());
    used_ += text.size();
}

void JsonStreamWriter::newLine() {
    const std::size_t indent = 2 * filled_.size();
    char* at = room(1 + indent);
    *at = '\n';
    std::memset(at + 1, ' ', indent);
    used_ += 1 + indent;
}

void JsonStreamWriter::flushIfFull() {
    if (used_ < kFlushSize)
        return;
    out_.write(buffer_.data(), static_cast<std::streamsize>(used_));
    used_ = 0;
}

// A value in an array starts a line of its own; one after a key follows it.
void JsonStreamWriter::beforeValue() {
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
    put(": ");
    afterKey_ = true;
}

void JsonStreamWriter::string(std::string_view text) {
    beforeValue();
    quoted(text);
    flushIfFull();
}

void JsonStreamWriter::number(std::int64_t value) {
    beforeValue();
    put(std::to_string(value));
}

void JsonStreamWriter::null() {
    beforeValue();
    put("null");
}

void JsonStreamWriter::quoted(std::string_view text) {
    // No character takes more than the six of "\u00XX".
    char* const begin = room(2 + 6 * text.size());
    char* at = begin;
    *at++ = '"';
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c >= 0x20 && c != '"' && c != '\\') {
            *at++ = ch;
            continue;
        }
        *at++ = '\\';
        switch (c) {
        case '"':
        case '\\':
            *at++ = ch;
            break;
        case '\b':
            *at++ = 'b';
            break;
        case '\f':
            *at++ = 'f';
            break;
        case '\n':
            *at++ = 'n';
            break;
        case '\r':
            *at++ = 'r';
            break;
        case '\t':
            *at++ = 't';
            break;
        default:
            at += std::snprintf(at, 6, "u%04x", static_cast<unsigned>(c));
        }
    }
    *at++ = '"';
    used_ += static_cast<std::size_t>(at - begin);
}

void JsonTreeBuilder::push(Json value, bool container) {
    Json* slot = nullptr;
    if (stack_.empty())
        slot = &(root_ = std::move(value));
    else if (stack_.back()->is_array())
        slot = &stack_.back()->emplace_back(std::move(value));
    else
        slot = &((*stack_.back())[key_] = std::move(value));
    if (container)
        stack_.push_back(slot);
}

} // namespace Mxfdict
