// Replays fuzz inputs without libFuzzer: every file named, and every file of every folder
// named (missing folders are skipped), goes once through the target in name order. Exits
// non-zero when nothing could be read; a broken invariant aborts as under the fuzzer.

#include "fuzz/driver/fuzz_support.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

bool replay(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return false;
    const std::string data{std::istreambuf_iterator<char>(in), {}};
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(data.data()), data.size());
    return true;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::filesystem::path> files;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path path = argv[i];
        std::error_code ec;
        if (std::filesystem::is_directory(path, ec)) {
            for (const auto& entry : std::filesystem::directory_iterator(path, ec))
                if (entry.is_regular_file()) files.push_back(entry.path());
        } else if (std::filesystem::is_regular_file(path, ec)) {
            files.push_back(path);
        }
    }
    std::sort(files.begin(), files.end());
    int replayed = 0;
    for (const auto& file : files) {
        if (!replay(file)) {
            std::fprintf(stderr, "cannot read %s\n", file.c_str());
            return 1;
        }
        ++replayed;
    }
    std::printf("%d inputs replayed\n", replayed);
    return replayed > 0 ? 0 : 1;
}
