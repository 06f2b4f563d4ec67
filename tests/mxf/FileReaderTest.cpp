// Header metadata decoded with a dictionary: the problems the checks report
// on files built for them. The files ffmpeg writes are read through mxfdict
// read (tests/tools/ReadCommandTest.cpp) against golden files.
#include "MxfBytes.h"
#include "support/TestSupport.h"

#include <MetaMetadata/Loading/XSDDictionaryLoader.h>
#include <Palimo/MXF/FileReader.h>
#include <Palimo/MXF/Limits.h>

namespace {

using namespace MxfTest;
using Palimo::MXF::MemorySource;

const char kRoot[] = "06.0e.2b.34.02.53.01.01.0e.7f.01.01.01.01.01.00";
const char kLeaf[] = "06.0e.2b.34.02.53.01.01.0e.7f.01.01.01.01.02.00";
const char kSizeLabel[] = "06.0e.2b.34.01.01.01.01.0e.7f.00.00.00.00.00.03";

// A file whose primer lists the fixture's tags, `extraPrimer` more, then `sets`.
Bytes fixtureFile(const Bytes& sets,
                  std::vector<std::pair<std::uint16_t, std::string>> extraPrimer = {}) {
    std::vector<std::pair<std::uint16_t, std::string>> entries = {
        {0x3c0a, "06.0e.2b.34.01.01.01.01.01.01.15.02.00.00.00.00"},
        {0x7f01, "06.0e.2b.34.01.01.01.01.0e.7f.00.00.00.00.00.01"},
        {0x7f02, "06.0e.2b.34.01.01.01.01.0e.7f.00.00.00.00.00.02"},
        {0x8001, kSizeLabel}};
    entries.insert(entries.end(), extraPrimer.begin(), extraPrimer.end());
    return headerFile(primer(entries) + sets);
}

Bytes root(std::uint8_t id, const std::vector<Bytes>& children) {
    return localSet(kRoot, {{0x3c0a, uid(id)}, {0x7f01, be(7, 2)}, {0x7f02, array(children, 16)}});
}
Bytes leaf(std::uint8_t id, const std::vector<Item>& more = {}) {
    std::vector<Item> items = {{0x3c0a, uid(id)}};
    items.insert(items.end(), more.begin(), more.end());
    return localSet(kLeaf, items);
}

// The two-set dictionary of fixture.xsd: a Root owning Leaf sets, a Leaf
// owning Leaf sets too.
const Palimo::MetaMetadata::Dictionary& fixture() {
    static const auto dictionary = [] {
        auto loaded = std::make_unique<Palimo::MetaMetadata::Dictionary>();
        const auto path = PalimoTest::dataDir() / ".." / "mxf" / "fixture.xsd";
        Palimo::MetaMetadata::Loading::XSDDictionaryLoader().load(
            PalimoTest::W(path.string().c_str()).c_str(), *loaded);
        return loaded;
    }();
    return *dictionary;
}

std::vector<std::string> problems(const Bytes& bytes) {
    const MemorySource source(bytes.data(), bytes.size());
    std::vector<std::string> texts;
    for (const auto& p : Palimo::MXF::readMXFFile(source, fixture()).problems)
        texts.push_back(std::string(Palimo::MXF::problemKindName(p.kind)) + " " +
                        std::to_string(p.offset) + ": " + p.message);
    return texts;
}

TEST(Checks, ReportEveryProblemWithItsOffset) {
    // The sets start at byte 208: after the partition pack (108 bytes) and
    // the primer of 4 entries (100), 226 with one entry more. A Root set takes
    // 50 bytes and 16 a child, a Leaf 40 bytes and an item 4 more than its value.
    struct Case {
        const char* what;
        Bytes file;
        std::vector<std::string> problems;
    };
    const std::vector<Case> cases = {
        {"clean", fixtureFile(root(1, {uid(2)}) + leaf(2, {{0x8001, be(5, 4)}})), {}},
        {"missing required and item not allowed",
         fixtureFile(localSet(kLeaf, {{0x3c0a, uid(2)}, {0x7f01, be(1, 2)}}) + localSet(kRoot, {})),
         {"itemNotAllowed 248: Leaf at byte 208: item 7f.01 "
          "(06.0e.2b.34.01.01.01.01.0e.7f.00.00.00.00.00.01, Count) is no member of the set",
          "missingRequired 254: Root at byte 254: required item InstanceUID "
          "(06.0e.2b.34.01.01.01.01.01.01.15.02.00.00.00.00) is missing",
          "missingRequired 254: Root at byte 254: required item Count "
          "(06.0e.2b.34.01.01.01.01.0e.7f.00.00.00.00.00.01) is missing"}},
        {"unknown set, unknown item, bad length, tags not in the primer",
         fixtureFile(localSet("06.0e.2b.34.02.53.01.01.0e.7f.01.01.01.01.7f.00", {}) +
                         leaf(2, {{0x8002, hex("00")},
                                  {0x8001, be(5, 2)},
                                  {0x9000, {}},
                                  {0x7f02, array({}, 16)}}),
                     {{0x8002, "06.0e.2b.34.01.01.01.01.0e.7f.00.00.00.00.00.7f"}}),
         {"unknownSet 226: set key 06.0e.2b.34.02.53.01.01.0e.7f.01.01.01.01.7f.00 is not in "
          "the dictionary",
          "unknownItem 286: Leaf at byte 246: item 80.02 "
          "(06.0e.2b.34.01.01.01.01.0e.7f.00.00.00.00.00.7f) is not in the dictionary",
          "badValue 291: Leaf at byte 246: Size (80.01): 2 bytes where UInt32 takes 4",
          "tagNotInPrimer 297: Leaf at byte 246: local tag 90.00 is not in the primer pack"}},
        {"dangling, shared and wrong target references; duplicate InstanceUID",
         fixtureFile(root(1, {uid(2), uid(9), uid(2), uid(3)}) + leaf(2) + root(3, {}) + leaf(2)),
         {"duplicateInstanceUID 428: Leaf at byte 428: InstanceUID " + uidText(2) +
              " is also that of Leaf at byte 330",
          "danglingReference 254: Root at byte 208: Children (7f.02) refers to " + uidText(9) +
              ", the InstanceUID of no set in the file",
          "sharedReference 330: Leaf at byte 330 is owned by two strong references: Children "
          "(7f.02) of Root at byte 208 and Children (7f.02) of Root at byte 208",
          "wrongTarget 254: Root at byte 208: Children (7f.02) refers to Root at byte 370, "
          "which is none of the sets it may refer to"}},
        {"cycle",
         fixtureFile(root(1, {uid(2)}) + leaf(2, {{0x7f02, array({uid(3)}, 16)}}) +
                     leaf(3, {{0x7f02, array({uid(2)}, 16)}})),
         {"sharedReference 282: Leaf at byte 282 is owned by two strong references: Children "
          "(7f.02) of Root at byte 208 and Children (7f.02) of Leaf at byte 350",
          "referenceCycle 390: Leaf at byte 350: Children (7f.02) refers back to Leaf at byte "
          "282, which owns it through strong references"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(problems(c.file), c.problems) << c.what;
}

// A primer that gives no tag is one problem, not one for each item; the
// problems beyond the limit are counted, and a note says how many.
TEST(Checks, ProblemsOfADamagedPrimerAndBeyondTheLimit) {
    const Bytes badPrimer = klv(hex("06.0e.2b.34.02.05.01.01.0d.01.02.01.01.05.01.00"),
                                be(1, 4) + be(20, 4) + Bytes(20, 0));
    EXPECT_EQ(
        problems(headerFile(badPrimer + leaf(2, {{0x8001, be(5, 4)}}))),
        std::vector<std::string>{
            "malformedPrimer 128: the primer pack at byte 108 lists 1 entries of 20 bytes in "
            "20 bytes (entries are 18 bytes: a local tag and a label); none of its entries is "
            "read: local tags resolve through the dictionary's static tags only"});

    using Palimo::MXF::Limits::kProblems;
    const Bytes unknown = localSet("06.0e.2b.34.02.53.01.01.0e.7f.01.01.01.01.7f.00", {});
    Bytes sets;
    for (std::size_t i = 0; i < kProblems + 5; ++i)
        sets.insert(sets.end(), unknown.begin(), unknown.end());
    const Bytes file = fixtureFile(sets);
    const MemorySource source(file.data(), file.size());
    const auto read = Palimo::MXF::readMXFFile(source, fixture());
    EXPECT_EQ(read.sets.size(), kProblems + 5);
    EXPECT_EQ(read.problems.size(), kProblems);
    EXPECT_EQ(read.problemsNotKept, 5u);
    EXPECT_EQ(read.notes, std::vector<std::string>{"5 more problems were found and not kept (the "
                                                   "limit is 10000 problems)"});
}

} // namespace
