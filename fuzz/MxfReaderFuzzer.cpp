// Fuzz target of the MXF reader: the input is an MXF file, read with the
// shipped example dictionary (loaded once). Reading may fail only with an
// exception derived from BaseException; any other exception escapes the
// target and is reported as a finding, like a crash, a sanitizer report, a
// leak or a timeout.
#include <MetaMetadata/Loading/XSDDictionaryLoader.h>
#include <Palimo/Exceptions/BaseException.h>
#include <Palimo/MXF/FileReader.h>
#include <Palimo/MXF/References.h>
#include <Palimo/MetaMetadata/Dictionary.h>
#include <Palimo/Utils/StringConversion.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

const Palimo::MetaMetadata::Dictionary& dictionary() {
    static const auto loaded = [] {
        auto dictionary = std::make_unique<Palimo::MetaMetadata::Dictionary>();
        Palimo::MetaMetadata::Loading::XSDDictionaryLoader loader;
        loader.load(Palimo::Utils::stringToWstring(PALIMO_EXAMPLE_SCHEMA).c_str(), *dictionary);
        return dictionary;
    }();
    return *loaded;
}

std::size_t touch(const Palimo::MXF::Value& value) {
    std::size_t sum = value.text.size() + static_cast<std::size_t>(value.kind);
    for (const auto& item : value.items)
        sum += touch(item); // lists hold simple values only: one level
    return sum;
}

// Reads everything the reader handed over, so that a dangling pointer into
// the dictionary or a half-built value shows up under the sanitizers.
std::size_t walk(const Palimo::MXF::DecodedFile& file) {
    std::size_t sum = file.primerEntries + file.notes.size();
    for (const auto& set : file.sets) {
        sum += set.name.size() + set.bytes.size() + (set.set ? set.set->attributes().size() : 0);
        for (const auto& item : set.items) {
            sum += item.name.size() + item.type.size() + item.bytes.size();
            if (item.element)
                sum += static_cast<std::size_t>(item.element->dataType());
            if (item.value)
                sum += touch(*item.value);
        }
    }
    for (const auto& problem : file.problems)
        sum += problem.message.size();
    for (const auto& line : Palimo::MXF::strongReferenceTree(file))
        sum += line.depth + line.target.size();
    return sum;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Palimo::MXF::MemorySource source(data, size);
    try {
        volatile std::size_t sink = walk(Palimo::MXF::readMXFFile(source, dictionary()));
        (void)sink;
    } catch (const Palimo::Exceptions::BaseException&) {
        // Refusing a malformed file is the reader's business.
    }
    return 0;
}
