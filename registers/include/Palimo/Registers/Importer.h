#pragma once
// The import of a register snapshot into an annotated schema set.
//
// Threads: an import starts and stops Xerces-C around each register file it
// reads, which Xerces-C does not allow on several threads at once: run one
// import at a time, and none while another thread loads a dictionary.
#include <Palimo/Registers/ImportReport.h>
#include <Palimo/Registers/RegisterError.h>

#include <filesystem>

namespace Palimo {
namespace Registers {

/// Reads the registers in `registersDirectory` and writes the schema set
/// into `outputDirectory`, whose top file is MXFDictionary.xsd. Throws
/// RegisterError for registers that cannot be read or are malformed (naming
/// the file and the entry) and for files that cannot be written; nothing is
/// written when the registers fail.
ImportReport importRegisters(const std::filesystem::path& registersDirectory,
                             const std::filesystem::path& outputDirectory);

} // namespace Registers
} // namespace Palimo
