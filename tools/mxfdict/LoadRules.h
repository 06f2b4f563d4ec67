#pragma once
// The loader's rules for the facts of a declaration that can make a load
// fail (the texts of labels and local tags, and how a data type is found),
// applied to a declaration read straight from a schema file. mxfdict uses
// them to say which declaration a failed load stopped at, and to list every
// such declaration in a check; the load itself does not use them.
#include <xercesc/dom/DOMElement.hpp>

#include <optional>
#include <string>

namespace Mxfdict {

/// `text` as the loader quotes a text from the schema in a message: cut
/// after 256 UTF-16 code units, with a note of its length.
std::string loaderQuoted(const std::string& text);

/// The message of the load's failure on the "UL Designator" text `text`: its
/// own text when it is not 47 characters long, the core library's when that
/// cannot read it; none when it is a label.
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

/// The declaration's unknown type; none when the load finds its data type.
std::optional<UnknownType> unknownType(const xercesc::DOMElement& declaration);

/// Whether the load resolves the declaration to an array or a batch.
bool isCollectionDeclaration(const xercesc::DOMElement& declaration);

/// Whether `name`, pasted into an XPath string literal in apostrophes as the
/// loader pastes set, type and group names, ends the literal early.
bool breaksPastedLiteral(const std::string& name);

} // namespace Mxfdict
