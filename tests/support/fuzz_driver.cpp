// Stand-alone driver for fuzz targets in builds without libFuzzer: replays
// the target's seed corpus (real replies, listings, files), then feeds it
// edge inputs, random ones and mutations of the seeds, for a fixed number of
// runs with a fixed seed, so every CTest run checks the same inputs.
//
//   <target> RUNS [CORPUS_DIR]
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

using Input = std::vector<std::uint8_t>;

// Bytes that matter to the suite's text parsers.
constexpr char kAlphabet[] =
    "\r\n\t =;[]%!&,.:-_0123456789abcdefghxyzABCDEFOKRNT\\\"#*$@>\x00\xff\xc3\xa4";

std::uint8_t someByte(std::mt19937& rng) {
    return rng() % 4 == 0 ? static_cast<std::uint8_t>(rng())
                          : static_cast<std::uint8_t>(kAlphabet[rng() % (sizeof kAlphabet - 1)]);
}

// Every file of the folder, in name order so each run is the same.
std::vector<Input> readCorpus(const char* folder) {
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error))
        if (entry.is_regular_file()) files.push_back(entry.path());
    if (error) {
        std::fprintf(stderr, "fuzz: corpus %s: %s\n", folder, error.message().c_str());
        std::exit(1);
    }
    std::sort(files.begin(), files.end());
    std::vector<Input> corpus;
    for (const auto& file : files) {
        std::ifstream in(file, std::ios::binary);
        corpus.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return corpus;
}

// A few bytes changed, some inserted, the end maybe cut.
Input mutate(Input input, std::mt19937& rng) {
    for (int m = 0; m < 4 && !input.empty(); ++m) {
        const std::size_t at = rng() % input.size();
        if (rng() % 3 == 0)
            input.insert(input.begin() + static_cast<std::ptrdiff_t>(at), someByte(rng));
        else
            input[at] = someByte(rng);
    }
    if (rng() % 4 == 0) input.resize(rng() % (input.size() + 1));
    return input;
}

}  // namespace

int main(int argc, char** argv) {
    const long runs = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 10000;
    const std::vector<Input> seeds = argc > 2 ? readCorpus(argv[2]) : std::vector<Input>{};
    for (const Input& seed : seeds) LLVMFuzzerTestOneInput(seed.data(), seed.size());
    const std::size_t corpusSize = seeds.size();

    std::mt19937 rng(20261206u);
    LLVMFuzzerTestOneInput(nullptr, 0);
    Input last;
    for (long i = 0; i < runs; ++i) {
        Input input;
        if (i % 3 == 0 && !last.empty()) {
            input = mutate(last, rng);
        } else if (i % 3 == 1 && !seeds.empty()) {
            input = mutate(seeds[rng() % seeds.size()], rng);
        } else {
            input.resize(rng() % (i % 50 == 0 ? 20000 : 400));
            for (auto& b : input) b = someByte(rng);
        }
        LLVMFuzzerTestOneInput(input.data(), input.size());
        last = std::move(input);
    }
    std::printf("fuzz: %zu corpus files, %ld inputs, no fault\n", corpusSize, runs);
    return 0;
}
