#include "BashCompletion.h"

#include <string>

namespace Mxfdict {

namespace {

// Every visible option name of `command` ("-h --help --json ..."), the
// positionals left out.
std::string optionWords(const CLI::App& command) {
    std::string words;
    for (const CLI::Option* option : command.get_options()) {
        if (option->get_positional() || option->get_group().empty())
            continue;
        for (const std::string& name : option->get_snames())
            words += (words.empty() ? "-" : " -") + name;
        for (const std::string& name : option->get_lnames())
            words += (words.empty() ? "--" : " --") + name;
    }
    return words;
}

} // namespace

void writeBashCompletion(std::ostream& out, const CLI::App& app) {
    const auto commands = app.get_subcommands([](const CLI::App*) { return true; });
    std::string first;
    for (const CLI::App* command : commands)
        first += command->get_name() + ' ';
    first += optionWords(app);

    out << "# bash completion for mxfdict; written by mxfdict from its own options.\n"
           "_mxfdict() {\n"
           "    local cur=${COMP_WORDS[COMP_CWORD]} subcommand= words i\n"
           "    for ((i = 1; i < COMP_CWORD; i++)); do\n"
           "        case ${COMP_WORDS[i]} in\n"
           "            -*) ;;\n"
           "            *) subcommand=${COMP_WORDS[i]}; break ;;\n"
           "        esac\n"
           "    done\n"
           "    case $subcommand in\n"
           "        '') words='"
        << first << "' ;;\n";
    for (const CLI::App* command : commands)
        out << "        " << command->get_name() << ") words='" << optionWords(*command)
            << "' ;;\n";
    out << "        *) words= ;;\n"
           "    esac\n"
           "    if [[ -z $subcommand || $cur == -* ]]; then\n"
           "        mapfile -t COMPREPLY < <(compgen -W \"$words\" -- \"$cur\")\n"
           "    else\n"
           "        mapfile -t COMPREPLY < <(compgen -f -- \"$cur\")\n"
           "    fi\n"
           "}\n"
           "complete -o filenames -o bashdefault -F _mxfdict mxfdict\n";
}

} // namespace Mxfdict
