#pragma once
// What every --json output of the tool shares: the format version first, and
// one document per run, indented, ending with a newline. The shipped JSON
// Schema (mxfdict-output.schema.json) describes every subcommand's document;
// the version (Palimo::Output::kJsonFormatVersion) changes whenever a
// document changes incompatibly. The documents that a subcommand builds
// before writing are nlohmann trees; their text is written by the output
// library's JSON writer, as every JSON of the tool is.
#include <Palimo/Output/JsonSink.h>

#include <nlohmann/json.hpp>

#include <ostream>
#include <string>
#include <vector>

namespace Mxfdict {

using Json = nlohmann::ordered_json;
using Palimo::Output::JsonSink;
using Palimo::Output::JsonStreamWriter;
using Palimo::Output::kJsonFormatVersion;

/// {"formatVersion": 2}, to which a subcommand adds its own members.
Json jsonDocument();

/// The document, indented two spaces a level, and a newline.
void writeJson(std::ostream& out, const Json& document);

/// Builds the tree of the events, for a description that a subcommand adds to.
class JsonTreeBuilder final : public JsonSink {
public:
    void beginObject() override { push(Json::object()); }
    void endObject() override { stack_.pop_back(); }
    void beginArray() override { push(Json::array()); }
    void endArray() override { stack_.pop_back(); }
    void key(std::string_view name) override { key_ = name; }
    void string(std::string_view text) override { push(Json(std::string(text)), false); }
    void number(std::int64_t value) override { push(Json(value), false); }
    void number(std::uint64_t value) override { push(Json(value), false); }
    void real(double value) override { push(Json(value), false); }
    void boolean(bool value) override { push(Json(value), false); }
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
