#include "elements/ReferenceTargets.h"

#include "Messages.h"
#include "schema/Annotations.h"
#include "schema/DomText.h"
#include "schema/SchemaIndex.h"

#include <MetaMetadata/Loading/Exceptions.h>

#include <Palimo/Utils/StringConversion.h>

#include <xercesc/dom/DOMElement.hpp>

#include <cstddef>
#include <limits>
#include <string>

namespace Palimo {
namespace MetaMetadata {
namespace Loading {

namespace {

constexpr std::size_t kNoParent = std::numeric_limits<std::size_t>::max();

// Duplicates stay, so a group whose members repeat a name at every level
// doubles the list per level: a few kilobytes of schema would ask for more
// names than memory holds. No real dictionary comes near this many targets.
constexpr std::size_t kMaxTargetNames = 65536;

// The group heads from `position` up to the gathered name it descends from,
// innermost first, stopping at the first one called `name`; kNoParent when
// no ancestor is called `name`.
std::size_t findAncestorNamed(const TargetNames& names, const std::vector<std::size_t>& parents,
                              std::size_t position, const WString& name) {
    for (std::size_t at = position; at != kNoParent; at = parents[at]) {
        if (names[at] == name)
            return at;
    }
    return kNoParent;
}

[[noreturn]] void throwCircularGroup(const TargetNames& names,
                                     const std::vector<std::size_t>& parents, std::size_t ancestor,
                                     std::size_t position, const WString& referenceName) {
    std::vector<std::size_t> chain;
    for (std::size_t at = position; at != ancestor; at = parents[at])
        chain.push_back(at);
    chain.push_back(ancestor);
    WString message = Message::kCircularTargets + referenceName + u": ";
    for (auto it = chain.rbegin(); it != chain.rend(); ++it)
        message += names[*it] + u" -> ";
    message += names[ancestor];
    throw Exceptions::InvalidMetaElementDeclaration(message, __FILE__, __LINE__);
}

} // namespace

void gatherReferenceTargets(const Schema& schema, const xercesc::DOMElement* declaration,
                            TargetNames& names) {
    TargetNames refs;
    schema.selectTexts(declaration, u"./*/*/*/xs:choice/xs:element/@ref", refs);
    for (WString& ref : refs)
        names.push_back(stripNamespacePrefix(std::move(ref)));
    addSubstitutionMembers(schema, names,
                           nameAttributeText(schema, declaration).value_or(WString()));
}

void addSubstitutionMembers(const Schema& schema, TargetNames& names,
                            const WString& referenceName) {
    const GroupMembers& members = schema.index().groupMembers();

    // parents[i] is the position of the group head whose expansion appended
    // names[i]; names present on entry have none. Expansion depends on the
    // name alone, so a name that reappears among its own heads would be
    // expanded again and again.
    std::vector<std::size_t> parents(names.size(), kNoParent);
    for (std::size_t position = 0; position < names.size(); ++position) {
        const auto group = members.find(names[position]);
        if (group == members.end())
            continue;
        for (const WString& member : group->second) {
            const std::size_t ancestor = findAncestorNamed(names, parents, position, member);
            if (ancestor != kNoParent)
                throwCircularGroup(names, parents, ancestor, position, referenceName);
            if (names.size() >= kMaxTargetNames)
                throw Exceptions::InvalidMetaElementDeclaration(
                    Message::kTooManyTargets + referenceName + u": more than " +
                        Utils::stringToWstring(std::to_string(kMaxTargetNames)) + u" names",
                    __FILE__, __LINE__);
            names.push_back(member);
            parents.push_back(position);
        }
    }
}

void targetNamesToKeys(const SetKeys& setKeys, const TargetNames& names, KLV::KeyVector& keys) {
    for (const WString& name : names) {
        const auto found = setKeys.find(name);
        if (found != setKeys.end() && found->second != nullptr)
            keys.push_back(*found->second);
    }
}

} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
