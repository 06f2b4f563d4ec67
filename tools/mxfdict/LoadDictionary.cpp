#include "LoadDictionary.h"

#include <MetaMetadata/Loading/XSDDictionaryLoader.h>

#include <Palimo/Exceptions/BaseException.h>
#include <Palimo/Utils/StringConversion.h>

#include <cstdlib>
#include <memory>
#include <typeinfo>
#if defined(__GNUC__)
#include <cxxabi.h>
#endif

namespace Mxfdict {

LoadedDictionary loadDictionary(const std::string& path, const LoadOptions& options) {
    LoadedDictionary loaded;
    loaded.path = path;
    loaded.dictionary = std::make_unique<Palimo::MetaMetadata::Dictionary>();
    const Palimo::WString widePath = Palimo::Utils::stringToWstring(path);

    const auto start = std::chrono::steady_clock::now();
    Palimo::MetaMetadata::Loading::XSDDictionaryLoader loader;
    loader.loadMetaElementDocumentation(options.documentation);
    loader.loadMetaElementLengthDescription(options.lengthDescription);
    loader.load(widePath.c_str(), *loaded.dictionary);
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
