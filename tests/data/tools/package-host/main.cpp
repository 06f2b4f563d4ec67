// A host of the installed libraries: loads the dictionary named on the
// command line, reads an MXF file with it (and with its type definitions),
// imports a register snapshot, loads what the import wrote and compares the
// two dictionaries, printing what each gave (the first change as mxfdict diff
// writes it).
#include <MetaMetadata/Loading/XSDDictionaryLoader.h>

#include <Palimo/Check/Findings.h>
#include <Palimo/Diff/DictionaryDiff.h>
#include <Palimo/MXF/FileReader.h>
#include <Palimo/Output/DiffOutput.h>
#include <Palimo/Registers/Importer.h>
#include <Palimo/TypeDefinitions/SchemaLoading.h>
#include <Palimo/Utils/StringConversion.h>

#include <iostream>
#include <sstream>
#include <string>

namespace {

void load(const std::string& path, Palimo::MetaMetadata::Dictionary& dictionary) {
    Palimo::MetaMetadata::Loading::XSDDictionaryLoader loader;
    loader.load(Palimo::Utils::stringToWstring(path).c_str(), dictionary);
}

void printDictionary(const Palimo::MetaMetadata::Dictionary& dictionary) {
    std::cout << dictionary.metaElementCount() << " elements, " << dictionary.metaMetadataSetCount()
              << " sets\n";
}

void printFile(const Palimo::MXF::DecodedFile& file, const char* how) {
    std::cout << how << ": " << file.sets.size() << " sets";
    if (!file.sets.empty())
        std::cout << ", the first a " << file.sets.front().name << " of "
                  << file.sets.front().items.size() << " items";
    std::cout << '\n';
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::cerr << "usage: host SCHEMA MXF_FILE REGISTERS_DIR OUTPUT_DIR\n";
        return 2;
    }
    try {
        Palimo::MetaMetadata::Dictionary dictionary;
        load(argv[1], dictionary);
        printDictionary(dictionary);
        const Palimo::Types::UniversalLabel instanceID(
            Palimo::Utils::stringToWstring("06.0e.2b.34.01.01.01.01.01.01.15.02.00.00.00.00")
                .c_str(),
            Palimo::Types::DottedHex);
        if (const Palimo::Types::LocalTag* tag = dictionary.findLocalTag(instanceID))
            std::cout << "InstanceID tag " << tag->text() << '\n';

        printFile(Palimo::MXF::readMXFFile(argv[2], dictionary), "read");
        Palimo::MetaMetadata::Dictionary typed;
        Palimo::TypeDefinitions::TypeDictionary types;
        Palimo::TypeDefinitions::loadDictionary(argv[1], {}, typed, types);
        printFile(Palimo::MXF::readMXFFile(argv[2], typed, &types), "read with types");

        const Palimo::Registers::ImportReport report =
            Palimo::Registers::importRegisters(argv[3], argv[4]);
        std::cout << "imported " << report.elements << " elements, " << report.sets << " sets\n";
        Palimo::MetaMetadata::Dictionary imported;
        load(std::string(argv[4]) + "/" + Palimo::Registers::kTopFileName, imported);
        printDictionary(imported);

        const Palimo::Diff::DictionaryDiff diff =
            Palimo::Diff::diffDictionaries(dictionary, imported);
        std::cout << "diff: " << diff.elements.size() << " elements and " << diff.sets.size()
                  << " sets differ\n";
        std::ostringstream changes;
        Palimo::Output::printDiff(changes, diff);
        std::cout << "first change: " << changes.str().substr(0, changes.str().find('\n') + 1);

        const std::string importedTop =
            std::string(argv[4]) + "/" + Palimo::Registers::kTopFileName;
        for (const Palimo::Check::Finding& finding :
             Palimo::Check::checkSchema(importedTop, imported))
            std::cout << "check: " << finding.kind << " at " << finding.line << '\n';
    } catch (const Palimo::Exceptions::BaseException& e) {
        std::cerr << "failed (code " << e.exceptionCode() << "): " << e.what() << '\n';
        return 1;
    }
    return 0;
}
