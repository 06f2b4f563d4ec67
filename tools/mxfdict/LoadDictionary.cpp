#include "LoadDictionary.h"

#include <Palimo/Output/CheckOutput.h>

#include <Palimo/Check/FailureLocation.h>
#include <Palimo/TypeDefinitions/SchemaLoading.h>

#include <Palimo/Exceptions/BaseException.h>
#include <Palimo/Utils/StringConversion.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <system_error>
#include <typeinfo>
#if defined(__GNUC__)
#include <cxxabi.h>
#endif

namespace Mxfdict {

void addLoaderSwitches(CLI::App& command, LoadOptions& options) {
    command.add_flag("--documentation", options.documentation,
                     "Load each declaration's xs:documentation as its \"Documentation\" property");
    command.add_flag("--length-description", options.lengthDescription,
                     "Load each declaration's \"Length\" annotation as its \"LengthDescription\" "
                     "property");
}

std::string refusedSchemaArgument(const std::string& path) {
    if (path.empty())
        return "the schema path is empty";
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        return path + " is a directory; give the top schema file in it";
    return {};
}

CLI::Validator schemaFileArgument() {
    return CLI::Validator(refusedSchemaArgument, "");
}

CLI::Validator nonEmptyArgument() {
    return CLI::Validator(
        [](const std::string& text) -> std::string {
            return text.empty() ? "the argument is empty" : std::string();
        },
        "");
}

void addOutputDirectoryArgument(CLI::App& command, std::string& output) {
    command
        .add_option("OUT_DIR", output,
                    "Directory to write into (created when missing; files of the same names "
                    "are replaced)")
        ->required()
        ->check(nonEmptyArgument());
}

LoadedDictionary loadDictionary(const std::string& path, const LoadOptions& options) {
    LoadedDictionary loaded;
    loaded.path = path;
    loaded.dictionary = std::make_unique<Palimo::MetaMetadata::Dictionary>();
    loaded.types = std::make_unique<Palimo::TypeDefinitions::TypeDictionary>();
    const auto start = std::chrono::steady_clock::now();
    Palimo::TypeDefinitions::loadDictionary(path,
                                            {options.documentation, options.lengthDescription},
                                            *loaded.dictionary, *loaded.types);
    loaded.loadTime = std::chrono::steady_clock::now() - start;
    return loaded;
}

namespace {

// The class name as written in the source ("Palimo::Exceptions::ParseError").
std::string demangle(const std::type_info& type) {
#if defined(__GNUC__)
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> name(
        abi::__cxa_demangle(type.name(), nullptr, nullptr, &status), std::free);
    if (status == 0 && name)
        return name.get();
#endif
    return type.name();
}

} // namespace

std::optional<LoadedDictionary> loadOrReport(const std::string& path, const LoadOptions& options) {
    std::error_code error;
    if (path.empty()) {
        std::cerr << "mxfdict: the schema path is empty\n";
        return std::nullopt;
    }
    if (std::filesystem::is_directory(path, error)) {
        std::cerr << "mxfdict: cannot load " << path
                  << ": it is a directory; give the top schema file in it\n";
        return std::nullopt;
    }
    try {
        return loadDictionary(path, options);
    } catch (...) {
        reportLoadFailure(path, std::current_exception());
        return std::nullopt;
    }
}

std::string exampleSchema() {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path executable = fs::read_symlink("/proc/self/exe", error);
    if (!error) {
        const fs::path installed =
            (executable.parent_path() / MXFDICT_INSTALLED_EXAMPLE).lexically_normal();
        if (fs::exists(installed, error))
            return installed.string();
    }
    return MXFDICT_EXAMPLE_SCHEMA;
}

std::string defaultSchema() {
    const char* named = std::getenv(kDefaultSchemaVariable);
    return named != nullptr && *named != '\0' ? std::string(named) : exampleSchema();
}

namespace {

// Where in the schema files `failure` arose; none also when looking fails.
std::optional<Palimo::Check::FailurePlace>
placeOf(const std::string& path, const Palimo::Exceptions::BaseException& failure) {
    try {
        return Palimo::Check::locateLoadFailure(path, failure);
    } catch (...) {
        return std::nullopt;
    }
}

} // namespace

void reportLoadFailure(const std::string& path, const std::exception_ptr& failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const Palimo::Exceptions::BaseException& e) {
        if (const std::optional<Palimo::Check::FailurePlace> where = placeOf(path, e)) {
            const std::string prefix = Palimo::Output::sourcePrefix(where->file, where->line);
            std::cerr << prefix << where->subject << ": " << e.what() << '\n';
            if (!where->note.empty())
                std::cerr << prefix << "note: " << where->note << '\n';
            std::cerr << "mxfdict: cannot load " << path << ": " << demangle(typeid(e)) << " (code "
                      << e.exceptionCode() << ")\n";
            return;
        }
    } catch (...) {
    }
    std::cerr << "mxfdict: cannot load " << path << ": " << describeFailure(failure) << '\n';
}

std::string describeFailure(const std::exception_ptr& failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const Palimo::Exceptions::BaseException& e) {
        return demangle(typeid(e)) + " (code " + std::to_string(e.exceptionCode()) +
               "): " + e.what();
    } catch (const std::exception& e) {
        return demangle(typeid(e)) + ": " + e.what();
    } catch (...) {
        return "unknown exception";
    }
}

} // namespace Mxfdict
