// Files read on many threads through one dictionary, each file's output
// written in the order of the files, as mxfdict read writes them: whichever
// thread finishes first, and however little a section may keep before it
// waits for its turn and writes through, the output is that of one thread
// reading the files in order.
#include "support/TestSupport.h"

#include <Palimo/MXF/FileReader.h>
#include <Palimo/MXF/Summary.h>
#include <Palimo/Output/OrderedOutput.h>
#include <Palimo/Output/RunInOrder.h>
#include <Palimo/TypeDefinitions/SchemaLoading.h>

#include <atomic>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Palimo::Output::OrderedOutput;
using Palimo::Output::runInOrder;

struct Fixture {
    Palimo::MetaMetadata::Dictionary dictionary;
    Palimo::TypeDefinitions::TypeDictionary types;
    std::vector<std::string> files;

    Fixture() {
        const auto data = PalimoTest::dataDir();
        Palimo::TypeDefinitions::loadDictionary(
            (data / ".." / ".." / "examples" / "mxf-dictionary" / "MXFDictionary.xsd").string(), {},
            dictionary, types);
        const auto seeds = data / ".." / ".." / "fuzz" / "mxf-corpus";
        for (const auto& path :
             {data / "mxf" / "op1a-mpeg2-pcm.mxf", data / "mxf" / "d10-30mbps.mxf",
              data / "mxf" / "opatom-dnxhr.mxf", seeds / "rip-footer.mxf", seeds / "truncated.mxf",
              seeds / "reference-cycle.mxf", data / "missing.mxf"})
            files.push_back(path.string());
    }

    // What a file gives, written in pieces to both streams of its section.
    void work(OrderedOutput::Section& section) const {
        const std::string& path = files[section.index() % files.size()];
        section.out() << "file " << section.index() << ' ' << path << '\n';
        try {
            const Palimo::MXF::Summary summary =
                Palimo::MXF::summarize(Palimo::MXF::readMXFFile(path, dictionary, &types));
            for (const auto& package : summary.packages) {
                section.out() << Palimo::MXF::packageKindName(package.kind) << ':';
                for (const auto& track : package.tracks)
                    section.out() << ' ' << track.id.value_or(0) << '/'
                                  << track.duration.value_or(-2);
                section.out() << '\n';
            }
            section.problems = summary.problems.size();
            section.err() << section.index() << ": " << summary.problems.size() << " kinds\n";
        } catch (const Palimo::Exceptions::BaseException& e) {
            section.err() << section.index() << ": " << e.what() << '\n';
            section.status = 3;
        }
        section.out() << "end " << section.index() << '\n';
    }
};

TEST(OrderedOutput, ManyThreadsWriteInTheOrderOfTheWork) {
    const Fixture fixture;
    constexpr std::size_t kCount = 42;
    std::ostringstream expectedOut, expectedErr;
    {
        OrderedOutput alone(expectedOut, expectedErr, 1, 1 << 20);
        runInOrder(kCount, 1, alone, 1, "test",
                   [&](OrderedOutput::Section& section) { fixture.work(section); });
    }
    ASSERT_NE(expectedOut.str().find("file: 1/3 2/3 3/3"), std::string::npos) << expectedOut.str();
    for (const std::size_t limit : {std::size_t(1) << 20, std::size_t(48), std::size_t(1)})
        for (const unsigned threads : {3u, 8u}) {
            std::ostringstream out, err;
            std::vector<std::size_t> written; // by the hook, which runs on one thread at a time
            OrderedOutput::Hooks hooks;
            hooks.written = [&](const OrderedOutput::Section& section) {
                written.push_back(section.index());
            };
            OrderedOutput output(out, err, 2, limit, hooks);
            const std::string failure =
                runInOrder(kCount, threads, output, 1, "test",
                           [&](OrderedOutput::Section& section) { fixture.work(section); });
            EXPECT_EQ(failure, "");
            EXPECT_EQ(out.str(), expectedOut.str()) << limit << " on " << threads;
            EXPECT_EQ(err.str(), expectedErr.str()) << limit << " on " << threads;
            ASSERT_EQ(written.size(), kCount);
            for (std::size_t i = 0; i < kCount; ++i)
                EXPECT_EQ(written[i], i);
        }
}

// Standard output that fails stops the work: no thread waits for ever, and
// work is no longer taken.
TEST(OrderedOutput, AFailingOutputStopsTheWork) {
    class Failing : public std::streambuf {
    protected:
        int_type overflow(int_type) override { return traits_type::eof(); }
        std::streamsize xsputn(const char*, std::streamsize) override { return 0; }
    } failing;
    std::ostream out(&failing);
    std::ostringstream err;
    OrderedOutput output(out, err, 4, 8);
    std::atomic<std::size_t> done{0};
    runInOrder(1000, 4, output, 1, "test", [&](OrderedOutput::Section& section) {
        section.out() << "more than eight bytes " << section.index() << '\n';
        ++done;
    });
    EXPECT_TRUE(output.stopped());
    EXPECT_LT(done.load(), 1000u);
}

// Work that throws, whatever it throws, ends that index only: its message is
// in its section, the others are written, and no thread is left waiting.
TEST(OrderedOutput, WorkThatThrowsEndsItsIndexOnly) {
    std::ostringstream out, err;
    OrderedOutput output(out, err, 4, 1 << 10);
    runInOrder(6, 3, output, 7, "test", [](OrderedOutput::Section& section) {
        section.out() << section.index() << '\n';
        switch (section.index()) {
        case 1:
            throw std::runtime_error("standard");
        case 2:
            throw Palimo::Exceptions::BaseException(u"of the project", __FILE__, __LINE__);
        case 3:
            throw 42;
        default:
            break;
        }
    });
    EXPECT_FALSE(output.stopped());
    EXPECT_EQ(out.str(), "0\n1\n2\n3\n4\n5\n");
    EXPECT_EQ(err.str(), "test: standard\ntest: of the project\ntest: an exception of unknown "
                         "type\n");
}

} // namespace
