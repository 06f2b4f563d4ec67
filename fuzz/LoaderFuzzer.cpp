// Fuzz target of the loader: the input becomes the top schema file of a load
// into a fresh dictionary. Text after the first kSplitMarker becomes a second
// file, "second.xsd"; a fixed "common.xsd" lies next to both, so that
// mutations reach includes, imports and redefinitions across files. A load
// may fail only with an exception derived from BaseException: any other
// exception escapes the target and is reported as a finding, like a crash.
#include "CommonSchema.h"

#include <MetaMetadata/Loading/XSDDictionaryLoader.h>

#include <Palimo/Exceptions/BaseException.h>
#include <Palimo/MetaMetadata/Dictionary.h>
#include <Palimo/MetaMetadata/MetaAttribute.h>
#include <Palimo/MetaMetadata/MetaMetadataSet.h>
#include <Palimo/Utils/StringConversion.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kSplitMarker = "<!--split-->";

// One directory per process (parallel fuzz jobs must not share files),
// removed when the process ends normally.
class WorkDirectory {
public:
    WorkDirectory() {
        std::string pattern =
            (fs::temp_directory_path() / ("palimo-fuzz-" + std::to_string(::getpid()) + "-XXXXXX"))
                .string();
        if (::mkdtemp(pattern.data()) == nullptr)
            std::abort();
        path_ = pattern;
        write("common.xsd", PalimoFuzz::kCommonSchema);
    }
    ~WorkDirectory() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    WorkDirectory(const WorkDirectory&) = delete;
    WorkDirectory& operator=(const WorkDirectory&) = delete;

    fs::path write(const char* name, std::string_view content) const {
        const fs::path file = path_ / name;
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(content.data(), static_cast<std::streamsize>(content.size()));
        if (!out)
            std::abort();
        return file;
    }
    void remove(const char* name) const {
        std::error_code ignored;
        fs::remove(path_ / name, ignored);
    }

private:
    fs::path path_;
};

const WorkDirectory& workDirectory() {
    static const WorkDirectory directory;
    return directory;
}

// Reads everything the load handed over, so that a dangling pointer or a
// half-built entry in the dictionary shows up under the sanitizers.
std::size_t touch(const Palimo::MetaMetadata::PropertyMap& properties) {
    std::size_t sum = 0;
    for (const auto& entry : properties.properties())
        sum += entry.first.size() + entry.second.size();
    return sum;
}

std::size_t walk(const Palimo::MetaMetadata::Dictionary& dictionary) {
    std::size_t sum = 0;
    for (const Palimo::MetaMetadata::MetaElement* element : dictionary.metaElements())
        sum += touch(*element) + static_cast<std::size_t>(element->dataType());
    for (const Palimo::MetaMetadata::MetaMetadataSet* set : dictionary.metaMetadataSets()) {
        sum += touch(*set);
        for (const auto& attribute : set->attributes()) {
            sum += touch(*attribute) + touch(attribute->metaElement());
            sum += attribute->defaultValue() != nullptr;
            sum += attribute->localTag() != nullptr;
        }
    }
    return sum;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const WorkDirectory& directory = workDirectory();
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find(kSplitMarker);
    const fs::path top = directory.write("main.xsd", input.substr(0, split));
    if (split == std::string_view::npos)
        directory.remove("second.xsd");
    else
        directory.write("second.xsd", input.substr(split + kSplitMarker.size()));

    const Palimo::WString path = Palimo::Utils::stringToWstring(top.string());
    Palimo::MetaMetadata::Dictionary dictionary;
    try {
        Palimo::MetaMetadata::Loading::XSDDictionaryLoader loader;
        loader.loadMetaElementDocumentation(true);
        loader.loadMetaElementLengthDescription(true);
        loader.load(path.c_str(), dictionary);
    } catch (const Palimo::Exceptions::BaseException&) {
        // Refusing a schema is the loader's business; what it added stays.
    }
    volatile std::size_t sink = walk(dictionary);
    (void)sink;
    return 0;
}
