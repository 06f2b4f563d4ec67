// Malformed registers: the import fails naming the file and the entry, before
// anything is written. What the reader reads from well-formed registers shows
// in the golden files of ImportTest.
#include "RegisterReader.h"
#include <Palimo/Registers/Importer.h>

#include "registers/RegisterFixtures.h"

using namespace Palimo::Registers;
using namespace PalimoTest;

namespace {

struct MalformedCase {
    const char* file;
    // The first `from` in the file becomes `to`; without `from` the file is
    // replaced by the one `to` names under tests/data/registers, or removed.
    const char* from;
    const char* to;
    const char* message; // "%DIR%" stands for the registers directory
};

const MalformedCase kMalformedCases[] = {
    {"Elements.xml", "<Symbol>Gain</Symbol>", "", "Elements.xml, entry 9: no Symbol"},
    {"Elements.xml", "<NamespaceName>http://example.org/toy/elements</NamespaceName>", "",
     "Elements.xml, entry 1 (ToyElements): no NamespaceName"},
    {"Elements.xml", "<Type>urn:smpte:ul:060e2b34.01040101.01030300.00000000</Type>",
     "<Type>UUID</Type>", "Elements.xml, entry 2 (ThingID): Type \"UUID\" is no universal label"},
    {"Groups.xml", "<LocalTag>8001</LocalTag>", "<LocalTag>80g1</LocalTag>",
     "Groups.xml, entry 3 (Widget, Contents record 1): LocalTag \"80g1\" is no local tag"},
    {"Groups.xml", "<IsOptional>false</IsOptional>", "<IsOptional>maybe</IsOptional>",
     "Groups.xml, entry 2 (Thing, Contents record 1): IsOptional \"maybe\" is neither true nor "
     "false"},
    {"Groups.xml", "<IsUniqueID>false</IsUniqueID>", "<IsUniqueID>no</IsUniqueID>",
     "Groups.xml, entry 2 (Thing, Contents record 1): IsUniqueID \"no\" is neither true nor "
     "false"},
    {"Groups.xml", "<IsDeprecated>false</IsDeprecated>", "<IsDeprecated>no</IsDeprecated>",
     "Groups.xml, entry 1 (ToyGroups): IsDeprecated \"no\" is neither true nor false"},
    {"Types.xml", "<TypeSize>4</TypeSize>", "<TypeSize>4x</TypeSize>",
     "Types.xml, entry 3 (UInt32): TypeSize \"4x\" is no number"},
    {"Labels.xml", "<UL>urn:smpte:ul:060e2b34.0401010e.0e550102.01000000</UL>",
     "<UL>urn:smpte:ul:060e2b34.0401010e.0e550100.00000000</UL>",
     "Labels.xml, entry 2 (KindSmall): UL 06.0e.2b.34.04.01.01.0e.0e.55.01.00.00.00.00.00 is "
     "also that of Labels.xml, entry 1 (ToyLabels)"},
    {"Elements.xml", "ElementsRegister xmlns", "ElementRegister xmlns",
     "Elements.xml:291:3: not well-formed XML: expected end of tag 'ElementRegister'"},
    {"Groups.xml", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>",
     "<?xml version=\"1.0\" encoding=\"UTF-8\"?><!DOCTYPE GroupsRegister [<!ENTITY a \"b\">]>",
     "Groups.xml: a register has no document type declaration"},
    {"Groups.xml", nullptr, "malformed-entry/Groups.xml",
     "Groups.xml, entry 2 (Gizmo): UL \"urn:smpte:ul:060e2b34.027f0101.0e5501\" is no universal "
     "label"},
    {"Types.xml", nullptr, "small/Labels.xml",
     "Types.xml: the root element is LabelsRegister, not TypesRegister"},
    {"Types.xml", nullptr, nullptr, "Types.xml: cannot read %DIR%/Types.xml: no such file"},
};

} // namespace

TEST(RegisterReader, RefusesMalformedRegistersNamingFileAndEntryAndWritesNothing) {
    for (const MalformedCase& c : kMalformedCases) {
        SCOPED_TRACE(c.message);
        const TempDir dir;
        const std::filesystem::path registers = copySmallRegisters(dir);
        if (c.from)
            replaceFirst(registers / c.file, c.from, c.to);
        else if (c.to)
            std::filesystem::copy_file(dataDir() / "registers" / c.to, registers / c.file,
                                       std::filesystem::copy_options::overwrite_existing);
        else
            std::filesystem::remove(registers / c.file);
        EXPECT_THROWS_EXACTLY(RegisterError, importRegisters(registers, dir.path() / "out"),
                              replaceAll(c.message, "%DIR%", registers.string()));
        EXPECT_FALSE(std::filesystem::exists(dir.path() / "out"));
    }
}
