#pragma once
// A JSON document as a sequence of events, so that one description of an
// entry serves every document that holds it and a document is written
// without first being built whole; and the one writer of JSON text, which
// every JSON output goes through.
//
// Threads: a sink is used by one thread at a time; writers of separate
// streams are independent.

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace Palimo {
namespace Output {

/// The version of every JSON document written (its "formatVersion"): it
/// changes whenever a document changes incompatibly. The JSON Schema shipped
/// with mxfdict (mxfdict-output.schema.json) describes them.
constexpr int kJsonFormatVersion = 2;

/// Receives a well-formed document: in an object every value follows a key.
class JsonSink {
public:
    virtual ~JsonSink() = default;
    virtual void beginObject() = 0;
    virtual void endObject() = 0;
    virtual void beginArray() = 0;
    virtual void endArray() = 0;
    virtual void key(std::string_view name) = 0;
    /// `text` is UTF-8; what is no UTF-8 in it is written as U+FFFD.
    virtual void string(std::string_view text) = 0;
    virtual void number(std::int64_t value) = 0;
    virtual void number(std::uint64_t value) = 0;
    /// A finite number (JSON has no NaN or infinities).
    virtual void real(double value) = 0;
    virtual void boolean(bool value) = 0;
    virtual void null() = 0;

    /// A number of any integer type, as the signed or unsigned event.
    template <typename Integer>
    void integer(Integer value) {
        static_assert(std::is_integral_v<Integer> && !std::is_same_v<Integer, bool>);
        if constexpr (std::is_signed_v<Integer>)
            number(static_cast<std::int64_t>(value));
        else
            number(static_cast<std::uint64_t>(value));
    }
};

/// Opens a document: "{" and its "formatVersion", to which the caller adds
/// its own members before closing it.
inline void beginDocument(JsonSink& sink) {
    sink.beginObject();
    sink.key("formatVersion");
    sink.integer(kJsonFormatVersion);
}

/// Writes the text that nlohmann's `json::dump` gives the same document,
/// followed by a newline, without holding the document (only the last 64 KiB
/// of text wait in a buffer): UTF-8 passed through, control characters
/// escaped as nlohmann escapes them, numbers as it writes them; each byte that
/// is no UTF-8 becomes U+FFFD. The stream's failures are left to the caller.
class JsonStreamWriter final : public JsonSink {
public:
    enum class Layout {
        Indented, // dump(2): two-space indentation, ": " after keys, "[]" and "{}" when empty
        OneLine   // dump(): no white space, for JSON Lines
    };

    explicit JsonStreamWriter(std::ostream& out, Layout layout = Layout::Indented)
        : out_(out), indented_(layout == Layout::Indented) {}
    JsonStreamWriter(const JsonStreamWriter&) = delete;
    JsonStreamWriter& operator=(const JsonStreamWriter&) = delete;

    /// Ends the document with its newline and writes what is still buffered;
    /// every container must be closed. A writer destroyed before (an
    /// exception left the document unfinished) writes nothing more.
    void finish();

    void beginObject() override { open('{'); }
    void endObject() override { close('}'); }
    void beginArray() override { open('['); }
    void endArray() override { close(']'); }
    void key(std::string_view name) override;
    void string(std::string_view text) override;
    void number(std::int64_t value) override;
    void number(std::uint64_t value) override;
    void real(double value) override;
    void boolean(bool value) override;
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
    const bool indented_;
    // The text not yet written is the first `used_` characters: a large
    // document is millions of short pieces, each put straight in.
    std::string buffer_;
    std::size_t used_ = 0;
    // Per open container: whether it has an entry yet.
    std::vector<bool> filled_;
    bool afterKey_ = false;
};

} // namespace Output
} // namespace Palimo
