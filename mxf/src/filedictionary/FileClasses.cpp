// The classes a file's dictionary defines: those the loaded dictionary has
// (to which the file may add properties) and those it adds, each added one
// with a parent that is known and not itself again, within
// kMaxFileClassDepth classes of its root.
#include "FileDictionaryBuilder.h"

#include <Palimo/KLV/Key.h>

namespace Palimo {
namespace MXF {

using Definitions::auidText;
using Definitions::definitionText;
using Definitions::namedText;

void FileDictionaryBuilder::resolveClasses() {
    const std::vector<ClassDefinition>& classes = definitions_.classes;
    classStates_.assign(classes.size(), ClassState());
    for (std::size_t i = 0; i < classes.size(); ++i) {
        if (duplicate_[0][i])
            continue;
        const ClassDefinition& klass = classes[i];
        ClassState& state = classStates_[i];
        const std::optional<Label> key = classKey(klass.identification);
        if (!key) {
            problem(klass, definitionText("class", klass.name, klass.identification) +
                               " of the file's dictionary is not used: its identification is no "
                               "set key");
            continue;
        }
        const auto [known, added] = classesByKey_.emplace(key->withoutVersion(), i);
        if (!added) {
            problem(klass, definitionText("class", klass.name, klass.identification) +
                               " of the file's dictionary is not used: class " +
                               namedText(classes[known->second].name,
                                         classes[known->second].identification) +
                               " has the same key");
            continue;
        }
        state.dictionarySet = loaded_.sets.find(*key);
        state.use = state.dictionarySet ? ClassState::Use::Dictionary : ClassState::Use::Added;
        state.key = state.dictionarySet ? Label(state.dictionarySet->key().bytes()) : *key;
    }
    linkParents();
    checkAncestry();
}

void FileDictionaryBuilder::linkParents() {
    const std::vector<ClassDefinition>& classes = definitions_.classes;
    for (std::size_t i = 0; i < classes.size(); ++i) {
        ClassState& state = classStates_[i];
        const ClassDefinition& klass = classes[i];
        if (state.use == ClassState::Use::Refused || !klass.parent)
            continue;
        const std::optional<Label> parentKey = classKey(referent(*klass.parent));
        // The roots of AAF's classes name themselves.
        if (parentKey && parentKey->withoutVersion() == state.key.withoutVersion())
            continue;
        const auto defined =
            parentKey ? classesByKey_.find(parentKey->withoutVersion()) : classesByKey_.end();
        if (defined != classesByKey_.end() &&
            classStates_[defined->second].use != ClassState::Use::Refused) {
            // A class of the dictionary inherits only from classes of the
            // dictionary: the file cannot move it below one it adds.
            if (state.use == ClassState::Use::Added ||
                classStates_[defined->second].use == ClassState::Use::Dictionary)
                state.parent = defined->second;
            continue;
        }
        if (state.use != ClassState::Use::Added)
            continue;
        state.dictionaryParent = parentKey ? loaded_.sets.find(*parentKey) : nullptr;
        if (!state.dictionaryParent) {
            state.use = ClassState::Use::Refused;
            problem(klass, definitionText("class", klass.name, klass.identification) +
                               " of the file's dictionary is not used: its parent " +
                               auidText(referent(*klass.parent)) +
                               " is a class of neither the file nor the dictionary");
        }
    }
}

// Walks up from each added class to a class already settled, then settles
// the path down: a class whose parents lead back to it, one below a refused
// class and one too deep are refused. Each class is walked once.
void FileDictionaryBuilder::checkAncestry() {
    const std::vector<ClassDefinition>& classes = definitions_.classes;
    enum class Mark { Unseen, OnPath, Done };
    std::vector<Mark> mark(classes.size(), Mark::Unseen);
    const auto refuse = [&](std::size_t i, const std::string& why) {
        classStates_[i].use = ClassState::Use::Refused;
        problem(classes[i], definitionText("class", classes[i].name, classes[i].identification) +
                                " of the file's dictionary is not used: " + why);
    };
    std::vector<std::size_t> path;
    for (std::size_t start = 0; start < classes.size(); ++start) {
        if (classStates_[start].use != ClassState::Use::Added || mark[start] != Mark::Unseen)
            continue;
        path.clear();
        std::optional<std::size_t> at = start;
        while (at && classStates_[*at].use == ClassState::Use::Added && mark[*at] == Mark::Unseen) {
            mark[*at] = Mark::OnPath;
            path.push_back(*at);
            at = classStates_[*at].parent;
        }
        if (at && mark[*at] == Mark::OnPath)
            for (std::size_t p = path.size(); p-- > 0;) {
                refuse(path[p], "its parents lead back to itself");
                if (path[p] == *at)
                    break;
            }
        for (std::size_t p = path.size(); p-- > 0;) {
            const std::size_t i = path[p];
            mark[i] = Mark::Done;
            ClassState& state = classStates_[i];
            if (state.use == ClassState::Use::Refused)
                continue;
            if (!state.parent) {
                state.depth = 1;
                continue;
            }
            const ClassState& parent = classStates_[*state.parent];
            if (parent.use == ClassState::Use::Refused) {
                refuse(i, "its parent " +
                              namedText(classes[*state.parent].name,
                                        classes[*state.parent].identification) +
                              " is not used");
                continue;
            }
            state.depth = (parent.use == ClassState::Use::Added ? parent.depth : 0) + 1;
            if (state.depth > kMaxFileClassDepth)
                refuse(i, "it lies more than " + std::to_string(kMaxFileClassDepth) +
                              " classes below its root");
        }
    }
}

// An added class is identified by its first member that identifies the sets
// holding it, else as its parent is.
void FileDictionaryBuilder::findUniqueIdentifiers() {
    for (std::size_t i = 0; i < classStates_.size(); ++i) {
        if (classStates_[i].use != ClassState::Use::Added)
            continue;
        std::optional<Label> identifier;
        const MetaMetadata::MetaMetadataSet* dictionaryParent = nullptr;
        for (std::optional<std::size_t> at = i; at && !identifier;) {
            const ClassState& state = classStates_[*at];
            if (state.use == ClassState::Use::Dictionary) {
                dictionaryParent = state.dictionarySet; // identified as the dictionary says
                break;
            }
            for (const FileMember& member : state.members)
                if (member.uniqueIdentifier) {
                    identifier = member.label;
                    break;
                }
            dictionaryParent = state.dictionaryParent;
            at = state.parent;
        }
        if (!identifier && dictionaryParent && loadedTypes_)
            if (const Label* inherited =
                    loadedTypes_->uniqueIdentifier(Label(dictionaryParent->key().bytes())))
                identifier = *inherited;
        if (identifier)
            result_->types_.setUniqueIdentifier(classStates_[i].key, *identifier);
    }
}

} // namespace MXF
} // namespace Palimo
