#include "GeneratorModel.h"

#include <algorithm>
#include <cstdio>

namespace Palimo {
namespace Bench {

namespace {

// The deepest inheritance chain of the register shape, the root set included.
constexpr std::size_t kRegisterDepth = 7;

const std::array<const char*, 28> kSimpleTypes = {
    "UInt8",          "UInt16",      "UInt32",         "UInt32",     "UInt64",   "Int8",
    "Int16",          "Int32",       "Int32",          "Int64",      "Boolean",  "Boolean",
    "UTF16String",    "UTF16String", "UTF16String",    "ISO7String", "Rational", "UniversalLabel",
    "UniversalLabel", "UUID",        "UMID32",         "Length",     "Length",   "Position",
    "Timestamp",      "VersionType", "ProductVersion", "UTF16"};
const std::array<const char*, 9> kItemTypes = {"UInt32",         "UInt8",          "Int32",
                                               "UniversalLabel", "UniversalLabel", "UUID",
                                               "UTF16String",    "Rational",       "Boolean"};
// Every simple type that a default value can be written for, once each.
const std::array<const char*, 19> kEverySimpleType = {
    "UInt8",    "UInt16",         "UInt32",   "UInt64",  "Int8",        "Int16",      "Int32",
    "Int64",    "Length",         "Position", "Boolean", "UTF16String", "ISO7String", "UTF16",
    "Rational", "UniversalLabel", "UUID",     "UMID32",  "UMID64"};
// The same without the rational, which a collection text cannot nest.
const std::array<const char*, 18> kEveryItemType = {
    "UInt8",      "UInt16", "UInt32",         "UInt64",   "Int8",    "Int16",
    "Int32",      "Int64",  "Length",         "Position", "Boolean", "UTF16String",
    "ISO7String", "UTF16",  "UniversalLabel", "UUID",     "UMID32",  "UMID64"};
const std::array<const char*, 4> kReferenceHolders = {"StrongRefHolder", "StrongRefHolder",
                                                      "WeakRefHolder", "WeakRefHolder"};
const std::array<const char*, 4> kReferenceCollections = {"StrongRefArray", "StrongRefBatch",
                                                          "WeakRefArray", "WeakRefBatch"};

const std::array<const char*, 20> kElementWords = {
    "Sample",    "Frame",      "Edit",     "Stored", "Sampled",      "Display", "Active",
    "Component", "Horizontal", "Vertical", "Audio",  "Channel",      "Linked",  "Essence",
    "Container", "Codec",      "Signal",   "Colour", "Quantization", "Coding"};
const std::array<const char*, 20> kPropertyWords = {
    "Rate",  "Width",      "Height",  "Offset",   "Count",    "Depth",    "Format",
    "Label", "Identifier", "Name",    "Duration", "Origin",   "Size",     "Flags",
    "Ratio", "Level",      "Version", "Mode",     "Sequence", "Structure"};
const std::array<const char*, 16> kSetWords = {
    "Picture",  "Sound",  "Data",     "Timecode",  "Event",  "Static",  "Auxiliary", "Subtitle",
    "Metadata", "Source", "Material", "Container", "Stream", "Caption", "Ancillary", "Mezzanine"};
const std::array<const char*, 9> kGroupWords = {"Descriptor", "Track",      "Package",
                                                "Component",  "Locator",    "Segment",
                                                "Framework",  "Collection", "SubDescriptor"};

std::string number(std::size_t value, int width) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%0*zu", width, value);
    return buffer;
}

// Element labels share a private node of the registry; the low four bytes
// count, so every label of a dictionary is distinct.
std::string elementLabel(std::size_t index, std::uint32_t seed) {
    return "06.0e.2b.34.01.01.01.0e.0f.b0." + hexByte(seed) + "." + hexByte(seed >> 8) + "." +
           hexByte(index >> 24) + "." + hexByte(index >> 16) + "." + hexByte(index >> 8) + "." +
           hexByte(index);
}

std::string setLabel(std::size_t index, std::uint32_t seed) {
    return "06.0e.2b.34.02.53.01.01.0d.0f.b0." + hexByte(seed) + "." + hexByte(index >> 16) + "." +
           hexByte(index >> 8) + "." + hexByte(index) + ".00";
}

std::string tagText(std::size_t value) {
    return hexByte(value >> 8) + "." + hexByte(value);
}

// The vocabularies besides the file format's.
constexpr std::size_t kVocabularyCount = 13;

std::vector<Vocabulary> vocabularies(Namespaces namespaces) {
    std::vector<Vocabulary> result = {{"ff", "urn:SMPTE:MXF:file_format", "", ""}};
    if (namespaces != Namespaces::Vocabularies) {
        result.push_back({"pbx", "urn:palimo:bench:extension", "Extension.xsd",
                          "Extension namespace of the benchmark dictionary"});
        return result;
    }
    for (std::size_t v = 1; v <= kVocabularyCount; ++v) {
        const std::string n = number(v, 2);
        result.push_back({"pbv" + n, "urn:palimo:bench:vocabulary:" + n, "Vocabulary" + n + ".xsd",
                          "Vocabulary " + n + " of the benchmark dictionary"});
    }
    return result;
}

bool hasTextDefault(const Element& element) {
    switch (element.kind) {
    case Kind::Simple:
        return element.type != "Timestamp" && element.type != "VersionType" &&
               element.type != "ProductVersion";
    case Kind::Enumeration:
        return true;
    case Kind::Collection:
        // A rational is written in braces itself, which a collection text
        // cannot nest.
        return element.type != "Rational";
    default:
        return false;
    }
}

void chooseKind(Element& element, const Model& model, const Profile& profile, Draw& draw) {
    const std::size_t roll = draw.below(100);
    const std::size_t setCount = model.sets.size();
    if (roll < 62) {
        element.kind = Kind::Simple;
        element.type = profile.everyType ? draw.pick(kEverySimpleType) : draw.pick(kSimpleTypes);
    } else if (roll < 70) {
        element.kind = Kind::Enumeration;
        element.type = draw.percent(70) ? "UInt8" : "UInt16";
        element.enumerationSize = 3 + draw.below(6);
    } else if (roll < 84) {
        element.kind = Kind::Collection;
        element.base = draw.percent(50) ? "Array" : "Batch";
        element.type = profile.everyType ? draw.pick(kEveryItemType) : draw.pick(kItemTypes);
    } else {
        const bool holder = roll < 93;
        element.kind = holder ? Kind::Reference : Kind::ReferenceCollection;
        element.base = holder ? draw.pick(kReferenceHolders) : draw.pick(kReferenceCollections);
        // Mostly an abstract group head whose members come through the
        // substitution groups, else one or two concrete sets.
        const std::size_t targetRoll = draw.below(100);
        if (targetRoll < 50) {
            element.targets.push_back(1 + draw.below(model.groupCount));
        } else {
            element.targets.push_back(1 + draw.below(setCount - 1));
            if (targetRoll >= 85)
                element.targets.push_back(1 + draw.below(setCount - 1));
        }
    }
}

Member makeMember(std::size_t index, const Element& element, unsigned defaultPercent, Draw& draw) {
    Member member;
    member.element = index;
    const std::size_t useRoll = draw.below(100);
    member.use = useRoll < 30 ? "required" : useRoll < 95 ? "optional" : "best effort";
    if (hasTextDefault(element) && draw.percent(defaultPercent)) {
        if (element.kind == Kind::Collection)
            member.distinguishedValue = collectionDefault(element.type, draw);
        else if (element.kind == Kind::Enumeration)
            member.distinguishedValue = std::to_string(draw.below(element.enumerationSize));
        else
            member.distinguishedValue = defaultFor(element.type, draw);
    }
    if (draw.percent(10))
        member.semantics = draw.percent(50) ? "true" : "false";
    return member;
}

// Root set, abstract group heads below it, concrete sets below the heads and,
// as the hierarchy asks, further concrete levels below some of those. With
// the extension namespace, the last sixteenth of the sets lives there and
// derives from sets of the file format namespace.
void buildSets(Model& model, std::size_t setCount, std::uint32_t seed, const Profile& profile,
               Draw& draw) {
    model.groupCount = std::max<std::size_t>(1, setCount / 8);
    const std::size_t extensionStart = profile.namespaces == Namespaces::Extension
                                           ? setCount - std::max<std::size_t>(1, setCount / 16)
                                           : setCount;
    std::vector<std::vector<std::size_t>> concreteByGroup(model.groupCount);
    std::vector<std::size_t> depth(setCount, 1);
    model.sets.resize(setCount);
    for (std::size_t i = 0; i < setCount; ++i) {
        Set& set = model.sets[i];
        set.label = setLabel(i, seed);
        set.vocabulary = i >= extensionStart && i > model.groupCount ? 1 : 0;
        if (i == 0) {
            set.name = "BenchInterchangeObject";
            set.standardName = "Bench Interchange Object";
            set.abstract = true;
            continue;
        }
        std::size_t group;
        std::string word;
        if (i <= model.groupCount) {
            group = i - 1;
            set.parent = 0;
            depth[i] = 2;
            set.abstract = true;
            word = "Generic";
        } else {
            group = draw.below(model.groupCount);
            auto& concrete = concreteByGroup[group];
            set.parent = 1 + group;
            if (profile.hierarchy == Hierarchy::RegisterDeep) {
                // The most recent concrete set of the group that can take one
                // more level, so that chains grow deep.
                if (draw.percent(60)) {
                    for (auto it = concrete.rbegin(); it != concrete.rend(); ++it) {
                        if (depth[*it] < kRegisterDepth) {
                            set.parent = *it;
                            break;
                        }
                    }
                }
            } else if (profile.hierarchy == Hierarchy::ThreeOrFour && !concrete.empty() &&
                       draw.percent(40)) {
                set.parent = concrete[draw.below(concrete.size())];
            }
            set.substitutionHead = set.parent;
            concrete.push_back(i);
            depth[i] = depth[set.parent] + 1;
            word = draw.pick(kSetWords);
        }
        const std::string groupWord = kGroupWords[group % kGroupWords.size()];
        set.name = word + groupWord + number(i, 5);
        set.standardName = word + " " + groupWord + " " + std::to_string(i);
    }
}

void buildElements(Model& model, std::size_t elementCount, std::uint32_t seed,
                   const Profile& profile, Draw& draw) {
    model.elements.resize(elementCount);
    std::size_t nextTag = 0x1001;
    for (std::size_t i = 0; i < elementCount; ++i) {
        Element& element = model.elements[i];
        element.label = elementLabel(i, seed);
        std::size_t owner;
        if (i < 2) {
            // Every set inherits the instance and generation identifiers.
            owner = 0;
            element.kind = Kind::Simple;
            element.type = "UUID";
            element.name = i == 0 ? "BenchInstanceIdentifier" : "BenchGenerationIdentifier";
            element.standardName = i == 0 ? "Instance Identifier" : "Generation Identifier";
            element.tag = i == 0 ? "3c.0a" : "01.02";
        } else {
            owner = 1 + draw.below(model.sets.size() - 1);
            chooseKind(element, model, profile, draw);
            const char* first = draw.pick(kElementWords);
            const char* second = draw.pick(kPropertyWords);
            element.name = std::string(first) + second + number(i, 5);
            element.standardName = std::string(first) + " " + second + " " + std::to_string(i);
            // A few elements carry no local tag; the others get distinct ones
            // that avoid the two fixed tags above.
            if (draw.below(20) != 0 && nextTag <= 0xffff) {
                if (nextTag == 0x3c0a)
                    ++nextTag;
                element.tag = tagText(nextTag++);
            }
        }
        Set& set = model.sets[owner];
        element.vocabulary = set.vocabulary;
        Member member = makeMember(i, element, profile.defaultPercent, draw);
        if (i == 0)
            member.use = "required";
        set.members.push_back(member);
    }
}

// Each concrete set, and each element through the set that owns it, in one
// of the namespaces; the root and the group heads stay in the file format's.
void spreadOverVocabularies(Model& model, Draw& draw) {
    const std::size_t count = model.vocabularies.size();
    for (std::size_t i = model.groupCount + 1; i < model.sets.size(); ++i)
        model.sets[i].vocabulary = draw.below(count);
    for (Set& set : model.sets)
        for (const Member& member : set.members)
            model.elements[member.element].vocabulary = set.vocabulary;
}

bool holds(const Set& set, std::size_t element) {
    return std::any_of(set.members.begin(), set.members.end(),
                       [element](const Member& m) { return m.element == element; });
}

// Fills every set below the root up to `count` members with elements that
// other sets own. No element stands twice on one inheritance chain: a set
// takes none that it or an ancestor holds, nor one owned by a descendant
// (the descendants, later in the list, refuse what their ancestors took).
void shareElements(Model& model, std::size_t count, unsigned defaultPercent, Draw& draw) {
    std::vector<std::size_t> owner(model.elements.size(), 0);
    for (std::size_t s = 0; s < model.sets.size(); ++s)
        for (const Member& member : model.sets[s].members)
            owner[member.element] = s;
    for (std::size_t s = 1; s < model.sets.size(); ++s) {
        for (std::size_t attempt = 0; model.sets[s].members.size() < count && attempt < 20 * count;
             ++attempt) {
            const std::size_t candidate = 2 + draw.below(model.elements.size() - 2);
            bool refused = false;
            for (std::size_t at = s; at != kNone && !refused; at = model.sets[at].parent)
                refused = holds(model.sets[at], candidate);
            for (std::size_t at = owner[candidate]; at != kNone && !refused;
                 at = model.sets[at].parent)
                refused = at == s;
            if (!refused)
                model.sets[s].members.push_back(
                    makeMember(candidate, model.elements[candidate], defaultPercent, draw));
        }
    }
}

} // namespace

Model buildModel(const GeneratorOptions& options) {
    const Profile& profile = profileOf(options.shape);
    Draw draw(options.seed);
    Model model;
    model.vocabularies = vocabularies(profile.namespaces);
    buildSets(model, std::max<std::size_t>(8, options.elementCount / profile.elementsPerSet),
              options.seed, profile, draw);
    buildElements(model, options.elementCount, options.seed, profile, draw);
    // What the other shapes add is drawn apart, so that the drawing above
    // stays the same for the shapes that add nothing.
    Draw extra(options.seed ^ 0x5eedu);
    if (profile.namespaces == Namespaces::Vocabularies)
        spreadOverVocabularies(model, extra);
    if (profile.membersPerSet != 0)
        shareElements(model, profile.membersPerSet, profile.defaultPercent, extra);
    if (profile.richFacts)
        addRichFacts(model, extra);
    return model;
}

} // namespace Bench
} // namespace Palimo
