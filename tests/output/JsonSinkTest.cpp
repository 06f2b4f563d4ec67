// The streamed JSON of a large dump must be the text that nlohmann writes for
// the same tree: checked by replaying trees as events.
#include <Palimo/Output/JsonSink.h>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

using Json = nlohmann::ordered_json;
using Palimo::Output::JsonStreamWriter;

void replay(const Json& json, Palimo::Output::JsonSink& sink) {
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
    } else if (json.is_number_unsigned()) {
        sink.number(json.get<std::uint64_t>());
    } else if (json.is_number_integer()) {
        sink.number(json.get<std::int64_t>());
    } else if (json.is_number_float()) {
        sink.real(json.get<double>());
    } else if (json.is_boolean()) {
        sink.boolean(json.get<bool>());
    } else {
        sink.null();
    }
}

// The texts cover nesting, empty containers and every escape; the long
// string and the large array are written in many pieces.
TEST(JsonSink, StreamsWhatNlohmannDumps) {
    std::vector<Json> documents;
    for (const char* text : {
             R"({})",
             R"([])",
             R"({"formatVersion": 1, "elements": [], "sets": {}})",
             R"({"a": [[], {}, [1, -2, null], {"b": {"c": []}}], "d": null})",
             R"(["quote \" backslash \\ slash / tab \t newline \n return \r", "\b\f"])",
             R"(["\u0001\u001f\u007f", "caf\u00e9 \u4e2d \ud83d\ude00", ""])",
             R"({"": "", "key with \"quotes\"": "x", "nested": [{"x": [{"y": "z"}]}]})",
             R"([0, -1, 18446744073709551615, -9223372036854775808, true, false])",
             R"([0.1, 1.0, -0.0, 1e300, 2.5e-7, 3.4028234663852886e38, 100000000000000000000.0])",
         })
        documents.push_back(Json::parse(text));
    // One string longer than the writer's buffer, escaped throughout.
    documents.push_back(Json::array({std::string(100000, '\n') + std::string(200000, 'y')}));
    Json& large = documents.emplace_back(Json::array());
    for (int i = 0; i < 20000; ++i)
        large.push_back({{"n", i}, {"text", std::string(i % 50, 'x')}});
    for (const Json& document : documents) {
        std::ostringstream streamed;
        JsonStreamWriter writer(streamed);
        replay(document, writer);
        writer.finish();
        EXPECT_EQ(streamed.str(), document.dump(2) + "\n") << document.dump().substr(0, 80);
        std::ostringstream oneLine;
        JsonStreamWriter lineWriter(oneLine, JsonStreamWriter::Layout::OneLine);
        replay(document, lineWriter);
        lineWriter.finish();
        EXPECT_EQ(oneLine.str(), document.dump() + "\n") << document.dump().substr(0, 80);
    }
}

// What is no UTF-8 becomes U+FFFD byte by byte, so that the document stays
// valid whatever a text holds; what is UTF-8 passes as it is, up to U+10FFFF.
TEST(JsonSink, WritesEachByteThatIsNoUtf8AsAReplacementCharacter) {
    const std::pair<std::string, std::string> cases[] = {
        {"ok \xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80", "ok \xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80"},
        {"\xff", "\xef\xbf\xbd"},
        {"a\xc3", "a\xef\xbf\xbd"},                                                 // cut off
        {"\xc0\xaf", "\xef\xbf\xbd\xef\xbf\xbd"},                                   // overlong
        {"\xed\xa0\x80", "\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd"},                   // surrogate
        {"\xf4\x90\x80\x80x", "\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbdx"}, // > U+10FFFF
        {"\x80\x01", "\xef\xbf\xbd\\u0001"},
    };
    for (const auto& [text, expected] : cases) {
        std::ostringstream streamed;
        JsonStreamWriter writer(streamed, JsonStreamWriter::Layout::OneLine);
        writer.beginArray();
        writer.string(text);
        writer.endArray();
        writer.finish();
        EXPECT_EQ(streamed.str(), "[\"" + expected + "\"]\n");
        EXPECT_TRUE(Json::accept(streamed.str())) << text;
    }
}

// A writer that an exception left unfinished writes nothing more, and never
// throws from its destructor.
TEST(JsonSink, AnUnfinishedDocumentIsNotCompleted) {
    std::ostringstream streamed;
    {
        JsonStreamWriter writer(streamed);
        writer.beginObject();
        writer.key("a");
    }
    EXPECT_EQ(streamed.str(), "");
}

} // namespace
