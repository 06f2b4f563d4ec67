#include "SetValues.h"

#include <limits>
#include <type_traits>

namespace Palimo {
namespace MXF {

const Value* itemValue(const DecodedSet& set, const Label& label) {
    for (const DecodedItem& item : set.items)
        if (item.label && item.label->equalIgnoringVersion(label))
            return item.value ? &*item.value : nullptr;
    return nullptr;
}

bool hasItem(const DecodedSet& set, const Label& label) {
    for (const DecodedItem& item : set.items)
        if (item.label && item.label->equalIgnoringVersion(label))
            return true;
    return false;
}

namespace {

template <typename T>
const T* as(const Value* value) {
    return value ? std::get_if<T>(&value->data) : nullptr;
}

} // namespace

std::optional<std::uint64_t> unsignedValue(const Value* value) {
    if (const auto* number = as<std::uint64_t>(value))
        return *number;
    if (const auto* number = as<std::int64_t>(value); number && *number >= 0)
        return static_cast<std::uint64_t>(*number);
    return std::nullopt;
}

std::optional<std::int64_t> signedValue(const Value* value) {
    if (const auto* number = as<std::int64_t>(value))
        return *number;
    if (const auto* number = as<std::uint64_t>(value);
        number && *number <= static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()))
        return static_cast<std::int64_t>(*number);
    return std::nullopt;
}

std::optional<bool> booleanValue(const Value* value) {
    if (const auto* flag = as<bool>(value))
        return *flag;
    return std::nullopt;
}

std::optional<Rational> rationalValue(const Value* value) {
    if (const auto* rational = as<Rational>(value))
        return *rational;
    return std::nullopt;
}

std::optional<std::string> textValue(const Value* value) {
    if (const auto* text = as<Text>(value))
        return text->utf8;
    return std::nullopt;
}

std::optional<Identifiers::UMID> umidValue(const Value* value) {
    if (const auto* umid = as<Identifiers::UMID>(value))
        return *umid;
    return std::nullopt;
}

std::optional<NamedLabel> labelValue(const Value* value) {
    const auto* named = as<NamedAUID>(value);
    if (!named)
        return std::nullopt;
    const std::string* name = nameOf(*named);
    return NamedLabel{named->auid, name ? *name : std::string()};
}

std::optional<std::vector<NamedLabel>> labelListValue(const Value* value) {
    const auto* list = as<List>(value);
    if (!list)
        return std::nullopt;
    std::vector<NamedLabel> labels;
    for (const Value& item : list->items) {
        std::optional<NamedLabel> label = labelValue(&item);
        if (!label)
            return std::nullopt;
        labels.push_back(std::move(*label));
    }
    return labels;
}

std::optional<NamedNumber> enumerationValue(const Value* value) {
    if (const auto* enumerated = as<Enumerated>(value))
        return NamedNumber{enumerated->value,
                           enumerated->known ? enumerated->known->symbol : std::string()};
    if (const std::optional<std::int64_t> number = signedValue(value))
        return NamedNumber{*number, std::string()};
    return std::nullopt;
}

std::vector<Identifiers::UUID> referencesOf(const Value* value) {
    if (const auto* uuid = as<Identifiers::UUID>(value))
        return {*uuid};
    std::vector<Identifiers::UUID> targets;
    if (const auto* list = as<List>(value))
        for (const Value& item : list->items)
            if (const auto* uuid = as<Identifiers::UUID>(&item))
                targets.push_back(*uuid);
    return targets;
}

} // namespace MXF
} // namespace Palimo
