// Loads the dictionary named on the command line and prints what it holds.
#include <MetaMetadata/Loading/XSDDictionaryLoader.h>

#include <Palimo/Utils/StringConversion.h>

#include <iostream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: host SCHEMA\n";
        return 2;
    }
    Palimo::MetaMetadata::Dictionary dictionary;
    Palimo::MetaMetadata::Loading::XSDDictionaryLoader loader;
    try {
        loader.load(Palimo::Utils::stringToWstring(argv[1]).c_str(), dictionary);
    } catch (const Palimo::Exceptions::BaseException& e) {
        std::cerr << "load failed (code " << e.exceptionCode() << "): " << e.what() << '\n';
        return 1;
    }
    std::cout << dictionary.metaElementCount() << " elements, " << dictionary.metaMetadataSetCount()
              << " sets\n";
    const Palimo::Types::UniversalLabel instanceID(
        Palimo::Utils::stringToWstring("06.0e.2b.34.01.01.01.01.01.01.15.02.00.00.00.00").c_str(),
        Palimo::Types::DottedHex);
    if (const Palimo::Types::LocalTag* tag = dictionary.findLocalTag(instanceID))
        std::cout << "InstanceID tag " << tag->text() << '\n';
    return 0;
}
