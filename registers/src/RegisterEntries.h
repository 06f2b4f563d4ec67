#pragma once
// The entries of the four registers, as read: texts in UTF-8 with white space
// around them removed, labels parsed. Every entry keeps where it was read.
#include "EntryPlace.h"
#include "RegisterLabels.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace Palimo {
namespace Registers {

/// What every entry of every register carries.
struct EntryCommon {
    EntryPlace place;
    Label ul{};
    std::string symbol;
    std::string name;
    std::string definition;
    std::string namespaceName;
    bool leaf = true; // Kind LEAF; NODE entries only structure the register
    bool deprecated = false;
};

/// An entry of Elements.xml (ST 335).
struct ElementEntry : EntryCommon {
    std::optional<Label> type; // a Types.xml entry
    std::string valueLength;
};

/// One item of a group's Contents.
struct GroupRecord {
    Label ul{};                            // an Elements.xml entry
    std::optional<std::uint16_t> localTag; // none: the tag is assigned per file
    bool optional = true;
    bool uniqueID = false; // the item identifies the sets that hold it (IsUniqueID)
    std::string value;     // a value the register gives the item; empty when none
};

/// An entry of Groups.xml (ST 395).
struct GroupEntry : EntryCommon {
    std::optional<Label> parent;
    std::vector<std::string> klvSyntax; // the KLVSyntax bytes, e.g. "06", "53"
    std::optional<bool> concrete;
    std::vector<GroupRecord> contents;

    /// Whether a KLV coding of the group is a local set (a syntax byte 53).
    bool isLocalSet() const;
};

/// A facet of a Types.xml entry: a record member or an enumeration value.
struct TypeFacet {
    std::string symbol;
    std::string name;
    std::string value;
    std::optional<Label> type;
    bool deprecated = false;
};

/// An entry of Types.xml (ST 2003).
struct TypeEntry : EntryCommon {
    std::string typeKind; // Integer, Rename, Enumeration, Record, Set, ...
    std::optional<Label> baseType;
    std::optional<unsigned> typeSize;
    std::string qualifiers;
    std::vector<TypeFacet> facets;
};

/// An entry of Labels.xml (ST 400).
struct LabelEntry : EntryCommon {};

/// The registers of one snapshot.
struct Registers {
    std::vector<ElementEntry> elements;
    std::vector<GroupEntry> groups;
    std::vector<TypeEntry> types;
    std::vector<LabelEntry> labels;
    bool hasLabels = false;
    /// The revision tag each register file names in its leading comments
    /// ("master_commit_tag=..."), by file name; empty when there is none.
    std::vector<std::pair<std::string, std::string>> revisions;
};

} // namespace Registers
} // namespace Palimo
