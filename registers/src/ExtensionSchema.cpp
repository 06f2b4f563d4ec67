#include <Palimo/Registers/ExtensionSchema.h>

#include "Naming.h"
#include "SchemaWriter.h"
#include "TypeDefinitionsSchema.h"

#include <Palimo/Utils/StringConversion.h>

#include <deque>
#include <map>
#include <set>
#include <sstream>

namespace Palimo {
namespace Registers {
namespace {

namespace fs = std::filesystem;
using TypeDefinitions::TypeDefinition;

std::string nameOf(const MetaMetadata::PropertyMap& entry) {
    static const WString tagName = Utils::stringToWstring("XMLTagName");
    static const WString name = Utils::stringToWstring("name");
    return Utils::wstringToString(entry.getProperty(entry.hasProperty(tagName) ? tagName : name));
}

// The register-like entries the declarations point to, kept in place.
struct Entries {
    std::deque<GroupEntry> groups;
    std::deque<ElementEntry> elements;
    std::deque<TypeEntry> types;
};

template <class Entry>
Entry& entry(std::deque<Entry>& entries, const Label& ul, const std::string& symbol,
             const std::string& name, const std::string& definition,
             const std::string& namespaceURI) {
    Entry& added = entries.emplace_back();
    added.ul = ul;
    added.symbol = symbol;
    added.name = name;
    added.definition = definition;
    added.namespaceName = namespaceURI;
    return added;
}

class ModelBuilder {
public:
    ModelBuilder(const MXF::FileDictionary& file, const MetaMetadata::Dictionary& dictionary,
                 const TypeDefinitions::TypeDictionary* types)
        : file_(file), dictionary_(dictionary), types_(types) {
        for (const MXF::FileClass& klass : file.classes())
            setNames_.emplace(klass.key, klass.name);
    }

    void build(SchemaModel& model) {
        std::set<std::string> namespaces;
        for (const MXF::FileClass& klass : file_.classes()) {
            if (!klass.added) {
                extended_.emplace_back(klass.name + "Type", members(klass));
                continue;
            }
            GroupEntry& group = entry(entries_.groups, klass.key, klass.name, klass.fileName,
                                      klass.description, klass.namespaceURI);
            group.concrete = klass.concrete;
            const std::string parent = klass.parent ? setName(*klass.parent) : std::string();
            model.sets.push_back({&group, klass.name, klass.name + "Type", klass.name + "Reference",
                                  parent, parent.empty() ? std::string() : parent + "Type",
                                  members(klass)});
            namespaces.insert(klass.namespaceURI);
        }
        for (const MXF::FileProperty& property : file_.properties()) {
            ElementEntry& element =
                entry(entries_.elements, property.label, property.name, property.fileName,
                      property.description, property.namespaceURI);
            ElementDeclaration declaration{
                &element, property.name,     mappedType(property.flat), {},
                {},       property.localTag, property.type->symbol};
            for (const Label& target : property.flat.targets)
                declaration.targets.push_back(setName(target));
            model.elements.push_back(std::move(declaration));
            namespaces.insert(property.namespaceURI);
        }
        model.typeDefinitions.namespaceURI = typeNamespace();
        model.typeDefinitions.description =
            "The types that the file's own dictionary adds, as docs/type-definitions.md of\n"
            "     mxfdict describes them; they name the dictionary's types as theirs. The loader\n"
            "     of the dictionary does not read them.";
        for (const TypeDefinition& type : file_.types().types()) {
            model.typeDefinitions.types.push_back(declaration(type));
            namespaces.insert(type.namespaceURI);
        }
        model.prefixes = namespacePrefixes(namespaces);
    }

    const std::vector<std::pair<std::string, std::vector<MemberDeclaration>>>& extended() const {
        return extended_;
    }

private:
    // The name of the set of `key`: the dictionary's, or a class the file adds.
    std::string setName(const Label& key) const {
        const auto added = setNames_.find(key);
        if (added != setNames_.end())
            return added->second;
        const MetaMetadata::MetaMetadataSet* set =
            dictionary_.findMetaMetadataSetIgnoringVersion(KLV::Key(key.bytes()));
        return set ? nameOf(*set) : std::string();
    }

    static std::vector<MemberDeclaration> members(const MXF::FileClass& klass) {
        std::vector<MemberDeclaration> members;
        for (const MXF::FileMember& member : klass.members)
            members.push_back(
                {nameOf(*member.element), member.optional, std::string(), member.uniqueIdentifier});
        return members;
    }

    static MappedType mappedType(const MXF::FlatType& flat) {
        MappedType mapped;
        mapped.kind = flat.kind;
        mapped.identifier = flat.identifier;
        mapped.itemIdentifier = flat.itemIdentifier;
        mapped.itemName = flat.itemName;
        return mapped;
    }

    // The namespace of the dictionary's type definitions (the one most of
    // them name), so that the file's types name them in their own namespace.
    std::string typeNamespace() const {
        std::map<std::string, std::size_t> counts;
        if (types_)
            for (const TypeDefinition& type : types_->types())
                ++counts[type.namespaceURI];
        std::string best = MXF::kFileDictionaryNamespace;
        std::size_t most = 0;
        for (const auto& [uri, count] : counts)
            if (count > most && !uri.empty()) {
                best = uri;
                most = count;
            }
        return best;
    }

    static bool complex(const TypeDefinition& type) {
        switch (type.resolved().kind) {
        case TypeKind::Record:
        case TypeKind::FixedArray:
        case TypeKind::VariableArray:
        case TypeKind::Set:
            return true;
        default:
            return false;
        }
    }

    TypeDeclaration declaration(const TypeDefinition& type) {
        TypeDeclaration declared;
        declared.entry = &entry(entries_.types, type.label, type.symbol, type.name,
                                type.documentation, type.namespaceURI);
        declared.name = type.symbol;
        declared.kind = type.kind;
        declared.complex = complex(type);
        declared.size = type.size;
        declared.isSigned = type.isSigned;
        if (type.element)
            declared.element = type.element->symbol;
        declared.count = type.count;
        for (const TypeDefinitions::RecordMember& member : type.members)
            declared.members.push_back({member.symbol, member.type->symbol});
        for (const TypeDefinitions::EnumerationValue& value : type.values)
            declared.values.push_back({type.kind == TypeKind::ExtendibleEnumeration
                                           ? value.label.urn()
                                           : std::to_string(value.value),
                                       value.symbol, std::string()});
        declared.target = type.target;
        return declared;
    }

    const MXF::FileDictionary& file_;
    const MetaMetadata::Dictionary& dictionary_;
    const TypeDefinitions::TypeDictionary* types_;
    std::map<Label, std::string> setNames_;
    std::vector<std::pair<std::string, std::vector<MemberDeclaration>>> extended_;
    Entries entries_;
};

std::string topFile(const SchemaModel& model, const ModelBuilder& builder,
                    const std::string& dictionaryLocation, const std::string& source) {
    std::ostringstream text;
    text << " What the dictionary of its own that " << source << "\n     holds adds to "
         << dictionaryLocation << ": " << model.sets.size() << " sets, members of "
         << builder.extended().size() << " of its sets,\n     " << model.elements.size()
         << " elements and " << model.typeDefinitions.types.size()
         << " type definitions. Written by mxfdict extract-dictionary. ";
    std::ostringstream out;
    Output::XmlWriter writer(out, topFileNamespaces(model));
    writer.comment(text.str());
    startTopFile(writer);
    const auto directive = [&writer](const char* name, const std::string& location) {
        writer.startElement(kXmlSchemaNamespace, name);
        writer.attribute("", "schemaLocation", location);
    };
    if (builder.extended().empty()) {
        directive("include", dictionaryLocation);
    } else {
        // The dictionary's sets that the file adds members to extend
        // themselves: the redefinition reaches the files the top file includes.
        directive("redefine", dictionaryLocation);
        for (const auto& [typeName, members] : builder.extended())
            writeSetTypeExtension(writer, typeName, members);
    }
    writer.endElement();
    for (const char* file : {"MXFSets.xsd", "MXFElements.xsd"}) {
        directive("include", file);
        writer.endElement();
    }
    writer.startElement(kXmlSchemaNamespace, "import");
    writer.attribute("", "namespace", model.typeDefinitions.namespaceURI);
    writer.attribute("", "schemaLocation", kTypeDefinitionsFileName);
    writer.endElement();
    writer.endElement();
    writer.finish();
    return out.str();
}

// The dictionary's top file as the written top file names it: relative to
// the directory written, where there is such a path.
std::string locationOf(const fs::path& dictionaryTop, const fs::path& directory) {
    std::error_code error;
    const fs::path top = fs::absolute(dictionaryTop, error);
    const fs::path relative = fs::relative(top, fs::absolute(directory, error), error);
    return (error || relative.empty() ? top : relative).generic_string();
}

} // namespace

ExtensionReport writeExtensionSchema(const MXF::FileDictionary& file,
                                     const MetaMetadata::Dictionary& dictionary,
                                     const TypeDefinitions::TypeDictionary* types,
                                     const fs::path& dictionaryTop, const fs::path& directory,
                                     const std::string& source) {
    SchemaModel model;
    ModelBuilder builder(file, dictionary, types);
    builder.build(model);
    ExtensionReport report;
    std::error_code error;
    fs::create_directories(directory, error); // reported by the write when it fails
    report.dictionaryLocation = locationOf(dictionaryTop, directory);
    report.addedSets = model.sets.size();
    report.extendedSets = builder.extended().size();
    report.elements = model.elements.size();
    report.typeDefinitions = model.typeDefinitions.types.size();
    report.files = writeSchemaFiles(
        {{kTopFileName, topFile(model, builder, report.dictionaryLocation, source)},
         {"MXFSets.xsd", setsSchema(model)},
         {"MXFElements.xsd", elementsSchema(model)},
         {kTypeDefinitionsFileName, typeDefinitionsSchema(model)}},
        directory);
    return report;
}

std::vector<std::string> definitionsNotLoaded(const MXF::FileDictionary& file,
                                              const MetaMetadata::Dictionary& dictionary,
                                              const TypeDefinitions::TypeDictionary& types) {
    std::vector<std::string> missing;
    for (const MXF::FileClass& klass : file.classes()) {
        const auto* set = dictionary.findMetaMetadataSet(KLV::Key(klass.key.bytes()));
        if (!set) {
            missing.push_back("set " + klass.name);
            continue;
        }
        for (const MXF::FileMember& member : klass.members) {
            bool held = false;
            for (const auto& attribute : set->attributes())
                held = held || attribute->metaElement().universalLabel() ==
                                   member.element->universalLabel();
            if (!held)
                missing.push_back("member " + member.label.dotted() + " of set " + klass.name);
        }
    }
    for (const MXF::FileProperty& property : file.properties()) {
        const auto* element =
            dictionary.findMetaElement(Types::UniversalLabel(property.label.bytes()));
        if (!element || element->dataType() != property.element->dataType())
            missing.push_back("element " + property.name);
        else if (types.elementType(property.label) == nullptr)
            missing.push_back("the type definition of element " + property.name);
    }
    for (const auto& type : file.types().types())
        if (types.findType(type.symbol) == nullptr)
            missing.push_back("type definition " + type.symbol);
    return missing;
}

} // namespace Registers
} // namespace Palimo
