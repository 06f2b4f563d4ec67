#include "support/TestSupport.h"

#include <atomic>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <unistd.h>

namespace PalimoTest {

TempDir::TempDir() {
    static std::atomic<unsigned> counter{0};
    for (;;) {
        auto candidate =
            std::filesystem::temp_directory_path() /
            ("palimo-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        if (std::filesystem::create_directory(candidate)) {
            path_ = candidate;
            return;
        }
    }
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

std::filesystem::path TempDir::write(const std::string& relative,
                                     const std::string& content) const {
    auto full = path_ / relative;
    std::filesystem::create_directories(full.parent_path());
    std::ofstream out(full, std::ios::binary);
    out << content;
    return full;
}

std::string schema(const std::string& body, const std::string& extraAttributes) {
    return std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<xs:schema "
                       "xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" "
                       "xmlns:ff=\"urn:SMPTE:MXF:file_format\"") +
           (extraAttributes.empty() ? "" : " ") + extraAttributes +
           " targetNamespace=\"urn:SMPTE:MXF:file_format\" elementFormDefault=\"qualified\">\n" +
           body + "\n</xs:schema>\n";
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path.string());
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::filesystem::path dataDir() {
    return PALIMO_TEST_DATA_DIR;
}

} // namespace PalimoTest
