#include "TextForms.h"

#include <Palimo/MetaMetadata/Visitors.h>
#include <Palimo/Utils/StringConversion.h>

#include <cctype>

namespace Mxfdict {

using namespace Palimo;
using namespace Palimo::MetaMetadata;

std::string utf8(const WString& text) {
    return Utils::wstringToString(text);
}

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

namespace {

class KindVisitor : public ConstMetaElementVisitor {
public:
    void visit(const MetaSimpleElement&) override { kind = "simple"; }
    void visit(const MetaCollection&) override { kind = "collection"; }
    void visit(const MetaReferenceElement&) override { kind = "reference"; }
    void visit(const MetaReferenceCollection&) override { kind = "referenceCollection"; }
    std::string kind;
};

class TargetsVisitor : public ConstMetaElementVisitor {
public:
    void visit(const MetaSimpleElement&) override {}
    void visit(const MetaCollection&) override {}
    void visit(const MetaReferenceElement& e) override { targets = &e.targetKeys(); }
    void visit(const MetaReferenceCollection& e) override { targets = &e.targetKeys(); }
    const KLV::KeyVector* targets = nullptr;
};

} // namespace

std::string kindName(const MetaElement& element) {
    KindVisitor visitor;
    element.accept(visitor);
    return visitor.kind;
}

std::string identifierName(Types::Identifier id) {
    const std::string name = Types::Identifiers::identifierToString(id);
    return name.empty() ? "NoIdentifier" : name;
}

std::optional<Types::Identifier> subTypeOf(const MetaElement& element) {
    GetMetaElementVisitor<MetaCollectionElement> visitor;
    element.accept(visitor);
    if (!visitor.result() || visitor.result()->dataSubType() == Types::Identifiers::NoIdentifier)
        return std::nullopt;
    return visitor.result()->dataSubType();
}

const KLV::KeyVector* targetsOf(const MetaElement& element) {
    TargetsVisitor visitor;
    element.accept(visitor);
    return visitor.targets;
}

std::string statusName(AttributeRequiredStatus::Status status) {
    std::string name = AttributeRequiredStatus::instance().toString(status);
    for (char& c : name)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return name;
}

std::optional<std::string> property(const PropertyMap& map, const char* key) {
    const WString wideKey = Utils::stringToWstring(key);
    for (const PropertyMap::Entry& entry : map.properties()) {
        if (entry.first == wideKey)
            return utf8(entry.second);
    }
    return std::nullopt;
}

std::optional<std::string> tagName(const PropertyMap& map) {
    return property(map, "XMLTagName");
}

std::string displayName(const PropertyMap& map, const std::string& fallback) {
    if (auto name = tagName(map))
        return *name;
    if (auto name = property(map, "name"))
        return *name;
    return fallback;
}

} // namespace Mxfdict
