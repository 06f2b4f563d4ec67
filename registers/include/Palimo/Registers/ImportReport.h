#pragma once
// What an import of the registers read, wrote and left out.
#include <Palimo/Registers/SchemaFiles.h>

#include <cstddef>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace Palimo {
namespace Registers {

/// Something of the registers that the import does not write, and why.
struct LeftOut {
    std::string what;
    std::string reason;
};

/// An element whose type, or whose items' type, is DataValue for want of a
/// core type.
struct Fallback {
    std::string element;
    std::string registerType; // the Types register symbol; empty when none
    std::string reason;
};

/// A declaration whose name is not its register Symbol.
struct Rename {
    std::string what; // "set", "element" or "type"
    std::string symbol;
    std::string name;
    std::string reason;
};

/// What an import read, wrote and left out.
struct ImportReport {
    // Entries read, by register.
    std::size_t elementsRead = 0;
    std::size_t groupsRead = 0;
    std::size_t typesRead = 0;
    std::size_t labelsRead = 0;
    bool labelsPresent = false;
    // Declarations written.
    std::size_t sets = 0;
    std::size_t elements = 0;
    std::size_t members = 0;      // set members, own ones only (not inherited)
    std::size_t localTags = 0;    // elements with a static local tag
    std::size_t references = 0;   // references and collections of references
    std::size_t enumerations = 0; // elements of an enumerated type
    std::size_t typeDefinitions = 0;
    std::size_t typedElements = 0;         // elements with a type definition
    std::size_t uniqueIdentifiers = 0;     // set members that identify their sets
    std::optional<std::size_t> labelNames; // none without Labels.xml
    std::vector<WrittenFile> files;
    // Left out, summed up and one by one.
    std::size_t groupsNotLocal = 0;
    std::size_t elementsNotHeld = 0;
    std::vector<LeftOut> leftOut;
    std::vector<Fallback> fallbacks;
    std::vector<Rename> renames;
    std::vector<std::string> notes;
};

/// The report as text: counts first, then what was left out (type
/// definitions too), what fell back to DataValue and what was renamed, each
/// with its reason. The notes are not part of it. Only reads `report`.
void writeReport(const ImportReport& report, std::ostream& out);

} // namespace Registers
} // namespace Palimo
