#pragma once
// Loading a schema with the loader library, and describing a failed load.
#include <Palimo/MetaMetadata/Dictionary.h>
#include <Palimo/TypeDefinitions/TypeDictionary.h>

#include <CLI/CLI.hpp>

#include <chrono>
#include <exception>
#include <memory>
#include <optional>
#include <string>

namespace Mxfdict {

struct LoadOptions {
    bool documentation = false;     // the loader's "Documentation" switch
    bool lengthDescription = false; // the loader's "LengthDescription" switch
};

struct LoadedDictionary {
    std::string path;
    std::unique_ptr<Palimo::MetaMetadata::Dictionary> dictionary;
    /// The type definitions the same schema carries; empty when it has none.
    std::unique_ptr<Palimo::TypeDefinitions::TypeDictionary> types;
    std::chrono::duration<double, std::milli> loadTime{};
};

/// Declares --documentation and --length-description on a subcommand whose
/// output shows the properties they add.
void addLoaderSwitches(CLI::App& command, LoadOptions& options);

/// Why a schema argument can name no schema file (it is empty, or a
/// directory); empty when it can.
std::string refusedSchemaArgument(const std::string& path);

/// Refuses, as bad usage, what refusedSchemaArgument refuses.
CLI::Validator schemaFileArgument();

/// Refuses, as bad usage, an empty argument.
CLI::Validator nonEmptyArgument();

/// Declares the required OUT_DIR argument of a command that writes a schema
/// set, into `output`.
void addOutputDirectoryArgument(CLI::App& command, std::string& output);

/// Loads the schema at `path` with its type definitions. Throws whatever the
/// loader throws, and TypeDefinitionError.
LoadedDictionary loadDictionary(const std::string& path, const LoadOptions& options);

/// Loads the schema at `path`; on failure (also an empty path or a directory,
/// which the loader would not name as such) reports it on standard error and
/// gives nothing.
std::optional<LoadedDictionary> loadOrReport(const std::string& path, const LoadOptions& options);

/// The shipped example's top file: the copy installed with the tool when this
/// tool is an installed one, else the one in the source tree it was built from.
std::string exampleSchema();

/// The environment variable that names the schema used when none is given.
constexpr const char* kDefaultSchemaVariable = "MXFDICT_SCHEMA";

/// What the help says of it.
constexpr const char* kDefaultSchemaNote =
    "Environment: MXFDICT_SCHEMA, when set and not empty, names the schema used when none is "
    "given, instead of the shipped example.";

/// The schema used when none is given: the file that MXFDICT_SCHEMA names,
/// when it is set and not empty, else the shipped example.
std::string defaultSchema();

/// One line for standard error: the exception's class name, its code (for
/// the Palimo exceptions) and its message.
std::string describeFailure(const std::exception_ptr& failure);

/// Reports the failed load of `path` on standard error. When the failure
/// concerns one declaration, the first line says where, with the loader's
/// message as it is ("FILE:LINE: declaration NAME: MESSAGE"), a note may
/// follow ("FILE:LINE: note: ..."), and the last line names the exception's
/// class and code; otherwise one line as describeFailure gives it.
void reportLoadFailure(const std::string& path, const std::exception_ptr& failure);

} // namespace Mxfdict
