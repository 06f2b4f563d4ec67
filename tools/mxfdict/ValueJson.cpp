#include "ValueJson.h"

#include "ValueText.h"

#include <Palimo/Identifiers/Hex.h>

#include <cmath>

namespace Mxfdict {

using namespace Palimo::MXF;

namespace {

Json nameOrNull(const std::string* name) {
    return name ? Json(*name) : Json(nullptr);
}

struct JsonOf {
    Json operator()(std::int64_t n) const { return n; }
    Json operator()(std::uint64_t n) const { return n; }
    // JSON has no NaN or infinities.
    Json operator()(double real) const {
        return std::isfinite(real) ? Json(real) : Json(realText(real));
    }
    Json operator()(bool b) const { return b; }
    Json operator()(const Text& text) const { return text.utf8; }
    Json operator()(const NamedAUID& named) const {
        return {{"value",
                 named.auid.isLabel() ? named.auid.label().dotted() : named.auid.uuid().text()},
                {"labelName", nameOrNull(nameOf(named))}};
    }
    Json operator()(const Palimo::Identifiers::UUID& uuid) const { return uuid.text(); }
    Json operator()(const Palimo::Identifiers::UMID& umid) const { return umid.dotted(); }
    Json operator()(const Rational& r) const {
        return std::to_string(r.numerator) + "/" + std::to_string(r.denominator);
    }
    Json operator()(const Timestamp& stamp) const { return timestampText(stamp); }
    Json operator()(const Date& date) const { return dateText(date); }
    Json operator()(const Time& time) const { return timeText(time); }
    Json operator()(const Version& v) const {
        return std::to_string(v.major) + "." + std::to_string(v.minor);
    }
    Json operator()(const Enumerated& e) const {
        return {{"value", e.value}, {"symbol", nameOrNull(e.known ? &e.known->symbol : nullptr)}};
    }
    Json operator()(const Record& record) const {
        Json fields = Json::object();
        for (const Field& field : record.fields)
            fields[field.name] = valueToJson(field.value);
        return fields;
    }
    Json operator()(const List& list) const {
        Json items = Json::array();
        for (const Value& item : list.items)
            items.push_back(valueToJson(item));
        return items;
    }
    Json operator()(const Indirect& indirect) const {
        return {{"type", nameOrNull(indirect.type ? &indirect.type->symbol : nullptr)},
                {"typeLabel", indirect.typeLabel.dotted()},
                {"value", indirect.value.empty() ? Json(nullptr) : valueToJson(indirect.value[0])}};
    }
    Json operator()(const Bytes& bytes) const {
        return Palimo::Identifiers::hexText(bytes.bytes.data(), bytes.bytes.size());
    }
};

} // namespace

Json valueToJson(const Value& value) {
    return std::visit(JsonOf{}, value.data);
}

} // namespace Mxfdict
