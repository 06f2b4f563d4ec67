// The annotation facts of the appinfo-rich shapes: what a dictionary written
// from the registers carries besides what the loader reads.
#include "GeneratorModel.h"

namespace Palimo {
namespace Bench {

namespace {

const std::array<const char*, 6> kDefiningDocuments = {"SMPTE ST 377-1", "SMPTE ST 379-2",
                                                       "SMPTE ST 381-1", "SMPTE ST 382",
                                                       "SMPTE RP 224",   "SMPTE ST 2067-2"};
const std::array<const char*, 6> kSentences = {
    "It is written once in the header metadata and repeated in later partitions.",
    "A reader that does not know the property skips it by its length.",
    "The value is given in units of the edit rate of the track that holds it.",
    "Encoders fill it when the essence is wrapped and never change it afterwards.",
    "When absent, the default of the defining document applies.",
    "See the defining document for the values that are reserved for future use."};
const std::array<const char*, 4> kUnits = {"Edit Units", "Samples", "Bytes", "Pixels"};

// `count` different sentences, each after a blank.
std::string sentences(Draw& draw, std::size_t count) {
    const std::size_t start = draw.below(kSentences.size());
    std::string text;
    for (std::size_t i = 0; i < count; ++i)
        text += std::string(" ") + kSentences[(start + i) % kSentences.size()];
    return text;
}

std::string lengthOf(const Element& element) {
    if (element.kind != Kind::Simple && element.kind != Kind::Enumeration)
        return "8 + 16n bytes";
    static const std::array<std::pair<const char*, const char*>, 13> lengths = {{
        {"UInt8", "1 byte"},
        {"Int8", "1 byte"},
        {"Boolean", "1 byte"},
        {"UInt16", "2 bytes"},
        {"Int16", "2 bytes"},
        {"UTF16", "2 bytes"},
        {"UInt32", "4 bytes"},
        {"Int32", "4 bytes"},
        {"Rational", "8 bytes"},
        {"UniversalLabel", "16 bytes"},
        {"UUID", "16 bytes"},
        {"UMID32", "32 bytes"},
        {"UMID64", "64 bytes"},
    }};
    for (const auto& [type, length] : lengths)
        if (element.type == type)
            return length;
    return element.type.find("String") != std::string::npos ? "variable" : "8 bytes";
}

// `count` facts of the candidates, starting at a drawn one.
void addFacts(std::vector<Fact>& facts, const std::vector<Fact>& candidates, std::size_t count,
              Draw& draw) {
    const std::size_t start = draw.below(candidates.size());
    for (std::size_t i = 0; i < count && i < candidates.size(); ++i)
        facts.push_back(candidates[(start + i) % candidates.size()]);
}

std::string symbolOf(const std::string& name) {
    return name.substr(0, name.size() - 5); // without the number
}

void enrichElement(Element& e, Draw& draw) {
    e.documentation = "The " + e.standardName + " property of the benchmark dictionary." +
                      sentences(draw, 2 + draw.below(2));
    e.facts.push_back({"Length", lengthOf(e)});
    // Documentation, RP210, label, local tag, name, namespace and length.
    const std::size_t present = e.tag.empty() ? 6 : 7;
    const std::size_t total = 8 + draw.below(5);
    addFacts(e.facts,
             {{"Symbol", symbolOf(e.name)},
              {"Defining Document", draw.pick(kDefiningDocuments)},
              {"Kind", "LEAF"},
              {"Register Version", "1.3"},
              {"Notes", "Generated for measuring the loader." + sentences(draw, 1)},
              {"Context Scope", "UnknownContext"},
              {"Units", draw.pick(kUnits)},
              {"Is Deprecated", "false"},
              {"Value Range", "any value of the type"}},
             total - present, draw);
}

void enrichSet(Set& set, Draw& draw) {
    set.documentation = "The " + set.standardName + " set of the benchmark dictionary." +
                        sentences(draw, 2 + draw.below(2));
    // Documentation, label, name and namespace.
    const std::size_t total = 8 + draw.below(5);
    addFacts(set.facts,
             {{"Symbol", symbolOf(set.name)},
              {"Defining Document", draw.pick(kDefiningDocuments)},
              {"Kind", "NODE"},
              {"Register Version", "1.3"},
              {"Notes", "Generated for measuring the loader." + sentences(draw, 1)},
              {"Is Concrete", set.abstract ? "false" : "true"},
              {"Context Scope", "UnknownContext"},
              {"Is Deprecated", "false"},
              {"Applications", "MXF"}},
             total - 4, draw);
}

void enrichMember(Member& member, const Element& e, Draw& draw) {
    std::vector<Fact> candidates = {{"Name In Specification", e.standardName},
                                    {"Symbol", symbolOf(e.name)},
                                    {"Defining Document", draw.pick(kDefiningDocuments)},
                                    {"Notes", "Inherited by every derived set."}};
    if (!e.tag.empty())
        candidates.push_back({"Local Tag", e.tag});
    addFacts(member.facts, candidates, 3 + draw.below(2), draw);
}

} // namespace

void addRichFacts(Model& model, Draw& draw) {
    for (Element& element : model.elements)
        enrichElement(element, draw);
    for (Set& set : model.sets) {
        enrichSet(set, draw);
        for (Member& member : set.members)
            enrichMember(member, model.elements[member.element], draw);
    }
}

} // namespace Bench
} // namespace Palimo
