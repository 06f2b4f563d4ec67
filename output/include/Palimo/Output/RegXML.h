#pragma once
// RegXML (SMPTE ST 2001-1): decoded header metadata as an XML document whose
// names are the registers' symbols. The rules follow the public converter
// whose output the tests compare against (docs: README, "RegXML").
//
// What is written: the root set (the Preface, unless another is asked for)
// and, nested where they are referred to, the sets its strong references
// reach, each once; a set is an element named by its register symbol (the
// type dictionary's registerSymbol, else its XML tag name) in the namespace
// its dictionary entry gives ("XMLNamespaceURI"), with a `uid` attribute
// holding its identifying item's value when it has one. Its items follow in
// file order, each named by its element's symbol and namespace: numbers in
// decimal; enumerations by symbol (Booleans True and False); labels, UUIDs
// and UMIDs as urn:smpte:ul:, urn:uuid: and urn:smpte:umid:; rationals
// "n/d"; timestamps "2015-05-19T08:52:08.920Z"; records, arrays and sets as
// child elements named by their member symbols or item types; weak
// references as the target's identifier; Indirect values with an
// `actualType` attribute; DataValue, Opaque and Stream bytes as hex. Text
// ends at its first NUL; characters other than tab, line feed and those from
// U+0020 on except "$", U+FFFE and U+FFFF are written "$#xN;" (N in hex),
// and the element gets `escape="true"`. Preface ByteOrder is BigEndian or
// LittleEndian. What cannot be written as a value becomes a comment in its
// place: items the dictionary does not know ("Unknown property", their key
// and bytes), values not decoded or decoded without a type definition,
// references to no set, a set the dictionary does not know, a second
// reference to a set, a cycle, nesting deeper than kMaxRegXMLSetDepth.
//
// The file's own dictionary (MXF/FileDictionary.h): the items, sets and
// Indirect value types that only it defines are written as if the dictionary
// did not know them (comments), unless RegXMLOptions::fileDefinitions asks
// for them as elements, named as the file's dictionary names them in the
// namespace it gives them.
#include <Palimo/MXF/DecodedFile.h>
#include <Palimo/TypeDefinitions/TypeDictionary.h>

#include <cstddef>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace Palimo {
namespace Output {

/// The namespace of the attributes `uid`, `escape` and `actualType`.
inline constexpr char kRegXMLAttributesNamespace[] =
    "http://sandflow.com/ns/SMPTEST2001-1/baseline";

/// How many sets deep strong references are followed.
constexpr std::size_t kMaxRegXMLSetDepth = 200;

struct RegXMLOptions {
    /// Comments written before the root element, one each ("From: a.mxf").
    std::vector<std::string> leadingComments;
    /// The index in the file's sets of the set to write as the root (a
    /// RegXML fragment); none: the Preface, the first set whose key is the
    /// Preface's (any version byte).
    std::optional<std::size_t> root;
    /// Write what only the file's own dictionary defines as elements, not
    /// as comments.
    bool fileDefinitions = false;
};

/// Writes the RegXML document of `file`, decoded with the dictionary whose
/// type definitions `types` are (and the file's own dictionary, whose type
/// definitions are used when it has one), to `out`, as it goes: the namespaces are
/// found by a first walk over the sets, then every piece is written the
/// moment the second walk reaches it. Namespace prefixes are r0, r1, ... in
/// the order their namespaces are first used. Throws RegXMLError, before
/// anything is written, when there is no root set or the dictionary does not
/// know it. A failing stream is not reported here: the caller checks `out`.
///
/// Threads: only reads `file` and `types`; any number of documents may be
/// written at once from the same ones.
void writeRegXML(std::ostream& out, const MXF::DecodedFile& file,
                 const TypeDefinitions::TypeDictionary& types, const RegXMLOptions& options = {});

} // namespace Output
} // namespace Palimo
