// Stand-alone driver for fuzz targets in builds without libFuzzer: feeds the
// target edge inputs, then random and mutated ones, for a fixed number of
// runs with a fixed seed, so every CTest run checks the same inputs.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {
// Bytes that matter to the suite's text parsers.
constexpr char kAlphabet[] =
    "\r\n\t =;[]%!&,.:-_0123456789abcdefghxyzABCDEFOKRNT\\\"#*$@>\x00\xff\xc3\xa4";
}  // namespace

int main(int argc, char** argv) {
    long runs = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 10000;
    std::mt19937 rng(20261206u);
    std::vector<std::uint8_t> buf;
    LLVMFuzzerTestOneInput(nullptr, 0);
    std::vector<std::uint8_t> corpus;
    for (long i = 0; i < runs; ++i) {
        std::size_t len = rng() % (i % 50 == 0 ? 20000 : 400);
        if (i % 3 == 0 && !corpus.empty()) {
            buf = corpus;  // mutate the last input
            for (int m = 0; m < 4 && !buf.empty(); ++m)
                buf[rng() % buf.size()] = kAlphabet[rng() % (sizeof kAlphabet - 1)];
            if (rng() % 2) buf.resize(rng() % (buf.size() + 1));
        } else {
            buf.resize(len);
            for (auto& b : buf)
                b = rng() % 4 == 0 ? static_cast<std::uint8_t>(rng())
                                   : kAlphabet[rng() % (sizeof kAlphabet - 1)];
        }
        LLVMFuzzerTestOneInput(buf.data(), buf.size());
        corpus = buf;
    }
    std::printf("fuzz: %ld inputs, no fault\n", runs);
    return 0;
}
