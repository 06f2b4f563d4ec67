// Where the bytes come from: paths that are no regular file are refused
// before they are opened, and a pipe is read forward only, with the header
// metadata that it can give.
#include "MxfBytes.h"
#include "support/TestSupport.h"

#include <Palimo/MXF/ByteSource.h>
#include <Palimo/MXF/Exceptions.h>
#include <Palimo/MXF/HeaderMetadata.h>

#include <csignal>
#include <thread>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

using namespace MxfTest;
using Palimo::MXF::ByteSource;
using Palimo::MXF::FileSource;
using Palimo::MXF::MalformedMXFFile;
using Palimo::MXF::StreamSource;
using Palimo::MXF::UnreadableMXFFile;

// A pipe whose writing end a thread fills with `bytes`, then closes.
class Pipe {
public:
    explicit Pipe(Bytes bytes) {
        // The reader stops before the end: the writer sees EPIPE, not a signal.
        std::signal(SIGPIPE, SIG_IGN);
        int ends[2];
        if (::pipe(ends) != 0)
            throw std::runtime_error("pipe failed");
        read_ = ends[0];
        writer_ = std::thread([bytes = std::move(bytes), out = ends[1]] {
            for (std::size_t done = 0; done < bytes.size();) {
                const ssize_t written = ::write(out, bytes.data() + done, bytes.size() - done);
                if (written <= 0)
                    break; // the reader went away
                done += static_cast<std::size_t>(written);
            }
            ::close(out);
        });
    }
    ~Pipe() {
        ::close(read_); // a writer still writing stops
        writer_.join();
    }
    Pipe(const Pipe&) = delete;
    Pipe& operator=(const Pipe&) = delete;
    int descriptor() const { return read_; }

private:
    int read_ = -1;
    std::thread writer_;
};

TEST(FileSource, RefusesWhatIsNoRegularFileBeforeOpeningIt) {
    const PalimoTest::TempDir dir;
    const std::string fifo = (dir.path() / "fifo").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string socketPath = (dir.path() / "socket").string();
    const int listening = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(socketPath.size(), sizeof address.sun_path);
    socketPath.copy(address.sun_path, socketPath.size());
    ASSERT_EQ(::bind(listening, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    const std::pair<std::string, std::string> cases[] = {
        {fifo, "it is a FIFO"}, // no writer: opening it for reading would wait for one
        {socketPath, "it is a socket"},
        {dir.path().string(), "it is a directory"},
        {"/dev/null", "it is a device"},
        {(dir.path() / "missing").string(), "No such file or directory"},
    };
    for (const auto& [path, why] : cases)
        EXPECT_THROWS_EXACTLY(UnreadableMXFFile, FileSource{path},
                              "cannot open " + path + ": " + why);
    ::close(listening);
}

TEST(FileSource, ReadsWhatItIsAskedFor) {
    const PalimoTest::TempDir dir;
    const auto path = dir.write("file", "0123456789");
    const FileSource source(path.string());
    EXPECT_EQ(source.size(), 10u);
    EXPECT_EQ(source.read(2, 3), (Bytes{'2', '3', '4'}));
    EXPECT_EQ(source.readUpTo(8, 1000), (Bytes{'8', '9'}));
    EXPECT_TRUE(source.readUpTo(10, 4).empty());
    EXPECT_THROWS_EXACTLY(MalformedMXFFile, source.read(8, 3),
                          "byte 8: 3 bytes needed here run past the end of the file (10 bytes)");
}

TEST(StreamSource, ReadsForwardKeepingTheLastBytes) {
    Bytes bytes(300000);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 7);
    const Pipe pipe(bytes);
    const StreamSource source(pipe.descriptor(), "the pipe");
    const auto part = [&](std::size_t from, std::size_t count) {
        return Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(from),
                     bytes.begin() + static_cast<std::ptrdiff_t>(from + count));
    };
    EXPECT_TRUE(source.forwardOnly());
    EXPECT_EQ(source.size(), ByteSource::kUnknownSize);
    EXPECT_EQ(source.read(10, 5), part(10, 5));
    EXPECT_EQ(source.read(3, 20), part(3, 20));               // kept, and more
    EXPECT_EQ(source.read(200000, 1000), part(200000, 1000)); // what lies between is dropped
    EXPECT_EQ(source.firstReadable(), 201000u - StreamSource::kKept);
    EXPECT_EQ(source.read(150000, 10), part(150000, 10));
    EXPECT_THROWS_EXACTLY(UnreadableMXFFile, source.read(10, 5),
                          "the pipe is read forward only: byte 10 has been passed (reads may start "
                          "at byte 69928 or later)");
    EXPECT_EQ(source.readUpTo(299990, 1000000), part(299990, 10));
    EXPECT_EQ(source.size(), 300000u);
    EXPECT_THROWS_EXACTLY(MalformedMXFFile, source.read(299999, 2),
                          "byte 299999: 2 bytes needed here run past the end of the file (300000 "
                          "bytes)");
}

// Through a pipe, the copy of the header metadata that lies ahead is read as
// from the file; one that only the random index pack at the end leads to is
// not, and the header partition's own copy is read instead.
TEST(StreamSource, GivesTheHeaderMetadataAFileGivesWhenItLiesAhead) {
    const Bytes primer =
        MxfTest::primer({{0x3c0a, "06.0e.2b.34.01.01.01.01.01.01.15.02.00.00.00.00"}});
    const auto copy = [&](std::uint8_t n) {
        return primer +
               localSet("06.0e.2b.34.02.53.01.01.0d.01.01.01.01.01.2f.00", {{0x3c0a, uid(n)}});
    };
    const Partition openHeader{0x02, 0x01, copy(1), Bytes(200000, 0)};
    const Partition footer{0x04, 0x04, copy(3), {}};
    struct Case {
        const char* what;
        Bytes file;
        std::uint8_t read; // n of the copy read from the pipe
        std::vector<std::string> notes;
    };
    const std::vector<Case> cases = {
        {"closed complete header",
         layout({{0x02, 0x04, copy(1), Bytes(200000, 0)}, footer}),
         1,
         {}},
        {"footer through the footer partition offset",
         layout({openHeader, footer}),
         3,
         {"the header partition is open incomplete; read the header metadata of the footer "
          "partition at byte 200194, which is closed complete (found through the footer "
          "partition offset)"}},
        {"footer through the random index pack only",
         layout({openHeader, footer}, {0}),
         1,
         {"the file is read forward only, so the random index pack at its end is not looked for",
          "the header partition is open incomplete, and no footer partition offset leads to "
          "another partition: its header metadata may not be final"}},
    };
    for (const Case& c : cases) {
        const Pipe pipe(c.file);
        const StreamSource source(pipe.descriptor(), "standard input");
        const auto got = Palimo::MXF::readHeaderMetadata(source);
        ASSERT_EQ(got.sets.size(), 1u) << c.what;
        EXPECT_EQ(got.sets[0].items[0].value, uid(c.read)) << c.what;
        EXPECT_EQ(got.notes, c.notes) << c.what;
        EXPECT_TRUE(got.problems.empty()) << c.what;
    }
}

} // namespace
