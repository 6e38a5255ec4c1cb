// Finding adapters on ten ports at once against the slowest single status
// query, on simulated adapters behind real pseudo-terminals. The goal: all
// ten ports take at most 1.3 times the slowest single port.
//
//   build/bin/info_bench                       real times (about 80 s)
//   VELKA_TA_TIME_SCALE=0.25 build/bin/info_bench   every pause a quarter
//
// Ports: COM1..COM6 running adapters of every kind and another maker's
// modem, COM7 a box in its boot state, COM8 silent, COM9 and COM10 missing.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>

#include "info/info.h"
#include "platform/clock.h"
#include "platform/serial_port.h"
#include "sim/pty_adapter.h"
#include "tests/support/temp_home.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Bench {
    std::map<int, std::unique_ptr<sim::PtyAdapter>> sims;
    std::map<int, bool> answering;  // an adapter that answers its query
};

Bench* bench = nullptr;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void startPorts(testsupport::TempHome& home, Bench& b) {
    auto add = [&](int com, sim::Scenario scenario, bool answers) {
        sim::PtyAdapter::Options options;
        options.comName = "COM" + std::to_string(com);
        if (sim::PtyAdapter::start(scenario, options, b.sims[com]) != 0) std::abort();
        b.answering[com] = answers;
    };
    add(1, sim::defaultScenario(sim::Kind::Box, false), true);
    add(2, sim::defaultScenario(sim::Kind::Box6F, false), true);
    add(3, sim::defaultScenario(sim::Kind::Pro, true), true);
    add(4, sim::defaultScenario(sim::Kind::Pci, false), true);
    add(5, sim::defaultScenario(sim::Kind::PcCard, true), true);
    add(6, sim::defaultScenario(sim::Kind::Other, false), true);
    sim::Scenario boot = sim::defaultScenario(sim::Kind::Box, false);
    boot.firmware = sim::Firmware::BootState;
    add(7, boot, true);
    sim::Scenario silent = sim::defaultScenario(sim::Kind::Box, false);
    silent.faults.silentAfter = 0;
    add(8, silent, false);
    platform::mapPortName("COM9", home.file("missing-9"));
    platform::mapPortName("COM10", home.file("missing-10"));
}

void BM_GetDeviceInfoTenPorts(benchmark::State& state) {
    double slowestSingle = 0, slowestAdapter = 0, sumSingles = 0, all = 0;
    int adapters = 0;
    for (auto _ : state) {
        state.PauseTiming();
        slowestSingle = slowestAdapter = sumSingles = 0;
        for (int com = 1; com <= CInfo::kMaxSlots; ++com) {
            auto d = std::make_unique<CDeviceInfo>();
            d->SetPort(("COM" + std::to_string(com)).c_str());
            const auto start = Clock::now();
            d->QueryStatus();
            const double took = secondsSince(start);
            sumSingles += took;
            slowestSingle = std::max(slowestSingle, took);
            if (bench->answering[com]) slowestAdapter = std::max(slowestAdapter, took);
        }
        state.ResumeTiming();

        std::array<std::unique_ptr<CDeviceInfo>, CInfo::kMaxSlots> records;
        std::array<CDeviceInfo*, CInfo::kMaxSlots> pointers{};
        for (std::size_t i = 0; i < records.size(); ++i) {
            records[i] = std::make_unique<CDeviceInfo>();
            pointers[i] = records[i].get();
        }
        CInfo info;
        const auto start = Clock::now();
        info.GetDeviceInfo(pointers.data(), CInfo::kMaxSlots);
        all = secondsSince(start);
        state.SetIterationTime(all);
        adapters = static_cast<int>(std::count_if(
            records.begin(), records.end(), [](const auto& r) { return isFamilyDevice(r->type); }));
    }
    state.counters["adapters"] = adapters;
    state.counters["all_ports_s"] = all;
    state.counters["slowest_single_s"] = slowestSingle;
    state.counters["slowest_adapter_s"] = slowestAdapter;
    state.counters["sum_singles_s"] = sumSingles;
    state.counters["ratio_to_slowest"] = slowestSingle > 0 ? all / slowestSingle : 0;
    state.counters["time_scale"] = platform::timeScale();
}
BENCHMARK(BM_GetDeviceInfoTenPorts)->UseManualTime()->Iterations(2)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    testsupport::TempHome home;
    platform::reloadTimeScale();
    Bench b;
    bench = &b;
    startPorts(home, b);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    bench = nullptr;
    return 0;
}
