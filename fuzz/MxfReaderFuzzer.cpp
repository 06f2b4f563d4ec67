// Fuzz target of the MXF reader: the input is an MXF file, read with the
// shipped example dictionary and its type definitions (loaded once) and its
// own dictionary, then written as RegXML, without and with what its own
// dictionary defines. Reading may fail only with an exception derived from
// BaseException, writing only with RegXMLError (no Preface); any other
// exception escapes the target and is reported as a finding, like a crash, a
// sanitizer report, a leak or a timeout.
#include <Palimo/Exceptions/BaseException.h>
#include <Palimo/MXF/FileDictionary.h>
#include <Palimo/MXF/FileReader.h>
#include <Palimo/MXF/References.h>
#include <Palimo/MetaMetadata/Dictionary.h>
#include <Palimo/Output/OutputError.h>
#include <Palimo/Output/RegXML.h>
#include <Palimo/TypeDefinitions/SchemaLoading.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <ostream>
#include <streambuf>

namespace {

// The example and the type definitions it carries, so that values are
// decoded by definition where it has them.
struct Loaded {
    Palimo::MetaMetadata::Dictionary dictionary;
    Palimo::TypeDefinitions::TypeDictionary types;
};

const Loaded& loaded() {
    static const auto example = [] {
        auto loaded = std::make_unique<Loaded>();
        Palimo::TypeDefinitions::loadDictionary(PALIMO_EXAMPLE_SCHEMA, {}, loaded->dictionary,
                                                loaded->types);
        return loaded;
    }();
    return *example;
}

// Every value nested in `value`, each by its kind and what it points to.
std::size_t touch(const Palimo::MXF::Value& value) {
    std::size_t sum = value.data.index() + (value.type ? value.type->symbol.size() : 0);
    if (const auto* text = std::get_if<Palimo::MXF::Text>(&value.data))
        sum += text->utf8.size();
    else if (const auto* record = std::get_if<Palimo::MXF::Record>(&value.data))
        for (const auto& field : record->fields)
            sum += field.name.size() + touch(field.value);
    else if (const auto* list = std::get_if<Palimo::MXF::List>(&value.data))
        for (const auto& item : list->items)
            sum += touch(item);
    else if (const auto* indirect = std::get_if<Palimo::MXF::Indirect>(&value.data))
        for (const auto& inner : indirect->value)
            sum += touch(inner);
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
            sum += item.weakTargets.size() + item.notes.size();
        }
    }
    for (const auto& problem : file.problems)
        sum += problem.message.size();
    for (const auto& line : Palimo::MXF::strongReferenceTree(file))
        sum += line.depth + line.target.data()[0];
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

// Counts what it is given and keeps none of it.
class CountingBuffer : public std::streambuf {
public:
    std::size_t count = 0;

protected:
    int_type overflow(int_type c) override {
        ++count;
        return traits_type::not_eof(c);
    }
    std::streamsize xsputn(const char*, std::streamsize n) override {
        count += static_cast<std::size_t>(n);
        return n;
    }
};

std::size_t regxml(const Palimo::MXF::DecodedFile& file, bool fileDefinitions) {
    CountingBuffer buffer;
    std::ostream out(&buffer);
    Palimo::Output::RegXMLOptions options;
    options.fileDefinitions = fileDefinitions;
    try {
        Palimo::Output::writeRegXML(out, file, loaded().types, options);
    } catch (const Palimo::Exceptions::RegXMLError&) {
        // No Preface, or one the dictionary does not know.
    }
    return buffer.count;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Palimo::MXF::MemorySource source(data, size);
    try {
        const auto file = Palimo::MXF::readMXFFile(source, loaded().dictionary, &loaded().types);
        volatile std::size_t sink = walk(file) + regxml(file, false) + regxml(file, true);
        (void)sink;
    } catch (const Palimo::Exceptions::XmlWriterError&) {
        throw; // RegXML asked for ill-formed XML
    } catch (const Palimo::Exceptions::BaseException&) {
        // Refusing a malformed file is the reader's business.
    }
    return 0;
}
