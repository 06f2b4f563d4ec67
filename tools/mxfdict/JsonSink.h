#pragma once
// A JSON document as a sequence of events, so that one description of an
// output serves both the streamed text of a large dump and the nlohmann tree
// that the smaller outputs extend before writing.
#include "JsonOutput.h"

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace Mxfdict {

/// Receives a well-formed document: in an object every value follows a key.
class JsonSink {
public:
    virtual ~JsonSink() = default;
    virtual void beginObject() = 0;
    virtual void endObject() = 0;
    virtual void beginArray() = 0;
    virtual void endArray() = 0;
    virtual void key(std::string_view name) = 0;
    /// `text` is UTF-8.
    virtual void string(std::string_view text) = 0;
    virtual void number(std::int64_t value) = 0;
    virtual void null() = 0;
};

/// Writes the text that `Json::dump(2)` gives the same document, followed by
/// a newline, without holding the document: two-space indentation, ": "
/// after keys, empty containers as "[]" and "{}", UTF-8 passed through and
/// control characters escaped as nlohmann escapes them.
class JsonStreamWriter final : public JsonSink {
public:
    explicit JsonStreamWriter(std::ostream& out) : out_(out) {}
    /// Writes what is still buffered; the document must be complete.
    ~JsonStreamWriter() override;
    JsonStreamWriter(const JsonStreamWriter&) = delete;
    JsonStreamWriter& operator=(const JsonStreamWriter&) = delete;

    void beginObject() override { open('{'); }
    void endObject() override { close('}'); }
    void beginArray() override { open('['); }
    void endArray() override { close(']'); }
    void key(std::string_view name) override;
    void string(std::string_view text) override;
    void number(std::int64_t value) override;
    void null() override;

private:
    void beforeValue();
    void open(char bracket);
    void close(char bracket);
    void quoted(std::string_view text);
    void newLine();
    void flushIfFull();
    void put(char c) { *room(1) = c, ++used_; }
    void put(std::string_view text);
    // Where `n` more characters go; they count once `used_` is moved on.
    char* room(std::size_t n);

    std::ostream& out_;
    // The text not yet written is the first `used_` characters: a dump of a
    // large dictionary is millions of short pieces, each put straight in.
    std::string buffer_;
    std::size_t used_ = 0;
    // Per open container: whether it has an entry yet.
    std::vector<bool> filled_;
    bool afterKey_ = false;
};

/// Builds the nlohmann tree of the events.
class JsonTreeBuilder final : public JsonSink {
public:
    void beginObject() override { push(Json::object()); }
    void endObject() override { stack_.pop_back(); }
    void beginArray() override { push(Json::array()); }
    void endArray() override { stack_.pop_back(); }
    void key(std::string_view name) override { key_ = name; }
    void string(std::string_view text) override { push(Json(std::string(text)), false); }
    void number(std::int64_t value) override { push(Json(value), false); }
    void null() override { push(Json(nullptr), false); }

    /// The document, once every container is closed.
    Json& result() { return root_; }

private:
    void push(Json value, bool container = true);

    Json root_;
    std::vector<Json*> stack_;
    std::string key_;
};

} // namespace Mxfdict
