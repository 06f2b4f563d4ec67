// RegXML of real files against the documents a public converter wrote for
// them with the same registers (../shared/data/regxml-peer, imported from
// ../shared/data/registers-2023): equal as XML, element for element,
// attribute for attribute and text for text (XmlCanonical.h). Skipped when
// either folder is absent. One test, so that the registers are imported once.
#include "XmlCanonical.h"
#include "support/TestSupport.h"

#include <Palimo/Registers/Importer.h>

#include <Palimo/MXF/FileReader.h>
#include <Palimo/Output/RegXML.h>
#include <Palimo/TypeDefinitions/SchemaLoading.h>

#include <filesystem>
#include <sstream>

namespace {

namespace fs = std::filesystem;

TEST(RegXMLPeer, WritesWhatTheConverterWroteForEachFile) {
    const fs::path peer = PALIMO_REGXML_PEER;
    const fs::path registers = PALIMO_REGXML_REGISTERS;
    if (!fs::exists(peer / "regxml") || !fs::exists(registers / "Elements.xml"))
        GTEST_SKIP() << "no " << peer / "regxml"
                     << " or no registers at " << registers;
    const PalimoTest::TempDir directory;
    Palimo::Registers::importRegisters(registers, directory.path());
    Palimo::MetaMetadata::Dictionary dictionary;
    Palimo::TypeDefinitions::TypeDictionary types;
    Palimo::TypeDefinitions::loadDictionary((directory.path() / "MXFDictionary.xsd").string(), {},
                                            dictionary, types);

    for (const std::string name : {"video1", "video2", "audio1", "audio2", "class14",
                                   "escape-chars", "utf8_embedded_text", "indirect"}) {
        const auto file =
            Palimo::MXF::readMXFFile((peer / "mxf" / (name + ".mxf")).string(), dictionary, &types);
        std::ostringstream regxml;
        Palimo::Output::writeRegXML(regxml, file, types);
        const std::string ours = regxml.str();
        const std::string theirs = PalimoTest::readFile(peer / "regxml" / (name + ".xml"));
        EXPECT_TRUE(OutputTest::sameDocument(ours, theirs)) << name;
        // Beyond equality as XML: the same bytes from the root on (the
        // comments before it name the converter and the time).
        EXPECT_EQ(ours.substr(ours.find("<r0:Preface")), theirs.substr(theirs.find("<r0:Preface")))
            << name;
    }
}

} // namespace
