#include "ReadOneFile.h"

#include "ReadOptions.h"
#include "Subcommand.h"

#include <Palimo/Exceptions/BaseException.h>
#include <Palimo/MXF/FileReader.h>
#include <Palimo/MXF/Summary.h>
#include <Palimo/Output/ReadOutput.h>
#include <Palimo/Output/RegXML.h>
#include <Palimo/Output/SummaryOutput.h>
#include <Palimo/Output/TerminalText.h>
#include <Palimo/Utils/StringConversion.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iomanip>

namespace Mxfdict {

using Palimo::Output::shown;
using Palimo::Output::shownFileName;

namespace {

using Form = ReadSettings::Form;

// The RegXML document of the file; the comments before its root say what it
// was made from.
int writeRegXML(const ReadSettings& settings, const std::string& path, const std::string& document,
                const Palimo::MXF::DecodedFile& file, OrderedOutput::Section& section) {
    Palimo::Output::RegXMLOptions regxml;
    regxml.leadingComments = {
        "From: " + std::filesystem::path(path).filename().string(),
        std::string("Partition: ") + Palimo::MXF::kindName(file.partition.kind) +
            " partition at byte " + std::to_string(file.partition.klv.offset)};
    regxml.fileDefinitions = settings.regxmlExtensions;
    std::ofstream documentFile;
    if (!document.empty()) {
        documentFile.open(document, std::ios::binary);
        if (!documentFile) {
            section.err() << "mxfdict: cannot write " << shown(document) << ": "
                          << std::strerror(errno) << '\n';
            return ExitWriteFailed;
        }
    }
    std::ostream& out = document.empty() ? section.out() : documentFile;
    try {
        Palimo::Output::writeRegXML(out, file, *settings.loaded->types, regxml);
    } catch (const Palimo::Exceptions::BaseException& e) {
        section.err() << "mxfdict: cannot write RegXML of " << shown(path) << ": "
                      << shown(e.what()) << '\n';
        if (!document.empty()) {
            documentFile.close();
            std::filesystem::remove(document);
        }
        return ExitUnreadable;
    }
    if (!document.empty()) {
        documentFile.close();
        if (!documentFile) {
            section.err() << "mxfdict: cannot write " << shown(document) << '\n';
            return ExitWriteFailed;
        }
    }
    return ExitSuccess;
}

} // namespace

void readOneFile(const ReadSettings& settings, const std::string& path, const std::string& document,
                 OrderedOutput::Section& section) {
    // A file name that is no UTF-8 is shown with replacement characters.
    const std::string shownPath =
        Palimo::Utils::wstringToString(Palimo::Utils::stringToWstring(path));
    if (settings.form == Form::Text && settings.several)
        section.out() << (section.index() == 0 ? "" : "\n") << "==> " << shownFileName(shownPath)
                      << " <==\n";
    const auto start = std::chrono::steady_clock::now();
    Palimo::MXF::DecodedFile file;
    try {
        file = settings.index ? Palimo::MXF::readMXFFile(path, *settings.index, settings.choice,
                                                         settings.definitions)
                              : Palimo::MXF::readMXFFile(path, *settings.loaded->dictionary,
                                                         settings.loaded->types.get(),
                                                         settings.choice, settings.definitions);
    } catch (const Palimo::Exceptions::BaseException& e) {
        section.err() << "mxfdict: cannot read " << shown(path) << ": " << shown(e.what()) << '\n';
        section.status = ExitUnreadable;
        if (settings.form == Form::SummaryJson)
            Palimo::Output::writeUnreadableSummaryJson(section.out(), shownPath, e.what());
        else if (settings.form == Form::SummaryText)
            Palimo::Output::printUnreadableSummary(section.out(), shownPath, e.what());
        return;
    }
    const std::chrono::duration<double, std::milli> readTime =
        std::chrono::steady_clock::now() - start;
    // Notes and timings on standard error: the output of a file stays the same.
    for (const std::string& note : file.notes)
        section.err() << "note: " << shown(note) << '\n';
    if (settings.timings)
        section.err() << std::fixed << std::setprecision(1)
                      << "Load time: " << settings.loaded->loadTime.count()
                      << " ms\nRead time: " << readTime.count() << " ms\n";

    section.problems = file.problems.size() + file.problemsNotKept;
    section.status = section.problems == 0 ? ExitSuccess : ExitFindings;
    switch (settings.form) {
    case Form::Text:
        Palimo::Output::printRead(section.out(), shownPath, file, settings.tree);
        break;
    case Form::Json:
        Palimo::Output::writeReadJson(section.out(), shownPath, file, settings.tree,
                                      settings.several);
        break;
    case Form::SummaryText:
    case Form::SummaryJson: {
        const Palimo::MXF::Summary summary = Palimo::MXF::summarize(file);
        file = {}; // what is kept until the line is written is the summary only
        if (settings.form == Form::SummaryJson)
            Palimo::Output::writeSummaryJson(section.out(), shownPath, summary);
        else
            Palimo::Output::printSummary(section.out(), shownPath, summary);
        break;
    }
    case Form::RegXML:
        if (const int written = writeRegXML(settings, path, document, file, section);
            written != ExitSuccess) {
            section.status = written;
            return;
        }
        break;
    }
    if (section.problems > 0)
        section.err() << "mxfdict: " << section.problems << " problem"
                      << (section.problems == 1 ? "" : "s") << " in " << shown(path) << '\n';
}

} // namespace Mxfdict
