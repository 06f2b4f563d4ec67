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

/// Declares --documentation and --length-description on a subcommand.
void addLoaderSwitches(CLI::App& command, LoadOptions& options);

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

/// One line for standard error: the exception's class name, its code (for
/// the Palimo exceptions) and its message.
std::string describeFailure(const std::exception_ptr& failure);

} // namespace Mxfdict
