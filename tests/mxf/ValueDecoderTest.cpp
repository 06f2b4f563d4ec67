// Item values decoded by data type, and the bytes that do not fit a type: the
// cases and their results are the lines of data/mxf/values.expected.
#include "MxfBytes.h"
#include "support/Describe.h"
#include "support/TestSupport.h"

#include <Palimo/MXF/ValueDecoder.h>

#include <cctype>
#include <fstream>

namespace {

using namespace MxfTest;
using namespace Palimo::Types::Identifiers;
using Palimo::MXF::decodeValue;
using Palimo::MXF::Value;

Identifier type(const std::string& name) {
    if (std::isdigit(static_cast<unsigned char>(name[0])))
        return static_cast<Identifier>(std::stoi(name));
    return stringToIdentifier(PalimoTest::W(name.c_str()));
}

std::string text(const Value& value) {
    switch (value.kind) {
    case Value::Kind::Integer:
        return std::to_string(value.integer);
    case Value::Kind::Unsigned:
        return std::to_string(value.unsignedInteger);
    case Value::Kind::Boolean:
        return value.boolean ? "true" : "false";
    case Value::Kind::String:
        return '"' + value.text + '"';
    case Value::Kind::List: {
        std::string list = "[";
        for (std::size_t i = 0; i < value.items.size(); ++i)
            list += (i ? ", " : "") + text(value.items[i]);
        return list + "]";
    }
    default:
        return value.text;
    }
}

TEST(ValueDecoder, DecodesTheCasesOfTheGoldenTable) {
    static const char* const kinds[] = {"Integer", "Unsigned", "Real", "Boolean",  "String",
                                        "Label",   "UUID",     "UMID", "Rational", "Timestamp",
                                        "Record",  "Version",  "List"};
    const auto path = PalimoTest::dataDir() / "mxf" / "values.expected";
    std::ifstream in(path);
    ASSERT_TRUE(in) << path;
    std::string line, actual;
    while (std::getline(in, line)) {
        const bool comment = line.empty() || line[0] == '#';
        const std::string input = comment ? line : line.substr(0, line.find(" =>"));
        actual += input;
        if (!comment) {
            const std::string types = input.substr(0, input.find(' '));
            const auto slash = types.find('/');
            const Bytes bytes = hex(input.substr(types.size()));
            const auto decoded = decodeValue(
                type(types.substr(0, slash)),
                slash == std::string::npos ? NoIdentifier : type(types.substr(slash + 1)),
                bytes.data(), bytes.size());
            if (decoded.value)
                actual += std::string(" => ") + kinds[static_cast<int>(decoded.value->kind)] + ' ' +
                          text(*decoded.value);
            if (!decoded.problem.empty())
                actual += (decoded.value ? "; problem: " : " => problem: ") + decoded.problem;
            if (!decoded.value && decoded.problem.empty())
                actual += " => raw";
        }
        actual += '\n';
    }
    PalimoTest::expectMatchesGolden(actual, path);
}

} // namespace
