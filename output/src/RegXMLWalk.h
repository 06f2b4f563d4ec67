#pragma once
// The walk over decoded header metadata that RegXML writes: from a root set
// through the strong references, each set's items in file order, each value
// by its type definition. Both passes of writeRegXML make the same walk, to
// different sinks.
#include "RegXMLNames.h"
#include "RegXMLSink.h"

#include <Palimo/MXF/DecodedFile.h>
#include <Palimo/TypeDefinitions/TypeDictionary.h>

#include <cstddef>
#include <map>
#include <string>
#include <vector>

namespace Palimo {
namespace Output {

class RegXMLWalk {
public:
    /// `fileDefinitions`: write what only the file's own dictionary defines.
    RegXMLWalk(const MXF::DecodedFile& file, const TypeDefinitions::TypeDictionary& types,
               bool fileDefinitions, RegXMLSink& sink);

    /// Walks from the set of index `root`, which the dictionary knows.
    void walk(std::size_t root);

private:
    void start(const XmlName& name);
    void writeSet(std::size_t index);
    void writeReferencedSet(const Identifiers::UUID& target);
    void writeItem(const MXF::DecodedItem& item);
    void writeContent(const MXF::Value& value);
    void writeRecord(const MXF::Record& record, const TypeDefinitions::TypeDefinition* type);
    void writeList(const MXF::List& list);
    void writeIndirect(const MXF::Indirect& indirect);
    void writeIdentifier(const Identifiers::UUID& uuid,
                         const TypeDefinitions::TypeDefinition& type);
    /// The item that identifies the set, when it has one with a value.
    const MXF::DecodedItem* identifyingItem(const MXF::DecodedSet& set) const;
    /// Whether the set's or item's definition is written: the dictionary's,
    /// or the file's own dictionary's when asked for.
    bool known(const MXF::DecodedSet& set) const;
    bool known(const MXF::DecodedItem& item) const;
    bool known(const TypeDefinitions::TypeDefinition& type) const;

    const MXF::DecodedFile& file_;
    const TypeDefinitions::TypeDictionary& types_;
    const bool fileDefinitions_;
    RegXMLSink& sink_;
    RegXMLNames names_;
    std::map<Identifiers::UUID, std::size_t> byInstanceUID_; // the first set of each
    std::vector<bool> onPath_;                               // sets being written, root to here
    std::vector<bool> written_;                              // sets written (or being written)
    std::size_t depth_ = 0;                                  // sets open
};

} // namespace Output
} // namespace Palimo
