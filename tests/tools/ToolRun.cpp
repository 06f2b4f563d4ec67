#include "ToolRun.h"

#include "support/TestSupport.h"

#include <cstdlib>
#include <sys/wait.h>

namespace PalimoTest {

namespace {

std::string quoted(const std::string& text) {
    std::string result = "'";
    for (char c : text)
        result += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return result + "'";
}

int system(const std::string& command) {
    const int raw = std::system(command.c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

} // namespace

ToolRun mxfdict(const std::vector<std::string>& args, const std::string& stdoutPath,
                const std::string& defaultSchema, const std::string& pipedInput) {
    TempDir dir;
    // The developer's own default schema must not reach the tests.
    std::string command = pipedInput.empty() ? "" : "cat " + quoted(pipedInput) + " | ";
    command += "env -u MXFDICT_SCHEMA ";
    if (!defaultSchema.empty())
        command += quoted("MXFDICT_SCHEMA=" + defaultSchema) + ' ';
    command += quoted(MXFDICT_PATH);
    for (const std::string& arg : args)
        command += ' ' + quoted(arg);
    const std::string out = stdoutPath.empty() ? (dir.path() / "out").string() : stdoutPath;
    command += " >" + quoted(out) + " 2>" + quoted((dir.path() / "err").string());
    ToolRun run;
    run.status = system(command);
    if (stdoutPath.empty())
        run.out = readFile(out);
    run.err = readFile(dir.path() / "err");
    return run;
}

std::string bashOutput(const std::string& script) {
    TempDir dir;
    const auto file = dir.write("script.sh", script);
    const auto out = dir.path() / "out";
    system("/bin/bash " + quoted(file.string()) + " >" + quoted(out.string()) + " 2>&1");
    return readFile(out);
}

std::string example() {
    return (dataDir() / ".." / ".." / "examples" / "mxf-dictionary" / "MXFDictionary.xsd")
        .lexically_normal()
        .string();
}

std::string toolFixture(const std::string& name) {
    return (dataDir() / "tools" / name).string();
}

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

namespace {

// jsonschema's command line on the documents, each a file of its own.
::testing::AssertionResult matchesSchema(const std::vector<std::string>& documents) {
    TempDir dir;
    std::string instances;
    for (std::size_t i = 0; i < documents.size(); ++i)
        instances +=
            " -i " +
            quoted(dir.write("instance" + std::to_string(i) + ".json", documents[i]).string());
    const std::string schema =
        (dataDir() / ".." / ".." / "tools" / "mxfdict" / "mxfdict-output.schema.json").string();
    const auto report = dir.path() / "report";
    const int status = system("/usr/bin/python3 -W ignore -m jsonschema" + instances + ' ' +
                              quoted(schema) + " >" + quoted(report.string()) + " 2>&1");
    if (status == 0)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "jsonschema (" << status << "): " << readFile(report);
}

} // namespace

::testing::AssertionResult matchesOutputSchema(const std::string& json) {
    return matchesSchema({json});
}

::testing::AssertionResult linesMatchOutputSchema(const std::string& jsonLines) {
    std::vector<std::string> documents;
    for (std::size_t at = 0, end; at < jsonLines.size(); at = end + 1) {
        end = jsonLines.find('\n', at);
        if (end == std::string::npos)
            end = jsonLines.size();
        documents.push_back(jsonLines.substr(at, end - at));
    }
    if (documents.empty())
        return ::testing::AssertionFailure() << "no document";
    return matchesSchema(documents);
}

} // namespace PalimoTest
