#pragma once
// The loader's rules for the facts of a declaration that can make a load
// fail (the texts of labels and local tags, and how a data type is found),
// asked of the loader itself for a declaration of a schema set read again,
// with what a report needs besides: which text failed, and why.
#include "SchemaSet.h"

#include <optional>
#include <string>

namespace Palimo {
namespace Check {

/// `text` as the loader quotes a text from the schema in a message: cut
/// after 256 UTF-16 code units, with a note of its length.
std::string loaderQuoted(const std::string& text);

/// The message of the load's failure on the "UL Designator" text `text`;
/// none when it is a label.
std::optional<std::string> labelFailure(const std::string& text);

/// The message of the load's failure on the "Local Tag" text `text`; none
/// when it is a local tag.
std::optional<std::string> localTagFailure(const std::string& text);

/// Why the load finds no data type for the element declaration: which text
/// names no type the loader knows, or that nothing names one. `collection` is
/// whether the load fails on the item type of a collection ("unknown sub data
/// type") rather than on the type itself.
struct UnknownType {
    bool collection = false;
    std::string reason; // "the type \"ff:Foo\" is no data type the loader knows", ...
};

/// The unknown type of `declaration`, a top-level component of `schema`; none
/// when the load finds its data type.
std::optional<UnknownType> unknownType(const SchemaSet& schema,
                                       const xercesc::DOMElement& declaration);

/// Whether the load resolves the declaration, a top-level component of
/// `schema`, to an array or a batch.
bool isCollectionDeclaration(const SchemaSet& schema, const xercesc::DOMElement& declaration);

/// Whether `name`, pasted into an XPath string literal in apostrophes as the
/// loader pastes set, type and group names, ends the literal early.
bool breaksPastedLiteral(const std::string& name);

/// The name the load looks for when a set, type or group is named `name`:
/// the literal's value ("a''b" names a'b), or `name` as it is.
std::string soughtName(const std::string& name);

} // namespace Check
} // namespace Palimo
