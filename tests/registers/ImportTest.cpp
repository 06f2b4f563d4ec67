// Imports of the small registers, loaded with the loader.
#include "registers/Importer.h"

#include "registers/RegisterFixtures.h"

#include <MetaMetadata/Loading/XSDDictionaryLoader.h>
#include <Palimo/MetaMetadata/AttributeRequiredStatus.h>
#include <Palimo/MetaMetadata/Dictionary.h>

using namespace Palimo;
using namespace Palimo::Registers;
using namespace PalimoTest;
namespace Id = Palimo::Types::Identifiers;

namespace {

void load(const std::filesystem::path& directory, MetaMetadata::Dictionary& dictionary) {
    MetaMetadata::Loading::XSDDictionaryLoader loader;
    loader.load(W((directory / kTopFileName).string().c_str()).c_str(), dictionary);
}

std::string property(const MetaMetadata::PropertyMap& map, const char* key) {
    return N(map.getProperty(W(key)));
}

const MetaMetadata::MetaElement* elementNamed(const MetaMetadata::Dictionary& dictionary,
                                              const std::string& name) {
    for (const MetaMetadata::MetaElement* element : dictionary.metaElements())
        if (property(*element, "XMLTagName") == name)
            return element;
    return nullptr;
}

class SmallImport : public ::testing::Test {
protected:
    void SetUp() override {
        report = importRegisters(smallRegisters(), dir.path());
        load(dir.path(), dictionary);
    }
    TempDir dir;
    ImportReport report;
    MetaMetadata::Dictionary dictionary;
};

struct ElementCase {
    const char* name;
    const char* kind; // simple, collection, reference, reference collection
    Types::Identifier dataType;
    Types::Identifier subType;
    std::size_t targets;
};

const ElementCase kElements[] = {
    {"ThingID", "simple", Id::UUID, Id::NoIdentifier, 0},
    {"WidgetName", "simple", Id::UTF16String, Id::NoIdentifier, 0},
    {"WidgetParts", "reference collection", Id::Array, Id::StrongReference, 1},
    {"MainPart", "reference", Id::WeakReference, Id::NoIdentifier, 1},
    {"WidgetColor", "simple", Id::UInt8, Id::NoIdentifier, 0},           // enumeration
    {"WidgetKind", "simple", Id::AUID, Id::NoIdentifier, 0},             // of labels
    {"AspectRatio", "simple", Id::Rational, Id::NoIdentifier, 0},        // a record
    {"Gain", "simple", Id::Float32, Id::NoIdentifier, 0},                // registered as integer
    {"FlagSet", "collection", Id::Batch, Id::UInt32, 0},                 // a register Set
    {"Offsets", "collection", Id::Array, Id::Int64, 0},                  // a variable array
    {"Blob", "simple", Id::DataValue, Id::NoIdentifier, 0},              // no type
    {"PartItem", "simple", Id::UInt32, Id::NoIdentifier, 0},             // renamed
    {"Tables", "collection", Id::Array, Id::DataValue, 0},               // arrays of arrays
    {"Sample", "simple", Id::DataValue, Id::NoIdentifier, 0},            // record without core type
    {"OldThing", "reference", Id::StrongReference, Id::NoIdentifier, 0}, // target not written
    {"Old", "simple", Id::UInt32, Id::NoIdentifier, 0},                  // deprecated, but held
};

std::string kindOf(const MetaMetadata::MetaElement& element) {
    using namespace MetaMetadata;
    if (dynamic_cast<const MetaReferenceCollection*>(&element))
        return "reference collection";
    if (dynamic_cast<const MetaReferenceElement*>(&element))
        return "reference";
    if (dynamic_cast<const MetaCollection*>(&element))
        return "collection";
    return "simple";
}

Types::Identifier subTypeOf(const MetaMetadata::MetaElement& element) {
    const auto* collection = dynamic_cast<const MetaMetadata::MetaCollectionElement*>(&element);
    return collection ? collection->dataSubType() : Id::NoIdentifier;
}

std::size_t targetsOf(const MetaMetadata::MetaElement& element) {
    using namespace MetaMetadata;
    if (const auto* reference = dynamic_cast<const MetaReferenceElement*>(&element))
        return reference->targetKeys().size();
    if (const auto* references = dynamic_cast<const MetaReferenceCollection*>(&element))
        return references->targetKeys().size();
    return 0;
}

struct SetCase {
    const char* key;
    const char* name;
    std::vector<std::string> members; // "element status tag"
};

const std::vector<std::string> kWidgetMembers = {
    "ThingID Required 3c.0a",     "WidgetName Required 80.01",  "WidgetParts Optional 80.02",
    "MainPart Optional -",        "WidgetColor Optional 00.08", "WidgetKind Optional 80.03",
    "AspectRatio Optional 80.04", "PartItem Optional 80.05",    "Old Optional 80.06"};

std::vector<std::string> fancyWidgetMembers() {
    std::vector<std::string> members = kWidgetMembers;
    for (const char* own :
         {"Gain Optional 81.01", "FlagSet Optional 81.02", "Offsets Optional -", "Blob Optional -",
          "Tables Optional -", "Sample Optional -", "OldThing Optional -"})
        members.push_back(own);
    return members;
}

} // namespace

TEST_F(SmallImport, ElementsTakeTheCoreTypesOfTheirRegisterTypes) {
    ASSERT_EQ(dictionary.metaElementCount(), std::size(kElements));
    for (const ElementCase& c : kElements) {
        SCOPED_TRACE(c.name);
        const MetaMetadata::MetaElement* element = elementNamed(dictionary, c.name);
        ASSERT_NE(element, nullptr);
        EXPECT_EQ(kindOf(*element), c.kind);
        EXPECT_EQ(element->dataType(), c.dataType);
        EXPECT_EQ(subTypeOf(*element), c.subType);
        EXPECT_EQ(targetsOf(*element), c.targets);
        EXPECT_EQ(property(*element, "XMLNamespaceURI"), "http://example.org/toy/elements");
        EXPECT_EQ(property(*element, "XMLDefaultPrefix"), "example-toy-elements");
    }
    EXPECT_EQ(property(*elementNamed(dictionary, "WidgetName"), "name"), "WidgetName");
    EXPECT_EQ(property(*elementNamed(dictionary, "Offsets"), "XMLChildTagName"), "Int64");
}

TEST_F(SmallImport, SetsHoldTheirMembersInOrderWithStatusesAndTags) {
    const SetCase sets[] = {
        {"06.0e.2b.34.02.53.01.01.0e.55.01.01.01.00.00.00", "Thing", {"ThingID Required 3c.0a"}},
        {"06.0e.2b.34.02.53.01.01.0e.55.01.01.02.00.00.00", "Widget", kWidgetMembers},
        {"06.0e.2b.34.02.53.01.01.0e.55.01.01.03.00.00.00", "FancyWidget", fancyWidgetMembers()},
        {"06.0e.2b.34.02.53.01.01.0e.55.01.01.04.00.00.00",
         "Part",
         {"ThingID Required 3c.0a", "WidgetName Optional 80.01"}},
    };
    ASSERT_EQ(dictionary.metaMetadataSetCount(), std::size(sets));
    for (const SetCase& c : sets) {
        SCOPED_TRACE(c.name);
        const MetaMetadata::MetaMetadataSet* set =
            dictionary.findMetaMetadataSet(KLV::Key(W(c.key).c_str(), Types::DottedHex));
        ASSERT_NE(set, nullptr);
        EXPECT_EQ(property(*set, "XMLTagName"), c.name);
        EXPECT_EQ(property(*set, "XMLDefaultPrefix"), "example-toy-groups");
        std::vector<std::string> members;
        for (const MetaMetadata::MetaAttributePtr& attribute : set->attributes())
            members.push_back(property(attribute->metaElement(), "XMLTagName") + " " +
                              MetaMetadata::AttributeRequiredStatus::instance().toString(
                                  attribute->requiredStatus()) +
                              " " + (attribute->localTag() ? attribute->localTag()->text() : "-"));
        EXPECT_EQ(members, c.members);
    }
    // The register's value of an item is its default.
    const MetaMetadata::MetaMetadataSet* part = dictionary.findMetaMetadataSet(
        KLV::Key(W("06.0e.2b.34.02.53.01.01.0e.55.01.01.04.00.00.00").c_str(), Types::DottedHex));
    ASSERT_NE(part->attributes()[1]->defaultValue(), nullptr);
    EXPECT_EQ(part->attributes()[1]->defaultValue()->text(), "unnamed");
}

TEST_F(SmallImport, ReportsCountsAndWhatWasLeftOutFellBackOrRenamed) {
    std::ostringstream text;
    writeReport(report, text);
    std::string out = text.str();
    for (std::size_t at; (at = out.find(dir.path().string())) != std::string::npos;)
        out.replace(at, dir.path().string().size(), "OUT");
    // File sizes stand as {0} to {3} and their sum as {4}.
    std::string expected = R"(read: 18 elements, 8 groups, 21 types, 2 labels
wrote: 4 sets, 16 elements, 17 set members, 10 static local tags, 3 references, 2 enumerations
  OUT/MXFDictionary.xsd ({0} bytes)
  OUT/MXFTypes.xsd ({1} bytes)
  OUT/MXFSets.xsd ({2} bytes)
  OUT/MXFElements.xsd ({3} bytes)
  {4} bytes in all
left out: 1 groups without a local set coding (packs and other KLV codings), 1 elements that no written set holds, and:
  set OldWidget (06.0e.2b.34.02.7f.01.01.0e.55.01.01.05.00.00.00): deprecated
  set Orphan (06.0e.2b.34.02.7f.01.01.0e.55.01.01.07.00.00.00): its ancestor chain names Parent 06.0e.2b.34.02.7f.01.01.0e.55.01.01.7e.00.00.00, which is not in the Groups register
  member 06.0e.2b.34.01.01.01.0e.0e.55.01.01.7f.00.00.00 of set Widget (06.0e.2b.34.02.7f.01.01.0e.55.01.01.02.00.00.00): not in the Elements register
  member WidgetName of set FancyWidget (06.0e.2b.34.02.7f.01.01.0e.55.01.01.03.00.00.00): the set already holds it
  reference target of element OldThing: group 06.0e.2b.34.02.7f.01.01.0e.55.01.01.05.00.00.00 is no written set: the reference is written without targets
DataValue for want of a core type: 3 elements
  Blob: the element has no type
  Tables (UInt8ArrayArray): the items of UInt8ArrayArray are collections themselves
  Sample (ColorSampleType): record type ColorSampleType has no core type
renamed: 1
  element Part is PartItem: a set has the symbol
)";
    std::size_t total = 0;
    for (std::size_t i = 0; i < 5; ++i) {
        const std::size_t bytes = i < 4 ? report.files.at(i).bytes : total;
        total += bytes;
        const std::string token = "{" + std::to_string(i) + "}";
        expected.replace(expected.find(token), token.size(), std::to_string(bytes));
    }
    EXPECT_EQ(out, expected);
    EXPECT_EQ(report.notes,
              std::vector<std::string>{"1 deprecated elements are written because sets hold them"});
}

TEST_F(SmallImport, EnumerationsListTheirCurrentValuesWithTheirSymbols) {
    const std::string elements = readText(dir.path() / "MXFElements.xsd");
    EXPECT_NE(elements.find("<xs:restriction base=\"ff:UInt8\">\n"
                            "        <xs:enumeration value=\"0\"><xs:annotation><xs:documentation>"
                            "Red</xs:documentation></xs:annotation></xs:enumeration>"),
              std::string::npos);
    EXPECT_EQ(elements.find("Mauve"), std::string::npos); // a deprecated value
    // Label values are written dotted and named from the Labels register.
    EXPECT_NE(elements.find("<xs:enumeration value=\"06.0e.2b.34.04.01.01.0e.0e.55.01.02.01.00.00."
                            "00\"><xs:annotation><xs:documentation>KindSmall<"),
              std::string::npos);
    EXPECT_NE(elements.find("The name of a widget &amp; its &lt;kind&gt;."), std::string::npos);
}

TEST(Import, WithoutLabelsLabelValuesStayUnnamedAndTheSameRegistersGiveTheSameBytes) {
    const TempDir dir;
    const std::filesystem::path registers = copySmallRegisters(dir);
    std::filesystem::remove(registers / "Labels.xml");
    const ImportReport first = importRegisters(registers, dir.path() / "first");
    EXPECT_FALSE(first.labelsPresent);
    EXPECT_NE(readText(dir.path() / "first" / "MXFElements.xsd")
                  .find("<xs:enumeration value=\"06.0e.2b.34.04.01.01.0e.0e.55.01.02.01.00.00.00\""
                        "/>"),
              std::string::npos);
    importRegisters(registers, dir.path() / "second");
    for (const char* file : {"MXFDictionary.xsd", "MXFTypes.xsd", "MXFSets.xsd", "MXFElements.xsd"})
        EXPECT_EQ(readText(dir.path() / "first" / file), readText(dir.path() / "second" / file))
            << file;
    MetaMetadata::Dictionary dictionary;
    load(dir.path() / "first", dictionary);
    EXPECT_EQ(dictionary.metaMetadataSetCount(), 4u);
}
