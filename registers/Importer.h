#pragma once
// The import of a register snapshot into an annotated schema set.
#include "registers/SchemaModel.h"
#include "registers/SchemaWriter.h"

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace Palimo {
namespace Registers {

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

/// Reads the registers in `registersDirectory` and writes the schema set
/// into `outputDirectory`, whose top file is MXFDictionary.xsd. Throws
/// RegisterError for registers that cannot be read or are malformed (naming
/// the file and the entry) and for files that cannot be written; nothing is
/// written when the registers fail.
ImportReport importRegisters(const std::filesystem::path& registersDirectory,
                             const std::filesystem::path& outputDirectory);

/// The report as text: counts first, then what was left out (type
/// definitions too), what fell back to DataValue and what was renamed, each
/// with its reason. The notes are not part of it.
void writeReport(const ImportReport& report, std::ostream& out);

} // namespace Registers
} // namespace Palimo
