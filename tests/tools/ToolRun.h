#pragma once
// Running the built mxfdict as a user runs it, and checking its --json
// documents against the shipped JSON Schema.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace PalimoTest {

struct ToolRun {
    int status = -1;
    std::string out;
    std::string err;
};

/// Runs mxfdict with `args`; standard output goes to `stdoutPath` when one is
/// given (e.g. /dev/full), else it is captured. MXFDICT_SCHEMA is unset, or
/// set to `defaultSchema` when one is given. The file `pipedInput`, when one
/// is given, reaches standard input through a pipe.
ToolRun mxfdict(const std::vector<std::string>& args, const std::string& stdoutPath = "",
                const std::string& defaultSchema = "", const std::string& pipedInput = "");

/// Runs `script` with bash; its standard output.
std::string bashOutput(const std::string& script);

/// The shipped example's top file, and a file under tests/data/tools.
std::string example();
std::string toolFixture(const std::string& name);

bool contains(const std::string& text, const std::string& part);

/// Whether `json` is valid against tools/mxfdict/mxfdict-output.schema.json,
/// as Debian's python3-jsonschema judges it (with its message when not).
::testing::AssertionResult matchesOutputSchema(const std::string& json);

/// Whether every line of `jsonLines` (JSON Lines: one document a line) is
/// valid against it, and there is at least one.
::testing::AssertionResult linesMatchOutputSchema(const std::string& jsonLines);

} // namespace PalimoTest
