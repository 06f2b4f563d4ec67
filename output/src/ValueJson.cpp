#include <Palimo/Output/ValueJson.h>
#include <Palimo/Output/ValueText.h>

#include "SinkValues.h"

#include <Palimo/Identifiers/Hex.h>

#include <cmath>

namespace Palimo {
namespace Output {

using namespace MXF;

namespace {

struct JsonOf {
    JsonSink& sink;

    void operator()(std::int64_t n) const { sink.number(n); }
    void operator()(std::uint64_t n) const { sink.number(n); }
    // JSON has no NaN or infinities.
    void operator()(double real) const {
        if (std::isfinite(real))
            sink.real(real);
        else
            sink.string(realText(real));
    }
    void operator()(bool b) const { sink.boolean(b); }
    void operator()(const Text& text) const { sink.string(text.utf8); }
    void operator()(const NamedAUID& named) const {
        sink.beginObject();
        sink.key("value");
        sink.string(named.auid.isLabel() ? named.auid.label().dotted() : named.auid.uuid().text());
        sink.key("labelName");
        stringOrNull(sink, nameOf(named));
        sink.endObject();
    }
    void operator()(const Palimo::Identifiers::UUID& uuid) const { sink.string(uuid.text()); }
    void operator()(const Palimo::Identifiers::UMID& umid) const { sink.string(umid.dotted()); }
    void operator()(const Rational& r) const {
        sink.string(std::to_string(r.numerator) + "/" + std::to_string(r.denominator));
    }
    void operator()(const Timestamp& stamp) const { sink.string(timestampText(stamp)); }
    void operator()(const Date& date) const { sink.string(dateText(date)); }
    void operator()(const Time& time) const { sink.string(timeText(time)); }
    void operator()(const Version& v) const {
        sink.string(std::to_string(v.major) + "." + std::to_string(v.minor));
    }
    void operator()(const Enumerated& e) const {
        sink.beginObject();
        sink.key("value");
        sink.number(e.value);
        sink.key("symbol");
        stringOrNull(sink, e.known ? &e.known->symbol : nullptr);
        sink.endObject();
    }
    void operator()(const Record& record) const {
        sink.beginObject();
        for (const Field& field : record.fields) {
            sink.key(field.name);
            describeValue(sink, field.value);
        }
        sink.endObject();
    }
    void operator()(const List& list) const {
        sink.beginArray();
        for (const Value& item : list.items)
            describeValue(sink, item);
        sink.endArray();
    }
    void operator()(const Indirect& indirect) const {
        sink.beginObject();
        sink.key("type");
        stringOrNull(sink, indirect.type ? &indirect.type->symbol : nullptr);
        sink.key("typeLabel");
        sink.string(indirect.typeLabel.dotted());
        sink.key("value");
        if (indirect.value.empty())
            sink.null();
        else
            describeValue(sink, indirect.value[0]);
        sink.endObject();
    }
    void operator()(const Bytes& bytes) const {
        sink.string(Palimo::Identifiers::hexText(bytes.bytes.data(), bytes.bytes.size()));
    }
};

} // namespace

void describeValue(JsonSink& sink, const Value& value) {
    std::visit(JsonOf{sink}, value.data);
}

} // namespace Output
} // namespace Palimo
