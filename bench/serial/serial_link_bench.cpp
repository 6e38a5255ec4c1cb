// What an open link costs: CPU while nothing happens, and the time of one
// command round trip over a pty to the simulator, next to the 50 ms pause
// the hand-over itself prescribes.
//
//   serial_link_bench --benchmark_filter=Idle     (about 3 s per run)
//   serial_link_bench --benchmark_filter=RoundTrip
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/clock.h"
#include "platform/event.h"
#include "platform/serial_port.h"
#include "serial/com_link.h"
#include "serial/response_rules.h"
#include "sim/pty_adapter.h"

namespace {

double processCpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) * 1000.0 + static_cast<double>(ts.tv_nsec) / 1e6;
}

// A pty with nobody talking on it: the link alone is measured.
struct QuietPty {
    QuietPty() {
        char name[128] = {};
        if (::openpty(&master, &slave, name, nullptr, nullptr) == 0) path = name;
    }
    ~QuietPty() {
        if (slave >= 0) ::close(slave);
        if (master >= 0) ::close(master);
    }
    int master = -1, slave = -1;
    std::string path;
};

void BM_IdleLinkCpu(benchmark::State& state) {
    QuietPty pty;
    if (pty.path.empty()) {
        state.SkipWithError("no pty");
        return;
    }
    const auto seconds = state.range(0);
    double cpuMs = 0;
    for (auto _ : state) {
        CComLink link;
        if (link.Open(pty.path.c_str(), 57600, 0, 0) != 0) {
            state.SkipWithError("open failed");
            return;
        }
        const double before = processCpuMs();
        std::this_thread::sleep_for(std::chrono::seconds(seconds));
        cpuMs = processCpuMs() - before;
        link.Close();
    }
    state.counters["cpu_ms"] = cpuMs;
    state.counters["cpu_ms_per_s"] = cpuMs / static_cast<double>(seconds);
}
BENCHMARK(BM_IdleLinkCpu)->Arg(3)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_CommandRoundTrip(benchmark::State& state) {
    sim::Scenario sc;
    sc.pace = state.range(0) != 0;
    std::unique_ptr<sim::PtyAdapter> dev;
    sim::PtyAdapter::Options opt;
    opt.comName = "COM42";
    if (sim::PtyAdapter::start(sc, opt, dev) != 0) {
        state.SkipWithError("simulator did not start");
        return;
    }
    CComLink link;
    if (link.Open("COM42", 57600, 0, 0) != 0) {
        state.SkipWithError("open failed");
        return;
    }
    platform::Event answered;
    std::vector<char> buffer(4096);
    std::int32_t status = 0;
    double worstMs = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        answered.reset();
        link.ArmResponse(buffer.data(), static_cast<std::int32_t>(buffer.size()), &answered,
                         &status, CComLink::kModeResultCode);
        link.Write("AT\r", 3);
        const bool ok = answered.wait(5000) == platform::WaitResult::Signaled;
        link.DisarmResponse();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        if (!ok || status != 0) {
            state.SkipWithError("no answer");
            break;
        }
        state.SetIterationTime(took.count());
        worstMs = std::max(worstMs, took.count() * 1000.0);
    }
    link.Close();
    state.counters["pause_ms"] = static_cast<double>(platform::scaled(50).count());
    state.counters["worst_ms"] = worstMs;
}
BENCHMARK(BM_CommandRoundTrip)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("paced")
    ->UseManualTime()
    ->Iterations(40)
    ->Unit(benchmark::kMillisecond);

void BM_CompletionCheckFullBuffer(benchmark::State& state) {
    std::string text(4089, 'x');
    text += "\r\nOK\r\n";
    for (auto _ : state) benchmark::DoNotOptimize(serial::completingResultCode(text));
}
BENCHMARK(BM_CompletionCheckFullBuffer);

}  // namespace

// The benchmarks keep their registry store and ports to themselves.
int main(int argc, char** argv) {
    char dir[] = "/tmp/velka-serial-bench-XXXXXX";
    if (!::mkdtemp(dir)) return 1;
    setenv("VELKA_TA_HOME", dir, 1);
    setenv("XDG_RUNTIME_DIR", dir, 1);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(dir);
    return 0;
}
