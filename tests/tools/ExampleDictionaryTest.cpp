// The shipped example dictionary loads completely and carries the MXF facts
// it was written from.
#include "support/TestSupport.h"

#include <MetaMetadata/Loading/XSDDictionaryLoader.h>

#include <Palimo/MetaMetadata/Dictionary.h>
#include <Palimo/MetaMetadata/Visitors.h>

#include <string>
#include <vector>

namespace {

using namespace Palimo;
using namespace Palimo::MetaMetadata;
using PalimoTest::N;
using PalimoTest::W;

const char kExtension[] = "urn:palimo:mxf:production-extension";

std::string examplePath() {
    return (PalimoTest::dataDir() / ".." / ".." / "examples" / "mxf-dictionary" /
            "MXFDictionary.xsd")
        .lexically_normal()
        .string();
}

Types::UniversalLabel label(const char* text) {
    return Types::UniversalLabel(W(text).c_str(), Types::DottedHex);
}
KLV::Key key(const char* text) {
    return KLV::Key(W(text).c_str(), Types::DottedHex);
}

std::string prop(const PropertyMap& map, const char* name) {
    return N(map.getProperty(W(name)));
}

class ExampleDictionary : public ::testing::Test {
protected:
    static void load(Dictionary& dictionary, bool documentation = false, bool length = false) {
        Loading::XSDDictionaryLoader loader;
        loader.loadMetaElementDocumentation(documentation);
        loader.loadMetaElementLengthDescription(length);
        loader.load(W(examplePath().c_str()).c_str(), dictionary);
    }
    static void SetUpTestSuite() {
        dictionary_ = new Dictionary;
        load(*dictionary_);
    }
    static void TearDownTestSuite() {
        delete dictionary_;
        dictionary_ = nullptr;
    }

    const MetaElement& element(const char* ul) const {
        const MetaElement* e = dictionary_->findMetaElement(label(ul));
        if (!e)
            throw std::runtime_error(std::string("no element ") + ul);
        return *e;
    }
    const MetaMetadataSet& set(const char* k) const {
        const MetaMetadataSet* s = dictionary_->findMetaMetadataSet(key(k));
        if (!s)
            throw std::runtime_error(std::string("no set ") + k);
        return *s;
    }
    static const MetaAttribute* member(const MetaMetadataSet& s, const char* tagName) {
        for (const auto& attribute : s.attributes())
            if (prop(attribute->metaElement(), "XMLTagName") == tagName)
                return attribute.get();
        return nullptr;
    }

    static Dictionary* dictionary_;
};

Dictionary* ExampleDictionary::dictionary_ = nullptr;

const char kPreface[] = "06.0e.2b.34.02.53.01.01.0d.01.01.01.01.01.2f.00";
const char kCDCI[] = "06.0e.2b.34.02.53.01.01.0d.01.01.01.01.01.28.00";
const char kProductionNotes[] = "06.0e.2b.34.02.53.01.01.0e.7f.01.01.01.00.00.00";
const char kInstanceUID[] = "06.0e.2b.34.01.01.01.01.01.01.15.02.00.00.00.00";

// The counts by kind are checked through mxfdict's summary.
TEST_F(ExampleDictionary, HoldsEveryDeclarationNamed) {
    EXPECT_EQ(dictionary_->metaElementCount(), 162u);
    EXPECT_EQ(dictionary_->metaMetadataSetCount(), 32u);
    for (const MetaElement* e : dictionary_->metaElements()) {
        // Every element has its MXF standard name and a default prefix.
        EXPECT_TRUE(e->hasProperty(W("name"))) << prop(*e, "XMLTagName");
        EXPECT_FALSE(prop(*e, "XMLDefaultPrefix").empty()) << prop(*e, "XMLTagName");
    }
}

TEST_F(ExampleDictionary, ElementsCarryTheirTagsAndTypes) {
    const Types::UniversalLabel* byTag = dictionary_->findLabelByLocalTag(Types::LocalTag(0x3c0a));
    ASSERT_NE(byTag, nullptr);
    EXPECT_EQ(*byTag, label(kInstanceUID));

    // An enumeration restricting UInt8 is a UInt8.
    EXPECT_EQ(element("06.0e.2b.34.01.01.01.01.04.01.03.01.04.00.00.00").dataType(),
              Types::Identifiers::UInt8); // FrameLayout

    // Items with dynamic tags have none in the dictionary.
    EXPECT_EQ(dictionary_->findLocalTag(label("06.0e.2b.34.01.01.01.09.06.01.01.04.06.10.00.00")),
              nullptr); // SubDescriptors
}

TEST_F(ExampleDictionary, ReferencesTargetTheSetsOfTheirGroups) {
    struct Case {
        const char* ul;
        Types::Identifier dataType;
        std::vector<const char*> targets;
    };
    const char kGenericPackage[] = "06.0e.2b.34.02.53.01.01.0d.01.01.01.01.01.34.00";
    const char kMaterialPackage[] = "06.0e.2b.34.02.53.01.01.0d.01.01.01.01.01.36.00";
    const char kSourcePackage[] = "06.0e.2b.34.02.53.01.01.0d.01.01.01.01.01.37.00";
    const std::vector<Case> cases = {
        // ContentStorage: strong reference to one set.
        {"06.0e.2b.34.01.01.01.02.06.01.01.04.02.01.00.00",
         Types::Identifiers::StrongReference,
         {"06.0e.2b.34.02.53.01.01.0d.01.01.01.01.01.18.00"}},
        // RelatedPackages (extension): weak reference array across namespaces.
        {"06.0e.2b.34.01.01.01.0e.0e.7f.01.01.08.00.00.00",
         Types::Identifiers::Array,
         {kGenericPackage, kMaterialPackage, kSourcePackage}},
    };
    for (const Case& c : cases) {
        const MetaElement& e = element(c.ul);
        EXPECT_EQ(e.dataType(), c.dataType) << c.ul;
        GetMetaElementVisitor<MetaReferenceElement> reference;
        GetMetaElementVisitor<MetaReferenceCollection> collection;
        e.accept(reference);
        e.accept(collection);
        const KLV::KeyVector& targets = reference.result() ? reference.result()->targetKeys()
                                                           : collection.result()->targetKeys();
        std::vector<std::string> texts;
        for (const auto& k : targets)
            texts.push_back(k.text());
        EXPECT_EQ(texts, std::vector<std::string>(c.targets.begin(), c.targets.end())) << c.ul;
    }
}

TEST_F(ExampleDictionary, SetsListInheritedMembersFirst) {
    const MetaMetadataSet& preface = set(kPreface);
    EXPECT_EQ(prop(preface, "name"), "Preface");
    std::vector<std::string> names;
    for (const auto& attribute : preface.attributes())
        names.push_back(prop(attribute->metaElement(), "XMLTagName"));
    EXPECT_EQ(names,
              (std::vector<std::string>{"InstanceUID", "GenerationUID", "LastModifiedDate",
                                        "Version", "ObjectModelVersion", "PrimaryPackage",
                                        "Identifications", "ContentStorageObject",
                                        "OperationalPattern", "EssenceContainers", "DMSchemes"}));
    EXPECT_EQ(prop(*member(preface, "OperationalPattern"), "RequiresSemanticsValidation"), "true");

    // Three levels of inheritance: interchange object, generic descriptor,
    // file descriptor, picture descriptor, then the CDCI descriptor's own.
    const MetaMetadataSet& cdci = set(kCDCI);
    EXPECT_EQ(prop(cdci.attributes().front()->metaElement(), "XMLTagName"), "InstanceUID");
    EXPECT_EQ(prop(cdci.attributes().back()->metaElement(), "XMLTagName"), "ColorRange");
    EXPECT_EQ(member(cdci, "Duration"), nullptr);
    EXPECT_EQ(member(set("06.0e.2b.34.02.53.01.01.0d.01.01.01.01.01.14.00"), "Duration")
                  ->requiredStatus(),
              AttributeRequiredStatus::BestEffort); // TimecodeComponent
}

TEST_F(ExampleDictionary, DistinguishedValuesAreTyped) {
    struct Case {
        const char* set;
        const char* member;
        Types::Identifier type;
        const char* text;
    };
    const std::vector<Case> cases = {
        {kCDCI, "VerticalSubsampling", Types::Identifiers::UInt32, "1"},
        {kCDCI, "ReversedByteOrder", Types::Identifiers::Boolean, "false"},
        {kCDCI, "PaddingBits", Types::Identifiers::Int16, "0"},
        {kCDCI, "StoredF2Offset", Types::Identifiers::Int32, "0"},
        {kProductionNotes, "CaptureRate", Types::Identifiers::Rational, "25/1"},
        {kProductionNotes, "ChannelGains", Types::Identifiers::Array, "{0,-3}"},
        {kProductionNotes, "CaptureTransferCharacteristic", Types::Identifiers::UniversalLabel,
         "06.0e.2b.34.04.01.01.01.04.01.01.01.01.02.00.00"},
        {kProductionNotes, "ProductionCode", Types::Identifiers::ISO7String, "UNSET"},
        {kProductionNotes, "NoteText", Types::Identifiers::UTF16String, "No notes"},
    };
    for (const Case& c : cases) {
        const MetaAttribute* attribute = member(set(c.set), c.member);
        ASSERT_NE(attribute, nullptr) << c.member;
        ASSERT_NE(attribute->defaultValue(), nullptr) << c.member;
        EXPECT_EQ(attribute->defaultValue()->identifier(), c.type) << c.member;
        EXPECT_EQ(attribute->defaultValue()->text(), c.text) << c.member;
    }
    EXPECT_EQ(member(set(kPreface), "Version")->defaultValue(), nullptr);
}

TEST_F(ExampleDictionary, ExtensionLivesInItsOwnNamespace) {
    const MetaMetadataSet& notes = set(kProductionNotes);
    EXPECT_EQ(prop(notes, "XMLNamespaceURI"), kExtension);
    EXPECT_EQ(prop(notes, "XMLDefaultPrefix"), "pe");
    // Inherits the sub-descriptor's members from the file format namespace.
    EXPECT_EQ(prop(notes.attributes().front()->metaElement(), "XMLDefaultPrefix"), "ff");
    const MetaAttribute* rate = member(notes, "CaptureRate");
    ASSERT_NE(rate, nullptr);
    EXPECT_EQ(prop(*rate, "XMLNamespaceURI"), kExtension);
    EXPECT_EQ(prop(rate->metaElement(), "XMLDefaultPrefix"), "pe");
    EXPECT_EQ(rate->localTag(), nullptr);
}

// Element documentation is checked through mxfdict --documentation.
TEST_F(ExampleDictionary, DocumentationSwitchReachesSets) {
    EXPECT_FALSE(set(kPreface).hasProperty(W("Documentation")));
    Dictionary documented;
    load(documented, true, true);
    EXPECT_TRUE(documented.findMetaMetadataSet(key(kPreface))->hasProperty(W("Documentation")));
}

} // namespace
