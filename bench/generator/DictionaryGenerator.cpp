#include "DictionaryGenerator.h"

#include "GeneratorModel.h"

#include <stdexcept>

namespace Palimo {
namespace Bench {

namespace {

using Shape = GeneratorOptions::Shape;

// In the order of the Shape enumeration.
const Profile kProfiles[] = {
    {"benchmark", 8, Hierarchy::ThreeOrFour, 0, false, false, 25, Namespaces::Extension, false},
    {"register", 12, Hierarchy::RegisterDeep, 0, false, false, 25, Namespaces::FileFormatOnly,
     true},
    {"appinfo-rich", 8, Hierarchy::ThreeOrFour, 0, true, false, 25, Namespaces::Extension, false},
    {"defaults", 8, Hierarchy::ThreeOrFour, 0, false, true, 85, Namespaces::Extension, false},
    {"namespaces", 8, Hierarchy::ThreeOrFour, 0, false, false, 25, Namespaces::Vocabularies, false},
    {"set-heavy", 4, Hierarchy::Three, 12, false, false, 25, Namespaces::Extension, false},
    {"combined", 4, Hierarchy::Three, 12, true, true, 85, Namespaces::Vocabularies, false},
};

} // namespace

const Profile& profileOf(Shape shape) {
    return kProfiles[static_cast<std::size_t>(shape)];
}

const char* shapeName(Shape shape) {
    return profileOf(shape).name;
}

std::optional<Shape> shapeNamed(const std::string& name) {
    for (std::size_t i = 0; i < std::size(kProfiles); ++i)
        if (name == kProfiles[i].name)
            return static_cast<Shape>(i);
    return std::nullopt;
}

GeneratedDictionary generateDictionary(const std::filesystem::path& directory,
                                       const GeneratorOptions& options) {
    if (options.elementCount < 16)
        throw std::invalid_argument("a benchmark dictionary needs at least 16 elements");
    const Profile& profile = profileOf(options.shape);
    const Model model = buildModel(options);
    const bool oneFile = options.layout == GeneratorOptions::Layout::ShapeDefault
                             ? profile.oneFileByDefault
                             : options.layout == GeneratorOptions::Layout::OneFile;

    GeneratedDictionary result;
    result.files = writeSchema(directory, model, profile, oneFile);
    result.topFile = result.files.front();
    result.elementCount = model.elements.size();
    result.setCount = model.sets.size();
    std::vector<bool> used(model.vocabularies.size(), false);
    for (const Element& e : model.elements) {
        if (e.kind == Kind::Reference || e.kind == Kind::ReferenceCollection)
            ++result.referenceElementCount;
        if (e.kind == Kind::Collection || e.kind == Kind::ReferenceCollection)
            ++result.collectionElementCount;
        used[e.vocabulary] = true;
    }
    for (const Set& s : model.sets) {
        used[s.vocabulary] = true;
        result.memberCount += s.members.size();
        for (const Member& m : s.members)
            result.distinguishedValueCount += m.distinguishedValue.empty() ? 0 : 1;
    }
    for (bool u : used)
        result.namespaceCount += u ? 1 : 0;
    return result;
}

} // namespace Bench
} // namespace Palimo
