#include <Palimo/Registers/Importer.h>

#include "RegisterReader.h"
#include "SchemaModel.h"
#include "SchemaWriter.h"

namespace Palimo {
namespace Registers {

ImportReport importRegisters(const std::filesystem::path& registersDirectory,
                             const std::filesystem::path& outputDirectory) {
    const Registers registers = readRegisters(registersDirectory);
    const Selection selection = selectEntries(registers);
    const Names names = assignNames(selection);
    const TypeMapper types(registers.types);
    const SchemaModel model = buildSchemaModel(registers, selection, names, types);

    ImportReport report;
    report.elementsRead = registers.elements.size();
    report.groupsRead = registers.groups.size();
    report.typesRead = registers.types.size();
    report.labelsRead = registers.labels.size();
    report.labelsPresent = registers.hasLabels;
    report.sets = model.sets.size();
    report.elements = model.elements.size();
    for (const SetDeclaration& set : model.sets) {
        report.members += set.members.size();
        for (const MemberDeclaration& member : set.members)
            report.uniqueIdentifiers += member.uniqueIdentifier ? 1 : 0;
    }
    report.typeDefinitions = model.typeDefinitions.types.size();
    report.typedElements = model.typeDefinitions.elementTypes.size();
    if (model.labelNames)
        report.labelNames = model.labelNames->size();
    report.localTags = selection.localTags.size();
    for (const ElementDeclaration& element : model.elements) {
        report.references += element.type.kind == MappedType::Kind::Reference ||
                                     element.type.kind == MappedType::Kind::ReferenceCollection
                                 ? 1
                                 : 0;
        report.enumerations += element.type.enumeration ? 1 : 0;
    }
    report.groupsNotLocal = selection.groupsNotLocal;
    report.elementsNotHeld = selection.elementsNotHeld;
    report.leftOut = selection.leftOut;
    report.leftOut.insert(report.leftOut.end(), model.leftOut.begin(), model.leftOut.end());
    report.leftOut.insert(report.leftOut.end(), model.typeDefinitions.leftOut.begin(),
                          model.typeDefinitions.leftOut.end());
    report.fallbacks = model.fallbacks;
    report.renames = names.renames;
    report.renames.insert(report.renames.end(), model.typeDefinitions.renames.begin(),
                          model.typeDefinitions.renames.end());
    report.notes = selection.notes;
    report.notes.insert(report.notes.end(), model.typeDefinitions.notes.begin(),
                        model.typeDefinitions.notes.end());
    report.notes.insert(report.notes.end(), model.notes.begin(), model.notes.end());
    report.files = writeSchema(model, outputDirectory);
    return report;
}

void writeReport(const ImportReport& report, std::ostream& out) {
    out << "read: " << report.elementsRead << " elements, " << report.groupsRead << " groups, "
        << report.typesRead << " types";
    if (report.labelsPresent)
        out << ", " << report.labelsRead << " labels";
    else
        out << " (no Labels.xml: label-valued enumerations have no value names)";
    out << "\n";
    out << "wrote: " << report.sets << " sets, " << report.elements << " elements, "
        << report.members << " set members, " << report.localTags << " static local tags, "
        << report.references << " references, " << report.enumerations << " enumerations\n";
    out << "  " << report.typeDefinitions << " type definitions for " << report.typedElements
        << " elements, " << report.uniqueIdentifiers << " unique identifiers, ";
    if (report.labelNames)
        out << *report.labelNames << " label names\n";
    else
        out << "no label names (no Labels.xml)\n";
    std::uintmax_t bytes = 0;
    for (const WrittenFile& file : report.files) {
        out << "  " << file.path.string() << " (" << file.bytes << " bytes)\n";
        bytes += file.bytes;
    }
    out << "  " << bytes << " bytes in all\n";
    out << "left out: " << report.groupsNotLocal
        << " groups without a local set coding (packs and other KLV codings), "
        << report.elementsNotHeld << " elements that no written set holds";
    out << (report.leftOut.empty() ? "\n" : ", and:\n");
    for (const LeftOut& item : report.leftOut)
        out << "  " << item.what << ": " << item.reason << "\n";
    out << "DataValue for want of a core type: " << report.fallbacks.size() << " elements\n";
    for (const Fallback& fallback : report.fallbacks)
        out << "  " << fallback.element
            << (fallback.registerType.empty() ? "" : " (" + fallback.registerType + ")") << ": "
            << fallback.reason << "\n";
    out << "renamed: " << report.renames.size() << "\n";
    for (const Rename& rename : report.renames)
        out << "  " << rename.what << " " << rename.symbol << " is " << rename.name << ": "
            << rename.reason << "\n";
}

} // namespace Registers
} // namespace Palimo
