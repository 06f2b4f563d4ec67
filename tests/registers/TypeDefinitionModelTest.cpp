// The type definitions an import works out from a Types register: the facts
// of each kind, the register's ways that the import turns into the kinds of
// the type definitions, and what is left out and why. Each case is a few
// types and an element of each; the golden files of ImportTest show the
// written form.
#include "TypeDefinitionModel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <map>
#include <sstream>

using namespace Palimo::Registers;

namespace {

// A type of the case: "Symbol Kind" and the facts, as the register gives them.
struct TypeSpec {
    const char* symbol;
    const char* kind;
    const char* base = nullptr; // the symbol of another type of the case, or "missing"
    int size = -1;              // TypeSize; -1 for none
    const char* qualifiers = "";
    // Facets "Symbol=Value" (enumerations) or "Symbol:Type" (record members).
    std::vector<const char*> facets = {};
    const char* label = nullptr; // the label in register form, else one of the case's own
};

struct ModelCase {
    const char* what;
    std::vector<TypeSpec> types;
    const char* expected; // the declarations, then what was left out, renamed and noted
};

// Labels the import knows by more than their facts.
const char kCharacter[] = "urn:smpte:ul:060e2b34.01040101.01100100.00000000";
const char kChar[] = "urn:smpte:ul:060e2b34.01040101.01100300.00000000";
const char kAUID[] = "urn:smpte:ul:060e2b34.01040101.01030100.00000000";
const char kFloat[] = "urn:smpte:ul:060e2b34.01040101.01020100.00000000";
const char kHalfFloat[] = "urn:smpte:ul:060e2b34.01040101.01020300.00000000";
// A label of the Labels register, and a group of the Groups register in two
// versions and one that it lacks.
const char kKindSmall[] = "urn:smpte:ul:060e2b34.0401010e.0e550102.01000000";
const char kGroup[] = "urn:smpte:ul:060e2b34.027f0101.0e550101.04000000";
const char kGroupV2[] = "urn:smpte:ul:060e2b34.027f0102.0e550101.04000000";
const char kNoGroup[] = "urn:smpte:ul:060e2b34.027f0101.0e550101.7e000000";

const ModelCase kCases[] = {
    {"integers of 1 to 8 bytes; the register's floats under its number types",
     {{"UInt48", "Integer", nullptr, 6, "isNumeric"},
      {"Int8", "Integer", nullptr, 1, "isNumeric isSigned"},
      {"Float", "Integer", nullptr, 4, "isNumeric isSigned", {}, kFloat},
      {"HalfFloat", "Integer", nullptr, 2, "isNumeric isSigned", {}, kHalfFloat},
      {"Double", "Float", nullptr, 8},
      {"Int0", "Integer"},
      {"Int9", "Integer", nullptr, 9},
      {"Double2", "Float", nullptr, 2}},
     "Float Float size=4\n"
     "HalfFloat Integer size=2 signed\n"
     "UInt48 Integer size=6\n"
     "Int8 Integer size=1 signed\n"
     "Double Float size=8\n"
     "left out: type definition Int0: it has no size of 1 to 8 bytes\n"
     "left out: type definition Int9: it has no size of 1 to 8 bytes\n"
     "left out: type definition Double2: it has no size of 4 or 8 bytes\n"},
    {"characters by label or size, strings of characters",
     {{"Character", "Character", nullptr, -1, "", {}, kCharacter},
      {"Char", "Character", nullptr, -1, "", {}, kChar},
      {"UTF16String", "String", "Character", 0},
      {"ISO7", "String", "Char", 0},
      {"Wide", "Character", nullptr, 2},
      {"Glyph", "Character"},
      {"Glyphs", "String", "Glyph"},
      {"Bytes", "String", "Int8"},
      {"Int8", "Integer", nullptr, 1}},
     "Character Character size=2\n"
     "Char Character size=1\n"
     "UTF16String String element=Character\n"
     "ISO7 String element=Char\n"
     "Wide Character size=2\n"
     "Int8 Integer size=1\n"
     "left out: type definition Glyph: it has no size of 1 or 2 bytes\n"
     "left out: type definition Glyphs: its character type Glyph is left out\n"
     "left out: type definition Bytes: its character type Int8 is no character type\n"},
    {"enumerations: integers in decimal and hex, strings, and values that are no integer",
     {{"Colour", "Enumeration", "Byte", -1, "", {"Red=0", "Green=0x1f", "Minus=-1", "Bad=abc"}},
      {"Byte", "Integer", nullptr, 1, "isSigned"},
      {"Mode", "Enumeration", "Text", -1, "", {"Fast=fast"}},
      {"Text", "String", "Character"},
      {"Character", "Character", nullptr, -1, "", {}, kCharacter},
      {"Rated", "Enumeration", "Pair"},
      {"Pair", "Record", nullptr, -1, "", {"X:Byte"}}},
     "Character Character size=2\n"
     "Colour Enumeration element=Byte values=0:Red,31:Green,-1:Minus\n"
     "Byte Integer size=1 signed\n"
     "Mode Rename element=Text\n"
     "Text String element=Character\n"
     "Pair Record complex members=X:Byte\n"
     "left out: type definition Rated: its base type Pair is neither an integer, AUID nor a "
     "string\n"
     "note: enumeration Colour: the value \"abc\" (Bad) is no integer with a symbol and is not "
     "listed\n"
     "note: enumeration Mode has values of string type Text: it is written as a rename of it\n"},
    {"an extendible enumeration names its labels by the Labels register (another version too), "
     "else by the facet's symbol, else not at all",
     {{"Kind",
       "Enumeration",
       "AUID",
       -1,
       "",
       {"=urn:smpte:ul:060e2b34.0401010f.0e550102.01000000",
        "Own=urn:smpte:ul:060e2b34.0401010e.0e550102.02000000",
        "=urn:smpte:ul:060e2b34.0401010e.0e550102.7f000000"}},
      {"AUID", "Record", nullptr, -1, "", {"Data1:Int8"}, kAUID},
      {"Int8", "Integer", nullptr, 1}},
     "AUID Record complex members=Data1:Int8\n"
     "Kind ExtendibleEnumeration element=AUID "
     "values=urn:smpte:ul:060e2b34.0401010f.0e550102.01000000:KindSmall,"
     "urn:smpte:ul:060e2b34.0401010e.0e550102.02000000:Own\n"
     "Int8 Integer size=1\n"},
    {"renames of simple and complex types",
     {{"Length", "Rename", "Int64"},
      {"Int64", "Integer", nullptr, 8, "isSigned"},
      {"Umid", "Rename", "Pair"},
      {"Pair", "Record", nullptr, -1, "", {"X:Int64", "Y:Length"}}},
     "Length Rename element=Int64\n"
     "Int64 Integer size=8 signed\n"
     "Umid Rename complex element=Pair\n"
     "Pair Record complex members=X:Int64,Y:Length\n"},
    {"arrays and sets",
     {{"Layout", "FixedArray", "Byte", 8},
      {"Byte", "Integer", nullptr, 1},
      {"Values", "VariableArray", "Byte"},
      {"Batch", "Set", "Byte"},
      {"NoCount", "FixedArray", "Byte"},
      {"NoItems", "VariableArray"}},
     "Layout FixedArray complex element=Byte count=8\n"
     "Byte Integer size=1\n"
     "Values VariableArray complex element=Byte\n"
     "Batch Set complex element=Byte\n"
     "left out: type definition NoCount: it has no element count (TypeSize)\n"
     "left out: type definition NoItems: it has no item type\n"},
    {"references name the local set key of their group, whatever version the register gives",
     {{"StrongToGroup", "StrongReference", "@group"},
      {"WeakToNewerGroup", "WeakReference", "@groupV2"},
      {"ToNoGroup", "WeakReference", "@noGroup"},
      {"Untargeted", "StrongReference"}},
     "StrongToGroup StrongReference target=06.0e.2b.34.02.53.01.01.0e.55.01.01.04.00.00.00\n"
     "WeakToNewerGroup WeakReference target=06.0e.2b.34.02.53.01.01.0e.55.01.01.04.00.00.00\n"
     "ToNoGroup WeakReference target=06.0e.2b.34.02.53.01.01.0e.55.01.01.7e.00.00.00\n"
     "Untargeted StrongReference\n"},
    {"byte types",
     {{"Indirect", "Indirect"}, {"Opaque", "Opaque"}, {"Stream", "Stream"}},
     "Indirect Indirect\n"
     "Opaque Opaque\n"
     "Stream Stream\n"},
    {"a type missing from the register leaves out every type that uses it",
     {{"List", "VariableArray", "Alias"}, {"Alias", "Rename", "missing"}},
     "left out: type definition Alias: its base type "
     "06.0e.2b.34.01.04.01.0e.0e.55.01.01.7f.00.00.00 is not in the Types register\n"
     "left out: type definition List: its item type Alias is left out\n"},
    {"types defined through themselves",
     {{"Node", "Record", nullptr, -1, "", {"Next:Nodes"}},
      {"Nodes", "VariableArray", "Node"},
      {"Loop", "Rename", "Loop"}},
     "left out: type definition Nodes: it is defined through itself\n"
     "left out: type definition Node: its member Next's type Nodes is left out\n"
     "left out: type definition Loop: it is defined through itself\n"},
    {"records need members with symbols and types",
     {{"Empty", "Record"},
      {"Unnamed", "Record", nullptr, -1, "", {":Int8"}},
      {"Untyped", "Record", nullptr, -1, "", {"X:"}},
      {"Int8", "Integer", nullptr, 1}},
     "Int8 Integer size=1\n"
     "left out: type definition Empty: it has no members\n"
     "left out: type definition Unnamed: a member has no symbol\n"
     "left out: type definition Untyped: it has no member X's type\n"},
    {"kinds the import does not know",
     {{"Lens", "LensSerialFloat"}, {"Blank", ""}},
     "left out: type definition Lens: its type kind LensSerialFloat is unknown\n"
     "left out: type definition Blank: it has no type kind\n"},
    {"names: a repeated symbol takes the label's last bytes, a symbol that is no XML name "
     "its characters",
     {{"Twin", "Integer", nullptr, 1},
      {"Twin", "Integer", nullptr, 2, "", {}, "urn:smpte:ul:060e2b34.0104010e.0e550101.7e000000"},
      {"Odd Name", "Integer", nullptr, 4}},
     "Twin Integer size=1\n"
     "Odd_Name Integer size=4\n"
     "Twin_0e5501017e000000 Integer size=2\n"
     "renamed: type Twin is Twin_0e5501017e000000: a type with a lower UL has the symbol\n"
     "renamed: type Odd Name is Odd_Name: the symbol is no XML name\n"},
};

Label caseLabel(std::size_t index) {
    Label::Bytes bytes{0x06, 0x0e, 0x2b, 0x34, 0x01, 0x04, 0x01, 0x0e,
                       0x0e, 0x55, 0x01, 0x01, 0,    0,    0,    0};
    bytes[12] = static_cast<std::uint8_t>(index + 1);
    return Label(bytes);
}

const Label kMissing = [] {
    Label::Bytes bytes = caseLabel(0).bytes();
    bytes[12] = 0x7f;
    return Label(bytes);
}();

Label registerLabel(const char* text) {
    return *parseRegisterLabel(text);
}

// The case's registers: its types, an element of each, the group that its
// references may name and the label that its extendible enumeration may name.
struct CaseRegisters {
    Registers registers;
    Selection selection;
    std::deque<ElementEntry> elements;

    explicit CaseRegisters(const ModelCase& c) {
        std::map<std::string, Label> labels{{"missing", kMissing},
                                            {"@group", registerLabel(kGroup)},
                                            {"@groupV2", registerLabel(kGroupV2)},
                                            {"@noGroup", registerLabel(kNoGroup)}};
        for (std::size_t i = 0; i < c.types.size(); ++i)
            labels.emplace(c.types[i].symbol,
                           c.types[i].label ? registerLabel(c.types[i].label) : caseLabel(i));
        for (std::size_t i = 0; i < c.types.size(); ++i) {
            const TypeSpec& spec = c.types[i];
            TypeEntry& type = registers.types.emplace_back();
            type.ul = spec.label ? registerLabel(spec.label) : caseLabel(i);
            type.symbol = spec.symbol;
            type.name = spec.symbol;
            type.namespaceName = "urn:types";
            type.typeKind = spec.kind;
            if (spec.base)
                type.baseType = labels.at(spec.base);
            if (spec.size >= 0)
                type.typeSize = static_cast<unsigned>(spec.size);
            type.qualifiers = spec.qualifiers;
            for (const std::string facet : spec.facets)
                type.facets.push_back(readFacet(facet, labels));
        }
        GroupEntry& group = registers.groups.emplace_back();
        group.ul = registerLabel(kGroup);
        group.symbol = "Group";
        LabelEntry& label = registers.labels.emplace_back();
        label.ul = registerLabel(kKindSmall);
        label.symbol = "KindSmall";
        for (const TypeEntry& type : registers.types) {
            ElementEntry& element = elements.emplace_back();
            element.symbol = "ElementOf" + type.symbol;
            element.type = type.ul;
            selection.elements.push_back(&element);
        }
    }

    // "Symbol=Value" or "Symbol:Type" (the symbol of a type of the case).
    static TypeFacet readFacet(const std::string& text,
                               const std::map<std::string, Label>& labels) {
        TypeFacet facet;
        const std::size_t value = text.find('=');
        const std::size_t member = text.find(':');
        if (value != std::string::npos && (member == std::string::npos || value < member)) {
            facet.symbol = text.substr(0, value);
            facet.value = text.substr(value + 1);
        } else {
            facet.symbol = text.substr(0, member);
            if (member + 1 < text.size())
                facet.type = labels.at(text.substr(member + 1));
        }
        facet.name = facet.symbol;
        return facet;
    }
};

std::string describe(const TypeDefinitionModel& model) {
    std::ostringstream out;
    for (const TypeDeclaration& type : model.types) {
        out << type.name << ' ' << Palimo::TypeDefinitions::typeKindName(type.kind);
        if (type.complex)
            out << " complex";
        if (type.size != 0)
            out << " size=" << type.size;
        if (type.isSigned)
            out << " signed";
        if (!type.element.empty())
            out << " element=" << type.element;
        if (type.count != 0)
            out << " count=" << type.count;
        std::string members;
        for (const TypeMember& member : type.members)
            members += (members.empty() ? "" : ",") + member.symbol + ":" + member.type;
        if (!members.empty())
            out << " members=" << members;
        std::string values;
        for (const TypeValue& value : type.values)
            values += (values.empty() ? "" : ",") + value.value + ":" + value.symbol;
        if (!values.empty())
            out << " values=" << values;
        if (type.target)
            out << " target=" << type.target->dotted();
        out << '\n';
    }
    for (const LeftOut& item : model.leftOut)
        out << "left out: " << item.what.substr(0, item.what.find(" (")) << ": " << item.reason
            << '\n';
    for (const Rename& rename : model.renames)
        out << "renamed: " << rename.what << ' ' << rename.symbol << " is " << rename.name << ": "
            << rename.reason << '\n';
    for (const std::string& note : model.notes)
        out << "note: " << note << '\n';
    return out.str();
}

} // namespace

TEST(TypeDefinitionModel, KindsFactsAndWhatIsLeftOut) {
    for (const ModelCase& c : kCases) {
        SCOPED_TRACE(c.what);
        const CaseRegisters registers(c);
        const TypeMapper types(registers.registers.types);
        const TypeDefinitionModel model =
            defineTypes(registers.registers, registers.selection, types);
        EXPECT_EQ(describe(model), c.expected);
        // An element has the type definition of its type, when that is written.
        for (const ElementEntry& element : registers.elements) {
            const TypeEntry* type = types.entry(*element.type);
            const auto written =
                std::find_if(model.types.begin(), model.types.end(),
                             [&](const TypeDeclaration& d) { return d.entry == type; });
            const auto linked = model.elementTypes.find(&element);
            if (written == model.types.end())
                EXPECT_EQ(linked, model.elementTypes.end()) << element.symbol;
            else if (linked == model.elementTypes.end())
                ADD_FAILURE() << element.symbol << " has no type definition";
            else
                EXPECT_EQ(linked->second, written->name);
        }
    }
}

TEST(TypeDefinitionModel, TheTargetNamespaceIsTheOneMostTypesName) {
    const ModelCase c{
        "four types", {{"A", "Opaque"}, {"B", "Opaque"}, {"C", "Opaque"}, {"D", "Opaque"}}, ""};
    CaseRegisters registers(c);
    registers.registers.types[0].namespaceName = "urn:a";
    registers.registers.types[3].namespaceName = "urn:z";
    const TypeMapper types(registers.registers.types);
    EXPECT_EQ(defineTypes(registers.registers, registers.selection, types).namespaceURI,
              "urn:types");
}
