#include <Palimo/Query/Entries.h>

#include <Palimo/MetaMetadata/Visitors.h>
#include <Palimo/Utils/StringConversion.h>

namespace Palimo {
namespace Query {

using namespace MetaMetadata;

namespace {

class KindVisitor : public ConstMetaElementVisitor {
public:
    void visit(const MetaSimpleElement&) override { kind = ElementKind::Simple; }
    void visit(const MetaCollection&) override { kind = ElementKind::Collection; }
    void visit(const MetaReferenceElement&) override { kind = ElementKind::Reference; }
    void visit(const MetaReferenceCollection&) override { kind = ElementKind::ReferenceCollection; }
    ElementKind kind = ElementKind::Simple;
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

ElementKind kindOf(const MetaElement& element) {
    KindVisitor visitor;
    element.accept(visitor);
    return visitor.kind;
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

std::optional<std::string> property(const PropertyMap& map, const char* key) {
    const WString wideKey = Utils::stringToWstring(key);
    for (const PropertyMap::Entry& entry : map.properties()) {
        if (entry.first == wideKey)
            return Utils::wstringToString(entry.second);
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

bool isCurrent(const Dictionary& dictionary, const MetaElement& element) {
    return dictionary.findMetaElement(element.universalLabel()) == &element;
}

} // namespace Query
} // namespace Palimo
