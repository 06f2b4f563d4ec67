#include "ManPage.h"

#include <sstream>
#include <string>
#include <vector>

namespace Mxfdict {

namespace {

// Text as roff reads it: backslashes and hyphens escaped, no line taken for
// a request.
std::string roff(const std::string& text) {
    std::string out;
    for (const char c : text) {
        if (c == '\\')
            out += "\\e";
        else if (c == '-')
            out += "\\-";
        else
            out += c;
    }
    if (!out.empty() && (out[0] == '.' || out[0] == '\''))
        out.insert(0, "\\&");
    return out;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (!line.empty())
            result.push_back(line);
    return result;
}

// "-h, --help", "--schema TEXT", "SCHEMA".
std::string optionName(const CLI::Option& option) {
    if (option.get_positional())
        return "\\fI" + roff(option.get_name(true)) + "\\fR";
    std::string names;
    for (const std::string& name : option.get_snames())
        names += (names.empty() ? "" : ", ") + ("\\fB\\-" + roff(name) + "\\fR");
    for (const std::string& name : option.get_lnames())
        names += (names.empty() ? "" : ", ") + ("\\fB\\-\\-" + roff(name) + "\\fR");
    if (option.get_expected_min() > 0 && !option.get_type_name().empty())
        names += " \\fI" + roff(option.get_type_name()) + "\\fR";
    return names;
}

std::string usage(const CLI::App& command, const std::string& name) {
    std::string text = name;
    if (const auto formatter = std::dynamic_pointer_cast<CLI::Formatter>(command.get_formatter()))
        text = formatter->make_usage(&command, name);
    const std::string prefix = "Usage: ";
    if (text.compare(0, prefix.size(), prefix) == 0)
        text.erase(0, prefix.size());
    while (!text.empty() && (text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    return text;
}

// Positionals first, as the help lists them; hidden options (no group) left out.
void writeOptions(std::ostream& out, const CLI::App& command) {
    for (const bool positional : {true, false})
        for (const CLI::Option* option : command.get_options()) {
            if (option->get_positional() != positional || option->get_group().empty())
                continue;
            out << ".TP\n" << optionName(*option) << '\n' << roff(option->get_description());
            if (option->get_required() && option->get_positional())
                out << " Required.";
            out << '\n';
        }
}

} // namespace

void writeManPage(std::ostream& out, const CLI::App& app, const std::string& version) {
    const auto commands = app.get_subcommands([](const CLI::App*) { return true; });
    out << ".\\\" Written by mxfdict from its own help texts; do not edit.\n"
        << ".TH MXFDICT 1 \"\" \"mxfdict " << roff(version) << "\" \"User Commands\"\n"
        << ".SH NAME\nmxfdict \\- MXF metadata dictionaries written as XML Schema\n"
        << ".SH SYNOPSIS\n";
    for (const CLI::App* command : commands)
        out << ".br\n" << roff(usage(*command, app.get_name() + ' ' + command->get_name())) << '\n';
    out << ".br\n"
        << roff(app.get_name()) << " \\-\\-version | \\-\\-help | SUBCOMMAND \\-\\-help\n"
        << ".SH DESCRIPTION\n"
        << roff(app.get_description()) << '\n'
        << ".SH OPTIONS\n";
    writeOptions(out, app);
    out << ".SH SUBCOMMANDS\n";
    for (const CLI::App* command : commands) {
        out << ".SS " << roff(command->get_name()) << '\n'
            << roff(usage(*command, app.get_name() + ' ' + command->get_name())) << '\n'
            << ".PP\n"
            << roff(command->get_description()) << '\n';
        writeOptions(out, *command);
        for (const std::string& line : lines(command->get_footer()))
            out << ".PP\n" << roff(line) << '\n';
    }
    // The program's footer: exit statuses, and the environment it reads.
    std::vector<std::string> statuses;
    std::vector<std::string> environment;
    const std::string environmentPrefix = "Environment: ";
    for (const std::string& line : lines(app.get_footer())) {
        if (line.compare(0, environmentPrefix.size(), environmentPrefix) == 0)
            environment.push_back(line.substr(environmentPrefix.size()));
        else
            statuses.push_back(line);
    }
    out << ".SH EXIT STATUS\n";
    for (const std::string& line : statuses)
        out << ".PP\n" << roff(line) << '\n';
    if (!environment.empty()) {
        out << ".SH ENVIRONMENT\n";
        for (const std::string& line : environment)
            out << ".PP\n" << roff(line) << '\n';
    }
}

} // namespace Mxfdict
