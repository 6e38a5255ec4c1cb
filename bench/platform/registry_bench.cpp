// How long the open-per-call registry wrapper and the INI reader take, in a
// private state folder so the user's store is never touched.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "platform/ini_file.h"
#include "registry/registry.h"

namespace {

struct BenchHome {
    BenchHome() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "velka-bench-XXXXXX").string();
        if (mkdtemp(pattern.data())) path = pattern;
        setenv("VELKA_TA_HOME", path.c_str(), 1);
    }
    ~BenchHome() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
    std::string path;
};

BenchHome& home() {
    static BenchHome instance;
    return instance;
}

void BM_CRegistryReadString(benchmark::State& state) {
    home();
    const CRegistry key = CRegistry(kSuiteKey).SubKey("Bench");
    key.Create();
    key.WriteString("Text", "COM1");
    char buffer[registry::kRegReadBufferSize];
    for (auto _ : state) benchmark::DoNotOptimize(key.ReadString("Text", buffer));
}
BENCHMARK(BM_CRegistryReadString);

void BM_CRegistryWriteDword(benchmark::State& state) {
    home();
    const CRegistry key = CRegistry(kSuiteKey).SubKey("Bench");
    key.Create();
    std::uint32_t n = 0;
    for (auto _ : state) benchmark::DoNotOptimize(key.WriteDword("Number", ++n));
}
BENCHMARK(BM_CRegistryWriteDword);

void BM_IniLookup(benchmark::State& state) {
    const std::string path = home().path + "/bench.ini";
    for (int s = 0; s < 50; ++s)
        for (int k = 0; k < 20; ++k)
            platform::ini::writePrivateProfileString(("S" + std::to_string(s)).c_str(),
                                                     ("K" + std::to_string(k)).c_str(), "value",
                                                     path);
    char buffer[64];
    for (auto _ : state)
        benchmark::DoNotOptimize(
            platform::ini::getPrivateProfileString("s49", "k19", "", buffer, sizeof buffer, path));
}
BENCHMARK(BM_IniLookup);

}  // namespace

BENCHMARK_MAIN();
