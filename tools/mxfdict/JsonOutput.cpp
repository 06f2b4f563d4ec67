#include "JsonOutput.h"

namespace Mxfdict {

namespace {

// The tree as events, in its order.
void replay(const Json& json, Palimo::Output::JsonSink& sink) {
    switch (json.type()) {
    case Json::value_t::object:
        sink.beginObject();
        for (const auto& item : json.items()) {
            sink.key(item.key());
            replay(item.value(), sink);
        }
        sink.endObject();
        break;
    case Json::value_t::array:
        sink.beginArray();
        for (const Json& item : json)
            replay(item, sink);
        sink.endArray();
        break;
    case Json::value_t::string:
        sink.string(json.get_ref<const Json::string_t&>());
        break;
    case Json::value_t::number_unsigned:
        sink.number(json.get<std::uint64_t>());
        break;
    case Json::value_t::number_integer:
        sink.number(json.get<std::int64_t>());
        break;
    case Json::value_t::number_float:
        sink.real(json.get<double>());
        break;
    case Json::value_t::boolean:
        sink.boolean(json.get<bool>());
        break;
    default:
        sink.null();
    }
}

} // namespace

Json jsonDocument() {
    Json document;
    document["formatVersion"] = Palimo::Output::kJsonFormatVersion;
    return document;
}

void writeJson(std::ostream& out, const Json& document) {
    Palimo::Output::JsonStreamWriter writer(out);
    replay(document, writer);
    writer.finish();
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
