#pragma once
// Loading a schema with the loader library, and describing a failed load.
#include <Palimo/MetaMetadata/Dictionary.h>

#include <chrono>
#include <exception>
#include <memory>
#include <string>

namespace Mxfdict {

struct LoadOptions {
    bool documentation = false;     // the loader's "Documentation" switch
    bool lengthDescription = false; // the loader's "LengthDescription" switch
};

struct LoadedDictionary {
    std::string path;
    std::unique_ptr<Palimo::MetaMetadata::Dictionary> dictionary;
    std::chrono::duration<double, std::milli> loadTime{};
};

/// Loads the schema at `path`. Throws whatever the loader throws.
LoadedDictionary loadDictionary(const std::string& path, const LoadOptions& options);

/// One line for standard error: the exception's class name, its code (for
/// the Palimo exceptions) and its message.
std::string describeFailure(const std::exception_ptr& failure);

} // namespace Mxfdict
