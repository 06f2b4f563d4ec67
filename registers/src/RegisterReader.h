#pragma once
// Reads the register files of a snapshot directory into entries.
#include "RegisterEntries.h"

#include <filesystem>

namespace Palimo {
namespace Registers {

/// Reads Elements.xml, Groups.xml and Types.xml from `directory`, and
/// Labels.xml when it is there. Throws RegisterError naming the file, and for
/// a malformed entry the entry: a file that is missing (Labels.xml aside),
/// unreadable or not well-formed; a root element other than the register's;
/// an entry without a UL, Symbol or NamespaceName; a UL, Parent, Type,
/// BaseType or local tag that is no label or tag; an IsDeprecated,
/// IsOptional, IsUniqueID or IsConcrete that is neither "true" nor "false"; a TypeSize that is no
/// number; a UL that two entries of one register share.
Registers readRegisters(const std::filesystem::path& directory);

/// One register file each; `path` names the file, messages give its file
/// name. `revision`, when given, receives the file's revision tag.
std::vector<ElementEntry> readElementsRegister(const std::filesystem::path& path,
                                               std::string* revision = nullptr);
std::vector<GroupEntry> readGroupsRegister(const std::filesystem::path& path,
                                           std::string* revision = nullptr);
std::vector<TypeEntry> readTypesRegister(const std::filesystem::path& path,
                                         std::string* revision = nullptr);
std::vector<LabelEntry> readLabelsRegister(const std::filesystem::path& path,
                                           std::string* revision = nullptr);

} // namespace Registers
} // namespace Palimo
