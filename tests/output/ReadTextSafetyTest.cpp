// What read's text output lets through to a terminal: every character that
// could control it is escaped, in values, names, notes, messages and the file
// name; and how deep the tree of strong references is indented.
#include <Palimo/Output/ReadOutput.h>
#include <Palimo/Output/TerminalText.h>

#include <gtest/gtest.h>

#include <array>
#include <sstream>
#include <string>

namespace {

using namespace Palimo::MXF;

// Each character that can control a terminal, in UTF-8, and its escape.
const std::pair<std::string, std::string> kControls[] = {
    {"\x1b", "\\u001b"},
    {"\n", "\\n"},
    {"\r", "\\r"},
    {"\t", "\\t"},
    {"\x7f", "\\u007f"},
    {"\xc2\x80", "\\u0080"},
    {"\xc2\x9b", "\\u009b"},
    {"\xc2\x9f", "\\u009f"},
    {"\xd8\x9c", "\\u061c"},
    {"\xe2\x80\x8e", "\\u200e"},
    {"\xe2\x80\x8f", "\\u200f"},
    {"\xe2\x80\xaa", "\\u202a"},
    {"\xe2\x80\xae", "\\u202e"},
    {"\xe2\x81\xa6", "\\u2066"},
    {"\xe2\x81\xa9", "\\u2069"},
    {"\xe2\x80\xa8", "\\u2028"},
    {"\xe2\x80\xa9", "\\u2029"},
};

TEST(TerminalText, EscapesEveryCharacterThatCanControlATerminal) {
    for (const auto& [control, escape] : kControls) {
        EXPECT_EQ(Palimo::Output::shown("a" + control + "b"), "a" + escape + "b") << escape;
        std::ostringstream quoted;
        Palimo::Output::writeQuoted(quoted, control);
        EXPECT_EQ(quoted.str(), "\"" + escape + "\"");
    }
    // Other characters, near those, pass; what is no UTF-8 is U+FFFD.
    EXPECT_EQ(Palimo::Output::shown(
                  "\xc2\xa0 \xe2\x80\x8d \xe2\x80\xaf \xe2\x81\xaa \xf0\x9f\x98\x80 \" \\"),
              "\xc2\xa0 \xe2\x80\x8d \xe2\x80\xaf \xe2\x81\xaa \xf0\x9f\x98\x80 \" \\");
    EXPECT_EQ(Palimo::Output::shown("\x9b[2J"), "\xef\xbf\xbd[2J");
    std::ostringstream quoted;
    Palimo::Output::writeQuoted(quoted, "say \"hi\" \\ now");
    EXPECT_EQ(quoted.str(), "\"say \\\"hi\\\" \\\\ now\"");
}

TEST(TerminalText, QuotesOnlyFileNamesThatNeedAnEscape) {
    EXPECT_EQ(Palimo::Output::shownFileName("dir/file name.mxf"), "dir/file name.mxf");
    EXPECT_EQ(Palimo::Output::shownFileName("caf\xc3\xa9.mxf"), "caf\xc3\xa9.mxf");
    EXPECT_EQ(Palimo::Output::shownFileName("a\x1b]0;title\x07.mxf"),
              "\"a\\u001b]0;title\\u0007.mxf\"");
    EXPECT_EQ(Palimo::Output::shownFileName("say \"x\".mxf"), "\"say \\\"x\\\".mxf\"");
    EXPECT_EQ(Palimo::Output::shownFileName("a\xe2\x80\xaegpj.mxf"), "\"a\\u202egpj.mxf\"");
}

DecodedItem textItem(const std::string& name, const std::string& text) {
    DecodedItem item;
    item.localTag = 0x7f01;
    item.name = name;
    item.type = "UTF16String" + name;
    item.value = Value{nullptr, Text{text}};
    item.notes.push_back("note " + text);
    return item;
}

// A file whose set name, item name, type, value, note and problem each hold
// every control character: none reaches the text output as itself.
TEST(ReadText, NoControlCharacterReachesTheTerminal) {
    std::string all;
    for (const auto& [control, escape] : kControls)
        all += control;
    DecodedFile file;
    DecodedSet set;
    set.name = "Set" + all;
    set.items.push_back(textItem("Item" + all, "value" + all));
    file.sets.push_back(set);
    file.problems.push_back(Problem{Problem::Kind::BadValue, 7, "message" + all});
    for (const bool tree : {false, true}) {
        std::ostringstream out;
        Palimo::Output::printRead(out, "file" + all + ".mxf", file, tree);
        const std::string text = out.str();
        std::string escaped;
        for (const auto& [control, escape] : kControls)
            escaped += escape;
        for (const auto& [control, escape] : kControls)
            if (control != "\n") {
                EXPECT_EQ(text.find(control), std::string::npos) << escape << '\n' << text;
            }
        EXPECT_NE(text.find("File:      \"file" + escaped + ".mxf\"\n"), std::string::npos) << text;
        EXPECT_NE(text.find("set Set" + escaped + "  key "), std::string::npos) << text;
        EXPECT_NE(text.find("    7f.01  Item" + escaped), std::string::npos) << text;
        EXPECT_NE(text.find(" UTF16StringItem" + escaped), std::string::npos) << text;
        EXPECT_NE(text.find("\"value" + escaped + "\"  (note: note value" + escaped + ")\n"),
                  std::string::npos)
            << text;
        EXPECT_NE(text.find("    byte 7: message" + escaped + " [badValue]\n"), std::string::npos)
            << text;
    }
}

Palimo::Identifiers::UUID uid(std::size_t n) {
    std::array<std::uint8_t, 16> bytes{};
    bytes[14] = static_cast<std::uint8_t>(n >> 8);
    bytes[15] = static_cast<std::uint8_t>(n);
    return Palimo::Identifiers::UUID(bytes);
}

// A chain of 20 sets, each owning the next: levels up to 16 are indented,
// deeper ones are indented as the 16th and say their depth.
TEST(ReadText, TreeIndentationStopsAtSixteenLevels) {
    DecodedFile file;
    for (std::size_t i = 0; i < 20; ++i) {
        DecodedSet set;
        set.name = "Link";
        set.instanceUID = uid(i);
        DecodedItem next;
        next.localTag = 0x7f02;
        next.name = "Next";
        next.reference = DecodedItem::Reference::Strong;
        next.value = Value{nullptr, uid(i + 1)};
        if (i + 1 < 20)
            set.items.push_back(next);
        file.sets.push_back(set);
    }
    std::ostringstream out;
    Palimo::Output::printRead(out, "chain.mxf", file, true);
    std::istringstream lines(out.str());
    std::vector<std::string> setLines;
    for (std::string line; std::getline(lines, line);)
        if (line.find("set Link") != std::string::npos)
            setLines.push_back(line);
    ASSERT_EQ(setLines.size(), 20u) << out.str();
    EXPECT_EQ(setLines[1], std::string(4, ' ') + "Next -> set Link  key 00.00.00.00.00.00.00.00."
                                                 "00.00.00.00.00.00.00.00  byte 0  InstanceUID "
                                                 "00000000-0000-0000-0000-000000000001");
    EXPECT_EQ(setLines[16].find(std::string(64, ' ') + "Next -> set Link"), 0u) << setLines[16];
    EXPECT_EQ(setLines[17].find(std::string(64, ' ') + "[depth 17] Next -> set Link"), 0u)
        << setLines[17];
    EXPECT_EQ(setLines[19].find(std::string(64, ' ') + "[depth 19] Next -> set Link"), 0u)
        << setLines[19];
    EXPECT_NE(out.str().find("\n" + std::string(68, ' ') + "7f.02  Next "), std::string::npos);
    EXPECT_EQ(out.str().find(std::string(69, ' ')), std::string::npos);
}

} // namespace
