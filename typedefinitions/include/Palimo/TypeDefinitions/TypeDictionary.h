#pragma once
// The type definitions of a dictionary schema, what each element's values
// are, the sets' identifying items and the names of the labels the schema
// knows. Built once from the schema (SchemaTypes.h); read-only afterwards.
//
// Threads: every const operation may be called from any number of threads at
// once on a dictionary that is no longer being built (its load has returned):
// the MXF reader reads any number of files at once through one dictionary.
// A dictionary layered over another (an MXF file's own, over the loaded one)
// only reads the other.
#include <Palimo/TypeDefinitions/TypeDefinition.h>

#include <deque>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>

namespace Palimo {
namespace TypeDefinitions {

/// A label's entry in the Labels register: its symbol and name.
struct LabelName {
    Label label;
    std::string symbol;
    std::string name;
};

class TypeDictionary {
public:
    TypeDictionary() = default;
    /// A dictionary layered over `base` (which must outlive it, and may be
    /// null): every lookup answers from `base` first, exact and ignoring the
    /// version byte, and from this dictionary's own entries only where `base`
    /// has none. `base` is never changed. The counts and lists below are the
    /// own entries only.
    explicit TypeDictionary(const TypeDictionary* base) : base_(base) {}
    TypeDictionary(const TypeDictionary&) = delete;
    TypeDictionary& operator=(const TypeDictionary&) = delete;
    TypeDictionary(TypeDictionary&&) = default;
    TypeDictionary& operator=(TypeDictionary&&) = default;

    // Lookups. Pointers stay valid as long as the dictionary.

    /// The type of this label (exact, then ignoring the version byte); null when none.
    const TypeDefinition* findType(const Label& label) const;
    /// The type of this symbol (exactly); null when none.
    const TypeDefinition* findType(const std::string& symbol) const;
    /// The type of the values of the element with this label (exact, then
    /// ignoring the version byte); null when the schema gives it none.
    const TypeDefinition* elementType(const Label& element) const;
    /// The label of the item that identifies the sets of this key (exact,
    /// then ignoring the version byte), inherited ones included; null when none.
    const Label* uniqueIdentifier(const Label& setKey) const;
    /// The register's name of a label (exact, then ignoring the version byte);
    /// null when the schema does not name it.
    const LabelName* labelName(const Label& label) const;
    /// The register symbol of the element with this label, or of the set with
    /// this key, where the schema declares it under another name (an element
    /// named like a set); null where the declaration's name is the symbol.
    const std::string* registerSymbol(const Label& label) const;

    /// The dictionary this one is layered over; null when none.
    const TypeDictionary* base() const { return base_; }
    /// Whether `type` is one of this dictionary's own types (not its base's).
    bool owns(const TypeDefinition* type) const { return ownTypes_.count(type) != 0; }

    std::size_t typeCount() const { return types_.size(); }
    std::size_t labelNameCount() const { return labelNames_.size(); }
    /// Every type in the order they were added.
    const std::deque<TypeDefinition>& types() const { return types_; }
    /// Every label name in the order they were added.
    const std::deque<LabelName>& labelNames() const { return labelNames_; }

    // Building: for the schema reader and for tests.

    /// Adds a type and returns its place, which stays valid (later additions
    /// never move it). Throws TypeDefinitionError when its symbol or label is
    /// taken, here or in the base (exactly).
    TypeDefinition& addType(TypeDefinition type);
    /// The element with label `element` has values of `type` (which must be
    /// one of this dictionary's). A later link for the same label replaces it.
    void linkElement(const Label& element, const TypeDefinition& type);
    /// The sets with key `setKey` are identified by their item `identifier`.
    void setUniqueIdentifier(const Label& setKey, const Label& identifier);
    /// Names a label; the first name of a label stays.
    void addLabelName(LabelName name);
    /// The element or set `label` has the register symbol `symbol`.
    void setRegisterSymbol(const Label& label, std::string symbol);

private:
    template <typename T>
    using ByLabel = std::unordered_map<Label, T>;

    const TypeDictionary* base_ = nullptr;
    std::deque<TypeDefinition> types_;
    std::unordered_set<const TypeDefinition*> ownTypes_;
    std::unordered_map<std::string, TypeDefinition*> bySymbol_;
    ByLabel<TypeDefinition*> byLabel_;
    ByLabel<TypeDefinition*> byLooseLabel_;
    ByLabel<const TypeDefinition*> elementTypes_;
    ByLabel<const TypeDefinition*> looseElementTypes_;
    ByLabel<Label> identifiers_;
    ByLabel<Label> looseIdentifiers_;
    ByLabel<std::string> symbols_;
    std::deque<LabelName> labelNames_;
    ByLabel<const LabelName*> labelNamesByLabel_;
    ByLabel<const LabelName*> looseLabelNames_;
};

} // namespace TypeDefinitions
} // namespace Palimo
