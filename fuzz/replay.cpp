// Feeds every file of the folders named on the command line to the fuzz target once, as libFuzzer
// does with a corpus, so that the normal build, without libFuzzer, checks the corpus too.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
    int inputs = 0;
    for (int i = 1; i < argc; ++i)
        for (const auto& entry : std::filesystem::directory_iterator(argv[i])) {
            // Named before it runs, so that a crash points at its input.
            std::fprintf(stderr, "replay: %s\n", entry.path().c_str());
            std::ifstream in(entry.path(), std::ios::binary);
            const std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
            LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                   bytes.size());
            ++inputs;
        }
    std::printf("replay: %d inputs\n", inputs);
    return inputs > 0 ? 0 : 1;
}
