#include <Palimo/Output/DictionaryNames.h>

#include <cctype>

namespace Palimo {
namespace Output {

using namespace MetaMetadata;

// The label's own text is its dotted form; no round trip through UTF-16.
std::string labelText(const Types::UniversalLabel& label) {
    return label.text();
}

std::string keyText(const KLV::Key& key) {
    return key.text();
}

std::string tagText(const Types::LocalTag& tag) {
    return tag.text();
}

std::string kindName(Query::ElementKind kind) {
    switch (kind) {
    case Query::ElementKind::Simple:
        return "simple";
    case Query::ElementKind::Collection:
        return "collection";
    case Query::ElementKind::Reference:
        return "reference";
    case Query::ElementKind::ReferenceCollection:
        return "referenceCollection";
    }
    return std::string();
}

std::string kindName(const MetaElement& element) {
    return kindName(Query::kindOf(element));
}

std::string identifierName(Types::Identifier id) {
    const std::string name = Types::Identifiers::identifierToString(id);
    return name.empty() ? "NoIdentifier" : name;
}

std::string statusName(AttributeRequiredStatus::Status status) {
    std::string name = AttributeRequiredStatus::instance().toString(status);
    for (char& c : name)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return name;
}

} // namespace Output
} // namespace Palimo
