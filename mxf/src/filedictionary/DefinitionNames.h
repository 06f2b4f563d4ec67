#pragma once
// The XML names of the definitions a file's dictionary adds, and how
// definitions are named in messages.
#include <Palimo/Identifiers/Label.h>
#include <Palimo/MetaMetadata/Dictionary.h>
#include <Palimo/TypeDefinitions/TypeDictionary.h>

#include <cstddef>
#include <string>
#include <unordered_set>
#include <vector>

namespace Palimo {
namespace MXF {
namespace Definitions {

using Identifiers::Label;

/// The names of the loaded dictionary: those of `dictionary` (elements; sets
/// with their types and reference declarations), of the type definitions of
/// `types` (may be null) and of the file format's data types. Made once for
/// every file read with the dictionary; read-only.
struct TakenNames {
    TakenNames(const MetaMetadata::Dictionary& dictionary,
               const TypeDefinitions::TypeDictionary* types);

    std::unordered_set<std::string> declarations;
    std::unordered_set<std::string> types;
    std::unordered_set<std::string> dataTypes;
};

/// Hands out XML names that no declaration of the loaded dictionary and no
/// name handed out before has. Element and set declarations share one space;
/// types (sets' complex types and type definitions) another, in which type
/// definitions may take the names of the file format's data types (they come
/// after them, as the register's do) but sets' types may not.
class DefinitionNames {
public:
    /// `taken` must outlive this.
    explicit DefinitionNames(const TakenNames& taken) : taken_(taken) {}

    enum class Kind { Element, Set, Type };

    /// A name for the definition of `label` that the file calls `fileName`:
    /// the file's name made an XML name, else with "_" and the hex digits of
    /// label bytes 9 to 16, else with "_2", "_3", ... after that. A set's name
    /// is claimed with its type ("Type" after it) and reference declaration
    /// ("Reference" after it).
    std::string claim(const std::string& fileName, const Label& label, Kind kind);

private:
    bool free(const std::string& name, Kind kind) const;
    void take(const std::string& name, Kind kind);

    bool declared(const std::string& name) const {
        return taken_.declarations.count(name) != 0 || declarations_.count(name) != 0;
    }
    bool typed(const std::string& name) const {
        return taken_.types.count(name) != 0 || types_.count(name) != 0;
    }

    const TakenNames& taken_;
    std::unordered_set<std::string> declarations_; // handed out
    std::unordered_set<std::string> types_;        // handed out
};

/// The name the file gives a definition, for messages: cut after 64
/// characters.
std::string quotedName(const std::string& fileName);

/// An AUID for messages: a label dotted, a UUID as such.
std::string auidText(const Label& label);

/// "\"MasterMobID\" (ffdd41e1-...)", for messages.
std::string namedText(const std::string& fileName, const Label& label);

/// "property \"MasterMobID\" (ffdd41e1-...)", for messages.
std::string definitionText(const char* what, const std::string& fileName, const Label& label);

} // namespace Definitions
} // namespace MXF
} // namespace Palimo
