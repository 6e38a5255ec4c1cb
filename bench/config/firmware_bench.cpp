// The firmware transfer: a 256 KiB image at 115200 bit/s into the simulated
// loader, which paces the line in both directions. Reported as the share of
// the line rate the image data got, next to the ceiling the protocol allows:
// each block waits for its ACK, and the link hands every delivery over only
// after its prescribed 50 ms pause.
//
//   firmware_bench   (about 40 s per run: the download's own pauses included)
#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>

#include "config/firmware/download_session.h"
#include "platform/clock.h"
#include "sim/pty_adapter.h"

namespace {

constexpr std::uint32_t kSpeed = 115200;
constexpr std::size_t kImageSize = 256 * 1024;
constexpr double kHandOffPauseMs = 50;

struct Home {
    Home() {
        if (!getenv("VELKA_TA_TIME_SCALE")) setenv("VELKA_TA_TIME_SCALE", "1", 1);
        platform::reloadTimeScale();
        std::string pattern = (std::filesystem::temp_directory_path() / "fwbench.XXXXXX").string();
        if (mkdtemp(pattern.data())) path = pattern;
        setenv("VELKA_TA_HOME", path.c_str(), 1);
        setenv("XDG_RUNTIME_DIR", path.c_str(), 1);
    }
    ~Home() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
    std::string path;
};

// Times the blocks: from the first block to the last ACK.
class Clock : public firmware::DownloadObserver {
public:
    void progress(int, std::uint64_t) override {
        if (!started) start = std::chrono::steady_clock::now();
        started = true;
    }
    void transferDone() override { end = std::chrono::steady_clock::now(); }
    bool started = false;
    std::chrono::steady_clock::time_point start, end;
};

void BM_FirmwareTransfer(benchmark::State& state) {
    Home home;
    sim::Scenario scenario = sim::defaultScenario(sim::Kind::Box, false);
    scenario.pace = true;
    scenario.maxSpeed = kSpeed;  // the speed walk stops here and stores it
    std::unique_ptr<sim::PtyAdapter> device;
    sim::PtyAdapter::Options options;
    options.comName = "COM7";
    if (sim::PtyAdapter::start(scenario, options, device) != 0) {
        state.SkipWithError("no pty");
        return;
    }
    std::string image(kImageSize, '\0');
    for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<char>(i * 7);
    double share = 0;
    for (auto _ : state) {
        Clock clock;
        firmware::DownloadSession session("COM7", {image, "2.20", 1, false}, clock);
        std::string message;
        if (session.run(message) != 0) {
            state.SkipWithError("download failed");
            return;
        }
        const double ms =
            std::chrono::duration<double, std::milli>(clock.end - clock.start).count();
        share = kImageSize * 10.0 / kSpeed * 1000.0 / ms;
        state.SetIterationTime(ms / 1000.0);
    }
    // Per block: the block and its ACK on the wire, then the hand-over pause.
    const double blockMs = (1029 + 1) * 10.0 / kSpeed * 1000.0 + kHandOffPauseMs;
    const double ceiling = 1024 * 10.0 / kSpeed * 1000.0 / blockMs;
    state.counters["line_share_pct"] = share * 100;
    state.counters["ceiling_pct"] = ceiling * 100;
    state.counters["of_ceiling_pct"] = share / ceiling * 100;
}
BENCHMARK(BM_FirmwareTransfer)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
