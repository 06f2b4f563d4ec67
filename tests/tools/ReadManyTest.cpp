// mxfdict read on several files in one call: the exit status of the worst
// file, the output of each file as a call of its own gives it whatever the
// threads, JSON Lines against the output schema, summaries against the
// ffmpeg commands that made the files (scripts/make-mxf-test-files.sh),
// lists of files, RegXML documents in a directory, and the progress line.
#include "ToolRun.h"

#include "support/Describe.h"
#include "support/TestSupport.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <filesystem>

namespace {

using namespace PalimoTest;
using Json = nlohmann::ordered_json;

std::string mxfFile(const std::string& name) {
    return (dataDir() / "mxf" / name).string();
}
std::string seed(const std::string& name) {
    return (dataDir() / ".." / ".." / "fuzz" / "mxf-corpus" / name).lexically_normal().string();
}
const std::vector<std::string>& ffmpegFiles() {
    static const std::vector<std::string> files = {
        mxfFile("d10-30mbps.mxf"), mxfFile("op1a-mpeg2-pcm.mxf"), mxfFile("op1a-open.mxf"),
        mxfFile("opatom-dnxhr.mxf"), mxfFile("opatom-pcm.mxf")};
    return files;
}

// The lines of `text`, without their newlines.
std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    for (std::size_t at = 0, end; at < text.size(); at = end + 1) {
        end = text.find('\n', at);
        result.push_back(text.substr(at, end - at));
        if (end == std::string::npos)
            break;
    }
    return result;
}

std::vector<std::string> readArgs(std::vector<std::string> options,
                                  const std::vector<std::string>& files) {
    options.insert(options.begin(), "read");
    options.insert(options.end(), files.begin(), files.end());
    return options;
}

// The worst file decides: a file that cannot be read (3) over problems (4)
// over none (0), in whatever order they come; each file that cannot be read
// is named on standard error and gets only its header line.
TEST(ReadMany, SeveralFilesExitWithTheWorstStatus) {
    const TempDir dir;
    const std::string good = mxfFile("opatom-pcm.mxf");
    const std::string truncated = seed("truncated.mxf");
    const std::string missing = (dir.path() / "missing.mxf").string();
    const std::string directory = dir.path().string();
    const struct {
        std::vector<std::string> files;
        int status;
        std::string totals; // the last line of standard error
    } cases[] = {
        {{good, mxfFile("op1a-mpeg2-pcm.mxf")}, 0, "Read time: "},
        {{good, truncated}, 4, "mxfdict: 2 problems in 1 of 2 files"},
        {{truncated, good, missing}, 3, "mxfdict: 1 of 3 files could not be read"},
        {{directory, good}, 3, "mxfdict: 1 of 2 files could not be read"},
        {{missing, truncated, directory}, 3, "mxfdict: 2 of 3 files could not be read"},
    };
    for (const auto& c : cases) {
        const ToolRun run = mxfdict(readArgs({"--jobs", "2"}, c.files));
        EXPECT_EQ(run.status, c.status) << run.err;
        EXPECT_TRUE(contains(lines(run.err).back(), c.totals)) << run.err;
        std::size_t at = 0;
        for (const std::string& file : c.files) {
            const std::size_t header = run.out.find("==> " + file + " <==\n", at);
            EXPECT_NE(header, std::string::npos) << file;
            at = header;
            if (file == missing || file == directory) {
                EXPECT_TRUE(contains(run.err, "mxfdict: cannot read " + file + ": cannot open "))
                    << run.err;
            }
        }
    }
    // Standard output that cannot be written fails the call, whatever the files.
    const ToolRun full = mxfdict(readArgs({}, {good, good}), "/dev/full");
    EXPECT_EQ(full.status, 1);
    EXPECT_TRUE(contains(full.err, "mxfdict: cannot write to standard output")) << full.err;
}

// Each file's output, on standard output and standard error, is what a call
// for it alone gives, in the order of the files, however many threads read
// them and whichever finishes first.
TEST(ReadMany, EachFileAsReadAlone) {
    const TempDir dir;
    std::vector<std::string> files = ffmpegFiles();
    for (const char* name : {"truncated.mxf", "reference-cycle.mxf", "footer-metadata.mxf"})
        files.push_back(seed(name));
    files.push_back((dir.path() / "missing.mxf").string());
    const std::vector<std::vector<std::string>> forms = {
        {}, {"--tree"}, {"--json"}, {"--summary"}, {"--summary", "--json"}};
    for (const auto& form : forms) {
        std::string expected, expectedErr;
        std::vector<Json> documents;
        for (std::size_t i = 0; i < files.size(); ++i) {
            const ToolRun alone = mxfdict(readArgs(form, {files[i]}));
            for (const std::string& line : lines(alone.err))
                if (!contains(line, " time: ") && !line.empty())
                    expectedErr += line + '\n';
            if (form.empty() || form[0] == "--tree")
                expected += (i == 0 ? "" : "\n") + ("==> " + files[i] + " <==\n") + alone.out;
            else if (form == std::vector<std::string>{"--json"})
                documents.push_back(alone.out.empty() ? Json() : Json::parse(alone.out));
            else
                expected += alone.out;
        }
        for (const char* jobs : {"1", "3"}) {
            const std::string what = (form.empty() ? "text" : form[0]) + " on " + jobs;
            const ToolRun many = mxfdict([&] {
                auto args = readArgs(form, files);
                args.insert(args.begin() + 1, {"--jobs", jobs});
                return args;
            }());
            EXPECT_EQ(many.status, 3) << what;
            std::string err;
            for (const std::string& line : lines(many.err))
                if (!contains(line, " time: ") && !contains(line, " files") && !line.empty())
                    err += line + '\n';
            EXPECT_EQ(err, expectedErr) << what;
            if (form != std::vector<std::string>{"--json"}) {
                EXPECT_EQ(many.out, expected) << what;
                continue;
            }
            // JSON Lines: each line the document of the file alone, which is
            // indented; none for the file that cannot be read.
            std::size_t line = 0;
            const std::vector<std::string> got = lines(many.out);
            for (const Json& document : documents) {
                if (document.is_null())
                    continue;
                ASSERT_LT(line, got.size()) << what;
                EXPECT_EQ(Json::parse(got[line]), document) << what << ", line " << line;
                EXPECT_EQ(got[line].find('\n'), std::string::npos);
                ++line;
            }
            EXPECT_EQ(line, got.size()) << what;
        }
    }
}

TEST(ReadMany, JsonLinesMatchTheOutputSchema) {
    const TempDir dir;
    std::vector<std::string> files = ffmpegFiles();
    files.push_back(seed("truncated.mxf"));
    files.push_back(seed("header-byte-count-over-limit.mxf"));
    const ToolRun json = mxfdict(readArgs({"--json", "--tree"}, files));
    EXPECT_EQ(json.status, 4) << json.err;
    EXPECT_TRUE(linesMatchOutputSchema(json.out));
    files.push_back((dir.path() / "missing.mxf").string());
    const ToolRun summary = mxfdict(readArgs({"--summary", "--json"}, files));
    EXPECT_EQ(summary.status, 3) << summary.err;
    EXPECT_TRUE(linesMatchOutputSchema(summary.out));
    const std::vector<std::string> got = lines(summary.out);
    ASSERT_EQ(got.size(), files.size());
    for (std::size_t i = 0; i < files.size(); ++i)
        EXPECT_EQ(Json::parse(got[i])["file"], files[i]);
    EXPECT_EQ(Json::parse(got.back())["error"],
              "cannot open " + files.back() + ": No such file or directory");
}

// What each ffmpeg command fixes: the frame rate (25), the picture size, the
// sample rate (48 kHz) and channels, and the duration.
TEST(ReadMany, SummariesSayWhatTheFfmpegCommandsMade) {
    const ToolRun run = mxfdict(readArgs({"--summary", "--json"}, ffmpegFiles()));
    ASSERT_EQ(run.status, 0) << run.err;
    const struct {
        const char* size; // "" without pictures
        const char* audio;
        int channels;
        const char* duration;
        bool closed;
    } expected[] = {
        {"720x608", "48000/1", 4, "00:00:00.040", true}, // d10-30mbps: -t 0.04
        {"64x48", "48000/1", 1, "00:00:00.120", true},   // op1a-mpeg2-pcm: -t 0.12
        {"64x48", "48000/1", 1, "", false},              // op1a-open: to a pipe
        {"256x120", "", 0, "00:00:00.080", true},        // opatom-dnxhr: -frames:v 2
        {"", "48000/1", 1, "00:00:00.120", true},        // opatom-pcm: -t 0.12
    };
    const std::vector<std::string> got = lines(run.out);
    for (std::size_t i = 0; i < ffmpegFiles().size(); ++i) {
        SCOPED_TRACE(ffmpegFiles()[i]);
        const Json summary = Json::parse(got[i]);
        EXPECT_EQ(summary["headerPartition"]["closed"], expected[i].closed);
        const Json& material = summary["packages"][0];
        EXPECT_EQ(material["kind"], "material");
        for (const Json& track : material["tracks"]) {
            EXPECT_EQ(track.value("durationTime", ""), expected[i].duration) << track;
            if (track["kind"] == "picture") {
                EXPECT_EQ(track["editRate"], "25/1");
            }
        }
        const Json& file = summary["packages"][1];
        EXPECT_EQ(file["kind"], "file");
        std::string size, audio;
        int channels = 0;
        for (const Json& descriptor : file["descriptors"]) {
            if (descriptor.contains("width")) {
                size = std::to_string(descriptor["width"].get<int>()) + 'x' +
                       std::to_string(descriptor["height"].get<int>());
                EXPECT_EQ(descriptor["sampleRate"], "25/1");
            }
            if (descriptor.contains("channels")) {
                audio = descriptor["audioSampleRate"];
                channels = descriptor["channels"];
                EXPECT_EQ(descriptor["bitDepth"], 16);
            }
        }
        EXPECT_EQ(size, expected[i].size);
        EXPECT_EQ(audio, expected[i].audio);
        EXPECT_EQ(channels, expected[i].channels);
    }
}

// The real files of the public converter, with the registers of their time
// imported: each summary names the operational pattern and the essence, and
// gives the packages with their tracks and descriptors.
TEST(ReadMany, SummariesOfRealFilesWithTheRegisters) {
    const std::filesystem::path registers = PALIMO_REGISTERS_2023;
    const std::filesystem::path peer = std::filesystem::path(PALIMO_REGXML_PEER) / "mxf";
    if (!std::filesystem::exists(registers / "Elements.xml") || !std::filesystem::exists(peer))
        GTEST_SKIP() << "no register snapshot at " << registers << " or no " << peer;
    const TempDir dir;
    const std::string out = (dir.path() / "smpte").string();
    ASSERT_EQ(mxfdict({"import-registers", registers.string(), out}).status, 0);
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(peer))
        files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    const ToolRun run =
        mxfdict(readArgs({"--summary", "--json", "--schema", out + "/MXFDictionary.xsd"}, files));
    EXPECT_TRUE(linesMatchOutputSchema(run.out));
    const std::vector<std::string> got = lines(run.out);
    ASSERT_EQ(got.size(), files.size()) << run.err;
    for (const std::string& line : got) {
        const Json summary = Json::parse(line);
        SCOPED_TRACE(summary["file"].get<std::string>());
        EXPECT_TRUE(summary["operationalPattern"].contains("name"));
        for (const Json& container : summary["essenceContainers"])
            EXPECT_TRUE(container.contains("name")) << container;
        ASSERT_GE(summary["packages"].size(), 2u);
        EXPECT_EQ(summary["packages"][0]["kind"], "material");
        bool described = false;
        for (const Json& package : summary["packages"]) {
            EXPECT_FALSE(package["tracks"].empty());
            for (const Json& track : package["tracks"])
                EXPECT_TRUE(track.contains("kind")) << track;
            if (package["kind"] == "file")
                described = !package["descriptors"].empty();
        }
        EXPECT_TRUE(described);
        if (contains(summary["file"], "open-incomplete-header")) {
            EXPECT_EQ(summary["headerPartition"]["closed"], false);
            EXPECT_EQ(summary["copyRead"]["partition"], "footer");
        }
    }
}

// The one-line text and JSON of the ffmpeg files and of damaged ones: what
// the file lacks is left out.
TEST(ReadMany, SummaryLinesAsTheGoldenFilesShowThem) {
    std::vector<std::string> files = ffmpegFiles();
    for (const char* name : {"ber-past-end.mxf", "truncated.mxf",
                             "header-byte-count-over-limit.mxf", "rip-footer.mxf"})
        files.push_back(seed(name));
    const std::pair<std::vector<std::string>, const char*> forms[] = {
        {{"--summary"}, "summary.expected"}, {{"--summary", "--json"}, "summary-json.expected"}};
    for (const auto& [options, golden] : forms) {
        const ToolRun run = mxfdict(readArgs(options, files));
        EXPECT_EQ(run.status, 4) << run.err;
        std::string out = run.out;
        const std::string root = (dataDir() / ".." / "..").lexically_normal().string();
        for (auto at = out.find(root); at != std::string::npos; at = out.find(root, at))
            out.replace(at, root.size(), "<source>/");
        expectMatchesGolden(out, dataDir() / "mxf" / golden);
    }
}

TEST(ReadMany, ListsOfFiles) {
    const TempDir dir;
    const std::string list =
        dir.write("list", mxfFile("opatom-pcm.mxf") + "\n\n" + mxfFile("opatom-dnxhr.mxf") + "\n")
            .string();
    const ToolRun both =
        mxfdict({"read", "--summary", mxfFile("d10-30mbps.mxf"), "--files-from", list});
    EXPECT_EQ(both.status, 0) << both.err;
    const std::vector<std::string> got = lines(both.out);
    ASSERT_EQ(got.size(), 3u) << both.out;
    EXPECT_EQ(got[0].substr(0, got[0].find(':')), mxfFile("d10-30mbps.mxf"));
    EXPECT_EQ(got[2].substr(0, got[2].find(':')), mxfFile("opatom-dnxhr.mxf"));
    // The list through a pipe; a list of one file still gives JSON Lines.
    const std::string one = dir.write("one", mxfFile("opatom-pcm.mxf") + "\n").string();
    const ToolRun piped = mxfdict({"read", "--json", "--files-from", "-"}, "", "", one);
    EXPECT_EQ(piped.status, 0) << piped.err;
    EXPECT_EQ(lines(piped.out).size(), 1u);

    const struct {
        std::vector<std::string> args;
        std::string err;
    } refused[] = {
        {{"read"}, "FILE is required"},
        {{"read", "--files-from", (dir.path() / "none").string()},
         "mxfdict: cannot read the list of files " + (dir.path() / "none").string() +
             ": No such file or directory"},
        {{"read", "--files-from", dir.path().string()}, ": Is a directory"},
        {{"read", "--files-from", "-", "-"}, "standard input (-) can be read once only"},
        {{"read", "-", "-"}, "standard input (-) can be read once only"},
        {{"read", "--jobs", "0", mxfFile("opatom-pcm.mxf")}, "--jobs"},
        {{"read", "--regxml", mxfFile("opatom-pcm.mxf"), mxfFile("opatom-dnxhr.mxf")},
         "with several files, --output-dir DIR says where"},
        {{"read", "--output-dir", dir.path().string(), mxfFile("opatom-pcm.mxf")},
         "--output-dir requires --regxml"},
        {{"read", "--summary", "--tree", mxfFile("opatom-pcm.mxf")}, "excludes"},
    };
    for (const auto& r : refused) {
        const ToolRun run = mxfdict(r.args);
        EXPECT_EQ(run.status, 2) << r.args.back();
        EXPECT_TRUE(contains(run.err, r.err)) << run.err;
        EXPECT_TRUE(run.out.empty());
    }
}

// One document a file, as --regxml writes it for the file alone; none for a
// file that cannot be read; two files may not write one document.
TEST(ReadMany, RegXMLDocumentsInADirectory) {
    const TempDir dir;
    const std::string out = (dir.path() / "regxml").string();
    const std::vector<std::string> files = {mxfFile("opatom-pcm.mxf"),
                                            mxfFile("op1a-mpeg2-pcm.mxf"),
                                            (dir.path() / "missing.mxf").string()};
    const ToolRun run = mxfdict(readArgs({"--regxml", "--output-dir", out}, files));
    EXPECT_EQ(run.status, 3) << run.err;
    EXPECT_TRUE(run.out.empty());
    for (const char* name : {"opatom-pcm", "op1a-mpeg2-pcm"}) {
        const ToolRun alone = mxfdict({"read", "--regxml", mxfFile(std::string(name) + ".mxf")});
        EXPECT_EQ(readFile(out + "/" + name + ".xml"), alone.out) << name;
    }
    EXPECT_FALSE(std::filesystem::exists(out + "/missing.xml"));

    const ToolRun clash = mxfdict(readArgs({"--regxml", "--output-dir", out},
                                           {files[0], dir.write("opatom-pcm.mxf", "").string()}));
    EXPECT_EQ(clash.status, 2);
    EXPECT_TRUE(contains(clash.err, " would both be opatom-pcm.xml in " + out)) << clash.err;
}

// A terminal on standard error shows how far the call is; a pipe never does.
TEST(ReadMany, ProgressOnATerminalOnly) {
    std::vector<std::string> files;
    for (int i = 0; i < 3; ++i)
        files.insert(files.end(), ffmpegFiles().begin(), ffmpegFiles().end());
    const ToolRun piped = mxfdict(readArgs({"--summary"}, files));
    EXPECT_FALSE(contains(piped.err, "files/s")) << piped.err;

    std::string script = "import os, pty, subprocess\n"
                         "env = dict(os.environ)\n"
                         "env.pop('MXFDICT_SCHEMA', None)\n"
                         "master, slave = pty.openpty()\n"
                         "subprocess.run(['" MXFDICT_PATH "', 'read', '--summary'";
    for (const std::string& file : files)
        script += ", '" + file + "'";
    script += "], stdout=subprocess.DEVNULL, stderr=slave, env=env)\n"
              "os.close(slave)\n"
              "text = b''\n"
              "while True:\n"
              "    try:\n"
              "        chunk = os.read(master, 65536)\n"
              "    except OSError:\n"
              "        break\n"
              "    if not chunk:\n"
              "        break\n"
              "    text += chunk\n"
              "print(text.decode())\n";
    const TempDir dir;
    const std::string err =
        bashOutput("/usr/bin/python3 " + dir.write("terminal.py", script).string() + "\n");
    EXPECT_TRUE(contains(err, "\r15/15 files, ")) << err;
    EXPECT_TRUE(contains(err, " files/s, 0 problems")) << err;
    // Wiped before the last lines.
    EXPECT_TRUE(contains(err, "   \rRead time: ")) << err;
}

} // namespace
