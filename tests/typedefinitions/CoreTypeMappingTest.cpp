// How types map onto the core's flat data types, the rules the register
// import and a file's own dictionary share: one table of small registers.
#include <Palimo/TypeDefinitions/CoreTypeMapping.h>

#include <gtest/gtest.h>

#include <map>

namespace {

using namespace Palimo::TypeDefinitions;
using Palimo::Identifiers::Label;
using Kind = CoreTypeMapping::Kind;
namespace Id = Palimo::Types::Identifiers;

// Labels under a private prefix, so that no type is one the core knows by its label.
Label label(int n) {
    Label::Bytes bytes{0x06, 0x0e, 0x2b, 0x34, 0x01, 0x04, 0x01, 0x01,
                       0x0e, 0x77, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
    bytes[15] = static_cast<std::uint8_t>(n);
    return Label(bytes);
}

class Register : public TypeFactsSource {
public:
    Register() {
        add(1, "UInt16", "Integer", 2);
        add(2, "Int24", "Integer", 3);
        add(3, "Half", "Float", 2);
        add(4, "Double", "Float", 8);
        add(5, "Counter", "Rename", 0, 1);
        add(6, "Colour", "Enumeration", 0, 1);
        add(7, "Pair", "Record");
        add(8, "PairChoice", "Enumeration", 0, 7);
        add(9, "Counters", "VariableArray", 0, 1);
        add(10, "PairSet", "Set", 0, 7);
        add(11, "CounterLists", "FixedArray", 0, 9);
        add(12, "ClipReference", "StrongReference", 0, 99);
        add(13, "ClipReferences", "VariableArray", 0, 12);
        add(14, "Loop", "Rename", 0, 14);
        add(15, "Lost", "Rename", 0, 98);
        add(16, "Bare", "Set");
        add(17, "Blob", "Opaque");
        add(18, "Odd", "Mystery");
        add(19, "Ping", "Rename", 0, 20);
        add(20, "Pong", "Rename", 0, 19);
        add(21, "Lead", "VariableArray", 0, 14);
    }
    std::optional<TypeFacts> find(const Label& ul) const override {
        const auto found = types_.find(ul);
        return found == types_.end() ? std::nullopt : std::optional<TypeFacts>(found->second);
    }
    std::string notFound(const Label& ul) const override { return "no " + ul.dotted(); }

private:
    void add(int n, const char* symbol, const char* kind, std::size_t size = 0, int base = 0) {
        TypeFacts facts{label(n), symbol, kind, std::nullopt, false, std::nullopt};
        if (size > 0)
            facts.size = size;
        if (base > 0)
            facts.base = label(base);
        types_.emplace(facts.label, facts);
    }
    std::map<Label, TypeFacts> types_;
};

struct Case {
    int type;
    Kind kind;
    Palimo::Types::Identifier identifier;
    Palimo::Types::Identifier item;
    const char* itemName;
    int target;      // 0: none
    int enumeration; // 0: none
    const char* fallback;
};

TEST(CoreTypeMapping, EveryKindAndEveryFallback) {
    const Register types;
    const Case cases[] = {
        {1, Kind::Simple, Id::UInt16, Id::NoIdentifier, "", 0, 0, ""},
        {2, Kind::Simple, Id::DataValue, Id::NoIdentifier, "", 0, 0,
         "integer type Int24 has no size of 1, 2, 4 or 8 bytes"},
        {3, Kind::Simple, Id::DataValue, Id::NoIdentifier, "", 0, 0,
         "float type Half has no size of 4 or 8 bytes"},
        {4, Kind::Simple, Id::Float64, Id::NoIdentifier, "", 0, 0, ""},
        {5, Kind::Simple, Id::UInt16, Id::NoIdentifier, "", 0, 0, ""},
        {6, Kind::Simple, Id::UInt16, Id::NoIdentifier, "", 0, 6, ""},
        {7, Kind::Simple, Id::DataValue, Id::NoIdentifier, "", 0, 0,
         "record type Pair has no core type"},
        {8, Kind::Simple, Id::DataValue, Id::NoIdentifier, "", 0, 0,
         "record type Pair has no core type"},
        {9, Kind::Collection, Id::Array, Id::UInt16, "UInt16", 0, 0, ""},
        {10, Kind::Collection, Id::Batch, Id::DataValue, "Pair", 0, 0,
         "record type Pair has no core type"},
        {11, Kind::Collection, Id::Array, Id::DataValue, "Counters", 0, 0,
         "the items of CounterLists are collections themselves"},
        {12, Kind::Reference, Id::StrongReference, Id::NoIdentifier, "", 99, 0, ""},
        {13, Kind::ReferenceCollection, Id::Array, Id::StrongReference, "ClipReference", 99, 0, ""},
        {14, Kind::Simple, Id::DataValue, Id::NoIdentifier, "", 0, 0,
         "type Loop is defined through itself"},
        {15, Kind::Simple, Id::DataValue, Id::NoIdentifier, "", 0, 0,
         "no 06.0e.2b.34.01.04.01.01.0e.77.00.00.00.00.00.62"},
        {16, Kind::Collection, Id::Batch, Id::DataValue, "Item", 0, 0,
         "Bare (Set) has no item type"},
        {17, Kind::Simple, Id::Opaque, Id::NoIdentifier, "", 0, 0, ""},
        {18, Kind::Simple, Id::DataValue, Id::NoIdentifier, "", 0, 0,
         "type Odd (Mystery) has no core type"},
        // A loop is named by the first type met again, wherever it is entered.
        {19, Kind::Simple, Id::DataValue, Id::NoIdentifier, "", 0, 0,
         "type Ping is defined through itself"},
        {20, Kind::Simple, Id::DataValue, Id::NoIdentifier, "", 0, 0,
         "type Pong is defined through itself"},
        {21, Kind::Collection, Id::Array, Id::DataValue, "Loop", 0, 0,
         "type Loop is defined through itself"},
    };
    for (const Case& c : cases) {
        const CoreTypeMapping mapped = mapToCoreType(label(c.type), types);
        EXPECT_EQ(mapped.kind, c.kind) << c.type;
        EXPECT_EQ(mapped.identifier, c.identifier) << c.type;
        EXPECT_EQ(mapped.itemIdentifier, c.item) << c.type;
        EXPECT_EQ(mapped.itemName, c.itemName) << c.type;
        EXPECT_EQ(mapped.target, c.target ? std::optional<Label>(label(c.target)) : std::nullopt)
            << c.type;
        EXPECT_EQ(mapped.enumeration,
                  c.enumeration ? std::optional<Label>(label(c.enumeration)) : std::nullopt)
            << c.type;
        EXPECT_EQ(mapped.fallback, c.fallback) << c.type;
    }
}

} // namespace
