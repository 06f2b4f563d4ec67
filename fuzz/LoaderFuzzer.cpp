// Fuzz target of the loader: the input becomes the top schema file of a load
// into a fresh dictionary. Text after the first kSplitMarker becomes a second
// file, "second.xsd"; a fixed "common.xsd" lies next to both, so that
// mutations reach includes, imports and redefinitions across files. A load
// may fail only with an exception derived from BaseException: any other
// exception escapes the target and is reported as a finding, like a crash.
//
// Large inputs: "<!--repeat:N-->TEXT<!--end-->" stands for N copies of TEXT,
// up to kExpandedLimit bytes in all, so that a small input reaches the sizes,
// counts and depths at which the aggregator's limits hold (thousands of
// attributes, appinfo elements or entity references) and mutations of it
// stay cheap. Inputs of up to a megabyte are fuzzed as they are.
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
constexpr std::string_view kRepeatMarker = "<!--repeat:";
constexpr std::string_view kEndMarker = "<!--end-->";
constexpr std::size_t kExpandedLimit = 1u << 20;

// The input with every repetition written out, in one pass; the copies stop
// at kExpandedLimit bytes.
std::string expandRepetitions(std::string_view input) {
    std::string out;
    out.reserve(input.size());
    for (;;) {
        const std::size_t start = input.find(kRepeatMarker);
        if (start == std::string_view::npos)
            break;
        const std::size_t digits = start + kRepeatMarker.size();
        std::size_t i = digits;
        std::size_t count = 0;
        while (i < input.size() && i - digits < 9 && input[i] >= '0' && input[i] <= '9')
            count = count * 10 + static_cast<std::size_t>(input[i++] - '0');
        const std::size_t close = input.compare(i, 3, "-->") == 0 ? i + 3 : std::string_view::npos;
        const std::size_t end = close == std::string_view::npos ? std::string_view::npos
                                                                : input.find(kEndMarker, close);
        if (end == std::string_view::npos) {
            out.append(input.substr(0, digits));
            input.remove_prefix(digits);
            continue;
        }
        out.append(input.substr(0, start));
        const std::string_view body = input.substr(close, end - close);
        for (std::size_t n = 0;
             n < count && !body.empty() && out.size() + body.size() <= kExpandedLimit; ++n)
            out.append(body);
        input.remove_prefix(end + kEndMarker.size());
    }
    out.append(input);
    return out;
}

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
    const std::string expanded =
        expandRepetitions(std::string_view(reinterpret_cast<const char*>(data), size));
    const std::string_view input(expanded);
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
