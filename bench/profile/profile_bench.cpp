// ReadProfiles and WriteProfiles against the simulated adapter, reported as
// the time they take above the pauses their own sequences prescribe (the
// link's initial-command wait, the settle pauses and the 50 ms hand-over of
// every answer). What is left is the suite's own cost: opening and closing
// ports, the speed walk, parsing and formatting, thread hand-overs.
//
// Also the export's file write (CProfileFile::Save onto an existing file) and
// `tactl write` of one setting with --kind/--region (its whole run, and the
// port openings it needs, counted by the link's initial command).
//
//   VELKA_TA_TIME_SCALE=1 bin/profile_bench      real pauses (default)
//   VELKA_TA_TIME_SCALE=0.1 bin/profile_bench    a quicker look
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "platform/clock.h"
#include "profile/command_builder.h"
#include "profile/device_profiles.h"
#include "profile/profile_file.h"
#include "profile/profile_settings.h"
#include "sim/pty_adapter.h"

namespace {

constexpr const char* kPort = "COM9";

// Pauses of the sequences, unscaled, in milliseconds.
constexpr double kSettle = 500;     // before a read; before the restart's answer
constexpr double kInitWait = 5000;  // the link waits this long after its initial command
constexpr double kAfterInit = 500;
constexpr double kHandOver = 50;    // every complete answer
constexpr double kSpeedTrials = 7;  // 4800 .. 230400, every one answered

double ReadPauses() {
    return kSettle + kSpeedTrials * kHandOver + kInitWait + kAfterInit + 2 * kHandOver;
}

double WritePauses(const CDeviceProfiles& m) {
    double lines = 0;
    for (int i = 0; i < 3; ++i)
        lines += static_cast<double>(
            profile::BuildProfileCommands(m.profiles[i], i, m.northAmerica, m.deviceKind).size());
    // Profile lines, "AT&Y", the clock and "ATZ" each wait for one answer.
    return kInitWait + kAfterInit + (lines + 3) * kHandOver + kSettle;
}

// A private state folder and one simulated adapter for the whole run.
class Bench {
public:
    Bench() {
        if (!getenv("VELKA_TA_TIME_SCALE")) setenv("VELKA_TA_TIME_SCALE", "1", 1);
        platform::reloadTimeScale();
        std::string pattern =
            (std::filesystem::temp_directory_path() / "velka-bench-XXXXXX").string();
        if (mkdtemp(pattern.data())) home_ = pattern;
        setenv("VELKA_TA_HOME", home_.c_str(), 1);
        setenv("XDG_RUNTIME_DIR", home_.c_str(), 1);
        sim::PtyAdapter::Options options;
        options.comName = kPort;
        options.transcriptPath = transcript();
        sim::PtyAdapter::start(sim::defaultScenario(sim::Kind::Box, true), options, adapter_);
    }
    ~Bench() {
        adapter_.reset();
        std::error_code ec;
        std::filesystem::remove_all(home_, ec);
    }
    bool ready() const { return adapter_ != nullptr; }
    std::string file(const std::string& name) const { return home_ + "/" + name; }
    std::string transcript() const { return file("transcript.log"); }

private:
    std::string home_;
    std::unique_ptr<sim::PtyAdapter> adapter_;
};

Bench& TheBench() {
    static Bench bench;
    return bench;
}

void Report(benchmark::State& state, double totalMs, double pausesMs) {
    const double runs = static_cast<double>(state.iterations());
    const double perRun = totalMs / runs;
    const double prescribed = pausesMs * platform::timeScale();
    state.counters["prescribed_ms"] = prescribed;
    state.counters["above_ms"] = perRun - prescribed;
    state.counters["above_pct"] = 100.0 * (perRun - prescribed) / prescribed;
}

void BM_ReadProfiles(benchmark::State& state) {
    if (!TheBench().ready()) return state.SkipWithError("simulator did not start");
    const CProfileSettings settings;
    double totalMs = 0;
    for (auto _ : state) {
        CDeviceProfiles model;
        const auto start = std::chrono::steady_clock::now();
        const std::int32_t rc = model.ReadProfiles(kPort, 1, 1, settings);
        totalMs +=
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count();
        if (rc != 0) return state.SkipWithError("ReadProfiles failed");
    }
    Report(state, totalMs, ReadPauses());
}

void BM_WriteProfiles(benchmark::State& state) {
    if (!TheBench().ready()) return state.SkipWithError("simulator did not start");
    CDeviceProfiles model;
    if (model.ReadProfiles(kPort, 1, 1, CProfileSettings()) != 0)
        return state.SkipWithError("ReadProfiles failed");
    double totalMs = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const std::int32_t rc = model.WriteProfiles(kPort);
        totalMs +=
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count();
        if (rc != 0) return state.SkipWithError("WriteProfiles failed");
    }
    Report(state, totalMs, WritePauses(model));
}

// One export's file: the whole document built and the file replaced once.
void BM_ExportFileWrite(benchmark::State& state) {
    if (!TheBench().ready()) return state.SkipWithError("simulator did not start");
    CDeviceProfiles model;
    if (model.ReadProfiles(kPort, 1, 1, CProfileSettings()) != 0)
        return state.SkipWithError("ReadProfiles failed");
    const std::string path = TheBench().file("export.prf");
    for (auto _ : state)
        if (CProfileFile().Save(path, model, 7, 1) != 0) return state.SkipWithError("Save failed");
}

// Lines of the transcript that start with `text`.
int CountReceived(const std::string& transcript, const std::string& text) {
    std::ifstream in(transcript);
    int count = 0;
    for (std::string line; std::getline(in, line);)
        if (line.find("< " + text) != std::string::npos) ++count;
    return count;
}

// A script that knows its adapter: no status query, so one opening reads and
// one writes.
void BM_TactlWriteOneSetting(benchmark::State& state) {
    if (!TheBench().ready()) return state.SkipWithError("simulator did not start");
    const std::string tactl =
        (std::filesystem::read_symlink("/proc/self/exe").parent_path() / "tactl").string();
    const std::string command =
        "'" + tactl + "' write COM9 P0.Region=2 --kind 1 --region 1 >/dev/null 2>&1";
    const int before = CountReceived(TheBench().transcript(), "ATV1E1&K3");
    for (auto _ : state)
        if (std::system(command.c_str()) != 0) return state.SkipWithError("tactl write failed");
    state.counters["port_openings"] =
        static_cast<double>(CountReceived(TheBench().transcript(), "ATV1E1&K3") - before) /
        static_cast<double>(state.iterations());
}

BENCHMARK(BM_ExportFileWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TactlWriteOneSetting)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadProfiles)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteProfiles)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
