// A real register snapshot, when there is one: imported and loaded
// completely, every local set with the members the registers give it.
#include "RegisterReader.h"
#include <Palimo/Registers/Importer.h>

#include "registers/RegisterFixtures.h"
#include "support/Describe.h"
#include "support/TestSupport.h"

#include <Palimo/Identifiers/Hex.h>

#include <MetaMetadata/Loading/XSDDictionaryLoader.h>
#include <Palimo/MetaMetadata/Dictionary.h>

#include <cstdlib>
#include <map>
#include <set>

using namespace Palimo;
using namespace Palimo::Registers;
using namespace PalimoTest;

TEST(SnapshotImport, LoadsEveryLocalSetWithTheMembersOfTheRegisters) {
    const std::filesystem::path registersDir = registersSnapshot();
    if (!std::filesystem::exists(registersDir / "Elements.xml"))
        GTEST_SKIP() << "no register snapshot at " << registersDir;
    const TempDir dir;
    const ImportReport report = importRegisters(registersDir, dir.path());
    MetaMetadata::Dictionary dictionary;
    MetaMetadata::Loading::XSDDictionaryLoader loader;
    loader.load(W((dir.path() / kTopFileName).string().c_str()).c_str(), dictionary);
    EXPECT_EQ(dictionary.metaElementCount(), report.elements);
    EXPECT_EQ(dictionary.metaMetadataSetCount(), report.sets);

    const Palimo::Registers::Registers registers = readRegisters(registersDir);
    std::set<Label> elements;
    for (const ElementEntry& element : registers.elements)
        elements.insert(element.ul);
    std::map<Label, const GroupEntry*> groups;
    for (const GroupEntry& group : registers.groups)
        groups.emplace(group.ul, &group);
    for (const GroupEntry& group : registers.groups) {
        if (!group.leaf || !group.isLocalSet() || group.deprecated)
            continue;
        SCOPED_TRACE(group.symbol);
        const MetaMetadata::MetaMetadataSet* set = dictionary.findMetaMetadataSet(
            KLV::Key(W(localSetKey(group.ul).dotted().c_str()).c_str(), Types::DottedHex));
        ASSERT_NE(set, nullptr);
        // The records of the chain, root first.
        std::vector<const GroupRecord*> records;
        for (const GroupEntry* at = &group; at;
             at = at->parent && groups.count(*at->parent) ? groups[*at->parent] : nullptr) {
            std::vector<const GroupRecord*> own;
            for (const GroupRecord& record : at->contents)
                if (elements.count(record.ul) != 0)
                    own.push_back(&record);
            records.insert(records.begin(), own.begin(), own.end());
        }
        ASSERT_EQ(set->attributes().size(), records.size());
        for (std::size_t i = 0; i < records.size(); ++i) {
            const MetaMetadata::MetaAttribute& attribute = *set->attributes()[i];
            EXPECT_EQ(attribute.metaElement().universalLabel().text(), records[i]->ul.dotted());
            EXPECT_EQ(attribute.requiredStatus() == MetaMetadata::AttributeRequiredStatus::Optional,
                      records[i]->optional);
            if (records[i]->localTag) {
                ASSERT_NE(attribute.localTag(), nullptr);
                EXPECT_EQ(attribute.localTag()->text(),
                          Identifiers::localTagText(*records[i]->localTag));
            }
        }
    }
}

// What the loader builds from an import is what it builds without the type
// definitions, the links to them and the unique identifiers.
TEST(SnapshotImport, TypeDefinitionsChangeNothingTheLoaderBuilds) {
    const std::filesystem::path registersDir = registersSnapshot();
    if (!std::filesystem::exists(registersDir / "Elements.xml"))
        GTEST_SKIP() << "no register snapshot at " << registersDir;
    const TempDir dir;
    const ImportReport report = importRegisters(registersDir, dir.path() / "with");
    // Every element with a register type has its type definition.
    EXPECT_GT(report.typeDefinitions, 400u);
    std::size_t untyped = 0;
    for (const Fallback& fallback : report.fallbacks)
        untyped += fallback.reason == "the element has no type" ? 1 : 0;
    EXPECT_EQ(report.typedElements + untyped, report.elements);
    for (const LeftOut& item : report.leftOut)
        EXPECT_NE(item.what.rfind("type definition", 0), 0u) << item.what << ": " << item.reason;
    EXPECT_EQ(report.uniqueIdentifiers, 8u);
    std::filesystem::copy(dir.path() / "with", dir.path() / "without");
    removeTypeDefinitions(dir.path() / "without");
    std::string described[2];
    for (int i = 0; i < 2; ++i) {
        MetaMetadata::Dictionary dictionary;
        MetaMetadata::Loading::XSDDictionaryLoader loader;
        loader.load(
            W((dir.path() / (i == 0 ? "with" : "without") / kTopFileName).string().c_str()).c_str(),
            dictionary);
        described[i] = describe(dictionary);
    }
    EXPECT_EQ(described[0], described[1]);
}
