#include "DictionaryGenerator.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>

namespace Palimo {
namespace Bench {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kNone = static_cast<std::size_t>(-1);
const char kFileFormatNamespace[] = "urn:SMPTE:MXF:file_format";
const char kExtensionNamespace[] = "urn:palimo:bench:extension";
const char kExtensionPrefix[] = "pbx";
const char kTopFile[] = "MXFDictionary.xsd";
const char kTypesFile[] = "FileFormatTypes.xsd";
const char kElementsFile[] = "Elements.xsd";
const char kSetsFile[] = "Sets.xsd";
const char kExtensionFile[] = "Extension.xsd";

// The standard fixes mt19937's raw outputs but not its distributions, so draws
// are reduced by hand: the same seed gives the same files with any library.
class Draw {
public:
    explicit Draw(std::uint32_t seed) : engine_(seed) {}
    std::size_t below(std::size_t n) { return static_cast<std::size_t>(engine_() % n); }
    bool percent(unsigned p) { return below(100) < p; }
    template <class T, std::size_t N>
    const T& pick(const std::array<T, N>& items) {
        return items[below(N)];
    }

private:
    std::mt19937 engine_;
};

enum class Kind { Simple, Enumeration, Collection, Reference, ReferenceCollection };

struct Element {
    std::string name;
    std::string standardName;
    Kind kind = Kind::Simple;
    std::string type;                 // simple type, enumeration base or collection item type
    std::string base;                 // Array/Batch or one of the six reference holders
    std::vector<std::size_t> targets; // set indices named in the choice
    std::size_t enumerationSize = 0;
    std::string label;
    std::string tag; // empty: no local tag
    bool extension = false;
};

struct Member {
    std::size_t element = 0;
    std::string use;
    std::string distinguishedValue;
    std::string semantics; // RequiresSemanticsValidation, empty: none
};

struct Set {
    std::string name;
    std::string standardName;
    std::size_t parent = kNone;
    std::size_t substitutionHead = kNone;
    bool abstract = false;
    bool extension = false;
    std::vector<Member> members;
    std::string label;
};

struct Model {
    std::vector<Element> elements;
    std::vector<Set> sets;
    std::size_t groupCount = 0;
};

using Shape = GeneratorOptions::Shape;

// The deepest inheritance chain of the register shape, the root set included.
constexpr std::size_t kRegisterDepth = 7;

const std::array<const char*, 28> kSimpleTypes = {
    "UInt8",          "UInt16",      "UInt32",         "UInt32",     "UInt64",   "Int8",
    "Int16",          "Int32",       "Int32",          "Int64",      "Boolean",  "Boolean",
    "UTF16String",    "UTF16String", "UTF16String",    "ISO7String", "Rational", "UniversalLabel",
    "UniversalLabel", "UUID",        "UMID32",         "Length",     "Length",   "Position",
    "Timestamp",      "VersionType", "ProductVersion", "UTF16"};
const std::array<const char*, 9> kItemTypes = {"UInt32",         "UInt8",          "Int32",
                                               "UniversalLabel", "UniversalLabel", "UUID",
                                               "UTF16String",    "Rational",       "Boolean"};
const std::array<const char*, 4> kReferenceHolders = {"StrongRefHolder", "StrongRefHolder",
                                                      "WeakRefHolder", "WeakRefHolder"};
const std::array<const char*, 4> kReferenceCollections = {"StrongRefArray", "StrongRefBatch",
                                                          "WeakRefArray", "WeakRefBatch"};

const std::array<const char*, 20> kElementWords = {
    "Sample",    "Frame",      "Edit",     "Stored", "Sampled",      "Display", "Active",
    "Component", "Horizontal", "Vertical", "Audio",  "Channel",      "Linked",  "Essence",
    "Container", "Codec",      "Signal",   "Colour", "Quantization", "Coding"};
const std::array<const char*, 20> kPropertyWords = {
    "Rate",  "Width",      "Height",  "Offset",   "Count",    "Depth",    "Format",
    "Label", "Identifier", "Name",    "Duration", "Origin",   "Size",     "Flags",
    "Ratio", "Level",      "Version", "Mode",     "Sequence", "Structure"};
const std::array<const char*, 16> kSetWords = {
    "Picture",  "Sound",  "Data",     "Timecode",  "Event",  "Static",  "Auxiliary", "Subtitle",
    "Metadata", "Source", "Material", "Container", "Stream", "Caption", "Ancillary", "Mezzanine"};
const std::array<const char*, 9> kGroupWords = {"Descriptor", "Track",      "Package",
                                                "Component",  "Locator",    "Segment",
                                                "Framework",  "Collection", "SubDescriptor"};

std::string number(std::size_t value, int width) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%0*zu", width, value);
    return buffer;
}

std::string hexByte(std::size_t value) {
    char buffer[4];
    std::snprintf(buffer, sizeof buffer, "%02x", static_cast<unsigned>(value & 0xff));
    return buffer;
}

// Element labels share a private node of the registry; the low four bytes
// count, so every label of a dictionary is distinct.
std::string elementLabel(std::size_t index, std::uint32_t seed) {
    return "06.0e.2b.34.01.01.01.0e.0f.b0." + hexByte(seed) + "." + hexByte(seed >> 8) + "." +
           hexByte(index >> 24) + "." + hexByte(index >> 16) + "." + hexByte(index >> 8) + "." +
           hexByte(index);
}

std::string setLabel(std::size_t index, std::uint32_t seed) {
    return "06.0e.2b.34.02.53.01.01.0d.0f.b0." + hexByte(seed) + "." + hexByte(index >> 16) + "." +
           hexByte(index >> 8) + "." + hexByte(index) + ".00";
}

std::string tagText(std::size_t value) {
    return hexByte(value >> 8) + "." + hexByte(value);
}

std::string uuidText(Draw& draw) {
    std::string text;
    for (int i = 0; i < 16; ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10)
            text += '-';
        text += hexByte(draw.below(256));
    }
    return text;
}

std::string dottedBytes(Draw& draw, int count) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += (i ? "." : "") + hexByte(draw.below(256));
    return text;
}

// A default text that the value parser reads for the type; empty for types
// that have no textual default.
std::string defaultFor(const std::string& type, Draw& draw) {
    static const std::array<const char*, 5> rationals = {"{25,1}", "{30000,1001}", "{24000,1001}",
                                                         "{50,1}", "{48000,1}"};
    if (type == "Boolean")
        return draw.percent(50) ? "0" : "1";
    if (type == "UInt8")
        return std::to_string(draw.below(256));
    if (type == "UInt16")
        return std::to_string(draw.below(65536));
    if (type == "UInt32" || type == "Length" || type == "Position")
        return std::to_string(draw.below(1000000));
    if (type == "UInt64")
        return std::to_string(4294967296ull + draw.below(1000000));
    if (type == "Int8")
        return std::to_string(static_cast<long>(draw.below(256)) - 128);
    if (type == "Int16" || type == "Int32")
        return std::to_string(static_cast<long>(draw.below(20000)) - 10000);
    if (type == "Int64")
        return "-" + std::to_string(4294967296ull + draw.below(1000000));
    if (type == "UTF16String")
        return draw.percent(50) ? "Untitled" : "Palimo benchmark";
    if (type == "ISO7String")
        return "und";
    if (type == "UTF16")
        return "x";
    if (type == "Rational")
        return draw.pick(rationals);
    if (type == "UniversalLabel")
        return "06.0e.2b.34.04.01.01.01." + dottedBytes(draw, 8);
    if (type == "UUID")
        return uuidText(draw);
    if (type == "UMID32")
        return "06.0a.2b.34.01.01.01.05.01.01.0d.13.00.00.00." + dottedBytes(draw, 17);
    return {};
}

std::string collectionDefault(const std::string& itemType, Draw& draw) {
    const std::size_t items = 2 + draw.below(3);
    std::string text = "{";
    for (std::size_t i = 0; i < items; ++i)
        text += (i ? "," : "") + defaultFor(itemType, draw);
    return text + "}";
}

bool hasTextDefault(const Element& element) {
    switch (element.kind) {
    case Kind::Simple:
        return element.type != "Timestamp" && element.type != "VersionType" &&
               element.type != "ProductVersion";
    case Kind::Enumeration:
        return true;
    case Kind::Collection:
        // A rational is written in braces itself, which a collection text
        // cannot nest.
        return element.type != "Rational";
    default:
        return false;
    }
}

void chooseKind(Element& element, const Model& model, Draw& draw) {
    const std::size_t roll = draw.below(100);
    const std::size_t setCount = model.sets.size();
    if (roll < 62) {
        element.kind = Kind::Simple;
        element.type = draw.pick(kSimpleTypes);
    } else if (roll < 70) {
        element.kind = Kind::Enumeration;
        element.type = draw.percent(70) ? "UInt8" : "UInt16";
        element.enumerationSize = 3 + draw.below(6);
    } else if (roll < 84) {
        element.kind = Kind::Collection;
        element.base = draw.percent(50) ? "Array" : "Batch";
        element.type = draw.pick(kItemTypes);
    } else {
        const bool holder = roll < 93;
        element.kind = holder ? Kind::Reference : Kind::ReferenceCollection;
        element.base = holder ? draw.pick(kReferenceHolders) : draw.pick(kReferenceCollections);
        // Mostly an abstract group head whose members come through the
        // substitution groups, else one or two concrete sets.
        const std::size_t targetRoll = draw.below(100);
        if (targetRoll < 50) {
            element.targets.push_back(1 + draw.below(model.groupCount));
        } else {
            element.targets.push_back(1 + draw.below(setCount - 1));
            if (targetRoll >= 85)
                element.targets.push_back(1 + draw.below(setCount - 1));
        }
    }
}

Member makeMember(std::size_t index, const Element& element, Draw& draw) {
    Member member;
    member.element = index;
    const std::size_t useRoll = draw.below(100);
    member.use = useRoll < 30 ? "required" : useRoll < 95 ? "optional" : "best effort";
    if (hasTextDefault(element) && draw.percent(25)) {
        if (element.kind == Kind::Collection)
            member.distinguishedValue = collectionDefault(element.type, draw);
        else if (element.kind == Kind::Enumeration)
            member.distinguishedValue = std::to_string(draw.below(element.enumerationSize));
        else
            member.distinguishedValue = defaultFor(element.type, draw);
    }
    if (draw.percent(10))
        member.semantics = draw.percent(50) ? "true" : "false";
    return member;
}

// Root set, abstract group heads below it, concrete sets below the heads and
// further concrete levels below some of those: inheritance chains of three
// and four types in the benchmark shape, of up to kRegisterDepth in the
// register shape. In the benchmark shape the last sixteenth of the sets
// lives in the extension namespace and derives from sets of the file format
// namespace.
void buildSets(Model& model, std::size_t setCount, std::uint32_t seed, Shape shape, Draw& draw) {
    model.groupCount = std::max<std::size_t>(1, setCount / 8);
    const std::size_t extensionStart =
        shape == Shape::Register ? setCount : setCount - std::max<std::size_t>(1, setCount / 16);
    std::vector<std::vector<std::size_t>> concreteByGroup(model.groupCount);
    std::vector<std::size_t> depth(setCount, 1);
    model.sets.resize(setCount);
    for (std::size_t i = 0; i < setCount; ++i) {
        Set& set = model.sets[i];
        set.label = setLabel(i, seed);
        set.extension = i >= extensionStart && i > model.groupCount;
        if (i == 0) {
            set.name = "BenchInterchangeObject";
            set.standardName = "Bench Interchange Object";
            set.abstract = true;
            continue;
        }
        std::size_t group;
        std::string word;
        if (i <= model.groupCount) {
            group = i - 1;
            set.parent = 0;
            depth[i] = 2;
            set.abstract = true;
            word = "Generic";
        } else {
            group = draw.below(model.groupCount);
            auto& concrete = concreteByGroup[group];
            set.parent = 1 + group;
            if (shape == Shape::Register) {
                // The most recent concrete set of the group that can take one
                // more level, so that chains grow deep.
                if (draw.percent(60)) {
                    for (auto it = concrete.rbegin(); it != concrete.rend(); ++it) {
                        if (depth[*it] < kRegisterDepth) {
                            set.parent = *it;
                            break;
                        }
                    }
                }
            } else if (!concrete.empty() && draw.percent(40)) {
                set.parent = concrete[draw.below(concrete.size())];
            }
            set.substitutionHead = set.parent;
            concrete.push_back(i);
            depth[i] = depth[set.parent] + 1;
            word = draw.pick(kSetWords);
        }
        const std::string groupWord = kGroupWords[group % kGroupWords.size()];
        set.name = word + groupWord + number(i, 5);
        set.standardName = word + " " + groupWord + " " + std::to_string(i);
    }
}

void buildElements(Model& model, std::size_t elementCount, std::uint32_t seed, Draw& draw) {
    model.elements.resize(elementCount);
    std::size_t nextTag = 0x1001;
    for (std::size_t i = 0; i < elementCount; ++i) {
        Element& element = model.elements[i];
        element.label = elementLabel(i, seed);
        std::size_t owner;
        if (i < 2) {
            // Every set inherits the instance and generation identifiers.
            owner = 0;
            element.kind = Kind::Simple;
            element.type = "UUID";
            element.name = i == 0 ? "BenchInstanceIdentifier" : "BenchGenerationIdentifier";
            element.standardName = i == 0 ? "Instance Identifier" : "Generation Identifier";
            element.tag = i == 0 ? "3c.0a" : "01.02";
        } else {
            owner = 1 + draw.below(model.sets.size() - 1);
            chooseKind(element, model, draw);
            const char* first = draw.pick(kElementWords);
            const char* second = draw.pick(kPropertyWords);
            element.name = std::string(first) + second + number(i, 5);
            element.standardName = std::string(first) + " " + second + " " + std::to_string(i);
            // A few elements carry no local tag; the others get distinct ones
            // that avoid the two fixed tags above.
            if (draw.below(20) != 0 && nextTag <= 0xffff) {
                if (nextTag == 0x3c0a)
                    ++nextTag;
                element.tag = tagText(nextTag++);
            }
        }
        Set& set = model.sets[owner];
        element.extension = set.extension;
        Member member = makeMember(i, element, draw);
        if (i == 0)
            member.use = "required";
        set.members.push_back(member);
    }
}

class Writer {
public:
    explicit Writer(const fs::path& path) : path_(path) {}
    Writer& line(int indent, const std::string& text) {
        text_.append(static_cast<std::size_t>(indent) * 2, ' ');
        text_ += text;
        text_ += '\n';
        return *this;
    }
    void save() const {
        std::ofstream out(path_, std::ios::binary | std::ios::trunc);
        out << text_;
        out.close();
        if (!out)
            throw std::runtime_error("cannot write " + path_.string());
    }

private:
    fs::path path_;
    std::string text_;
};

std::string namespaceOf(bool extension) {
    return extension ? kExtensionNamespace : kFileFormatNamespace;
}

std::string qualified(bool extension, const std::string& name) {
    return (extension ? std::string(kExtensionPrefix) : std::string("ff")) + ":" + name;
}

std::string appinfo(const std::string& source, const std::string& text) {
    return "<xs:appinfo source=\"" + source + "\">" + text + "</xs:appinfo>";
}

void openSchema(Writer& w, bool extension, const std::string& comment) {
    w.line(0, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
    w.line(0, "<!-- " + comment + " -->");
    w.line(0, "<xs:schema xmlns:xs=\"http://www.w3.org/2001/XMLSchema\"");
    w.line(0, "           xmlns:ff=\"" + std::string(kFileFormatNamespace) + "\"");
    w.line(0, "           xmlns:" + std::string(kExtensionPrefix) + "=\"" + kExtensionNamespace +
                  "\"");
    w.line(0, "           targetNamespace=\"" + namespaceOf(extension) +
                  "\" elementFormDefault=\"qualified\">");
}

void writeElement(Writer& w, const Model& model, const Element& e) {
    const bool named = e.kind == Kind::Simple;
    w.line(1, "<xs:element name=\"" + e.name + "\"" +
                  (named ? " type=\"ff:" + e.type + "\"" : std::string()) + ">");
    w.line(2, "<xs:annotation>");
    w.line(3, "<xs:documentation>The " + e.standardName + " property of the benchmark dictionary." +
                  "</xs:documentation>");
    w.line(3, "<xs:appinfo source=\"RP210\"/>");
    w.line(3, appinfo("UL Designator", e.label));
    if (!e.tag.empty())
        w.line(3, appinfo("Local Tag", e.tag));
    w.line(3, appinfo("Name In Specification", e.standardName));
    w.line(3, appinfo("XMLNamespaceURI", namespaceOf(e.extension)));
    w.line(2, "</xs:annotation>");
    switch (e.kind) {
    case Kind::Simple:
        break;
    case Kind::Enumeration:
        w.line(2, "<xs:simpleType>");
        w.line(3, "<xs:restriction base=\"ff:" + e.type + "\">");
        for (std::size_t v = 0; v < e.enumerationSize; ++v)
            w.line(4, "<xs:enumeration value=\"" + std::to_string(v) + "\"/>");
        w.line(3, "</xs:restriction>");
        w.line(2, "</xs:simpleType>");
        break;
    case Kind::Collection:
        w.line(2, "<xs:complexType>");
        w.line(3, "<xs:complexContent>");
        w.line(4, "<xs:extension base=\"ff:" + e.base + "\">");
        w.line(5, "<xs:sequence>");
        w.line(6, "<xs:element name=\"" + e.type + "\" type=\"ff:" + e.type +
                      "\" minOccurs=\"0\" maxOccurs=\"unbounded\"/>");
        w.line(5, "</xs:sequence>");
        w.line(4, "</xs:extension>");
        w.line(3, "</xs:complexContent>");
        w.line(2, "</xs:complexType>");
        break;
    case Kind::Reference:
    case Kind::ReferenceCollection:
        w.line(2, "<xs:complexType>");
        w.line(3, "<xs:complexContent>");
        w.line(4, "<xs:extension base=\"ff:" + e.base + "\">");
        w.line(5, e.kind == Kind::Reference
                      ? "<xs:choice>"
                      : "<xs:choice minOccurs=\"0\" maxOccurs=\"unbounded\">");
        for (std::size_t target : e.targets) {
            const Set& set = model.sets[target];
            w.line(6, "<xs:element ref=\"" + qualified(set.extension, set.name) + "\"/>");
        }
        w.line(5, "</xs:choice>");
        w.line(4, "</xs:extension>");
        w.line(3, "</xs:complexContent>");
        w.line(2, "</xs:complexType>");
        break;
    }
    w.line(1, "</xs:element>");
}

void writeSetType(Writer& w, const Model& model, const Set& set) {
    const std::string typeName = set.name + "Type";
    int indent = 2;
    w.line(1, "<xs:complexType name=\"" + typeName + "\"" +
                  (set.abstract ? " abstract=\"true\"" : "") + ">");
    if (set.parent != kNone) {
        const Set& parent = model.sets[set.parent];
        w.line(2, "<xs:complexContent>");
        w.line(3,
               "<xs:extension base=\"" + qualified(parent.extension, parent.name + "Type") + "\">");
        indent = 4;
    }
    w.line(indent, "<xs:sequence>");
    for (const Member& m : set.members) {
        const Element& e = model.elements[m.element];
        w.line(indent + 1, "<xs:element ref=\"" + qualified(e.extension, e.name) + "\"" +
                               (m.use == "required" ? "" : " minOccurs=\"0\"") + ">");
        w.line(indent + 2, "<xs:annotation>");
        w.line(indent + 3, appinfo("use", m.use));
        if (!m.distinguishedValue.empty())
            w.line(indent + 3, appinfo("Distinguished Value", m.distinguishedValue));
        if (!m.semantics.empty())
            w.line(indent + 3, appinfo("RequiresSemanticsValidation", m.semantics));
        if (e.extension)
            w.line(indent + 3, appinfo("XMLNamespaceURI", kExtensionNamespace));
        w.line(indent + 2, "</xs:annotation>");
        w.line(indent + 1, "</xs:element>");
    }
    w.line(indent, "</xs:sequence>");
    if (set.parent != kNone) {
        w.line(3, "</xs:extension>");
        w.line(2, "</xs:complexContent>");
    }
    w.line(1, "</xs:complexType>");
}

void writeSetDeclaration(Writer& w, const Model& model, const Set& set) {
    std::string head = "<xs:element name=\"" + set.name + "\" type=\"" +
                       qualified(set.extension, set.name + "Type") + "\"";
    if (set.abstract)
        head += " abstract=\"true\"";
    if (set.substitutionHead != kNone) {
        const Set& group = model.sets[set.substitutionHead];
        head += " substitutionGroup=\"" + qualified(group.extension, group.name) + "\"";
    }
    w.line(1, head + ">");
    w.line(2, "<xs:annotation>");
    w.line(3, "<xs:documentation>The " + set.standardName + " set of the benchmark dictionary." +
                  "</xs:documentation>");
    w.line(3, appinfo("UL Designator", set.label));
    w.line(3, appinfo("Name In Specification", set.standardName));
    w.line(3, appinfo("XMLNamespaceURI", namespaceOf(set.extension)));
    w.line(2, "</xs:annotation>");
    w.line(1, "</xs:element>");
    // The reference declaration through which the loader finds the set.
    w.line(1, "<xs:element name=\"" + set.name +
                  "Reference\" type=\"ff:Ref\" substitutionGroup=\"" +
                  qualified(set.extension, set.name) + "\"/>");
}

void writeTypes(Writer& w) {
    static const std::array<std::pair<const char*, const char*>, 22> simpleTypes = {{
        {"UInt8", "xs:unsignedByte"},
        {"UInt16", "xs:unsignedShort"},
        {"UInt32", "xs:unsignedInt"},
        {"UInt64", "xs:unsignedLong"},
        {"Int8", "xs:byte"},
        {"Int16", "xs:short"},
        {"Int32", "xs:int"},
        {"Int64", "xs:long"},
        {"Boolean", "xs:boolean"},
        {"UTF16String", "xs:string"},
        {"ISO7String", "xs:string"},
        {"UTF16", "xs:string"},
        {"UniversalLabel", "xs:string"},
        {"UUID", "xs:string"},
        {"UMID32", "xs:string"},
        {"Length", "xs:long"},
        {"Position", "xs:long"},
        {"Timestamp", "xs:dateTime"},
        {"VersionType", "xs:string"},
        {"ProductVersion", "xs:string"},
        {"Rational", "xs:string"},
        {"DataValue", "xs:hexBinary"},
    }};
    static const std::array<const char*, 9> baseTypes = {
        "Ref",           "Array",          "Batch",          "StrongRefHolder",
        "WeakRefHolder", "StrongRefArray", "StrongRefBatch", "WeakRefArray",
        "WeakRefBatch"};
    for (const auto& [name, base] : simpleTypes) {
        w.line(1, "<xs:simpleType name=\"" + std::string(name) + "\">");
        w.line(2, "<xs:restriction base=\"" + std::string(base) + "\"/>");
        w.line(1, "</xs:simpleType>");
    }
    for (const char* name : baseTypes) {
        w.line(1, "<xs:complexType name=\"" + std::string(name) + "\" abstract=\"true\">");
        w.line(2, "<xs:sequence/>");
        w.line(1, "</xs:complexType>");
    }
}

void writeTypesFile(const fs::path& path) {
    Writer w(path);
    openSchema(w, false, "Types of the MXF file format namespace used by the benchmark dictionary");
    writeTypes(w);
    w.line(0, "</xs:schema>");
    w.save();
}

void writeTopFile(const fs::path& path) {
    Writer w(path);
    openSchema(w, false, "Benchmark MXF dictionary (generated)");
    w.line(1, std::string("<xs:include schemaLocation=\"") + kTypesFile + "\"/>");
    w.line(1, std::string("<xs:include schemaLocation=\"") + kElementsFile + "\"/>");
    w.line(1, std::string("<xs:include schemaLocation=\"") + kSetsFile + "\"/>");
    w.line(1, std::string("<xs:import namespace=\"") + kExtensionNamespace +
                  "\" schemaLocation=\"" + kExtensionFile + "\"/>");
    w.line(0, "</xs:schema>");
    w.save();
}

void writeNamespaceFiles(const fs::path& directory, const Model& model) {
    Writer elements(directory / kElementsFile);
    Writer sets(directory / kSetsFile);
    Writer extension(directory / kExtensionFile);
    openSchema(elements, false, "Meta element declarations of the benchmark dictionary");
    openSchema(sets, false, "Set types and set declarations of the benchmark dictionary");
    openSchema(extension, true, "Extension namespace of the benchmark dictionary");
    for (const Element& e : model.elements)
        writeElement(e.extension ? extension : elements, model, e);
    for (const Set& s : model.sets)
        writeSetType(s.extension ? extension : sets, model, s);
    for (const Set& s : model.sets)
        writeSetDeclaration(s.extension ? extension : sets, model, s);
    for (Writer* w : {&elements, &sets, &extension}) {
        w->line(0, "</xs:schema>");
        w->save();
    }
}

// Everything in one file of the file format namespace.
void writeSingleFile(const fs::path& path, const Model& model) {
    Writer w(path);
    openSchema(w, false, "Benchmark MXF dictionary of the register shape (generated)");
    writeTypes(w);
    for (const Element& e : model.elements)
        writeElement(w, model, e);
    for (const Set& s : model.sets)
        writeSetType(w, model, s);
    for (const Set& s : model.sets)
        writeSetDeclaration(w, model, s);
    w.line(0, "</xs:schema>");
    w.save();
}

} // namespace

GeneratedDictionary generateDictionary(const fs::path& directory, const GeneratorOptions& options) {
    if (options.elementCount < 16)
        throw std::invalid_argument("a benchmark dictionary needs at least 16 elements");
    Draw draw(options.seed);
    Model model;
    const std::size_t membersPerSet = options.shape == Shape::Register ? 12 : 8;
    buildSets(model, std::max<std::size_t>(8, options.elementCount / membersPerSet), options.seed,
              options.shape, draw);
    buildElements(model, options.elementCount, options.seed, draw);

    fs::create_directories(directory);
    GeneratedDictionary result;
    result.topFile = directory / kTopFile;
    if (options.shape == Shape::Register) {
        writeSingleFile(result.topFile, model);
        result.files = {result.topFile};
    } else {
        writeTopFile(result.topFile);
        writeTypesFile(directory / kTypesFile);
        writeNamespaceFiles(directory, model);
        result.files = {result.topFile, directory / kTypesFile, directory / kElementsFile,
                        directory / kSetsFile, directory / kExtensionFile};
    }

    result.elementCount = model.elements.size();
    result.setCount = model.sets.size();
    for (const Element& e : model.elements) {
        if (e.kind == Kind::Reference || e.kind == Kind::ReferenceCollection)
            ++result.referenceElementCount;
        if (e.kind == Kind::Collection || e.kind == Kind::ReferenceCollection)
            ++result.collectionElementCount;
    }
    for (const Set& s : model.sets)
        for (const Member& m : s.members)
            result.distinguishedValueCount += m.distinguishedValue.empty() ? 0 : 1;
    return result;
}

} // namespace Bench
} // namespace Palimo
