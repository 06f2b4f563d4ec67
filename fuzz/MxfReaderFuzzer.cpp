// Fuzz target of the MXF reader: the input is an MXF file, read with the fuzz
// dictionary (fuzz/dictionary: the shipped example and a set with an item of
// every flat data type and of every kind of type definition, loaded once with
// its type definitions), then written in every form mxfdict read writes:
// text, the text tree, JSON indented and on one line, with and without the
// tree, and RegXML without and with what the file's own dictionary defines
// (inputs over 256 KiB only in the forms with the tree).
// Reading may fail only with an exception derived from BaseException, RegXML
// only with RegXMLError (no Preface), the other forms never. The JSON must be
// valid and the text must hold no character that could control a terminal.
// Anything else is a finding, like a crash, a sanitizer report, a leak or a
// timeout.
#include <Palimo/Exceptions/BaseException.h>
#include <Palimo/MXF/FileDictionary.h>
#include <Palimo/MXF/FileReader.h>
#include <Palimo/MXF/References.h>
#include <Palimo/MXF/Utf8.h>
#include <Palimo/MetaMetadata/Dictionary.h>
#include <Palimo/Output/OutputError.h>
#include <Palimo/Output/ReadOutput.h>
#include <Palimo/Output/RegXML.h>
#include <Palimo/Output/TerminalText.h>
#include <Palimo/TypeDefinitions/SchemaLoading.h>

#include <nlohmann/json.hpp>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <ostream>
#include <streambuf>
#include <string>

namespace {

struct Loaded {
    Palimo::MetaMetadata::Dictionary dictionary;
    Palimo::TypeDefinitions::TypeDictionary types;
};

const Loaded& loaded() {
    static const auto dictionary = [] {
        auto loaded = std::make_unique<Loaded>();
        Palimo::TypeDefinitions::loadDictionary(PALIMO_FUZZ_SCHEMA, {}, loaded->dictionary,
                                                loaded->types);
        return loaded;
    }();
    return *dictionary;
}

[[noreturn]] void finding(const char* what, const std::string& context) {
    std::fprintf(stderr, "finding: %s\n%.2000s\n", what, context.c_str());
    std::abort();
}

// Keeps the first `keep` characters it is given and counts the others.
class KeepingBuffer : public std::streambuf {
public:
    explicit KeepingBuffer(std::size_t keep) : keep_(keep) {}
    std::string kept;
    std::size_t count = 0;
    bool whole() const { return count == kept.size(); }

protected:
    int_type overflow(int_type c) override {
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            const char ch = traits_type::to_char_type(c);
            xsputn(&ch, 1);
        }
        return traits_type::not_eof(c);
    }
    std::streamsize xsputn(const char* text, std::streamsize n) override {
        const auto size = static_cast<std::size_t>(n);
        if (kept.size() < keep_)
            kept.append(text, std::min(size, keep_ - kept.size()));
        count += size;
        return n;
    }

private:
    std::size_t keep_;
};

constexpr std::size_t kChecked = 4 << 20;
constexpr std::size_t kSmallInput = 256 << 10;

// Text output: only line ends of its own; no other character that could
// control a terminal, nothing that is no UTF-8.
void checkText(const std::string& text) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    for (std::size_t i = 0; i < text.size();) {
        char32_t c = 0;
        const std::size_t length = Palimo::MXF::utf8Sequence(bytes + i, text.size() - i, c);
        if (length == 0 && text.size() - i >= 4)
            finding("text output holds what is no UTF-8", text.substr(i, 40));
        if (length == 0)
            break; // the end of the kept text may cut a character
        if (c != '\n' && Palimo::Output::controlsTerminal(c))
            finding("text output holds a control character", text.substr(i < 40 ? 0 : i - 40, 80));
        i += length;
    }
}

void writeText(const Palimo::MXF::DecodedFile& file, bool tree) {
    KeepingBuffer buffer(kChecked);
    std::ostream out(&buffer);
    Palimo::Output::printRead(out, "fuzz\x1b.mxf", file, tree);
    checkText(buffer.kept);
}

void writeJson(const Palimo::MXF::DecodedFile& file, bool tree, bool compact) {
    KeepingBuffer buffer(kChecked);
    std::ostream out(&buffer);
    Palimo::Output::writeReadJson(out, "fuzz.mxf", file, tree, compact);
    if (buffer.whole() && !nlohmann::json::accept(buffer.kept))
        finding("invalid JSON", buffer.kept);
}

void writeRegXML(const Palimo::MXF::DecodedFile& file, bool fileDefinitions) {
    KeepingBuffer buffer(0);
    std::ostream out(&buffer);
    Palimo::Output::RegXMLOptions options;
    options.fileDefinitions = fileDefinitions;
    try {
        Palimo::Output::writeRegXML(out, file, loaded().types, options);
    } catch (const Palimo::Output::RegXMLError&) {
        // No Preface, or one the dictionary does not know.
    }
}

// The dictionary entries the reader points to, and the file's own dictionary,
// which no output reads whole.
std::size_t touchEntries(const Palimo::MXF::DecodedFile& file) {
    std::size_t sum = 0;
    for (const auto& set : file.sets) {
        sum += set.set ? set.set->attributes().size() : 0;
        for (const auto& item : set.items)
            sum += item.element ? static_cast<std::size_t>(item.element->dataType()) : 0;
    }
    if (file.fileDictionary) {
        for (const auto& klass : file.fileDictionary->classes())
            for (const auto& member : klass.members)
                sum += klass.name.size() + member.element->properties().size();
        for (const auto& property : file.fileDictionary->properties())
            sum +=
                property.name.size() + property.type->symbol.size() + property.flat.targets.size();
        for (const auto& type : file.fileDictionary->types().types())
            sum += type.symbol.size() + (type.element ? type.element->symbol.size() : 0);
    }
    return sum;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Palimo::MXF::MemorySource source(data, size);
    Palimo::MXF::DecodedFile file;
    try {
        file = Palimo::MXF::readMXFFile(source, loaded().dictionary, &loaded().types);
    } catch (const Palimo::Exceptions::BaseException&) {
        return 0; // refusing a malformed file is the reader's business
    }
    volatile std::size_t sink = touchEntries(file);
    (void)sink;
    // Instrumented, the writers take most of the time of a large input (each
    // byte of 250,000 items' JSON is compared by traced code): large inputs
    // are written in the forms that do the most, with the tree.
    if (size <= kSmallInput) {
        writeText(file, false);
        writeJson(file, false, false);
    }
    writeText(file, true);
    writeJson(file, true, true);
    writeRegXML(file, false);
    writeRegXML(file, true);
    return 0;
}
