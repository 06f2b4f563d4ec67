// The strong reference tree: walks that end at shared sets, cycles and
// references to no set. The trees of real files are in the golden files of
// mxfdict read --tree.
#include "support/TestSupport.h"

#include <Palimo/MXF/FileReader.h>
#include <Palimo/MXF/References.h>

namespace {

using Palimo::MXF::DecodedFile;
using Palimo::MXF::DecodedItem;
using Palimo::MXF::DecodedSet;
using Palimo::MXF::kNoSet;

// The UUID numbered n (in its last four bytes), and back.
Palimo::Identifiers::UUID uid(std::size_t n) {
    Palimo::Identifiers::UUID::Bytes bytes{};
    for (std::size_t i = 0; i < 4; ++i)
        bytes[15 - i] = static_cast<std::uint8_t>(n >> (8 * i));
    return Palimo::Identifiers::UUID(bytes);
}
std::size_t number(const Palimo::Identifiers::UUID& uuid) {
    std::size_t n = 0;
    for (std::size_t i = 12; i < 16; ++i)
        n = (n << 8) | uuid.bytes()[i];
    return n;
}

// The tree, one line a set: indented by depth, "(again)" for sets shown
// before, "? n" for a reference to no set.
std::string tree(const DecodedFile& file) {
    std::string text;
    for (const auto& line : Palimo::MXF::strongReferenceTree(file)) {
        text += std::string(2 * line.depth, ' ');
        text += line.set == kNoSet ? "? " + std::to_string(number(line.target))
                                   : file.sets[line.set].name;
        text += line.repeated ? " (again)\n" : "\n";
    }
    return text;
}

// Sets named A, B, ... with InstanceUIDs 1, 2, ... and strong references
// between them, built without a dictionary.
DecodedFile sets(const std::vector<std::vector<std::size_t>>& references) {
    DecodedFile file;
    file.sets.resize(references.size());
    for (std::size_t i = 0; i < references.size(); ++i) {
        DecodedSet& set = file.sets[i];
        set.name = std::string(1, static_cast<char>('A' + i % 26));
        set.instanceUID = uid(i + 1);
        DecodedItem& item = set.items.emplace_back();
        item.reference = DecodedItem::Reference::Strong;
        Palimo::MXF::List list;
        for (std::size_t target : references[i])
            list.items.push_back(Palimo::MXF::Value{nullptr, uid(target)});
        item.value = Palimo::MXF::Value{nullptr, std::move(list)};
    }
    return file;
}

TEST(StrongReferenceTree, EachSetIsFollowedOnce) {
    struct Case {
        const char* what;
        std::vector<std::vector<std::size_t>> references;
        const char* tree;
    };
    const Case cases[] = {
        {"shared", {{2, 3}, {3}, {}}, "A\n  B\n    C\n  C (again)\n"},
        {"cycle below a root", {{2}, {3}, {2}}, "A\n  B\n    C\n      B (again)\n"},
        {"cycle without a root", {{}, {3}, {2}}, "A\n"},
        {"self", {{1}}, ""},
        {"to no set", {{9}, {}}, "A\n  ? 9\nB\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(tree(sets(c.references)), c.tree) << c.what;
}

TEST(StrongReferenceTree, DeepChainsNeedNoRecursion) {
    // 100,000 sets, each owning the next: no stack overflow, one line each.
    std::vector<std::vector<std::size_t>> chain;
    for (std::size_t i = 2; i <= 100001; ++i)
        chain.push_back({i});
    DecodedFile file = sets(chain);
    const auto lines = Palimo::MXF::strongReferenceTree(file);
    ASSERT_EQ(lines.size(), 100001u);
    EXPECT_EQ(lines.back().depth, 100000u);
    EXPECT_EQ(lines.back().set, kNoSet);
    Palimo::MXF::checkHeaderMetadata(file); // the cycle walk has no recursion either
    EXPECT_EQ(file.problems.size(), 1u);    // the last reference goes nowhere
}

} // namespace
