#pragma once
// One file of mxfdict read: read, decoded and written in the form asked for,
// to the section of the output that is the file's.
#include "LoadDictionary.h"

#include <Palimo/MXF/DictionaryIndex.h>
#include <Palimo/MXF/FileReader.h>
#include <Palimo/MXF/HeaderMetadata.h>
#include <Palimo/Output/OrderedOutput.h>

#include <string>

namespace Mxfdict {

using Palimo::Output::OrderedOutput;

/// What is the same for every file of one call.
struct ReadSettings {
    enum class Form { Text, Json, SummaryText, SummaryJson, RegXML };
    const LoadedDictionary* loaded = nullptr;
    /// The loaded dictionaries indexed once for many files; null for one.
    const Palimo::MXF::DictionaryIndex* index = nullptr;
    Palimo::MXF::PartitionChoice choice = Palimo::MXF::PartitionChoice::Best;
    Form form = Form::Text;
    bool tree = false;
    Palimo::MXF::FileDefinitions definitions = Palimo::MXF::FileDefinitions::Use;
    bool regxmlExtensions = false;
    /// Several files (or a list of them): a header line before each text, and
    /// JSON on one line a file (JSON Lines).
    bool several = false;
    /// The load and read times on standard error, after the notes (one file).
    bool timings = false;
};

/// Reads the file at `path` with the dictionary and writes, to `section`, its
/// output on standard output and its notes and messages on standard error,
/// as a call of its own for the file would; `document` is the path of its
/// RegXML document, "" for standard output. Sets the section's status (0, 3
/// ExitUnreadable, 4 ExitFindings, 1 when its RegXML document cannot be
/// written) and problems. May run on several files at once.
void readOneFile(const ReadSettings& settings, const std::string& path, const std::string& document,
                 OrderedOutput::Section& section);

} // namespace Mxfdict
