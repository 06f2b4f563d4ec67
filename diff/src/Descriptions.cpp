#include "Descriptions.h"

#include <Palimo/Utils/StringConversion.h>

#include <algorithm>

namespace Palimo {
namespace Diff {

using namespace MetaMetadata;

namespace {

Value textOrNone(const std::optional<std::string>& text) {
    return text ? Value(*text) : Value();
}

// Two keys that read the same in UTF-8 are one property, as in the JSON form of
// the dictionary: in the place of the first, with the value of the last.
void addProperties(Description& description, const PropertyMap& map) {
    const auto firstProperty = static_cast<Description::difference_type>(description.size());
    for (const PropertyMap::Entry& entry : map.properties()) {
        std::string key = Utils::wstringToString(entry.first);
        Value value(Utils::wstringToString(entry.second));
        auto known =
            std::find_if(description.begin() + firstProperty, description.end(),
                         [&](const DescribedField& field) { return field.property == key; });
        if (known != description.end())
            known->value = std::move(value);
        else
            description.push_back({Field::Property, std::move(key), std::move(value)});
    }
}

const DescribedField* find(const Description& description, const DescribedField& field) {
    for (const DescribedField& candidate : description)
        if (candidate.field == field.field && candidate.property == field.property)
            return &candidate;
    return nullptr;
}

std::optional<Value> valueOf(const DescribedField* field) {
    return field ? std::optional<Value>(field->value) : std::nullopt;
}

} // namespace

Description describeElement(const MetaElement& element, const Dictionary& dictionary) {
    Description description;
    description.push_back({Field::Name, {}, textOrNone(Query::tagName(element))});
    description.push_back({Field::Kind, {}, Query::kindOf(element)});
    description.push_back({Field::DataType, {}, element.dataType()});
    const std::optional<Types::Identifier> subType = Query::subTypeOf(element);
    description.push_back({Field::SubType, {}, subType ? Value(*subType) : Value()});
    const Types::LocalTag* tag = dictionary.findLocalTag(element.universalLabel());
    description.push_back({Field::LocalTag, {}, tag ? Value(*tag) : Value()});
    const KLV::KeyVector* targets = Query::targetsOf(element);
    description.push_back({Field::Targets, {}, targets ? Value(*targets) : Value()});
    addProperties(description, element);
    return description;
}

Description describeSet(const MetaMetadataSet& set) {
    Description description;
    addProperties(description, set);
    return description;
}

Description describeMember(const MetaAttribute& member) {
    Description description;
    description.push_back({Field::Element, {}, textOrNone(Query::tagName(member.metaElement()))});
    description.push_back({Field::Required, {}, member.requiredStatus()});
    description.push_back({Field::Default,
                           {},
                           member.defaultValue() ? Value(member.defaultValue()->text()) : Value()});
    description.push_back(
        {Field::LocalTag, {}, member.localTag() ? Value(*member.localTag()) : Value()});
    addProperties(description, member);
    return description;
}

std::vector<FieldChange> fieldChanges(const Description& before, const Description& after) {
    std::vector<FieldChange> changes;
    for (const DescribedField& field : before) {
        const std::optional<Value> b = field.value;
        const std::optional<Value> a = valueOf(find(after, field));
        if (b != a)
            changes.push_back({field.field, field.property, b, a});
    }
    for (const DescribedField& field : after)
        if (!find(before, field))
            changes.push_back({field.field, field.property, std::nullopt, field.value});
    return changes;
}

} // namespace Diff
} // namespace Palimo
