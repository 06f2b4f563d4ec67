#include "JsonSink.h"

#include <cstdio>

namespace Mxfdict {

namespace {

constexpr std::size_t kFlushSize = 1 << 16;

} // namespace

JsonStreamWriter::~JsonStreamWriter() {
    buffer_.push_back('\n');
    out_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
}

void JsonStreamWriter::newLine() {
    buffer_.push_back('\n');
    buffer_.append(2 * filled_.size(), ' ');
}

void JsonStreamWriter::flushIfFull() {
    if (buffer_.size() < kFlushSize)
        return;
    out_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
    buffer_.clear();
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
        buffer_.push_back(',');
    filled_.back() = true;
    newLine();
}

void JsonStreamWriter::open(char bracket) {
    beforeValue();
    buffer_.push_back(bracket);
    filled_.push_back(false);
}

void JsonStreamWriter::close(char bracket) {
    const bool filled = filled_.back();
    filled_.pop_back();
    if (filled)
        newLine();
    buffer_.push_back(bracket);
    flushIfFull();
}

void JsonStreamWriter::key(std::string_view name) {
    beforeValue();
    quoted(name);
    buffer_.append(": ");
    afterKey_ = true;
}

void JsonStreamWriter::string(std::string_view text) {
    beforeValue();
    quoted(text);
    flushIfFull();
}

void JsonStreamWriter::number(std::int64_t value) {
    beforeValue();
    buffer_.append(std::to_string(value));
}

void JsonStreamWriter::null() {
    beforeValue();
    buffer_.append("null");
}

void JsonStreamWriter::quoted(std::string_view text) {
    buffer_.push_back('"');
    // Runs of characters that need no escape are appended whole.
    std::size_t run = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c >= 0x20 && c != '"' && c != '\\')
            continue;
        buffer_.append(text.data() + run, i - run);
        run = i + 1;
        switch (c) {
        case '"':
            buffer_.append("\\\"");
            break;
        case '\\':
            buffer_.append("\\\\");
            break;
        case '\b':
            buffer_.append("\\b");
            break;
        case '\f':
            buffer_.append("\\f");
            break;
        case '\n':
            buffer_.append("\\n");
            break;
        case '\r':
            buffer_.append("\\r");
            break;
        case '\t':
            buffer_.append("\\t");
            break;
        default: {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
            buffer_.append(escaped);
        }
        }
    }
    buffer_.append(text.data() + run, text.size() - run);
    buffer_.push_back('"');
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
