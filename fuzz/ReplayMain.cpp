// Runs fuzz inputs through the fuzz target without libFuzzer: every file
// named on the command line, and every file in every directory named there
// (in name order, sub-directories included). The first failure ends the run
// the way it would end a fuzzing run: by a crash, a sanitizer report or an
// exception escaping the target.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

namespace fs = std::filesystem;

void collect(const fs::path& argument, std::vector<fs::path>& inputs) {
    if (!fs::is_directory(argument)) {
        inputs.push_back(argument);
        return;
    }
    std::vector<fs::path> found;
    for (const auto& entry : fs::recursive_directory_iterator(argument))
        if (entry.is_regular_file())
            found.push_back(entry.path());
    std::sort(found.begin(), found.end());
    inputs.insert(inputs.end(), found.begin(), found.end());
}

bool replay(const fs::path& input) {
    std::ifstream in(input, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", input.string().c_str());
        return false;
    }
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::fprintf(stderr, "replaying %s\n", input.string().c_str());
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s file-or-directory...\n", argv[0]);
        return 2;
    }
    std::vector<fs::path> inputs;
    for (int i = 1; i < argc; ++i)
        collect(argv[i], inputs);
    std::size_t replayed = 0;
    for (const fs::path& input : inputs) {
        if (!replay(input))
            return 1;
        ++replayed;
    }
    std::fprintf(stderr, "%zu inputs replayed\n", replayed);
    return 0;
}
