#pragma once
// Writes the declarations of an import as a schema set in the conventions of
// the example dictionary.
#include "SchemaModel.h"

#include <Palimo/Output/XmlWriter.h>
#include <Palimo/Registers/SchemaFiles.h>

#include <filesystem>
#include <string>
#include <vector>

namespace Palimo {
namespace Registers {

/// The namespace of XML Schema (prefix xs).
extern const char kXmlSchemaNamespace[];

/// Writes MXFDictionary.xsd, MXFTypes.xsd, MXFSets.xsd, MXFElements.xsd and
/// MXFTypeDefinitions.xsd into `directory` (created when missing; files of those names are
/// replaced). Throws RegisterError naming the path that cannot be written.
std::vector<WrittenFile> writeSchema(const SchemaModel& model,
                                     const std::filesystem::path& directory);

/// The texts of the five files, by file name, in the order written.
std::vector<std::pair<std::string, std::string>> schemaTexts(const SchemaModel& model);

/// Writes `texts` (file name, text) into `directory` (created when missing;
/// files of those names are replaced). Throws RegisterError naming the path
/// that cannot be written.
std::vector<WrittenFile>
writeSchemaFiles(const std::vector<std::pair<std::string, std::string>>& texts,
                 const std::filesystem::path& directory);

/// The model's sets (a schema file of the file format namespace): each set
/// declaration, its ff:Ref declaration and its complex type.
std::string setsSchema(const SchemaModel& model);
/// The model's element declarations, likewise.
std::string elementsSchema(const SchemaModel& model);
/// Writes the complex type `typeName` extending the type of that name by
/// `members`: inside an xs:redefine of the schema that declares it, it adds
/// members to that schema's set.
void writeSetTypeExtension(Output::XmlWriter& out, const std::string& typeName,
                           const std::vector<MemberDeclaration>& members);

/// The namespaces a top file declares: xs, then ff and every register
/// namespace of the model, each on a line of its own.
std::vector<Output::XmlNamespace> topFileNamespaces(const SchemaModel& model);
/// Starts a top file's xs:schema, for the file format namespace.
void startTopFile(Output::XmlWriter& out);

} // namespace Registers
} // namespace Palimo
