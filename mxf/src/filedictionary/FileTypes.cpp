// The types a file's dictionary adds: each built once the types it contains
// are, depth first from an explicit stack; a type that contains itself,
// names a type nobody defines, or nests too deep is refused with every type
// that contains it.
#include "FileDictionaryBuilder.h"

namespace Palimo {
namespace MXF {

using Definitions::auidText;
using Definitions::definitionText;
using Definitions::namedText;
using TypeDefinitions::TypeKind;

namespace {

// 06.0e.2b.34.01.04.01.01.01.03.01.00.00.00.00.00: the values of extendible
// enumerations are AUIDs.
const Label kAUID({0x06, 0x0e, 0x2b, 0x34, 0x01, 0x04, 0x01, 0x01, 0x01, 0x03, 0x01, 0x00, 0x00,
                   0x00, 0x00, 0x00});

// Character types by bytes 9 to 12 of their labels: Character is UTF-16,
// Char and UTF8Character take one byte. Other characters the file defines are
// taken for UTF-16, as AAF defines characters.
std::size_t characterSize(const Label& label) {
    const bool register_ = label.isSMPTE() && label[4] == 0x01 && label[5] == 0x04 &&
                           label[8] == 0x01 && label[9] == 0x10 && label[11] == 0x00;
    return register_ && (label[10] == 0x03 || label[10] == 0x05) ? 1 : 2;
}

const char* roleOf(TypeKind kind) {
    switch (kind) {
    case TypeKind::Rename:
        return "renamed type";
    case TypeKind::Enumeration:
        return "element type";
    case TypeKind::String:
        return "character type";
    case TypeKind::Record:
        return "member type";
    case TypeKind::ExtendibleEnumeration:
        return "value type";
    default:
        return "item type";
    }
}

} // namespace

std::optional<Label> FileDictionaryBuilder::classKey(const Label& identification) const {
    // A class is a set: its identification is a SMPTE group label (byte 5 is
    // 02), whose local set coding has 53 in byte 6.
    if (!identification.isSMPTE() || identification[4] != 0x02)
        return std::nullopt;
    Label::Bytes key = identification.bytes();
    key[5] = 0x53;
    return Label(key);
}

std::vector<Label> FileDictionaryBuilder::containedTypes(const TypeDefinition& type) const {
    switch (type.kind) {
    case TypeKind::Record: {
        std::vector<Label> members;
        members.reserve(type.memberTypes.size());
        for (const Label& member : type.memberTypes)
            members.push_back(referent(member));
        return members;
    }
    case TypeKind::ExtendibleEnumeration:
        return {kAUID};
    case TypeKind::Rename:
    case TypeKind::Enumeration:
    case TypeKind::String:
    case TypeKind::FixedArray:
    case TypeKind::VariableArray:
    case TypeKind::Set:
        if (type.element)
            return {referent(*type.element)};
        return {};
    default: // references name classes, not types
        return {};
    }
}

void FileDictionaryBuilder::buildTypes() {
    const std::vector<TypeDefinition>& types = definitions_.types;
    enum class State { Unseen, Open, Done };
    std::vector<State> state(types.size(), State::Unseen);
    std::vector<std::size_t> depth(types.size(), 0);
    std::vector<bool> cyclic(types.size(), false);
    std::vector<std::string> why(types.size());

    // Types of the loaded dictionary are used as they are.
    const auto candidate = [&](std::size_t i) {
        return !duplicate_[2][i] &&
               (!loadedTypes_ || !loadedTypes_->findType(types[i].identification));
    };
    struct Frame {
        std::size_t type;
        std::vector<Label> contained;
        std::size_t next = 0;
    };
    std::vector<Frame> stack;
    std::vector<std::size_t> onStack(types.size(), 0); // its frame's index + 1
    for (std::size_t start = 0; start < types.size(); ++start) {
        if (!candidate(start) || state[start] != State::Unseen)
            continue;
        state[start] = State::Open;
        stack.push_back({start, containedTypes(types[start])});
        onStack[start] = stack.size();
        while (!stack.empty()) {
            Frame& frame = stack.back();
            const std::size_t at = frame.type;
            if (frame.next < frame.contained.size() && why[at].empty()) {
                const Label& part = frame.contained[frame.next++];
                if (loadedTypes_ && loadedTypes_->findType(part))
                    continue;
                const auto defined = types_.find(part);
                if (defined == types_.end()) {
                    why[at] = "its " + std::string(roleOf(types[at].kind)) + " " + auidText(part) +
                              " is defined neither by the file nor by the "
                              "dictionary";
                    continue;
                }
                const std::size_t next = defined->second;
                if (state[next] == State::Open) {
                    // Every type from there to here contains itself.
                    for (std::size_t f = onStack[next] - 1; f < stack.size(); ++f)
                        cyclic[stack[f].type] = true;
                } else if (state[next] == State::Done) {
                    if (!why[next].empty() && !cyclic[at])
                        why[at] = "its " + std::string(roleOf(types[at].kind)) + " " +
                                  namedText(types[next].name, types[next].identification) +
                                  " is not used";
                    depth[at] = std::max(depth[at], depth[next]);
                } else {
                    state[next] = State::Open;
                    stack.push_back({next, containedTypes(types[next])});
                    onStack[next] = stack.size();
                }
                continue;
            }
            // Every contained type is done: this one is too.
            if (cyclic[at])
                why[at] = "it contains itself";
            if (why[at].empty() && ++depth[at] > kMaxFileTypeDepth)
                why[at] = "it nests more than " + std::to_string(kMaxFileTypeDepth) + " types deep";
            if (why[at].empty())
                why[at] = buildType(types[at]);
            state[at] = State::Done;
            onStack[at] = 0;
            stack.pop_back();
            if (!stack.empty()) {
                Frame& user = stack.back();
                if (!why[at].empty() && !cyclic[user.type] && why[user.type].empty())
                    why[user.type] = "its " + std::string(roleOf(types[user.type].kind)) + " " +
                                     namedText(types[at].name, types[at].identification) +
                                     " is not used";
                depth[user.type] = std::max(depth[user.type], depth[at]);
            }
        }
    }
    for (std::size_t i = 0; i < types.size(); ++i)
        if (!why[i].empty())
            problem(types[i], definitionText("type", types[i].name, types[i].identification) +
                                  " of the file's dictionary is not used: " + why[i]);
}

std::string FileDictionaryBuilder::buildType(const TypeDefinition& type) {
    TypeDefinitions::TypeDictionary& built = result_->types_;
    TypeDefinitions::TypeDefinition definition;
    definition.kind = type.kind;
    definition.label = type.identification;
    definition.symbol = typeNames_[static_cast<std::size_t>(&type - definitions_.types.data())];
    definition.name = type.name;
    definition.namespaceURI = namespaceOf(type);
    definition.documentation = type.description;
    const auto element = [&]() -> const TypeDefinitions::TypeDefinition* {
        return type.element ? built.findType(referent(*type.element)) : nullptr;
    };
    switch (type.kind) {
    case TypeKind::Integer:
        if (!type.size || *type.size < 1 || *type.size > 8)
            return type.size ? "its Size is " + std::to_string(*type.size) + ", not 1 to 8 bytes"
                             : "it has no Size";
        definition.size = *type.size;
        definition.isSigned = type.isSigned;
        break;
    case TypeKind::Character:
        definition.size = characterSize(type.identification);
        break;
    case TypeKind::Rename:
    case TypeKind::FixedArray:
    case TypeKind::VariableArray:
    case TypeKind::Set:
    case TypeKind::String:
    case TypeKind::Enumeration:
        definition.element = element();
        if (!definition.element)
            return std::string("it names no ") + roleOf(type.kind);
        if (type.kind == TypeKind::FixedArray) {
            if (!type.count || *type.count == 0)
                return "it has no ElementCount of 1 or more";
            definition.count = *type.count;
        }
        if (type.kind == TypeKind::String &&
            definition.element->resolved().kind != TypeKind::Character)
            return "its character type " + definition.element->symbol + " is no character type";
        if (type.kind == TypeKind::Enumeration) {
            if (definition.element->resolved().kind != TypeKind::Integer)
                return "its element type " + definition.element->symbol + " is no integer type";
            if (type.names.size() != type.values.size())
                return "it has " + std::to_string(type.names.size()) + " ElementNames and " +
                       std::to_string(type.values.size()) + " ElementValues";
            for (std::size_t i = 0; i < type.values.size(); ++i)
                if (!type.names[i].empty())
                    definition.values.push_back({type.names[i], type.names[i], type.values[i], {}});
        }
        break;
    case TypeKind::ExtendibleEnumeration:
        definition.element = built.findType(kAUID);
        if (type.names.size() != type.labels.size())
            return "it has " + std::to_string(type.names.size()) + " ElementNames and " +
                   std::to_string(type.labels.size()) + " ElementValues";
        for (std::size_t i = 0; i < type.labels.size(); ++i)
            if (!type.names[i].empty())
                definition.values.push_back({type.names[i], type.names[i], 0, type.labels[i]});
        break;
    case TypeKind::Record:
        if (type.memberTypes.empty())
            return "it has no members";
        if (type.names.size() != type.memberTypes.size())
            return "it has " + std::to_string(type.names.size()) + " MemberNames and " +
                   std::to_string(type.memberTypes.size()) + " MemberTypes";
        for (std::size_t i = 0; i < type.memberTypes.size(); ++i) {
            if (type.names[i].empty())
                return "its member " + std::to_string(i + 1) + " has no name";
            definition.members.push_back(
                {type.names[i], built.findType(referent(type.memberTypes[i]))});
        }
        break;
    case TypeKind::StrongReference:
    case TypeKind::WeakReference:
        if (type.element)
            definition.target = classKey(referent(*type.element));
        break;
    default: // Indirect, Opaque, Stream: no facts
        break;
    }
    built.addType(std::move(definition));
    return std::string();
}

} // namespace MXF
} // namespace Palimo
