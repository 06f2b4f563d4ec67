#pragma once
// The dictionary that the generator draws before it writes it, and what a
// shape asks of it.
#include "DictionaryGenerator.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace Palimo {
namespace Bench {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

// The standard fixes mt19937's raw outputs but not its distributions, so draws
// are reduced by hand: the same seed gives the same files with any library.
class Draw {
public:
    explicit Draw(std::uint32_t seed) : engine_(seed) {}
    std::size_t below(std::size_t n) { return static_cast<std::size_t>(engine_() % n); }
    bool percent(unsigned p) { return below(100) < p; }
    template <class T, std::size_t N>
    const T& pick(const std::array<T, N>& items) {
        return items[below(N)];
    }

private:
    std::mt19937 engine_;
};

/// How the sets inherit from one another.
enum class Hierarchy {
    /// Root, group heads, concrete sets, and a concrete level below 40 % of those.
    ThreeOrFour,
    /// Concrete sets chained below the most recent ones, up to 7 levels.
    RegisterDeep,
    /// Root, group heads and concrete sets only.
    Three,
};

/// Which sets, with the elements they own, live outside the file format's
/// namespace.
enum class Namespaces {
    /// None (the extension namespace is declared all the same).
    FileFormatOnly,
    /// The last sixteenth of the sets, in the extension namespace.
    Extension,
    /// Each concrete set in one of 14 namespaces, the file format's among them.
    Vocabularies,
};

/// What a shape asks of the drawn dictionary; the shapes differ only here.
struct Profile {
    const char* name;
    std::size_t elementsPerSet;
    Hierarchy hierarchy;
    /// 0: every element is a member of the one set that owns it; otherwise
    /// each set below the root is filled up to this many own members with
    /// elements of other sets.
    std::size_t membersPerSet;
    /// Declarations carry the facts the loader does not read, documentation
    /// and "Length" texts.
    bool richFacts;
    /// Simple elements of every type with a textual value, and a default
    /// value on this share of the members that can have one.
    bool everyType;
    unsigned defaultPercent;
    Namespaces namespaces;
    bool oneFileByDefault;
};

const Profile& profileOf(GeneratorOptions::Shape shape);

enum class Kind { Simple, Enumeration, Collection, Reference, ReferenceCollection };

/// An appinfo fact: its source and its text.
struct Fact {
    std::string source;
    std::string text;
};

struct Element {
    std::string name;
    std::string standardName;
    Kind kind = Kind::Simple;
    std::string type;                 // simple type, enumeration base or collection item type
    std::string base;                 // Array/Batch or one of the six reference holders
    std::vector<std::size_t> targets; // set indices named in the choice
    std::size_t enumerationSize = 0;
    std::string label;
    std::string tag; // empty: no local tag
    std::size_t vocabulary = 0;
    std::string documentation;
    std::vector<Fact> facts; // after the ones every element has
};

struct Member {
    std::size_t element = 0;
    std::string use;
    std::string distinguishedValue;
    std::string semantics; // RequiresSemanticsValidation, empty: none
    std::vector<Fact> facts;
};

struct Set {
    std::string name;
    std::string standardName;
    std::size_t parent = kNone;
    std::size_t substitutionHead = kNone;
    bool abstract = false;
    std::size_t vocabulary = 0;
    std::vector<Member> members;
    std::string label;
    std::string documentation;
    std::vector<Fact> facts;
};

/// A namespace of the dictionary; the first is the file format's.
struct Vocabulary {
    std::string prefix;
    std::string uri;
    std::string file;        // its file in the split layout
    std::string description; // the comment at the head of that file
};

struct Model {
    std::vector<Vocabulary> vocabularies;
    std::vector<Element> elements;
    std::vector<Set> sets;
    std::size_t groupCount = 0;
};

/// Draws the dictionary of `options`.
Model buildModel(const GeneratorOptions& options);
/// Gives every element and set declaration 8 to 12 annotation facts, among
/// them its documentation and, for elements, a "Length", and every member 4
/// to 7.
void addRichFacts(Model& model, Draw& draw);

/// Two lower-case hexadecimal digits of the value's low byte.
std::string hexByte(std::size_t value);
/// A default text that the value parser reads for the simple type; empty for
/// types that have no textual value.
std::string defaultFor(const std::string& type, Draw& draw);
/// A collection of two to four such texts, in braces.
std::string collectionDefault(const std::string& itemType, Draw& draw);

/// Writes the model's files into `directory`, the top file first, and
/// returns their paths.
std::vector<std::filesystem::path> writeSchema(const std::filesystem::path& directory,
                                               const Model& model, const Profile& profile,
                                               bool oneFile);

} // namespace Bench
} // namespace Palimo
