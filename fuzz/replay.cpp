// SPDX-License-Identifier: MIT
// Replays fuzz inputs without libFuzzer: every file named on the command line
// is read and handed to the fuzz target once, so that the corpus runs as an
// ordinary test in every build.  A broken promise aborts, as under libFuzzer.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size);

int main(int argc, char **argv) {
    for (int i = 1; i < argc; ++i) {
        std::ifstream file(argv[i], std::ios::binary);
        if (!file) {
            std::fprintf(stderr, "cannot read %s\n", argv[i]);
            return 2;
        }
        const std::vector<uint8_t> input((std::istreambuf_iterator<char>(file)),
                                         std::istreambuf_iterator<char>());
        LLVMFuzzerTestOneInput(input.data(), input.size());
        std::printf("replayed %s (%zu bytes)\n", argv[i], input.size());
    }
    return 0;
}
