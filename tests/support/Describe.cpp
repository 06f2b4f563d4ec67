#include "support/Describe.h"
#include "support/TestSupport.h"

#include <Palimo/MetaMetadata/AttributeRequiredStatus.h>
#include <Palimo/MetaMetadata/MetaAttribute.h>
#include <Palimo/Types/Identifiers.h>
#include <Palimo/Utils/StringConversion.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <vector>

namespace PalimoTest {

namespace {

using namespace Palimo::MetaMetadata;
namespace Types = Palimo::Types;

// Property values may hold line breaks (documentation): kept on one line.
std::string oneLine(const std::string& text) {
    std::string result;
    for (char c : text) {
        const char* escaped = c == '\\'   ? "\\\\"
                              : c == '\n' ? "\\n"
                              : c == '\r' ? "\\r"
                              : c == '\t' ? "\\t"
                                          : nullptr;
        escaped ? result += escaped : result += c;
    }
    return result;
}

std::string text(const Palimo::WString& s) {
    return oneLine(Palimo::Utils::wstringToString(s));
}

std::string typeName(Types::Identifier id) {
    const std::string name = Types::Identifiers::identifierToString(id);
    if (!name.empty())
        return name;
    return id == Types::Identifiers::NoIdentifier ? "NoIdentifier"
                                                  : "#" + std::to_string(static_cast<int>(id));
}

void properties(std::ostream& out, const PropertyMap& map, const char* indent) {
    for (const auto& [key, value] : map.properties())
        out << indent << "property " << text(key) << '=' << text(value) << '\n';
}

// The class-specific facts of an element.
class KindFacts : public ConstMetaElementVisitor {
public:
    explicit KindFacts(std::ostream& out) : out_(out) {}
    void visit(const MetaSimpleElement&) override { out_ << "  kind simple\n"; }
    void visit(const MetaCollection& e) override {
        out_ << "  kind collection\n";
        collection(e);
    }
    void visit(const MetaReferenceElement& e) override {
        out_ << "  kind reference\n";
        targets(e.targetKeys());
    }
    void visit(const MetaReferenceCollection& e) override {
        out_ << "  kind referenceCollection\n";
        collection(e);
        targets(e.targetKeys());
    }

private:
    void collection(const MetaCollectionElement& e) {
        const CollectionSizeLimits& limits = e.sizeLimits();
        out_ << "  subType " << typeName(e.dataSubType()) << "\n  limits " << limits.minimum()
             << ".." << (limits.hasMaximum() ? std::to_string(limits.maximum()) : "-") << '\n';
    }
    void targets(const Palimo::KLV::KeyVector& keys) {
        out_ << "  targets " << keys.size() << '\n';
        for (const auto& key : keys)
            out_ << "  target " << key.text() << '\n';
    }
    std::ostream& out_;
};

std::string valueText(const Types::BaseType& value) {
    std::string result = typeName(value.identifier());
    if (const auto* collection = dynamic_cast<const Types::Collection*>(&value)) {
        result += " size " + std::to_string(collection->sizeArgument()) + " items";
        for (std::size_t i = 0; i < collection->size(); ++i)
            result += ' ' + typeName(collection->item(i).identifier());
    }
    return result + ' ' + oneLine(value.text());
}

} // namespace

std::string describe(const Dictionary& dictionary) {
    std::ostringstream out;
    std::map<const MetaElement*, std::size_t> indexes;
    const auto& elements = dictionary.metaElements();
    out << "elements " << elements.size() << '\n';
    for (std::size_t i = 0; i < elements.size(); ++i) {
        const MetaElement& e = *elements[i];
        indexes[&e] = i;
        const Types::UniversalLabel& label = e.universalLabel();
        out << "element #" << i << ' ' << text(e.getProperty(u"XMLTagName")) << '\n';
        out << "  label " << text(label.toString(Types::DottedHex)) << '\n';
        // Lookups answer the last element added under a label.
        if (dictionary.findMetaElement(label) != &e)
            out << "  hidden by a later element of the same label\n";
        const Types::LocalTag* tag = dictionary.findLocalTag(label);
        out << "  localTag " << (tag ? tag->text() : "-") << '\n';
        if (tag) {
            const Types::UniversalLabel* owner = dictionary.findLabelByLocalTag(*tag);
            if (owner == nullptr || *owner != label)
                out << "  localTag answers "
                    << (owner ? text(owner->toString(Types::DottedHex)) : "-") << '\n';
        }
        out << "  dataType " << typeName(e.dataType()) << '\n';
        KindFacts facts(out);
        e.accept(facts);
        properties(out, e, "  ");
    }
    const auto sets = dictionary.metaMetadataSets();
    out << "sets " << sets.size() << '\n';
    for (std::size_t i = 0; i < sets.size(); ++i) {
        const MetaMetadataSet& set = *sets[i];
        out << "set #" << i << ' ' << set.key().text() << '\n';
        properties(out, set, "  ");
        for (std::size_t m = 0; m < set.attributes().size(); ++m) {
            const MetaAttribute& member = *set.attributes()[m];
            const MetaElement& e = member.metaElement();
            const auto index = indexes.find(&e);
            out << "  member " << m << ' ' << text(e.getProperty(u"XMLTagName")) << " element ";
            if (index == indexes.end())
                out << "outside the dictionary "
                    << text(e.universalLabel().toString(Types::DottedHex));
            else
                out << '#' << index->second;
            out << '\n';
            const Types::LocalTag* tag = member.localTag();
            out << "    localTag " << (tag ? tag->text() : "-");
            // Members share the dictionary's tag objects.
            if (tag != dictionary.findLocalTag(e.universalLabel()))
                out << " (not the dictionary's tag of the element)";
            out << "\n    required "
                << AttributeRequiredStatus::instance().toString(member.requiredStatus()) << '\n';
            out << "    default "
                << (member.defaultValue() ? valueText(*member.defaultValue()) : "-") << '\n';
            properties(out, member, "    ");
        }
    }
    return out.str();
}

namespace {

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        result.push_back(line);
    return result;
}

} // namespace

::testing::AssertionResult matchesGolden(const std::string& actual,
                                         const std::filesystem::path& path) {
    const char* update = std::getenv("PALIMO_UPDATE_GOLDEN");
    if (update != nullptr && std::string(update) == "1") {
        std::filesystem::create_directories(path.parent_path());
        std::ofstream out(path, std::ios::binary);
        out << actual;
        if (!out)
            return ::testing::AssertionFailure() << "cannot write " << path.string();
        return ::testing::AssertionSuccess();
    }
    if (!std::filesystem::exists(path))
        return ::testing::AssertionFailure()
               << "no golden file " << path.string()
               << "; write it with PALIMO_UPDATE_GOLDEN=1 and review it";
    const std::string expected = readFile(path);
    if (expected == actual)
        return ::testing::AssertionSuccess();

    const std::vector<std::string> want = lines(expected);
    const std::vector<std::string> got = lines(actual);
    std::size_t first = 0;
    while (first < want.size() && first < got.size() && want[first] == got[first])
        ++first;
    auto failure = ::testing::AssertionFailure();
    failure << "differs from " << path.string() << " (" << want.size() << " lines, actual "
            << got.size() << ") at line " << first + 1 << ":\n";
    for (std::size_t i = first < 3 ? 0 : first - 3; i < first; ++i)
        failure << "  " << want[i] << '\n';
    for (std::size_t i = first; i < want.size() && i < first + 5; ++i)
        failure << "- " << want[i] << '\n';
    for (std::size_t i = first; i < got.size() && i < first + 5; ++i)
        failure << "+ " << got[i] << '\n';
    if (first == want.size() && first == got.size())
        failure << "(only the final line break differs)\n";
    return failure << "PALIMO_UPDATE_GOLDEN=1 writes the actual text to the file";
}

} // namespace PalimoTest
