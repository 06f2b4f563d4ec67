#pragma once
// The names of the schema's declarations and the prefixes of the register
// namespaces. Every name is derived from the entry it names and from the
// names it must not repeat, never from the order of the register files, so
// two imports of neighbouring register versions name the same entries alike.
#include "Selection.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace Palimo {
namespace Registers {

struct Names {
    std::map<const GroupEntry*, std::string> sets;       // the set declarations
    std::map<const GroupEntry*, std::string> types;      // their complex types
    std::map<const GroupEntry*, std::string> references; // their ff:Ref declarations
    std::map<const ElementEntry*, std::string> elements;
    std::vector<Rename> renames;
};

/// The type names that the schema's data type file declares; set types keep
/// clear of them.
const std::set<std::string>& reservedTypeNames();

/// Names for the selection. Sets take their Symbol; an element takes its
/// Symbol unless a set has that name (the set lookup by name would find the
/// element) or an element with a lower UL has the same Symbol; then it takes
/// Symbol + "Item" when no Symbol or earlier name is that, else Symbol + "_"
/// + the hex digits of label bytes 9 to 16. Sets that repeat a name, and symbols that are no
/// XML names (their other characters become "_"), are renamed alike. A set
/// S has the type "SType" and the reference declaration "SReference".
Names assignNames(const Selection& selection);

/// A type definition's name and, when it is not the type's Symbol, why.
struct TypeName {
    std::string name;
    std::string reason; // empty when the name is the Symbol
};

/// Names for the type definitions, which live in a namespace of their own:
/// each type takes its Symbol made an XML name, unless a type with a lower UL
/// has that name; then it takes Symbol + "_" + the hex digits of label bytes 9
/// to 16.
std::map<const TypeEntry*, TypeName> assignTypeNames(const std::vector<TypeEntry>& types);

/// The prefix under which the top file declares `uri`: the host without
/// "www." and its last label, then the path segments, joined by "-"
/// ("http://www.example.org/reg/335/2012" gives "example-reg-335-2012"),
/// made an XML name. "ff" for the file format namespace.
std::string namespacePrefix(const std::string& uri);

/// A prefix for each of `uris`; prefixes that would repeat one given to a
/// URI earlier in sorted order take "-2", "-3", ...
std::map<std::string, std::string> namespacePrefixes(const std::set<std::string>& uris);

/// The file format namespace, which the loader binds to "ff".
extern const char kFileFormatNamespace[];

} // namespace Registers
} // namespace Palimo
