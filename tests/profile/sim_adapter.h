#pragma once
// A simulated adapter behind a real pseudo-terminal for the profile engine's
// tests: its own state folder, a COM name in the store and a transcript of
// every command line it received.
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "sim/pty_adapter.h"
#include "sim/scenario.h"
#include "tests/support/temp_home.h"

namespace profiletest {

// Pauses and time-outs run at this fraction: short enough for a quick run,
// long enough that a loaded two-core machine still answers within the waits.
inline constexpr const char* kTimeScale = "0.1";

class SimAdapter {
public:
    static constexpr const char* kPort = "COM7";

    explicit SimAdapter(const sim::Scenario& scenario) {
        setenv("VELKA_TA_TIME_SCALE", kTimeScale, 1);
        platform::reloadTimeScale();
        sim::PtyAdapter::Options options;
        options.comName = kPort;
        options.transcriptPath = transcriptPath();
        status_ = sim::PtyAdapter::start(scenario, options, device_);
    }

    bool started() const { return status_ == 0 && device_ != nullptr; }
    std::string transcriptPath() const { return home_.file("transcript.log"); }
    sim::PtyAdapter& device() { return *device_; }

    // The command lines the adapter received, in order.
    std::vector<std::string> Received() const {
        std::vector<std::string> lines;
        std::istringstream in(testsupport::readFile(transcriptPath()));
        const std::string prefix = std::string(kPort) + " < ";
        for (std::string line; std::getline(in, line);)
            if (line.rfind(prefix, 0) == 0) lines.push_back(line.substr(prefix.size()));
        return lines;
    }
    void ClearTranscript() { testsupport::writeFile(transcriptPath(), ""); }

private:
    testsupport::TempHome home_;
    std::unique_ptr<sim::PtyAdapter> device_;
    std::int32_t status_ = -1;
};

}  // namespace profiletest
