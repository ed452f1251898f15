// Runs a fuzz target once on every file of the given folders (and on an empty input),
// so that inputs which once crashed a target stay covered by the ordinary tests. A target
// must leave no scratch file behind.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "fuzz_scratch_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv)
{
    namespace fs = std::filesystem;
    LLVMFuzzerTestOneInput(nullptr, 0);
    int runs = 1;
    for (int i = 1; i < argc; ++i) {
        std::error_code ec;
        if (!fs::is_directory(argv[i], ec))
            continue;
        for (const auto& entry : fs::recursive_directory_iterator(argv[i])) {
            if (!entry.is_regular_file())
                continue;
            std::ifstream in(entry.path(), std::ios::binary);
            std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
            ++runs;
        }
    }
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(fs::temp_directory_path(), ec))
        if (fuzz_scratch::ProcessOf(entry.path().filename().string()) == fuzz_scratch::ThisProcess()) {
            std::printf("scratch file left behind: %s\n", entry.path().string().c_str());
            return 1;
        }
    std::printf("%d passed, 0 failed\n", runs);
    return 0;
}
