// Fuzz target of the value decoders: one value of one type, the type chosen by
// the input's first three bytes, the value's bytes the rest. Byte 0 even: the
// type definition numbered by bytes 1 and 2 among those of the fuzz
// dictionary (fuzz/dictionary: every kind, the register types the decoders
// know by label among them), decoded by definition; odd: the core library's
// data type byte 1 with the item type byte 2 (for arrays and batches),
// decoded by flat type. The decoders may not throw; the value is then
// written as read's text and JSON write it, which must be valid JSON and
// text without a character that could control a terminal.
#include <Palimo/MXF/Utf8.h>
#include <Palimo/MXF/ValueDecoder.h>
#include <Palimo/MetaMetadata/Dictionary.h>
#include <Palimo/Output/JsonSink.h>
#include <Palimo/Output/TerminalText.h>
#include <Palimo/Output/ValueJson.h>
#include <Palimo/Output/ValueText.h>
#include <Palimo/TypeDefinitions/SchemaLoading.h>

#include <nlohmann/json.hpp>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <vector>

namespace {

struct Loaded {
    Palimo::MetaMetadata::Dictionary dictionary;
    Palimo::TypeDefinitions::TypeDictionary types;
    std::vector<const Palimo::TypeDefinitions::TypeDefinition*> byNumber;
};

const Loaded& loaded() {
    static const auto dictionary = [] {
        auto loaded = std::make_unique<Loaded>();
        Palimo::TypeDefinitions::loadDictionary(PALIMO_FUZZ_SCHEMA, {}, loaded->dictionary,
                                                loaded->types);
        for (const auto& type : loaded->types.types())
            loaded->byNumber.push_back(&type);
        return loaded;
    }();
    return *dictionary;
}

[[noreturn]] void finding(const char* what, const std::string& context) {
    std::fprintf(stderr, "finding: %s\n%.2000s\n", what, context.c_str());
    std::abort();
}

void writeForms(const Palimo::MXF::Value& value) {
    const std::string text = Palimo::Output::valueText(value);
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    for (std::size_t i = 0; i < text.size();) {
        char32_t c = 0;
        const std::size_t length = Palimo::MXF::utf8Sequence(bytes + i, text.size() - i, c);
        if (length == 0)
            finding("value text holds what is no UTF-8", text);
        if (Palimo::Output::controlsTerminal(c))
            finding("value text holds a control character", text);
        i += length;
    }
    for (const auto layout : {Palimo::Output::JsonStreamWriter::Layout::Indented,
                              Palimo::Output::JsonStreamWriter::Layout::OneLine}) {
        std::ostringstream json;
        Palimo::Output::JsonStreamWriter writer(json, layout);
        writer.beginArray();
        Palimo::Output::describeValue(writer, value);
        writer.endArray();
        writer.finish();
        if (!nlohmann::json::accept(json.str()))
            finding("invalid JSON", json.str());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3)
        return 0;
    const Loaded& dictionary = loaded();
    const std::uint8_t* bytes = data + 3;
    const std::size_t count = size - 3;
    Palimo::MXF::DecodedValue decoded;
    if (data[0] % 2 == 0) {
        const std::size_t number =
            (std::size_t{data[1]} << 8 | data[2]) % dictionary.byNumber.size();
        decoded =
            Palimo::MXF::decodeValue(*dictionary.byNumber[number], dictionary.types, bytes, count);
    } else {
        constexpr int kIdentifiers = Palimo::Types::Identifiers::LastIdentifier + 1;
        decoded =
            Palimo::MXF::decodeValue(static_cast<Palimo::Types::Identifier>(data[1] % kIdentifiers),
                                     static_cast<Palimo::Types::Identifier>(data[2] % kIdentifiers),
                                     bytes, count, data[0] & 2 ? &dictionary.types : nullptr);
    }
    if (decoded.value)
        writeForms(*decoded.value);
    return 0;
}
