// The streamed JSON of a large dump must be the text that nlohmann writes for
// the same tree, and the tree builder must rebuild the tree: both are checked
// by replaying trees as events.
#include "JsonSink.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

using Mxfdict::Json;

void replay(const Json& json, Mxfdict::JsonSink& sink) {
    if (json.is_object()) {
        sink.beginObject();
        for (const auto& item : json.items()) {
            sink.key(item.key());
            replay(item.value(), sink);
        }
        sink.endObject();
    } else if (json.is_array()) {
        sink.beginArray();
        for (const Json& item : json)
            replay(item, sink);
        sink.endArray();
    } else if (json.is_string()) {
        sink.string(json.get<std::string>());
    } else if (json.is_number_integer()) {
        sink.number(json.get<std::int64_t>());
    } else {
        sink.null();
    }
}

// The texts cover nesting, empty containers and every escape; the long
// string and the large array are written in many pieces.
TEST(JsonSink, StreamsWhatNlohmannDumpsAndRebuildsTheTree) {
    std::vector<Json> documents;
    for (const char* text : {
             R"({})",
             R"([])",
             R"({"formatVersion": 1, "elements": [], "sets": {}})",
             R"({"a": [[], {}, [1, -2, null], {"b": {"c": []}}], "d": null})",
             R"(["quote \" backslash \\ slash / tab \t newline \n return \r", "\b\f"])",
             R"(["\u0001\u001f\u007f", "caf\u00e9 \u4e2d \ud83d\ude00", ""])",
             R"({"": "", "key with \"quotes\"": "x", "nested": [{"x": [{"y": "z"}]}]})",
         })
        documents.push_back(Json::parse(text));
    // One string longer than the writer's buffer, escaped throughout.
    documents.push_back(Json::array({std::string(100000, '\n') + std::string(200000, 'y')}));
    Json& large = documents.emplace_back(Json::array());
    for (int i = 0; i < 20000; ++i)
        large.push_back({{"n", i}, {"text", std::string(i % 50, 'x')}});
    for (const Json& document : documents) {
        std::ostringstream streamed;
        {
            Mxfdict::JsonStreamWriter writer(streamed);
            replay(document, writer);
        }
        EXPECT_EQ(streamed.str(), document.dump(2) + "\n") << document.dump().substr(0, 80);

        Mxfdict::JsonTreeBuilder builder;
        replay(document, builder);
        EXPECT_EQ(builder.result(), document) << document.dump().substr(0, 80);
    }
}

} // namespace
