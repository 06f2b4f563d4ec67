// mxfdict: shows, searches, checks and compares MXF metadata dictionaries
// loaded from XML Schema files.
#include "BashCompletion.h"
#include "LoadDictionary.h"
#include "ManPage.h"
#include "Subcommand.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <fstream>
#include <iostream>
#include <new>
#include <string>

namespace {

using namespace Mxfdict;

// Standard output written in full, or a message on standard error: a full
// disk must not leave a truncated output behind an exit status of success.
bool flushStandardOutput() {
    std::cout.flush();
    const bool written = std::cout.good() && std::fflush(stdout) == 0 && !std::ferror(stdout);
    if (!written) {
        // The failed write left its cause in errno; name it when it is one.
        const int error = errno;
        const bool writeError = error == ENOSPC || error == EIO || error == EPIPE ||
                                error == EFBIG || error == EBADF || error == EDQUOT;
        std::cerr << "mxfdict: cannot write to standard output"
                  << (writeError ? std::string(": ") + std::strerror(error) : std::string())
                  << '\n';
    }
    return written;
}

// The manual page and the bash completion, which the build writes from the
// help texts with these options (left out of the help: they are no commands).
int writeFromHelpTexts(const CLI::App& app, const std::string& what, const char* path) {
    std::ofstream out(path);
    if (what == "--write-man-page")
        writeManPage(out, app, MXFDICT_VERSION);
    else
        writeBashCompletion(out, app);
    out.close();
    if (out)
        return ExitSuccess;
    std::cerr << "mxfdict: cannot write " << path << '\n';
    return ExitWriteFailed;
}

int run(int argc, char** argv) {
    CLI::App app{"Loads MXF metadata dictionaries written as XML Schema and shows, searches, "
                 "checks and compares them, and reads MXF files with them.",
                 "mxfdict"};
    app.set_version_flag("--version", std::string("mxfdict ") + MXFDICT_VERSION);
    app.footer("Exit status: 0 success, 1 a schema failed to load or standard output could not "
               "be written, 2 bad usage, 3 lookup found nothing or read could not read a file, "
               "4 check or read found problems, 5 out of memory (after the schema loaded).\n"
               "diff: 0 the dictionaries are the same, 1 they differ, 2 a schema failed to "
               "load or bad usage.\n"
               "import-registers: 1 the registers could not be read or the schema not written.\n"
               "extract-dictionary: 1 the schema set could not be written or does not load, 3 "
               "the file could not be read or holds no definitions of its own, 4 some were not "
               "used.\n"
               "SUBCOMMAND --help gives the exit statuses of that subcommand.\n" +
               std::string(kDefaultSchemaNote));
    app.require_subcommand(1);

    std::vector<Subcommand> commands;
    for (const AddSubcommand add : subcommands())
        commands.push_back(add(app));

    if (argc == 3 && (argv[1] == std::string("--write-man-page") ||
                      argv[1] == std::string("--write-bash-completion")))
        return writeFromHelpTexts(app, argv[1], argv[2]);

    // CLI11 would answer "A subcommand is required" for a misspelt one.
    const auto known = [&](const std::string& name) {
        for (const Subcommand& command : commands)
            if (command.command->get_name() == name)
                return true;
        return false;
    };
    if (argc > 1 && argv[1][0] != '-' && !known(argv[1])) {
        std::cerr << "mxfdict: unknown subcommand '" << argv[1] << "'; known:";
        for (const Subcommand& command : commands)
            std::cerr << ' ' << command.command->get_name();
        std::cerr << "\nRun with --help for more information.\n";
        return ExitUsage;
    }
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return app.exit(e) == 0 ? ExitSuccess : ExitUsage;
    }
    for (const Subcommand& command : commands)
        if (command.command->parsed())
            return command.run();
    return ExitUsage;
}

} // namespace

int main(int argc, char** argv) {
    int status = ExitLoadFailed;
    try {
        status = run(argc, argv);
    } catch (const std::bad_alloc&) {
        // What was written stays written; the status says it is not all.
        std::cerr << "mxfdict: out of memory\n";
        status = ExitOutOfMemory;
    } catch (const std::exception& e) {
        // Failures after a successful load, such as running out of memory.
        std::cerr << "mxfdict: " << e.what() << '\n';
        status = ExitLoadFailed;
    }
    if (!flushStandardOutput())
        return ExitWriteFailed;
    return status;
}
