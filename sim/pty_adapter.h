#pragma once
// sim::PtyAdapter: a simulated adapter behind a real pseudo-terminal.
//
//   std::unique_ptr<sim::PtyAdapter> dev;
//   sim::PtyAdapter::Options opt;
//   opt.comName = "COM7";                    // registered in the store
//   std::int32_t rc = sim::PtyAdapter::start(scenario, opt, dev);
//   // dev->devicePath() is e.g. "/dev/pts/5"; "COM7" now resolves to it
//   // through HKLM\HARDWARE\DEVICEMAP\SERIALCOMM (value name = device path,
//   // data = "COM7"). The mapping goes when `dev` is destroyed.
//
// The adapter thread waits in poll() on the pty master and a wake-up event
// (no busy loop), reads what the host wrote, asks the termios of the line for
// the speed the host set (cfgetospeed on the slave), feeds the engine and
// writes its answer back, paced at the line rate when the scenario says so.
// The simulator keeps its own descriptor of the slave open, so the pty
// survives the host closing and reopening its side.
//
// vanish() (or a scenario fault) closes the master and the slave descriptor:
// the host's descriptor then reports hang-up / EIO, like a device that was
// pulled, and the COM mapping is removed.
//
// A port with a COM name is announced on the device-change channel when it
// comes and when it goes, so the status monitor sees it like a device that
// was plugged in or pulled.
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "sim/adapter.h"
#include "sim/com_mapping.h"
#include "sim/scenario.h"

namespace sim {

class PtyAdapter {
public:
    struct Options {
        std::string comName;         // "COM7"; empty: no mapping in the store
        std::string transcriptPath;  // append every command line and reply; empty: none
        std::string statePath;       // stored profiles kept between runs; empty: none
    };

    // 0, or an errno-style code when the pty cannot be made.
    static std::int32_t start(const Scenario& scenario, const Options& options,
                              std::unique_ptr<PtyAdapter>& out);
    ~PtyAdapter();
    PtyAdapter(const PtyAdapter&) = delete;
    PtyAdapter& operator=(const PtyAdapter&) = delete;

    const std::string& devicePath() const { return devicePath_; }
    const std::string& comName() const { return options_.comName; }

    // Makes the port disappear now (thread-safe).
    void vanish();
    bool vanished() const { return gone_.load(); }

    // Runs `fn` on the engine under its lock, e.g. to read the received
    // firmware image or the command count from a test.
    void withEngine(const std::function<void(Adapter&)>& fn);

private:
    PtyAdapter(const Scenario& scenario, const Options& options);
    std::int32_t open();
    void run(std::stop_token stop);
    // false when a stop or vanish request cut the output short.
    bool perform(const Outputs& outs, std::uint32_t speed);
    bool paceInbound(std::size_t bytes, std::uint32_t speed);
    bool writeAll(std::string_view bytes);
    std::uint32_t lineSpeed() const;
    void closeLine();
    void announce(std::uint32_t event);
    void log(char direction, std::string_view text);
    void saveState();

    Options options_;
    Adapter engine_;
    std::mutex engineMutex_;
    int master_ = -1;
    int slave_ = -1;
    int wake_ = -1;  // eventfd that ends the thread's wait
    std::string devicePath_;
    std::uint32_t devNode_ = 0;
    std::unique_ptr<ComMapping> mapping_;
    std::atomic<bool> gone_{false};
    std::atomic<bool> vanishRequested_{false};
    std::mutex logMutex_;
    std::chrono::steady_clock::time_point inboundFreeAt_{};
    std::jthread thread_;
};

}  // namespace sim
